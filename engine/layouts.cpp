#include "engine/layouts.h"

namespace shirakaba {

Rect SheetCell(int32_t col, int32_t row, int32_t w, int32_t h, Point origin) {
  const int32_t x = origin.x + col * w, y = origin.y + row * h;
  return {x, y, x + w, y + h};
}

Rect SlotRect(int32_t i, const LayoutRec& l) {
  int32_t x, y;
  if (l.GapX == 0 && l.GapY != 0) {  // vertical list
    x = l.X;
    y = l.Y + i * (l.H + l.GapY);
  } else if (l.GapY == 0) {  // row
    x = l.X + i * (l.W + l.GapX);
    y = l.Y;
  } else {  // grid
    const int32_t cols = l.Cols == 0 ? 1 : l.Cols;
    x = l.X + (i % cols) * (l.W + l.GapX);
    y = l.Y + (i / cols) * (l.H + l.GapY);
  }
  return {x, y, x + l.W, y + l.H};
}

}  // namespace shirakaba
