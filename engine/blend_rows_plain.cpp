// The rows without vector instructions, for processors that have no file of their own.
#include "engine/blend_rows.h"

namespace shirakaba {

void blendRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) { blendRowPlain(d, s, m, n); }
void shadeRow(uint8_t* d, const uint8_t* s, int n) { shadeRowPlain(d, s, n); }

}  // namespace shirakaba
