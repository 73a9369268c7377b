// The window's tests reach the game through its front door. To set up a situation
// they edit a snapshot of the state and restore it; to look, they read its state dump.
#pragma once
#include <nlohmann/json.hpp>
#include <utility>

#include "game/core.h"
#include "game/game_state.h"

namespace shirakaba::test {

template <typename Edit>
void editState(GameCore& game, Edit edit) {
  GameState s = game.snapshot().state();
  edit(s);
  game.restore(GameSnapshot(std::move(s)));
}

inline nlohmann::ordered_json stateOf(const GameCore& game) { return game.describe({}); }

}  // namespace shirakaba::test
