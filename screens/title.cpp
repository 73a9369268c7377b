// The start-up logo, the title menu and the closing screen.
#include "engine/form.h"
#include "screens/live.h"

namespace shirakaba {

namespace {
constexpr Point kLogoAt{170, 220};
constexpr Point kClosingLineAt{170, 420};  // the message band's top plus 20
constexpr const char* kClosingLine = "この後は本編でお楽しみ下さい";
constexpr int kNewGameBtn = 1, kQuitBtn = 4;  // the title's two live buttons
}  // namespace

void TXP_Form::OpeningScreen() {
  DrawPic(draw, 0, 0, pic::Backdrop, kToScreen);
  DrawPic(draw, kLogoAt.x, kLogoAt.y, pic::Logo, kToScreen);
  SetTextFont(draw, 0, 12, kWhite);
  // The title is composed behind the logo; the tick wipes it in later.
  TitleMenu(0);
}

void TXP_Form::TitleMenu(int step) {
  switch (step) {
    case 0:
      DrawPic(draw, 0, 0, pic::Title, kToBack);
      ClearButtons();
      break;
    case 1:
      // Slots 2 and 3 of the menu are never shown.
      for (int n : {kNewGameBtn, kQuitBtn}) {
        DrawBtn(0, n, kToScreen);
        btn.ButtonOn[n] = 1;
      }
      break;
    case 2:
      if (btn.PressedBtn == 0) return;
      if (!isLive(btn, btn.PressedBtn)) {
        btn.PressedBtn = 0;  // dead slots answer nothing, not even a sound
        return;
      }
      btn.SelectedBtn = btn.PressedBtn;
      PlaySE(1);
      DrawBtn(1, btn.PressedBtn, kToScreen);
      break;
    case 3:
      if (btn.SelectedBtn == kNewGameBtn)
        ResetGame(1);
      else if (btn.SelectedBtn == kQuitBtn)
        Exit_BtnClick();  // the same as the menu's "おわる"
      break;
    default: break;
  }
}

void TXP_Form::EndScreen(int step) {
  switch (step) {
    case 0: DrawPic(draw, 0, 0, pic::Ending, kToBack); break;
    case 1:
      ShadeRect(draw, 1, MesRect);
      SetTextFont(draw, 0, 14, kWhite);
      TextOut(draw, kToScreen, kClosingLineAt.x, kClosingLineAt.y, kClosingLine);
      break;
    case 2: ResetGame(3); break;  // back to the title
    default: break;
  }
}

}  // namespace shirakaba
