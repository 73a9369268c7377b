// The calendar screen (GameMode 4): a state machine over TrainStep. Each step
// composes its picture, makes its buttons live, writes its hint block and acts on a
// click; the evening menus live here too.
#include "calendar/tables.h"
#include "engine/form.h"
#include "screens/live.h"

namespace shirakaba {

void TXP_Form::CalendarEnter() {
  // An armed event that fits the moment replaces the step's screen.
  CheckArmed();
  if (scene.SceneNo != 0) {
    RunCommand();
    return;
  }
  const TAdv_Rec& a = train.Adv;
  switch (a.TrainStep) {
    case 1:
      DrawBackground(def::MorningRoom, kToBack);
      PlaceSprite(0, def::Trainee, kToBack);
      break;
    case 2: DrawBackground(def::Workroom, kToBack); break;
    case 4: JobAnim(0); return;
    case 8:
    case 16:
      DrawBackground(def::EveningRoom, kToBack);
      NightMenu(0);
      break;
    case 9: DrawBackground(def::DarkRoom, kToBack); break;
    case 10:
    case 18: WalkScreen(0); break;
    case 11: StudyScreen(0); break;
    case 12: JobResultScreen(0); break;
    case 15: LunchBreak(0); break;
    case 17:
      DrawBackground(def::EveningRoom, kToBack);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    case 20:
    case 21: InfoScreen(0); break;
    default: break;  // steps 3 and 5 keep the picture already composed
  }
  ShadeRect(draw, 0, MesRect);
  StatusPanel(0);
  ClearButtons();
}

void TXP_Form::CalendarReady() {
  switch (train.Adv.TrainStep) {
    case 1:
      scene.WindowBaked = 1;
      TextPrompt(0);
      HintText();
      break;
    case 2:
      JobScreen(0);
      HintText();
      break;
    case 4: JobAnim(1); break;
    case 8:
    case 16:
    case 17:
      NightMenu(1);
      HintText();
      break;
    case 9:
      // The sleep step passes without a click: the morning is composed at once and
      // wiped in by the transition the release has started.
      CalendarRelease();
      CalendarEnter();
      break;
    case 10:
    case 18:
      WalkScreen(1);
      HintText();
      break;
    case 11:
      StudyScreen(1);
      HintText();
      break;
    case 12:
      JobResultScreen(1);
      HintText();
      break;
    case 15:
      LunchBreak(1);
      HintText();
      break;
    case 20:
    case 21:
      InfoScreen(1);
      HintText();
      break;
    case 3:
    case 5: HintText(); break;
    default: break;
  }
}

void TXP_Form::CalendarPress() {
  int32_t& pressed = btn.PressedBtn;
  const int32_t step = train.Adv.TrainStep;
  if (step == 4) {
    if (!J_Timer.Enabled()) PlaySE(1);
    return;
  }
  if (step == 5) {
    pressed = 0;
    return;
  }
  if (pressed == 0) return;
  if (!isLive(btn, pressed)) {
    pressed = 0;
    return;
  }
  PlaySE(1);
  if (step == 2) return;  // the job cells are not redrawn
  if (step == 15 && pressed != 6) return;
  DrawCalBtn(1, pressed, kToScreen);
}

void TXP_Form::CalendarRelease() {
  btn.SelectedBtn = btn.PressedBtn;
  const int32_t selected = btn.SelectedBtn;
  TAdv_Rec& a = train.Adv;
  bool transition = true;
  switch (a.TrainStep) {
    case 1:
      a.TrainStep = 2;
      FollowScene();
      break;
    case 2:
      if (selected >= 1 && selected <= 4) JobScreen(1);
      transition = false;
      break;
    case 3:
      if (selected == 0) {
        transition = false;
      } else if (selected == 1) {
        a.TrainStep = 4;
      } else if (selected == 2) {
        // Back to the job list at once, without a wipe.
        a.TrainStep = 2;
        train.Job = 0;
        RedrawCalendar();
        CalendarReady();
        transition = false;
      }
      break;
    case 4: transition = false; break;
    case 5:
      if (J_Timer.Enabled()) {
        transition = false;
      } else {
        a.TrainStep = 12;
        FollowScene();
      }
      break;
    case 8:
    case 16:
      if (selected == 0)
        transition = false;
      else
        NightMenu(2);
      break;
    case 9: ResetAdv(1); break;
    case 10:
    case 18:
      if (selected == 0)
        transition = false;
      else
        WalkScreen(2);
      break;
    case 11: StudyScreen(2); break;
    case 12:
      a.Outcome = 0;
      train.Job = 0;
      if (a.Half == 2) {
        a.TrainStep = 8;
        FollowScene();
        RunCommand();  // the end-of-work scene starts at once
      } else {
        a.TrainStep = 15;
        a.Half = static_cast<uint8_t>(a.Half + 1);
      }
      break;
    case 15:
      if (selected == 0)
        transition = false;
      else
        LunchBreak(2);
      break;
    case 17:
      if (selected == 0)
        transition = false;
      else
        NightMenu(3);
      break;
    case 20:
    case 21: InfoScreen(2); break;
    default: break;  // a step with no choice of its own still moves on with a wipe
  }
  if (transition) ArmTick(0);
}

void TXP_Form::RedrawCalendar() {
  CalendarEnter();
  copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
}

void TXP_Form::NightMenu(int kind) {
  TAdv_Rec& a = train.Adv;
  const int32_t selected = btn.SelectedBtn;
  switch (kind) {
    case 0: DrawBtnBar(0); break;
    case 1: {
      auto live = [this](int b) {
        btn.ButtonOn[b] = 1;
        DrawCalBtn(0, b, kToScreen);
      };
      if (a.TrainStep == 8) {
        for (int b = 1; b <= 4; ++b) live(b);
      } else if (a.TrainStep == 16) {
        live(1);
        live(2);
        DrawCalBtn(2, 3, kToScreen);  // no walk late in the evening
        live(4);
      } else if (a.TrainStep == 17) {
        live(1);
        live(2);
      }
      ShowFace(1, def::TraineePrivateFace);
      break;
    }
    case 2:
      if (selected == 1) {
        if (a.TrainStep == 8)
          a.TrainStep = 17;
        else if (a.TrainStep == 16)
          NightMenu(4);
      } else if (selected == 2) {
        if (a.TrainStep == 8)
          a.TrainStep = 20;
        else if (a.TrainStep == 16)
          a.TrainStep = 21;
      } else if (selected == 3) {
        a.Place = kOwnRoomPlace;
        a.Area = 0;
        for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
        DrawBackground(def::Corridor, kToBack);
        a.TrainStep = 10;
      } else if (selected == 4) {
        GameMode = 10;
      }
      break;
    case 3:
      if (selected == 1)
        a.TrainStep = 11;
      else if (selected == 2)
        NightMenu(4);
      break;
    case 4:
      a.TrainStep = 9;
      DayEvents(1);
      NextDay();
      DayEvents(0);
      break;
    default: break;
  }
}

}  // namespace shirakaba
