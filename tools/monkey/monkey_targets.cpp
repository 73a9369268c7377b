#include "tools/monkey/monkey_targets.h"

#include <algorithm>
#include <vector>

#include "calendar/layouts.h"

namespace shirakaba::monkey {

int regionAt(const Game& g, int x, int y) { return g.HitTest(x, y); }

namespace {

// Every slot of a layout: one row or list of Cols slots, or a grid of two rows.
void addSlots(std::vector<Rect>& out, const LayoutRec& l) {
  const bool grid = l.GapX != 0 && l.GapY != 0;
  const int cols = std::clamp<int>(l.Cols, 1, 18);
  const int count = grid ? 2 * cols : cols;
  for (int i = 0; i < count; ++i) out.push_back(SlotRect(i, l));
}

void addCalendarSlots(std::vector<Rect>& out, TrainStep step) {
  switch (step) {
    case TrainStep::JobChoice: addSlots(out, Step2Layout); break;
    case TrainStep::JobConfirm: addSlots(out, Step3Layout); break;
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk: addSlots(out, WalkLayout); break;
    case TrainStep::Lunch:
      addSlots(out, LunchLayout);
      addSlots(out, LunchExtraLayout);
      break;
    case TrainStep::OwnRoom: addSlots(out, Step17Layout); break;
    default: addSlots(out, BarBtnLayout); break;
  }
}

std::vector<Rect> slotsOf(const Game& g) {
  std::vector<Rect> out;
  switch (g.state.shell.GameMode) {
    case GameMode::Title: addSlots(out, TitleMenuLayout); break;
    case GameMode::Gallery:
      addSlots(out, GalleryBackLayout);
      for (int n = 1; n <= kCGs; ++n) {
        const LayoutRec row = GalleryRows(GalleryPos(0, n));
        out.push_back(rectLTWH(GalleryPos(1, n), GalleryPos(2, n), row.W, row.H));
      }
      break;
    case GameMode::Calendar: addCalendarSlots(out, g.state.train.Adv.TrainStep); break;
    case GameMode::Viewer: {
      LayoutRec l = ViewerBtnLayout;
      l.X += ViewerOrigin.x;
      l.Y += ViewerOrigin.y;
      addSlots(out, l);
      break;
    }
    case GameMode::Status:
      addSlots(out, StatusBtn1Layout);
      addSlots(out, StatusBtn2Layout);
      out.push_back(ReturnBtnRect);
      break;
    case GameMode::Choice: addSlots(out, ChoiceLayout); break;
    case GameMode::Talk: addSlots(out, TalkBtnLayout); break;
    case GameMode::SceneList:
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

bool isLiveRegion(const Game& g, int n) {
  const GameState& s = g.state;
  if (s.shell.GameMode == GameMode::Gallery) return n == 8 || (n >= 1 && n <= kCGs && s.record.CGSeen[n] > 0);
  if (s.shell.GameMode == GameMode::SceneList) return n >= 1 && n <= kEvents;
  return n >= 1 && n <= 14 && s.btn.ButtonOn[n] != 0;
}

Point inside(const Rect& r, MonkeyRng& rng) {
  return {rng.range(r.left, std::max(r.left, r.right - 1)), rng.range(r.top, std::max(r.top, r.bottom - 1))};
}

}  // namespace

Point pickAnywhere(MonkeyRng& rng) {
  if (rng.chance(50)) return {rng.range(-40, kScreenW + 40), rng.range(-40, kScreenH + 40)};
  return {rng.range(0, kScreenW - 1), rng.range(0, kScreenH - 1)};
}

Point pickTarget(const Game& game, MonkeyRng& rng) {
  const std::vector<Rect> slots = slotsOf(game);
  if (!slots.empty()) {
    for (int tries = 0; tries < 16; ++tries) {
      const Point p = inside(slots[rng.below(static_cast<int>(slots.size()))], rng);
      if (isLiveRegion(game, regionAt(game, p.x, p.y))) return p;
    }
  }
  return {rng.range(0, kScreenW - 1), rng.range(0, kScreenH - 1)};
}

}  // namespace shirakaba::monkey
