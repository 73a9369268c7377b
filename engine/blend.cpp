// The weighted mask blend, the darkened band, the two-digit number and text output.
#include <algorithm>

#include "engine/blend_rows.h"
#include "engine/draw.h"

namespace shirakaba {

void MaskBlend(Bitmap& dest, Point at, Bitmap& src, const Bitmap& mask) {
  const Rect s{at.x, at.y, at.x + src.width, at.y + src.height};
  const Rect c = intersect(s, Rect{0, 0, dest.width, dest.height});
  if (c.isEmpty()) return;
  dest.convertTo32();
  src.convertTo32();
  // Source rows and columns; bytes outside the mask's rows, or past the end of a row, weigh 0.
  const int x0 = c.left - at.x, xEnd = std::min(c.right - at.x, mask.stride);
  const int y0 = c.top - at.y, yEnd = std::min(c.bottom - at.y, mask.height);
  if (xEnd <= x0 || yEnd <= y0) return;
  blendRows(dest.row(y0 + at.y) + (at.x + x0) * 4, dest.stride, src.row(y0) + x0 * 4, src.stride, mask.row(y0) + x0,
            mask.stride, xEnd - x0, yEnd - y0);
}

void BlendPic(DrawContext& c, int x, int y, int pic, int maskPic, Bitmap& dest) {
  Bitmap src, mask;
  if (!c.pack.readPair(pic, maskPic, src, mask)) return;
  MaskBlend(dest, Point{x, y}, src, mask);
}

void ShadeRect(DrawContext& c, Shade mode, const Rect& r) {
  Bitmap& back = c.BackBuffer;
  const Rect clip = intersect(r, Rect{0, 0, back.width, back.height});
  if (clip.isEmpty()) return;
  back.convertTo32();
  Bitmap& out = mode == Shade::OntoScreen ? c.ImageBa : back;
  if (out.empty()) return;
  const Rect o = intersect(clip, Rect{0, 0, out.width, out.height});
  if (o.isEmpty()) return;
  shadeRows(out.row(o.top) + o.left * 4, out.stride, back.row(o.top) + o.left * 4, back.stride, o.width(), o.height());
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
