#include "game/mode_table.h"

#include "calendar/layouts.h"
#include "engine/hit_test.h"
#include "game/game.h"

namespace shirakaba {

namespace {

constexpr int kGalleryBackHit = 8;  // what a press on the gallery's back button picks

int hitTitle(const Game&, int x, int y) { return hitAsShaped(x, y, TitleMenuLayout); }

int hitGallery(const Game&, int x, int y) {
  const int entry = HitGallery(x, y);
  if (entry != 0) return entry;
  return hitAsShaped(x, y, GalleryBackLayout) != 0 ? kGalleryBackHit : 0;
}

int hitCalendar(const Game& g, int x, int y) { return g.calendar.HitTest(x, y); }

int hitViewer(const Game&, int x, int y) {
  LayoutRec l = ViewerBtnLayout;
  l.X += ViewerOrigin.x;
  l.Y += ViewerOrigin.y;
  return hitAsShaped(x, y, l);
}

int hitStatus(const Game&, int x, int y) {
  if (HitLayout(HitShape::List, x, y, StatusBtn1Layout) != 0) return 1;
  if (HitLayout(HitShape::List, x, y, StatusBtn2Layout) != 0) return 2;
  return PointInRect(x, y, ReturnBtnRect) != 0 ? 3 : 0;
}

int hitChoice(const Game&, int x, int y) { return hitAsShaped(x, y, ChoiceLayout); }
int hitTalk(const Game&, int x, int y) { return hitAsShaped(x, y, TalkBtnLayout); }
int hitSceneList(const Game&, int x, int y) { return HitColumns(3, x, y, SceneListLayout); }

const ModeRoutines kModes[] = {
    {GameMode::Logo,
     [](Game& g) { g.screens.OpeningScreen(); },
     nullptr, nullptr, nullptr, nullptr},
    {GameMode::Title,
     [](Game& g) { g.screens.TitleMenu(TitleStep::Compose); },
     [](Game& g) { g.screens.TitleMenu(TitleStep::Show); },
     hitTitle,
     [](Game& g) { g.screens.TitleMenu(TitleStep::Press); },
     [](Game& g) { g.screens.TitleMenu(TitleStep::Release); }},
    {GameMode::Gallery,
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::Compose); },
     nullptr,
     hitGallery,
     [](Game& g) {
       if (g.state.btn.PressedBtn > 0) g.screens.GalleryScreen(GalleryStep::Pick);
       g.screens.GalleryScreen(GalleryStep::Press);
     },
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::Release); }},
    {GameMode::Calendar,
     [](Game& g) { g.calendar.CalendarEnter(); },
     [](Game& g) { g.calendar.CalendarReady(); },
     hitCalendar,
     [](Game& g) { g.calendar.CalendarPress(); },
     [](Game& g) { g.calendar.CalendarRelease(); }},
    {GameMode::CGDisplay,
     [](Game& g) { g.engine.ShowCG(); },
     [](Game& g) { g.engine.CG_Timer.setEnabled(true); },
     nullptr,
     [](Game& g) { g.engine.EndCG(); },  // a press during the CG display ends it
     nullptr},
    {GameMode::Scene,
     [](Game& g) { g.engine.RunCommand(); },
     [](Game& g) {
       // CG_Timer's tag 1: a CG replayed from the viewer has ended; the viewer returns.
       if (g.engine.CG_Timer.Tag == 1)
         g.screens.GalleryScreen(GalleryStep::ReplayEnded);
       else
         g.engine.NextPage(PageIndent::Plain);
     },
     nullptr, nullptr,
     [](Game& g) {
       // Tag 1: a CG replayed from the viewer is being closed; no scene runs.
       if (g.engine.CG_Timer.Tag != 1) g.engine.NextPage(PageIndent::Plain);
     }},
    {GameMode::Closing,
     [](Game& g) { g.screens.EndScreen(EndStep::Compose); },
     [](Game& g) { g.screens.EndScreen(EndStep::Show); },
     nullptr,
     [](Game& g) { g.engine.PlaySE(Sound::Accept); },
     [](Game& g) { g.screens.EndScreen(EndStep::Release); }},
    {GameMode::Viewer,
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::ViewerCompose); },
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::ViewerShow); },
     hitViewer,
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::ViewerPress); },
     [](Game& g) { g.screens.GalleryScreen(GalleryStep::ViewerRelease); }},
    {GameMode::Status,
     [](Game& g) { g.screens.StatusScreen(StatusStep::Compose); },
     [](Game& g) { g.screens.StatusScreen(StatusStep::Show); },
     hitStatus,
     [](Game& g) { g.screens.StatusScreen(StatusStep::Press); },
     [](Game& g) { g.screens.StatusScreen(StatusStep::Release); }},
    // "続きから" leads to a screen with nothing on it.
    {GameMode::Resume, nullptr, nullptr, nullptr, nullptr, nullptr},
    // The choice is drawn by the script command; it has no compose or show step.
    {GameMode::Choice,
     nullptr, nullptr,
     hitChoice,
     [](Game& g) { g.screens.ChoiceMenu(ChoiceStep::Press); },
     [](Game& g) { g.screens.ChoiceMenu(ChoiceStep::Release); }},
    {GameMode::Talk,
     [](Game& g) { g.calendar.TalkScreen(TalkStep::Compose); },
     [](Game& g) { g.calendar.TalkScreen(TalkStep::Ready); },
     hitTalk,
     [](Game& g) { g.calendar.TalkScreen(TalkStep::Press); },
     [](Game& g) { g.calendar.TalkScreen(TalkStep::Release); }},
    {GameMode::SceneList,
     [](Game& g) { g.screens.SceneListScreen(SceneListStep::Compose); },
     [](Game& g) { g.screens.SceneListScreen(SceneListStep::Show); },
     hitSceneList,
     [](Game& g) { g.screens.SceneListScreen(SceneListStep::Press); },
     [](Game& g) { g.screens.SceneListScreen(SceneListStep::Release); }},
};

}  // namespace

const ModeRoutines* routinesOf(GameMode mode) {
  for (const ModeRoutines& r : kModes)
    if (r.mode == mode) return &r;
  return nullptr;
}

}  // namespace shirakaba
