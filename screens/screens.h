// The screens of the game outside the calendar: the start-up logo, the title, the
// closing screen, the two-way choice of a scene, the hidden scene list, the CG
// gallery and viewer, and the status labels and status screen. Each screen is one
// routine whose step argument picks what it does: compose its picture on the
// BackBuffer, show its live buttons after the wipe, take a press, act on a release.
//   title.cpp  logo, title, closing    choice.cpp  the two-way choice
//   scene_list.cpp  the scene list     gallery.cpp  gallery and viewer
//   status.cpp  status labels, panels and the status screen
#pragma once
#include <cstdint>
#include <string>

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
// What StatusPanel writes: the calendar's time panel, the status screen's figures,
// the job preview and result, self-study, the relations of the information screen.
enum class StatusView { TimePanel = 0, StatusScreen = 2, JobPreview = 3, JobResult = 4, SelfStudy = 5, Relations = 6 };
// The three rows of stars of a character.
enum class StarRow { Affection = 1, RatingB = 2, RatingC = 3 };

class Screens {
 public:
  Screens(Engine& engine, TrainingState& train, EventStateRec& events, Calendar& calendar);
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
  void StatusPanel(StatusView view);
  void StatusScreen(StatusStep step);
  int TimeSlotOf(TrainStep step) const;
  std::string AbilityText(int i) const;
  std::string StarText(StarRow row, int k) const;

 private:
  Engine& e;
  DrawContext& draw;
  ButtonState& btn;
  SceneState& scene;
  RunRecord& record;
  TrainingState& train;
  EventStateRec& events;
  Calendar& calendar;
};

// v kept at or above 0 (l = 0) or at or below l.
int32_t LimitValue(int32_t l, int32_t v);

}  // namespace shirakaba
