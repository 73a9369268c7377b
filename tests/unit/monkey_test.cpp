// The monkey player on the demo game: a long seeded random walk keeps every invariant
// and can always get back to a new game; and the monkey's own checks notice a broken state.
#include <gtest/gtest.h>

#include <iostream>

#include "engine/form.h"
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
  TXP_Form form(host, FormConfig{makeTempDir("monkey-checks")});
  EXPECT_EQ(brokenInvariant(form), "") << "a window before its first game";
  form.ResetAdv(0);
  form.GameMode = 4;
  EXPECT_EQ(brokenInvariant(form), "");

  form.train.Ability[3] = 101;
  EXPECT_NE(brokenInvariant(form).find("Ability[3] = 101"), std::string::npos);
  form.Cha_Timer.setEnabled(true);
  EXPECT_EQ(brokenInvariant(form), "") << "values are checked only while the calendar is shown";
  form.Cha_Timer.setEnabled(false);
  form.train.Ability[3] = 100;
  form.train.CharaStat[2].RatingB = -1;
  EXPECT_NE(brokenInvariant(form).find("CharaStat[2].RatingB = -1"), std::string::npos);
  form.train.CharaStat[2].RatingB = 0;

  form.train.Adv.TrainStep = 7;
  EXPECT_NE(brokenInvariant(form).find("TrainStep 7"), std::string::npos);
  form.train.Adv.TrainStep = 0;
  EXPECT_NE(brokenInvariant(form).find("TrainStep 0"), std::string::npos) << "0 only before the first game";
  form.train.Adv.TrainStep = 21;

  form.GameMode = 3;
  EXPECT_NE(brokenInvariant(form).find("GameMode 3"), std::string::npos);
  form.GameMode = 5;
  form.Cha_Timer.setEnabled(true);
  form.CG_Timer.setEnabled(true);
  EXPECT_NE(brokenInvariant(form).find("both"), std::string::npos);
}

TEST(MonkeyChecks, NewGameMeansTheOpeningOrDayOne) {
  NullHost host;
  TXP_Form form(host, FormConfig{makeTempDir("monkey-newgame")});
  form.ResetAdv(0);
  form.GameMode = 6;
  EXPECT_TRUE(newGameStarted(form));
  form.train.Adv.SceneLabel = "*e_3";
  EXPECT_FALSE(newGameStarted(form));
  form.GameMode = 4;
  EXPECT_TRUE(newGameStarted(form));
  form.train.Adv.Day = 2;
  EXPECT_FALSE(newGameStarted(form));
}
