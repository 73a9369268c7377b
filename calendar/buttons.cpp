// The calendar's buttons, its bar of four and its hit test, all by the same layouts.
#include "calendar/buttons.h"

#include "calendar/calendar.h"
#include "calendar/layouts.h"
#include "calendar/tables.h"
#include "engine/hit_test.h"
#include "engine/sheets.h"

namespace shirakaba {

namespace {

constexpr Point kBarAt{257, 360};  // the bar, with the four slots centred in it
constexpr int kLunchWalkButton = 6;

Rect offset(const Rect& r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

}  // namespace

int PlaceOfButton(const TrainingState& train, int b) {
  if (train.Adv.Area == 0) return b >= 0 && b < kCorridorButtons ? CorridorPlaces[b] : 0;
  return b >= 0 && b < kOutsideButtons ? OutsidePlaces[b] : 0;
}

void DrawCalBtn(DrawContext& draw, const TrainingState& train, Look look, int item, Target target) {
  const int state = static_cast<int>(look);
  switch (train.Adv.TrainStep) {
    case TrainStep::JobChoice:
      CopyPicRect(draw, SheetCell(state, item - 1, Step2Layout.W, Step2Layout.H, sheet::Step2Cells),
                  SlotRect(item - 1, Step2Layout), pic::MainSheet, target);
      break;
    case TrainStep::JobConfirm:
      TransPicRect(draw, SheetCell(item - 1, state, Step3Layout.W, Step3Layout.H, sheet::SmallCells),
                   SlotRect(item - 1, Step3Layout), pic::MainSheet, target);
      break;
    case TrainStep::Evening:
    case TrainStep::LateEvening:
      TransPicRect(draw, SheetCell(item - 1, state, BarBtnLayout.W, BarBtnLayout.H, sheet::EveningCells),
                   SlotRect(item - 1, BarBtnLayout), pic::MainSheet, target);
      break;
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk: {
      const int place = PlaceOfButton(train, item);
      CopyPicRect(draw, SheetCell(state, place - 1, WalkLayout.W, WalkLayout.H, sheet::PlaceCells),
                  SlotRect(item - 1, WalkLayout), pic::PlaceSheet, target);
      break;
    }
    case TrainStep::Lunch:
      if (item == kLunchWalkButton)
        CopyPicRect(draw, SheetCell(state, 0, LunchExtraLayout.W, LunchExtraLayout.H, sheet::LunchExtraCells),
                    SlotRect(0, LunchExtraLayout), pic::PlaceSheet, target);
      else
        CopyPicRect(draw, SheetCell(state, item - 1, LunchLayout.W, LunchLayout.H, sheet::LunchCells),
                    SlotRect(item - 1, LunchLayout), pic::MainSheet, target);
      break;
    case TrainStep::OwnRoom:
      CopyPicRect(draw, SheetCell(state, item - 1, Step17Layout.W, Step17Layout.H, sheet::Step17Cells),
                  SlotRect(item - 1, Step17Layout), pic::MainSheet, target);
      break;
    default: break;
  }
}

void Calendar::DrawBtnBar(BarKind kind) {
  TransPicRect(draw, sheet::BarCell, offset(sheet::BarCell, kBarAt), pic::MainSheet, Target::Back);
  for (int i = 1; i <= BarBtnLayout.Cols; ++i) {
    if (kind == BarKind::Evening) {
      DrawCalBtn(draw, train, Look::Inactive, i, Target::Back);
    } else if (kind == BarKind::Topics) {
      // A locked topic is left out: its slot shows the bare bar.
      if (rules.OptionLocked(i) == 0) e.DrawModeBtn(Look::Inactive, i, Target::Back);
    }
  }
}

int Calendar::HitTest(int x, int y) const {
  constexpr int32_t kUnusedStep6 = 6;  // never set, but hit-tested as step 3 is
  if (toInt(train.Adv.TrainStep) == kUnusedStep6) return hitAsShaped(x, y, Step3Layout);
  switch (train.Adv.TrainStep) {
    case TrainStep::JobChoice: return hitAsShaped(x, y, Step2Layout);
    case TrainStep::JobConfirm: return hitAsShaped(x, y, Step3Layout);
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk: return hitAsShaped(x, y, WalkLayout);
    case TrainStep::Lunch: {
      const int n = hitAsShaped(x, y, LunchLayout);
      if (n != 0) return n;
      return HitLayout(HitShape::List, x, y, LunchExtraLayout) != 0 ? kLunchWalkButton : 0;
    }
    case TrainStep::OwnRoom: return hitAsShaped(x, y, Step17Layout);
    default: return hitAsShaped(x, y, BarBtnLayout);
  }
}

}  // namespace shirakaba
