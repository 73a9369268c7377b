// Saving a game into a file and loading it into another game object: anywhere in a
// whole game the loaded game goes on exactly as the saved one would have, and a file
// that is not a good save of this game leaves the game as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "base/files.h"
#include "game/game_state.h"
#include "saves/save_game.h"
#include "saves/save_slots.h"
#include "support/pack_fixture.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;
namespace fs = std::filesystem;

namespace {

// What kind of moment the game is at, by its state: the property below must be seen
// to hold at each of these.
std::string momentOf(const GameCore& g) {
  const nlohmann::ordered_json s = g.describe({});
  const int mode = s["GameMode"].get<int>();
  if (s["timers"]["CG_Timer"]["enabled"].get<bool>()) return "pan";
  if (s["timers"]["J_Timer"]["enabled"].get<bool>()) return "job";
  if (s["timers"]["Cha_Timer"]["enabled"].get<bool>()) return "transition";
  switch (mode) {
    case 6: return "scene";
    case 5: return "cg";
    case 10: return "status";
    case 12: return "choice";
    case 13: return "talk";
    case 4: return "calendar";
    default: return "mode " + std::to_string(mode);
  }
}

bool sameGame(const GameCore& a, const GameCore& b) { return a.snapshot() == b.snapshot() && sameScreen(a, b); }

// A running game and the state it must keep through a refused load.
void expectRefused(GameCore& g, const std::string& path, const std::string& why) {
  const GameSnapshot before = g.snapshot();
  const Bitmap screen = g.screen();
  auto r = loadGame(g, path);
  ASSERT_FALSE(r) << path;
  EXPECT_NE(r.error().find(why), std::string::npos) << r.error();
  EXPECT_TRUE(g.snapshot() == before) << path;
  EXPECT_TRUE(g.screen() == screen) << path;
}

}  // namespace

// The whole game, with a look at the status screen from the evening menu of day 2
// (the replay itself never opens it).
std::vector<Command> wholeGameWithStatus() {
  std::vector<Command> commands = replayCommands("whole_game.replay");
  constexpr size_t kEveningMenuOfDay2 = 110;
  std::vector<Command> detour;
  for (const char* line : {"click 458 376", "settle", "click 523 431", "settle"})
    detour.push_back(parseReplayLine(line).value());
  commands.insert(commands.begin() + kEveningMenuOfDay2, detour.begin(), detour.end());
  return commands;
}

// At thirty points spread over a whole game, and at the first moment of every kind
// (a scene, a transition, a job, a conversation, the status screen, a choice), the game is saved into a file and the file is loaded into a new game
// object, which then plays on in place of the old one. Points before a `settle` are
// taken part of the way into it, so that transitions and jobs are caught under
// way. After every later command the state and the screen equal those of a game that
// was never saved.
TEST(SaveGame, LoadingAnywhereInAWholeGameGoesOnExactlyAsThePlainGame) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = wholeGameWithStatus();
  const std::string dir = makeTempDir("save-property");
  Player plain(demoSetup());
  auto hopping = std::make_unique<Player>(demoSetup());
  PlayClock clock;
  constexpr size_t kPoints = 30;
  const size_t stride = commands.size() / kPoints;
  std::map<std::string, int> seen;
  size_t saves = 0, points = 0;

  const auto saveAndLoadElsewhere = [&](size_t i) {
    const std::string moment = momentOf(hopping->game);
    const std::string path = dir + "/at" + std::to_string(i) + ".sav";
    auto saved = saveGame(hopping->game, path, clock.elapsed(hopping->game), 0);
    ASSERT_TRUE(saved) << "command " << i << ": " << saved.error();
    auto next = std::make_unique<Player>(demoSetup());
    next->game.advanceTo(777 * static_cast<int64_t>(i));  // another clock: due times are relative
    auto loaded = loadGame(next->game, path);
    ASSERT_TRUE(loaded) << "command " << i << ": " << loaded.error();
    ASSERT_TRUE(sameGame(next->game, hopping->game)) << "just loaded, command " << i;
    clock.resetTo(next->game, loaded->playTimeMs);
    hopping = std::move(next);
    ++seen[moment];
    ++saves;
  };

  for (size_t i = 0; i < commands.size(); ++i) {
    bool point = i % stride == stride / 3 && points < kPoints;
    points += point ? 1 : 0;
    if (commands[i].kind == CommandKind::Settle) {
      const int pointAt = 1 + static_cast<int>(i % 9);  // events into the settle
      for (int k = 0; hopping->game.busy() && (point || k < 400); ++k) {
        if (!seen.count(momentOf(hopping->game)) || (point && k == pointAt)) {
          saveAndLoadElsewhere(i);
          if (k == pointAt) point = false;
        }
        const int64_t limit = plain.game.now() + kSettleLimitMs;
        plain.game.fireNext(limit);
        hopping->game.fireNext(limit);
      }
    }
    if (point || !seen.count(momentOf(hopping->game))) saveAndLoadElsewhere(i);
    if (HasFatalFailure()) return;
    plain.run(commands[i], i);
    hopping->run(commands[i], i);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(hopping->game.snapshot() == plain.game.snapshot()) << "state after command " << i;
    ASSERT_TRUE(sameScreen(hopping->game, plain.game)) << "screen after command " << i;
  }
  EXPECT_GE(saves, kPoints);
  // (The game's own CGs never pan; a save during a pan is tried with a panning table
  // of the tests' own, beside the pan tests.)
  for (const char* kind : {"scene", "transition", "job", "talk", "status", "choice", "calendar"})
    EXPECT_TRUE(seen.count(kind)) << "no save was taken at a moment of kind " << kind;
  EXPECT_EQ(plain.game.describe({})["GameMode"], 1) << "the game ended back on the title";
}

// Files that are not a good save of this game: each is refused with a reason, and
// the game goes on exactly as it was.
TEST(SaveGame, HostileFilesLeaveTheGameAsItWas) {
  ASSERT_FALSE(demoDir().empty());
  const std::string dir = makeTempDir("save-hostile");
  Player p(demoSetup());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  for (size_t i = 0; i < 60; ++i) p.run(commands[i], i);
  const std::string good = dir + "/good.sav";
  ASSERT_TRUE(saveGame(p.game, good, 1000, 0));
  auto bytes = readFile(good, test::kTestReadLimit);
  ASSERT_TRUE(bytes);
  p.run(commands[60], 60);  // the game moves on from the saved moment

  const auto write = [&](const std::string& name, const std::vector<uint8_t>& b) {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(writeFile(path, b));
    return path;
  };
  expectRefused(p.game, dir + "/missing.sav", "cannot read");
  expectRefused(p.game, dir, "is a folder");
  expectRefused(p.game, write("empty.sav", {}), "not a save file");
  std::vector<uint8_t> cut(bytes->begin(), bytes->begin() + bytes->size() / 2);
  expectRefused(p.game, write("cut.sav", cut), "damaged");
  std::vector<uint8_t> altered = bytes.value();
  altered[altered.size() / 3] ^= 1;
  expectRefused(p.game, write("altered.sav", altered), "damaged");
  auto png = readFile(demoDir() + "/data/lumora.red", test::kTestReadLimit);
  ASSERT_TRUE(png);
  png->resize(4096);
  expectRefused(p.game, write("unknown.sav", png.value()), "not a save file");

  // A good save of other game data: the demo with another script.
  const std::string other = makeTempDir("save-other-data");
  ASSERT_TRUE(writeTestPack(other, {}, "*op\nこんにちは\n"));
  GameSetup otherSetup;
  otherSetup.gameDir = other;
  GameCore otherGame(otherSetup);
  otherGame.start();
  ASSERT_TRUE(saveGame(otherGame, dir + "/other.sav", 0, 0));
  expectRefused(p.game, dir + "/other.sav", "belongs to other game data");

  // And the good one still loads.
  auto r = loadGame(p.game, good);
  ASSERT_TRUE(r) << r.error();
  EXPECT_EQ(r->playTimeMs, 1000);
}

// States that pass the checksum but hold what the game could never give (edited
// files): refused by the name of the field, never played. (Every bound at its edge:
// StateFields.EveryBoundHoldsAtItsEdge.)
TEST(SaveGame, StatesOutsideTheGamesLimitsAreRefused) {
  ASSERT_FALSE(demoDir().empty());
  GameCore g(demoSetup());
  g.start();
  g.advanceTo(3000);
  const GameState base = g.snapshot().state();
  const auto refusedAs = [&](const std::function<void(GameState&)>& edit, const std::string& why) {
    GameState s = base;
    edit(s);
    auto r = g.decodeSnapshot(GameCore::encodeSnapshot(GameSnapshot(std::move(s))));
    ASSERT_FALSE(r) << why;
    EXPECT_NE(r.error().find(why), std::string::npos) << r.error();
  };
  refusedAs([](GameState& s) { s.train.Adv.Partner = 4; }, "Adv.Partner is 4");
  refusedAs([](GameState& s) { s.scene.ScriptPos = 1 << 30; }, "ScriptPos");
  refusedAs([](GameState& s) { s.surfaces.ImageBa = Bitmap::create32(320, 240); }, "ImageBa is 320 x 240");
  refusedAs([](GameState& s) { s.shell.dialog = DialogKind::About; }, "dialog");
  // Such states once loaded and then kept the game from ever coming to rest.
  refusedAs([](GameState& s) { s.timers.Cha_Timer.Interval = 65000; }, "timers.Cha_Timer.interval is 65000");
  refusedAs([](GameState& s) { s.timers.J_Timer = TimerState{false, 100, 0, 1 << 25}; }, "timers.J_Timer.due");
  refusedAs([](GameState& s) { s.shown.Page = {"ok", "\xE3\x81"}; }, "Page.1 is not valid UTF-8");
  refusedAs([](GameState& s) { s.shown.Hint = {"\xFF"}; }, "Hint.0 is not valid UTF-8");
  refusedAs([](GameState& s) { s.menu[MenuId::Start_Btn].Caption = "\xC0\xAF"; }, "menu.Start_Btn.caption is not valid");

  std::vector<uint8_t> bytes = GameCore::encodeSnapshot(GameSnapshot(base));
  ASSERT_TRUE(g.decodeSnapshot(bytes));
  bytes.push_back(0);
  EXPECT_NE(g.decodeSnapshot(bytes).error().find("after its end"), std::string::npos);
  bytes.resize(bytes.size() / 2);
  EXPECT_NE(g.decodeSnapshot(bytes).error().find("cut short"), std::string::npos);
}

TEST(SaveGame, NoSaveWhileADialogIsOpenAndNoneOverwrittenByAFailure) {
  ASSERT_FALSE(demoDir().empty());
  const std::string dir = makeTempDir("save-dialog");
  GameCore g(demoSetup());
  g.start();
  g.advanceTo(3000);
  const std::string path = dir + "/slot.sav";
  ASSERT_TRUE(saveGame(g, path, 0, 0));
  auto before = readFile(path, test::kTestReadLimit);

  g.menuCommand(MenuId::About_Btn);
  ASSERT_EQ(g.dialog(), DialogKind::About);
  auto refused = saveGame(g, path, 0, 0);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("dialog"), std::string::npos);
  EXPECT_FALSE(loadGame(g, path)) << "nor a load";
  EXPECT_EQ(readFile(path, test::kTestReadLimit).value(), before.value()) << "the old save is untouched";
  g.dialogClosed();

  // A folder that cannot hold the file: an error, the old save stays.
  const std::string blocked = dir + "/file-not-folder";
  ASSERT_TRUE(writeFile(blocked, {1}));
  EXPECT_FALSE(saveGame(g, blocked + "/slot.sav", 0, 0));
  EXPECT_FALSE(saveGame(g, dir, 0, 0)) << "a folder is not overwritten";
  EXPECT_TRUE(fs::is_directory(dir));
}

// A page with a line longer than a save keeps (a translation may hold one): the save
// is refused with the reason, and the quick save taken before stays and loads.
TEST(SaveGame, AStateASaveCannotKeepIsRefusedAndTheOldSaveStays) {
  const std::string dir = makeTempDir("save-too-long");
  const std::string longLine(kMaxTextBytes + 1, 'a');
  ASSERT_TRUE(writeTestPack(dir, {}, "bg=1\nend=3\n*op\nbg=0\nline one\nline two\n" + longLine + "\nline four\nend=\n"));
  GameSetup setup;
  setup.gameDir = dir;
  setup.seed = 1;
  GameCore game(setup);
  game.start();
  std::ostringstream out, err;
  ReplaySession session(game, out, err, "");
  session.setUserDir(dir + "/user");
  const auto run = [&](const std::string& line) { session.run(parseReplayLine(line).value(), 0); };
  for (const char* line : {"wait 2200", "call Test_Btn", "settle", "down 60 35", "up 60 35", "settle", "save slot:quick"})
    run(line);
  ASSERT_EQ(err.str(), "");
  const std::string quick = SaveSlots(dir + "/user", game.dataIdentity().value()).pathOf(SaveSlot::quick());
  const auto before = readFile(quick, test::kTestReadLimit);
  ASSERT_TRUE(before);
  run("click 320 240");
  ASSERT_EQ(game.pageLines().front().size(), kMaxTextBytes + 1);
  run("save slot:quick");
  EXPECT_EQ(err.str(), "save: the game as it is cannot be kept in a save: Page.0 is 65537 bytes long (at most 65536) "
                       "(line 0)\n");
  EXPECT_EQ(readFile(quick, test::kTestReadLimit).value(), before.value()) << "the old save is untouched";
  run("load slot:quick");
  EXPECT_EQ(game.pageLines(), (std::vector<std::string>{"line one", "line two"}));
  std::filesystem::remove_all(dir);
}

namespace {

// How many entries the history of the player's aids holds, as `state` tells.
size_t historyOf(Player& p) {
  p.out.str("");
  p.run(parseReplayLine("state").value(), 0);
  return nlohmann::json::parse(p.out.str())["aids"]["history"].get<size_t>();
}

struct CommittedSave {
  const char* file;
  size_t savedAt;  // the save was taken before this command of the whole-game replay
  uint32_t format;
  int day;
};

}  // namespace

// Saves of every format, written by the program with `save FILE` in the middle of the
// whole-game replay and committed with the sources: each loads, with its history of
// pages, and plays on to the end exactly as the game that was never saved, for as long
// as the demo data stays as it is. A later format adds its save here; none is removed.
// SHIRAKABA_WRITE_COMMITTED_SAVE=1 writes the save of the present format again.
TEST(SaveGame, TheCommittedSavesOfEveryFormatLoadAndPlayOn) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  const CommittedSave saves[] = {
      {"format1_day2_talk.sav", 90, 1, 2},     // in a conversation of day 2
      {"format2_day5_scene.sav", 392, 2, 5},   // on a page of a scene of day 5
  };
  for (const CommittedSave& c : saves) {
    SCOPED_TRACE(c.file);
    const std::string path = std::string(SHIRAKABA_SOURCE_DIR) + "/tests/data/saves/" + c.file;
    Player plain(demoSetup());
    for (size_t i = 0; i < c.savedAt; ++i) plain.run(commands[i], i);
    if (std::getenv("SHIRAKABA_WRITE_COMMITTED_SAVE") && c.format == kSaveFormatVersion)
      plain.run(parseReplayLine("save " + path).value(), 0);

    auto info = readSaveInfo(path);
    ASSERT_TRUE(info) << info.error();
    EXPECT_EQ(info->formatVersion, c.format);
    EXPECT_EQ(info->day, c.day);
    EXPECT_EQ(info->pageLine, c.format >= 2 ? plain.game.summary().pageLine : "");
    Player loaded(demoSetup());
    loaded.run(parseReplayLine("load " + path).value(), 0);
    ASSERT_TRUE(loaded.err.str().empty()) << loaded.err.str();
    EXPECT_TRUE(sameGame(loaded.game, plain.game));
    // Format 1 kept no history; from format 2 the loaded game has the saved one's.
    EXPECT_EQ(historyOf(loaded), c.format >= 2 ? historyOf(plain) : 0u);
    for (size_t i = c.savedAt; i < commands.size(); ++i) {
      plain.run(commands[i], i);
      loaded.run(commands[i], i);
      if (HasFatalFailure()) return;
      ASSERT_TRUE(sameGame(loaded.game, plain.game)) << "after command " << i;
    }
    if (c.format >= 2) {
      EXPECT_EQ(historyOf(loaded), historyOf(plain));
    }
  }
}
