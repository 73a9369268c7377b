// The job steps of the calendar: the job list and its confirmation, the progress bar
// driven by J_Timer during which the grade is drawn, the grade stamp, and the result
// screen that applies the gains.
#include "calendar/tables.h"
#include "engine/form.h"
#include "engine/layouts.h"
#include "screens/labels.h"

namespace shirakaba {

namespace {

constexpr int kJobs = 4;
constexpr int kBarTicks = 20, kFailedBarTicks = 15;
constexpr int kGradeTick = 5;
constexpr int kFinishedTick = 100, kStampTick = 101, kStatsTick = 102;
constexpr int kTickMs = 100, kStampDelayMs = 300;
// One 15-pixel segment of the bar, taken from the interface sheet.
constexpr Rect kBarSegment{184, 32, 199, 57};
constexpr int kBarX = 40, kBarTop = 420, kBarBottom = 445, kSegmentW = 15;

constexpr Point kPanelAt{80, 80};
constexpr Point kBarFrameAt{35, 350};
constexpr Point kStampAt{70, 100};

bool isJob(int job) { return job >= 1 && job <= kJobs; }

// The ability a job trains with weight 2; 0 for no job.
int mainAbility(int job) {
  if (!isJob(job)) return 0;
  for (int i = 1; i <= 4; ++i)
    if (JobSkillTable[job][i] == 2) return i;
  return 0;
}

}  // namespace

void TXP_Form::JobScreen(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0:
      ShowFace(1, def::InstructorFace);
      for (int b = 1; b <= kJobs; ++b) {
        btn.ButtonOn[b] = 1;
        DrawCalBtn(0, b, kToScreen);
      }
      break;
    case 1:
      if (!isJob(btn.SelectedBtn)) return;
      train.Job = static_cast<uint8_t>(btn.SelectedBtn);
      DrawBackground(def::Workroom, kToBack);
      PlaceSprite(3, jobPoseSprite(train.Job), kToBack);
      StatusPanel(0);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.ImageBa);
      StatusPanel(3);
      ShadeRect(draw, 1, MesRect);
      ShowFace(1, def::InstructorFace);
      // The confirmation replaces the job list in place, without a transition.
      a.TrainStep = 3;
      ClearButtons();
      for (int b = 1; b <= 2; ++b) {
        DrawCalBtn(0, b, kToScreen);
        btn.ButtonOn[b] = 1;
      }
      HintText();
      break;
    case 2:
      JobScreen(4);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      scene.WindowBaked = 1;
      ShowFace(1, def::InstructorFace);
      HintText();
      break;
    case 3: {
      JobScreen(4);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      const uint8_t g = train.Grade;
      const char* pose = g == 1 || g == 2 ? def::TraineeGood : g == 4 ? def::TraineeFailed : def::Trainee;
      PlaceSprite(1, pose, kToScreen);
      scene.WindowBaked = 1;
      ShowFace(1, def::InstructorFace);
      if (g >= 1 && g <= 4) BlendPic(draw, kStampAt.x, kStampAt.y, pic::Stamp, pic::Stamp + g, draw.ImageBa);
      HintText();
      break;
    }
    case 4:
      DrawBackground(train.Job == 2 ? def::LunchHall : def::Workroom, kToBack);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskB, draw.BackBuffer);
      StatusPanel(0);
      ClearButtons();
      break;
    case 5:
      BlendPic(draw, kBarFrameAt.x, kBarFrameAt.y, pic::BarFrame, pic::BarFrameMask, draw.BackBuffer);
      // Sprite slots 4..7, one per job.
      PlaceSprite(train.Job + 3, jobWorkSprite(train.Job), kToBack);
      break;
    default: break;
  }
}

void TXP_Form::JobAnim(int kind) {
  switch (kind) {
    case 0:
      JobScreen(4);
      JobScreen(5);
      break;
    case 1:
      train.Grade = 0;
      J_Timer.Tag = 0;
      J_Timer.setInterval(kTickMs);
      J_Timer.setEnabled(true);
      break;
    case 2: {
      const int t = J_Timer.Tag;
      if (t == kGradeTick) train.Grade = static_cast<uint8_t>(DrawGrade(0));
      if (t == kFailedBarTicks && train.Grade == 4) JobAnim(3);  // a failure ends the bar early
      if (t == kBarTicks) JobAnim(3);
      if (t == kFinishedTick) {
        J_Timer.Tag = kStampTick;
        train.Adv.TrainStep = 5;
        JobScreen(2);
        J_Timer.setInterval(kStampDelayMs);
      }
      if (t == kStampTick) {
        J_Timer.Tag = kStatsTick;
        JobScreen(3);
        J_Timer.setInterval(kTickMs);
      }
      if (t == kStatsTick) {
        J_Timer.setEnabled(false);
        J_Timer.Tag = 0;
        ApplyStats(2);
        return;
      }
      if (J_Timer.Tag < kFinishedTick) {
        const Rect dst{kBarX + kSegmentW * t, kBarTop, kBarX + kSegmentW * (t + 1), kBarBottom};
        CopyPicRect(draw, kBarSegment, dst, pic::MainSheet, kToScreen);
        J_Timer.Tag = J_Timer.Tag + 1;
      }
      break;
    }
    case 3:
      J_Timer.Tag = kFinishedTick;
      PlaySE(train.Grade == 4 ? 4 : 3);
      break;
    default: break;
  }
}

void TXP_Form::J_TimerTimer() { JobAnim(2); }

int TXP_Form::DrawGrade(int kind) {
  if (kind == 0) {
    const int r = random.below(100);
    int g = r < 10 ? 1 : r < 40 ? 2 : r < 90 ? 3 : 4;
    if (OptionLocked(3) == 1) {
      // The third character's story weighs on the trainee: the good grades drop.
      if (g == 1) g = 3;
      else if (g == 2) g = 4;
      return g;
    }
    const int main = mainAbility(train.Job);
    if (main == 0) return g;
    const int32_t ability = train.Ability[main];
    if (g == 1 && ability < 20) g = 2;
    else if (g == 2 && ability >= 80) g = 1;
    else if (g == 3 && ability >= 40) g = 2;
    else if (g == 4 && ability >= 20) g = 3;
    return g;
  }
  if (kind == 1) {
    // The first character makes good a failure when the trainee is able and liked.
    if (train.Grade == 4 && train.Ability[2] >= 40 && train.CharaStat[1].Affection >= 30) return 5;
    return train.Grade;
  }
  return 0;
}

void TXP_Form::JobResultScreen(int kind) {
  if (kind == 0) {
    DrawBackground(def::Workroom, kToBack);
    BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.BackBuffer);
    PlaceSprite(1, def::Trainee, kToBack);
  } else if (kind == 1) {
    ApplyStats(1);
    StatusPanel(4);
    train.Adv.Outcome = 0;
    scene.WindowBaked = 1;
    TextPrompt(0);
  }
}

}  // namespace shirakaba
