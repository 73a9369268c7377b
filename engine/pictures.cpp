// Pictures read from the pack and drawn on a surface. Each routine opens the pack,
// decodes its picture, draws and frees it; a missing pack, a picture number outside
// 0..127 or a broken picture draws nothing and leaves the target as it was.
#include <algorithm>
#include <vector>

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

void copyRect(const Bitmap& src, const Rect& s, Bitmap& dst, const Rect& d) {
  if (src.empty() || dst.empty() || s.isEmpty() || d.isEmpty() || !dst.is32()) return;
  const int sw = s.width(), sh = s.height(), dw = d.width(), dh = d.height();
  const Rect clip = intersect(d, Rect{0, 0, dst.width, dst.height});
  if (clip.isEmpty()) return;
  const bool plain = sw == dw && sh == dh;
  // The source column of each destination column, worked out once for all rows.
  std::vector<int> columns(static_cast<size_t>(clip.width()));
  for (int dx = clip.left; dx < clip.right; ++dx)
    columns[dx - clip.left] = plain ? s.left + (dx - d.left) : s.left + static_cast<int>(int64_t(dx - d.left) * sw / dw);
  // Blue, green, red are the first three bytes of a pixel of these formats.
  const int direct = src.format == PixelFormat::Bgrx32 ? 4 : src.format == PixelFormat::Rgb24 ? 3 : 0;
  for (int dy = clip.top; dy < clip.bottom; ++dy) {
    const int sy = plain ? s.top + (dy - d.top) : s.top + static_cast<int>(int64_t(dy - d.top) * sh / dh);
    if (sy < 0 || sy >= src.height) continue;
    uint8_t* out = dst.row(dy);
    if (plain && src.is32()) {
      // Fast path: one row of equal size from a 32-bit source.
      const int x0 = std::max(clip.left, d.left - s.left), x1 = std::min(clip.right, d.left + (src.width - s.left));
      if (x1 > x0) std::copy_n(src.row(sy) + (s.left + x0 - d.left) * 4, (x1 - x0) * 4, out + x0 * 4);
      continue;
    }
    const uint8_t* in = src.row(sy);
    const bool indexed8 = src.format == PixelFormat::Indexed8;
    for (int dx = clip.left; dx < clip.right; ++dx) {
      const int sx = columns[dx - clip.left];
      if (sx < 0 || sx >= src.width) continue;
      uint8_t* p = out + dx * 4;
      if (direct) {
        const uint8_t* q = in + sx * direct;
        p[0] = q[0], p[1] = q[1], p[2] = q[2];
      } else if (indexed8) {
        // A palette entry 0x00RRGGBB is blue, green, red in memory; no entry is black.
        const uint32_t rgb = in[sx] < src.palette.size() ? src.palette[in[sx]] : 0;
        p[0] = static_cast<uint8_t>(rgb), p[1] = static_cast<uint8_t>(rgb >> 8), p[2] = static_cast<uint8_t>(rgb >> 16);
      } else {
        setPixel32(dst, dx, dy, src.colourAt(sx, sy));
      }
    }
  }
}

void drawBitmap(Bitmap& dst, int x, int y, const Bitmap& src, const Colour* key) {
  if (src.empty() || dst.empty() || !dst.is32()) return;
  const Rect clip = intersect(Rect{x, y, x + src.width, y + src.height}, Rect{0, 0, dst.width, dst.height});
  for (int dy = clip.top; dy < clip.bottom; ++dy) {
    const int sy = dy - y;
    if (!key && src.is32()) {
      std::copy_n(src.row(sy) + (clip.left - x) * 4, clip.width() * 4, dst.row(dy) + clip.left * 4);
      continue;
    }
    if (!key && src.format == PixelFormat::Rgb24) {
      // Full-screen pictures are 24-bit: copy their rows without the per-pixel switch.
      const uint8_t* in = src.row(sy) + (clip.left - x) * 3;
      uint8_t* out = dst.row(dy) + clip.left * 4;
      for (int i = 0; i < clip.width(); ++i, in += 3, out += 4) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
      continue;
    }
    for (int dx = clip.left; dx < clip.right; ++dx) {
      const Colour c = src.colourAt(dx - x, sy);
      if (key && c == *key) continue;
      setPixel32(dst, dx, dy, c);
    }
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
