// The status screen: the trainee's figures on the status table and the screen's hint
// block, with its return button.
#include "calendar/calendar.h"
#include "calendar/status_panel.h"
#include "calendar/text_places.h"
#include "engine/layouts.h"
#include "engine/live.h"
#include "screens/screens.h"

namespace shirakaba {

namespace {
constexpr int kReturnItem = 3;  // the status screen's only live button
}  // namespace

void Screens::StatusScreen(StatusStep step) {
  int& pressed = btn.PressedBtn;
  switch (step) {
    case StatusStep::Compose:
      e.DrawBackground("夜春未", Target::Back);
      e.PlaceSprite(2, "春未", Target::Back);
      BlendPic(draw, 322, 70, pic::StatusPlate, pic::StatusPlateMask, draw.BackBuffer);
      e.ClearButtons();
      BlendPic(draw, kStatusTableAt.x, kStatusTableAt.y, pic::StatusTable, pic::StatusTableMask, draw.BackBuffer);
      break;
    case StatusStep::Show:
      ShadeRect(draw, Shade::OntoScreen, MesRect);
      calendar.HintText();
      StatusPanel(draw, e.ownTexts, train, StatusView::StatusScreen);
      btn.ButtonOn[kReturnItem] = 1;
      e.DrawModeBtn(Look::Normal, kReturnItem, Target::Screen);
      break;
    case StatusStep::Press:
      if (pressed == 0) return;
      if (!isLive(btn, pressed)) {
        pressed = 0;
        e.PlaySE(Sound::Refuse);  // items 1 and 2 are never live
        return;
      }
      e.PlaySE(Sound::Accept);
      e.DrawModeBtn(Look::Pressed, pressed, Target::Screen);
      break;
    case StatusStep::Release:
      if (pressed == kReturnItem) e.SetMode(GameMode::Calendar);
      break;
  }
}

}  // namespace shirakaba
