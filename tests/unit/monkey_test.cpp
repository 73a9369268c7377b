// The monkey player on the demo game: a long seeded random walk keeps every invariant
// and can always get back to a new game; and the monkey's own checks notice a broken state.
#include <gtest/gtest.h>

#include <iostream>

#include "game/game.h"
#include "support/monkey.h"
#include "support/monkey_checks.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

const std::string& demoDir() {
  static const std::string dir = [] {
    const std::string d = makeTempDir("monkey-demo");
    EXPECT_EQ(runDemo(d), 0);
    return d;
  }();
  return dir;
}

std::string failureText(const MonkeyReport& r) {
  std::string s = r.failure + "\nlast events:";
  for (const std::string& e : r.lastEvents) s += "\n  " + e;
  return s;
}

}  // namespace

TEST(Monkey, LongWalkOnTheDemoKeepsEveryInvariant) {
  const MonkeyReport r = runMonkey(demoDir(), 20240607, 100000);
  std::cout << "monkey: " << r.events << " events, " << r.escapes << " escape checks, " << r.restarts
            << " restarts\n" << coverageText(r) << "\n";
  ASSERT_TRUE(r.failure.empty()) << failureText(r);
  EXPECT_GE(r.events, 100000u);
  EXPECT_GE(r.escapes, 100u);
  RecordProperty("pairs", static_cast<int>(r.coverage.size()));
  RecordProperty("gaps", static_cast<int>(coverageGaps(r).size()));
  // The walk reaches the whole day and every screen but the rarest.
  EXPECT_LE(coverageGaps(r).size(), 3u) << coverageText(r);
}

TEST(Monkey, SameSeedPlaysTheSameWalk) {
  MonkeyOptions o;
  o.gameDir = demoDir();
  o.seed = 99;
  o.events = 3000;
  o.keepReplay = true;
  o.escapeEvery = 1000;
  const MonkeyReport a = runMonkey(o), b = runMonkey(o);
  ASSERT_TRUE(a.failure.empty()) << failureText(a);
  EXPECT_EQ(a.coverage, b.coverage);
  EXPECT_EQ(a.formSeed, b.formSeed);
  o.seed = 100;
  EXPECT_NE(runMonkey(o).coverage, a.coverage);
}

TEST(Monkey, MissingGameIsSeenAsStuck) {
  // Without a pack nothing can start: the escape check must say so rather than pass.
  const MonkeyReport r = runMonkey(makeTempDir("monkey-nopack"), 5, 200);
  ASSERT_FALSE(r.failure.empty());
  EXPECT_NE(r.failure.find("new game"), std::string::npos) << r.failure;
  EXPECT_FALSE(r.lastEvents.empty());
  EXPECT_LE(r.lastEvents.size(), 50u);
}

TEST(MonkeyChecks, BrokenStatesAreNamed) {
  NullHost host;
  Game g(host, EngineConfig{makeTempDir("monkey-checks")});
  GameState& s = g.state;
  EXPECT_EQ(brokenInvariant(g), "") << "a window before its first game";
  g.calendar.ResetAdv(AdvReset::NewGame);
  s.shell.GameMode = GameMode::Calendar;
  EXPECT_EQ(brokenInvariant(g), "");

  s.train.Ability[3] = 101;
  EXPECT_NE(brokenInvariant(g).find("Ability[3] = 101"), std::string::npos);
  g.engine.Cha_Timer.setEnabled(true);
  EXPECT_EQ(brokenInvariant(g), "") << "values are checked only while the calendar is shown";
  g.engine.Cha_Timer.setEnabled(false);
  s.train.Ability[3] = 100;
  s.train.CharaStat[2].RatingB = -1;
  EXPECT_NE(brokenInvariant(g).find("CharaStat[2].RatingB = -1"), std::string::npos);
  s.train.CharaStat[2].RatingB = 0;

  s.train.Adv.TrainStep = static_cast<TrainStep>(7);
  EXPECT_NE(brokenInvariant(g).find("TrainStep 7"), std::string::npos);
  s.train.Adv.TrainStep = TrainStep::None;
  EXPECT_NE(brokenInvariant(g).find("TrainStep 0"), std::string::npos) << "0 only before the first game";
  s.train.Adv.TrainStep = TrainStep::InfoLate;

  s.shell.GameMode = static_cast<GameMode>(3);
  EXPECT_NE(brokenInvariant(g).find("GameMode 3"), std::string::npos);
  s.shell.GameMode = GameMode::CGDisplay;
  g.engine.Cha_Timer.setEnabled(true);
  g.engine.CG_Timer.setEnabled(true);
  EXPECT_NE(brokenInvariant(g).find("both"), std::string::npos);
}

TEST(MonkeyChecks, NewGameMeansTheOpeningOrDayOne) {
  NullHost host;
  Game g(host, EngineConfig{makeTempDir("monkey-newgame")});
  g.calendar.ResetAdv(AdvReset::NewGame);
  g.state.shell.GameMode = GameMode::Scene;
  EXPECT_TRUE(newGameStarted(g));
  g.state.scene.SceneLabel = "*e_3";
  EXPECT_FALSE(newGameStarted(g));
  g.state.shell.GameMode = GameMode::Calendar;
  EXPECT_TRUE(newGameStarted(g));
  g.state.train.Adv.Day = 2;
  EXPECT_FALSE(newGameStarted(g));
}
