// The story events: arming them by day and affection, counting down their waits at
// bedtime, the event lines at the end of scenes, and the checks that start an armed
// event when the calendar reaches its moment (story_events.cpp).
#pragma once
#include <string>

#include "calendar/events.h"
#include "calendar/training_rules.h"
#include "calendar/training_state.h"
#include "engine/engine.h"

namespace shirakaba {

// DayEvents: arm the events of the new day; count down the waits at bedtime.
enum class DayEventsKind { Arm = 0, CountDown = 1 };

class StoryEvents {
 public:
  StoryEvents(Engine& engine, TrainingRules& rules, TrainingState& train, EventStateRec& events, SceneState& scene,
              const ButtonState& btn, ShellState& shell);
  StoryEvents(const StoryEvents&) = delete;
  StoryEvents& operator=(const StoryEvents&) = delete;

  void ResetEvents();
  void ArmEvent(const std::string& label);
  void DayEvents(DayEventsKind kind);
  // The event line of a scene's end: kind 0 waits (the wait line follows), 1 arms now.
  void EventScript(int kind, const std::string& label);
  // Each starts the first event that fits, if any, and clears the next scene's label
  // first: an armed event of the calendar's present step, the lunch visit of the chosen
  // character, the event a conversation's answer opens.
  void CheckArmed();
  void CheckVisit();
  void CheckTalk();

 private:
  // Clears the next scene's label and starts the first event, by row number, whose row
  // and state fit.
  template <typename Fits>
  void startFirst(Fits fits);
  void StartEvent(int n);

  Engine& e;
  TrainingRules& rules;
  TrainingState& train;
  EventStateRec& events;
  SceneState& scene;
  const ButtonState& btn;
  ShellState& shell;
};

}  // namespace shirakaba
