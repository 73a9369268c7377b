// The calendar screen (GameMode 4): a state machine over TrainStep. Each step
// composes its picture, makes its buttons live, writes its hint block and acts on a
// click; the evening menus live here too.
#include "calendar/calendar.h"

#include "calendar/buttons.h"
#include "calendar/status_panel.h"
#include "calendar/tables.h"
#include "engine/live.h"

namespace shirakaba {

Calendar::Calendar(Engine& engine, TrainingRules& r, StoryEvents& st, TrainingState& t, ShellState& sh, ButtonState& b,
                   SceneState& sc, ShownText& sn)
    : e(engine), draw(engine.draw), rules(r), story(st), train(t), shell(sh), btn(b), scene(sc), shown(sn) {}

void Calendar::CalendarEnter() {
  // An armed event that fits the moment replaces the step's screen.
  story.CheckArmed();
  if (scene.SceneNo != 0) {
    e.RunCommand();
    return;
  }
  const TAdv_Rec& a = train.Adv;
  switch (a.TrainStep) {
    case TrainStep::Morning:
      e.DrawBackground(def::MorningRoom, Target::Back);
      e.PlaceSprite(0, def::Trainee, Target::Back);
      break;
    case TrainStep::JobChoice: e.DrawBackground(def::Workroom, Target::Back); break;
    case TrainStep::JobRunning: JobAnim(JobBar::Compose); return;
    case TrainStep::Evening:
    case TrainStep::LateEvening:
      e.DrawBackground(def::EveningRoom, Target::Back);
      NightMenu(NightStep::Bar);
      break;
    case TrainStep::Sleep: e.DrawBackground(def::DarkRoom, Target::Back); break;
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk: WalkScreen(WalkStep::Compose); break;
    case TrainStep::SelfStudy: StudyScreen(StudyStep::Compose); break;
    case TrainStep::JobResult: JobResultScreen(ResultStep::Compose); break;
    case TrainStep::Lunch: LunchBreak(LunchStep::Compose); break;
    case TrainStep::OwnRoom:
      e.DrawBackground(def::EveningRoom, Target::Back);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskA, draw.BackBuffer);
      break;
    case TrainStep::InfoEvening:
    case TrainStep::InfoLate: InfoScreen(InfoStep::Compose); break;
    default: break;  // steps 3 and 5 keep the picture already composed
  }
  ShadeRect(draw, Shade::OntoBack, MesRect);
  StatusPanel(draw, e.ownTexts, train, StatusView::TimePanel);
  e.ClearButtons();
}

void Calendar::CalendarReady() {
  switch (train.Adv.TrainStep) {
    case TrainStep::Morning:
      scene.WindowBaked = 1;
      e.TextPrompt(Prompt::Start);
      HintText();
      break;
    case TrainStep::JobChoice:
      JobScreen(JobView::List);
      HintText();
      break;
    case TrainStep::JobRunning: JobAnim(JobBar::Start); break;
    case TrainStep::Evening:
    case TrainStep::LateEvening:
    case TrainStep::OwnRoom:
      NightMenu(NightStep::Ready);
      HintText();
      break;
    case TrainStep::Sleep:
      // The sleep step passes without a click: the morning is composed at once and
      // wiped in by the transition the release has started.
      CalendarRelease();
      CalendarEnter();
      break;
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk:
      WalkScreen(WalkStep::Ready);
      HintText();
      break;
    case TrainStep::SelfStudy:
      StudyScreen(StudyStep::Ready);
      HintText();
      break;
    case TrainStep::JobResult:
      JobResultScreen(ResultStep::Ready);
      HintText();
      break;
    case TrainStep::Lunch:
      LunchBreak(LunchStep::Ready);
      HintText();
      break;
    case TrainStep::InfoEvening:
    case TrainStep::InfoLate:
      InfoScreen(InfoStep::Ready);
      HintText();
      break;
    case TrainStep::JobConfirm:
    case TrainStep::JobFinished: HintText(); break;
    default: break;
  }
}

void Calendar::CalendarPress() {
  int32_t& pressed = btn.PressedBtn;
  const TrainStep step = train.Adv.TrainStep;
  if (step == TrainStep::JobRunning) {
    if (!e.J_Timer.Enabled()) e.PlaySE(Sound::Accept);
    return;
  }
  if (step == TrainStep::JobFinished) {
    pressed = 0;
    return;
  }
  if (pressed == 0) return;
  if (!isLive(btn, pressed)) {
    pressed = 0;
    return;
  }
  e.PlaySE(Sound::Accept);
  if (step == TrainStep::JobChoice) return;  // the job cells are not redrawn
  if (step == TrainStep::Lunch && pressed != 6) return;
  DrawCalBtn(draw, train, Look::Pressed, pressed, Target::Screen);
}

void Calendar::CalendarRelease() {
  btn.SelectedBtn = btn.PressedBtn;
  const int32_t selected = btn.SelectedBtn;
  TAdv_Rec& a = train.Adv;
  bool transition = true;
  switch (a.TrainStep) {
    case TrainStep::Morning:
      a.TrainStep = TrainStep::JobChoice;
      FollowScene();
      break;
    case TrainStep::JobChoice:
      if (selected >= 1 && selected <= 4) JobScreen(JobView::Confirm);
      transition = false;
      break;
    case TrainStep::JobConfirm:
      if (selected == 0) {
        transition = false;
      } else if (selected == 1) {
        a.TrainStep = TrainStep::JobRunning;
      } else if (selected == 2) {
        // Back to the job list at once, without a wipe.
        a.TrainStep = TrainStep::JobChoice;
        train.Job = 0;
        RedrawCalendar();
        CalendarReady();
        transition = false;
      }
      break;
    case TrainStep::JobRunning: transition = false; break;
    case TrainStep::JobFinished:
      if (e.J_Timer.Enabled()) {
        transition = false;
      } else {
        a.TrainStep = TrainStep::JobResult;
        FollowScene();
      }
      break;
    case TrainStep::Evening:
    case TrainStep::LateEvening:
      if (selected == 0)
        transition = false;
      else
        NightMenu(NightStep::MenuChoice);
      break;
    case TrainStep::Sleep: rules.ResetAdv(AdvReset::NewDay); break;
    case TrainStep::EveningWalk:
    case TrainStep::LunchWalk:
      if (selected == 0)
        transition = false;
      else
        WalkScreen(WalkStep::Release);
      break;
    case TrainStep::SelfStudy: StudyScreen(StudyStep::Release); break;
    case TrainStep::JobResult:
      a.Outcome = 0;
      train.Job = 0;
      if (a.Half == 2) {
        a.TrainStep = TrainStep::Evening;
        FollowScene();
        e.RunCommand();  // the end-of-work scene starts at once
      } else {
        a.TrainStep = TrainStep::Lunch;
        a.Half = static_cast<uint8_t>(a.Half + 1);
      }
      break;
    case TrainStep::Lunch:
      if (selected == 0)
        transition = false;
      else
        LunchBreak(LunchStep::Release);
      break;
    case TrainStep::OwnRoom:
      if (selected == 0)
        transition = false;
      else
        NightMenu(NightStep::RoomChoice);
      break;
    case TrainStep::InfoEvening:
    case TrainStep::InfoLate: InfoScreen(InfoStep::Release); break;
    default: break;  // a step with no choice of its own still moves on with a wipe
  }
  if (transition) e.ArmTick(Tick::Start);
}

void Calendar::RedrawCalendar() {
  CalendarEnter();
  copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
}

void Calendar::NightMenu(NightStep step) {
  TAdv_Rec& a = train.Adv;
  const int32_t selected = btn.SelectedBtn;
  switch (step) {
    case NightStep::Bar: DrawBtnBar(BarKind::Evening); break;
    case NightStep::Ready: {
      auto live = [this](int b) {
        btn.ButtonOn[b] = 1;
        DrawCalBtn(draw, train, Look::Normal, b, Target::Screen);
      };
      if (a.TrainStep == TrainStep::Evening) {
        for (int b = 1; b <= 4; ++b) live(b);
      } else if (a.TrainStep == TrainStep::LateEvening) {
        live(1);
        live(2);
        DrawCalBtn(draw, train, Look::Inactive, 3, Target::Screen);  // no walk late in the evening
        live(4);
      } else if (a.TrainStep == TrainStep::OwnRoom) {
        live(1);
        live(2);
      }
      e.ShowFace(FaceWith::NoPage, def::TraineePrivateFace);
      break;
    }
    case NightStep::MenuChoice:
      if (selected == 1) {
        if (a.TrainStep == TrainStep::Evening)
          a.TrainStep = TrainStep::OwnRoom;
        else if (a.TrainStep == TrainStep::LateEvening)
          NightMenu(NightStep::GoToSleep);
      } else if (selected == 2) {
        if (a.TrainStep == TrainStep::Evening)
          a.TrainStep = TrainStep::InfoEvening;
        else if (a.TrainStep == TrainStep::LateEvening)
          a.TrainStep = TrainStep::InfoLate;
      } else if (selected == 3) {
        a.Place = kOwnRoomPlace;
        a.Area = 0;
        for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
        e.DrawBackground(def::Corridor, Target::Back);
        a.TrainStep = TrainStep::EveningWalk;
      } else if (selected == 4) {
        shell.GameMode = GameMode::Status;
      }
      break;
    case NightStep::RoomChoice:
      if (selected == 1)
        a.TrainStep = TrainStep::SelfStudy;
      else if (selected == 2)
        NightMenu(NightStep::GoToSleep);
      break;
    case NightStep::GoToSleep:
      a.TrainStep = TrainStep::Sleep;
      story.DayEvents(DayEventsKind::CountDown);
      NextDay(train);
      story.DayEvents(DayEventsKind::Arm);
      break;
  }
}

}  // namespace shirakaba
