// Pictures read from the pack and drawn on a surface. Each routine opens the pack,
// decodes its picture, draws and frees it; a missing pack, a picture number outside
// 0..127 or a broken picture draws nothing and leaves the target as it was.
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <utility>
#include <vector>

#include "base/pixel_rows.h"
#include "engine/draw.h"

namespace shirakaba {

DrawContext::DrawContext(Surfaces& s, PackFile p)
    : pack(std::move(p)), surfaces(s), BackBuffer(s.BackBuffer), ImageBa(s.ImageBa), ImageCG(s.ImageCG) {}

DrawContext::DrawContext()
    : own_(std::make_unique<Surfaces>()),
      surfaces(*own_),
      BackBuffer(own_->BackBuffer),
      ImageBa(own_->ImageBa),
      ImageCG(own_->ImageCG) {}

namespace {

// The fourth byte of a 32-bit pixel read as one word, whatever the byte order.
constexpr uint32_t kFourthByte = std::endian::native == std::endian::little ? 0xFF000000u : 0x000000FFu;

// The colours of a row read by Bitmap::readRow (fourth bytes 0) onto n pixels of a
// 32-bit row; the fourth byte of each pixel stays as it was. Two pixels a word: under
// AddressSanitizer every access is checked on its own.
void putColours(const uint8_t* line, int n, uint8_t* out) {
  constexpr uint64_t keep = kFourthByte | uint64_t{kFourthByte} << 32;
  for (; n >= 2; n -= 2, line += 8, out += 8) {
    uint64_t colours, pixels;
    std::memcpy(&colours, line, 8);
    std::memcpy(&pixels, out, 8);
    pixels = (pixels & keep) | colours;
    std::memcpy(out, &pixels, 8);
  }
  if (n == 1) {
    uint32_t colour, pixel;
    std::memcpy(&colour, line, 4);
    std::memcpy(&pixel, out, 4);
    pixel = (pixel & kFourthByte) | colour;
    std::memcpy(out, &pixel, 4);
  }
}

}  // namespace

void copyRect(const Bitmap& src, const Rect& s, Bitmap& dst, const Rect& d) {
  if (src.empty() || dst.empty() || s.isEmpty() || d.isEmpty() || !dst.is32()) return;
  const int sw = s.width(), sh = s.height(), dw = d.width(), dh = d.height();
  const Rect clip = intersect(d, Rect{0, 0, dst.width, dst.height});
  if (clip.isEmpty()) return;
  const bool plain = sw == dw && sh == dh;
  // The source column of each destination column, worked out once for all rows. They
  // never decrease, so the columns that land inside the source are one run from `first`.
  std::vector<int> columns(static_cast<size_t>(clip.width()));
  int first = clip.left, n = 0;
  for (int dx = clip.left; dx < clip.right; ++dx) {
    const int sx = plain ? s.left + (dx - d.left) : s.left + static_cast<int>(int64_t(dx - d.left) * sw / dw);
    if (sx < 0 || sx >= src.width) continue;
    if (n == 0) first = dx;
    columns.data()[n++] = sx;  // data(): in the sanitizer builds operator[] is a call
  }
  if (n == 0) return;
  std::vector<uint8_t> line;  // source row `lineRow` at the columns, read once for the rows that repeat it
  int lineRow = -1;
  // Whole pixels from another 32-bit bitmap are copied row by row with copyRow: under
  // AddressSanitizer a memmove is a byte loop, and this copy is most of a wipe. Its rows
  // are found without a call each (in the sanitizer builds Bitmap::row is one).
  const bool whole = plain && src.is32();
  const bool plain24 = plain && src.format == PixelFormat::Rgb24;  // a picture as stored
  uint8_t* const to = dst.pixels.data() + first * 4;
  const uint8_t* const from = whole ? src.pixels.data() + columns[0] * 4 : nullptr;
  for (int dy = clip.top; dy < clip.bottom; ++dy) {
    const int sy = plain ? s.top + (dy - d.top) : s.top + static_cast<int>(int64_t(dy - d.top) * sh / dh);
    if (sy < 0 || sy >= src.height) continue;
    uint8_t* out = to + static_cast<size_t>(dy) * dst.stride;
    if (whole) {
      copyRow(out, from + static_cast<size_t>(sy) * src.stride, static_cast<size_t>(n) * 4);
      continue;
    }
    if (plain24) {
      putRgb24(out, src.row(sy) + columns[0] * 3, n);
      continue;
    }
    if (sy != lineRow) {
      line.resize(static_cast<size_t>(n) * 4);
      src.readRow(sy, columns.data(), n, line.data());
      lineRow = sy;
    }
    putColours(line.data(), n, out);
  }
}

void drawBitmap(Bitmap& dst, int x, int y, const Bitmap& src, const Colour* key) {
  if (src.empty() || dst.empty() || !dst.is32()) return;
  const Rect clip = intersect(Rect{x, y, x + src.width, y + src.height}, Rect{0, 0, dst.width, dst.height});
  if (clip.isEmpty()) return;
  const int n = clip.width();
  if (!key && src.is32()) {
    for (int dy = clip.top; dy < clip.bottom; ++dy)
      copyRow(dst.row(dy) + clip.left * 4, src.row(dy - y) + (clip.left - x) * 4, static_cast<size_t>(n) * 4);
    return;
  }
  if (!key && src.format == PixelFormat::Rgb24) {  // full-screen pictures are 24-bit
    for (int dy = clip.top; dy < clip.bottom; ++dy)
      putRgb24(dst.row(dy) + clip.left * 4, src.row(dy - y) + (clip.left - x) * 3, n);
    return;
  }
  std::vector<int> columns(static_cast<size_t>(n));
  std::iota(columns.begin(), columns.end(), clip.left - x);
  std::vector<uint8_t> line(static_cast<size_t>(n) * 4);
  for (int dy = clip.top; dy < clip.bottom; ++dy) {
    uint8_t* out = dst.row(dy) + clip.left * 4;
    src.readRow(dy - y, columns.data(), n, line.data());
    if (!key) {
      putColours(line.data(), n, out);
      continue;
    }
    const uint8_t* c = line.data();
    for (int i = 0; i < n; ++i, c += 4, out += 4)
      if (colourOfBgr(c) != *key) putColours(c, 1, out);
  }
}

void DrawPic(DrawContext& c, int x, int y, int pic, Target target) {
  auto r = c.pack.readPicture(pic);
  if (!r.ok()) return;
  drawBitmap(c.target(target), x, y, r.value());
}

void StretchPic(DrawContext& c, int pic, Target target) {
  auto r = c.pack.readPicture(pic);
  if (!r.ok()) return;
  const Bitmap& b = r.value();
  copyRect(b, Rect{0, 0, b.width, b.height}, c.target(target), ScreenRect);
}

void CopyPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, Target target) {
  auto r = c.pack.readPicture(pic);
  if (!r.ok()) return;
  copyRect(r.value(), src, c.target(target), dst);
}

void TransPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, Target target) {
  auto r = c.pack.readPicture(pic);
  if (!r.ok() || dst.isEmpty()) return;
  // The cut-out goes onto a bitmap of Dst's size; its top-left pixel is the key.
  Bitmap cut = Bitmap::create32(dst.width(), dst.height());
  copyRect(r.value(), src, cut, Rect{0, 0, dst.width(), dst.height()});
  const Colour key = getPixel32(cut, 0, 0);
  drawBitmap(c.target(target), dst.left, dst.top, cut, &key);
}

bool LoadCG(DrawContext& c, int n, CGLoad mode) {
  auto r = c.pack.readPicture(pic::CGBase + n);
  if (!r.ok() || n < 1 || n > 7) return false;
  Bitmap& b = r.value();
  if (mode == CGLoad::Hold) {
    b.convertTo32();
    c.ImageCG = std::move(b);
  } else if (mode == CGLoad::ToBack) {
    drawBitmap(c.BackBuffer, 0, 0, b);
  }
  return true;
}

}  // namespace shirakaba
