#include "tools/demo/theme.h"

#include <algorithm>
#include <cmath>

namespace shirakaba::demo {

void paintBackdrop(Canvas& c) {
  using namespace colour;
  const float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
  c.fill(rectC(0, 0, w, h), vgrad(0, hex(0xDCE8D2), h, hex(0xF7F1DE)));
  {
    Plane light(c.width(), c.height());
    light.fill(ellipseC(w * 0.5f, h * 0.45f, w * 0.36f, h * 0.3f), 0.6f);
    light.blur(static_cast<int>(w / 16));
    c.fillPlane(light, solid(kIvory));
  }
  // Birch trunks standing along both edges, pale with dark bark marks.
  const float xs[6] = {14, 48, 92, w - 96, w - 52, w - 18};
  const float ws[6] = {16, 10, 7, 8, 12, 17};
  for (int i = 0; i < 6; ++i) {
    const float x = xs[i], tw = ws[i];
    const float fade = (i == 2 || i == 3) ? 0.45f : 0.85f;
    c.fill(rectC(x - tw / 2, 0, x + tw / 2, h), hgrad(x - tw / 2, hex(0xFFFFFF), x + tw / 2, hex(0xD6D2C4)), fade);
    Lcg r(77 + i);
    for (float y = r.range(10, 40); y < h; y += r.range(28, 60)) {
      const float mw = tw * r.range(0.35f, 0.8f), mh = r.range(2, 4);
      const float mx = x - tw / 2 + r.range(0, tw - mw);
      c.fill(roundRectC(mx, y, mx + mw, y + mh, 1.5f), kBark, 0.55f * fade);
    }
  }
  // A few leaves drifting through the light.
  Lcg r(5);
  for (int i = 0; i < 18; ++i) {
    const float x = r.range(110, w - 110), y = r.range(20, h - 20), s = r.range(4, 8);
    c.fill(ellipseC(x, y, s, s * 0.55f, 16), mix(kLeaf, hex(0xC9D77A), r.unit()), 0.35f);
  }
}

Plane softPlate(int w, int h, float inset, float radius, int soft, float strength) {
  Plane p(w, h);
  p.fill(roundRectC(inset, inset, w - inset, h - inset, radius), strength);
  p.blur(soft);
  return p;
}

void keyOut(Canvas& c, int x0, int y0, int x1, int y1) {
  for (int y = std::max(0, y0); y < std::min(c.height(), y1); ++y)
    for (int x = std::max(0, x0); x < std::min(c.width(), x1); ++x)
      if (c.alpha().at(x, y) < 0.5f) c.set(x, y, colour::kKey);
}

Canvas crop(const Canvas& src, int sx, int sy, int w, int h) {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.set(x, y, src.get(std::clamp(sx + x, 0, src.width() - 1), std::clamp(sy + y, 0, src.height() - 1)));
  return out;
}

void cornerName(Canvas& c, const std::string& name) {
  const float tw = textWidth(name, 12);
  const float x = c.width() - tw - 14, y = 8;
  c.fill(roundRectC(x - 6, y - 2, x + tw + 6, y + 16, 4), hex(0x000000), 0.35f);
  c.text(x, y, name, 12, hex(0xFFFFFF), 0.9f);
}

}  // namespace shirakaba::demo
