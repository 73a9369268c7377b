// The rows with WebAssembly's 128-bit vectors, eight pixels at a time. The formulas are
// exact for a weight of 0 as well, so no pixel needs a branch; the fourth byte of each
// pixel gets weight 0 and so 255 for the old value (blend), or is put back (shade), and
// keeps its value.
#include <wasm_simd128.h>

#include <cstring>

#include "engine/blend_rows.h"

namespace shirakaba {
namespace {

// x div 255 for x in 0..65025 in each 16-bit lane: (x + 1 + (x >> 8)) >> 8, the sum
// halved by the rounding average, which needs no room above 16 bits.
inline v128_t div255x8(v128_t x) { return wasm_u16x8_shr(wasm_u16x8_avgr(x, wasm_u16x8_shr(x, 8)), 7); }

// Four pixels at d blended with those at s by the weights w spread over their colour
// bytes: d * (255 - w) + s * w, with 255 - w as the bytes' complement.
inline void blendFour(uint8_t* d, const uint8_t* s, v128_t w) {
  const v128_t dv = wasm_v128_load(d);
  const v128_t sv = wasm_v128_load(s);
  const v128_t iw = wasm_v128_not(w);
  const v128_t lo =
      div255x8(wasm_i16x8_add(wasm_u16x8_extmul_low_u8x16(dv, iw), wasm_u16x8_extmul_low_u8x16(sv, w)));
  const v128_t hi =
      div255x8(wasm_i16x8_add(wasm_u16x8_extmul_high_u8x16(dv, iw), wasm_u16x8_extmul_high_u8x16(sv, w)));
  wasm_v128_store(d, wasm_u8x16_narrow_i16x8(lo, hi));
}

// The colour bytes of four pixels at s over those at d; the fourth bytes of d stay.
inline void copyColours(uint8_t* d, const uint8_t* s, v128_t colour) {
  wasm_v128_store(d, wasm_v128_bitselect(wasm_v128_load(s), wasm_v128_load(d), colour));
}

inline void blendRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  const v128_t colour = wasm_i32x4_splat(0x00FFFFFF);
  int x = 0;
  for (; x + 8 <= n; x += 8) {
    uint64_t w8;
    std::memcpy(&w8, m + x, 8);
    if (w8 == 0) continue;
    uint8_t* dp = d + 4 * x;
    const uint8_t* sp = s + 4 * x;
    if (w8 == ~uint64_t{0}) {  // weight 255 gives the source's colour exactly
      copyColours(dp, sp, colour);
      copyColours(dp + 16, sp + 16, colour);
      continue;
    }
    // Weight byte k of 8 goes to the four bytes of pixel k, then off its fourth byte.
    const v128_t w = wasm_i64x2_splat(static_cast<int64_t>(w8));
    const v128_t w2 = wasm_i8x16_shuffle(w, w, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7);
    blendFour(dp, sp, wasm_v128_and(wasm_i16x8_shuffle(w2, w2, 0, 0, 1, 1, 2, 2, 3, 3), colour));
    blendFour(dp + 16, sp + 16, wasm_v128_and(wasm_i16x8_shuffle(w2, w2, 4, 4, 5, 5, 6, 6, 7, 7), colour));
  }
  blendRowPlain(d + 4 * x, s + 4 * x, m + x, n - x);
}

inline void shadeRow(uint8_t* d, const uint8_t* s, int n) {
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

}  // namespace

void blendRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, const uint8_t* m, int mStride, int n,
               int rows) {
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride, m += mStride) blendRow(d, s, m, n);
}

void shadeRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, int n, int rows) {
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride) shadeRow(d, s, n);
}

}  // namespace shirakaba
