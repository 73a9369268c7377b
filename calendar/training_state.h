// The state of one play-through of the calendar: the day and its step, where the
// trainee is, the other characters' values and her abilities; and the arithmetic that
// reads only this state (the new day, the job rules, the clamp).
#pragma once
#include <cstdint>
#include <string>

namespace shirakaba {

// The steps of a calendar day. The values are the game's own step numbers (6, 7, 13,
// 14 and 19 are never used).
enum class TrainStep : int32_t {
  None = 0,          // before the first new game; in the event table: any step
  Morning = 1,       // before the greeting
  JobChoice = 2,     // choosing the job of the work period
  JobConfirm = 3,    // confirming the chosen job
  JobRunning = 4,    // the progress bar
  JobFinished = 5,   // the grade is shown
  Evening = 8,       // the evening menu
  Sleep = 9,         // going to sleep
  EveningWalk = 10,  // the walk through the dormitory and its grounds
  SelfStudy = 11,
  JobResult = 12,
  Lunch = 15,
  LateEvening = 16,  // the late-evening menu (arrival evening, after two activities, after a walk)
  OwnRoom = 17,
  LunchWalk = 18,
  InfoEvening = 20,  // information, reached from the evening menu
  InfoLate = 21,     // information, reached from the late-evening menu
};

constexpr int32_t toInt(TrainStep s) { return static_cast<int32_t>(s); }
// The steps that are ever set.
bool isTrainStep(int32_t step);

// The label of the next scene belongs to this record as well; it lives with the
// script cursor (SceneState::SceneLabel), where the interpreter reads it.
struct TAdv_Rec {
  int32_t Day = 0;
  int32_t Month = 0;
  uint8_t WeekDay = 0;
  uint8_t Place = 0;      // place code of the trainee (PlaceCodes)
  shirakaba::TrainStep TrainStep = TrainStep::None;  // step of the calendar day
  int32_t Outcome = 0;    // outcome of the job just done, or the choice taken
  uint8_t Half = 0;       // 1 morning job, 2 afternoon job
  uint8_t Area = 0;       // 0 corridor at night, 1 outside at night, 2 outside at lunch
  uint8_t Actions = 0;    // evening activities done today
  uint8_t Partner = 0;    // character being talked to
  int32_t Met[4] = {};    // [1..3]: met this evening
  bool operator==(const TAdv_Rec&) const = default;
};

struct TCharaStat {
  int32_t Affection = 0, RatingB = 0, RatingC = 0, Reserve = 0;
  bool operator==(const TCharaStat&) const = default;
};

// Characters: 1 鏡子, 2 鈴菜, 3 麻由.
constexpr int kCharacters = 3;
constexpr int kAbilities = 4;
constexpr int32_t InitAbility[kAbilities + 1] = {0, 0, 0, 0, 0};  // [1..4]

// The training state of a play-through.
struct TrainingState {
  TAdv_Rec Adv;
  TCharaStat CharaStat[kCharacters + 1];  // [1..3]
  int32_t Ability[kAbilities + 1] = {};   // [1..4]
  uint8_t Job = 0;
  uint8_t Grade = 0;
  bool operator==(const TrainingState&) const = default;
};

// v kept at or above 0 (l = 0) or at or below l.
int32_t LimitValue(int32_t l, int32_t v);
// The day count goes on by one; month and weekday follow it.
void NextDay(TrainingState& train);

// JobRule: a job's weight for an ability; the gain its grade gives; the highest
// ability; the bonus of the job's outcome; the best-liked character.
enum class JobRuleKind { Weight = 0, GradedGain = 1, BestAbility = 2, OutcomeBonus = 3, BestLiked = 4 };
int32_t JobRule(const TrainingState& train, JobRuleKind kind, int i);

}  // namespace shirakaba
