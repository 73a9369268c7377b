// The screens of the game outside the calendar: the start-up logo, the title, the
// closing screen, the two-way choice of a scene, the hidden scene list, the CG
// gallery and viewer, and the status screen. Each screen is one routine whose step
// argument picks what it does: compose its picture on the BackBuffer, show its live
// buttons after the wipe, take a press, act on a release. The screens stand on the
// calendar (the training state, the story events, the status panel and the hint
// blocks); the calendar knows nothing of them.
//   title.cpp  logo, title, closing    choice.cpp  the two-way choice
//   scene_list.cpp  the scene list     gallery.cpp  gallery and viewer
//   status.cpp  the status screen
#pragma once
#include "calendar/events.h"
#include "calendar/training_state.h"
#include "engine/engine.h"

namespace shirakaba {

class Calendar;

enum class TitleStep { Compose = 0, Show = 1, Press = 2, Release = 3 };
enum class EndStep { Compose = 0, Show = 1, Release = 2 };
// The choice is drawn by the script command itself, without a compose step.
enum class ChoiceStep { Show = 1, Press = 2, Release = 3, AddValue = 4 };
enum class SceneListStep { Compose = 0, Show = 1, Press = 2, Release = 3 };
enum class GalleryStep {
  Compose = 0,
  Pick = 1,           // what a press on the grid picked
  Press = 2,          // the picked button drawn pressed, with its sound
  Release = 3,
  ViewerCompose = 4,  // the CG on the BackBuffer
  ViewerShow = 5,     // the viewer's panel and buttons
  ViewerPress = 6,
  ViewerRelease = 7,
  EntryNumbers = 8,   // the entries' numbers on the BackBuffer
  ReplayEnded = 9,    // back in the viewer after a CG was replayed
};
enum class StatusStep { Compose = 0, Show = 1, Press = 2, Release = 3 };

class Screens {
 public:
  Screens(Engine& engine, Calendar& calendar, TrainingState& train, ShellState& shell, ButtonState& btn,
          SceneState& scene, RunRecord& record);
  Screens(const Screens&) = delete;
  Screens& operator=(const Screens&) = delete;

  // title.cpp
  void OpeningScreen();
  void TitleMenu(TitleStep step);
  void EndScreen(EndStep step);
  // choice.cpp
  void ChoiceMenu(ChoiceStep step);
  // scene_list.cpp
  void SceneListScreen(SceneListStep step);
  // gallery.cpp
  void GalleryScreen(GalleryStep step);
  // status.cpp
  void StatusScreen(StatusStep step);

 private:
  Engine& e;
  DrawContext& draw;
  Calendar& calendar;
  TrainingState& train;
  ShellState& shell;
  ButtonState& btn;
  SceneState& scene;
  RunRecord& record;
};

}  // namespace shirakaba
