// Sprite-sheet buttons. Each button is one cell of a sheet, picked by its item and
// its look (normal, pressed, the third look), copied into the slot that the layout
// constants give it; the hit tests use the same constants.
#include "engine/engine.h"
#include "engine/layouts.h"
#include "engine/sheets.h"

namespace shirakaba {

namespace {

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

void Engine::DrawBtn(Look look, int kind, Target target) {
  const int state = static_cast<int>(look);
  if (kind >= 1 && kind <= 4) {
    CopyPicRect(draw, SheetCell(state, kind - 1, TitleMenuLayout.W, TitleMenuLayout.H, sheet::TitleCells),
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
    TransPicRect(draw, SheetCell(0, state, GalleryBackLayout.W, GalleryBackLayout.H, sheet::ReturnCells),
                 SlotRect(0, GalleryBackLayout), pic::MainSheet, target);
  } else if (kind == 50) {
    if (look == Look::Hover) {
      // Taking the panel away: the picture under it comes back from the BackBuffer.
      copyRect(draw.BackBuffer, ViewerPanelRect, draw.ImageBa, ViewerPanelRect);
      return;
    }
    CopyPicRect(draw, sheet::PanelCell, ViewerPanelRect, pic::ViewerSheet, target);
  } else if (kind >= 51 && kind <= 54) {
    const int k = kind - 51;
    const LayoutRec& l = ViewerBtnLayout;
    const int top = sheet::ViewerBtnTop + l.H * state;
    CopyPicRect(draw, Rect{l.W * k, top, l.W * k + l.W, top + l.H}, offset(SlotRect(k, l), ViewerOrigin),
                pic::ViewerSheet, target);
  }
}

void Engine::DrawModeBtn(Look look, int item, Target target) {
  const int state = static_cast<int>(look);
  const GameMode mode = shell.GameMode;
  if (mode == GameMode::Status || mode == GameMode::Resume) {
    switch (item) {
      case 1:
        TransPicRect(draw, SheetCell(0, state, StatusBtn1Layout.W, StatusBtn1Layout.H, sheet::StatusCells),
                     SlotRect(0, StatusBtn1Layout), pic::MainSheet, target);
        break;
      case 2:
        TransPicRect(draw, SheetCell(1, state, StatusBtn2Layout.W, StatusBtn2Layout.H, sheet::StatusCells),
                     SlotRect(0, StatusBtn2Layout), pic::MainSheet, target);
        break;
      case 3:
        TransPicRect(draw, SheetCell(0, state, ReturnBtnRect.width(), ReturnBtnRect.height(), sheet::ReturnCells),
                     ReturnBtnRect, pic::MainSheet, target);
        break;
      case 4:
      case 5:
        TransPicRect(draw, SheetCell(item - 4, state, StatusSmallLayout.W, StatusSmallLayout.H, sheet::SmallCells),
                     SlotRect(item - 4, StatusSmallLayout), pic::MainSheet, target);
        break;
      default: break;
    }
  } else if (mode == GameMode::Talk) {
    if (item < 1 || item > TalkBtnLayout.Cols) return;
    TransPicRect(draw, SheetCell(item - 1, state, TalkBtnLayout.W, TalkBtnLayout.H, sheet::BarCells),
                 SlotRect(item - 1, TalkBtnLayout), pic::MainSheet, target);
  }
}

}  // namespace shirakaba
