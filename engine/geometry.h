// Points, rectangles (left, top, right, bottom; right and bottom exclusive) and the
// layout record that places every row, list and grid of on-screen buttons.
#pragma once
#include <cstddef>
#include <cstdint>

namespace shirakaba {

struct Point {
  int32_t x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool isEmpty() const { return left >= right || top >= bottom; }
  bool operator==(const Rect&) const = default;
};

// A rectangle given as left, top, width, height.
constexpr Rect rectLTWH(int32_t l, int32_t t, int32_t w, int32_t h) { return {l, t, l + w, t + h}; }
Rect intersect(const Rect& a, const Rect& b);

constexpr Rect ScreenRect{0, 0, 640, 480};
constexpr Rect NarrowRect{20, 0, 620, 480};
constexpr Rect StripRect{0, 0, 32, 480};
constexpr Rect MesRect{0, 400, 640, 480};
constexpr Rect FaceRect{0, 280, 195, 480};
constexpr Rect PromptRect{615, 450, 630, 470};

// Seven signed integers describing equal slots: a vertical list (GapX 0, GapY not 0),
// a row (GapY 0) or a grid of Cols columns (both gaps not 0).
struct LayoutRec {
  int32_t X, Y, W, H, GapX, GapY, Cols;
};

// Cell (Col, Row) of a sprite sheet whose W x H cells start at Origin.
Rect SheetCell(int32_t col, int32_t row, int32_t w, int32_t h, Point origin);
// Slot I (from 0) of a layout.
Rect SlotRect(int32_t i, const LayoutRec& l);

}  // namespace shirakaba
