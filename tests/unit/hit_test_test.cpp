// Hit regions: slots count their left and top edges as inside and their right and
// bottom edges as outside; the numbering of lists, rows, two-row grids, columns and
// the gallery grid; and the region numbers of each screen.
#include <gtest/gtest.h>

#include "calendar/layouts.h"
#include "engine/layouts.h"
#include "game/game.h"
#include "engine/hit_test.h"

using namespace shirakaba;

TEST(PointInRect, LeftAndTopInsideRightAndBottomOutside) {
  const Rect r = rectLTWH(500, 420, 46, 22);
  EXPECT_EQ(PointInRect(500, 420, r), 1);
  EXPECT_EQ(PointInRect(545, 441, r), 1);
  EXPECT_EQ(PointInRect(546, 430, r), 0);
  EXPECT_EQ(PointInRect(520, 442, r), 0);
  EXPECT_EQ(PointInRect(499, 430, r), 0);
  EXPECT_EQ(PointInRect(520, 419, r), 0);
}

TEST(HitLayout, VerticalListEdgesAndGaps) {
  const LayoutRec& l = TitleMenuLayout;  // 290, 275, 59 x 22, gap 4, 4 slots
  EXPECT_EQ(HitLayout(HitShape::List, 290, 275, l), 1);
  EXPECT_EQ(HitLayout(HitShape::List, 348, 296, l), 1);
  EXPECT_EQ(HitLayout(HitShape::List, 349, 280, l), 0) << "X = left + W";
  EXPECT_EQ(HitLayout(HitShape::List, 300, 297, l), 0) << "Y = top + H: the gap";
  EXPECT_EQ(HitLayout(HitShape::List, 300, 300, l), 0) << "last row of the gap";
  EXPECT_EQ(HitLayout(HitShape::List, 300, 301, l), 2);
  EXPECT_EQ(HitLayout(HitShape::List, 300, 353, l), 4);
  EXPECT_EQ(HitLayout(HitShape::List, 300, 374, l), 4);
  EXPECT_EQ(HitLayout(HitShape::List, 300, 379, l), 0) << "a fifth slot is not tested";
  EXPECT_EQ(HitLayout(HitShape::List, 289, 280, l), 0);
}

TEST(HitLayout, RowAndAtLeastOneSlot) {
  LayoutRec l{100, 50, 20, 10, 5, 0, 3};
  EXPECT_EQ(HitLayout(HitShape::Row, 100, 50, l), 1);
  EXPECT_EQ(HitLayout(HitShape::Row, 120, 55, l), 0);
  EXPECT_EQ(HitLayout(HitShape::Row, 125, 59, l), 2);
  EXPECT_EQ(HitLayout(HitShape::Row, 150, 55, l), 3);
  EXPECT_EQ(HitLayout(HitShape::Row, 175, 55, l), 0);
  EXPECT_EQ(HitLayout(HitShape::Row, 110, 60, l), 0);
  l.Cols = 0;
  EXPECT_EQ(HitLayout(HitShape::Row, 105, 55, l), 1) << "Cols 0 still tests slot 0";
  EXPECT_EQ(HitLayout(HitShape::Row, 130, 55, l), 0);
  l.Cols = -5;
  EXPECT_EQ(HitLayout(HitShape::List, 105, 55, l), 1);
  EXPECT_EQ(HitLayout(static_cast<HitShape>(0), 105, 55, l), 0) << "unknown shape";
  EXPECT_EQ(HitLayout(static_cast<HitShape>(4), 105, 55, l), 0);
}

TEST(HitLayout, TwoRowsNumberTheSecondRowAfterTheFirst) {
  const LayoutRec& l = WalkLayout;  // 215, 122, 110 x 82, gaps 7 / 17, 3 columns
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215, 122, l), 1);
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215 + 2 * 117, 122, l), 3);
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215 + 2 * 117 + 50, 221 + 40, l), 6) << "second row, third tile";
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215, 221, l), 4);
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215, 204, l), 0) << "between the rows";
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 215, 303, l), 0) << "no third row";
  EXPECT_EQ(HitLayout(HitShape::TwoRows, 325, 130, l), 0) << "between two tiles";
}

TEST(HitColumns, SceneListColumns) {
  const LayoutRec& l = SceneListLayout;
  EXPECT_EQ(HitColumns(3, 50, 30, l), 1);
  EXPECT_EQ(HitColumns(3, 149, 47, l), 1);
  EXPECT_EQ(HitColumns(3, 50, 48, l), 0);
  EXPECT_EQ(HitColumns(3, 50, 50, l), 2);
  EXPECT_EQ(HitColumns(3, 50, 30 + 17 * 20, l), 18);
  EXPECT_EQ(HitColumns(3, 205, 52, l), 20);
  EXPECT_EQ(HitColumns(3, 350, 30, l), 37);
  EXPECT_EQ(HitColumns(3, 449, 387, l), 54);
  EXPECT_EQ(HitColumns(3, 150, 30, l), 0) << "between columns";
  EXPECT_EQ(HitColumns(3, 500, 30, l), 0) << "no fourth column";
  EXPECT_EQ(HitColumns(2, 350, 30, l), 0);
}

TEST(HitGallery, RowsAndTheTwelfthRow) {
  EXPECT_EQ(HitGallery(50, 50), 1);
  EXPECT_EQ(HitGallery(386, 50), 7);
  EXPECT_EQ(HitGallery(442, 50), 8) << "eighth cell of the first row";
  EXPECT_EQ(HitGallery(487, 71), 8);
  EXPECT_EQ(HitGallery(488, 60), 0);
  EXPECT_EQ(HitGallery(554, 60), 10);
  EXPECT_EQ(HitGallery(50, 72), 0) << "between rows";
  EXPECT_EQ(HitGallery(50, 77), 11);
  EXPECT_EQ(HitGallery(554, 50 + 27 * 10), 110);
  EXPECT_EQ(HitGallery(50, 347), 111) << "the twelfth row has one slot";
  EXPECT_EQ(HitGallery(106, 347), 0);
  EXPECT_EQ(HitGallery(50, 369), 0);
}

namespace {
struct ScreenRegions : ::testing::Test {
  NullHost host;
  Game g{host};
  int at(GameMode mode, int x, int y, TrainStep step = TrainStep::None) {
    g.state.shell.GameMode = mode;
    g.state.train.Adv.TrainStep = step;
    return g.HitTest(x, y);
  }
};
// Step 6 is never set, but the calendar tests it as it does JobConfirm.
constexpr TrainStep kUnusedStep6 = static_cast<TrainStep>(6);
}  // namespace

TEST_F(ScreenRegions, TitleGapBetweenButtons) {
  EXPECT_EQ(at(GameMode::Title, 290, 275), 1);
  for (int y = 297; y <= 300; ++y) EXPECT_EQ(at(GameMode::Title, 300, y), 0) << y;
  EXPECT_EQ(at(GameMode::Title, 300, 301), 2);
  EXPECT_EQ(at(GameMode::Title, 300, 353), 4);
}

TEST_F(ScreenRegions, GalleryEntriesAndTheBackButtonAsEight) {
  EXPECT_EQ(at(GameMode::Gallery, 580, 440), 8);
  EXPECT_EQ(at(GameMode::Gallery, 625, 461), 8);
  EXPECT_EQ(at(GameMode::Gallery, 626, 440), 0);
  EXPECT_EQ(at(GameMode::Gallery, 60, 60), 1) << "a press on the grid picks its entry";
  EXPECT_EQ(at(GameMode::Gallery, 442, 50), 8) << "the eighth cell picks what the back button picks";
  EXPECT_EQ(at(GameMode::Gallery, 50, 347), 111);
  EXPECT_EQ(at(GameMode::Gallery, 50, 72), 0) << "between rows";
}

TEST_F(ScreenRegions, CalendarByTrainingStep) {
  EXPECT_EQ(at(GameMode::Calendar, 150, 80, TrainStep::JobChoice), 1);
  EXPECT_EQ(at(GameMode::Calendar, 330, 200, TrainStep::JobChoice), 4);
  EXPECT_EQ(at(GameMode::Calendar, 300, 80, TrainStep::JobChoice), 0);
  EXPECT_EQ(at(GameMode::Calendar, 506, 430, TrainStep::JobConfirm), 2);
  EXPECT_EQ(at(GameMode::Calendar, 506, 430, kUnusedStep6), 2);
  EXPECT_EQ(at(GameMode::Calendar, 500, 430, TrainStep::JobConfirm), 0);
  EXPECT_EQ(at(GameMode::Calendar, 215 + 2 * 117, 221, TrainStep::EveningWalk), 6);
  EXPECT_EQ(at(GameMode::Calendar, 215 + 2 * 117, 221, TrainStep::LunchWalk), 6);
  EXPECT_EQ(at(GameMode::Calendar, 466, 105, TrainStep::Lunch), 3);
  EXPECT_EQ(at(GameMode::Calendar, 456, 240, TrainStep::Lunch), 6) << "the extra tile";
  EXPECT_EQ(at(GameMode::Calendar, 565, 321, TrainStep::Lunch), 6);
  EXPECT_EQ(at(GameMode::Calendar, 566, 321, TrainStep::Lunch), 0);
  EXPECT_EQ(at(GameMode::Calendar, 400, 170, TrainStep::OwnRoom), 2);
  EXPECT_EQ(at(GameMode::Calendar, 297 + 46 * 3, 365, TrainStep::Evening), 4);
  EXPECT_EQ(at(GameMode::Calendar, 297 + 46 * 4, 365, TrainStep::LateEvening), 0);
  EXPECT_EQ(at(GameMode::Calendar, 297, 365, TrainStep::Morning), 1) << "every other step uses the bar";
}

TEST_F(ScreenRegions, ViewerButtonsInsideThePanel) {
  EXPECT_EQ(at(GameMode::Viewer, 511, 433), 1);
  EXPECT_EQ(at(GameMode::Viewer, 540, 433), 0) << "the 1-pixel gap";
  EXPECT_EQ(at(GameMode::Viewer, 541, 454), 2);
  EXPECT_EQ(at(GameMode::Viewer, 599, 433), 3);
  EXPECT_EQ(at(GameMode::Viewer, 600, 433), 0);
  EXPECT_EQ(at(GameMode::Viewer, 511, 455), 0);
}

TEST_F(ScreenRegions, StatusScreenRegions) {
  EXPECT_EQ(at(GameMode::Status, 360, 140), 1);
  EXPECT_EQ(at(GameMode::Status, 463, 135), 2);
  EXPECT_EQ(at(GameMode::Status, 353, 159), 0) << "one slot only";
  EXPECT_EQ(at(GameMode::Status, 353, 171), 0);
  EXPECT_EQ(at(GameMode::Status, 500, 420), 3);
  EXPECT_EQ(at(GameMode::Status, 546, 420), 0);
}

TEST_F(ScreenRegions, ChoiceConversationSceneListAndOthers) {
  EXPECT_EQ(at(GameMode::Choice, 55, 390), 1);
  EXPECT_EQ(at(GameMode::Choice, 254, 427), 2);
  EXPECT_EQ(at(GameMode::Choice, 55, 408), 0);
  EXPECT_EQ(at(GameMode::Choice, 255, 410), 0);
  EXPECT_EQ(at(GameMode::Talk, 297 + 46, 365), 2);
  EXPECT_EQ(at(GameMode::Talk, 297 + 46 * 4, 365), 0);
  // The scene list picks by its three columns of rows.
  EXPECT_EQ(at(GameMode::SceneList, 60, 52), 2);
  EXPECT_EQ(at(GameMode::SceneList, 205, 52), 20);
  EXPECT_EQ(at(GameMode::SceneList, 300, 280), 0) << "between columns";
  for (GameMode mode : {GameMode::Logo, GameMode::CGDisplay, GameMode::Scene, GameMode::Closing, GameMode::Resume,
                        static_cast<GameMode>(3)})
    EXPECT_EQ(at(mode, 300, 280), 0) << toInt(mode);
}
