#include "saves/thumbnail.h"

#include <algorithm>
#include <iterator>

#include "base/png.h"

namespace shirakaba {

Bitmap thumbnailOf(const Bitmap& screen, bool visible) {
  Bitmap t = Bitmap::create32(kThumbnailWidth, kThumbnailHeight);
  if (!visible || screen.empty()) return t;
  const int bw = screen.width / kThumbnailWidth, bh = screen.height / kThumbnailHeight;
  if (bw < 1 || bh < 1) return t;
  const uint32_t n = static_cast<uint32_t>(bw * bh);
  for (int y = 0; y < kThumbnailHeight; ++y) {
    for (int x = 0; x < kThumbnailWidth; ++x) {
      uint32_t r = 0, g = 0, b = 0;
      for (int dy = 0; dy < bh; ++dy) {
        for (int dx = 0; dx < bw; ++dx) {
          const Colour c = screen.colourAt(x * bw + dx, y * bh + dy);
          r += c & 0xFF;
          g += (c >> 8) & 0xFF;
          b += (c >> 16) & 0xFF;
        }
      }
      setPixel32(t, x, y, ((r + n / 2) / n) | (((g + n / 2) / n) << 8) | (((b + n / 2) / n) << 16));
    }
  }
  return t;
}

bool hasThumbnailSize(std::span<const uint8_t> png) {
  // The signature, then the header chunk (which must come first): its length (13),
  // "IHDR", then the width and the height, big-endian.
  static constexpr uint8_t kHead[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  if (png.size() < sizeof kHead + 8 || !std::equal(std::begin(kHead), std::end(kHead), png.begin())) return false;
  const auto bigEndian = [&](size_t at) {
    return uint32_t{png[at]} << 24 | uint32_t{png[at + 1]} << 16 | uint32_t{png[at + 2]} << 8 | png[at + 3];
  };
  return bigEndian(16) == kThumbnailWidth && bigEndian(20) == kThumbnailHeight;
}

Result<std::vector<uint8_t>> thumbnailPng(const Bitmap& screen, bool visible) {
  return encodeScreenPng(thumbnailOf(screen, visible), true, kThumbnailWidth, kThumbnailHeight);
}

}  // namespace shirakaba
