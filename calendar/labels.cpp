// The labels the calendar builds from its state: the follow-up scene of a step, the
// hint block written under a waiting screen, and the information screen's block.
#include "calendar/calendar.h"
#include "calendar/tables.h"

namespace shirakaba {

namespace {

constexpr int kHintY = 420, kHintPitch = 20;
constexpr int kHintPoints = 12;
constexpr const char* kHintEnd = "END";

}  // namespace

void Calendar::FollowScene() {
  TAdv_Rec& a = train.Adv;
  scene.SceneLabel.clear();
  const int32_t affection = train.CharaStat[1].Affection;
  std::string label;
  switch (a.TrainStep) {
    case TrainStep::JobChoice:
      label = a.Day == 2 ? kFirstGreeting : affectionLabel(GreetingLabels, affection);
      break;
    case TrainStep::Evening:
    case TrainStep::LateEvening: label = affectionLabel(GoodNightLabels, affection); break;
    case TrainStep::JobResult: label = numberedLabel(kAfterJobPrefix, a.Outcome); break;
    case TrainStep::Lunch: label = numberedLabel(kLunchFollowPrefix, btn.SelectedBtn); break;
    case TrainStep::EveningWalk: label = numberedLabel(kPlaceFollowPrefix, a.Place); break;
    default: return;  // no follow-up scene: the calendar stays where it is
  }
  scene.SceneLabel = label;
  scene.ScriptPos = 0;
  shell.GameMode = GameMode::Scene;
}

std::string TrainingRules::InfoLabel() const {
  const int c = JobRule(train, JobRuleKind::BestLiked, 0);
  if (c < 1 || c > kCharacters) return kInfoPlain;
  const int32_t a = train.CharaStat[c].Affection;
  if (a < kInfoAffection) return kInfoPlain;
  if (c == 3 && events.EventState[FindEvent(kMayuStoryStart)] == 3)
    return events.EventState[FindEvent(kMayuStoryEnd)] == 3 ? InfoRows[3].high : kInfoMayuStory;
  const InfoRow& row = InfoRows[c];
  if (a >= row.middleFrom && a <= 39) return row.middle;
  if (a >= 40 && a <= 100) return row.high;
  return row.low;
}

void Calendar::HintText() {
  const TAdv_Rec& a = train.Adv;
  std::string label;
  if (shell.GameMode == GameMode::Status) {
    label = kStatusHint;
  } else if (a.TrainStep == TrainStep::Morning && a.Day == 2) {
    label = kFirstMorningHint;
  } else if (a.TrainStep == TrainStep::JobChoice) {
    label = numberedLabel(kJobChoiceHintPrefix, a.Half);
  } else if (a.TrainStep == TrainStep::InfoEvening || a.TrainStep == TrainStep::InfoLate) {
    label = rules.InfoLabel();
  } else if (const HintRow* row = hintRowOf(a.TrainStep)) {
    const bool locked = rules.OptionLocked(3) == 1;
    if (row->talking && a.Partner > 0)
      label = row->talking;
    else if (row->locked && locked)
      label = row->locked;
    else
      label = row->plain;
  } else {
    label = kOtherStepHint;
  }

  // A missing label gives -1: the block is then written from the script's first line.
  const ScriptLines& script = e.Script;
  const int n = script.indexOf(label);
  SetTextFont(draw, TextBrush::Clear, kHintPoints, kWhite);
  shown.Hint.clear();
  for (int k = 0;; ++k) {
    const int i = n + 1 + k;
    if (i >= script.count()) break;  // the script's last line has been written
    const std::string& line = script.at(i);
    TextOut(draw, Target::Screen, HintTextX, kHintY + kHintPitch * k, line);
    shown.Hint.push_back(line);
    if (script.at(i + 1) == kHintEnd) break;
  }
}

}  // namespace shirakaba
