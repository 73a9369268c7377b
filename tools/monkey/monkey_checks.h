// The invariants the monkey checks after every event, and its coverage summary.
#pragma once
#include <string>

#include "game/game.h"

namespace shirakaba::monkey {

// The first invariant the game breaks, in words, or empty.
std::string brokenInvariant(const Game& game);
// Whether a new game has just begun: the opening scene runs, or day 1 is shown.
bool newGameStarted(const Game& game);
// One line of the state for the event log.
std::string stateSummary(const Game& game);

}  // namespace shirakaba::monkey
