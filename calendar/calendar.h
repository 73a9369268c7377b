// The training calendar (GameMode 4): a state machine over TrainStep. Each step
// composes its picture, makes its buttons live, writes its hint block and acts on a
// click; around it live the jobs, lunch and the evening (walks, self-study,
// information, conversations). It changes the training state through its rules
// (training_rules.h) and starts the story events through theirs (story_events.h).
//   calendar.cpp        the day cycle and the evening menus
//   buttons.cpp         its buttons (buttons.h) and their hit test
//   jobs.cpp            job list, progress bar, grading, result
//   lunch_walks.cpp     lunch, walks, self-study, information, conversations
//   labels.cpp          follow-up scenes, hint blocks, the information block
//   training_state.cpp  new game, new day, stat changes and the job arithmetic
//   story_events.cpp    arming and starting the story events
//   status_panel.cpp    the status panel (status_panel.h)
#pragma once
#include "calendar/story_events.h"
#include "calendar/training_rules.h"
#include "calendar/training_state.h"
#include "engine/engine.h"

namespace shirakaba {

// The arguments of the routines, by name.
// The evening menus: the bar before the wipe, its live buttons, a choice in the
// evening or late-evening menu, a choice in the own room, going to sleep.
enum class NightStep { Bar = 0, Ready = 1, MenuChoice = 2, RoomChoice = 3, GoToSleep = 4 };
// The job screen: the list of jobs, the confirmation of the chosen one, the finished
// bar, the grade stamp, the backdrop of a running job, the bar's frame and sprite.
enum class JobView { List = 0, Confirm = 1, Finished = 2, Graded = 3, Backdrop = 4, Working = 5 };
enum class JobBar { Compose = 0, Start = 1, Tick = 2, Finish = 3 };
enum class ResultStep { Compose = 0, Ready = 1 };
enum class LunchStep { Compose = 0, Ready = 1, Release = 2, BackToWork = 3 };
enum class WalkStep { Compose = 0, Ready = 1, Release = 2 };
enum class StudyStep { Compose = 0, Ready = 1, Release = 2 };
enum class InfoStep { Compose = 0, Ready = 1, Release = 2 };
enum class TalkStep { Compose = 0, Ready = 1, Press = 2, Release = 3 };
// DrawBtnBar: the evening menu's bar, or a conversation's topics.
enum class BarKind { Evening = 0, Topics = 1 };

class Calendar {
 public:
  Calendar(Engine& engine, TrainingRules& rules, StoryEvents& story, TrainingState& train, ShellState& shell,
           ButtonState& btn, SceneState& scene, ShownText& shown);
  Calendar(const Calendar&) = delete;
  Calendar& operator=(const Calendar&) = delete;

  // The calendar screen by the steps of the mode tick and a click (calendar.cpp).
  void CalendarEnter();
  void CalendarReady();
  void CalendarPress();
  void CalendarRelease();
  // The region under (x, y) for the buttons of the present step (buttons.cpp).
  int HitTest(int x, int y) const;
  // The conversation screen, GameMode 13 (lunch_walks.cpp).
  void TalkScreen(TalkStep step);
  // A tick of the job's progress bar (jobs.cpp).
  void J_TimerTimer();
  // The follow-up scene of the present step, if it has one; the hint block of the
  // present screen (labels.cpp).
  void FollowScene();
  void HintText();

 private:
  // calendar.cpp
  void RedrawCalendar();
  void NightMenu(NightStep step);
  // buttons.cpp
  void DrawBtnBar(BarKind kind);
  // jobs.cpp
  void JobScreen(JobView view);
  void JobAnim(JobBar kind);
  void JobResultScreen(ResultStep step);
  // lunch_walks.cpp
  void LunchBreak(LunchStep step);
  void WalkScreen(WalkStep step);
  void StudyScreen(StudyStep step);
  void InfoScreen(InfoStep step);

  Engine& e;
  DrawContext& draw;
  TrainingRules& rules;
  StoryEvents& story;
  TrainingState& train;
  ShellState& shell;
  ButtonState& btn;
  SceneState& scene;
  ShownText& shown;
};

}  // namespace shirakaba
