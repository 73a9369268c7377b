// The rules of the training that change its state without drawing anything: the new
// game and the new day, the stat changes with the clamp that keeps every value within
// 0..100, the grade of a job, the options that the third character's story locks, the
// places of a walk and the information screen's label. The calendar's screens and the
// story events act through them. The routines live with their subsystems:
//   training_state.cpp  ResetAdv, ApplyStats    jobs.cpp  DrawGrade
//   story_events.cpp    OptionLocked            lunch_walks.cpp  PlaceClosed, PlaceLabel
//   labels.cpp          InfoLabel
#pragma once
#include <cstdint>
#include <string>

#include "calendar/events.h"
#include "calendar/training_state.h"
#include "engine/state.h"

namespace shirakaba {

// The arguments of the routines, by name.
enum class AdvReset { NewGame = 0, NewDay = 1, Values = 2 };
enum class Stats { JobGain = 1, JobEnd = 2, EventStart = 4, EveningTalk = 6, LunchTalk = 7, SelfStudy = 8 };
enum class GradeDraw { Draw = 0, Rescue = 1 };

class TrainingRules {
 public:
  TrainingRules(TrainingState& train, EventStateRec& events, SceneState& scene, const ButtonState& btn,
                const ShellState& shell, RandomSource& random);
  TrainingRules(const TrainingRules&) = delete;
  TrainingRules& operator=(const TrainingRules&) = delete;

  void ResetAdv(AdvReset kind);
  void ApplyStats(Stats kind);
  int DrawGrade(GradeDraw kind);
  // 1 when option i of the present screen is locked, else 0.
  int OptionLocked(int i) const;
  // 1 when place p cannot be visited on this walk, else 0.
  int PlaceClosed(int p) const;
  // The scene a visit to place p plays; a scheduled meeting counts as met.
  std::string PlaceLabel(int p);
  std::string InfoLabel() const;

 private:
  TrainingState& train;
  EventStateRec& events;
  SceneState& scene;
  const ButtonState& btn;
  const ShellState& shell;
  RandomSource& random;
};

}  // namespace shirakaba
