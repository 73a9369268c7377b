// The C library's copy, fast at every size where it runs natively, and the plain loops.
#include <cstring>

#include "base/pixel_rows.h"

namespace shirakaba {

void copyRow(void* to, const void* from, size_t bytes) { std::memcpy(to, from, bytes); }
void expandRgb24(uint8_t* out, const uint8_t* in, int n) { expandRgb24Plain(out, in, n); }
void putRgb24(uint8_t* out, const uint8_t* in, int n) { putRgb24Plain(out, in, n); }

}  // namespace shirakaba
