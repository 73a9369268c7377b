// The start-up logo, the title menu and the closing screen.
#include "calendar/text_places.h"
#include "engine/live.h"
#include "screens/screens.h"

namespace shirakaba {

namespace {
constexpr Point kLogoAt{170, 220};
constexpr int kNewGameBtn = 1, kQuitBtn = 4;  // the title's two live buttons
}  // namespace

Screens::Screens(Engine& engine, Calendar& cal, TrainingState& t, ShellState& sh, ButtonState& b, SceneState& sc,
                 RunRecord& r)
    : e(engine), draw(engine.draw), calendar(cal), train(t), shell(sh), btn(b), scene(sc), record(r) {}

void Screens::OpeningScreen() {
  DrawPic(draw, 0, 0, pic::Backdrop, Target::Screen);
  DrawPic(draw, kLogoAt.x, kLogoAt.y, pic::Logo, Target::Screen);
  SetTextFont(draw, TextBrush::Clear, 12, kWhite);
  // The title is composed behind the logo; the tick wipes it in later.
  TitleMenu(TitleStep::Compose);
}

void Screens::TitleMenu(TitleStep step) {
  switch (step) {
    case TitleStep::Compose:
      DrawPic(draw, 0, 0, pic::Title, Target::Back);
      e.ClearButtons();
      break;
    case TitleStep::Show:
      // Slots 2 and 3 of the menu are never shown.
      for (int n : {kNewGameBtn, kQuitBtn}) {
        e.DrawBtn(Look::Normal, n, Target::Screen);
        btn.ButtonOn[n] = 1;
      }
      break;
    case TitleStep::Press:
      if (btn.PressedBtn == 0) return;
      if (!isLive(btn, btn.PressedBtn)) {
        btn.PressedBtn = 0;  // dead slots answer nothing, not even a sound
        return;
      }
      btn.SelectedBtn = btn.PressedBtn;
      e.PlaySE(Sound::Accept);
      e.DrawBtn(Look::Pressed, btn.PressedBtn, Target::Screen);
      break;
    case TitleStep::Release:
      if (btn.SelectedBtn == kNewGameBtn)
        e.ResetGame(Reset::NewGame);
      else if (btn.SelectedBtn == kQuitBtn)
        e.callHandler(MenuId::Exit_Btn);  // the same as the menu's "おわる"
      break;
  }
}

void Screens::EndScreen(EndStep step) {
  switch (step) {
    case EndStep::Compose: DrawPic(draw, 0, 0, pic::Ending, Target::Back); break;
    case EndStep::Show:
      ShadeRect(draw, Shade::OntoScreen, MesRect);
      SetTextFont(draw, TextBrush::Clear, kClosingLine.points, kWhite);
      TextOut(draw, Target::Screen, kClosingLine.at.x, kClosingLine.at.y,
              e.ownTexts.text(own::Closing, own::ClosingLine));
      break;
    case EndStep::Release: e.ResetGame(Reset::ToTitle); break;  // back to the title
  }
}

}  // namespace shirakaba
