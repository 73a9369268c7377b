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

// A game under way, where it can be saved: scene 1 on day 3, at script line 3 (the
// tests' scripts start their first scene's page there).
inline void putMidGame(GameCore& game) {
  editState(game, [](GameState& s) {
    s.timers.Cha_Timer.Enabled = false;
    s.shell.GameMode = GameMode::Scene;
    s.scene.SceneNo = 1;
    s.scene.ScriptPos = 3;
    s.train.Adv.TrainStep = TrainStep::Morning;
    s.train.Adv.Day = 3;
  });
}

}  // namespace shirakaba::test
