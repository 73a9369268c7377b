// Hit regions: slots count their left and top edges as inside and their right and
// bottom edges as outside; the numbering of lists, rows, two-row grids, columns and
// the gallery grid; and the region numbers of each screen.
#include <gtest/gtest.h>

#include "engine/form.h"
#include "engine/layouts.h"

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
  EXPECT_EQ(HitLayout(1, 290, 275, l), 1);
  EXPECT_EQ(HitLayout(1, 348, 296, l), 1);
  EXPECT_EQ(HitLayout(1, 349, 280, l), 0) << "X = left + W";
  EXPECT_EQ(HitLayout(1, 300, 297, l), 0) << "Y = top + H: the gap";
  EXPECT_EQ(HitLayout(1, 300, 300, l), 0) << "last row of the gap";
  EXPECT_EQ(HitLayout(1, 300, 301, l), 2);
  EXPECT_EQ(HitLayout(1, 300, 353, l), 4);
  EXPECT_EQ(HitLayout(1, 300, 374, l), 4);
  EXPECT_EQ(HitLayout(1, 300, 379, l), 0) << "a fifth slot is not tested";
  EXPECT_EQ(HitLayout(1, 289, 280, l), 0);
}

TEST(HitLayout, RowAndAtLeastOneSlot) {
  LayoutRec l{100, 50, 20, 10, 5, 0, 3};
  EXPECT_EQ(HitLayout(2, 100, 50, l), 1);
  EXPECT_EQ(HitLayout(2, 120, 55, l), 0);
  EXPECT_EQ(HitLayout(2, 125, 59, l), 2);
  EXPECT_EQ(HitLayout(2, 150, 55, l), 3);
  EXPECT_EQ(HitLayout(2, 175, 55, l), 0);
  EXPECT_EQ(HitLayout(2, 110, 60, l), 0);
  l.Cols = 0;
  EXPECT_EQ(HitLayout(2, 105, 55, l), 1) << "Cols 0 still tests slot 0";
  EXPECT_EQ(HitLayout(2, 130, 55, l), 0);
  l.Cols = -5;
  EXPECT_EQ(HitLayout(1, 105, 55, l), 1);
  EXPECT_EQ(HitLayout(0, 105, 55, l), 0) << "unknown kind";
  EXPECT_EQ(HitLayout(4, 105, 55, l), 0);
}

TEST(HitLayout, TwoRowsNumberTheSecondRowAfterTheFirst) {
  const LayoutRec& l = WalkLayout;  // 215, 122, 110 x 82, gaps 7 / 17, 3 columns
  EXPECT_EQ(HitLayout(3, 215, 122, l), 1);
  EXPECT_EQ(HitLayout(3, 215 + 2 * 117, 122, l), 3);
  EXPECT_EQ(HitLayout(3, 215 + 2 * 117 + 50, 221 + 40, l), 6) << "second row, third tile";
  EXPECT_EQ(HitLayout(3, 215, 221, l), 4);
  EXPECT_EQ(HitLayout(3, 215, 204, l), 0) << "between the rows";
  EXPECT_EQ(HitLayout(3, 215, 303, l), 0) << "no third row";
  EXPECT_EQ(HitLayout(3, 325, 130, l), 0) << "between two tiles";
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
struct Screens : ::testing::Test {
  NullHost host;
  TXP_Form form{host};
  int at(int mode, int x, int y, int step = 0) {
    form.GameMode = mode;
    form.train.Adv.TrainStep = step;
    return form.HitTest(x, y);
  }
};
}  // namespace

TEST_F(Screens, TitleGapBetweenButtons) {
  EXPECT_EQ(at(1, 290, 275), 1);
  for (int y = 297; y <= 300; ++y) EXPECT_EQ(at(1, 300, y), 0) << y;
  EXPECT_EQ(at(1, 300, 301), 2);
  EXPECT_EQ(at(1, 300, 353), 4);
}

TEST_F(Screens, GalleryBackButtonIsEight) {
  EXPECT_EQ(at(2, 580, 440), 8);
  EXPECT_EQ(at(2, 625, 461), 8);
  EXPECT_EQ(at(2, 626, 440), 0);
  EXPECT_EQ(at(2, 60, 60), 0) << "entries are HitGallery's";
}

TEST_F(Screens, CalendarByTrainingStep) {
  EXPECT_EQ(at(4, 150, 80, 2), 1);
  EXPECT_EQ(at(4, 330, 200, 2), 4);
  EXPECT_EQ(at(4, 300, 80, 2), 0);
  EXPECT_EQ(at(4, 506, 430, 3), 2);
  EXPECT_EQ(at(4, 506, 430, 6), 2);
  EXPECT_EQ(at(4, 500, 430, 3), 0);
  EXPECT_EQ(at(4, 215 + 2 * 117, 221, 10), 6);
  EXPECT_EQ(at(4, 215 + 2 * 117, 221, 18), 6);
  EXPECT_EQ(at(4, 466, 105, 15), 3);
  EXPECT_EQ(at(4, 456, 240, 15), 6) << "the extra tile";
  EXPECT_EQ(at(4, 565, 321, 15), 6);
  EXPECT_EQ(at(4, 566, 321, 15), 0);
  EXPECT_EQ(at(4, 400, 170, 17), 2);
  EXPECT_EQ(at(4, 297 + 46 * 3, 365, 8), 4);
  EXPECT_EQ(at(4, 297 + 46 * 4, 365, 16), 0);
  EXPECT_EQ(at(4, 297, 365, 1), 1) << "every other step uses the bar";
}

TEST_F(Screens, ViewerButtonsInsideThePanel) {
  EXPECT_EQ(at(8, 511, 433), 1);
  EXPECT_EQ(at(8, 540, 433), 0) << "the 1-pixel gap";
  EXPECT_EQ(at(8, 541, 454), 2);
  EXPECT_EQ(at(8, 599, 433), 3);
  EXPECT_EQ(at(8, 600, 433), 0);
  EXPECT_EQ(at(8, 511, 455), 0);
}

TEST_F(Screens, StatusScreenRegions) {
  EXPECT_EQ(at(10, 360, 140), 1);
  EXPECT_EQ(at(10, 463, 135), 2);
  EXPECT_EQ(at(10, 353, 159), 0) << "one slot only";
  EXPECT_EQ(at(10, 353, 171), 0);
  EXPECT_EQ(at(10, 500, 420), 3);
  EXPECT_EQ(at(10, 546, 420), 0);
}

TEST_F(Screens, ChoiceConversationAndOthers) {
  EXPECT_EQ(at(12, 55, 390), 1);
  EXPECT_EQ(at(12, 254, 427), 2);
  EXPECT_EQ(at(12, 55, 408), 0);
  EXPECT_EQ(at(12, 255, 410), 0);
  EXPECT_EQ(at(13, 297 + 46, 365), 2);
  EXPECT_EQ(at(13, 297 + 46 * 4, 365), 0);
  for (int mode : {0, 5, 6, 7, 11, 100}) EXPECT_EQ(at(mode, 300, 280), 0) << mode;
}
