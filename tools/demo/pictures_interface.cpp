// Pictures 0..29: logo, backdrop, wipe strip, digits, title, the button sheets,
// and the soft-edged panels of the calendar and status screens with their masks.
#include <algorithm>
#include <cmath>

#include "tools/demo/demo_data.h"
#include "tools/demo/quantise.h"
#include "tools/demo/labels.h"
#include "tools/demo/theme.h"

namespace shirakaba::demo {
namespace {

using namespace colour;

const Colour kKeyBgr = 0xFF00FF;  // magenta is the same either way round

Bitmap palettised(const Canvas& c, bool keyed) { return quantise(c.toBitmap(), keyed ? &kKeyBgr : nullptr); }

// Looks of a button: the fill, rim and text colour per state.
struct Look {
  RGB fill[3], rim[3], text[3];
};
const Look kCream3 = {{kIvory, hex(0x5E8C4A), hex(0xFFE9A8)},
                      {hex(0x5E7A4C), hex(0x2E4A2A), hex(0xB07A1E)},
                      {kInk, kIvory, kInk}};
const Look kMuted3 = {{kIvory, hex(0x5E8C4A), hex(0xB9B7AE)},
                      {hex(0x5E7A4C), hex(0x2E4A2A), hex(0x77766F)},
                      {kInk, kIvory, hex(0x5A5953)}};

// A rounded button in the cell (x, y, w, h); the cell's corners stay uncovered.
void button(Canvas& c, float x, float y, float w, float h, const std::string& text, int state, const Look& look,
            int px = 12) {
  const float r = std::min(h / 2 - 1, 8.0f);
  const float d = state == 1 ? 1.0f : 0.0f;
  c.fill(roundRectC(x + 1, y + 1, x + w - 1, y + h - 1, r), look.rim[state]);
  c.fill(roundRectC(x + 2.5f, y + 2.5f, x + w - 2.5f, y + h - 2.5f, r - 1.5f),
         vgrad(y, mix(look.fill[state], hex(0xFFFFFF), state == 1 ? 0.05f : 0.35f), y + h, look.fill[state]));
  const int tp = fitted(text, px, w - 6);
  c.textCentred(x + w / 2 + d, y + (h - tp) / 2 - 1 + d, text, tp, look.text[state]);
}

// ---- 0, 1, 2, 3, 4, 6 ----

Bitmap logo() {
  Canvas full(640, 480);
  paintBackdrop(full);
  Canvas c = crop(full, 170, 220, 300, 40);
  c.fill(roundRectC(2, 2, 298, 38, 12), kDeepGreen, 0.88f);
  c.fill(strokeC({{24, 31}, {24, 12}}, 1.6f), kBirch);
  c.fill(ellipseC(17, 16, 7, 4, 24), hex(0x8DB36A));
  c.fill(ellipseC(31, 21, 7, 4, 24), kLeaf);
  const std::string name = label("白樺館の一週間");
  c.text(44, 9, name, fitted(name, 22, 160), kIvory);
  c.text(210, 15, "shirakaba demo", 12, hex(0xCFE0B8));
  return c.toBitmap();
}

Bitmap backdrop() {
  Canvas c(640, 480);
  paintBackdrop(c);
  return c.toBitmap();
}

Bitmap wipeStrip() {
  Plane p(32, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 32; ++x) p.at(x, y) = (31 - x) / 31.0f;
  return p.toMask();
}

Bitmap digits() {
  Canvas c(231, 21, hex(0x1F3A28));
  for (int d = 0; d < 10; ++d) {
    const float x = 21.0f * d;
    c.fill(roundRectC(x + 1, 1, x + 20, 20, 4), vgrad(1, hex(0x4D7A54), 20, hex(0x24452F)));
    c.textCentred(x + 10.5f, 1, std::to_string(d), 18, kIvory);
  }
  keyOut(c, 0, 0, 231, 21);
  return c.toBitmap();
}

void house(Canvas& c, float x, float y, float s, RGB wall, RGB roof, RGB window, float windowGlow) {
  c.fill(rectC(x, y + 40 * s, x + 220 * s, y + 120 * s), wall);
  c.fill(Contour{{x - 10 * s, y + 42 * s}, {x + 110 * s, y}, {x + 230 * s, y + 42 * s}}, roof);
  c.fill(rectC(x + 150 * s, y - 8 * s, x + 166 * s, y + 20 * s), roof);
  for (int i = 0; i < 5; ++i) {
    const float wx = x + (18 + 40 * i) * s;
    c.fill(roundRectC(wx, y + 58 * s, wx + 20 * s, y + 84 * s, 3 * s), window, windowGlow);
  }
  c.fill(roundRectC(x + 96 * s, y + 90 * s, x + 124 * s, y + 120 * s, 4 * s), mix(roof, wall, 0.3f));
}

Bitmap title() {
  Canvas c(640, 480);
  c.fill(rectC(0, 0, 640, 480), vgrad(0, hex(0xF6C8A0), 330, hex(0xFBEBD0)));
  c.fill(ellipseC(470, 150, 60, 60), radial(470, 150, 60, hex(0xFFF5DA), hex(0xFBD9A8)), 0.8f);
  c.fill(Contour{{0, 300}, {120, 250}, {260, 285}, {420, 240}, {640, 290}, {640, 480}, {0, 480}}, hex(0xA9BE8C));
  house(c, 150, 190, 1.3f, hex(0xEFE3CC), hex(0x7A4B3A), hex(0xFFD27A), 0.9f);
  c.fill(Contour{{0, 360}, {640, 330}, {640, 480}, {0, 480}}, vgrad(330, hex(0x8AA66E), 480, hex(0x5E7F4A)));
  Lcg r(11);
  for (int i = 0; i < 9; ++i) {  // birches in front
    const float x = (i < 5 ? 20 + 48 * i : 420 + 52 * (i - 5)) + r.range(-8, 8), tw = r.range(8, 16);
    c.fill(rectC(x, 0, x + tw, 480), hgrad(x, hex(0xFFFFFF), x + tw, hex(0xCFCABB)));
    for (float y = r.range(5, 30); y < 480; y += r.range(25, 55))
      c.fill(roundRectC(x + 1, y, x + tw * r.range(0.4f, 0.9f), y + 3, 1.5f), kBark, 0.6f);
    const float crownRy = r.range(26, 40), crownRx = r.range(40, 60), crownY = r.range(20, 90);  // last argument first
    c.fill(ellipseC(x + tw / 2, crownY, crownRx, crownRy), hex(0x9CC06A), 0.55f);
  }
  c.fill(roundRectC(120, 40, 520, 126, 18), kDeepGreen, 0.82f);
  const std::string name = label("白樺館の一週間"), subtitle = label("― 家事見習い・春未の七日間 ―");
  c.textCentred(320, 52, name, fitted(name, 44, 380), kIvory);
  c.textCentred(320, 102, subtitle, fitted(subtitle, 14, 380), hex(0xE6D9A8));
  c.fill(roundRectC(276, 263, 364, 387, 10), kDeepGreen, 0.75f);
  c.fill(roundRectC(280, 267, 360, 383, 8), kCream);
  // Between the two live items: a small leaf ornament.
  c.fill(rectC(292, 325, 348, 326), hex(0x9AB07A));
  c.fill(ellipseC(311, 318, 7, 4, 24), kLeaf);
  c.fill(ellipseC(329, 318, 7, 4, 24), hex(0x8DB36A));
  c.fill(strokeC({{320, 330}, {320, 316}}, 1.5f), kWood);
  const std::string welcome = label("ようこそ");
  c.textCentred(320, 331, welcome, fitted(welcome, 11, 64), hex(0x5E7A4C));
  c.textCentred(320, 460, "shirakaba project demo", 12, hex(0x3A4A30));
  return c.toBitmap();
}

Bitmap galleryBack() {
  Canvas c(640, 480);
  c.fill(rectC(0, 0, 640, 480), vgrad(0, hex(0x22463A), 480, hex(0x0F2119)));
  {
    Plane glow(640, 480);
    glow.fill(ellipseC(520, 90, 170, 120), 0.5f);
    glow.blur(30);
    c.fillPlane(glow, solid(hex(0x5E8A60)));
  }
  Lcg r(66);
  for (int i = 0; i < 5; ++i) {  // a stand of birches on the right, fading into the dusk
    const float x = 472 + 34.0f * i + r.range(-6, 6), tw = 7 + 3.0f * (i % 3);
    c.fill(rectC(x, 0, x + tw, 480), hgrad(x, hex(0xE8E4D8), x + tw, hex(0x9C988A)), 0.5f);
    for (float y = r.range(5, 30); y < 480; y += r.range(26, 58))
      c.fill(roundRectC(x + 1, y, x + tw * r.range(0.4f, 0.9f), y + 3, 1.5f), kBark, 0.5f);
    const float crownRy = r.range(24, 36), crownRx = r.range(40, 56), crownY = r.range(30, 120);  // last argument first
    c.fill(ellipseC(x + tw / 2, crownY, crownRx, crownRy), hex(0x5E8A4A), 0.45f);
  }
  for (int i = 0; i < 40; ++i) {  // fireflies
    const float x = r.range(20, 620), y = r.range(20, 460), s = r.range(1.2f, 2.6f);
    c.fill(ellipseC(x, y, s * 2.5f, s * 2.5f, 16), hex(0xE8F0A0), 0.12f);
    c.fill(ellipseC(x, y, s, s, 12), hex(0xF4F8C8), 0.7f);
  }
  c.fill(roundRectC(36, 36, 460, 320, 12), hex(0x000000), 0.25f);
  c.fill(roundRectC(36, 408, 380, 460, 10), hex(0x000000), 0.3f);
  const std::string album = label("思い出のアルバム"), hint = label("見たことのある絵を、もう一度ながめられます。");
  c.text(52, 414, album, fitted(album, 20, 316), hex(0xF0E6C0));
  c.text(54, 440, hint, fitted(hint, 12, 316), hex(0xBFD3B0));
  return c.toBitmap();
}

// ---- 5 title sheet, 7 gallery entries, 8 viewer panel ----

Bitmap titleSheet() {
  Canvas c(177, 88, kCream);
  const char* items[4] = {"はじめる", "つづき", "ギャラリー", "おわる"};
  const Look hover = {{kIvory, hex(0x5E7A4C), hex(0xFFF3C4)},
                      {hex(0x5E8C4A), hex(0x2E4A2A), hex(0xC98E2A)},
                      {kInk, kIvory, hex(0x3A2A10)}};
  for (int item = 0; item < 4; ++item)
    for (int s = 0; s < 3; ++s) button(c, 59.0f * s, 22.0f * item, 59, 22, label(items[item]), s, hover, 11);
  return c.toBitmap();
}

Bitmap gallerySheet() {
  Canvas c(138, 44, hex(0x1B2A20));
  for (int row = 0; row < 2; ++row)
    for (int s = 0; s < 3; ++s) {
      const float x = 46.0f * s, y = 22.0f * row;
      const RGB base = s == 2 ? hex(0x5B5E58) : (row == 0 ? hex(0x3F7A55) : hex(0x3F5E8A));
      const RGB fill = s == 1 ? mix(base, kGold, 0.55f) : base;
      c.fill(roundRectC(x + 1, y + 1, x + 45, y + 21, 5), hex(0x0E1A12));
      c.fill(roundRectC(x + 2.5f, y + 2.5f, x + 43.5f, y + 19.5f, 4), vgrad(y, mix(fill, hex(0xFFFFFF), 0.25f), y + 22, fill));
      if (s == 2) {  // a small padlock
        c.fill(arcC(x + 36, y + 9, 3.5f, 3.5f, 3.1416f, 6.2832f, 1.6f), hex(0xCFCFC8));
        c.fill(roundRectC(x + 31.5f, y + 9, x + 40.5f, y + 16, 1.5f), hex(0xCFCFC8));
      } else {  // a tiny framed picture
        c.fill(rectC(x + 30, y + 6, x + 41, y + 16), hex(0xF3EBD2));
        c.fill(Contour{{x + 31, y + 15}, {x + 35, y + 9}, {x + 38, y + 13}, {x + 40, y + 11}, {x + 40, y + 15}}, kLeaf);
      }
    }
  keyOut(c, 0, 0, 138, 44);
  return c.toBitmap();
}

Bitmap viewerSheet() {
  Canvas c(130, 94, hex(0x14241A));
  c.fill(roundRectC(0, 0, 130, 28, 6), vgrad(0, hex(0x3A5A44), 28, hex(0x1C3024)));
  c.fill(Shape{roundRectC(1.5f, 1.5f, 128.5f, 26.5f, 5), roundRectC(2.5f, 2.5f, 127.5f, 25.5f, 4)}, hex(0xE8DDB0), 0.6f);
  const char* marks[4] = {"見", "▶", "戻", "閉"};
  for (int k = 0; k < 4; ++k)
    for (int s = 0; s < 3; ++s) {
      const float x = 29.0f * k, y = 28.0f + 22 * s;
      c.fill(rectC(x, y, x + 29, y + 22), hex(0x24382B));
      const RGB fill = s == 0 ? hex(0xE9E1C6) : (s == 1 ? hex(0xC9A24A) : hex(0x6B6E66));
      c.fill(roundRectC(x + 1.5f, y + 1.5f, x + 27.5f, y + 20.5f, 4), vgrad(y, mix(fill, hex(0xFFFFFF), 0.3f), y + 22, fill));
      const std::string mark = label(marks[k]);
      const int px = fitted(mark, 14, 24);
      c.textCentred(x + 14.5f + (s == 1), y + 4 + (14 - px) / 2 + (s == 1), mark, px, s == 2 ? hex(0xB8B8B0) : kInk);
    }
  return palettised(c, false);
}

// ---- 9 the main sheet ----

void bar(Canvas& c) {
  c.fill(roundRectC(1, 1, 263, 31, 12), hex(0x1A2E20));
  c.fill(roundRectC(3, 3, 261, 29, 10), vgrad(3, hex(0x4E7A58), 29, hex(0x284632)));
  c.fill(ellipseC(22, 16, 6, 3.5f, 20), kLeaf);
  c.fill(ellipseC(242, 16, 6, 3.5f, 20), kLeaf);
}

// An illustrated tile: a framed card with a picture drawn by `art` and a caption.
template <typename Art>
void tile(Canvas& c, float x, float y, float w, float h, const std::string& caption, int state, Art art, int px = 14) {
  const RGB frame = state == 1 ? hex(0xB0822A) : (state == 2 ? hex(0x6F716B) : hex(0x35563E));
  const RGB paper = state == 1 ? hex(0xF4E2B0) : (state == 2 ? hex(0xC9C7BE) : hex(0xFBF6E6));
  c.fill(rectC(x, y, x + w, y + h), hex(0x1D2B21));
  c.fill(roundRectC(x + 2, y + 2, x + w - 2, y + h - 2, 8), frame);
  c.fill(roundRectC(x + 5, y + 5, x + w - 5, y + h - 5, 6), vgrad(y, mix(paper, hex(0xFFFFFF), 0.5f), y + h, paper));
  art(c, x + w / 2, y + (h - px - 10) / 2 + 4, std::min(w, h - px - 10) * 0.42f, state);
  const float d = state == 1 ? 1.0f : 0.0f;
  const int tp = fitted(caption, px, w - 12);  // a smaller caption keeps its baseline
  c.textCentred(x + w / 2 + d, y + h - tp - 9 + d, caption, tp, state == 2 ? hex(0x6A6962) : kInk);
}

float mute(int state) { return state == 2 ? 0.45f : 1.0f; }

void potArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(roundRectC(cx - r, cy - r * 0.2f, cx + r, cy + r * 0.75f, r * 0.25f), hex(0xC25B3A), o);
  c.fill(rectC(cx - r * 1.15f, cy - r * 0.35f, cx + r * 1.15f, cy - r * 0.15f), hex(0x7E3A26), o);
  c.fill(ellipseC(cx, cy - r * 0.5f, r * 0.15f, r * 0.12f, 16), hex(0x7E3A26), o);
  for (int i = -1; i <= 1; ++i)
    c.fill(strokeC({{cx + i * r * 0.4f, cy - r * 0.6f}, {cx + i * r * 0.4f + r * 0.12f, cy - r * 0.9f}, {cx + i * r * 0.4f, cy - r * 1.2f}}, 2.5f), hex(0xAFC3CF), 0.8f * o);
}
void broomArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(strokeC({{cx + r * 0.7f, cy - r}, {cx - r * 0.1f, cy + r * 0.3f}}, 4), kWood, o);
  c.fill(Contour{{cx - r * 0.25f, cy + r * 0.1f}, {cx + r * 0.1f, cy + r * 0.35f}, {cx - r * 0.3f, cy + r}, {cx - r * 0.95f, cy + r * 0.65f}}, hex(0xD8B45A), o);
  for (int i = 0; i < 3; ++i) c.fill(ellipseC(cx + r * (0.2f + 0.3f * i), cy + r * 0.85f, r * 0.08f, r * 0.08f, 12), hex(0x9BB7C8), 0.7f * o);
}
void basketArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(Contour{{cx - r, cy - r * 0.1f}, {cx + r, cy - r * 0.1f}, {cx + r * 0.75f, cy + r * 0.8f}, {cx - r * 0.75f, cy + r * 0.8f}}, hex(0xB88A4E), o);
  for (int i = 0; i < 3; ++i) c.fill(rectC(cx - r * 0.85f, cy + r * (0.1f + 0.22f * i), cx + r * 0.85f, cy + r * (0.16f + 0.22f * i)), hex(0x8A6234), o);
  c.fill(ellipseC(cx - r * 0.35f, cy - r * 0.25f, r * 0.45f, r * 0.3f, 24), hex(0xFFFFFF), o);
  c.fill(ellipseC(cx + r * 0.35f, cy - r * 0.3f, r * 0.45f, r * 0.28f, 24), hex(0xBFD8EE), o);
}
void cupArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(ellipseC(cx, cy + r * 0.7f, r * 1.1f, r * 0.25f, 32), hex(0xE8E2D2), o);
  c.fill(Contour{{cx - r * 0.7f, cy - r * 0.2f}, {cx + r * 0.7f, cy - r * 0.2f}, {cx + r * 0.5f, cy + r * 0.65f}, {cx - r * 0.5f, cy + r * 0.65f}}, hex(0x4F8A6C), o);
  c.fill(ellipseC(cx, cy - r * 0.2f, r * 0.7f, r * 0.16f, 32), hex(0xC7D98A), o);
  c.fill(arcC(cx + r * 0.75f, cy + r * 0.15f, r * 0.22f, r * 0.25f, -1.6f, 1.6f, 3), hex(0x4F8A6C), o);
}
struct Chara {
  RGB hair, dress, skin;
};
const Chara kCharas[3] = {{hex(0x2A2230), hex(0x5A3A6A), hex(0xF6DCC8)},
                          {hex(0xD9722E), hex(0x6FA860), hex(0xF8DEC6)},
                          {hex(0xC9C3DA), hex(0x6C93C4), hex(0xF7E2D2)}};

void bustArt(Canvas& c, float cx, float cy, float r, const Chara& ch, int s) {
  const float o = mute(s);
  c.fill(ellipseC(cx, cy + r * 1.05f, r * 0.95f, r * 0.55f, 40), ch.dress, o);
  c.fill(ellipseC(cx, cy - r * 0.05f, r * 0.62f, r * 0.66f, 40), ch.hair, o);
  c.fill(ellipseC(cx, cy + r * 0.05f, r * 0.5f, r * 0.52f, 40), ch.skin, o);
  c.fill(Contour{{cx - r * 0.55f, cy - r * 0.1f}, {cx - r * 0.4f, cy - r * 0.6f}, {cx + r * 0.45f, cy - r * 0.6f}, {cx + r * 0.55f, cy - r * 0.1f}, {cx + r * 0.2f, cy - r * 0.3f}, {cx - r * 0.2f, cy - r * 0.25f}}, ch.hair, o);
  c.fill(ellipseC(cx - r * 0.18f, cy + r * 0.08f, r * 0.06f, r * 0.09f, 12), kInk, o);
  c.fill(ellipseC(cx + r * 0.18f, cy + r * 0.08f, r * 0.06f, r * 0.09f, 12), kInk, o);
  c.fill(arcC(cx, cy + r * 0.22f, r * 0.12f, r * 0.08f, 0.3f, 2.8f, 1.6f, 10), hex(0xB0544A), o);
}

void studyArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(Contour{{cx - r, cy}, {cx, cy + r * 0.2f}, {cx, cy + r * 0.9f}, {cx - r, cy + r * 0.7f}}, hex(0xFFFFFF), o);
  c.fill(Contour{{cx + r, cy}, {cx, cy + r * 0.2f}, {cx, cy + r * 0.9f}, {cx + r, cy + r * 0.7f}}, hex(0xF1ECDD), o);
  c.fill(strokeC({{cx + r * 0.3f, cy - r * 0.9f}, {cx + r * 0.8f, cy - r * 0.1f}}, 4), hex(0x3F6B8A), o);
  c.fill(rectC(cx - r * 0.8f, cy + r * 0.25f, cx - r * 0.2f, cy + r * 0.3f), hex(0x9A9A9A), o);
  c.fill(rectC(cx - r * 0.8f, cy + r * 0.42f, cx - r * 0.3f, cy + r * 0.47f), hex(0x9A9A9A), o);
}
void moonArt(Canvas& c, float cx, float cy, float r, int s) {
  const float o = mute(s);
  c.fill(Shape{ellipseC(cx, cy, r * 0.8f, r * 0.8f, 40), ellipseC(cx + r * 0.35f, cy - r * 0.2f, r * 0.7f, r * 0.7f, 40)}, hex(0xE2B84E), o);
  c.fill(ellipseC(cx + r * 0.6f, cy + r * 0.5f, r * 0.08f, r * 0.08f, 10), hex(0xE2B84E), o);
  c.fill(ellipseC(cx + r * 0.9f, cy - r * 0.7f, r * 0.06f, r * 0.06f, 10), hex(0xE2B84E), o);
}

Bitmap mainSheet() {
  Canvas c(714, 444, hex(0x1A2E20));
  bar(c);
  const char* topics[4] = {"雑談", "相談", "秘密", "労う"};
  const char* evening[4] = {"休む", "情報", "散歩", "状態"};
  for (int s = 0; s < 3; ++s)
    for (int i = 0; i < 4; ++i) {
      button(c, 46.0f * i, 32.0f + 22 * s, 46, 22, label(topics[i]), s, kMuted3);
      button(c, 46.0f * i, 98.0f + 22 * s, 46, 22, label(evening[i]), s, kMuted3);
    }
  // Job progress segment: copied opaque, one per 100 ms along the bar.
  c.fill(rectC(184, 32, 199, 57), hex(0x22382A));
  c.fill(roundRectC(185, 34, 198, 55, 3), vgrad(34, hex(0xFFE6A0), 55, hex(0xE0962E)));
  c.fill(roundRectC(186, 35, 197, 41, 2), hex(0xFFFFFF), 0.45f);
  // Own-room tiles (states 0 and 1: the only looks this menu shows).
  for (int s = 0; s < 2; ++s) {
    tile(c, 110.0f * s, 164, 110, 82, label("自習"), s, studyArt);
    tile(c, 110.0f * s, 246, 110, 82, label("寝る"), s, moonArt);
  }
  for (int s = 0; s < 2; ++s) {  // small buttons: step 3 and the return button
    button(c, 0, 328.0f + 22 * s, 46, 22, label("開始"), s, kMuted3);
    button(c, 46, 328.0f + 22 * s, 46, 22, label("戻る"), s, kMuted3);
    button(c, 92, 328.0f + 22 * s, 46, 22, label("戻る"), s, kMuted3);
  }
  for (int s = 0; s < 3; ++s) {  // large status buttons
    button(c, 0, 372.0f + 24 * s, 75, 24, label("能力"), s, kMuted3, 13);
    button(c, 75, 372.0f + 24 * s, 75, 24, label("関係"), s, kMuted3, 13);
  }
  keyOut(c, 0, 0, 264, 444);
  // Job cards, then the lunch cards (which share the columns right of x 414).
  void (*jobArt[4])(Canvas&, float, float, float, int) = {potArt, broomArt, basketArt, cupArt};
  const char* jobs[4] = {"料理", "掃除", "家事", "作法"};
  for (int s = 0; s < 3; ++s)
    for (int j = 0; j < 4; ++j) tile(c, 264.0f + 150 * s, 100.0f * j, 150, 100, label(jobs[j]), s, jobArt[j], 16);
  const char* names[3] = {"鏡子", "鈴菜", "麻由"};
  for (int s = 0; s < 3; ++s)
    for (int k = 0; k < 3; ++k)
      tile(c, 414.0f + 100 * s, 110.0f * k, 100, 110, label(names[k]), s,
           [&](Canvas& cc, float cx, float cy, float r, int st) { bustArt(cc, cx, cy, r, kCharas[k], st); }, 16);
  return palettised(c, true);
}

// ---- 13 place tiles ----

void placeArt(Canvas& c, int place, float cx, float cy, float r, int s) {
  const float o = mute(s);
  switch (place) {
    case 1: case 2: case 3: case 5: {  // a door with the room's colour
      const RGB door[6] = {{}, hex(0x6A4A7A), hex(0xD98A3E), hex(0x7A9CC8), {}, hex(0x8AB06A)};
      c.fill(roundRectC(cx - r * 0.5f, cy - r * 0.9f, cx + r * 0.5f, cy + r * 0.9f, 4), door[place], o);
      c.fill(ellipseC(cx + r * 0.3f, cy + r * 0.1f, 2.5f, 2.5f, 12), kGold, o);
      c.fill(roundRectC(cx - r * 0.3f, cy - r * 0.7f, cx + r * 0.3f, cy - r * 0.3f, 2), hex(0xFFFFFF), 0.35f * o);
      break;
    }
    case 4:  // office: a desk and a lamp
      c.fill(rectC(cx - r, cy + r * 0.2f, cx + r, cy + r * 0.35f), kWood, o);
      c.fill(rectC(cx - r * 0.9f, cy + r * 0.35f, cx - r * 0.75f, cy + r * 0.9f), kWood, o);
      c.fill(rectC(cx + r * 0.75f, cy + r * 0.35f, cx + r * 0.9f, cy + r * 0.9f), kWood, o);
      c.fill(Contour{{cx - r * 0.5f, cy - r * 0.6f}, {cx - r * 0.1f, cy - r * 0.6f}, {cx, cy - r * 0.2f}, {cx - r * 0.6f, cy - r * 0.2f}}, kGold, o);
      c.fill(rectC(cx - r * 0.32f, cy - r * 0.2f, cx - r * 0.26f, cy + r * 0.2f), kBark, o);
      break;
    case 6:  // dormitory front
      c.fill(rectC(cx - r, cy - r * 0.3f, cx + r, cy + r * 0.9f), hex(0xE9DCC0), o);
      c.fill(Contour{{cx - r * 1.1f, cy - r * 0.25f}, {cx, cy - r}, {cx + r * 1.1f, cy - r * 0.25f}}, hex(0x7A4B3A), o);
      c.fill(rectC(cx - r * 0.2f, cy + r * 0.3f, cx + r * 0.2f, cy + r * 0.9f), kWood, o);
      break;
    case 7:  // main house
      c.fill(rectC(cx - r * 1.2f, cy - r * 0.2f, cx + r * 1.2f, cy + r * 0.9f), hex(0xF0E8D8), o);
      c.fill(Contour{{cx - r * 1.3f, cy - r * 0.15f}, {cx - r * 0.6f, cy - r * 0.8f}, {cx + r * 0.6f, cy - r * 0.8f}, {cx + r * 1.3f, cy - r * 0.15f}}, hex(0x3F5A78), o);
      for (int i = -2; i <= 2; ++i) c.fill(rectC(cx + i * r * 0.45f - 4, cy + r * 0.05f, cx + i * r * 0.45f + 4, cy + r * 0.45f), hex(0x8FB0C8), o);
      break;
    case 8:  // bench under a tree
      c.fill(ellipseC(cx + r * 0.4f, cy - r * 0.4f, r * 0.7f, r * 0.5f, 32), kLeaf, o);
      c.fill(rectC(cx + r * 0.33f, cy - r * 0.1f, cx + r * 0.47f, cy + r * 0.9f), kWood, o);
      c.fill(rectC(cx - r, cy + r * 0.35f, cx + r * 0.2f, cy + r * 0.48f), hex(0xA8743E), o);
      c.fill(rectC(cx - r, cy + r * 0.1f, cx + r * 0.2f, cy + r * 0.2f), hex(0xA8743E), o);
      c.fill(rectC(cx - r * 0.9f, cy + r * 0.48f, cx - r * 0.8f, cy + r * 0.85f), kDarkWood, o);
      c.fill(rectC(cx + r * 0.0f, cy + r * 0.48f, cx + r * 0.1f, cy + r * 0.85f), kDarkWood, o);
      break;
    case 9:  // behind the main house: a vegetable patch
      c.fill(rectC(cx - r * 1.1f, cy + r * 0.3f, cx + r * 1.1f, cy + r * 0.9f), hex(0x8A6A44), o);
      for (int i = -2; i <= 2; ++i) {
        c.fill(ellipseC(cx + i * r * 0.45f, cy + r * 0.15f, r * 0.18f, r * 0.28f, 20), kLeaf, o);
        c.fill(ellipseC(cx + i * r * 0.45f + 3, cy + r * 0.25f, r * 0.09f, r * 0.09f, 12), hex(0xD8402E), o);
      }
      break;
    case 10:  // pool
      c.fill(roundRectC(cx - r * 1.2f, cy - r * 0.3f, cx + r * 1.2f, cy + r * 0.8f, 6), hex(0xDCD6C6), o);
      c.fill(roundRectC(cx - r * 1.05f, cy - r * 0.18f, cx + r * 1.05f, cy + r * 0.68f, 4), vgrad(cy - r * 0.2f, hex(0x7FC8E8), cy + r * 0.7f, hex(0x3C8AC0)), o);
      c.fill(arcC(cx - r * 0.3f, cy + r * 0.2f, r * 0.25f, r * 0.08f, 3.3f, 6.1f, 2), hex(0xFFFFFF), 0.7f * o);
      break;
    case 11:  // back inside: an arrow into the door
      c.fill(roundRectC(cx - r * 0.45f, cy - r * 0.9f, cx + r * 0.45f, cy + r * 0.9f, 4), hex(0x8A6A4E), o);
      c.fill(Contour{{cx - r * 1.2f, cy - r * 0.15f}, {cx - r * 0.2f, cy - r * 0.15f}, {cx - r * 0.2f, cy - r * 0.45f}, {cx + r * 0.3f, cy}, {cx - r * 0.2f, cy + r * 0.45f}, {cx - r * 0.2f, cy + r * 0.15f}, {cx - r * 1.2f, cy + r * 0.15f}}, hex(0xE0962E), o);
      break;
  }
}

Bitmap placeSheet() {
  Canvas c(330, 902, hex(0x1D2B21));
  const char* names[11] = {"鏡子の部屋", "鈴菜の部屋", "麻由の部屋", "事務所", "自室", "寮の前",
                           "本館", "ベンチ", "本館裏", "プール", "寮に戻る"};
  for (int p = 1; p <= 11; ++p)
    for (int s = 0; s < 3; ++s)
      tile(c, 110.0f * s, 82.0f * (p - 1), 110, 82, label(names[p - 1]), s,
           [p](Canvas& cc, float cx, float cy, float r, int st) { placeArt(cc, p, cx, cy, r, st); }, 13);
  return palettised(c, false);
}

// ---- 10..29 panels and masks ----

// A dark translucent plate with a thin light rim; its mask comes from the same shape.
Canvas darkPlate(int w, int h, RGB top, RGB bottom) {
  Canvas c(w, h, bottom);
  c.fill(roundRectC(0, 0, static_cast<float>(w), static_cast<float>(h), 10), vgrad(0, top, static_cast<float>(h), bottom));
  c.fill(Shape{roundRectC(4, 4, w - 4.0f, h - 4.0f, 8), roundRectC(5.2f, 5.2f, w - 5.2f, h - 5.2f, 7)}, hex(0xE8DDB0), 0.7f);
  return c;
}

Bitmap timePanel() {
  Canvas c = darkPlate(153, 33, hex(0x3C6248), hex(0x1E3826));
  const std::string day = label("日目");
  c.text(50, 10, day, fitted(day, 12, 34), hex(0xE8DDB0));
  c.fill(ellipseC(88, 16, 2, 2, 10), hex(0xE8DDB0), 0.8f);
  return c.toBitmap();
}

Bitmap progressPlate() {
  Canvas c = darkPlate(152, 24, hex(0x3C6248), hex(0x1E3826));
  const std::string working = label("作業中……");
  c.text(14, 5, working, fitted(working, 12, 104), hex(0xFFF1C4));
  c.fill(ellipseC(128, 12, 4, 4, 16), kGold);
  return palettised(c, false);
}

const char* const kAbilityNames[4] = {"体力", "手際", "品格", "根気"};

Bitmap panel17() {
  Canvas c = darkPlate(200, 151, hex(0x40604A), hex(0x1F3527));
  c.fill(rectC(16, 44, 184, 45.5f), hex(0xE8DDB0), 0.5f);
  for (int i = 0; i < 4; ++i) {
    const std::string name = label(kAbilityNames[i]);
    c.text(24, 66 + 20.0f * i, name, fitted(name, 14, 44), hex(0xE8DDB0));
  }
  return palettised(c, false);
}

Bitmap stamp() {
  Canvas c(208, 238);
  c.fill(rectC(0, 0, 208, 238), radial(104, 119, 120, hex(0xD8343C), hex(0xA81E2E)));
  return c.toBitmap();
}

Bitmap stampMask(int grade) {
  Plane p(208, 238);
  p.fill(Shape{ellipseC(104, 119, 96, 96, 120), ellipseC(104, 119, 86, 86, 120)}, 0.92f);
  p.fill(Shape{ellipseC(104, 119, 80, 80, 120), ellipseC(104, 119, 77, 77, 120)}, 0.85f);
  const char* words[4] = {"優", "良", "可", "不可"};
  const std::string word = label(words[grade - 1]);
  const int px = fitted(word, grade == 4 ? 64 : 96, 140);
  Canvas glyphs(208, 238);
  glyphs.textCentred(104, 119 - px * 0.55f, word, px, hex(0xFFFFFF));
  for (int y = 0; y < 238; ++y)
    for (int x = 0; x < 208; ++x) p.at(x, y) = std::max(p.at(x, y), glyphs.get(x, y).r / 255.0f * 0.95f);
  p.blur(1);
  return p.toMask();
}

Bitmap profilePlate() {
  Canvas c(240, 286, hex(0x1F3527));
  c.fill(roundRectC(0, 0, 240, 286, 14), vgrad(0, hex(0xFBF4DF), 286, hex(0xEADFC0)));
  c.fill(Shape{roundRectC(6, 6, 234, 280, 10), roundRectC(8, 8, 232, 278, 9)}, hex(0x6E9A52));
  c.fill(roundRectC(16, 16, 224, 48, 8), kDeepGreen);
  const std::string heading = label("研修生の記録");
  c.textCentred(120, 22, heading, fitted(heading, 18, 196), kIvory);
  const char* lines[] = {"名前　春未（はるみ）", "年齢　十六歳", "出身　海辺の町", "好物　焼きたてのパン",
                         "目標　一人前の家政士"};
  for (int i = 0; i < 5; ++i) {
    const std::string line = label(lines[i]);
    c.text(26, 64 + 26.0f * i, line, fitted(line, 14, 190), kInk);
    c.fill(rectC(22, 84 + 26.0f * i, 218, 85 + 26.0f * i), hex(0xB9AA80));
  }
  c.text(26, 206, label("ひとこと"), 12, hex(0x5E7A4C));
  for (const auto& [y, words] : {std::pair{226.0f, "「失敗しても、"}, std::pair{246.0f, "　笑顔で次へ！」"}}) {
    const std::string line = label(words);
    c.text(26, y, line, fitted(line, 14, 190), kInk);
  }
  return c.toBitmap();
}

Bitmap statusTable() {
  Canvas c = darkPlate(200, 151, hex(0x40604A), hex(0x1F3527));
  const std::string day = label("日目");
  c.text(64, 18, day, fitted(day, 12, 34), hex(0xE8DDB0));
  c.fill(rectC(16, 50, 184, 51.5f), hex(0xE8DDB0), 0.5f);
  for (int i = 0; i < 4; ++i) {
    const std::string name = label(kAbilityNames[i]);
    c.text(24, 70 + 20.0f * i, name, fitted(name, 14, 44), hex(0xE8DDB0));
    c.fill(rectC(70, 80 + 20.0f * i, 128, 81 + 20.0f * i), hex(0xE8DDB0), 0.25f);
  }
  return c.toBitmap();
}

Bitmap infoPanel() {
  Canvas c = darkPlate(180, 280, hex(0x40604A), hex(0x1F3527));
  const char* names[3] = {"鏡子", "鈴菜", "麻由"};
  const char* rows[3] = {"好感", "信頼", "親密"};
  for (int k = 0; k < 3; ++k) {
    const float y = 36.0f + 87 * k;
    c.fill(roundRectC(10, y - 24, 70, y - 4, 5), mix(kCharas[k].dress, hex(0x000000), 0.2f));
    const std::string name = label(names[k]);
    c.text(18, y - 23, name, fitted(name, 14, 50), kIvory);
    for (int r = 0; r < 3; ++r) {
      const std::string row = label(rows[r]);
      c.text(16, y + 19.0f * r + 2, row, fitted(row, 12, 54), hex(0xE8DDB0));
    }
    if (k < 2) c.fill(rectC(14, y + 62, 166, y + 63), hex(0xE8DDB0), 0.35f);
  }
  return palettised(c, false);
}

Bitmap plateMask(int w, int h, float strength = 0.86f) { return softPlate(w, h, 1.5f, 10, 2, strength).toMask(); }

// Full-screen weights through which the backdrop frames a calendar screen.
Bitmap frameMask() {
  Plane p(640, 480, 0.78f);
  p.cut(Shape{roundRectC(40, 34, 600, 392, 30)});
  p.blur(14);
  return p.toMask();
}
Bitmap bandMask() {
  Plane p(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const float top = std::clamp((70 - y) / 70.0f, 0.0f, 1.0f) * 0.6f;
      const float bottom = std::clamp((y - 300) / 120.0f, 0.0f, 1.0f) * 0.7f;
      const float side = std::clamp((40 - std::min(x, 639 - x)) / 40.0f, 0.0f, 1.0f) * 0.5f;
      p.at(x, y) = std::max({top, bottom, side});
    }
  return p.toMask();
}

}  // namespace

Bitmap makeInterfacePicture(int n) {
  switch (n) {
    case 0: return logo();
    case 1: return backdrop();
    case 2: return wipeStrip();
    case 3: return digits();
    case 4: return title();
    case 5: return titleSheet();
    case 6: return galleryBack();
    case 7: return gallerySheet();
    case 8: return viewerSheet();
    case 9: return mainSheet();
    case 10: return timePanel();
    case 11: return plateMask(153, 33);
    case 12: return frameMask();
    case 13: return placeSheet();
    case 14: return bandMask();
    case 15: return progressPlate();
    case 16: return plateMask(152, 24, 0.9f);
    case 17: return panel17();
    case 18: return plateMask(200, 151);
    case 19: return stamp();
    case 20: case 21: case 22: case 23: return stampMask(n - 19);
    case 24: return profilePlate();
    case 25: return plateMask(240, 286, 0.95f);
    case 26: return statusTable();
    case 27: return plateMask(200, 151);
    case 28: return infoPanel();
    case 29: return plateMask(180, 280);
  }
  return {};
}

}  // namespace shirakaba::demo
