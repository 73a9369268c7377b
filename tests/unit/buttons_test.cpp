// Sprite-sheet buttons: each button copies the right cell of its sheet into the
// right slot. The test sheets encode every pixel's own coordinates in its colour,
// so a pixel on the screen tells exactly where in the sheet it came from.
#include <gtest/gtest.h>

#include "calendar/buttons.h"
#include "engine/layouts.h"
#include "game/game.h"
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
  Game g{host, EngineConfig{dir}};
  void SetUp() override {
    g.state.surfaces.backBufferCreated = true;
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, kUntouched);
    g.engine.draw.ImageBa = Bitmap::create32(640, 480, kUntouched);
  }
  Colour screen(int x, int y) const { return getPixel32(g.engine.draw.ImageBa, x, y); }
  Colour back(int x, int y) const { return getPixel32(g.engine.draw.BackBuffer, x, y); }
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
  g.engine.DrawBtn(Look::Hover, 1, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{290, 275, 349, 297}, Point{118, 0}, false);
}

TEST_F(Buttons, TitleItemFourPressedSitsInTheFourthSlot) {
  g.engine.DrawBtn(Look::Pressed, 4, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{290, 353, 349, 375}, Point{59, 66}, false);
  EXPECT_EQ(screen(300, 360), kUntouched);
}

TEST_F(Buttons, GalleryEntrySevenTakesTheSecondRowWhenItsCGPansVertically) {
  g.state.scene.CGNo = 7;
  g.state.record.CGSeen[7] = 2;
  g.engine.DrawBtn(Look::Normal, 6, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{386, 50, 432, 72}, Point{0, 22}, true);
}

TEST_F(Buttons, GalleryEntryNotSeenOrSeenFlatUsesTheFirstRow) {
  for (int seen : {0, 1}) {
    SetUp();
    g.state.scene.CGNo = 3;
    g.state.record.CGSeen[3] = seen;
    g.engine.DrawBtn(Look::Unseen, 6, Target::Back);
    expectCell(g.engine.draw.BackBuffer, Rect{162, 50, 208, 72}, Point{92, 0}, true);
  }
}

TEST_F(Buttons, GalleryEntryWithoutACGDrawsNothing) {
  g.state.scene.CGNo = 0;
  g.engine.DrawBtn(Look::Normal, 6, Target::Back);
  g.state.scene.CGNo = 9;
  g.engine.DrawBtn(Look::Normal, 6, Target::Back);
  for (int x = 0; x < 640; x += 7) EXPECT_EQ(back(x, 60), kUntouched);
}

TEST_F(Buttons, GalleryBackButtonUsesTheReturnColumn) {
  g.engine.DrawBtn(Look::Pressed, 7, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{580, 440, 626, 462}, Point{92, 350}, true);
}

TEST_F(Buttons, ViewerPanelAndItsSmallButtons) {
  g.engine.DrawBtn(Look::Normal, 50, Target::Screen);
  EXPECT_EQ(screen(500, 430), 0xFAFAFAu);
  EXPECT_EQ(screen(629, 457), 0xFAFAFAu);
  EXPECT_EQ(screen(630, 457), kUntouched);
  g.engine.DrawBtn(Look::Pressed, 53, Target::Screen);  // k = 2, state 1: index 1 + 2 + 4
  const Colour c = 7 * 0x010101u;
  EXPECT_EQ(screen(571, 433), c);
  EXPECT_EQ(screen(599, 454), c);
  EXPECT_EQ(screen(600, 433), 0xFAFAFAu) << "slot ends at 600";
  EXPECT_EQ(screen(570, 433), 0xFAFAFAu) << "the 1-pixel gap before it";
}

TEST_F(Buttons, PanelInItsHoverLookPutsBackTheBackBufferWhateverTheTarget) {
  for (Target t : {Target::Back, Target::Screen, static_cast<Target>(7)}) {
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, 0x00AA00);
    g.engine.draw.ImageBa = Bitmap::create32(640, 480, kUntouched);
    g.engine.DrawBtn(Look::Hover, 50, t);
    EXPECT_EQ(screen(500, 430), 0x00AA00u);
    EXPECT_EQ(screen(629, 457), 0x00AA00u);
    EXPECT_EQ(screen(630, 430), kUntouched);
    EXPECT_EQ(screen(500, 458), kUntouched);
    EXPECT_EQ(screen(499, 440), kUntouched);
  }
}

TEST_F(Buttons, UnknownKindsDrawNothing) {
  for (int kind : {0, 5, 8, 49, 55}) g.engine.DrawBtn(Look::Normal, kind, Target::Screen);
  for (int y = 0; y < 480; y += 11)
    for (int x = 0; x < 640; x += 13) ASSERT_EQ(screen(x, y), kUntouched);
}

TEST_F(Buttons, StatusScreenItems) {
  g.state.shell.GameMode = GameMode::Status;
  g.engine.DrawModeBtn(Look::Pressed, 2, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{463, 135, 538, 159}, Point{75, 396}, true);
  g.engine.DrawModeBtn(Look::Normal, 3, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{500, 420, 546, 442}, Point{92, 328}, true);
  g.engine.DrawModeBtn(Look::Inactive, 5, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{446, 300, 492, 322}, Point{46, 372}, true);
}

TEST_F(Buttons, ModeButtonsOutsideTheirScreensDrawNothing) {
  g.state.shell.GameMode = GameMode::Calendar;
  g.engine.DrawModeBtn(Look::Normal, 3, Target::Screen);
  g.state.shell.GameMode = GameMode::Talk;
  g.engine.DrawModeBtn(Look::Normal, 5, Target::Screen);
  EXPECT_EQ(screen(510, 430), kUntouched);
  EXPECT_EQ(screen(400, 310), kUntouched);
}

TEST_F(Buttons, ConversationTopicsTakeColumnFromItemAndRowFromState) {
  g.state.shell.GameMode = GameMode::Talk;
  g.engine.DrawModeBtn(Look::Inactive, 3, Target::Screen);
  expectCell(g.engine.draw.ImageBa, Rect{389, 365, 435, 387}, Point{92, 76}, true);
}

TEST_F(Buttons, WalkTileFollowsThePlaceCodeOfItsButton) {
  g.state.train.Adv.TrainStep = TrainStep::EveningWalk;
  g.state.train.Adv.Area = 0;  // corridor: button 4 is place 4
  DrawCalBtn(g.engine.draw, g.state.train, Look::Normal, 4, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{215, 221, 325, 303}, Point{0, 246}, false);
}

TEST_F(Buttons, EveningAndStep17AndStep3Cells) {
  g.state.train.Adv.TrainStep = TrainStep::LateEvening;
  DrawCalBtn(g.engine.draw, g.state.train, Look::Pressed, 2, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{343, 365, 389, 387}, Point{46, 120}, true);
  g.state.train.Adv.TrainStep = TrainStep::OwnRoom;
  DrawCalBtn(g.engine.draw, g.state.train, Look::Pressed, 2, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{400, 170, 510, 252}, Point{110, 246}, false);
  g.state.train.Adv.TrainStep = TrainStep::JobConfirm;
  DrawCalBtn(g.engine.draw, g.state.train, Look::Normal, 2, Target::Back);
  expectCell(g.engine.draw.BackBuffer, Rect{506, 430, 552, 452}, Point{46, 328}, true);
}

TEST_F(Buttons, StepsWithoutButtonsDrawNothing) {
  for (TrainStep step : {TrainStep::Morning, TrainStep::JobRunning, TrainStep::JobFinished, static_cast<TrainStep>(6),
                         TrainStep::Sleep, TrainStep::SelfStudy, TrainStep::JobResult, TrainStep::InfoEvening}) {
    g.state.train.Adv.TrainStep = step;
    for (int item = 1; item <= 6; ++item) DrawCalBtn(g.engine.draw, g.state.train, Look::Normal, item, Target::Back);
  }
  for (int y = 0; y < 480; y += 9)
    for (int x = 0; x < 640; x += 9) ASSERT_EQ(back(x, y), kUntouched);
}

TEST_F(Buttons, EveningBarDrawsTheBarAndFourInactiveButtons) {
  g.state.shell.GameMode = GameMode::Calendar;
  g.state.train.Adv.TrainStep = TrainStep::Evening;
  g.calendar.CalendarEnter();  // the evening menu's picture: its bar before the buttons go live
  EXPECT_EQ(coordOf(back(258, 361)), (Point{1, 1})) << "the bar";
  EXPECT_EQ(coordOf(back(520, 391)), (Point{263, 31}));
  EXPECT_EQ(back(521, 391), kUntouched);
  for (int i = 1; i <= 4; ++i)
    EXPECT_EQ(coordOf(back(297 + 46 * (i - 1) + 1, 366)), (Point{46 * (i - 1) + 1, 98 + 44 + 1})) << i;
}

TEST_F(Buttons, ConversationBarLeavesOutALockedTopic) {
  // At lunch the third character's topic is locked.
  g.state.shell.GameMode = GameMode::Talk;
  g.state.train.Adv.TrainStep = TrainStep::Lunch;
  g.state.train.Adv.Partner = 1;
  ASSERT_EQ(g.rules.OptionLocked(3), 1);
  g.calendar.TalkScreen(TalkStep::Compose);  // the conversation's picture: the bar of its topics
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
