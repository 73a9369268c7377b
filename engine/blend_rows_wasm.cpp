// The rows with WebAssembly's 128-bit vectors, four pixels at a time. The formulas are
// exact for a weight of 0 as well, so no pixel needs a branch; the fourth byte of each
// pixel gets weight 0 (blend) or is put back (shade) and so keeps its value.
#include <wasm_simd128.h>

#include <cstring>

#include "engine/blend_rows.h"

namespace shirakaba {
namespace {

// x div 255 for x in 0..65025 in each 16-bit lane: (x + 1 + (x >> 8)) >> 8.
inline v128_t div255x8(v128_t x) {
  return wasm_u16x8_shr(wasm_i16x8_add(wasm_i16x8_add(x, wasm_i16x8_splat(1)), wasm_u16x8_shr(x, 8)), 8);
}

inline v128_t blendHalf(v128_t d, v128_t s, v128_t w) {
  return div255x8(wasm_i16x8_add(wasm_i16x8_mul(d, wasm_i16x8_sub(wasm_i16x8_splat(255), w)), wasm_i16x8_mul(s, w)));
}

}  // namespace

void blendRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  // Weight byte k of 4 goes to the three colour bytes of pixel k; index 16 gives 0.
  const v128_t spread = wasm_i8x16_make(0, 0, 0, 16, 1, 1, 1, 16, 2, 2, 2, 16, 3, 3, 3, 16);
  int x = 0;
  for (; x + 4 <= n; x += 4) {
    uint32_t w4;
    std::memcpy(&w4, m + x, 4);
    if (w4 == 0) continue;
    const v128_t w = wasm_i8x16_swizzle(wasm_i32x4_splat(static_cast<int32_t>(w4)), spread);
    const v128_t dv = wasm_v128_load(d + 4 * x);
    const v128_t sv = wasm_v128_load(s + 4 * x);
    const v128_t lo = blendHalf(wasm_u16x8_extend_low_u8x16(dv), wasm_u16x8_extend_low_u8x16(sv),
                                wasm_u16x8_extend_low_u8x16(w));
    const v128_t hi = blendHalf(wasm_u16x8_extend_high_u8x16(dv), wasm_u16x8_extend_high_u8x16(sv),
                                wasm_u16x8_extend_high_u8x16(w));
    wasm_v128_store(d + 4 * x, wasm_u8x16_narrow_i16x8(lo, hi));
  }
  blendRowPlain(d + 4 * x, s + 4 * x, m + x, n - x);
}

void shadeRow(uint8_t* d, const uint8_t* s, int n) {
  const v128_t k80 = wasm_i16x8_splat(80);
  const v128_t keepX = wasm_i32x4_splat(static_cast<int32_t>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const v128_t v = wasm_v128_load(s + 4 * i);
    const v128_t lo = div255x8(wasm_i16x8_mul(wasm_u16x8_extend_low_u8x16(v), k80));
    const v128_t hi = div255x8(wasm_i16x8_mul(wasm_u16x8_extend_high_u8x16(v), k80));
    const v128_t old = wasm_v128_load(d + 4 * i);
    wasm_v128_store(d + 4 * i, wasm_v128_bitselect(old, wasm_u8x16_narrow_i16x8(lo, hi), keepX));
  }
  shadeRowPlain(d + 4 * i, s + 4 * i, n - i);
}

}  // namespace shirakaba
