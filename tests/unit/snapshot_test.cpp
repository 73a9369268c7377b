// The whole game as one value: a snapshot taken at any moment and restored later,
// into the same game or another one, goes on exactly as the game would have gone on
// from the moment it was taken.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "game/core.h"
#include "game/game_state.h"
#include "support/pack_fixture.h"
#include "support/whole_game.h"

using namespace shirakaba;

using namespace shirakaba::test;

// At fifty points spread over a whole game, a snapshot is taken, the game plays two
// seconds on (timers fire, the screen changes), and the snapshot is restored. After
// every later command the state and the screen equal those of a game that was never
// interrupted. At five of the points the snapshot also goes into a new game of its
// own, which then plays to the end beside the others.
TEST(Snapshot, RestoringAnywhereInAWholeGameChangesNothingThatFollows) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  ASSERT_GT(commands.size(), 400u);

  Player plain(demoSetup()), interrupted(demoSetup());
  std::vector<std::unique_ptr<Player>> restoredElsewhere;
  constexpr size_t kPoints = 50, kElsewhereEvery = 10;
  const size_t stride = commands.size() / kPoints;
  size_t points = 0;

  for (size_t i = 0; i < commands.size(); ++i) {
    if (i % stride == stride / 2 && points < kPoints) {
      ++points;
      GameCore& g = interrupted.game;
      const GameSnapshot snap = g.snapshot();
      g.advanceTo(g.now() + 2000);
      (void)g.takeEvents();  // what happened in the two seconds is undone below
      g.restore(snap);
      ASSERT_TRUE(g.snapshot() == snap) << "command " << i;
      if (points % kElsewhereEvery == 0) {
        restoredElsewhere.push_back(std::make_unique<Player>(demoSetup()));
        restoredElsewhere.back()->game.advanceTo(12345);  // another clock: due times are relative
        restoredElsewhere.back()->game.restore(snap);
      }
    }
    plain.run(commands[i], i);
    interrupted.run(commands[i], i);
    for (auto& p : restoredElsewhere) p->run(commands[i], i);
    if (HasFatalFailure()) return;

    const GameSnapshot expected = plain.game.snapshot();
    ASSERT_TRUE(interrupted.game.snapshot() == expected) << "state after command " << i;
    ASSERT_TRUE(sameScreen(interrupted.game, plain.game)) << "screen after command " << i;
    for (auto& p : restoredElsewhere) {
      ASSERT_TRUE(p->game.snapshot() == expected) << "restored elsewhere, state after command " << i;
      ASSERT_TRUE(sameScreen(p->game, plain.game)) << "restored elsewhere, screen after command " << i;
    }
  }
  EXPECT_EQ(points, kPoints);
  EXPECT_EQ(restoredElsewhere.size(), kPoints / kElsewhereEvery);
  EXPECT_EQ(plain.game.describe({})["GameMode"], 1) << "the game ended back on the title";
}

// The values that make a snapshot: timers count from the moment of the snapshot, the
// random draws still to come are part of it, and an edited state is taken as it is.
TEST(Snapshot, TimersAndRandomDrawsGoOnFromTheSnapshot) {
  const std::string dir = test::makeTempDir("snapshot-timers");
  ASSERT_TRUE(test::writeTestPack(dir, {}, "*op\n"));
  GameSetup setup;
  setup.gameDir = dir;
  setup.seed = 3;
  GameCore a(setup);
  a.start();  // the logo's first tick is due 500 ms from now
  a.advanceTo(200);
  const GameSnapshot snap = a.snapshot();
  EXPECT_EQ(a.nextDue(), 500);

  GameCore b(setup);
  b.advanceTo(10000);
  b.restore(snap);
  EXPECT_EQ(b.nextDue(), 10300) << "300 ms were left when the snapshot was taken";
  EXPECT_TRUE(b.snapshot() == snap);
  a.advanceTo(520);
  b.advanceTo(10320);
  EXPECT_TRUE(a.snapshot() == b.snapshot());
  EXPECT_TRUE(a.screen() == b.screen());

  GameState edited = snap.state();
  edited.random.force(42);
  b.restore(GameSnapshot(edited));
  EXPECT_FALSE(b.snapshot() == snap) << "a forced draw is part of the state";
  EXPECT_TRUE(GameSnapshot() == GameSnapshot());
  EXPECT_FALSE(GameSnapshot() == snap);
}
