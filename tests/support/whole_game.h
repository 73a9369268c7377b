// The whole-game replay on the demo data, for tests that play a game from start to
// end beside another one (snapshots, saves).
#pragma once
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/core.h"
#include "headless/replay.h"
#include "headless/session.h"

namespace shirakaba::test {

// The demo game, drawn once per test program into a temporary folder; empty when
// that failed.
const std::string& demoDir();
// The demo with the whole-game replay's seed.
GameSetup demoSetup();
// The commands of tests/replays/NAME that change or look at the game; shots are left
// out, since tests compare every screen anyway.
std::vector<Command> replayCommands(const std::string& name);

// A game driven by replay commands, as the headless mode drives it.
struct Player {
  GameCore game;
  std::ostringstream out, err;
  ReplaySession session;
  explicit Player(const GameSetup& setup) : game(setup), session(game, out, err, "") { game.start(); }
  void run(const Command& c, size_t i) {
    ASSERT_EQ(session.run(c, static_cast<int>(i)), StepResult::Continue) << "command " << i << ": " << err.str();
  }
};

inline bool sameScreen(const GameCore& a, const GameCore& b) {
  return a.screenVisible() == b.screenVisible() && a.screen() == b.screen();
}

}  // namespace shirakaba::test
