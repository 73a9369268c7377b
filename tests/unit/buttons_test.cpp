// Sprite-sheet buttons: each button copies the right cell of its sheet into the
// right slot. The test sheets encode every pixel's own coordinates in its colour,
// so a pixel on the screen tells exactly where in the sheet it came from.
#include <gtest/gtest.h>

#include "engine/form.h"
#include "engine/layouts.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

constexpr Colour kUntouched = 0x123456;

// Red: x low byte, green: y low byte, blue: the high bits of both.
Colour coordColour(int x, int y) {
  return static_cast<Colour>((x & 0xFF) | ((y & 0xFF) << 8) | (((x >> 8) | ((y >> 8) << 4)) << 16));
}
Point coordOf(Colour c) {
  const int b = (c >> 16) & 0xFF;
  return {static_cast<int>(c & 0xFF) | ((b & 0x0F) << 8), static_cast<int>((c >> 8) & 0xFF) | ((b >> 4) << 8)};
}
Bitmap coordPicture(int w, int h) {
  Bitmap b = Bitmap::create32(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel32(b, x, y, coordColour(x, y));
  return b;
}

// Picture 8 is kept small as an 8-bit picture whose index names the cell:
// 250 the panel, 1 + k + 4 * state the small button k.
Bitmap viewerSheet() {
  Bitmap b = mask8(130, 94, 0);
  for (int y = 0; y < 94; ++y)
    for (int x = 0; x < 130; ++x)
      b.row(y)[x] = y < 28 ? 250 : (x < 116 ? static_cast<uint8_t>(1 + x / 29 + 4 * ((y - 28) / 22)) : 0);
  return b;
}

struct Buttons : ::testing::Test {
  static std::string dir;
  static void SetUpTestSuite() {
    dir = makeTempDir("buttons");
    std::map<int, Bitmap> pics = {{pic::TitleSheet, coordPicture(177, 88)},
                                  {pic::GallerySheet, coordPicture(138, 44)},
                                  {pic::ViewerSheet, viewerSheet()},
                                  {pic::MainSheet, coordPicture(264, 444)},
                                  {pic::PlaceSheet, coordPicture(330, 410)}};
    ASSERT_TRUE(writeTestPack(dir, pics, "*op\n"));
  }
  NullHost host;
  TXP_Form form{host, FormConfig{dir}};
  void SetUp() override {
    form.SetupBuffers(0);
    form.draw.BackBuffer = Bitmap::create32(640, 480, kUntouched);
    form.draw.ImageBa = Bitmap::create32(640, 480, kUntouched);
  }
  Colour screen(int x, int y) const { return getPixel32(form.draw.ImageBa, x, y); }
  Colour back(int x, int y) const { return getPixel32(form.draw.BackBuffer, x, y); }
  // Every pixel of dst on the surface came from the sheet at src's corner, except the
  // key pixel of a transparent copy.
  void expectCell(const Bitmap& surface, Rect dst, Point src, bool transparent) {
    for (int y = dst.top; y < dst.bottom; ++y)
      for (int x = dst.left; x < dst.right; ++x) {
        const Colour c = getPixel32(surface, x, y);
        if (transparent && x == dst.left && y == dst.top) {
          EXPECT_EQ(c, kUntouched) << "the key pixel stays out";
          continue;
        }
        ASSERT_EQ(coordOf(c), (Point{src.x + x - dst.left, src.y + y - dst.top})) << x << "," << y;
      }
    // The pixels just outside stay as they were.
    EXPECT_EQ(getPixel32(surface, dst.right, dst.top), kUntouched);
    EXPECT_EQ(getPixel32(surface, dst.left, dst.bottom), kUntouched);
    EXPECT_EQ(getPixel32(surface, dst.left - 1, dst.bottom - 1), kUntouched);
  }
};
std::string Buttons::dir;

}  // namespace

TEST_F(Buttons, TitleItemOneInHoverLookComesFromThirdColumn) {
  form.DrawBtn(2, 1, kToScreen);
  expectCell(form.draw.ImageBa, Rect{290, 275, 349, 297}, Point{118, 0}, false);
}

TEST_F(Buttons, TitleItemFourPressedSitsInTheFourthSlot) {
  form.DrawBtn(1, 4, kToBack);
  expectCell(form.draw.BackBuffer, Rect{290, 353, 349, 375}, Point{59, 66}, false);
  EXPECT_EQ(screen(300, 360), kUntouched);
}

TEST_F(Buttons, GalleryEntrySevenTakesTheSecondRowWhenItsCGPansVertically) {
  form.scene.CGNo = 7;
  form.record.CGSeen[7] = 2;
  form.DrawBtn(0, 6, kToBack);
  expectCell(form.draw.BackBuffer, Rect{386, 50, 432, 72}, Point{0, 22}, true);
}

TEST_F(Buttons, GalleryEntryNotSeenOrSeenFlatUsesTheFirstRow) {
  for (int seen : {0, 1}) {
    SetUp();
    form.scene.CGNo = 3;
    form.record.CGSeen[3] = seen;
    form.DrawBtn(2, 6, kToBack);
    expectCell(form.draw.BackBuffer, Rect{162, 50, 208, 72}, Point{92, 0}, true);
  }
}

TEST_F(Buttons, GalleryEntryWithoutACGDrawsNothing) {
  form.scene.CGNo = 0;
  form.DrawBtn(0, 6, kToBack);
  form.scene.CGNo = 9;
  form.DrawBtn(0, 6, kToBack);
  for (int x = 0; x < 640; x += 7) EXPECT_EQ(back(x, 60), kUntouched);
}

TEST_F(Buttons, GalleryBackButtonUsesTheReturnColumn) {
  form.DrawBtn(1, 7, kToScreen);
  expectCell(form.draw.ImageBa, Rect{580, 440, 626, 462}, Point{92, 350}, true);
}

TEST_F(Buttons, ViewerPanelAndItsSmallButtons) {
  form.DrawBtn(0, 50, kToScreen);
  EXPECT_EQ(screen(500, 430), 0xFAFAFAu);
  EXPECT_EQ(screen(629, 457), 0xFAFAFAu);
  EXPECT_EQ(screen(630, 457), kUntouched);
  form.DrawBtn(1, 53, kToScreen);  // k = 2, state 1: index 1 + 2 + 4
  const Colour c = 7 * 0x010101u;
  EXPECT_EQ(screen(571, 433), c);
  EXPECT_EQ(screen(599, 454), c);
  EXPECT_EQ(screen(600, 433), 0xFAFAFAu) << "slot ends at 600";
  EXPECT_EQ(screen(570, 433), 0xFAFAFAu) << "the 1-pixel gap before it";
}

TEST_F(Buttons, PanelInStateTwoPutsBackTheBackBufferWhateverTheTarget) {
  for (uint8_t t : {kToBack, kToScreen, uint8_t(7)}) {
    form.draw.BackBuffer = Bitmap::create32(640, 480, 0x00AA00);
    form.draw.ImageBa = Bitmap::create32(640, 480, kUntouched);
    form.DrawBtn(2, 50, t);
    EXPECT_EQ(screen(500, 430), 0x00AA00u);
    EXPECT_EQ(screen(629, 457), 0x00AA00u);
    EXPECT_EQ(screen(630, 430), kUntouched);
    EXPECT_EQ(screen(500, 458), kUntouched);
    EXPECT_EQ(screen(499, 440), kUntouched);
  }
}

TEST_F(Buttons, UnknownKindsDrawNothing) {
  for (int kind : {0, 5, 8, 49, 55}) form.DrawBtn(0, kind, kToScreen);
  for (int y = 0; y < 480; y += 11)
    for (int x = 0; x < 640; x += 13) ASSERT_EQ(screen(x, y), kUntouched);
}

TEST_F(Buttons, StatusScreenItems) {
  form.GameMode = 10;
  form.DrawModeBtn(1, 2, kToScreen);
  expectCell(form.draw.ImageBa, Rect{463, 135, 538, 159}, Point{75, 396}, true);
  form.DrawModeBtn(0, 3, kToScreen);
  expectCell(form.draw.ImageBa, Rect{500, 420, 546, 442}, Point{92, 328}, true);
  form.DrawModeBtn(2, 5, kToScreen);
  expectCell(form.draw.ImageBa, Rect{446, 300, 492, 322}, Point{46, 372}, true);
}

TEST_F(Buttons, ModeButtonsOutsideTheirScreensDrawNothing) {
  form.GameMode = 4;
  form.DrawModeBtn(0, 3, kToScreen);
  form.GameMode = 13;
  form.DrawModeBtn(0, 5, kToScreen);
  EXPECT_EQ(screen(510, 430), kUntouched);
  EXPECT_EQ(screen(400, 310), kUntouched);
}

TEST_F(Buttons, ConversationTopicsTakeColumnFromItemAndRowFromState) {
  form.GameMode = 13;
  form.DrawModeBtn(2, 3, kToScreen);
  expectCell(form.draw.ImageBa, Rect{389, 365, 435, 387}, Point{92, 76}, true);
}

TEST_F(Buttons, WalkTileFollowsThePlaceCodeOfItsButton) {
  form.train.Adv.TrainStep = 10;
  form.train.Adv.Area = 0;  // corridor: button 4 is place 4
  form.DrawCalBtn(0, 4, kToBack);
  expectCell(form.draw.BackBuffer, Rect{215, 221, 325, 303}, Point{0, 246}, false);
}

TEST_F(Buttons, EveningAndStep17AndStep3Cells) {
  form.train.Adv.TrainStep = 16;
  form.DrawCalBtn(1, 2, kToBack);
  expectCell(form.draw.BackBuffer, Rect{343, 365, 389, 387}, Point{46, 120}, true);
  form.train.Adv.TrainStep = 17;
  form.DrawCalBtn(1, 2, kToBack);
  expectCell(form.draw.BackBuffer, Rect{400, 170, 510, 252}, Point{110, 246}, false);
  form.train.Adv.TrainStep = 3;
  form.DrawCalBtn(0, 2, kToBack);
  expectCell(form.draw.BackBuffer, Rect{506, 430, 552, 452}, Point{46, 328}, true);
}

TEST_F(Buttons, StepsWithoutButtonsDrawNothing) {
  for (int step : {1, 4, 5, 6, 9, 11, 12, 20}) {
    form.train.Adv.TrainStep = step;
    for (int item = 1; item <= 6; ++item) form.DrawCalBtn(0, item, kToBack);
  }
  for (int y = 0; y < 480; y += 9)
    for (int x = 0; x < 640; x += 9) ASSERT_EQ(back(x, y), kUntouched);
}

TEST_F(Buttons, EveningBarDrawsTheBarAndFourInactiveButtons) {
  form.train.Adv.TrainStep = 8;
  form.DrawBtnBar(0);
  EXPECT_EQ(coordOf(back(258, 361)), (Point{1, 1})) << "the bar";
  EXPECT_EQ(coordOf(back(520, 391)), (Point{263, 31}));
  EXPECT_EQ(back(521, 391), kUntouched);
  for (int i = 1; i <= 4; ++i)
    EXPECT_EQ(coordOf(back(297 + 46 * (i - 1) + 1, 366)), (Point{46 * (i - 1) + 1, 98 + 44 + 1})) << i;
}

TEST_F(Buttons, ConversationBarLeavesOutALockedTopic) {
  // At lunch the third character's topic is locked.
  form.GameMode = 13;
  form.train.Adv.TrainStep = 15;
  ASSERT_EQ(form.OptionLocked(3), 1);
  form.DrawBtnBar(1);
  for (int i : {1, 2, 4})
    EXPECT_EQ(coordOf(back(297 + 46 * (i - 1) + 1, 366)), (Point{46 * (i - 1) + 1, 32 + 44 + 1})) << i;
  // Topic 3's slot shows the bar beneath it.
  EXPECT_EQ(coordOf(back(390, 366)), (Point{390 - 257, 366 - 360}));
}

TEST(GalleryPos, RowsAndPlacesOfEntries) {
  EXPECT_EQ(GalleryPos(0, 1), 1);
  EXPECT_EQ(GalleryPos(0, 10), 1);
  EXPECT_EQ(GalleryPos(0, 11), 2);
  EXPECT_EQ(GalleryPos(1, 7), 386);
  EXPECT_EQ(GalleryPos(2, 7), 50);
  EXPECT_EQ(GalleryPos(1, 10), 50 + 9 * 56);
  EXPECT_EQ(GalleryPos(1, 11), 50);
  EXPECT_EQ(GalleryPos(2, 11), 77);
  EXPECT_EQ(GalleryPos(2, 111), 50 + 27 * 11);
  EXPECT_EQ(GalleryPos(3, 5), 0);
}
