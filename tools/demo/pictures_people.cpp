// Pictures 60..119: the eighteen standing figures and the twelve faces, each with
// a soft-edged 8-bit mask cut from the figure's own outline.
#include <algorithm>
#include <array>

#include "tools/demo/demo_data.h"
#include "tools/demo/people.h"
#include "tools/demo/theme.h"

namespace shirakaba::demo {
namespace {

const RGB kOutline = hex(0x3A2A22);

// Widths that fill each picture's place in the pack exactly (480 rows high).
constexpr std::array<int, 18> kSpriteWidths = {210, 240, 250, 190, 196, 196, 176, 220, 200,
                                               190, 305, 240, 300, 280, 360, 250, 376, 470};
constexpr std::array<int, 12> kFaceWidths = {180, 190, 180, 180, 180, 160, 180, 185, 180, 180, 160, 190};

Pose spritePose(int k) {
  Pose p;
  switch (k) {
    case 1: break;
    case 2: p.prop = Prop::Pot; break;
    case 3: p.prop = Prop::Broom; break;
    case 4: p.prop = Prop::Basket; break;
    case 5: p.prop = Prop::Tray; break;
    case 6: p.prop = Prop::Stir, p.mood = Mood::Smile; break;
    case 7: p.prop = Prop::Sweep; break;
    case 8: p.prop = Prop::Sheet, p.mood = Mood::Smile; break;
    case 9: p.prop = Prop::Serve; break;
    case 10: p.mood = Mood::Smile, p.sparkles = true; break;
    case 11: p.mood = Mood::Sad, p.gloom = true; break;
    case 12: p.who = Who::Kyouko; break;
    case 13: p.who = Who::Suzuna, p.mood = Mood::Smile; break;
    case 14: p.who = Who::Mayu; break;
    case 15: p.who = Who::Kyouko, p.clothes = Clothes::Private, p.mood = Mood::Smile; break;
    case 16: p.who = Who::Suzuna, p.clothes = Clothes::Private, p.mood = Mood::Smile; break;
    case 17: p.who = Who::Mayu, p.clothes = Clothes::Private; break;
    case 18: p.clothes = Clothes::Private; break;
  }
  return p;
}

Pose facePose(int k) {
  Pose p;
  switch (k) {
    case 1: break;
    case 2: p.clothes = Clothes::Private; break;
    case 3: p.who = Who::Kyouko; break;
    case 4: p.who = Who::Suzuna; break;
    case 5: p.who = Who::Mayu; break;
    case 6: p.mood = Mood::Smile; break;
    case 7: p.who = Who::Kyouko, p.mood = Mood::Smile; break;
    case 8: p.who = Who::Suzuna, p.mood = Mood::Smile; break;
    case 9: p.who = Who::Mayu, p.mood = Mood::Smile; break;
    case 10: p.mood = Mood::Sad; break;
    case 11: p.who = Who::Kyouko, p.clothes = Clothes::Private; break;
    case 12: p.who = Who::Suzuna, p.clothes = Clothes::Private, p.mood = Mood::Smile; break;
  }
  return p;
}

// The mask: the painted outline grown by one pixel (a dark rim) and softened.
Plane outlineMask(const Plane& alpha) {
  Plane m(alpha.width(), alpha.height());
  for (int y = 0; y < m.height(); ++y)
    for (int x = 0; x < m.width(); ++x) {
      float v = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int xx = std::clamp(x + dx, 0, m.width() - 1), yy = std::clamp(y + dy, 0, m.height() - 1);
          v = std::max(v, alpha.at(xx, yy));
        }
      m.at(x, y) = v;
    }
  m.blur(1);
  return m;
}

Canvas paintSprite(int k) {
  Canvas c(kSpriteWidths[k - 1], 480, kOutline);
  const Pose p = spritePose(k);
  // The figure stands near the left of a wide picture, so that every sprite slot
  // puts it at the same place on the screen whatever the picture's width.
  drawPerson(c, std::min(c.width() / 2.0f, 120.0f), p.who == Who::Kyouko ? 84.0f : 96.0f, 40, p);
  return c;
}

Canvas paintFace(int k) {
  Canvas c(kFaceWidths[k - 1], 200, kOutline);
  drawPerson(c, std::min(c.width() / 2.0f, 84.0f), 84, 52, facePose(k));
  return c;
}

}  // namespace

Bitmap makeSprite(int n) {
  if (n >= 60 && n <= 77) return paintSprite(n - 59).toBitmap();
  if (n >= 78 && n <= 95) return outlineMask(paintSprite(n - 77).alpha()).toMask();
  return {};
}

Bitmap makeFace(int n) {
  if (n >= 96 && n <= 107) return paintFace(n - 95).toBitmap();
  if (n >= 108 && n <= 119) {
    Plane m = outlineMask(paintFace(n - 107).alpha());
    // Keep the face clear of the indented text that starts at x 170.
    for (int y = 0; y < m.height(); ++y)
      for (int x = 150; x < m.width(); ++x) m.at(x, y) *= std::clamp((165 - x) / 15.0f, 0.0f, 1.0f);
    return m.toMask();
  }
  return {};
}

}  // namespace shirakaba::demo
