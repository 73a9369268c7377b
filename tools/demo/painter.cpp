#include "tools/demo/painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/files.h"
#include "base/text.h"
#include "base/utf8.h"
#include "tools/demo/maths.h"

namespace shirakaba::demo {

RGB hex(uint32_t c) {
  return {static_cast<float>((c >> 16) & 255), static_cast<float>((c >> 8) & 255), static_cast<float>(c & 255)};
}
RGB mix(RGB a, RGB b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
RGB scale(RGB a, float k) { return {a.r * k, a.g * k, a.b * k}; }

Contour rectC(float x0, float y0, float x1, float y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

Contour roundRectC(float x0, float y0, float x1, float y1, float r) {
  r = std::min({r, (x1 - x0) / 2, (y1 - y0) / 2});
  Contour c;
  const float cx[4] = {x1 - r, x1 - r, x0 + r, x0 + r}, cy[4] = {y0 + r, y1 - r, y1 - r, y0 + r};
  for (int q = 0; q < 4; ++q)
    for (int i = 0; i <= 8; ++i) {
      const float a = static_cast<float>(M_PI) * (-0.5f + 0.5f * q + i / 16.0f);
      c.push_back({cx[q] + r * cosine(a), cy[q] + r * sine(a)});
    }
  return c;
}

Contour ellipseC(float cx, float cy, float rx, float ry, int n) {
  Contour c;
  for (int i = 0; i < n; ++i) {
    const float a = 2 * static_cast<float>(M_PI) * i / n;
    c.push_back({cx + rx * cosine(a), cy + ry * sine(a)});
  }
  return c;
}

Contour strokeC(const std::vector<Pt>& line, float w) {
  Contour left, right;
  const float h = w / 2;
  for (size_t i = 0; i < line.size(); ++i) {
    const Pt a = line[i == 0 ? 0 : i - 1], b = line[i + 1 < line.size() ? i + 1 : i];
    float dx = b.x - a.x, dy = b.y - a.y;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len > 0) dx /= len, dy /= len;
    left.push_back({line[i].x - dy * h, line[i].y + dx * h});
    right.push_back({line[i].x + dy * h, line[i].y - dx * h});
  }
  Contour c = left;
  c.insert(c.end(), right.rbegin(), right.rend());
  return c;
}

Contour arcC(float cx, float cy, float rx, float ry, float a0, float a1, float w, int n) {
  std::vector<Pt> line;
  for (int i = 0; i <= n; ++i) {
    const float a = a0 + (a1 - a0) * i / n;
    line.push_back({cx + rx * cosine(a), cy + ry * sine(a)});
  }
  return strokeC(line, w);
}

Paint solid(RGB c) {
  return [c](float, float) { return c; };
}
Paint vgrad(float y0, RGB top, float y1, RGB bottom) {
  return [=](float, float y) { return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}
Paint hgrad(float x0, RGB left, float x1, RGB right) {
  return [=](float x, float) { return mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0f, 1.0f)); };
}
Paint radial(float cx, float cy, float r, RGB inner, RGB outer) {
  return [=](float x, float y) {
    const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r;
    return mix(inner, outer, std::clamp(d, 0.0f, 1.0f));
  };
}

namespace {

constexpr int kSub = 5;  // sub-rows per pixel row

// Calls emit(x, y, coverage) for every pixel the shape touches (even-odd rule).
template <typename F>
void rasterize(const Shape& s, int w, int h, F&& emit) {
  float minY = 1e9f, maxY = -1e9f, minX = 1e9f, maxX = -1e9f;
  for (const Contour& c : s)
    for (const Pt& p : c) {
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    }
  const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
  const int y1 = std::min(h - 1, static_cast<int>(std::ceil(maxY)));
  const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
  const int x1 = std::min(w - 1, static_cast<int>(std::ceil(maxX)));
  if (y0 > y1 || x0 > x1) return;
  std::vector<float> cov(static_cast<size_t>(x1 - x0 + 2));
  std::vector<float> xs;
  for (int y = y0; y <= y1; ++y) {
    std::fill(cov.begin(), cov.end(), 0.0f);
    bool any = false;
    for (int sub = 0; sub < kSub; ++sub) {
      const float sy = y + (sub + 0.5f) / kSub;
      xs.clear();
      for (const Contour& c : s)
        for (size_t i = 0; i < c.size(); ++i) {
          const Pt a = c[i], b = c[(i + 1) % c.size()];
          if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
            xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        const float xa = std::max(xs[i], static_cast<float>(x0)), xb = std::min(xs[i + 1], x1 + 1.0f);
        if (xb <= xa) continue;
        any = true;
        for (int ix = static_cast<int>(std::floor(xa)); ix <= static_cast<int>(std::floor(xb)) && ix <= x1; ++ix) {
          const float o = std::min(xb, ix + 1.0f) - std::max(xa, static_cast<float>(ix));
          if (o > 0) cov[ix - x0] += o / kSub;
        }
      }
    }
    if (!any) continue;
    for (int x = x0; x <= x1; ++x)
      if (cov[x - x0] > 0.001f) emit(x, y, std::min(1.0f, cov[x - x0]));
  }
}

// The font, loaded once: the game's own Japanese face when fontconfig finds one.
struct Font {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  Font() {
    if (FT_Init_FreeType(&lib)) return;
    const char* candidates[] = {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                                "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"};
    for (const char* c : candidates)
      if (fileExists(c) && FT_New_Face(lib, c, 0, &face) == 0) return;
    if (auto f = findGameFont(); f && FT_New_Face(lib, f.value()->file().c_str(), 0, &face) == 0) return;
    face = nullptr;
  }
};
Font& font() {
  static Font f;
  return f;
}

// Visits the glyph coverage of the text: emit(x, y, weight).
template <typename F>
float drawGlyphs(float x, float y, const std::string& utf8, int px, F&& emit) {
  Font& f = font();
  if (!f.face) return 0;
  FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(px));
  const float ascent = static_cast<float>(f.face->size->metrics.ascender) / 64.0f;
  float pen = x;
  size_t pos = 0;
  char32_t cp = 0;
  while (pos < utf8.size()) {
    if (!decodeUtf8(utf8, pos, cp)) continue;
    if (FT_Load_Char(f.face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) continue;
    const FT_GlyphSlot g = f.face->glyph;
    const int gx = static_cast<int>(std::lround(pen)) + g->bitmap_left;
    const int gy = static_cast<int>(std::lround(y + ascent)) - g->bitmap_top;
    for (unsigned r = 0; r < g->bitmap.rows; ++r)
      for (unsigned c = 0; c < g->bitmap.width; ++c) {
        const uint8_t v = g->bitmap.buffer[r * g->bitmap.pitch + c];
        if (v) emit(gx + static_cast<int>(c), gy + static_cast<int>(r), v / 255.0f);
      }
    pen += static_cast<float>(g->advance.x) / 64.0f;
  }
  return pen - x;
}

}  // namespace

bool haveFont() { return font().face != nullptr; }

float textWidth(const std::string& utf8, int px) {
  return drawGlyphs(0, 0, utf8, px, [](int, int, float) {});
}

Plane::Plane(int w, int h, float fill) : w_(w), h_(h), v_(static_cast<size_t>(w) * h, fill) {}

void Plane::fill(const Shape& s, float value) {
  rasterize(s, w_, h_, [&](int x, int y, float c) { at(x, y) = std::max(at(x, y), c * value); });
}

void Plane::cut(const Shape& s) {
  rasterize(s, w_, h_, [&](int x, int y, float c) { at(x, y) *= 1 - c; });
}

void Plane::blur(int radius) {
  if (radius <= 0) return;
  std::vector<float> tmp(v_.size());
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h_; ++y) {  // rows
      float sum = 0;
      for (int x = -radius; x <= radius; ++x) sum += at(std::clamp(x, 0, w_ - 1), y);
      for (int x = 0; x < w_; ++x) {
        tmp[static_cast<size_t>(y) * w_ + x] = sum / (2 * radius + 1);
        sum += at(std::min(x + radius + 1, w_ - 1), y) - at(std::max(x - radius, 0), y);
      }
    }
    for (int x = 0; x < w_; ++x) {  // columns
      float sum = 0;
      for (int y = -radius; y <= radius; ++y) sum += tmp[static_cast<size_t>(std::clamp(y, 0, h_ - 1)) * w_ + x];
      for (int y = 0; y < h_; ++y) {
        at(x, y) = sum / (2 * radius + 1);
        sum += tmp[static_cast<size_t>(std::min(y + radius + 1, h_ - 1)) * w_ + x] -
               tmp[static_cast<size_t>(std::max(y - radius, 0)) * w_ + x];
      }
    }
  }
}

Bitmap Plane::toMask() const {
  Bitmap b;
  b.width = w_;
  b.height = h_;
  b.format = PixelFormat::Indexed8;
  b.stride = Bitmap::strideFor(PixelFormat::Indexed8, w_);
  b.pixels.assign(static_cast<size_t>(b.stride) * h_, 0);
  for (uint32_t i = 0; i < 256; ++i) b.palette.push_back((i << 16) | (i << 8) | i);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      b.row(y)[x] = static_cast<uint8_t>(std::lround(std::clamp(at(x, y), 0.0f, 1.0f) * 255));
  return b;
}

Canvas::Canvas(int w, int h, RGB fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h * 3), alpha_(w, h) {
  for (size_t i = 0; i < px_.size(); i += 3) px_[i] = fill.r, px_[i + 1] = fill.g, px_[i + 2] = fill.b;
}

RGB Canvas::get(int x, int y) const {
  const float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 3];
  return {p[0], p[1], p[2]};
}
void Canvas::set(int x, int y, RGB c) {
  float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 3];
  p[0] = c.r, p[1] = c.g, p[2] = c.b;
}

void Canvas::fill(const Shape& s, const Paint& paint, float opacity) {
  rasterize(s, w_, h_, [&](int x, int y, float c) {
    const float a = c * opacity;
    set(x, y, mix(get(x, y), paint(x + 0.5f, y + 0.5f), a));
    alpha_.at(x, y) = std::max(alpha_.at(x, y), c);
  });
}

void Canvas::fillPlane(const Plane& wts, const Paint& paint, float opacity, int ox, int oy) {
  for (int y = 0; y < wts.height(); ++y)
    for (int x = 0; x < wts.width(); ++x) {
      const int tx = x + ox, ty = y + oy;
      const float a = wts.at(x, y) * opacity;
      if (a <= 0 || tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
      set(tx, ty, mix(get(tx, ty), paint(tx + 0.5f, ty + 0.5f), std::min(a, 1.0f)));
    }
}

float Canvas::text(float x, float y, const std::string& utf8, int px, RGB colour, float opacity) {
  return drawGlyphs(x, y, utf8, px, [&](int gx, int gy, float v) {
    if (gx < 0 || gy < 0 || gx >= w_ || gy >= h_) return;
    set(gx, gy, mix(get(gx, gy), colour, v * opacity));
  });
}

void Canvas::textCentred(float cx, float y, const std::string& utf8, int px, RGB colour, float opacity) {
  text(std::round(cx - textWidth(utf8, px) / 2), y, utf8, px, colour, opacity);
}

void Canvas::label(float x, float y, const std::string& utf8, int px, RGB colour, RGB rim) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx || dy) text(x + dx, y + dy, utf8, px, rim, 0.6f);
  text(x, y, utf8, px, colour);
}

Bitmap Canvas::toBitmap() const {
  Bitmap b = Bitmap::create32(w_, h_);
  auto q = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const RGB c = get(x, y);
      setPixel32(b, x, y, q(c.r) | (q(c.g) << 8) | (q(c.b) << 16));
    }
  return b;
}

}  // namespace shirakaba::demo
