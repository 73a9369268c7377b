// The training calendar (GameMode 4): a state machine over TrainStep. Each step
// composes its picture, makes its buttons live, writes its hint block and acts on a
// click; around it live the training state's rules, the jobs, lunch and the evening
// (walks, self-study, information, conversations), the story events and the labels
// of follow-up scenes and hints.
//   training_state.cpp  new game, new day, stat changes and the job arithmetic
//   calendar.cpp        the day cycle and the evening menus;  buttons.cpp  its buttons
//   jobs.cpp            job list, progress bar, grading, result
//   lunch_walks.cpp     lunch, walks, self-study, information, conversations
//   story_events.cpp    arming and starting the story events
//   labels.cpp          follow-up scenes, hint blocks, the information block
#pragma once
#include <cstdint>
#include <string>

#include "calendar/events.h"
#include "calendar/training_state.h"
#include "engine/engine.h"

namespace shirakaba {

class Screens;

// The arguments of the routines, by name.
enum class AdvReset { NewGame = 0, NewDay = 1, Values = 2 };
enum class Stats { JobGain = 1, JobEnd = 2, EventStart = 4, EveningTalk = 6, LunchTalk = 7, SelfStudy = 8 };
// JobRule: a job's weight for an ability; the gain its grade gives; the highest
// ability; the bonus of the job's outcome; the best-liked character.
enum class JobRuleKind { Weight = 0, GradedGain = 1, BestAbility = 2, OutcomeBonus = 3, BestLiked = 4 };
// The evening menus: the bar before the wipe, its live buttons, a choice in the
// evening or late-evening menu, a choice in the own room, going to sleep.
enum class NightStep { Bar = 0, Ready = 1, MenuChoice = 2, RoomChoice = 3, GoToSleep = 4 };
// The job screen: the list of jobs, the confirmation of the chosen one, the finished
// bar, the grade stamp, the backdrop of a running job, the bar's frame and sprite.
enum class JobView { List = 0, Confirm = 1, Finished = 2, Graded = 3, Backdrop = 4, Working = 5 };
enum class JobBar { Compose = 0, Start = 1, Tick = 2, Finish = 3 };
enum class GradeDraw { Draw = 0, Rescue = 1 };
enum class ResultStep { Compose = 0, Ready = 1 };
enum class LunchStep { Compose = 0, Ready = 1, Release = 2, BackToWork = 3 };
enum class WalkStep { Compose = 0, Ready = 1, Release = 2 };
enum class StudyStep { Compose = 0, Ready = 1, Release = 2 };
enum class InfoStep { Compose = 0, Ready = 1, Release = 2 };
enum class TalkStep { Compose = 0, Ready = 1, Press = 2, Release = 3 };
// DayEvents: arm the events of the new day; count down the waits at bedtime.
enum class DayEventsKind { Arm = 0, CountDown = 1 };
// DrawBtnBar: the evening menu's bar, or a conversation's topics.
enum class BarKind { Evening = 0, Topics = 1 };

class Calendar {
 public:
  Calendar(Engine& engine, TrainingState& train, EventStateRec& events, Screens& screens);
  Calendar(const Calendar&) = delete;
  Calendar& operator=(const Calendar&) = delete;

  // training_state.cpp
  void ResetAdv(AdvReset kind);
  void NextDay();
  void ApplyStats(Stats kind);
  int32_t JobRule(JobRuleKind kind, int i) const;

  // calendar.cpp
  void CalendarEnter();
  void CalendarReady();
  void CalendarPress();
  void CalendarRelease();
  void RedrawCalendar();
  void NightMenu(NightStep step);

  // buttons.cpp
  void DrawCalBtn(Look look, int item, Target target);
  void DrawBtnBar(BarKind kind);

  // jobs.cpp
  void JobScreen(JobView view);
  void JobAnim(JobBar kind);
  void J_TimerTimer();
  int DrawGrade(GradeDraw kind);
  void JobResultScreen(ResultStep step);

  // lunch_walks.cpp
  void LunchBreak(LunchStep step);
  void WalkScreen(WalkStep step);
  void StudyScreen(StudyStep step);
  void InfoScreen(InfoStep step);
  void TalkScreen(TalkStep step);
  int PlaceOfButton(int b) const;
  int PlaceClosed(int p) const;
  std::string PlaceLabel(int p);

  // story_events.cpp
  void ResetEvents();
  void ArmEvent(const std::string& label);
  void DayEvents(DayEventsKind kind);
  // The event line of a scene's end: kind 0 waits (the wait line follows), 1 arms now.
  void EventScript(int kind, const std::string& label);
  void CheckArmed();
  void CheckVisit();
  void CheckTalk();
  void StartEvent(int n);
  int OptionLocked(int i) const;

  // labels.cpp
  void FollowScene();
  void HintText();
  std::string InfoLabel() const;

  // The region under (x, y) for the buttons of the present step.
  int HitTest(int x, int y) const;

 private:
  Engine& e;
  DrawContext& draw;
  ButtonState& btn;
  SceneState& scene;
  TrainingState& train;
  EventStateRec& events;
  Screens& screens;
};

}  // namespace shirakaba
