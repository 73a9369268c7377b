// Sprite-sheet buttons. Each button is one cell of a sheet, picked by its item and
// its state (0 normal, 1 pressed, 2 hover / locked / inactive), copied into the slot
// that the layout constants give it; the hit tests use the same constants.
#include "engine/form.h"
#include "engine/layouts.h"

namespace shirakaba {

namespace {

// Where the bands of the sheets start.
constexpr Point kTitleCells{0, 0};
constexpr Point kTalkCells{0, 32};         // picture 9, below the bar
constexpr Point kEveningCells{0, 98};      // picture 9, 32 + 3 rows of 22
constexpr Point kStep17Cells{0, 164};      // picture 9, 32 + 6 rows of 22
constexpr Point kSmallCells{0, 328};       // picture 9, 164 + 2 rows of 82
constexpr Point kReturnCells{92, 328};     // picture 9, the third small column
constexpr Point kStatusCells{0, 372};      // picture 9, 328 + 2 rows of 22
constexpr Point kStep2Cells{264, 0};       // picture 9, right part
constexpr Point kLunchCells{414, 0};       // picture 9, right part
constexpr Point kPlaceCells{0, 0};         // picture 13, one row per place code
constexpr Point kLunchExtraCells{0, 410};  // picture 13, the row of place code 6

constexpr Rect kPanelCell{0, 0, 130, 28};  // picture 8
constexpr int kViewerBtnTop = 28;          // picture 8, below the panel
constexpr Rect kBarCell{0, 0, 264, 32};    // picture 9
constexpr Point kBarAt{257, 360};          // the bar, with the four slots centred in it

constexpr int kGalleryW = 46, kGalleryH = 22;

Rect offset(const Rect& r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

}  // namespace

int GalleryPos(int what, int n) {
  const int r = (n - 1) / 10 + 1;
  const LayoutRec row = GalleryRows(r);
  switch (what) {
    case 0: return r;
    case 1: return row.X + ((n - 1) % 10) * (row.W + row.GapX);
    case 2: return row.Y;
    default: return 0;
  }
}

void TXP_Form::DrawBtn(int state, int kind, uint8_t target) {
  if (kind >= 1 && kind <= 4) {
    CopyPicRect(draw, SheetCell(state, kind - 1, TitleMenuLayout.W, TitleMenuLayout.H, kTitleCells),
                SlotRect(kind - 1, TitleMenuLayout), pic::TitleSheet, target);
  } else if (kind == 6) {
    const int n = scene.CGNo;
    if (n < 1 || n > kCGs) return;  // only the seven CGs have entries
    // A CG that pans vertically has its entry in the sheet's second row.
    const int v = record.CGSeen[n] == 2 ? kGalleryH : 0;
    const LayoutRec row = GalleryRows(GalleryPos(0, n));
    const int x = GalleryPos(1, n), y = GalleryPos(2, n);
    TransPicRect(draw, Rect{kGalleryW * state, v, kGalleryW * state + kGalleryW, v + kGalleryH},
                 rectLTWH(x, y, row.W, row.H), pic::GallerySheet, target);
  } else if (kind == 7) {
    TransPicRect(draw, SheetCell(0, state, GalleryBackLayout.W, GalleryBackLayout.H, kReturnCells),
                 SlotRect(0, GalleryBackLayout), pic::MainSheet, target);
  } else if (kind == 50) {
    if (state == 2) {
      // Taking the panel away: the picture under it comes back from the BackBuffer.
      copyRect(draw.BackBuffer, ViewerPanelRect, draw.ImageBa, ViewerPanelRect);
      return;
    }
    CopyPicRect(draw, kPanelCell, ViewerPanelRect, pic::ViewerSheet, target);
  } else if (kind >= 51 && kind <= 54) {
    const int k = kind - 51;
    const LayoutRec& l = ViewerBtnLayout;
    const int top = kViewerBtnTop + l.H * state;
    CopyPicRect(draw, Rect{l.W * k, top, l.W * k + l.W, top + l.H}, offset(SlotRect(k, l), ViewerOrigin),
                pic::ViewerSheet, target);
  }
}

void TXP_Form::DrawModeBtn(int state, int item, uint8_t target) {
  if (GameMode == 10 || GameMode == 11) {
    switch (item) {
      case 1:
        TransPicRect(draw, SheetCell(0, state, StatusBtn1Layout.W, StatusBtn1Layout.H, kStatusCells),
                     SlotRect(0, StatusBtn1Layout), pic::MainSheet, target);
        break;
      case 2:
        TransPicRect(draw, SheetCell(1, state, StatusBtn2Layout.W, StatusBtn2Layout.H, kStatusCells),
                     SlotRect(0, StatusBtn2Layout), pic::MainSheet, target);
        break;
      case 3:
        TransPicRect(draw, SheetCell(0, state, ReturnBtnRect.width(), ReturnBtnRect.height(), kReturnCells),
                     ReturnBtnRect, pic::MainSheet, target);
        break;
      case 4:
      case 5:
        TransPicRect(draw, SheetCell(item - 4, state, StatusSmallLayout.W, StatusSmallLayout.H, kSmallCells),
                     SlotRect(item - 4, StatusSmallLayout), pic::MainSheet, target);
        break;
      default: break;
    }
  } else if (GameMode == 13) {
    if (item < 1 || item > TalkBtnLayout.Cols) return;
    TransPicRect(draw, SheetCell(item - 1, state, TalkBtnLayout.W, TalkBtnLayout.H, kTalkCells),
                 SlotRect(item - 1, TalkBtnLayout), pic::MainSheet, target);
  }
}

void TXP_Form::DrawCalBtn(int state, int item, uint8_t target) {
  switch (train.Adv.TrainStep) {
    case 2:
      CopyPicRect(draw, SheetCell(state, item - 1, Step2Layout.W, Step2Layout.H, kStep2Cells),
                  SlotRect(item - 1, Step2Layout), pic::MainSheet, target);
      break;
    case 3:
      TransPicRect(draw, SheetCell(item - 1, state, Step3Layout.W, Step3Layout.H, kSmallCells),
                   SlotRect(item - 1, Step3Layout), pic::MainSheet, target);
      break;
    case 8:
    case 16:
      TransPicRect(draw, SheetCell(item - 1, state, BarBtnLayout.W, BarBtnLayout.H, kEveningCells),
                   SlotRect(item - 1, BarBtnLayout), pic::MainSheet, target);
      break;
    case 10:
    case 18: {
      const int place = PlaceOfButton(item);
      CopyPicRect(draw, SheetCell(state, place - 1, WalkLayout.W, WalkLayout.H, kPlaceCells),
                  SlotRect(item - 1, WalkLayout), pic::PlaceSheet, target);
      break;
    }
    case 15:
      if (item == 6)
        CopyPicRect(draw, SheetCell(state, 0, LunchExtraLayout.W, LunchExtraLayout.H, kLunchExtraCells),
                    SlotRect(0, LunchExtraLayout), pic::PlaceSheet, target);
      else
        CopyPicRect(draw, SheetCell(state, item - 1, LunchLayout.W, LunchLayout.H, kLunchCells),
                    SlotRect(item - 1, LunchLayout), pic::MainSheet, target);
      break;
    case 17:
      CopyPicRect(draw, SheetCell(state, item - 1, Step17Layout.W, Step17Layout.H, kStep17Cells),
                  SlotRect(item - 1, Step17Layout), pic::MainSheet, target);
      break;
    default: break;
  }
}

void TXP_Form::DrawBtnBar(int kind) {
  TransPicRect(draw, kBarCell, offset(kBarCell, kBarAt), pic::MainSheet, kToBack);
  for (int i = 1; i <= BarBtnLayout.Cols; ++i) {
    if (kind == 0) {
      DrawCalBtn(2, i, kToBack);
    } else if (kind == 1) {
      // A locked topic is left out: its slot shows the bare bar.
      if (OptionLocked(i) == 0) DrawModeBtn(2, i, kToBack);
    }
  }
}

}  // namespace shirakaba
