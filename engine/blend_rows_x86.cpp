// The rows with SSE2, and with AVX2 where the processor has it.
#include <immintrin.h>

#include <cstring>

#include "engine/blend_rows.h"

namespace shirakaba {
namespace {

// Vector rows. The formula is exact for w = 0 as well, so no branch is needed per
// pixel; the fourth byte of each pixel gets weight 0 and so keeps its value.
inline __m128i blendHalf(__m128i d, __m128i s, __m128i w) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), w)), _mm_mullo_epi16(s, w));
  return _mm_srli_epi16(_mm_mulhi_epu16(t, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

void blendRowSse2(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  int x = 0;
  for (; x + 4 <= n; x += 4) {
    uint32_t w4;
    std::memcpy(&w4, m + x, 4);
    if (w4 == 0) continue;
    __m128i w = _mm_cvtsi32_si128(static_cast<int>(w4));
    w = _mm_unpacklo_epi8(w, w);
    w = _mm_and_si128(_mm_unpacklo_epi16(w, w), colour);
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * x));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * x));
    const __m128i lo = blendHalf(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(w, zero));
    const __m128i hi = blendHalf(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(w, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * x), _mm_packus_epi16(lo, hi));
  }
  blendRowPlain(d + 4 * x, s + 4 * x, m + x, n - x);
}

// x div 255 for 16-bit x, exact: (x * 0x8081) >> 23.
__attribute__((target("avx2"))) inline __m256i blendHalf256(__m256i d, __m256i s, __m256i w) {
  const __m256i t =
      _mm256_add_epi16(_mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), w)), _mm256_mullo_epi16(s, w));
  return _mm256_srli_epi16(_mm256_mulhi_epu16(t, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
}

__attribute__((target("avx2"))) void blendRowAvx2(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  const __m256i zero = _mm256_setzero_si256();
  // Weight byte k of 8 goes to the three colour bytes of pixel k; the fourth byte gets 0.
  const __m256i spread = _mm256_setr_epi8(0, 0, 0, -128, 1, 1, 1, -128, 2, 2, 2, -128, 3, 3, 3, -128,  //
                                          4, 4, 4, -128, 5, 5, 5, -128, 6, 6, 6, -128, 7, 7, 7, -128);
  int x = 0;
  for (; x + 8 <= n; x += 8) {
    uint64_t w8;
    std::memcpy(&w8, m + x, 8);
    if (w8 == 0) continue;
    const __m256i w = _mm256_shuffle_epi8(
        _mm256_broadcastsi128_si256(_mm_cvtsi64_si128(static_cast<long long>(w8))), spread);
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + 4 * x));
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 4 * x));
    const __m256i lo = blendHalf256(_mm256_unpacklo_epi8(dv, zero), _mm256_unpacklo_epi8(sv, zero), _mm256_unpacklo_epi8(w, zero));
    const __m256i hi = blendHalf256(_mm256_unpackhi_epi8(dv, zero), _mm256_unpackhi_epi8(sv, zero), _mm256_unpackhi_epi8(w, zero));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 4 * x), _mm256_packus_epi16(lo, hi));
  }
  blendRowSse2(d + 4 * x, s + 4 * x, m + x, n - x);
}

using BlendRowFn = void (*)(uint8_t*, const uint8_t*, const uint8_t*, int);
BlendRowFn pickBlendRow() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? blendRowAvx2 : blendRowSse2;
}

// One row of n pixels darkened from s into d; the fourth byte of d stays.
void shadeRow(uint8_t* d, const uint8_t* s, int n) {
  int i = 0;
  const __m128i zero = _mm_setzero_si128(), k80 = _mm_set1_epi16(80);
  const __m128i div = _mm_set1_epi16(static_cast<short>(0x8081));
  const __m128i keepX = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
    auto half = [&](__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(x, k80), div), 7); };
    const __m128i shaded = _mm_packus_epi16(half(_mm_unpacklo_epi8(v, zero)), half(_mm_unpackhi_epi8(v, zero)));
    __m128i* out = reinterpret_cast<__m128i*>(d + 4 * i);
    const __m128i old = _mm_loadu_si128(out);
    _mm_storeu_si128(out, _mm_or_si128(_mm_andnot_si128(keepX, shaded), _mm_and_si128(keepX, old)));
  }
  shadeRowPlain(d + 4 * i, s + 4 * i, n - i);
}

}  // namespace

void blendRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, const uint8_t* m, int mStride, int n,
               int rows) {
  static const BlendRowFn fn = pickBlendRow();
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride, m += mStride) fn(d, s, m, n);
}

void shadeRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, int n, int rows) {
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride) shadeRow(d, s, n);
}

}  // namespace shirakaba
