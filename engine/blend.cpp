// The weighted mask blend, the darkened band, the two-digit number and text output.
#include <algorithm>
#include <array>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "engine/draw.h"

namespace shirakaba {

// x / 255 for x in 0..65025, without a division.
static inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

// One row: d = (d * (255 - w) + s * w) div 255 per colour channel; the fourth byte stays.
static void blendRowScalar(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  for (int x = 0; x < n; ++x, d += 4, s += 4) {
    const uint32_t w = m[x];
    if (w == 0) continue;
    const uint32_t iw = 255 - w;
    d[0] = static_cast<uint8_t>(div255(d[0] * iw + s[0] * w));
    d[1] = static_cast<uint8_t>(div255(d[1] * iw + s[1] * w));
    d[2] = static_cast<uint8_t>(div255(d[2] * iw + s[2] * w));
  }
}

#if defined(__x86_64__) || defined(__i386__)
// Vector rows. The formula is exact for w = 0 as well, so no branch is needed per
// pixel; the fourth byte of each pixel gets weight 0 and so keeps its value.
static inline __m128i blendHalf(__m128i d, __m128i s, __m128i w) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), w)), _mm_mullo_epi16(s, w));
  return _mm_srli_epi16(_mm_mulhi_epu16(t, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

static void blendRowSse2(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
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
  blendRowScalar(d + 4 * x, s + 4 * x, m + x, n - x);
}

// x div 255 for 16-bit x, exact: (x * 0x8081) >> 23.
__attribute__((target("avx2"))) static inline __m256i blendHalf256(__m256i d, __m256i s, __m256i w) {
  const __m256i t =
      _mm256_add_epi16(_mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), w)), _mm256_mullo_epi16(s, w));
  return _mm256_srli_epi16(_mm256_mulhi_epu16(t, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
}

__attribute__((target("avx2"))) static void blendRowAvx2(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
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
static BlendRowFn pickBlendRow() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? blendRowAvx2 : blendRowSse2;
}
static void blendRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  static const BlendRowFn fn = pickBlendRow();
  fn(d, s, m, n);
}
#else
static void blendRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) { blendRowScalar(d, s, m, n); }
#endif

void MaskBlend(Bitmap& dest, Point at, Bitmap& src, const Bitmap& mask) {
  const Rect s{at.x, at.y, at.x + src.width, at.y + src.height};
  const Rect c = intersect(s, Rect{0, 0, dest.width, dest.height});
  if (c.isEmpty()) return;
  dest.convertTo32();
  src.convertTo32();
  const int x0 = c.left - at.x, x1 = c.right - at.x;
  for (int y = c.top - at.y; y < c.bottom - at.y; ++y) {
    if (y < 0 || y >= mask.height) continue;  // bytes outside the mask's rows weigh 0
    const int xEnd = std::min(x1, mask.stride);  // and so do bytes past the end of a row
    if (xEnd <= x0) continue;
    blendRow(dest.row(y + at.y) + (at.x + x0) * 4, src.row(y) + x0 * 4, mask.row(y) + x0, xEnd - x0);
  }
}

void BlendPic(DrawContext& c, int x, int y, int pic, int maskPic, Bitmap& dest) {
  Bitmap src, mask;
  if (!c.pack.readPair(pic, maskPic, src, mask)) return;
  MaskBlend(dest, Point{x, y}, src, mask);
}

// Each channel keeps 80/255 of its brightness.
static const std::array<uint8_t, 256> kShade = [] {
  std::array<uint8_t, 256> t{};
  for (unsigned v = 0; v < 256; ++v) t[v] = static_cast<uint8_t>(v * 80u / 255u);
  return t;
}();

// One row of n pixels darkened from s into d; the fourth byte of d stays.
static void shadeRow(uint8_t* d, const uint8_t* s, int n) {
  int i = 0;
#if defined(__x86_64__) || defined(__i386__)
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
#endif
  for (; i < n; ++i) {
    d[4 * i] = kShade[s[4 * i]];
    d[4 * i + 1] = kShade[s[4 * i + 1]];
    d[4 * i + 2] = kShade[s[4 * i + 2]];
  }
}

void ShadeRect(DrawContext& c, Shade mode, const Rect& r) {
  Bitmap& back = c.BackBuffer;
  const Rect clip = intersect(r, Rect{0, 0, back.width, back.height});
  if (clip.isEmpty()) return;
  back.convertTo32();
  Bitmap& out = mode == Shade::OntoScreen ? c.ImageBa : back;
  if (out.empty()) return;
  const Rect o = intersect(clip, Rect{0, 0, out.width, out.height});
  for (int y = o.top; y < o.bottom; ++y) shadeRow(out.row(y) + o.left * 4, back.row(y) + o.left * 4, o.width());
}

void DrawNum2(DrawContext& c, int x, int y, int value, Target target) {
  if (value > 99) value = 99;
  if (value < 0) value = 0;  // only days are passed; a negative number would index no cell
  const int u = value % 10;
  TransPicRect(c, Rect{21 * u, 0, 21 * u + 21, 21}, Rect{x + 21, y, x + 42, y + 21}, pic::Digits, target);
  int t = (value % 100) / 10;
  if (t == 0) t = 10;
  TransPicRect(c, Rect{21 * t, 0, 21 * t + 21, 21}, Rect{x, y, x + 21, y + 21}, pic::Digits, target);
}

void SetTextFont(DrawContext& c, TextBrush kind, int size, Colour colour) {
  CanvasFont& back = c.surfaces.backFont;
  CanvasFont& screen = c.surfaces.screenFont;
  for (CanvasFont* f : {&back, &screen}) {
    f->points = size;
    f->colour = colour;
  }
  if (kind == TextBrush::Clear) {
    back.brush = screen.brush = Brush::Clear;
  } else if (kind == TextBrush::Black) {
    back.brush = screen.brush = Brush::Black;
  } else if (kind == TextBrush::WhiteOnScreen) {
    screen.brush = Brush::White;
  }
}

void TextOut(DrawContext& c, Target target, int x, int y, const std::string& utf8, bool announce) {
  Bitmap& b = c.target(target);
  if (announce && target != Target::Back && c.onScreenText) c.onScreenText(utf8);
  if (!c.font || b.empty() || utf8.empty()) return;
  b.convertTo32();
  const CanvasFont& f = c.canvasFont(target);
  const int px = pointsToPixels(f.points);
  if (f.brush != Brush::Clear) {
    const Colour fill = f.brush == Brush::Black ? kBlack : kWhite;
    // The cell in 64 bits, clamped to the bitmap, so a far-off position cannot overflow.
    const int64_t right = int64_t{x} + c.font->advance(utf8, px), bottom = int64_t{y} + px;
    const int x0 = static_cast<int>(std::clamp<int64_t>(x, 0, b.width));
    const int x1 = static_cast<int>(std::clamp<int64_t>(right, 0, b.width));
    const int y0 = static_cast<int>(std::clamp<int64_t>(y, 0, b.height));
    const int y1 = static_cast<int>(std::clamp<int64_t>(bottom, 0, b.height));
    for (int yy = y0; yy < y1; ++yy)
      for (int xx = x0; xx < x1; ++xx) setPixel32(b, xx, yy, fill);
  }
  c.font->draw(b, x, y, utf8, px, f.colour);
}

}  // namespace shirakaba
