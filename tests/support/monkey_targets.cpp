#include "support/monkey_targets.h"

#include <algorithm>
#include <vector>

#include "engine/layouts.h"

namespace shirakaba::test {

int regionAt(const TXP_Form& f, int x, int y) {
  if (f.GameMode == 2) {
    const int n = HitGallery(x, y);
    return n != 0 ? n : f.HitTest(x, y);
  }
  if (f.GameMode == 100) return HitColumns(3, x, y, SceneListLayout);
  return f.HitTest(x, y);
}

namespace {

// Every slot of a layout: one row or list of Cols slots, or a grid of two rows.
void addSlots(std::vector<Rect>& out, const LayoutRec& l) {
  const bool grid = l.GapX != 0 && l.GapY != 0;
  const int cols = std::clamp<int>(l.Cols, 1, 18);
  const int count = grid ? 2 * cols : cols;
  for (int i = 0; i < count; ++i) out.push_back(SlotRect(i, l));
}

void addCalendarSlots(std::vector<Rect>& out, int32_t step) {
  switch (step) {
    case 2: addSlots(out, Step2Layout); break;
    case 3: addSlots(out, Step3Layout); break;
    case 10:
    case 18: addSlots(out, WalkLayout); break;
    case 15:
      addSlots(out, LunchLayout);
      addSlots(out, LunchExtraLayout);
      break;
    case 17: addSlots(out, Step17Layout); break;
    default: addSlots(out, BarBtnLayout); break;
  }
}

std::vector<Rect> slotsOf(const TXP_Form& f) {
  std::vector<Rect> out;
  switch (f.GameMode) {
    case 1: addSlots(out, TitleMenuLayout); break;
    case 2:
      addSlots(out, GalleryBackLayout);
      for (int n = 1; n <= kCGs; ++n) {
        const LayoutRec row = GalleryRows(GalleryPos(0, n));
        out.push_back(rectLTWH(GalleryPos(1, n), GalleryPos(2, n), row.W, row.H));
      }
      break;
    case 4: addCalendarSlots(out, f.train.Adv.TrainStep); break;
    case 8: {
      LayoutRec l = ViewerBtnLayout;
      l.X += ViewerOrigin.x;
      l.Y += ViewerOrigin.y;
      addSlots(out, l);
      break;
    }
    case 10:
      addSlots(out, StatusBtn1Layout);
      addSlots(out, StatusBtn2Layout);
      out.push_back(ReturnBtnRect);
      break;
    case 12: addSlots(out, ChoiceLayout); break;
    case 13: addSlots(out, TalkBtnLayout); break;
    case 100:
      for (int c = 0; c < 3; ++c) {
        LayoutRec l = SceneListLayout;
        l.X += c * (l.W + l.GapX);
        addSlots(out, l);
      }
      break;
    default: break;
  }
  return out;
}

bool isLiveRegion(const TXP_Form& f, int n) {
  if (f.GameMode == 2) return n == 8 || (n >= 1 && n <= kCGs && f.record.CGSeen[n] > 0);
  if (f.GameMode == 100) return n >= 1 && n <= kEvents;
  return n >= 1 && n <= 14 && f.btn.ButtonOn[n] != 0;
}

Point inside(const Rect& r, MonkeyRng& rng) {
  return {rng.range(r.left, std::max(r.left, r.right - 1)), rng.range(r.top, std::max(r.top, r.bottom - 1))};
}

}  // namespace

Point pickAnywhere(MonkeyRng& rng) {
  if (rng.chance(50)) return {rng.range(-40, kScreenW + 40), rng.range(-40, kScreenH + 40)};
  return {rng.range(0, kScreenW - 1), rng.range(0, kScreenH - 1)};
}

Point pickTarget(const TXP_Form& form, MonkeyRng& rng) {
  const std::vector<Rect> slots = slotsOf(form);
  if (!slots.empty()) {
    for (int tries = 0; tries < 16; ++tries) {
      const Point p = inside(slots[rng.below(static_cast<int>(slots.size()))], rng);
      if (isLiveRegion(form, regionAt(form, p.x, p.y))) return p;
    }
  }
  return {rng.range(0, kScreenW - 1), rng.range(0, kScreenH - 1)};
}

}  // namespace shirakaba::test
