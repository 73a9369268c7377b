// The monkey player on the demo game: a long seeded random walk keeps every invariant
// and can always get back to a new game, saves and loads at any moment give the game
// back exactly, hostile save files are refused without a trace; and the monkey's own
// checks notice a broken state.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "base/files.h"
#include "game/core.h"
#include "saves/save_file.h"
#include "saves/save_game.h"
#include "tools/monkey/monkey_saves.h"

#include "game/game.h"
#include "tools/monkey/monkey.h"
#include "tools/monkey/monkey_checks.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

using namespace shirakaba;
using namespace shirakaba::test;
using namespace shirakaba::monkey;

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

// Under the sanitizers every step costs many times as much: there a shorter walk looks
// for what they find, and how far the full walk gets is checked on the plain build.
#ifdef SHIRAKABA_SANITIZED
constexpr uint64_t kLongWalk = 25000;
constexpr bool kFullWalk = false;
#else
constexpr uint64_t kLongWalk = 100000;
constexpr bool kFullWalk = true;
#endif

TEST(Monkey, LongWalkOnTheDemoKeepsEveryInvariant) {
  const MonkeyReport r = runMonkey(demoDir(), 20240607, kLongWalk);
  std::cout << "monkey: " << r.events << " events, " << r.escapes << " escape checks, " << r.restarts
            << " restarts\n" << coverageText(r) << "\n";
  ASSERT_TRUE(r.failure.empty()) << failureText(r);
  EXPECT_GE(r.events, kLongWalk);
  if (!kFullWalk) return;
  EXPECT_GE(r.escapes, 100u);
  RecordProperty("pairs", static_cast<int>(r.coverage.size()));
  RecordProperty("gaps", static_cast<int>(coverageGaps(r).size()));
  // The walk reaches the whole day and every screen but the rarest.
  EXPECT_LE(coverageGaps(r).size(), 3u) << coverageText(r);
  // Along the way it saved and loaded every way there is, hostile files included, and
  // took saves while the game was moving, not only on still screens.
  for (const char* kind : {"save to a slot", "save to a file", "save refused", "load", "load at once",
                           "load an empty slot", "load refused", "hostile missing", "hostile empty", "hostile folder",
                           "hostile cut", "hostile altered", "hostile garbage", "hostile other data", "hostile newer",
                           "saved during a transition", "saved during a job",
                           "saved in a conversation", "saved in a scene"})
    EXPECT_GT(r.saves.count(kind), 0u) << kind << "\n" << coverageText(r);
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

TEST(Monkey, SameSeedWritesTheSameSaves) {
  MonkeyOptions o;
  o.gameDir = demoDir();
  o.seed = 11;
  o.events = 800;
  o.escapeEvery = 400;
  o.saveEvery = 10;
  o.userDir = makeTempDir("monkey-same-a");
  const MonkeyReport a = runMonkey(o);
  o.userDir = makeTempDir("monkey-same-b");
  const MonkeyReport b = runMonkey(o);
  ASSERT_TRUE(a.failure.empty()) << failureText(a);
  EXPECT_EQ(a.saves, b.saves);
  EXPECT_EQ(a.coverage, b.coverage);
  // Every file the same, byte for byte: nothing of the wall clock gets in.
  namespace fs = std::filesystem;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(a.userDir)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const fs::path rel = fs::relative(entry.path(), a.userDir);
    const auto mine = readFile(entry.path().string(), test::kTestReadLimit), theirs = readFile((fs::path(b.userDir) / rel).string(), test::kTestReadLimit);
    ASSERT_TRUE(theirs.ok()) << rel;
    EXPECT_TRUE(mine.value() == theirs.value()) << rel;
  }
  EXPECT_GT(files, 2);
}

// The hostile files the monkey makes are refused for the reason they stand for, not
// by the checksum.
TEST(MonkeySaves, HostileFilesDifferOnlyWhereMeant) {
  GameCore core(GameSetup{demoDir(), 3, nullptr});
  core.start();
  core.advanceTo(3000);
  auto save = takeSave(core, 1234, 5678);
  ASSERT_TRUE(save.ok()) << save.error();
  const std::vector<uint8_t> good = encodeSaveFile(save.value());

  const auto other = decodeSaveFile(withOtherIdentity(good, 0x1122334455667788ull));
  ASSERT_TRUE(other.ok()) << other.error();
  EXPECT_EQ(other.value().info.dataIdentity, 0x1122334455667788ull);
  EXPECT_EQ(other.value().info.playTimeMs, 1234);
  EXPECT_EQ(other.value().state, save.value().state);

  const auto newer = decodeSaveFile(withFormatVersion(good, kSaveFormatVersion + 1));
  ASSERT_FALSE(newer.ok());
  EXPECT_NE(newer.error().find("newer"), std::string::npos) << newer.error();
  EXPECT_TRUE(decodeSaveFile(withFormatVersion(good, kSaveFormatVersion)).ok());

  // A byte of the thumbnail (after the head, INFO and THMB's tag and length): only the
  // checksum notices it, and once resealed the file reads again.
  std::vector<uint8_t> altered = good;
  const size_t infoLength = good[16] | good[17] << 8 | good[18] << 16 | good[19] << 24;
  altered[12 + 8 + infoLength + 8 + 10] ^= 1;
  const auto unsealed = decodeSaveFile(altered);
  ASSERT_FALSE(unsealed.ok());
  EXPECT_NE(unsealed.error().find("checksum"), std::string::npos) << unsealed.error();
  resealSave(altered);
  const auto resealed = decodeSaveFile(altered);
  ASSERT_TRUE(resealed.ok()) << resealed.error();
  EXPECT_NE(resealed.value().info.thumbnailPng, save.value().info.thumbnailPng);

  EXPECT_TRUE(withOtherIdentity(std::vector<uint8_t>(good.begin(), good.begin() + 20), 1).empty());
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
  g.rules.ResetAdv(AdvReset::NewGame);
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
  g.rules.ResetAdv(AdvReset::NewGame);
  g.state.shell.GameMode = GameMode::Scene;
  EXPECT_TRUE(newGameStarted(g));
  g.state.scene.SceneLabel = "*e_3";
  EXPECT_FALSE(newGameStarted(g));
  g.state.shell.GameMode = GameMode::Calendar;
  EXPECT_TRUE(newGameStarted(g));
  g.state.train.Adv.Day = 2;
  EXPECT_FALSE(newGameStarted(g));
}
