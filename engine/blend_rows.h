// The inner loops of the mask blend and the darkened band over a block of rows of 32-bit
// pixels (B, G, R, X), each row `stride` bytes after the one above. Each instruction set
// has its file (blend_rows_<set>.cpp, the build picks one); all give exactly the results
// of the plain loops below. A whole block per call: a wipe blends 480 rows of 32 pixels.
#pragma once
#include <array>
#include <cstdint>

namespace shirakaba {

// d = (d * (255 - w) + s * w) div 255 per colour channel, w the pixel's mask byte; the
// fourth byte of d stays. n pixels in each of `rows` rows.
void blendRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, const uint8_t* m, int mStride, int n,
               int rows);
// Each colour channel of s at 80/255 of its brightness into d; the fourth byte of d stays.
void shadeRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, int n, int rows);

// x / 255 for x in 0..65025, without a division.
inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

inline void blendRowPlain(uint8_t* d, const uint8_t* s, const uint8_t* m, int n) {
  for (int x = 0; x < n; ++x, d += 4, s += 4) {
    const uint32_t w = m[x];
    if (w == 0) continue;
    const uint32_t iw = 255 - w;
    d[0] = static_cast<uint8_t>(div255(d[0] * iw + s[0] * w));
    d[1] = static_cast<uint8_t>(div255(d[1] * iw + s[1] * w));
    d[2] = static_cast<uint8_t>(div255(d[2] * iw + s[2] * w));
  }
}

inline void shadeRowPlain(uint8_t* d, const uint8_t* s, int n) {
  static const std::array<uint8_t, 256> shade = [] {
    std::array<uint8_t, 256> t{};
    for (unsigned v = 0; v < 256; ++v) t[v] = static_cast<uint8_t>(v * 80u / 255u);
    return t;
  }();
  for (int i = 0; i < n; ++i) {
    d[4 * i] = shade[s[4 * i]];
    d[4 * i + 1] = shade[s[4 * i + 1]];
    d[4 * i + 2] = shade[s[4 * i + 2]];
  }
}

}  // namespace shirakaba
