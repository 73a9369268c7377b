// The weighted mask blend, the darkened band, the two-digit number and text output.
#include <algorithm>

#include "engine/draw.h"

namespace shirakaba {

// x / 255 for x in 0..65025, without a division.
static inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

void MaskBlend(Bitmap& dest, Point at, Bitmap& src, const Bitmap& mask) {
  const Rect s{at.x, at.y, at.x + src.width, at.y + src.height};
  const Rect c = intersect(s, Rect{0, 0, dest.width, dest.height});
  if (c.isEmpty()) return;
  dest.convertTo32();
  src.convertTo32();
  const int x0 = c.left - at.x, x1 = c.right - at.x;
  for (int y = c.top - at.y; y < c.bottom - at.y; ++y) {
    const bool maskRow = y >= 0 && y < mask.height;
    if (!maskRow) continue;  // bytes outside the mask's rows weigh 0
    const uint8_t* m = mask.row(y);
    const int mEnd = std::min(x1, mask.stride);
    const uint8_t* sp = src.row(y);
    uint8_t* dp = dest.row(y + at.y) + at.x * 4;
    for (int x = x0; x < mEnd; ++x) {
      const uint32_t w = m[x];
      if (w == 0) continue;
      const uint32_t iw = 255 - w;
      uint8_t* d = dp + x * 4;
      const uint8_t* p = sp + x * 4;
      d[0] = static_cast<uint8_t>(div255(d[0] * iw + p[0] * w));
      d[1] = static_cast<uint8_t>(div255(d[1] * iw + p[1] * w));
      d[2] = static_cast<uint8_t>(div255(d[2] * iw + p[2] * w));
    }
  }
}

void BlendPic(DrawContext& c, int x, int y, int pic, int maskPic, Bitmap& dest) {
  Bitmap src, mask;
  if (!c.pack.readPair(pic, maskPic, src, mask)) return;
  MaskBlend(dest, Point{x, y}, src, mask);
}

void ShadeRect(DrawContext& c, int mode, const Rect& r) {
  Bitmap& back = c.BackBuffer;
  const Rect clip = intersect(r, Rect{0, 0, back.width, back.height});
  if (clip.isEmpty()) return;
  back.convertTo32();
  Bitmap& out = mode == 1 ? c.ImageBa : back;
  if (out.empty()) return;
  const Rect o = intersect(clip, Rect{0, 0, out.width, out.height});
  for (int y = o.top; y < o.bottom; ++y) {
    const uint8_t* s = back.row(y) + o.left * 4;
    uint8_t* d = out.row(y) + o.left * 4;
    for (int i = 0; i < o.width(); ++i, s += 4, d += 4) {
      d[0] = static_cast<uint8_t>(s[0] * 80u / 255u);
      d[1] = static_cast<uint8_t>(s[1] * 80u / 255u);
      d[2] = static_cast<uint8_t>(s[2] * 80u / 255u);
    }
  }
}

void DrawNum2(DrawContext& c, int x, int y, int value, uint8_t target) {
  if (value > 99) value = 99;
  if (value < 0) value = 0;  // only days are passed; a negative number would index no cell
  const int u = value % 10;
  TransPicRect(c, Rect{21 * u, 0, 21 * u + 21, 21}, Rect{x + 21, y, x + 42, y + 21}, pic::Digits, target);
  int t = (value % 100) / 10;
  if (t == 0) t = 10;
  TransPicRect(c, Rect{21 * t, 0, 21 * t + 21, 21}, Rect{x, y, x + 21, y + 21}, pic::Digits, target);
}

void SetTextFont(DrawContext& c, int kind, int size, Colour colour) {
  for (CanvasFont* f : {&c.backFont, &c.screenFont}) {
    f->points = size;
    f->colour = colour;
  }
  if (kind == 0) {
    c.backFont.brush = c.screenFont.brush = Brush::Clear;
  } else if (kind == 1) {
    c.backFont.brush = c.screenFont.brush = Brush::Black;
  } else if (kind == 2) {
    c.screenFont.brush = Brush::White;
  }
}

void TextOut(DrawContext& c, uint8_t target, int x, int y, const std::string& utf8) {
  Bitmap& b = c.target(target);
  if (target != kToBack && c.onScreenText) c.onScreenText(utf8);
  if (!c.font || b.empty() || utf8.empty()) return;
  b.convertTo32();
  const CanvasFont& f = c.canvasFont(target);
  const int px = pointsToPixels(f.points);
  if (f.brush != Brush::Clear) {
    const Colour fill = f.brush == Brush::Black ? kBlack : kWhite;
    const Rect cell = intersect(Rect{x, y, x + c.font->advance(utf8, px), y + px}, Rect{0, 0, b.width, b.height});
    for (int yy = cell.top; yy < cell.bottom; ++yy)
      for (int xx = cell.left; xx < cell.right; ++xx) setPixel32(b, xx, yy, fill);
  }
  c.font->draw(b, x, y, utf8, px, f.colour);
}

}  // namespace shirakaba
