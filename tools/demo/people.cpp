#include "tools/demo/people.h"

#include <cmath>

#include "tools/demo/maths.h"
#include "tools/demo/theme.h"

namespace shirakaba::demo {
namespace {

using namespace colour;

struct Style {
  RGB hair, hairShade, skin, dress, dressShade, accent;
  bool apron;
};

Style styleOf(Who who, Clothes clothes) {
  const RGB skin = hex(0xF8DEC8);
  const bool work = clothes == Clothes::Work;
  switch (who) {
    case Who::Harumi:
      return work ? Style{hex(0x8B5634), hex(0x5E3620), skin, hex(0x34487A), hex(0x243359), hex(0xE05A5A), true}
                  : Style{hex(0x8B5634), hex(0x5E3620), skin, hex(0xF2CF5B), hex(0x6E9A52), hex(0xFFFFFF), false};
    case Who::Kyouko:
      return work ? Style{hex(0x231C28), hex(0x120E16), hex(0xF4DACA), hex(0x573366), hex(0x3A2046), hex(0xE2B24A), false}
                  : Style{hex(0x231C28), hex(0x120E16), hex(0xF4DACA), hex(0xE6D8C0), hex(0x7A5638), hex(0x9A5A7A), false};
    case Who::Suzuna:
      return work ? Style{hex(0xE0742C), hex(0xA84C18), skin, hex(0x5E9E58), hex(0x3E7440), hex(0xFFD84A), true}
                  : Style{hex(0xE0742C), hex(0xA84C18), skin, hex(0xD8463C), hex(0x3E5E8E), hex(0xFFD84A), false};
    case Who::Mayu:
      return work ? Style{hex(0xC8C0DE), hex(0x9C93BC), hex(0xF8E6D8), hex(0x6A92C6), hex(0x46689A), hex(0x8FD0E0), true}
                  : Style{hex(0xC8C0DE), hex(0x9C93BC), hex(0xF8E6D8), hex(0xF6F4F0), hex(0xB8C8E6), hex(0x4C78C0), false};
  }
  return {};
}

void eyes(Canvas& c, float cx, float cy, float u, Mood mood, Who who) {
  for (int side = -1; side <= 1; side += 2) {
    const float ex = cx + side * u * 0.36f, ey = cy + u * 0.12f;
    if (mood == Mood::Smile) {
      c.fill(arcC(ex, ey + u * 0.06f, u * 0.15f, u * 0.12f, 3.5f, 5.9f, u * 0.06f, 12), kInk);
    } else {
      c.fill(ellipseC(ex, ey, u * 0.13f, u * 0.18f, 24), kInk);
      c.fill(ellipseC(ex, ey + u * 0.03f, u * 0.09f, u * 0.12f, 20), who == Who::Mayu ? hex(0x5A6EA8) : hex(0x6A4030));
      c.fill(ellipseC(ex - u * 0.04f, ey - u * 0.07f, u * 0.04f, u * 0.05f, 12), hex(0xFFFFFF));
    }
    const float tilt = mood == Mood::Sad ? -side * 0.1f : 0;
    c.fill(strokeC({{ex - u * 0.15f, ey - u * (0.3f + tilt)}, {ex + u * 0.15f, ey - u * (0.3f - tilt)}}, u * 0.05f), kInk, 0.8f);
  }
  if (who == Who::Kyouko)  // thin glasses
    for (int side = -1; side <= 1; side += 2)
      c.fill(Shape{roundRectC(cx + side * u * 0.36f - u * 0.22f, cy - u * 0.05f, cx + side * u * 0.36f + u * 0.22f, cy + u * 0.32f, u * 0.08f),
                   roundRectC(cx + side * u * 0.36f - u * 0.19f, cy - u * 0.02f, cx + side * u * 0.36f + u * 0.19f, cy + u * 0.29f, u * 0.06f)},
             hex(0x7A5A3A));
}

void mouth(Canvas& c, float cx, float cy, float u, Mood mood) {
  const float my = cy + u * 0.5f;
  if (mood == Mood::Smile) {
    c.fill(Contour{{cx - u * 0.16f, my - u * 0.02f}, {cx + u * 0.16f, my - u * 0.02f}, {cx + u * 0.08f, my + u * 0.12f}, {cx - u * 0.08f, my + u * 0.12f}}, hex(0xB8484A));
  } else if (mood == Mood::Sad) {
    c.fill(arcC(cx, my + u * 0.08f, u * 0.1f, u * 0.06f, 3.6f, 5.8f, u * 0.04f, 10), hex(0x9A4A44));
  } else {
    c.fill(arcC(cx, my - u * 0.02f, u * 0.1f, u * 0.06f, 0.4f, 2.7f, u * 0.04f, 10), hex(0x9A4A44));
  }
  for (int side = -1; side <= 1; side += 2)
    c.fill(ellipseC(cx + side * u * 0.55f, cy + u * 0.38f, u * 0.13f, u * 0.07f, 16), hex(0xF4A0A0), 0.45f);
}

void backHair(Canvas& c, float cx, float cy, float u, Who who, const Style& s) {
  switch (who) {
    case Who::Harumi:
      c.fill(roundRectC(cx - u * 1.12f, cy - u * 0.9f, cx + u * 1.12f, cy + u * 1.25f, u * 0.8f), s.hairShade);
      break;
    case Who::Kyouko:
      c.fill(ellipseC(cx, cy - u * 0.95f, u * 0.55f, u * 0.45f, 32), s.hairShade);
      c.fill(ellipseC(cx, cy - u * 0.1f, u * 1.08f, u * 1.02f, 48), s.hairShade);
      break;
    case Who::Suzuna:
      c.fill(ellipseC(cx, cy - u * 0.05f, u * 1.12f, u * 1.05f, 48), s.hairShade);
      break;
    case Who::Mayu:
      c.fill(roundRectC(cx - u * 1.15f, cy - u * 0.9f, cx + u * 1.15f, cy + u * 3.6f, u * 0.9f), s.hairShade);
      break;
  }
}

void frontHair(Canvas& c, float cx, float cy, float u, Who who, const Style& s) {
  const Paint hair = vgrad(cy - u, mix(s.hair, hex(0xFFFFFF), 0.15f), cy + u, s.hair);
  switch (who) {
    case Who::Harumi:
      c.fill(Contour{{cx - u * 1.05f, cy + u * 0.5f}, {cx - u * 1.0f, cy - u * 0.6f}, {cx - u * 0.4f, cy - u * 1.08f}, {cx + u * 0.5f, cy - u * 1.05f},
                     {cx + u * 1.05f, cy - u * 0.5f}, {cx + u * 1.05f, cy + u * 0.5f}, {cx + u * 0.8f, cy - u * 0.15f}, {cx + u * 0.3f, cy - u * 0.35f},
                     {cx - u * 0.1f, cy - u * 0.2f}, {cx - u * 0.45f, cy - u * 0.4f}, {cx - u * 0.8f, cy - u * 0.1f}},
             hair);
      c.fill(ellipseC(cx + u * 0.78f, cy - u * 0.55f, u * 0.16f, u * 0.12f, 16), s.accent);  // hair clip
      break;
    case Who::Kyouko:
      c.fill(Contour{{cx - u * 1.02f, cy + u * 0.3f}, {cx - u * 0.95f, cy - u * 0.6f}, {cx - u * 0.3f, cy - u * 1.05f}, {cx + u * 0.5f, cy - u * 1.02f},
                     {cx + u * 1.02f, cy - u * 0.45f}, {cx + u * 1.0f, cy + u * 0.3f}, {cx + u * 0.7f, cy - u * 0.3f}, {cx - u * 0.2f, cy - u * 0.55f},
                     {cx - u * 0.75f, cy - u * 0.2f}},
             hair);
      c.fill(ellipseC(cx, cy - u * 0.98f, u * 0.42f, u * 0.3f, 32), hair);  // the bun
      break;
    case Who::Suzuna:
      c.fill(Contour{{cx - u * 1.1f, cy + u * 0.25f}, {cx - u * 1.0f, cy - u * 0.7f}, {cx - u * 0.3f, cy - u * 1.12f}, {cx + u * 0.6f, cy - u * 1.05f},
                     {cx + u * 1.1f, cy - u * 0.5f}, {cx + u * 1.12f, cy + u * 0.25f}, {cx + u * 0.85f, cy - u * 0.1f}, {cx + u * 0.55f, cy - u * 0.42f},
                     {cx + u * 0.3f, cy - u * 0.1f}, {cx, cy - u * 0.45f}, {cx - u * 0.3f, cy - u * 0.12f}, {cx - u * 0.55f, cy - u * 0.45f},
                     {cx - u * 0.85f, cy - u * 0.05f}},
             hair);
      c.fill(rectC(cx - u * 0.75f, cy - u * 0.62f, cx - u * 0.35f, cy - u * 0.52f), s.accent);
      break;
    case Who::Mayu:
      c.fill(Contour{{cx - u * 1.08f, cy + u * 1.2f}, {cx - u * 1.02f, cy - u * 0.65f}, {cx - u * 0.35f, cy - u * 1.08f}, {cx + u * 0.45f, cy - u * 1.06f},
                     {cx + u * 1.02f, cy - u * 0.6f}, {cx + u * 1.08f, cy + u * 1.2f}, {cx + u * 0.82f, cy + u * 0.1f}, {cx + u * 0.75f, cy - u * 0.3f},
                     {cx - u * 0.75f, cy - u * 0.3f}, {cx - u * 0.82f, cy + u * 0.1f}},
             hair);
      for (int side = -1; side <= 1; side += 2)  // long locks falling over the shoulders
        c.fill(Contour{{cx + side * u * 1.08f, cy + u * 0.2f}, {cx + side * u * 0.8f, cy + u * 0.2f}, {cx + side * u * 0.72f, cy + u * 2.7f},
                       {cx + side * u * 0.9f, cy + u * 3.0f}, {cx + side * u * 1.12f, cy + u * 2.6f}},
               hair);
      c.fill(strokeC({{cx - u * 0.95f, cy - u * 0.55f}, {cx - u * 0.6f, cy - u * 0.82f}}, u * 0.12f), s.accent);
      break;
  }
}

void sparkle(Canvas& c, float x, float y, float r, RGB col) {
  c.fill(Contour{{x, y - r}, {x + r * 0.25f, y - r * 0.25f}, {x + r, y}, {x + r * 0.25f, y + r * 0.25f}, {x, y + r}, {x - r * 0.25f, y + r * 0.25f},
                 {x - r, y}, {x - r * 0.25f, y - r * 0.25f}},
         col);
}

void hand(Canvas& c, float x, float y, float u, const Style& s) { c.fill(ellipseC(x, y, u * 0.2f, u * 0.17f, 20), s.skin); }

}  // namespace

void drawPerson(Canvas& c, float cx, float cy, float u, const Pose& p) {
  const Style s = styleOf(p.who, p.clothes);
  const float H = static_cast<float>(c.height());
  const float shoulderY = cy + u * 1.42f, waistY = cy + u * 3.6f;
  const float taller = p.who == Who::Kyouko ? 1.06f : 1.0f;
  backHair(c, cx, cy, u, p.who, s);
  // Dress: shoulders, waist and a skirt flaring to the bottom edge.
  const bool twoPiece = p.clothes == Clothes::Private && p.who != Who::Mayu;
  const RGB top = s.dress, skirt = twoPiece ? s.dressShade : s.dress;
  c.fill(rectC(cx - u * 0.2f, cy + u * 0.8f, cx + u * 0.2f, shoulderY + u * 0.2f), s.skin);
  c.fill(Contour{{cx - u * 1.25f * taller, shoulderY + u * 0.45f}, {cx - u * 0.8f, shoulderY}, {cx + u * 0.8f, shoulderY},
                 {cx + u * 1.25f * taller, shoulderY + u * 0.45f}, {cx + u * 0.9f, waistY}, {cx - u * 0.9f, waistY}},
         vgrad(shoulderY, mix(top, hex(0xFFFFFF), 0.12f), waistY, top));
  c.fill(Contour{{cx - u * 0.9f, waistY - 1}, {cx + u * 0.9f, waistY - 1}, {cx + u * 2.0f, H + 2}, {cx - u * 2.0f, H + 2}},
         vgrad(waistY, skirt, H, mix(skirt, hex(0x000000), 0.18f)));
  c.fill(rectC(cx - u * 0.9f, waistY - u * 0.12f, cx + u * 0.9f, waistY + u * 0.1f), mix(skirt, hex(0x000000), 0.3f));
  // Collar.
  c.fill(Contour{{cx - u * 0.55f, shoulderY}, {cx, shoulderY + u * 0.5f}, {cx + u * 0.55f, shoulderY}, {cx + u * 0.3f, shoulderY + u * 0.05f},
                 {cx, shoulderY + u * 0.3f}, {cx - u * 0.3f, shoulderY + u * 0.05f}},
         p.clothes == Clothes::Work ? hex(0xFFFFFF) : s.accent);
  if (s.apron) {
    c.fill(roundRectC(cx - u * 0.6f, shoulderY + u * 0.55f, cx + u * 0.6f, waistY + u * 0.1f, u * 0.15f), hex(0xFBFAF4));
    c.fill(Contour{{cx - u * 0.75f, waistY}, {cx + u * 0.75f, waistY}, {cx + u * 1.2f, H * 0.5f + waistY * 0.5f + u}, {cx - u * 1.2f, H * 0.5f + waistY * 0.5f + u}},
           vgrad(waistY, hex(0xFBFAF4), H, hex(0xE6E2D6)));
    c.fill(strokeC({{cx - u * 0.6f, shoulderY + u * 0.6f}, {cx - u * 0.85f, shoulderY + u * 0.1f}}, u * 0.12f), hex(0xFBFAF4));
    c.fill(strokeC({{cx + u * 0.6f, shoulderY + u * 0.6f}, {cx + u * 0.85f, shoulderY + u * 0.1f}}, u * 0.12f), hex(0xFBFAF4));
  }
  if (p.who == Who::Kyouko && p.clothes == Clothes::Work) c.fill(ellipseC(cx, shoulderY + u * 0.55f, u * 0.13f, u * 0.13f, 20), s.accent);
  if (p.who == Who::Mayu && p.clothes == Clothes::Private)
    c.fill(Contour{{cx, shoulderY + u * 0.5f}, {cx - u * 0.4f, shoulderY + u * 0.3f}, {cx - u * 0.4f, shoulderY + u * 0.75f}, {cx, shoulderY + u * 0.55f},
                   {cx + u * 0.4f, shoulderY + u * 0.75f}, {cx + u * 0.4f, shoulderY + u * 0.3f}},
           s.accent);

  // Arms and hands, placed by the prop.
  const RGB sleeve = mix(top, hex(0x000000), 0.08f);
  float lx = cx - u * 0.95f, ly = waistY + u * 0.5f, rx = cx + u * 0.95f, ry = waistY + u * 0.5f;
  switch (p.prop) {
    case Prop::Pot: case Prop::Basket: case Prop::Stir:
      lx = cx - u * 0.7f, ly = waistY - u * 0.1f, rx = cx + u * 0.7f, ry = waistY - u * 0.1f;
      break;
    case Prop::Tray: case Prop::Serve:
      lx = cx - u * 0.75f, ly = shoulderY + u * 1.2f, rx = cx + u * 0.75f, ry = shoulderY + u * 1.2f;
      break;
    case Prop::Broom: case Prop::Sweep:
      lx = cx - u * 0.3f, ly = waistY - u * 0.5f, rx = cx + u * 0.35f, ry = waistY + u * 0.35f;
      break;
    case Prop::Sheet:
      lx = cx - u * 1.3f, ly = cy + u * 0.6f, rx = cx + u * 1.3f, ry = cy + u * 0.6f;
      break;
    case Prop::None:
      break;
  }
  c.fill(strokeC({{cx - u * 1.05f, shoulderY + u * 0.4f}, {cx - u * 1.25f, (shoulderY + ly) / 2 + u * 0.2f}, {lx, ly}}, u * 0.42f), sleeve);
  c.fill(strokeC({{cx + u * 1.05f, shoulderY + u * 0.4f}, {cx + u * 1.25f, (shoulderY + ry) / 2 + u * 0.2f}, {rx, ry}}, u * 0.42f), sleeve);

  // Head.
  c.fill(ellipseC(cx, cy, u * 0.92f, u, 64), vgrad(cy - u, mix(s.skin, hex(0xFFFFFF), 0.2f), cy + u, s.skin));
  for (int side = -1; side <= 1; side += 2) c.fill(ellipseC(cx + side * u * 0.9f, cy + u * 0.15f, u * 0.14f, u * 0.2f, 16), s.skin);
  eyes(c, cx, cy, u, p.mood, p.who);
  mouth(c, cx, cy, u, p.mood);
  frontHair(c, cx, cy, u, p.who, s);

  // Props in front.
  switch (p.prop) {
    case Prop::Pot: case Prop::Stir: {
      const float py = waistY - u * 0.1f;
      c.fill(roundRectC(cx - u * 0.95f, py - u * 0.35f, cx + u * 0.95f, py + u * 0.75f, u * 0.25f), hex(0xC25B3A));
      c.fill(rectC(cx - u * 1.1f, py - u * 0.45f, cx + u * 1.1f, py - u * 0.25f), hex(0x7E3A26));
      if (p.prop == Prop::Stir) {
        c.fill(strokeC({{cx + u * 0.2f, py - u * 0.3f}, {cx + u * 0.9f, py - u * 1.4f}}, u * 0.1f), hex(0xC8A070));
        for (int i = -1; i <= 1; ++i)
          c.fill(strokeC({{cx + i * u * 0.4f, py - u * 0.6f}, {cx + i * u * 0.4f + u * 0.15f, py - u * 1.0f}, {cx + i * u * 0.4f, py - u * 1.4f}}, u * 0.08f), hex(0xFFFFFF), 0.6f);
      }
      break;
    }
    case Prop::Broom: case Prop::Sweep: {
      const float dir = p.prop == Prop::Broom ? 1.0f : -1.0f;
      const Pt a{cx + dir * u * 0.9f, shoulderY - u * 0.6f}, b{cx - dir * u * 0.7f, H - u * 0.6f};
      c.fill(strokeC({a, b}, u * 0.14f), kWood);
      c.fill(Contour{{b.x - u * 0.35f, b.y - u * 0.35f}, {b.x + u * 0.35f, b.y - u * 0.35f}, {b.x + u * 0.7f, H + 2}, {b.x - u * 0.7f, H + 2}}, hex(0xD8B45A));
      if (p.prop == Prop::Sweep)
        for (int i = 0; i < 4; ++i) sparkle(c, b.x + (i - 1.5f) * u * 0.6f, H - u * (0.9f + 0.3f * (i % 2)), u * 0.15f, hex(0xFFFFFF));
      break;
    }
    case Prop::Basket: {
      const float py = waistY - u * 0.2f;
      c.fill(ellipseC(cx - u * 0.4f, py - u * 0.2f, u * 0.6f, u * 0.35f, 24), hex(0xFFFFFF));
      c.fill(ellipseC(cx + u * 0.4f, py - u * 0.25f, u * 0.55f, u * 0.3f, 24), hex(0xBFD8EE));
      c.fill(Contour{{cx - u * 1.2f, py}, {cx + u * 1.2f, py}, {cx + u * 0.95f, py + u * 1.0f}, {cx - u * 0.95f, py + u * 1.0f}}, hex(0xB88A4E));
      for (int i = 0; i < 3; ++i) c.fill(rectC(cx - u * 1.1f, py + u * (0.2f + 0.25f * i), cx + u * 1.1f, py + u * (0.27f + 0.25f * i)), hex(0x8A6234));
      break;
    }
    case Prop::Sheet:
      c.fill(Contour{{cx - u * 1.4f, cy + u * 0.4f}, {cx + u * 1.4f, cy + u * 0.4f}, {cx + u * 1.6f, waistY + u * 1.5f}, {cx - u * 1.6f, waistY + u * 1.5f}},
             vgrad(cy, hex(0xFFFFFF), waistY + u, hex(0xDDE8F0)), 0.96f);
      break;
    case Prop::Tray: case Prop::Serve: {
      const float py = shoulderY + u * 1.15f, dx = p.prop == Prop::Serve ? u * 0.3f : 0;
      c.fill(ellipseC(cx + dx, py, u * 1.2f, u * 0.22f, 32), hex(0xB8864E));
      c.fill(Contour{{cx + dx - u * 0.3f, py - u * 0.5f}, {cx + dx + u * 0.3f, py - u * 0.5f}, {cx + dx + u * 0.22f, py - u * 0.05f}, {cx + dx - u * 0.22f, py - u * 0.05f}}, hex(0xFFFFFF));
      c.fill(arcC(cx + dx + u * 0.33f, py - u * 0.3f, u * 0.1f, u * 0.12f, -1.6f, 1.6f, u * 0.06f), hex(0xFFFFFF));
      if (p.prop == Prop::Serve)
        c.fill(strokeC({{cx + dx, py - u * 0.6f}, {cx + dx + u * 0.1f, py - u * 0.9f}, {cx + dx, py - u * 1.2f}}, u * 0.07f), hex(0xFFFFFF), 0.7f);
      break;
    }
    case Prop::None:
      break;
  }
  if (p.prop != Prop::Sheet) {
    hand(c, lx, ly, u, s);
    hand(c, rx, ry, u, s);
  }
  if (p.sparkles)
    for (int i = 0; i < 5; ++i) {
      const float a = -2.6f + i * 0.55f;
      sparkle(c, cx + cosine(a) * u * 1.7f, cy + sine(a) * u * 1.5f, u * (0.16f + 0.05f * (i % 2)), kGold);
    }
  if (p.gloom)
    for (int i = 0; i < 4; ++i) {
      const float x = cx - u * 0.6f + i * u * 0.4f;
      c.fill(strokeC({{x, cy - u * 1.45f}, {x, cy - u * 0.95f}}, u * 0.06f), hex(0x5A6EA8), 0.8f);
    }
}

}  // namespace shirakaba::demo
