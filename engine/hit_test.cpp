#include "engine/hit_test.h"

namespace shirakaba {

namespace {

bool inSpan(int v, int start, int length) { return start <= v && v < start + length; }

}  // namespace

HitShape shapeOf(const LayoutRec& l) {
  if (l.GapX == 0 && l.GapY != 0) return HitShape::List;
  if (l.GapY == 0) return HitShape::Row;
  return HitShape::TwoRows;
}

int hitAsShaped(int x, int y, const LayoutRec& l) { return HitLayout(shapeOf(l), x, y, l); }

int PointInRect(int x, int y, const Rect& r) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom ? 1 : 0;
}

int HitLayout(HitShape shape, int x, int y, LayoutRec l) {
  switch (shape) {
    case HitShape::List:
      if (!inSpan(x, l.X, l.W)) return 0;
      // At least one slot is tested, at most Cols.
      for (int j = 0;; ++j) {
        if (inSpan(y, l.Y + j * (l.H + l.GapY), l.H)) return j + 1;
        if (j >= l.Cols - 1) return 0;
      }
    case HitShape::Row:
      if (!inSpan(y, l.Y, l.H)) return 0;
      for (int j = 0;; ++j) {
        if (inSpan(x, l.X + j * (l.W + l.GapX), l.W)) return j + 1;
        if (j >= l.Cols - 1) return 0;
      }
    case HitShape::TwoRows: {
      const int first = HitLayout(HitShape::Row, x, y, l);
      if (first != 0) return first;
      l.Y += l.H + l.GapY;
      const int second = HitLayout(HitShape::Row, x, y, l);
      return second != 0 ? l.Cols + second : 0;
    }
  }
  return 0;
}

int HitColumns(int count, int x, int y, LayoutRec l) {
  for (int c = 0; c < count; ++c) {
    const int n = HitLayout(HitShape::List, x, y, l);
    if (n != 0) return c * l.Cols + n;
    l.X += l.W + l.GapX;
  }
  return 0;
}

int HitGallery(int x, int y) {
  int before = 0;  // numbers of the rows already missed
  for (int r = 1; r <= kGalleryRows; ++r) {
    const LayoutRec row = GalleryRows(r);
    const int n = HitLayout(HitShape::Row, x, y, row);
    if (n != 0) return before + n;
    before += row.Cols;
  }
  return 0;
}

}  // namespace shirakaba
