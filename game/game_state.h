// The whole game as one value: the engine's state and the calendar's. Copy it,
// compare it with ==, and hand it back through Game::restore to continue exactly
// where it was taken.
#pragma once
#include "calendar/events.h"
#include "calendar/training_state.h"
#include "engine/state.h"

namespace shirakaba {

struct GameState : EngineState {
  TrainingState train;
  EventStateRec events;
  bool operator==(const GameState&) const = default;
};

}  // namespace shirakaba
