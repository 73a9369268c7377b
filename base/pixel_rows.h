// Rows of pixels copied and widened from 24 to 32 bits. Each platform has its file
// (base/pixel_rows_<platform>.cpp, the build picks one); all give exactly what the
// plain loops give. In WebAssembly a short copy by the bulk-memory instruction is a
// call out of the program that costs more than the copy itself (a wipe copies some
// 1,400 rows of 32 pixels each step), and byte loops are far slower than vectors.
#pragma once
#include <cstddef>
#include <cstdint>

namespace shirakaba {

// As memcpy: `bytes` bytes from `from` to `to`, which do not overlap.
void copyRow(void* to, const void* from, size_t bytes);
// n pixels of 3 bytes (blue, green, red) as pixels of 4 bytes, the fourth 0.
void expandRgb24(uint8_t* out, const uint8_t* in, int n);
// The same onto pixels of 4 bytes whose fourth byte stays.
void putRgb24(uint8_t* out, const uint8_t* in, int n);

inline void expandRgb24Plain(uint8_t* out, const uint8_t* in, int n) {
  for (int i = 0; i < n; ++i, in += 3, out += 4) out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 0;
}

inline void putRgb24Plain(uint8_t* out, const uint8_t* in, int n) {
  for (int i = 0; i < n; ++i, in += 3, out += 4) out[0] = in[0], out[1] = in[1], out[2] = in[2];
}

}  // namespace shirakaba
