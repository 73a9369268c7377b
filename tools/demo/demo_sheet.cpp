#include "tools/demo/demo_sheet.h"

#include <algorithm>

#include "base/png.h"
#include "engine/pack.h"
#include "tools/demo/painter.h"

namespace shirakaba {
namespace {

constexpr int kCols = 16, kCellW = 160, kCellH = 136, kThumbW = 156, kThumbH = 116;

// The whole bitmap as a PNG file, written as the screen shots are.
Result<void> writePng(const std::string& path, const Bitmap& b) { return writeScreenPng(path, b, true, b.width, b.height); }

}  // namespace

Result<void> writeContactSheet(const std::string& packPath, const std::string& pngPath) {
  using namespace demo;
  PackFile pack(packPath);
  if (!pack.exists()) return fail("no pack at " + packPath);
  const int rows = (kPictureCount + kCols - 1) / kCols;
  Canvas sheet(kCols * kCellW, rows * kCellH, hex(0x505050));
  for (int n = 0; n < kPictureCount; ++n) {
    const int cx = (n % kCols) * kCellW, cy = (n / kCols) * kCellH;
    sheet.fill(rectC(cx + 1.0f, cy + 1.0f, cx + kCellW - 1.0f, cy + kCellH - 1.0f), hex(0x6A6A6A));
    auto r = pack.readPicture(n);
    std::string caption = std::to_string(n);
    if (r.ok()) {
      Bitmap b = r.value();
      caption += "  " + std::to_string(b.width) + "x" + std::to_string(b.height) + (b.format == PixelFormat::Indexed8 ? " 8" : "");
      b.convertTo32();
      const float k = std::min({1.0f, static_cast<float>(kThumbW) / b.width, static_cast<float>(kThumbH) / b.height});
      const int tw = std::max(1, static_cast<int>(b.width * k)), th = std::max(1, static_cast<int>(b.height * k));
      for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
          // Box filter over the source pixels that fall into this thumbnail pixel.
          const int x0 = static_cast<int>(x / k), x1 = std::max(x0 + 1, static_cast<int>((x + 1) / k));
          const int y0 = static_cast<int>(y / k), y1 = std::max(y0 + 1, static_cast<int>((y + 1) / k));
          float s[3] = {0, 0, 0};
          int cnt = 0;
          for (int yy = y0; yy < std::min(y1, b.height); ++yy)
            for (int xx = x0; xx < std::min(x1, b.width); ++xx, ++cnt) {
              const Colour c = getPixel32(b, xx, yy);
              s[0] += c & 255, s[1] += (c >> 8) & 255, s[2] += (c >> 16) & 255;
            }
          if (cnt) sheet.set(cx + 2 + x, cy + 2 + y, {s[0] / cnt, s[1] / cnt, s[2] / cnt});
        }
    } else {
      caption += "  " + r.error();
    }
    sheet.text(cx + 4.0f, cy + kThumbH + 4.0f, caption, 12, hex(0xFFFFFF));
  }
  return writePng(pngPath, sheet.toBitmap());
}

Result<void> writePicturePng(const std::string& packPath, int n, const std::string& pngPath) {
  PackFile pack(packPath);
  auto r = pack.readPicture(n);
  if (!r.ok()) return fail(r.error());
  Bitmap b = r.value();
  b.convertTo32();
  return writePng(pngPath, b);
}

}  // namespace shirakaba
