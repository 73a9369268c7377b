// A tiny vector painter for the demo pictures: anti-aliased polygons, ellipses and
// rounded boxes with solid or computed paint, blurred weight planes and text.
// Everything is plain float arithmetic, so the same build paints the same bytes.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/bitmap.h"

namespace shirakaba::demo {

struct RGB {
  float r = 0, g = 0, b = 0;
};
// From 0xRRGGBB as written in colour pickers.
RGB hex(uint32_t rrggbb);
RGB mix(RGB a, RGB b, float t);
RGB scale(RGB a, float k);

struct Pt {
  float x, y;
};
using Contour = std::vector<Pt>;
using Shape = std::vector<Contour>;  // even-odd: inner contours cut holes

Contour rectC(float x0, float y0, float x1, float y1);
Contour roundRectC(float x0, float y0, float x1, float y1, float r);
Contour ellipseC(float cx, float cy, float rx, float ry, int segments = 72);
// A band of width w along the polyline (open), with round-ish ends.
Contour strokeC(const std::vector<Pt>& line, float w);
Contour arcC(float cx, float cy, float rx, float ry, float a0, float a1, float w, int segments = 24);

// Paint: colour at a pixel centre.
using Paint = std::function<RGB(float x, float y)>;
Paint solid(RGB c);
Paint vgrad(float y0, RGB top, float y1, RGB bottom);
Paint hgrad(float x0, RGB left, float x1, RGB right);
Paint radial(float cx, float cy, float r, RGB inner, RGB outer);

// One channel of weights 0..1 (masks, shadows, coverage).
class Plane {
 public:
  Plane(int w, int h, float fill = 0);
  int width() const { return w_; }
  int height() const { return h_; }
  float& at(int x, int y) { return v_[static_cast<size_t>(y) * w_ + x]; }
  float at(int x, int y) const { return v_[static_cast<size_t>(y) * w_ + x]; }
  // Adds the shape with weight `value` (union: max with the existing weight).
  void fill(const Shape& s, float value = 1);
  void fill(const Contour& c, float value = 1) { fill(Shape{c}, value); }
  // Cuts the shape out (weights multiplied by 1 - coverage).
  void cut(const Shape& s);
  void blur(int radius);  // three box passes, roughly Gaussian
  // As an 8-bit mask whose palette indices are the weights.
  Bitmap toMask() const;

 private:
  int w_, h_;
  std::vector<float> v_;
};

class Canvas {
 public:
  Canvas(int w, int h, RGB fill = {});
  int width() const { return w_; }
  int height() const { return h_; }
  void fill(const Shape& s, const Paint& p, float opacity = 1);
  void fill(const Contour& c, const Paint& p, float opacity = 1) { fill(Shape{c}, p, opacity); }
  void fill(const Contour& c, RGB colour, float opacity = 1) { fill(Shape{c}, solid(colour), opacity); }
  void fill(const Shape& s, RGB colour, float opacity = 1) { fill(s, solid(colour), opacity); }
  // Paints through a weight plane placed at (ox, oy).
  void fillPlane(const Plane& weights, const Paint& p, float opacity = 1, int ox = 0, int oy = 0);
  // Text with the top-left of its cell at (x, y); returns the advance in pixels.
  float text(float x, float y, const std::string& utf8, int px, RGB colour, float opacity = 1);
  void textCentred(float cx, float y, const std::string& utf8, int px, RGB colour, float opacity = 1);
  // Text with a one-pixel dark rim for legibility on pictures.
  void label(float x, float y, const std::string& utf8, int px, RGB colour, RGB rim);
  RGB get(int x, int y) const;
  void set(int x, int y, RGB c);
  Bitmap toBitmap() const;  // 32-bit
  Plane& alpha() { return alpha_; }  // union of everything painted since creation
  const Plane& alpha() const { return alpha_; }

 private:
  int w_, h_;
  std::vector<float> px_;
  Plane alpha_;
};

float textWidth(const std::string& utf8, int px);
bool haveFont();

// Deterministic pseudo-random numbers for scattering stars, leaves and grain.
// Take each draw in a statement of its own: compilers evaluate function arguments in
// different orders (g++ last to first, clang first to last), so two draws in one call
// paint different pictures. Where a call once held several, they are drawn last
// argument first, the order the pictures were made in.
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : s_(seed) {}
  uint32_t next() {
    s_ = s_ * 1664525u + 1013904223u;
    return s_ >> 8;
  }
  float unit() { return static_cast<float>(next() & 0xFFFF) / 65535.0f; }
  float range(float a, float b) { return a + (b - a) * unit(); }

 private:
  uint32_t s_;
};

}  // namespace shirakaba::demo
