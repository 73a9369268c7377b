// The game assembled: its state, the engine, the training's rules and story events,
// the calendar and the screens, each given the parts of the state it works on. It
// answers the engine's questions (GameHooks) through the mode table and the calendar,
// and takes the mouse on the screen. Front ends use GameCore
// (game/core.h), which wraps this; tests of the rules use it directly.
#pragma once
#include "calendar/calendar.h"
#include "calendar/story_events.h"
#include "calendar/training_rules.h"
#include "engine/engine.h"
#include "game/game_state.h"
#include "game/pointer.h"
#include "screens/screens.h"

namespace shirakaba {

class Game final : public GameHooks {
 public:
  explicit Game(Host& host, EngineConfig config = {});
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState state;
  Engine engine;
  TrainingRules rules;
  StoryEvents story;
  Calendar calendar;
  Screens screens;

  // The mouse on the screen. While a modal dialog is open, the window has closed or
  // the screen is hidden, nothing reaches the screens.
  void mouseDown(MouseButton b, int x, int y);
  void mouseUp(MouseButton b, int x, int y);
  void mouseMove(int x, int y);
  // The handlers of the screen (input.cpp): a left press becomes the number of the
  // region under the pointer for the current screen, the release acts on what the
  // press picked, and pointer moves light up the title buttons.
  void ImageBaMouseDown(MouseButton b, int x, int y);
  void ImageBaMouseUp(MouseButton b, int x, int y);
  void ImageBaMouseMove(int x, int y);
  // The region under (x, y) on the present screen; 0 for none.
  int HitTest(int x, int y) const;

  // The state with every timer's due time counted from now, so that it can be
  // restored at any later time and go on exactly as it would have from here.
  GameState snapshot() const;
  void restore(const GameState& snapshot);

  // GameHooks
  void composeMode(GameMode mode) override;
  void showMode(GameMode mode) override;
  void resetTraining() override;
  void resetEvents() override;
  void markEventDone(int32_t sceneNo) override;
  void eventLineReached(const std::string& eventLabel, bool armNow) override;
  void followScene() override;
  void showChoice() override;
  void jobTimerTick() override;
};

}  // namespace shirakaba
