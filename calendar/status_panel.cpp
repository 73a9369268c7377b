// The trainee's progress as labels (time of day, marks, grades, stars) and the panels
// that write them at fixed places.
#include "calendar/status_panel.h"

#include <string>

#include "calendar/status_labels.h"
#include "calendar/text_places.h"

namespace shirakaba {

namespace {

// The gain of a job as shown: " 0", "-1", "+2".
std::string gainText(int32_t g) {
  if (g == 0) return " 0";
  if (g < 0) return std::to_string(g);
  return "+" + std::to_string(g);
}

}  // namespace

int TimeSlotOf(const TrainingState& train, TrainStep step) {
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

std::string AbilityText(const TrainingState& train, int i) {
  const int32_t v = i >= 1 && i <= kAbilities ? train.Ability[i] : 0;
  const std::string digits = std::to_string(v);
  return v >= 0 && v <= 9 ? " " + digits : digits;
}

std::string StarText(const TrainingState& train, StarRow row, int k) {
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

void StatusPanel(DrawContext& draw, const OwnTexts& texts, const TrainingState& train, StatusView view) {
  const TAdv_Rec& a = train.Adv;
  auto jobName = [&] {
    SetTextFont(draw, TextBrush::Clear, kJobHeading.points, kWhite);
    TextOut(draw, Target::Screen, kJobHeading.at.x, kJobHeading.at.y,
            texts.text(own::Status, JobName(train.Job)));
  };
  switch (view) {
    case StatusView::TimePanel:  // the time panel of the calendar screens
      SetTextFont(draw, TextBrush::Clear, kTimeLabelOnPanel.points, kWhite);
      BlendPic(draw, kTimePanelAt.x, kTimePanelAt.y, pic::TimePanel, pic::TimePanelMask, draw.BackBuffer);
      DrawNum2(draw, 11, 13, a.Day, Target::Back);
      TextOut(draw, Target::Back, kTimeLabelOnPanel.at.x, kTimeLabelOnPanel.at.y,
              texts.text(own::Status, TimeLabel(TimeSlotOf(train, a.TrainStep))));
      break;
    case StatusView::StatusScreen:  // the time label keeps the font the hint text left
      DrawNum2(draw, 104, 196, a.Day, Target::Screen);
      TextOut(draw, Target::Screen, kTimeLabelOnStatusScreen.at.x, kTimeLabelOnStatusScreen.at.y,
              texts.text(own::Status, TimeLabel(TimeSlotOf(train, a.TrainStep))));
      for (int i = 1; i <= kAbilities; ++i) {
        SetTextFont(draw, TextBrush::Clear, 14, kWhite);
        TextOut(draw, Target::Screen, 220, 251 + 20 * (i - 1), AbilityText(train, i));
      }
      break;
    case StatusView::JobPreview:
      jobName();
      SetTextFont(draw, TextBrush::Clear, kMarkPoints, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, kMarkColumnX, 125 + 20 * i,
                texts.text(own::Status, MarkLabel(JobRule(train, JobRuleKind::Weight, i))));
      break;
    case StatusView::JobResult:  // no grade yet writes no grade label
      jobName();
      SetTextFont(draw, TextBrush::Clear, kMarkPoints, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, kMarkColumnX, 125 + 20 * i,
                gainText(JobRule(train, JobRuleKind::GradedGain, i) + JobRule(train, JobRuleKind::OutcomeBonus, i)));
      SetTextFont(draw, TextBrush::Clear, kGradeLabel.points, kWhite);
      TextOut(draw, Target::Screen, kGradeLabel.at.x, kGradeLabel.at.y,
              texts.text(own::Status, GradeLabel(train.Grade)));
      break;
    case StatusView::SelfStudy: {  // the highest ability gains
      const int best = JobRule(train, JobRuleKind::BestAbility, 0);
      SetTextFont(draw, TextBrush::Clear, kJobHeading.points, kWhite);
      TextOut(draw, Target::Screen, kJobHeading.at.x, kJobHeading.at.y,
              texts.text(own::Status, kSelfStudyLabel));
      SetTextFont(draw, TextBrush::Clear, 14, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, Target::Screen, 180, 125 + 20 * i, AbilityText(train, i) + (i == best ? " + 1" : ""));
      break;
    }
    case StatusView::Relations:  // three rows of stars per character
      SetTextFont(draw, TextBrush::Clear, 14, kWhite);
      for (int k = 1; k <= kCharacters; ++k) {
        const int y = 116 + 87 * (k - 1);
        for (int kind = 1; kind <= 3; ++kind)
          TextOut(draw, Target::Screen, 155, y + 19 * (kind - 1), StarText(train, static_cast<StarRow>(kind), k));
      }
      break;
  }
}

}  // namespace shirakaba
