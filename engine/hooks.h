// What the engine asks of the game built on it. The engine runs the mode tick, the
// script and the message window; which screen a mode shows, what a new game resets
// and what the end of a scene means for the story are the game's, and it answers
// through this interface.
#pragma once
#include <cstdint>
#include <string>

#include "engine/game_mode.h"

namespace shirakaba {

class GameHooks {
 public:
  virtual ~GameHooks() = default;
  // The tick's two steps of a mode: compose its screen on the BackBuffer before the
  // wipe, show its live buttons after it.
  virtual void composeMode(GameMode mode) = 0;
  virtual void showMode(GameMode mode) = 0;
  // A new game: the training state of day 1.
  virtual void resetTraining() = 0;
  // The story events: all back to their first state; the running event done.
  virtual void resetEvents() = 0;
  virtual void markEventDone(int32_t sceneNo) = 0;
  // A scene ended on an event line: wait for it (armNow false) or arm it now.
  virtual void eventLineReached(const std::string& eventLabel, bool armNow) = 0;
  // The follow-up scene of the calendar's present step, if it has one.
  virtual void followScene() = 0;
  // The two-way choice of a scene, drawn at once.
  virtual void showChoice() = 0;
  // A tick of the job progress bar (J_Timer).
  virtual void jobTimerTick() = 0;
};

}  // namespace shirakaba
