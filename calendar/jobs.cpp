// The job steps of the calendar: the job list and its confirmation, the progress bar
// driven by J_Timer during which the grade is drawn, the grade stamp, and the result
// screen that applies the gains.
#include "calendar/buttons.h"
#include "calendar/calendar.h"
#include "calendar/status_labels.h"
#include "calendar/status_panel.h"
#include "calendar/tables.h"
#include "calendar/text_places.h"
#include "engine/layouts.h"

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

void Calendar::JobScreen(JobView view) {
  TAdv_Rec& a = train.Adv;
  switch (view) {
    case JobView::List:
      e.ShowFace(FaceWith::NoPage, def::InstructorFace);
      for (int b = 1; b <= kJobs; ++b) {
        btn.ButtonOn[b] = 1;
        DrawCalBtn(draw, train, Look::Normal, b, Target::Screen);
      }
      break;
    case JobView::Confirm:
      if (!isJob(btn.SelectedBtn)) return;
      train.Job = static_cast<uint8_t>(btn.SelectedBtn);
      e.DrawBackground(def::Workroom, Target::Back);
      e.PlaceSprite(3, jobPoseSprite(train.Job), Target::Back);
      StatusPanel(draw, e.ownTexts, train, StatusView::TimePanel);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.ImageBa);
      StatusPanel(draw, e.ownTexts, train, StatusView::JobPreview);
      ShadeRect(draw, Shade::OntoScreen, MesRect);
      e.ShowFace(FaceWith::NoPage, def::InstructorFace);
      // The confirmation replaces the job list in place, without a transition.
      a.TrainStep = TrainStep::JobConfirm;
      e.ClearButtons();
      for (int b = 1; b <= 2; ++b) {
        DrawCalBtn(draw, train, Look::Normal, b, Target::Screen);
        btn.ButtonOn[b] = 1;
      }
      HintText();
      break;
    case JobView::Finished:
      JobScreen(JobView::Backdrop);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      scene.WindowBaked = 1;
      e.ShowFace(FaceWith::NoPage, def::InstructorFace);
      HintText();
      break;
    case JobView::Graded: {
      JobScreen(JobView::Backdrop);
      copyRect(draw.BackBuffer, ScreenRect, draw.ImageBa, ScreenRect);
      const uint8_t g = train.Grade;
      const char* pose = g == 1 || g == 2 ? def::TraineeGood : g == 4 ? def::TraineeFailed : def::Trainee;
      e.PlaceSprite(1, pose, Target::Screen);
      scene.WindowBaked = 1;
      e.ShowFace(FaceWith::NoPage, def::InstructorFace);
      if (g >= 1 && g <= 4) BlendPic(draw, kStampAt.x, kStampAt.y, pic::Stamp, pic::Stamp + g, draw.ImageBa);
      HintText();
      break;
    }
    case JobView::Backdrop:
      e.DrawBackground(train.Job == 2 ? def::LunchHall : def::Workroom, Target::Back);
      BlendPic(draw, 0, 0, pic::Backdrop, pic::CalendarMaskB, draw.BackBuffer);
      StatusPanel(draw, e.ownTexts, train, StatusView::TimePanel);
      e.ClearButtons();
      break;
    case JobView::Working:
      BlendPic(draw, kBarFrameAt.x, kBarFrameAt.y, pic::BarFrame, pic::BarFrameMask, draw.BackBuffer);
      // Sprite slots 4..7, one per job.
      e.PlaceSprite(train.Job + 3, jobWorkSprite(train.Job), Target::Back);
      break;
  }
}

void Calendar::JobAnim(JobBar kind) {
  Timer& timer = e.J_Timer;
  switch (kind) {
    case JobBar::Compose:
      JobScreen(JobView::Backdrop);
      JobScreen(JobView::Working);
      break;
    case JobBar::Start:
      train.Grade = 0;
      timer.Tag = 0;
      timer.setInterval(kTickMs);
      timer.setEnabled(true);
      break;
    case JobBar::Tick: {
      const int t = timer.Tag;
      if (t == kGradeTick) train.Grade = static_cast<uint8_t>(rules.DrawGrade(GradeDraw::Draw));
      if (t == kFailedBarTicks && train.Grade == 4) JobAnim(JobBar::Finish);  // a failure ends the bar early
      if (t == kBarTicks) JobAnim(JobBar::Finish);
      if (t == kFinishedTick) {
        timer.Tag = kStampTick;
        train.Adv.TrainStep = TrainStep::JobFinished;
        JobScreen(JobView::Finished);
        timer.setInterval(kStampDelayMs);
      }
      if (t == kStampTick) {
        timer.Tag = kStatsTick;
        JobScreen(JobView::Graded);
        timer.setInterval(kTickMs);
      }
      if (t == kStatsTick) {
        timer.setEnabled(false);
        timer.Tag = 0;
        rules.ApplyStats(Stats::JobEnd);
        return;
      }
      if (timer.Tag < kFinishedTick) {
        const Rect dst{kBarX + kSegmentW * t, kBarTop, kBarX + kSegmentW * (t + 1), kBarBottom};
        CopyPicRect(draw, kBarSegment, dst, pic::MainSheet, Target::Screen);
        timer.Tag = timer.Tag + 1;
      }
      break;
    }
    case JobBar::Finish:
      timer.Tag = kFinishedTick;
      e.PlaySE(train.Grade == 4 ? Sound::Refuse : Sound::JobDone);
      break;
  }
}

void Calendar::J_TimerTimer() { JobAnim(JobBar::Tick); }

int TrainingRules::DrawGrade(GradeDraw kind) {
  if (kind == GradeDraw::Draw) {
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
  if (kind == GradeDraw::Rescue) {
    // The first character makes good a failure when the trainee is able and liked.
    if (train.Grade == 4 && train.Ability[2] >= 40 && train.CharaStat[1].Affection >= 30) return 5;
    return train.Grade;
  }
  return 0;
}

void Calendar::JobResultScreen(ResultStep step) {
  if (step == ResultStep::Compose) {
    e.DrawBackground(def::Workroom, Target::Back);
    BlendPic(draw, kPanelAt.x, kPanelAt.y, pic::Panel, pic::PanelMask, draw.BackBuffer);
    e.PlaceSprite(1, def::Trainee, Target::Back);
  } else if (step == ResultStep::Ready) {
    rules.ApplyStats(Stats::JobGain);
    StatusPanel(draw, e.ownTexts, train, StatusView::JobResult);
    train.Adv.Outcome = 0;
    scene.WindowBaked = 1;
    e.TextPrompt(Prompt::Start);
  }
}

}  // namespace shirakaba
