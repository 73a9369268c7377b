// The story events: arming them by day and affection, counting down their waits at
// bedtime, the checks that start an armed event when the calendar reaches its moment,
// and the locks that the third character's story puts on options.
#include "calendar/tables.h"
#include "engine/form.h"

namespace shirakaba {

namespace {

constexpr int32_t kLocked = 0, kUnlocked = 1, kArmed = 2, kDone = 3, kArmedForVisit = 5;

int32_t stateOf(const EventStateRec& e, const char* label) { return e.EventState[FindEvent(label)]; }

}  // namespace

void TXP_Form::ArmEvent(const std::string& label) {
  const int n = FindEvent(label);
  if (n == 0) return;
  int32_t& state = events.EventState[n];
  const uint8_t kind = EventTable[n].Kind;
  if (kind == 1) {
    if (state <= kUnlocked) state = kArmed;
  } else if (kind == 2) {
    if (state == kUnlocked) state = kArmed;
  } else if (kind >= 5 && kind <= 9) {
    if (state == kUnlocked) state = kind;
  }
}

void TXP_Form::DayEvents(int kind) {
  if (kind == 1) {
    for (int n = 1; n <= kEvents; ++n) {
      int32_t& wait = events.EventWait[n];
      if (wait == 1 && events.EventState[n] == kLocked) events.EventState[n] = kUnlocked;
      if (wait > 1) --wait;
    }
  } else if (kind == 0) {
    const TAdv_Rec& a = train.Adv;
    if (a.Day == 2)
      for (const char* label : {"*harumi_1", "*kyouko_1", "*suzuna_1", "*mayu_1"}) ArmEvent(label);
    if (train.CharaStat[1].Affection >= 10) ArmEvent("*kyouko_2");
    if (train.CharaStat[2].Affection >= 10) ArmEvent("*suzuna_2");
    if (train.CharaStat[3].Affection >= 10) ArmEvent("*mayu_2");
    if (a.Day == 7) ArmEvent("*end");
  }
}

void TXP_Form::EventScript(int kind, const std::string& label) {
  const int n = FindEvent(label);
  if (n == 0) return;
  if (kind == 0) {
    // The wait line follows the event line, at which the script cursor stands.
    const std::string& waitLine = Script.at(scene.ScriptPos + 1);
    events.EventWait[n] = waitLine.empty() ? 1 : ScriptInt(waitLine);
  } else if (kind == 1) {
    if (events.EventState[n] <= kUnlocked) events.EventState[n] = kArmed;
  }
}

void TXP_Form::CheckArmed() {
  TAdv_Rec& a = train.Adv;
  a.SceneLabel.clear();
  for (int n = 1; n <= kEvents; ++n) {
    const TEvent_Rec& row = EventTable[n];
    if (events.EventState[n] != kArmed) continue;
    if (row.OnStep != 0 && row.OnStep != a.TrainStep) continue;
    bool fits = true;
    switch (a.TrainStep) {
      case 2:
      case 12: fits = a.Half == 2; break;
      case 4: fits = row.Kind == train.Job + 5; break;
      case 18: fits = row.EventPlace == a.Place; break;
      case 10: {
        const bool scheduled = row.Chara >= 1 && row.Chara <= kCharacters && a.Day >= 1 &&
                               a.Day <= kPlanDays && CharaPlaces[row.Chara][a.Day] == a.Place;
        fits = row.EventPlace == a.Place || scheduled;
        break;
      }
      default: break;
    }
    if (fits) {
      StartEvent(n);
      return;
    }
  }
}

void TXP_Form::CheckVisit() {
  TAdv_Rec& a = train.Adv;
  a.SceneLabel.clear();
  for (int n = 1; n <= kEvents; ++n) {
    const TEvent_Rec& row = EventTable[n];
    if (row.OnStep == a.TrainStep && events.EventState[n] == kArmedForVisit && row.Chara == btn.SelectedBtn) {
      StartEvent(n);
      return;
    }
  }
}

void TXP_Form::CheckTalk() {
  TAdv_Rec& a = train.Adv;
  a.SceneLabel.clear();
  for (int n = 1; n <= kEvents; ++n) {
    const TEvent_Rec& row = EventTable[n];
    const int32_t state = events.EventState[n];
    if (row.OnStep == a.TrainStep && row.Chara == a.Partner && state >= 6 && state <= 9 &&
        state - 5 == btn.SelectedBtn && row.EventPlace == a.Place) {
      StartEvent(n);
      return;
    }
  }
}

void TXP_Form::StartEvent(int n) {
  if (n < 1 || n > kEvents) return;
  const TEvent_Rec& row = EventTable[n];
  TAdv_Rec& a = train.Adv;
  if (row.Chara != 0 && row.Chara <= kCharacters && a.TrainStep != 15) a.Met[row.Chara] = 1;
  a.SceneLabel = row.Label;
  scene.SceneNo = n;
  if (row.NextStep > 0) a.TrainStep = row.NextStep;
  if (a.TrainStep == 12) {
    // A job introduction takes the place of the job: no grade, no gain.
    a.Outcome = 0;
    train.Job = 0;
    if (a.Half == 2) {
      a.TrainStep = 8;
    } else {
      a.TrainStep = 15;
      a.Half = static_cast<uint8_t>(a.Half + 1);
    }
  }
  UpdateRecord(4);
  ApplyStats(4);
  scene.ScriptPos = 0;
  GameMode = 6;
}

int TXP_Form::OptionLocked(int i) const {
  const EventStateRec& e = events;
  if (GameMode == 4) {
    return i == 3 && stateOf(e, kMayuStoryStart) == kDone && stateOf(e, kMayuStoryEnd) != kDone ? 1 : 0;
  }
  if (GameMode == 13) {
    if (i != 3) return 0;
    const TAdv_Rec& a = train.Adv;
    if (a.TrainStep == 15) return 1;
    const int p = a.Partner;
    if (p < 1 || p > kCharacters) return 1;
    const int32_t s = stateOf(e, TopicThreeEvent[p]);
    const bool open = TopicThreeOpensWhenArmed[p] ? (s == kArmed || s == kDone) : s == kDone;
    return open ? 0 : 1;
  }
  return 0;
}

}  // namespace shirakaba
