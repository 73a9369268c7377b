// Short rows copied by 128-bit vectors within the program, long ones by memory.copy;
// 24-bit pixels widened four at a time by one shuffle.
#include <wasm_simd128.h>

#include "base/pixel_rows.h"

namespace shirakaba {

void copyRow(void* to, const void* from, size_t bytes) {
  auto* d = static_cast<uint8_t*>(to);
  const auto* s = static_cast<const uint8_t*>(from);
  if (bytes >= 512) {  // from here on the call out costs less than the copy
    __builtin_memcpy(d, s, bytes);
    return;
  }
  if (bytes < 16) {
    for (size_t i = 0; i < bytes; ++i) d[i] = s[i];
    return;
  }
  for (size_t i = 0; i + 16 < bytes; i += 16) wasm_v128_store(d + i, wasm_v128_load(s + i));
  wasm_v128_store(d + bytes - 16, wasm_v128_load(s + bytes - 16));  // the last 16, overlapping
}

namespace {

// Pixel k of four takes bytes 3k..3k+2; index 16 gives the fourth byte 0. Four pixels
// read 16 bytes, 4 past their own: the loops stop while two pixels are left.
const v128_t kSpread = wasm_i8x16_make(0, 1, 2, 16, 3, 4, 5, 16, 6, 7, 8, 16, 9, 10, 11, 16);

}  // namespace

void expandRgb24(uint8_t* out, const uint8_t* in, int n) {
  int i = 0;
  for (; i + 6 <= n; i += 4) wasm_v128_store(out + 4 * i, wasm_i8x16_swizzle(wasm_v128_load(in + 3 * i), kSpread));
  expandRgb24Plain(out + 4 * i, in + 3 * i, n - i);
}

void putRgb24(uint8_t* out, const uint8_t* in, int n) {
  const v128_t colour = wasm_i32x4_splat(0x00FFFFFF);
  int i = 0;
  for (; i + 6 <= n; i += 4) {
    const v128_t pixels = wasm_i8x16_swizzle(wasm_v128_load(in + 3 * i), kSpread);
    wasm_v128_store(out + 4 * i, wasm_v128_bitselect(pixels, wasm_v128_load(out + 4 * i), colour));
  }
  putRgb24Plain(out + 4 * i, in + 3 * i, n - i);
}

}  // namespace shirakaba
