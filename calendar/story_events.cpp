// The story events: arming them by day and affection, counting down their waits at
// bedtime, the checks that start an armed event when the calendar reaches its moment,
// and the locks that the third character's story puts on options.
#include "calendar/story_events.h"

#include "calendar/tables.h"

namespace shirakaba {

namespace {

constexpr int32_t kLocked = 0, kUnlocked = 1, kArmed = 2, kDone = 3, kArmedForVisit = 5;

int32_t stateOf(const EventStateRec& e, const char* label) { return e.EventState[FindEvent(label)]; }

}  // namespace

StoryEvents::StoryEvents(Engine& engine, TrainingRules& r, TrainingState& t, EventStateRec& ev, SceneState& sc,
                         const ButtonState& b, ShellState& sh)
    : e(engine), rules(r), train(t), events(ev), scene(sc), btn(b), shell(sh) {}

void StoryEvents::ResetEvents() {
  for (int i = 1; i <= kEvents; ++i) {
    events.EventState[i] = EventTable[i].InitState;
    events.EventWait[i] = 0;
  }
}

void StoryEvents::ArmEvent(const std::string& label) {
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

void StoryEvents::DayEvents(DayEventsKind kind) {
  if (kind == DayEventsKind::CountDown) {
    for (int n = 1; n <= kEvents; ++n) {
      int32_t& wait = events.EventWait[n];
      if (wait == 1 && events.EventState[n] == kLocked) events.EventState[n] = kUnlocked;
      if (wait > 1) --wait;
    }
  } else if (kind == DayEventsKind::Arm) {
    const TAdv_Rec& a = train.Adv;
    if (a.Day == 2)
      for (const char* label : {"*harumi_1", "*kyouko_1", "*suzuna_1", "*mayu_1"}) ArmEvent(label);
    if (train.CharaStat[1].Affection >= 10) ArmEvent("*kyouko_2");
    if (train.CharaStat[2].Affection >= 10) ArmEvent("*suzuna_2");
    if (train.CharaStat[3].Affection >= 10) ArmEvent("*mayu_2");
    if (a.Day == 7) ArmEvent("*end");
  }
}

void StoryEvents::EventScript(int kind, const std::string& label) {
  const int n = FindEvent(label);
  if (n == 0) return;
  if (kind == 0) {
    // The wait line follows the event line, at which the script cursor stands.
    const std::string& waitLine = e.Script.at(scene.ScriptPos + 1);
    events.EventWait[n] = waitLine.empty() ? 1 : e.ScriptInt(waitLine);
  } else if (kind == 1) {
    if (events.EventState[n] <= kUnlocked) events.EventState[n] = kArmed;
  }
}

template <typename Fits>
void StoryEvents::startFirst(Fits fits) {
  scene.SceneLabel.clear();
  for (int n = 1; n <= kEvents; ++n) {
    if (fits(EventTable[n], events.EventState[n])) {
      StartEvent(n);
      return;
    }
  }
}

void StoryEvents::CheckArmed() {
  const TAdv_Rec& a = train.Adv;
  startFirst([&](const TEvent_Rec& row, int32_t state) {
    if (state != kArmed) return false;
    if (row.OnStep != TrainStep::None && row.OnStep != a.TrainStep) return false;
    switch (a.TrainStep) {
      case TrainStep::JobChoice:
      case TrainStep::JobResult: return a.Half == 2;
      case TrainStep::JobRunning: return row.Kind == train.Job + 5;
      case TrainStep::LunchWalk: return row.EventPlace == a.Place;
      case TrainStep::EveningWalk: {
        const bool scheduled = row.Chara >= 1 && row.Chara <= kCharacters && a.Day >= 1 &&
                               a.Day <= kPlanDays && CharaPlaces[row.Chara][a.Day] == a.Place;
        return row.EventPlace == a.Place || scheduled;
      }
      default: return true;
    }
  });
}

void StoryEvents::CheckVisit() {
  const TAdv_Rec& a = train.Adv;
  startFirst([&](const TEvent_Rec& row, int32_t state) {
    return row.OnStep == a.TrainStep && state == kArmedForVisit && row.Chara == btn.SelectedBtn;
  });
}

void StoryEvents::CheckTalk() {
  const TAdv_Rec& a = train.Adv;
  startFirst([&](const TEvent_Rec& row, int32_t state) {
    return row.OnStep == a.TrainStep && row.Chara == a.Partner && state >= 6 && state <= 9 &&
           state - 5 == btn.SelectedBtn && row.EventPlace == a.Place;
  });
}

void StoryEvents::StartEvent(int n) {
  if (n < 1 || n > kEvents) return;
  const TEvent_Rec& row = EventTable[n];
  TAdv_Rec& a = train.Adv;
  if (row.Chara != 0 && row.Chara <= kCharacters && a.TrainStep != TrainStep::Lunch) a.Met[row.Chara] = 1;
  scene.SceneLabel = row.Label;
  scene.SceneNo = n;
  if (row.NextStep != TrainStep::None) a.TrainStep = row.NextStep;
  if (a.TrainStep == TrainStep::JobResult) {
    // A job introduction takes the place of the job: no grade, no gain.
    a.Outcome = 0;
    train.Job = 0;
    if (a.Half == 2) {
      a.TrainStep = TrainStep::Evening;
    } else {
      a.TrainStep = TrainStep::Lunch;
      a.Half = static_cast<uint8_t>(a.Half + 1);
    }
  }
  e.UpdateRecord(RecordUpdate::EventStarted);
  rules.ApplyStats(Stats::EventStart);
  scene.ScriptPos = 0;
  shell.GameMode = GameMode::Scene;
}

int TrainingRules::OptionLocked(int i) const {
  const EventStateRec& ev = events;
  const GameMode mode = shell.GameMode;
  if (mode == GameMode::Calendar) {
    return i == 3 && stateOf(ev, kMayuStoryStart) == kDone && stateOf(ev, kMayuStoryEnd) != kDone ? 1 : 0;
  }
  if (mode == GameMode::Talk) {
    if (i != 3) return 0;
    const TAdv_Rec& a = train.Adv;
    if (a.TrainStep == TrainStep::Lunch) return 1;
    const int p = a.Partner;
    if (p < 1 || p > kCharacters) return 1;
    const int32_t s = stateOf(ev, TopicThreeEvent[p]);
    const bool open = TopicThreeOpensWhenArmed[p] ? (s == kArmed || s == kDone) : s == kDone;
    return open ? 0 : 1;
  }
  return 0;
}

}  // namespace shirakaba
