// Points and rectangles (left, top, right, bottom; right and bottom exclusive).
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

}  // namespace shirakaba
