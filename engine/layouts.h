// The screen's fixed rectangles, and the layout record that places every row, list and
// grid of on-screen buttons. The layout constants serve both the button drawing and the
// hit tests, so that a drawn button and its region cannot drift apart.
#pragma once
#include "base/geometry.h"

namespace shirakaba {

constexpr Rect ScreenRect{0, 0, 640, 480};
constexpr Rect NarrowRect{20, 0, 620, 480};
constexpr Rect StripRect{0, 0, 32, 480};
constexpr Rect MesRect{0, 400, 640, 480};
constexpr Rect FaceRect{0, 280, 195, 480};
constexpr Rect PromptRect{615, 450, 630, 470};
// Where the lines of a page start in the message window, beside no face and beside a
// face, and the lines of the calendar's hint blocks; they are cut off at its right edge.
constexpr int PageTextX = 100, FacePageTextX = 170, HintTextX = 170;

// Seven signed integers describing equal slots: a vertical list (GapX 0, GapY not 0),
// a row (GapY 0) or a grid of Cols columns (both gaps not 0).
struct LayoutRec {
  int32_t X, Y, W, H, GapX, GapY, Cols;
};

// Cell (Col, Row) of a sprite sheet whose W x H cells start at Origin.
Rect SheetCell(int32_t col, int32_t row, int32_t w, int32_t h, Point origin);
// Slot I (from 0) of a layout.
Rect SlotRect(int32_t i, const LayoutRec& l);

constexpr LayoutRec TitleMenuLayout{290, 275, 59, 22, 0, 4, 4};
constexpr LayoutRec GalleryBackLayout{580, 440, 46, 22, 0, 0, 1};
constexpr LayoutRec ViewerBtnLayout{11, 3, 29, 22, 1, 0, 3};
constexpr LayoutRec StatusBtn1Layout{353, 135, 75, 24, 0, 12, 1};
constexpr LayoutRec StatusBtn2Layout{463, 135, 75, 24, 0, 12, 1};
constexpr LayoutRec StatusSmallLayout{390, 300, 46, 22, 10, 0, 2};
constexpr LayoutRec TalkBtnLayout{297, 365, 46, 22, 0, 0, 4};
constexpr LayoutRec ChoiceLayout{55, 390, 200, 18, 0, 2, 2};
constexpr LayoutRec SceneListLayout{50, 30, 100, 18, 50, 2, 18};

constexpr int kGalleryRows = 12;
// Row r = 1..12 of the CG gallery grid.
constexpr LayoutRec GalleryRows(int r) {
  return {50, 50 + 27 * (r - 1), 46, 22, 10, 5, r == 12 ? -103 : 10};
}

constexpr Rect ViewerPanelRect = rectLTWH(500, 430, 130, 28);
constexpr Rect ReturnBtnRect = rectLTWH(500, 420, 46, 22);
constexpr Point ViewerOrigin{500, 430};

// Top-left corners where sprites are placed; every slot puts the top edge at y 0.
constexpr Point SpriteSlots[8] = {{200, 0}, {350, 0}, {50, 0}, {300, 0},
                                  {230, 0}, {280, 0}, {265, 0}, {170, 0}};

}  // namespace shirakaba
