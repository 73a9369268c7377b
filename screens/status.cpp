// The trainee's progress as labels (time of day, marks, grades, stars), the panels
// that write them at fixed places, and the status screen.
#include <algorithm>
#include <string>

#include "calendar/calendar.h"
#include "engine/layouts.h"
#include "screens/labels.h"
#include "screens/live.h"
#include "screens/screens.h"
#include "screens/text_places.h"

namespace shirakaba {

namespace {

constexpr int kReturnItem = 3;  // the status screen's only live button

// The gain of a job as shown: " 0", "-1", "+2".
std::string gainText(int32_t g) {
  if (g == 0) return " 0";
  if (g < 0) return std::to_string(g);
  return "+" + std::to_string(g);
}

}  // namespace

int32_t LimitValue(int32_t l, int32_t v) { return l == 0 ? std::max(v, 0) : std::min(v, l); }

int Screens::TimeSlotOf(TrainStep step) const {
  const TAdv_Rec& a = train.Adv;
  switch (toInt(step)) {
    case toInt(TrainStep::Morning): return 1;
    case toInt(TrainStep::Lunch):
    case toInt(TrainStep::LunchWalk): return 3;
    case toInt(TrainStep::EveningWalk):
    case 19: return a.Area == 2 ? 3 : 5;  // 19 is never set; the time table has it
    case toInt(TrainStep::Evening):
    case toInt(TrainStep::SelfStudy):
    case toInt(TrainStep::OwnRoom): return 5;
    case toInt(TrainStep::Sleep):
    case toInt(TrainStep::LateEvening): return 6;
    default: return a.Half == 1 ? 2 : 4;
  }
}

std::string Screens::AbilityText(int i) const {
  const int32_t v = i >= 1 && i <= kAbilities ? train.Ability[i] : 0;
  const std::string digits = std::to_string(v);
  return v >= 0 && v <= 9 ? " " + digits : digits;
}

std::string Screens::StarText(StarRow row, int k) const {
  const int kind = static_cast<int>(row);
  const TCharaStat none;
  const TCharaStat& c = k >= 1 && k <= kCharacters ? train.CharaStat[k] : none;
  if (kind == 1) {
    static const char* const rows[] = {"○",      "☆",        "★",        "★☆",         "★★",        "★★☆",
                                       "★★★", "★★★☆", "★★★★", "★★★★☆"};
    const int32_t v = c.Affection;
    // Five points a half star; anything outside 0..49 takes the last row.
    return v >= 0 && v <= 49 ? rows[v / 5] : "★★★★★";
  }
  if (kind == 2 || kind == 3) {
    static const char* const rows[] = {"○", "☆", "☆☆", "☆☆☆", "☆☆☆☆"};
    const int32_t v = kind == 2 ? c.RatingB : c.RatingC;
    const int step = kind == 2 && k == 1 ? 3 : 2;  // character 1's rating fills more slowly
    if (v == 0) return rows[0];
    if (v >= 1 && v <= 4 * step) return rows[(v - 1) / step + 1];
    return "☆☆☆☆☆";
  }
  return "-";
}

void Screens::StatusPanel(StatusView view) {
  const TAdv_Rec& a = train.Adv;
  auto jobName = [this] {
    SetTextFont(draw, TextBrush::Clear, kJobHeading.points, kWhite);
    TextOut(draw, Target::Screen, kJobHeading.at.x, kJobHeading.at.y,
            e.ownTexts.text(own::Status, JobName(train.Job)));
  };
  switch (view) {
    case StatusView::TimePanel:  // the time panel of the calendar screens
      SetTextFont(draw, TextBrush::Clear, kTimeLabelOnPanel.points, kWhite);
      BlendPic(draw, kTimePanelAt.x, kTimePanelAt.y, pic::TimePanel, pic::TimePanelMask, draw.BackBuffer);
      DrawNum2(draw, 11, 13, a.Day, Target::Back);
      TextOut(draw, Target::Back, kTimeLabelOnPanel.at.x, kTimeLabelOnPanel.at.y,
              e.ownTexts.text(own::Status, TimeLabel(TimeSlotOf(a.TrainStep))));
      break;
    case StatusView::StatusScreen:  // the time label keeps the font the hint text left
      DrawNum2(draw, 104, 196, a.Day, Target::Screen);
      TextOut(draw, Target::Screen, kTimeLabelOnStatusScreen.at.x, kTimeLabelOnStatusScreen.at.y,
              e.ownTexts.text(own::Status, TimeLabel(TimeSlotOf(a.TrainStep))));
      for (int i = 1; i <= kAbilities; ++i) {
        SetTextFont(draw, TextBrush::Clear, 14, kWhite);
        TextOut(draw, Target::Screen, 220, 251 + 20 * (i - 1), AbilityText(i));
      }
      break;
    case StatusView::JobPreview:
      jobName();
      SetTextFont(draw, TextBrush::Clear, kMarkPoints, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, kMarkColumnX, 125 + 20 * i,
                e.ownTexts.text(own::Status, MarkLabel(calendar.JobRule(JobRuleKind::Weight, i))));
      break;
    case StatusView::JobResult:  // no grade yet writes no grade label
      jobName();
      SetTextFont(draw, TextBrush::Clear, kMarkPoints, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, kMarkColumnX, 125 + 20 * i,
                gainText(calendar.JobRule(JobRuleKind::GradedGain, i) + calendar.JobRule(JobRuleKind::OutcomeBonus, i)));
      SetTextFont(draw, TextBrush::Clear, kGradeLabel.points, kWhite);
      TextOut(draw, Target::Screen, kGradeLabel.at.x, kGradeLabel.at.y,
              e.ownTexts.text(own::Status, GradeLabel(train.Grade)));
      break;
    case StatusView::SelfStudy: {  // the highest ability gains
      const int best = calendar.JobRule(JobRuleKind::BestAbility, 0);
      SetTextFont(draw, TextBrush::Clear, kJobHeading.points, kWhite);
      TextOut(draw, Target::Screen, kJobHeading.at.x, kJobHeading.at.y,
              e.ownTexts.text(own::Status, kSelfStudyLabel));
      SetTextFont(draw, TextBrush::Clear, 14, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, 180, 125 + 20 * i, AbilityText(i) + (i == best ? " + 1" : ""));
      break;
    }
    case StatusView::Relations:  // three rows of stars per character
      SetTextFont(draw, TextBrush::Clear, 14, kWhite);
      for (int k = 1; k <= kCharacters; ++k) {
        const int y = 116 + 87 * (k - 1);
        for (int kind = 1; kind <= 3; ++kind)
          TextOut(draw, Target::Screen, 155, y + 19 * (kind - 1), StarText(static_cast<StarRow>(kind), k));
      }
      break;
  }
}

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
      StatusPanel(StatusView::StatusScreen);
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
