// The labels the calendar builds from its state: the follow-up scene of a step, the
// hint block written under a waiting screen, and the information screen's block.
#include "calendar/tables.h"
#include "engine/form.h"

namespace shirakaba {

namespace {

constexpr int kHintX = 170, kHintY = 420, kHintPitch = 20;
constexpr int kHintPoints = 12;
constexpr const char* kHintEnd = "END";

}  // namespace

void TXP_Form::FollowScene() {
  TAdv_Rec& a = train.Adv;
  a.SceneLabel.clear();
  const int32_t affection = train.CharaStat[1].Affection;
  std::string label;
  switch (a.TrainStep) {
    case 2: label = a.Day == 2 ? kFirstGreeting : affectionLabel(GreetingLabels, affection); break;
    case 8:
    case 16: label = affectionLabel(GoodNightLabels, affection); break;
    case 12: label = numberedLabel(kAfterJobPrefix, a.Outcome); break;
    case 15: label = numberedLabel(kLunchFollowPrefix, btn.SelectedBtn); break;
    case 10: label = numberedLabel(kPlaceFollowPrefix, a.Place); break;
    default: return;  // no follow-up scene: the calendar stays where it is
  }
  a.SceneLabel = label;
  scene.ScriptPos = 0;
  GameMode = 6;
}

std::string TXP_Form::InfoLabel() const {
  const int c = JobRule(4, 0);
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

void TXP_Form::HintText() {
  const TAdv_Rec& a = train.Adv;
  std::string label;
  if (GameMode == 10) {
    label = kStatusHint;
  } else if (a.TrainStep == 1 && a.Day == 2) {
    label = kFirstMorningHint;
  } else if (a.TrainStep == 2) {
    label = numberedLabel(kJobChoiceHintPrefix, a.Half);
  } else if (a.TrainStep == 20 || a.TrainStep == 21) {
    label = InfoLabel();
  } else if (const HintRow* row = hintRowOf(a.TrainStep)) {
    const bool locked = OptionLocked(3) == 1;
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
  const int n = Script.indexOf(label);
  SetTextFont(draw, 0, kHintPoints, kWhite);
  shown.Hint.clear();
  for (int k = 0;; ++k) {
    const int i = n + 1 + k;
    if (i >= Script.count()) break;  // the script's last line has been written
    const std::string& line = Script.at(i);
    TextOut(draw, kToScreen, kHintX, kHintY + kHintPitch * k, line);
    shown.Hint.push_back(line);
    if (Script.at(i + 1) == kHintEnd) break;
  }
}

}  // namespace shirakaba
