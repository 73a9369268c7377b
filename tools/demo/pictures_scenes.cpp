// Pictures 30..59 (the thirty script backgrounds), 120 (the closing picture) and
// 121..127 (the seven event pictures): rooms and grounds of the training house
// painted from a few parts, each background carrying its name in a corner.
#include <algorithm>
#include <cmath>

#include "tools/demo/demo_data.h"
#include "tools/demo/people.h"
#include "tools/demo/labels.h"
#include "tools/demo/theme.h"

namespace shirakaba::demo {
namespace {

using namespace colour;

enum class Sky { Day, Dusk, Night, Morning };

// ---- the sky and the grounds ----

void sky(Canvas& c, Sky s, float horizon) {
  const float w = static_cast<float>(c.width());
  switch (s) {
    case Sky::Day: c.fill(rectC(0, 0, w, horizon), vgrad(0, hex(0x6FA8DC), horizon, hex(0xD6ECF6))); break;
    case Sky::Morning: c.fill(rectC(0, 0, w, horizon), vgrad(0, hex(0x9CC4E8), horizon, hex(0xFBE8CC))); break;
    case Sky::Dusk: c.fill(rectC(0, 0, w, horizon), vgrad(0, hex(0x6A5A9A), horizon, hex(0xF7A86A))); break;
    case Sky::Night: c.fill(rectC(0, 0, w, horizon), vgrad(0, hex(0x0B1230), horizon, hex(0x26356A))); break;
  }
  if (s == Sky::Night) {
    Lcg r(1234);
    for (int i = 0; i < 110; ++i) {
      const float x = r.range(0, w), y = r.range(0, horizon * 0.85f), sz = r.range(0.6f, 1.7f);
      c.fill(ellipseC(x, y, sz, sz, 10), hex(0xFFF6D8), r.range(0.4f, 1.0f));
    }
    c.fill(Shape{ellipseC(w * 0.8f, horizon * 0.25f, 26, 26), ellipseC(w * 0.8f + 12, horizon * 0.25f - 8, 23, 23)}, hex(0xFFF0C0));
  } else if (s == Sky::Day || s == Sky::Morning) {
    Lcg r(99);
    for (int i = 0; i < 4; ++i) {
      const float x = r.range(40, w - 80), y = r.range(20, horizon * 0.5f);
      for (int k = 0; k < 3; ++k) c.fill(ellipseC(x + k * 26, y + (k == 1 ? -8 : 0), 30, 16, 32), hex(0xFFFFFF), 0.75f);
    }
  } else {
    c.fill(ellipseC(w * 0.25f, horizon - 10, 44, 44), hex(0xFFD9A0), 0.9f);
  }
}

RGB nightShade(RGB day, bool night) { return night ? mix(day, hex(0x1A2446), 0.68f) : day; }

void ground(Canvas& c, float y, bool night, RGB grass = hex(0x8DB36A)) {
  c.fill(rectC(0, y, static_cast<float>(c.width()), static_cast<float>(c.height())),
         vgrad(y, nightShade(grass, night), static_cast<float>(c.height()), nightShade(mix(grass, hex(0x3E5A2C), 0.5f), night)));
}

void birch(Canvas& c, float x, float top, float bottom, float w, bool night, uint32_t seed) {
  c.fill(rectC(x, top, x + w, bottom), hgrad(x, nightShade(hex(0xFFFFFF), night), x + w, nightShade(hex(0xCBC6B6), night)));
  Lcg r(seed);
  for (float y = top + r.range(5, 25); y < bottom; y += r.range(18, 44)) {
    const float markH = r.range(2, 4), markRight = w * r.range(0.5f, 1.0f), markLeft = r.range(0, w * 0.3f);  // last argument first
    c.fill(roundRectC(x + markLeft, y, x + markRight, y + markH, 1.5f), nightShade(kBark, night), 0.7f);
  }
}

void leaves(Canvas& c, float cx, float cy, float rx, float ry, bool night, uint32_t seed) {
  Lcg r(seed);
  for (int i = 0; i < 7; ++i) {
    // Last argument first: the tint, then the ellipse from its last number to its first.
    const float tint = r.unit(), leafRy = ry * r.range(0.4f, 0.7f), leafRx = rx * r.range(0.4f, 0.7f);
    const float dy = r.range(-ry, ry) * 0.6f, dx = r.range(-rx, rx) * 0.7f;
    c.fill(ellipseC(cx + dx, cy + dy, leafRx, leafRy, 40), nightShade(mix(hex(0x7FAE55), hex(0xB8D477), tint), night), 0.85f);
  }
}

void grove(Canvas& c, float horizon, bool night, uint32_t seed) {
  Lcg r(seed);
  for (int i = 0; i < 7; ++i) {
    const float x = r.range(0, 640), tw = r.range(6, 12);
    leaves(c, x + tw / 2, horizon - r.range(60, 110), 60, 40, night, seed + i);
    birch(c, x, horizon - r.range(90, 150), horizon + 10, tw, night, seed * 7 + i);
  }
}

void windowsRow(Canvas& c, float x, float y, int n, float gap, float ww, float wh, bool night, uint32_t seed) {
  Lcg r(seed);
  for (int i = 0; i < n; ++i) {
    const bool lit = night && r.unit() < 0.6f;
    const RGB glass = night ? (lit ? hex(0xFFD27A) : hex(0x2A3658)) : hex(0x9CC2DA);
    c.fill(roundRectC(x + i * gap, y, x + i * gap + ww, y + wh, 2), glass);
    c.fill(rectC(x + i * gap + ww / 2 - 1, y, x + i * gap + ww / 2 + 1, y + wh), nightShade(hex(0xFFFFFF), night), 0.8f);
  }
}

// The main house: a wide two-storey manor with a dark blue roof.
void mainHouse(Canvas& c, float x, float y, float s, bool night) {
  const RGB wall = nightShade(hex(0xF1E8D6), night), roof = nightShade(hex(0x3F5A78), night);
  c.fill(rectC(x, y + 60 * s, x + 400 * s, y + 230 * s), wall);
  c.fill(Contour{{x - 14 * s, y + 64 * s}, {x + 60 * s, y}, {x + 340 * s, y}, {x + 414 * s, y + 64 * s}}, roof);
  c.fill(rectC(x + 150 * s, y + 20 * s, x + 250 * s, y + 230 * s), nightShade(hex(0xE6DAC2), night));
  c.fill(Contour{{x + 140 * s, y + 24 * s}, {x + 200 * s, y - 30 * s}, {x + 260 * s, y + 24 * s}}, roof);
  windowsRow(c, x + 20 * s, y + 80 * s, 3, 42 * s, 24 * s, 40 * s, night, 3);
  windowsRow(c, x + 274 * s, y + 80 * s, 3, 42 * s, 24 * s, 40 * s, night, 4);
  windowsRow(c, x + 20 * s, y + 150 * s, 3, 42 * s, 24 * s, 40 * s, night, 5);
  windowsRow(c, x + 274 * s, y + 150 * s, 3, 42 * s, 24 * s, 40 * s, night, 6);
  c.fill(roundRectC(x + 178 * s, y + 150 * s, x + 222 * s, y + 230 * s, 18 * s), nightShade(kDarkWood, night));
  c.fill(ellipseC(x + 200 * s, y + 70 * s, 16 * s, 16 * s), nightShade(hex(0xFFFFFF), night));
  c.fill(rectC(x + 199 * s, y + 60 * s, x + 201 * s, y + 72 * s), nightShade(kInk, night));
}

// The dormitory: a long wooden building with a porch lamp.
void dormitory(Canvas& c, float x, float y, float s, bool night) {
  const RGB wall = nightShade(hex(0xE8D2AE), night), roof = nightShade(hex(0x8A4A34), night);
  c.fill(rectC(x, y + 50 * s, x + 440 * s, y + 220 * s), wall);
  c.fill(Contour{{x - 16 * s, y + 54 * s}, {x + 40 * s, y}, {x + 400 * s, y}, {x + 456 * s, y + 54 * s}}, roof);
  for (int k = 0; k < 2; ++k) windowsRow(c, x + 20 * s, y + (70 + 70 * k) * s, 8, 52 * s, 26 * s, 36 * s, night, 10 + k);
  c.fill(rectC(x + 190 * s, y + 150 * s, x + 250 * s, y + 220 * s), nightShade(kWood, night));
  c.fill(Contour{{x + 170 * s, y + 150 * s}, {x + 270 * s, y + 150 * s}, {x + 255 * s, y + 136 * s}, {x + 185 * s, y + 136 * s}}, roof);
  if (night) {
    Plane glow(c.width(), c.height());
    glow.fill(ellipseC(x + 276 * s, y + 150 * s, 34 * s, 30 * s), 0.6f);
    glow.blur(8);
    c.fillPlane(glow, solid(hex(0xFFD890)));
  }
  c.fill(ellipseC(x + 276 * s, y + 150 * s, 6 * s, 8 * s), night ? hex(0xFFE7A8) : hex(0xE9E2C8));
}

void bench(Canvas& c, float x, float y, float s, bool night) {
  const RGB wood = nightShade(hex(0xA8743E), night), dark = nightShade(kDarkWood, night);
  c.fill(rectC(x, y, x + 180 * s, y + 12 * s), wood);
  c.fill(rectC(x, y - 40 * s, x + 180 * s, y - 30 * s), wood);
  c.fill(rectC(x, y - 22 * s, x + 180 * s, y - 13 * s), wood);
  for (float lx : {x + 12 * s, x + 160 * s}) c.fill(rectC(lx, y - 44 * s, lx + 8 * s, y + 44 * s), dark);
}

void pool(Canvas& c, float y, bool night) {
  c.fill(Contour{{60, y}, {580, y}, {640, y + 150}, {0, y + 150}}, nightShade(hex(0xDCD6C6), night));
  c.fill(Contour{{100, y + 14}, {540, y + 14}, {585, y + 130}, {55, y + 130}},
         vgrad(y, night ? hex(0x1C3E6A) : hex(0x8AD2EE), y + 130, night ? hex(0x0E2244) : hex(0x3C8AC0)));
  Lcg r(8);
  for (int i = 0; i < 14; ++i) {
    const float x = r.range(110, 520), yy = r.range(y + 25, y + 120);
    c.fill(arcC(x, yy, r.range(12, 26), 3, 3.3f, 6.1f, 1.6f), night ? hex(0xFFF0C0) : hex(0xFFFFFF), night ? 0.5f : 0.7f);
  }
  for (float lx : {150.0f, 320.0f, 490.0f}) c.fill(rectC(lx - 1, y + 14, lx + 1, y + 130), nightShade(hex(0xFFFFFF), night), 0.35f);
}

void lampPost(Canvas& c, float x, float base, bool night) {
  c.fill(rectC(x - 3, base - 150, x + 3, base), nightShade(hex(0x3A3A40), night));
  c.fill(roundRectC(x - 10, base - 172, x + 10, base - 148, 4), night ? hex(0xFFE4A0) : hex(0xE8E4D6));
  if (night) {
    Plane glow(c.width(), c.height());
    glow.fill(ellipseC(x, base - 160, 60, 60), 0.5f);
    glow.blur(14);
    c.fillPlane(glow, solid(hex(0xFFD890)));
  }
}

// ---- rooms ----

struct Room {
  RGB wall, floor, trim;
  Sky window = Sky::Day;
  bool hasWindow = true;
  bool night = false;
  bool dark = false;
};

void roomShell(Canvas& c, const Room& r) {
  const RGB wall = r.wall, floor = r.floor;
  c.fill(rectC(0, 0, 640, 480), solid(mix(wall, hex(0x000000), 0.15f)));
  c.fill(rectC(80, 40, 560, 330), vgrad(40, mix(wall, hex(0xFFFFFF), 0.12f), 330, wall));
  c.fill(Contour{{0, 0}, {80, 40}, {80, 330}, {0, 480}}, hgrad(0, mix(wall, hex(0x000000), 0.25f), 80, mix(wall, hex(0x000000), 0.08f)));
  c.fill(Contour{{640, 0}, {560, 40}, {560, 330}, {640, 480}}, hgrad(560, mix(wall, hex(0x000000), 0.08f), 640, mix(wall, hex(0x000000), 0.25f)));
  c.fill(Contour{{0, 0}, {640, 0}, {560, 40}, {80, 40}}, mix(wall, hex(0xFFFFFF), 0.2f));
  c.fill(Contour{{80, 330}, {560, 330}, {640, 480}, {0, 480}}, vgrad(330, mix(floor, hex(0x000000), 0.1f), 480, floor));
  for (int i = 1; i < 9; ++i) {  // floor boards converging on the back wall
    const float t = i / 9.0f;
    c.fill(strokeC({{80 + 480 * t, 330}, {640 * t, 480}}, 1.2f), mix(floor, hex(0x000000), 0.25f), 0.6f);
  }
  c.fill(rectC(80, 322, 560, 332), r.trim);
  if (r.hasWindow) {
    c.fill(rectC(246, 76, 394, 222), r.trim);
    Canvas view(140, 138);
    sky(view, r.window, 110);
    view.fill(rectC(0, 100, 140, 138), solid(nightShade(hex(0x8DB36A), r.window == Sky::Night)));
    for (int i = 0; i < 4; ++i) birch(view, 12.0f + 36 * i, 40, 138, 5, r.window == Sky::Night, 40 + i);
    for (int y = 0; y < 138; ++y)
      for (int x = 0; x < 140; ++x) c.set(250 + x, 80 + y, view.get(x, y));
    c.fill(rectC(318, 80, 322, 218), r.trim);
    c.fill(rectC(250, 146, 390, 150), r.trim);
    c.fill(Contour{{232, 66}, {272, 66}, {262, 236}, {226, 236}}, mix(r.trim, hex(0xFFFFFF), 0.5f), 0.9f);
    c.fill(Contour{{368, 66}, {408, 66}, {414, 236}, {378, 236}}, mix(r.trim, hex(0xFFFFFF), 0.5f), 0.9f);
    c.fill(rectC(226, 62, 414, 68), nightShade(kDarkWood, false));
  }
}

void nightTint(Canvas& c, float amount) { c.fill(rectC(0, 0, 640, 480), hex(0x101A3A), amount); }

void lampGlow(Canvas& c, float x, float y, float r) {
  Plane glow(640, 480);
  glow.fill(ellipseC(x, y, r, r * 0.8f), 0.55f);
  glow.blur(static_cast<int>(r / 5));
  c.fillPlane(glow, solid(hex(0xFFD890)));
}

void bed(Canvas& c, float x, float y, RGB cover) {
  c.fill(rectC(x, y - 60, x + 14, y + 70), kDarkWood);
  c.fill(Contour{{x + 10, y}, {x + 200, y}, {x + 250, y + 90}, {x + 10, y + 90}}, hex(0xF4F0E4));
  c.fill(Contour{{x + 60, y + 8}, {x + 205, y + 8}, {x + 255, y + 100}, {x + 50, y + 100}}, vgrad(y, mix(cover, hex(0xFFFFFF), 0.2f), y + 100, cover));
  c.fill(roundRectC(x + 16, y - 8, x + 62, y + 24, 8), hex(0xFFFFFF));
}

void desk(Canvas& c, float x, float y, bool lamp) {
  c.fill(rectC(x, y, x + 150, y + 12), kWood);
  c.fill(rectC(x + 6, y + 12, x + 16, y + 100), kDarkWood);
  c.fill(rectC(x + 134, y + 12, x + 144, y + 100), kDarkWood);
  c.fill(rectC(x + 84, y + 12, x + 144, y + 50), mix(kWood, hex(0x000000), 0.15f));
  for (int i = 0; i < 4; ++i) c.fill(rectC(x + 12 + 10 * i, y - 30 + 2 * i, x + 20 + 10 * i, y), mix(hex(0x6A8CC0), hex(0xD8643C), i / 3.0f));
  if (lamp) {
    c.fill(rectC(x + 118, y - 50, x + 122, y), kBark);
    c.fill(Contour{{x + 104, y - 50}, {x + 136, y - 50}, {x + 128, y - 70}, {x + 112, y - 70}}, hex(0xE8C070));
  }
}

void shelf(Canvas& c, float x, float y, float w, float h, uint32_t seed) {
  c.fill(rectC(x, y, x + w, y + h), kDarkWood);
  Lcg r(seed);
  const int rows = static_cast<int>(h / 46);
  for (int k = 0; k < rows; ++k) {
    const float sy = y + 8 + k * 46;
    c.fill(rectC(x + 6, sy, x + w - 6, sy + 36), mix(kDarkWood, hex(0x000000), 0.3f));
    for (float bx = x + 8; bx < x + w - 14;) {
      const float bw = r.range(6, 12), bh = r.range(22, 34);
      const float awayFromRed = r.unit(), towardsGold = r.unit();  // last argument first
      c.fill(rectC(bx, sy + 36 - bh, bx + bw, sy + 36), mix(hex(0x8A3A3A), mix(hex(0x3A6A8A), hex(0xC8A050), towardsGold), awayFromRed));
      bx += bw + 1;
    }
  }
}

void table(Canvas& c, float cx, float y, float w, RGB cloth) {
  c.fill(Contour{{cx - w / 2, y}, {cx + w / 2, y}, {cx + w / 2 + 40, y + 60}, {cx - w / 2 - 40, y + 60}}, vgrad(y, mix(cloth, hex(0xFFFFFF), 0.3f), y + 60, cloth));
  c.fill(rectC(cx - w / 2 - 40, y + 60, cx + w / 2 + 40, y + 74), mix(cloth, hex(0x000000), 0.15f));
  c.fill(rectC(cx - w / 2 - 30, y + 74, cx - w / 2 - 20, y + 140), kDarkWood);
  c.fill(rectC(cx + w / 2 + 20, y + 74, cx + w / 2 + 30, y + 140), kDarkWood);
}

void teaSet(Canvas& c, float cx, float y) {
  c.fill(ellipseC(cx, y, 26, 20), hex(0xFFFFFF));
  c.fill(ellipseC(cx, y - 20, 8, 5), hex(0xFFFFFF));
  c.fill(strokeC({{cx + 22, y - 4}, {cx + 40, y - 16}}, 5), hex(0xFFFFFF));
  for (int i = -1; i <= 1; i += 2) {
    c.fill(ellipseC(cx + i * 60, y + 14, 16, 5), hex(0xE8E2D2));
    c.fill(Contour{{cx + i * 60 - 10, y}, {cx + i * 60 + 10, y}, {cx + i * 60 + 7, y + 12}, {cx + i * 60 - 7, y + 12}}, hex(0xFFFFFF));
  }
}

void door(Canvas& c, float x, float y, float w, float h, RGB colour) {
  c.fill(rectC(x - 4, y - 4, x + w + 4, y + h), kDarkWood);
  c.fill(rectC(x, y, x + w, y + h), vgrad(y, mix(colour, hex(0xFFFFFF), 0.1f), y + h, colour));
  c.fill(ellipseC(x + w - 10, y + h * 0.55f, 3, 3), kGold);
}

void corridor(Canvas& c, bool night) {
  const RGB wall = hex(0xEADDC4), floor = hex(0x9A6A44);
  c.fill(rectC(0, 0, 640, 480), solid(wall));
  c.fill(Contour{{0, 0}, {260, 150}, {260, 290}, {0, 480}}, hgrad(0, mix(wall, hex(0x000000), 0.05f), 260, mix(wall, hex(0x000000), 0.25f)));
  c.fill(Contour{{640, 0}, {380, 150}, {380, 290}, {640, 480}}, hgrad(380, mix(wall, hex(0x000000), 0.25f), 640, mix(wall, hex(0x000000), 0.05f)));
  c.fill(rectC(260, 150, 380, 290), mix(wall, hex(0x000000), 0.35f));
  c.fill(Contour{{0, 0}, {640, 0}, {380, 150}, {260, 150}}, mix(wall, hex(0xFFFFFF), 0.3f));
  c.fill(Contour{{260, 290}, {380, 290}, {640, 480}, {0, 480}}, vgrad(290, mix(floor, hex(0x000000), 0.3f), 480, floor));
  c.fill(Contour{{290, 290}, {350, 290}, {470, 480}, {170, 480}}, hex(0x7A3A3A), 0.8f);  // runner carpet
  const RGB doors[3] = {hex(0x6A4A7A), hex(0xD98A3E), hex(0x7A9CC8)};
  for (int i = 0; i < 3; ++i) {  // doors along the left wall, getting smaller
    const float t = i / 3.0f, x0 = 30 + 200 * t, x1 = x0 + 60 * (1 - t * 0.8f);
    const float top0 = 80 + 60 * t, top1 = top0 + 25 * (1 - t);
    c.fill(Contour{{x0, top0}, {x1, top1 + 8}, {x1, 420 - 125 * t - 30}, {x0, 420 - 125 * t}}, doors[i]);
    c.fill(ellipseC(x1 - 8 * (1 - t), (top0 + 420 - 125 * t) / 2 + 10, 3 * (1 - t * 0.6f), 3 * (1 - t * 0.6f)), kGold);
  }
  for (int i = 0; i < 3; ++i) {  // ceiling lamps
    const float t = i / 3.0f, x = 320, y = 40 + 90 * t;
    c.fill(ellipseC(x, y, 24 * (1 - t * 0.6f), 7 * (1 - t * 0.6f)), hex(0xFFF2C8));
  }
  if (night) {
    nightTint(c, 0.55f);
    for (int i = 0; i < 3; ++i) lampGlow(c, 320, 40 + 90 * i / 3.0f, 80 - 18 * i);
  }
}

// ---- the thirty backgrounds ----

Canvas scene(int k) {
  Canvas c(640, 480);
  switch (k) {
    case 1: case 3: case 4: {  // the trainee's room: day, night, dark
      const bool night = k != 1;
      roomShell(c, {hex(0xF3E6CC), hex(0xB88A5E), hex(0xFFFFFF), night ? Sky::Night : Sky::Day});
      bed(c, 90, 300, hex(0xF0A0A8));
      desk(c, 420, 260, true);
      c.fill(roundRectC(130, 90, 200, 160, 4), kWood);
      c.fill(rectC(136, 96, 194, 154), hex(0xBFD8E8));
      c.fill(ellipseC(165, 125, 14, 14), hex(0xF4C860));
      if (k == 3) {
        nightTint(c, 0.45f);
        lampGlow(c, 540, 200, 120);
      } else if (k == 4) {
        nightTint(c, 0.78f);
        Plane moon(640, 480);
        moon.fill(Contour{{250, 80}, {390, 80}, {470, 420}, {200, 420}}, 0.3f);
        moon.blur(10);
        c.fillPlane(moon, solid(hex(0x9AB0E0)));
      }
      break;
    }
    case 2: {  // practice room
      roomShell(c, {hex(0xEEF0E2), hex(0xC89A66), hex(0xFFFFFF)});
      c.fill(rectC(110, 90, 220, 200), hex(0x2F4A3A));
      c.fill(rectC(104, 84, 226, 90), kWood);
      const std::string steps = label("手順");
      c.text(122, 110, steps, fitted(steps, 16, 90), hex(0xFFFFFF), 0.8f);
      c.fill(rectC(122, 140, 200, 142), hex(0xFFFFFF), 0.6f);
      c.fill(rectC(122, 160, 190, 162), hex(0xFFFFFF), 0.6f);
      table(c, 320, 300, 220, hex(0xF4F0E4));
      teaSet(c, 320, 318);
      shelf(c, 440, 150, 100, 170, 21);
      break;
    }
    case 5: {  // dining room at lunch
      roomShell(c, {hex(0xF6ECD6), hex(0xB0804E), hex(0xFFFFFF)});
      for (float x : {120.0f, 470.0f}) {
        c.fill(rectC(x, 80, x + 60, 220), hex(0xFFFFFF));
        c.fill(rectC(x + 4, 84, x + 56, 216), hex(0xBFE0F0));
      }
      Plane sun(640, 480);
      sun.fill(Contour{{250, 220}, {390, 220}, {470, 470}, {170, 470}}, 0.35f);
      sun.blur(16);
      c.fillPlane(sun, solid(hex(0xFFF2C0)));
      table(c, 320, 290, 320, hex(0xFBF8EE));
      for (int i = -2; i <= 2; ++i) {
        c.fill(ellipseC(320 + i * 70.0f, 312, 22, 7), hex(0xFFFFFF));
        c.fill(ellipseC(320 + i * 70.0f, 310, 12, 4), mix(hex(0xE8A050), hex(0x8AB06A), (i + 2) / 4.0f));
      }
      c.fill(ellipseC(320, 292, 14, 20), hex(0x8AB0D8));
      leaves(c, 320, 270, 20, 14, false, 3);
      break;
    }
    case 6: case 9: {  // main house, day and night
      const bool night = k == 9;
      sky(c, night ? Sky::Night : Sky::Day, 300);
      grove(c, 300, night, 60);
      ground(c, 300, night);
      mainHouse(c, 120, 110, 1.0f, night);
      c.fill(Contour{{290, 340}, {350, 340}, {430, 480}, {210, 480}}, nightShade(hex(0xD8C8A0), night));
      break;
    }
    case 7: corridor(c, true); break;
    case 23: corridor(c, false); break;
    case 8: case 21: {  // dormitory front
      const bool night = k == 8;
      sky(c, night ? Sky::Night : Sky::Day, 300);
      grove(c, 300, night, 80);
      ground(c, 300, night);
      dormitory(c, 100, 110, 1.0f, night);
      c.fill(Contour{{290, 330}, {350, 330}, {420, 480}, {220, 480}}, nightShade(hex(0xD8C8A0), night));
      lampPost(c, 560, 420, night);
      if (!night)
        for (int i = 0; i < 8; ++i) c.fill(ellipseC(120 + 18.0f * i, 350, 7, 6), mix(hex(0xE85A7A), hex(0xF4D04A), i % 2));
      break;
    }
    case 10: case 13: {  // bench under the birches
      const bool night = k == 10;
      sky(c, night ? Sky::Night : Sky::Day, 280);
      grove(c, 280, night, 90);
      ground(c, 280, night);
      leaves(c, 420, 150, 130, 90, night, 12);
      birch(c, 400, 160, 380, 22, night, 14);
      c.fill(ellipseC(300, 400, 200, 26), hex(0x000000), night ? 0.25f : 0.12f);
      bench(c, 210, 370, 1.1f, night);
      lampPost(c, 110, 400, night);
      break;
    }
    case 11: case 14: {  // behind the main house: the kitchen garden
      const bool night = k == 11;
      sky(c, night ? Sky::Night : Sky::Day, 220);
      const RGB wall = nightShade(hex(0xE6DCC8), night);
      c.fill(rectC(0, 60, 640, 300), vgrad(60, mix(wall, hex(0xFFFFFF), 0.1f), 300, mix(wall, hex(0x000000), 0.12f)));
      c.fill(rectC(0, 40, 640, 66), nightShade(hex(0x3F5A78), night));
      c.fill(rectC(0, 66, 640, 74), hex(0x000000), 0.15f);  // the eaves' shadow
      c.fill(rectC(0, 276, 640, 300), nightShade(hex(0xA89A88), night));
      windowsRow(c, 40, 110, 6, 100, 30, 44, night, 30);
      c.fill(rectC(470, 200, 520, 300), nightShade(kDarkWood, night));
      c.fill(rectC(432, 66, 440, 300), nightShade(hex(0x8A8A90), night));  // drainpipe
      c.fill(ellipseC(495, 186, 6, 6), night ? hex(0xFFE7A8) : hex(0xE9E2C8));
      if (night) lampGlow(c, 495, 190, 60);
      for (int i = 0; i < 3; ++i) {  // crates by the door
        const float x = 540 + (i == 2 ? 20.0f : 44.0f * i), y = i == 2 ? 214.0f : 254.0f;
        c.fill(rectC(x, y, x + 42, y + 40), nightShade(hex(0xB08A5A), night));
        c.fill(Shape{rectC(x, y, x + 42, y + 40), rectC(x + 3, y + 3, x + 39, y + 37)}, nightShade(kWood, night));
      }
      ground(c, 300, night, hex(0x9A7A50));
      for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 8; ++i) {
          const float x = 60 + i * 70 + row * 12, y = 330 + row * 48;
          leaves(c, x, y, 20, 12, night, row * 10 + i);
          if ((i + row) % 2 == 0) c.fill(ellipseC(x + 6, y + 4, 6, 6), nightShade(hex(0xD8402E), night));
        }
      break;
    }
    case 12: case 15: {  // pool
      const bool night = k == 12;
      sky(c, night ? Sky::Night : Sky::Day, 260);
      grove(c, 260, night, 120);
      ground(c, 260, night, hex(0xB8C8A0));
      pool(c, 300, night);
      for (float x : {40.0f, 600.0f}) lampPost(c, x, 300, night);
      break;
    }
    case 16: {  // at the desk, night
      c.fill(rectC(0, 0, 640, 480), vgrad(0, hex(0x3A3A52), 480, hex(0x1E1E2E)));
      c.fill(rectC(0, 300, 640, 480), vgrad(300, hex(0x9A6A44), 480, hex(0x6A4428)));
      c.fill(rectC(60, 40, 300, 240), hex(0x2A2A40));
      {
        Canvas view(228, 188);
        sky(view, Sky::Night, 188);
        for (int y = 0; y < 188; ++y)
          for (int x = 0; x < 228; ++x) c.set(66 + x, 46 + y, view.get(x, y));
      }
      lampGlow(c, 470, 230, 220);
      c.fill(rectC(468, 120, 476, 310), kBark);
      c.fill(Contour{{420, 120}, {520, 120}, {496, 70}, {444, 70}}, hex(0xE8C070));
      c.fill(Contour{{180, 330}, {400, 320}, {420, 420}, {170, 430}}, hex(0xFBF8EE));
      for (int i = 0; i < 6; ++i) c.fill(rectC(200, 345 + 12.0f * i, 380, 346 + 12.0f * i), hex(0x9A9AB0));
      c.fill(strokeC({{400, 360}, {460, 300}}, 5), hex(0x3F6B8A));
      shelf(c, 520, 300, 100, 60, 5);
      break;
    }
    case 17: {  // head instructor's living room
      roomShell(c, {hex(0xE8DCE6), hex(0x8A5A44), hex(0xF4EEE8), Sky::Night});
      nightTint(c, 0.3f);
      c.fill(roundRectC(110, 250, 330, 360, 20), hex(0x6A3A6A));
      c.fill(roundRectC(120, 230, 320, 290, 18), hex(0x7E4A7E));
      c.fill(ellipseC(170, 290, 26, 14), hex(0xF0D8A0));
      table(c, 470, 320, 60, hex(0x7A4A3A));
      teaSet(c, 470, 330);
      shelf(c, 440, 120, 100, 150, 17);
      lampGlow(c, 400, 200, 160);
      break;
    }
    case 18: {  // the office, lit
      roomShell(c, {hex(0xE4E8E0), hex(0x8A6A4A), hex(0xF6F4EE), Sky::Night});
      shelf(c, 90, 90, 130, 230, 18);
      desk(c, 360, 270, true);
      c.fill(rectC(390, 252, 440, 270), hex(0xFBF8EE));
      nightTint(c, 0.18f);
      lampGlow(c, 480, 210, 150);
      break;
    }
    case 19: case 27: {  // the second trainee's room: fabrics everywhere
      const bool night = k == 19;
      roomShell(c, {hex(0xFBE6D0), hex(0xC88A5A), hex(0xFFFFFF), night ? Sky::Night : Sky::Day});
      bed(c, 330, 300, hex(0xF4B050));
      Lcg r(19);
      for (int i = 0; i < 6; ++i) {
        const float x = 100 + i * 22.0f;
        c.fill(Contour{{x, 100}, {x + 20, 100}, {x + 26, 250}, {x - 4, 250}}, mix(hex(0xE85A5A), hex(0x5AB0E8), r.unit()));
      }
      c.fill(rectC(90, 96, 240, 100), kDarkWood);
      c.fill(roundRectC(120, 300, 220, 360, 6), hex(0x6A4A3A));
      c.fill(ellipseC(170, 296, 30, 8), hex(0xE8E0D0));
      if (night) {
        nightTint(c, 0.42f);
        lampGlow(c, 200, 230, 130);
      }
      break;
    }
    case 20: case 28: {  // the third trainee's room: books
      const bool night = k == 20;
      roomShell(c, {hex(0xE6ECF4), hex(0xA88A6A), hex(0xFFFFFF), night ? Sky::Night : Sky::Day});
      shelf(c, 90, 60, 130, 270, 20);
      shelf(c, 420, 60, 130, 270, 22);
      c.fill(ellipseC(320, 236, 10, 14), hex(0xFFFFFF));
      c.fill(rectC(319, 236, 321, 250), kLeaf);
      if (night) {
        nightTint(c, 0.45f);
        lampGlow(c, 320, 300, 120);
      }
      break;
    }
    case 22: {  // kitchen
      roomShell(c, {hex(0xF0EEE4), hex(0x9A9A8A), hex(0xFFFFFF)});
      for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 3; ++j) c.fill(rectC(86 + 60.0f * i, 230 + 30.0f * j, 144 + 60.0f * i, 258 + 30.0f * j), hex(0xFFFFFF), 0.5f);
      c.fill(rectC(80, 250, 560, 330), hex(0xD8D0C0));
      c.fill(rectC(80, 244, 560, 252), hex(0x8A8A80));
      c.fill(roundRectC(140, 222, 200, 246, 6), hex(0xC25B3A));
      c.fill(roundRectC(380, 226, 430, 246, 6), hex(0x8AA0B0));
      for (int i = 0; i < 5; ++i) c.fill(strokeC({{460 + 16.0f * i, 100}, {460 + 16.0f * i, 140}}, 3), hex(0x8A8A80));
      for (int i = 0; i < 3; ++i) c.fill(ellipseC(250 + 30.0f * i, 236, 10, 8), mix(hex(0xE8902E), hex(0x6AA050), i / 2.0f));
      break;
    }
    case 24: {  // the slope road at sunset
      sky(c, Sky::Dusk, 300);
      mainHouse(c, 360, 150, 0.55f, false);
      c.fill(Contour{{0, 280}, {300, 240}, {640, 260}, {640, 480}, {0, 480}}, vgrad(240, hex(0xA8A070), 480, hex(0x5A6040)));
      c.fill(Contour{{440, 250}, {470, 250}, {420, 480}, {200, 480}}, vgrad(250, hex(0xE8C8A0), 480, hex(0xB89870)));
      for (int i = 0; i < 6; ++i) {
        birch(c, 30 + 60.0f * i, 60, 480, 10 + i % 3 * 3, false, 300 + i);
        leaves(c, 36 + 60.0f * i, 80, 50, 34, false, 310 + i);
      }
      birch(c, 560, 40, 480, 18, false, 330);
      c.fill(rectC(0, 0, 640, 480), hex(0xF79A5A), 0.18f);
      break;
    }
    case 25: {  // entrance hall
      roomShell(c, {hex(0xEFE4D0), hex(0x8A5A3A), hex(0xFFFFFF), Sky::Dusk, false});
      door(c, 260, 120, 120, 210, hex(0x7A4A2E));
      c.fill(ellipseC(320, 60, 40, 12), hex(0xFFE8B0));
      c.fill(rectC(120, 300, 200, 330), kDarkWood);
      leaves(c, 160, 270, 30, 30, false, 25);
      c.fill(Contour{{200, 480}, {270, 330}, {370, 330}, {440, 480}}, hex(0x7A3A3A), 0.8f);
      break;
    }
    case 26: {  // garden with the washing lines
      sky(c, Sky::Day, 290);
      grove(c, 290, false, 140);
      ground(c, 290, false);
      for (float x : {80.0f, 560.0f}) c.fill(rectC(x - 4, 120, x + 4, 400), hex(0xE8E4D6));
      c.fill(strokeC({{80, 130}, {320, 150}, {560, 130}}, 2), hex(0x8A8A80));
      for (int i = 0; i < 4; ++i) {
        const float x = 120 + 110.0f * i;
        c.fill(Contour{{x, 132 + (i == 1 || i == 2 ? 10.0f : 4.0f)}, {x + 90, 132 + (i == 1 || i == 2 ? 10.0f : 4.0f)}, {x + 96, 300}, {x + 6, 296}},
               vgrad(130, hex(0xFFFFFF), 300, hex(0xDCE8F0)));
      }
      break;
    }
    case 29: {  // the night sky
      sky(c, Sky::Night, 400);
      c.fill(Contour{{0, 380}, {160, 340}, {330, 370}, {500, 330}, {640, 360}, {640, 480}, {0, 480}}, hex(0x0E1424));
      for (int i = 0; i < 9; ++i) birch(c, 20 + 72.0f * i, 300 + (i % 3) * 10.0f, 480, 6, true, 500 + i);
      break;
    }
    case 30: {  // morning window
      c.fill(rectC(0, 0, 640, 480), solid(hex(0xF6ECD8)));
      c.fill(rectC(110, 40, 530, 380), hex(0xFFFFFF));
      Canvas view(400, 320);
      sky(view, Sky::Morning, 220);
      grove(view, 240, false, 160);
      view.fill(rectC(0, 240, 400, 320), solid(hex(0x9CC07A)));
      for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 400; ++x) c.set(120 + x, 50 + y, view.get(x, y));
      c.fill(rectC(318, 50, 322, 370), hex(0xFFFFFF));
      c.fill(rectC(120, 208, 520, 212), hex(0xFFFFFF));
      c.fill(Contour{{80, 20}, {160, 20}, {140, 420}, {70, 420}}, hex(0xF4D8C0), 0.95f);
      c.fill(Contour{{480, 20}, {560, 20}, {570, 420}, {500, 420}}, hex(0xF4D8C0), 0.95f);
      c.fill(rectC(60, 380, 580, 400), kWood);
      leaves(c, 200, 370, 22, 14, false, 31);
      break;
    }
  }
  return c;
}

const char* const kBackgroundNames[31] = {"",         "昼春未",   "実習室",   "夜春未",   "暗春未",     "屋敷昼休み", "昼本宅",
                                          "夜廊下1F", "夜寮前",   "夜本宅",   "夜ベンチ",   "夜本宅裏",   "夜プール",   "昼ベンチ",
                                          "昼本宅裏", "昼プール", "机前",     "鏡子リビング", "明事務所", "夜鈴菜",     "夜麻由",
                                          "昼寮前",   "台所",     "昼廊下1F", "夕焼け坂道", "玄関",     "昼庭",       "昼鈴菜",
                                          "昼麻由",   "夜空",     "朝の窓"};

Canvas closing() {
  Canvas c(640, 480);
  sky(c, Sky::Dusk, 320);
  mainHouse(c, 200, 150, 0.6f, false);
  grove(c, 320, false, 200);
  ground(c, 320, false, hex(0x8A9A60));
  c.fill(rectC(0, 0, 640, 480), hex(0xF79A5A), 0.15f);
  c.fill(roundRectC(170, 40, 470, 110, 16), kDeepGreen, 0.75f);
  const std::string name = label("白樺館の一週間");
  c.textCentred(320, 52, name, fitted(name, 30, 290), kIvory);
  c.textCentred(320, 88, label("おしまい"), 14, hex(0xE6D9A8));
  return c;
}

// ---- the seven event pictures ----

Canvas eventPicture(int n) {
  const int w = n <= 4 ? 600 : 640;
  Canvas c(w, 480);
  const float cx = w / 2.0f;
  switch (n) {
    case 1: {  // cooking: a pot on the stove and a cutting board
      c.fill(rectC(0, 0, static_cast<float>(w), 480), vgrad(0, hex(0xF4EEE0), 480, hex(0xD8CCB0)));
      c.fill(rectC(0, 300, static_cast<float>(w), 480), hex(0xB89A70));
      lampGlow(c, cx, 200, 200);
      c.fill(roundRectC(cx - 200, 160, cx + 20, 320, 30), vgrad(160, hex(0xD86A48), 320, hex(0xA8442A)));
      c.fill(rectC(cx - 220, 150, cx + 40, 172), hex(0x7E3A26));
      for (int i = 0; i < 4; ++i)
        c.fill(strokeC({{cx - 170 + 45.0f * i, 140}, {cx - 150 + 45.0f * i, 100}, {cx - 170 + 45.0f * i, 60}}, 8), hex(0xFFFFFF), 0.6f);
      c.fill(roundRectC(cx + 60, 320, cx + 260, 420, 8), hex(0xE8C890));
      for (int i = 0; i < 6; ++i) c.fill(ellipseC(cx + 90 + 28.0f * i, 370, 12, 9), hex(0xF08A2E));
      c.fill(strokeC({{cx + 120, 340}, {cx + 250, 300}}, 10), hex(0xC8C8D0));
      break;
    }
    case 2: {  // cleaning: a shining window and a bucket
      c.fill(rectC(0, 0, static_cast<float>(w), 480), solid(hex(0xE8DCC4)));
      c.fill(rectC(cx - 200, 40, cx + 200, 340), hex(0xFFFFFF));
      Canvas view(380, 280);
      sky(view, Sky::Day, 220);
      grove(view, 240, false, 7);
      for (int y = 0; y < 280; ++y)
        for (int x = 0; x < 380; ++x) c.set(static_cast<int>(cx) - 190 + x, 50 + y, view.get(x, y));
      for (int i = 0; i < 5; ++i)
        c.fill(Contour{{cx - 150 + 60.0f * i, 60}, {cx - 130 + 60.0f * i, 60}, {cx - 190 + 60.0f * i, 320}, {cx - 210 + 60.0f * i, 320}}, hex(0xFFFFFF), 0.35f);
      c.fill(rectC(0, 360, static_cast<float>(w), 480), hex(0x9A6A44));
      c.fill(Contour{{cx + 120, 330}, {cx + 220, 330}, {cx + 205, 440}, {cx + 135, 440}}, hex(0x6A8AB0));
      c.fill(ellipseC(cx + 170, 332, 50, 10), hex(0xAFD0E8));
      break;
    }
    case 3: {  // washing: sheets filling with wind
      sky(c, Sky::Day, 380);
      c.fill(rectC(0, 380, static_cast<float>(w), 480), vgrad(380, hex(0x8DB36A), 480, hex(0x5E7F4A)));
      c.fill(strokeC({{0, 90}, {cx, 120}, {static_cast<float>(w), 90}}, 3), hex(0x8A8A80));
      for (int i = 0; i < 3; ++i) {
        const float x = 40 + 190.0f * i;
        c.fill(Contour{{x, 96 + 10.0f * (i == 1)}, {x + 150, 96 + 10.0f * (i == 1)}, {x + 175, 330}, {x + 80, 360}, {x - 15, 330}},
               vgrad(90, hex(0xFFFFFF), 360, hex(0xD8E6F2)));
      }
      break;
    }
    case 4: {  // manners: a tea tray seen from above
      c.fill(rectC(0, 0, static_cast<float>(w), 480), radial(cx, 240, 420, hex(0xC8A070), hex(0x7A5034)));
      c.fill(ellipseC(cx, 250, 240, 170, 96), hex(0xB8864E));
      c.fill(ellipseC(cx, 250, 225, 156, 96), hex(0xC8985E));
      c.fill(ellipseC(cx - 70, 250, 70, 70), hex(0xFFFFFF));
      c.fill(ellipseC(cx - 70, 250, 56, 56), radial(cx - 70, 250, 56, hex(0xC8D88A), hex(0x8AA050)));
      c.fill(ellipseC(cx + 110, 200, 50, 40), hex(0xFFFFFF));
      c.fill(ellipseC(cx + 110, 200, 14, 10), hex(0xE8E2D2));
      c.fill(ellipseC(cx + 100, 320, 30, 22), hex(0xF4C8D0));
      break;
    }
    case 5: {  // arrival: the trainee before the house at sunset
      sky(c, Sky::Dusk, 330);
      mainHouse(c, 170, 120, 0.75f, false);
      grove(c, 330, false, 250);
      c.fill(rectC(0, 330, 640, 480), vgrad(330, hex(0xA8A070), 480, hex(0x5A6040)));
      c.fill(rectC(0, 0, 640, 480), hex(0xF79A5A), 0.15f);
      Pose p;
      p.clothes = Clothes::Private;
      drawPerson(c, 470, 250, 34, p);
      c.fill(roundRectC(520, 420, 600, 470, 8), hex(0x8A5A36));
      break;
    }
    case 6: {  // the letter home
      c.fill(rectC(0, 0, 640, 480), vgrad(0, hex(0x2E2E44), 480, hex(0x1A1A28)));
      lampGlow(c, 470, 160, 260);
      c.fill(Contour{{120, 140}, {470, 120}, {520, 440}, {100, 460}}, hex(0xFBF8EE));
      const char* lines[] = {"お母さんへ", "私は元気です。", "館のみんなは優しくて、", "毎日が新しいことばかり。", "がんばります。", "春未"};
      for (int i = 0; i < 6; ++i) {
        const std::string line = label(lines[i]);
        c.text(150 + (i == 5 ? 230.0f : 0), 170 + 44.0f * i, line, fitted(line, 22, 300), hex(0x3A3050));
      }
      c.fill(strokeC({{500, 300}, {600, 200}}, 8), hex(0x3F6B8A));
      break;
    }
    case 7: {  // the closing tea party
      roomShell(c, {hex(0xF6ECD6), hex(0xB0804E), hex(0xFFFFFF)});
      Pose k;
      k.who = Who::Kyouko;
      k.mood = Mood::Smile;
      drawPerson(c, 140, 170, 34, k);
      Pose s;
      s.who = Who::Suzuna;
      s.mood = Mood::Smile;
      drawPerson(c, 500, 180, 32, s);
      Pose m;
      m.who = Who::Mayu;
      m.mood = Mood::Smile;
      drawPerson(c, 590, 190, 30, m);
      Pose h;
      h.mood = Mood::Smile;
      h.prop = Prop::Serve;
      drawPerson(c, 320, 150, 38, h);
      table(c, 320, 360, 380, hex(0xFBF8EE));
      teaSet(c, 320, 380);
      leaves(c, 200, 360, 26, 18, false, 70);
      break;
    }
  }
  return c;
}

}  // namespace

Bitmap makeBackground(int n) {
  if (n == 120) return closing().toBitmap();
  const int k = n - 29;
  Canvas c = scene(k);
  cornerName(c, label(kBackgroundNames[k]));
  return c.toBitmap();
}

Bitmap makeCG(int n) { return eventPicture(n - 120).toBitmap(); }

}  // namespace shirakaba::demo
