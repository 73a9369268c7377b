// The mouse on the screen: a left press becomes the number of the region under the
// pointer for the current screen, the release acts on what the press picked, and
// pointer moves light up the title buttons. Slots count their left and top edges as
// inside and their right and bottom edges as outside.
#include "engine/form.h"
#include "engine/layouts.h"

namespace shirakaba {

namespace {

enum HitKind { kList = 1, kRow = 2, kTwoRows = 3 };

// The shape of a layout follows from its gaps.
int kindOf(const LayoutRec& l) {
  if (l.GapX == 0 && l.GapY != 0) return kList;
  if (l.GapY == 0) return kRow;
  return kTwoRows;
}

bool inSpan(int v, int start, int length) { return start <= v && v < start + length; }

int hitAsShaped(int x, int y, const LayoutRec& l) { return HitLayout(kindOf(l), x, y, l); }

// Training steps of the calendar and the layouts they are hit-tested with.
int hitCalendar(int32_t step, int x, int y) {
  switch (step) {
    case 2: return hitAsShaped(x, y, Step2Layout);
    case 3:
    case 6: return hitAsShaped(x, y, Step3Layout);
    case 10:
    case 18: return hitAsShaped(x, y, WalkLayout);
    case 15: {
      const int n = hitAsShaped(x, y, LunchLayout);
      if (n != 0) return n;
      return HitLayout(kList, x, y, LunchExtraLayout) != 0 ? 6 : 0;
    }
    case 17: return hitAsShaped(x, y, Step17Layout);
    default: return hitAsShaped(x, y, BarBtnLayout);
  }
}

}  // namespace

int PointInRect(int x, int y, const Rect& r) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom ? 1 : 0;
}

int HitLayout(int kind, int x, int y, LayoutRec l) {
  switch (kind) {
    case kList:
      if (!inSpan(x, l.X, l.W)) return 0;
      // At least one slot is tested, at most Cols.
      for (int j = 0;; ++j) {
        if (inSpan(y, l.Y + j * (l.H + l.GapY), l.H)) return j + 1;
        if (j >= l.Cols - 1) return 0;
      }
    case kRow:
      if (!inSpan(y, l.Y, l.H)) return 0;
      for (int j = 0;; ++j) {
        if (inSpan(x, l.X + j * (l.W + l.GapX), l.W)) return j + 1;
        if (j >= l.Cols - 1) return 0;
      }
    case kTwoRows: {
      const int first = HitLayout(kRow, x, y, l);
      if (first != 0) return first;
      l.Y += l.H + l.GapY;
      const int second = HitLayout(kRow, x, y, l);
      return second != 0 ? l.Cols + second : 0;
    }
    default: return 0;
  }
}

int HitColumns(int count, int x, int y, LayoutRec l) {
  for (int c = 0; c < count; ++c) {
    const int n = HitLayout(kList, x, y, l);
    if (n != 0) return c * l.Cols + n;
    l.X += l.W + l.GapX;
  }
  return 0;
}

int HitGallery(int x, int y) {
  int before = 0;  // numbers of the rows already missed
  for (int r = 1; r <= kGalleryRows; ++r) {
    const LayoutRec row = GalleryRows(r);
    const int n = HitLayout(kRow, x, y, row);
    if (n != 0) return before + n;
    before += row.Cols;
  }
  return 0;
}

int TXP_Form::HitTest(int x, int y) const {
  switch (GameMode) {
    case 1: return hitAsShaped(x, y, TitleMenuLayout);
    case 2: return hitAsShaped(x, y, GalleryBackLayout) != 0 ? 8 : 0;  // the gallery's back button
    case 4: return hitCalendar(train.Adv.TrainStep, x, y);
    case 8: {
      LayoutRec l = ViewerBtnLayout;
      l.X += ViewerOrigin.x;
      l.Y += ViewerOrigin.y;
      return hitAsShaped(x, y, l);
    }
    case 10:
      if (HitLayout(kList, x, y, StatusBtn1Layout) != 0) return 1;
      if (HitLayout(kList, x, y, StatusBtn2Layout) != 0) return 2;
      return PointInRect(x, y, ReturnBtnRect) != 0 ? 3 : 0;
    case 12: return hitAsShaped(x, y, ChoiceLayout);
    case 13: return hitAsShaped(x, y, TalkBtnLayout);
    default: return 0;
  }
}

void TXP_Form::ImageBaMouseDown(MouseButton b, int x, int y) {
  if (b != MouseButton::Left || Cha_Timer.Enabled()) return;
  btn.PressedBtn = 0;
  btn.SelectedBtn = 0;
  switch (GameMode) {
    case 1:
      btn.PressedBtn = HitTest(x, y);
      TitleMenu(2);
      break;
    case 2:
      btn.PressedBtn = HitGallery(x, y);
      if (btn.PressedBtn == 0) btn.PressedBtn = HitTest(x, y);
      if (btn.PressedBtn > 0) GalleryScreen(1);
      GalleryScreen(2);
      break;
    case 4:
      btn.PressedBtn = HitTest(x, y);
      CalendarPress();
      break;
    case 5: EndCG(); break;  // a press during the CG display ends it
    case 7: PlaySE(1); break;
    case 8:
      btn.PressedBtn = HitTest(x, y);
      GalleryScreen(6);
      break;
    case 10:
      btn.PressedBtn = HitTest(x, y);
      StatusScreen(2);
      break;
    case 12:
      btn.PressedBtn = HitTest(x, y);
      ChoiceMenu(2);
      break;
    case 13:
      btn.PressedBtn = HitTest(x, y);
      TalkScreen(2);
      break;
    case 100:
      btn.PressedBtn = HitColumns(3, x, y, SceneListLayout);
      SceneListScreen(2);
      break;
    default: break;
  }
}

void TXP_Form::ImageBaMouseUp(MouseButton b, int x, int y) {
  if (b != MouseButton::Left || Cha_Timer.Enabled()) return;
  if (GameMode == 0) return;
  // The release acts on what the press picked, wherever the pointer is now.
  switch (GameMode) {
    case 1: TitleMenu(3); break;
    case 2: GalleryScreen(3); break;
    case 4: CalendarRelease(); break;
    case 6:
      // Tag 1: a CG replayed from the viewer is being closed; no scene runs.
      if (CG_Timer.Tag != 1) NextPage(0);
      break;
    case 7: EndScreen(2); break;
    case 8: GalleryScreen(7); break;
    case 10: StatusScreen(3); break;
    case 12: ChoiceMenu(3); break;
    case 13: TalkScreen(3); break;
    case 100: SceneListScreen(3); break;
    default: break;
  }
  btn.PressedBtn = 0;
}

void TXP_Form::ImageBaMouseMove(int x, int y) {
  if (x < 1 || x > kScreenW || y < 1 || y > kScreenH) return;
  if (Cha_Timer.Enabled() || J_Timer.Enabled()) return;
  if (btn.PressedBtn > 0 || GameMode != 1) return;
  TitleMenu(1);  // every live button back to normal
  int n = HitTest(x, y);
  if (n < 1 || n > 14 || btn.ButtonOn[n] == 0) n = 0;
  if (n > 0) DrawBtn(2, n, kToScreen);
}

}  // namespace shirakaba
