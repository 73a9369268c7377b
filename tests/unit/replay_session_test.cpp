// Running replay commands on the game: virtual time, settle, expectations, the state
// line, shots, and the exit status of the headless driver. The game runs on a small
// pack of its own, with its real timers.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "calendar/training_state.h"
#include "game/core.h"
#include "game/game.h"
#include "game/state_json.h"
#include "headless/headless.h"
#include "base/png.h"
#include "headless/session.h"
#include "base/files.h"
#include "support/file_size_limit.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;
using OrderedJson = nlohmann::ordered_json;

constexpr Colour kLogo = 0x2040C0, kBackdrop = 0x102030, kTitle = 0x30A050;
constexpr Colour kRed = 0x0000FF, kBlue = 0xFF0000;  // 0x00BBGGRR

fs::path scratchDir(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / ("shirakaba_replay_" + std::to_string(getpid())) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

Command command(std::string_view line) {
  const Result<Command> p = parseReplayLine(line);
  EXPECT_TRUE(p) << line << ": " << p.error();
  return p ? p.value() : Command();
}

// The opening scene of a new game, also the first entry of the scene list: its first
// line is run as a command, then one page of two lines.
const std::string kScript = "bg=1\ncg=2\nend=3\n*op\nbg=0\n一行目\n二行目\nend=\n";

// A game folder whose start-up pictures have known colours; the title is red at its
// top left and blue at its bottom right.
fs::path makeGame(const std::string& name, const std::string& script) {
  const fs::path dir = scratchDir(name);
  Bitmap title = test::solid32(640, 480, kTitle);
  setPixel32(title, 0, 0, kRed);
  setPixel32(title, 639, 479, kBlue);
  EXPECT_TRUE(test::writeTestPack(dir.string(),
                                  {{pic::Logo, test::solid32(300, 40, kLogo)},
                                   {pic::Backdrop, test::solid32(640, 480, kBackdrop)},
                                   {pic::Title, title}},
                                  script));
  return dir;
}

GameSetup setupFor(const fs::path& dir) {
  GameSetup setup;
  setup.gameDir = dir.string();
  setup.seed = 1;
  return setup;
}

// A game whose window has been created, as the headless driver makes it.
struct StartedGame : GameCore {
  explicit StartedGame(const fs::path& dir) : GameCore(setupFor(dir)) { start(); }
};

class SessionTest : public ::testing::Test {
 protected:
  explicit SessionTest(const std::string& script = kScript)
      : dir(makeGame(::testing::UnitTest::GetInstance()->current_test_info()->name(), script)),
        game(dir),
        session(game, out, err, (dir / "shots").string()) {}
  StepResult run(std::string_view line, int lineNo = 1) { return session.run(command(line), lineNo); }
  // One field of the state, by JSON pointer ("/timers/Cha_Timer/tag").
  OrderedJson field(const std::string& pointer) const { return game.describe({}).at(OrderedJson::json_pointer(pointer)); }
  Colour screenAt(int x, int y) const { return getPixel32(game.screen(), x, y); }

  fs::path dir;
  StartedGame game;
  std::ostringstream out, err;
  ReplaySession session;
};

TEST_F(SessionTest, WaitAdvancesVirtualTimeAndFiresTimers) {
  // The logo is drawn at the mode tick's first tick, 500 ms after start-up.
  EXPECT_EQ(run("wait 499"), StepResult::Continue);
  EXPECT_EQ(game.now(), 499);
  EXPECT_EQ(screenAt(0, 0), kBlack);
  EXPECT_EQ(field("/timers/Cha_Timer/tag"), 0);
  run("wait 1");
  EXPECT_EQ(game.now(), 500);
  EXPECT_EQ(screenAt(0, 0), kBackdrop);
  EXPECT_EQ(field("/timers/Cha_Timer/tag"), 1);
  run("wait 0");
  EXPECT_EQ(game.now(), 500);
  EXPECT_EQ(field("/timers/Cha_Timer/tag"), 1) << "no tick fires twice";
  // Two ticks in one wait, at 1000 and 1500: the second turns to the title.
  run("wait 1000");
  EXPECT_EQ(game.now(), 1500);
  EXPECT_EQ(field("/GameMode"), toInt(GameMode::Title));
  EXPECT_EQ(field("/timers/Cha_Timer/interval"), 30);
  // The wipe's 21 ticks 30 ms apart, each at its own time: the last is due at 2130.
  run("wait 629");
  EXPECT_EQ(field("/timers/Cha_Timer/enabled"), true);
  EXPECT_EQ(field("/timers/Cha_Timer/tag"), 21);
  run("wait 1");
  EXPECT_EQ(game.now(), 2130);
  EXPECT_EQ(field("/timers/Cha_Timer/enabled"), false);
  EXPECT_EQ(screenAt(320, 240), kTitle);
}

TEST_F(SessionTest, SettleStopsRightAfterTheLastBusyTimer) {
  EXPECT_EQ(run("settle"), StepResult::Continue);
  EXPECT_EQ(game.now(), 2130) << "the tick that shows the title";
  // A transition: the compose tick, twenty wipe steps and the show tick, 30 ms apart.
  run("call Test_Btn");
  run("settle");
  EXPECT_EQ(game.now(), 2130 + 660);
  EXPECT_EQ(field("/GameMode"), toInt(GameMode::SceneList));
  // The first scene of the list: its page starts the blinking prompt, which does not
  // keep the game busy.
  run("click 60 35");
  run("settle");
  EXPECT_EQ(game.now(), 2790 + 660);
  EXPECT_EQ(field("/Page"), OrderedJson::array({"一行目", "二行目"}));
  EXPECT_EQ(field("/timers/Text_Timer/enabled"), true);
  EXPECT_EQ(field("/timers/Text_Timer/tag"), 0);
  // Nothing busy: settle returns at once, and the prompt's tick is left for a later wait.
  run("settle");
  EXPECT_EQ(game.now(), 3450);
  EXPECT_EQ(field("/timers/Text_Timer/tag"), 0);
  run("wait 400");
  EXPECT_EQ(field("/timers/Text_Timer/tag"), 1);
}

TEST_F(SessionTest, SettleFollowsOneTimerHandingOverToAnother) {
  // To the afternoon of day 2: a new game and its opening page, the night's sleep, the
  // morning greeting, the morning job (its introduction scene is missing here, so it
  // ends by itself), lunch with character 2 and her first topic, then the afternoon's
  // job 1 picked. The forced draw makes its grade 1 (lowered to 2): no failure that
  // would end the bar early.
  for (const char* line : {"settle", "click 300 286", "settle", "click 320 240", "settle", "click 320 376", "settle",
                           "click 320 240", "settle", "click 225 130", "click 473 441", "settle", "click 386 160",
                           "settle", "click 320 376", "settle", "click 225 130", "rand 5"})
    ASSERT_EQ(run(line), StepResult::Continue) << line;
  ASSERT_EQ(field("/Adv/TrainStep"), toInt(TrainStep::JobConfirm)) << err.str();

  // "開始": a transition on the mode tick, whose show step starts the job's bar.
  const int64_t t0 = game.now();
  run("click 473 441");
  EXPECT_EQ(field("/timers/Cha_Timer/enabled"), true);
  EXPECT_EQ(field("/timers/J_Timer/enabled"), false);
  EXPECT_EQ(run("settle"), StepResult::Continue);
  // The transition (660 ms), then the bar: twenty segments 100 ms apart, the finish
  // and the finished step 100 ms apart each, the grade stamp 300 ms later and the
  // figures after another 100 ms.
  EXPECT_EQ(game.now() - t0, 660 + 20 * 100 + 100 + 100 + 300 + 100);
  EXPECT_EQ(field("/timers/Cha_Timer/enabled"), false);
  EXPECT_EQ(field("/timers/J_Timer/enabled"), false);
  EXPECT_EQ(field("/Adv/TrainStep"), toInt(TrainStep::JobFinished));
  EXPECT_EQ(field("/Grade"), 2);
}

// A new game whose opening scene is a thousand commands and no page: each runs a
// transition of its own (660 ms), so the game stays busy for eleven virtual minutes.
std::string endlessScript() {
  std::string script = "bg=1\ncg=2\nend=3\npause=10\n*op\n";
  for (int i = 0; i < 1000; ++i) script += "pause=\n";
  return script;
}

class EndlessSceneTest : public SessionTest {
 protected:
  EndlessSceneTest() : SessionTest(endlessScript()) {}
};

TEST_F(EndlessSceneTest, SettleFailsWhenTheGameNeverComesToRest) {
  run("settle");
  run("call Start_Btn");
  const int64_t t0 = game.now();
  EXPECT_EQ(run("settle", 7), StepResult::Failed);
  EXPECT_NE(err.str().find("line 7: settle"), std::string::npos) << err.str();
  EXPECT_LE(game.now() - t0, kSettleLimitMs);
  EXPECT_GT(game.now() - t0, kSettleLimitMs - 100);
  EXPECT_EQ(field("/GameMode"), toInt(GameMode::Scene));
  EXPECT_EQ(field("/timers/Cha_Timer/enabled"), true);
}

TEST_F(SessionTest, ExpectComparesOneFieldOfTheState) {
  // The new game's opening scene, on its page.
  run("settle");
  run("call Start_Btn");
  run("settle");
  run("wait 25");
  EXPECT_EQ(run("expect t " + std::to_string(game.now())), StepResult::Continue);
  EXPECT_EQ(run("expect GameMode 6"), StepResult::Continue);
  EXPECT_EQ(run("expect SceneLabel *op"), StepResult::Continue);
  EXPECT_EQ(run("expect Adv.SceneLabel \"*op\""), StepResult::Continue);
  EXPECT_EQ(run("expect CharaStat.2.Affection 1"), StepResult::Continue);
  EXPECT_EQ(run("expect Page.1 二行目"), StepResult::Continue);
  EXPECT_EQ(run("expect Page [\"一行目\",\"二行目\"]"), StepResult::Continue);
  EXPECT_EQ(run("expect Notice null"), StepResult::Continue);
  EXPECT_EQ(run("expect dialog null"), StepResult::Continue);
  EXPECT_EQ(err.str(), "");

  EXPECT_EQ(run("expect GameMode 5", 12), StepResult::Failed);
  EXPECT_EQ(err.str(), "line 12: GameMode expected 5, got 6\n");
  err.str("");
  EXPECT_EQ(run("expect GameMode \"6\"", 13), StepResult::Failed);  // a string is not a number
  EXPECT_EQ(err.str(), "line 13: GameMode expected \"6\", got 6\n");
  err.str("");
  EXPECT_EQ(run("expect Adv.Nothing 1", 14), StepResult::Failed);
  EXPECT_NE(err.str().find("line 14: Adv.Nothing expected 1, got "), std::string::npos);
}

TEST_F(SessionTest, StateIsOneLineWithTheFixedKeyOrder) {
  run("state");
  const std::string text = out.str();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find('\n'), text.size() - 1);
  const OrderedJson state = OrderedJson::parse(text, nullptr, /*allow_exceptions=*/false);
  ASSERT_FALSE(state.is_discarded()) << text;
  const std::vector<std::string> keys = {
      "t", "GameMode", "timers", "menu", "ImageBa", "ButtonOn", "PressedBtn", "SelectedBtn", "TestMode",
      "SceneNo", "SceneLabel", "ScriptPos", "ScriptLine", "Page", "Notice", "Hint", "CGNo", "WindowBaked",
      "CGSpeed", "CGSeen", "EventState", "EventWait", "PanX", "PanY", "dialog", "message", "sounds", "closed",
      "Adv", "CharaStat", "Ability", "Job", "Grade", "Outcome", "Met", "aids"};
  std::vector<std::string> order;
  for (const auto& item : state.items()) order.push_back(item.key());
  EXPECT_EQ(order, keys);
  // Arrays the game indexes from 1 (EventState from 0) are objects keyed by index.
  EXPECT_EQ(state["ButtonOn"].size(), 14u);
  EXPECT_EQ(state["ButtonOn"].begin().key(), "1");
  EXPECT_EQ(state["EventState"].size(), 15u);
  EXPECT_EQ(state["EventState"].begin().key(), "0");
  EXPECT_EQ(state["EventWait"].size(), 14u);
  EXPECT_EQ(state["CGSeen"].size(), 7u);
  EXPECT_EQ(state["CharaStat"].size(), 3u);
  EXPECT_EQ(state["Ability"].size(), 4u);
  EXPECT_EQ(state["Met"].size(), 3u);
  EXPECT_EQ(state["Adv"]["Met"].size(), 3u);
  EXPECT_EQ(state["menu"]["Start_Btn"]["caption"], "はじめる");
  for (const char* t : {"Cha_Timer", "CG_Timer", "J_Timer", "Ani_Timer", "Text_Timer"})
    EXPECT_TRUE(state["timers"][t].contains("interval")) << t;
}

TEST(StateDump, ScriptLineIsNullPastTheScript) {
  NullHost host;
  Game game(host, EngineConfig{scratchDir("script-line").string()});
  game.engine.Script.lines = {"*op", "こんにちは"};
  game.state.scene.ScriptPos = 1;
  EXPECT_EQ(describeState(game, {})["ScriptLine"], "こんにちは");
  game.state.scene.ScriptPos = 2;
  EXPECT_TRUE(describeState(game, {})["ScriptLine"].is_null());
  game.state.scene.ScriptPos = -1;
  EXPECT_TRUE(describeState(game, {})["ScriptLine"].is_null());
}

TEST_F(SessionTest, SoundsAreThoseSinceThePreviousState) {
  fs::create_directories(dir / "data/wav");
  std::ofstream(dir / "data/wav/h_1.wav") << "RIFF";
  run("settle");
  run("down 300 280");  // a press on "はじめる" plays its sound
  EXPECT_EQ(run("expect sounds [\"data/wav/h_1.wav\"]"), StepResult::Continue);
  EXPECT_EQ(run("expect sounds.0 data/wav/h_1.wav"), StepResult::Continue);  // expect leaves them
  run("state");
  EXPECT_NE(out.str().find("\"sounds\":[\"data/wav/h_1.wav\"]"), std::string::npos);
  EXPECT_EQ(run("expect sounds []"), StepResult::Continue);
  out.str("");
  run("state");
  EXPECT_NE(out.str().find("\"sounds\":[]"), std::string::npos);
}

TEST_F(SessionTest, RandForcesTheNextDraw) {
  run("rand 3");
  run("rand 2");  // replaces the first
  RandomSource random = game.snapshot().state().random;
  EXPECT_EQ(random.below(4), 2);
}

struct Png {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

Png readPng(const fs::path& path) {
  Png p;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
  image.format = PNG_FORMAT_RGB;
  p.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr)) return {};
  p.width = image.width;
  p.height = image.height;
  return p;
}

int litPixels(const Bitmap& screen) {
  int n = 0;
  for (int y = 0; y < screen.height; ++y)
    for (int x = 0; x < screen.width; ++x) n += getPixel32(screen, x, y) != kBlack;
  return n;
}

TEST_F(SessionTest, ShotWritesTheVisibleScreen) {
  run("settle");  // the title, red at the top left and blue at the bottom right
  EXPECT_EQ(run("shot first"), StepResult::Continue);
  Png p = readPng(dir / "shots" / "first.png");
  ASSERT_EQ(p.width, 640);
  ASSERT_EQ(p.height, 480);
  EXPECT_EQ(p.rgb[0], 255);
  EXPECT_EQ(p.rgb[1], 0);
  EXPECT_EQ(p.rgb[2], 0);
  const size_t last = p.rgb.size() - 3;
  EXPECT_EQ(p.rgb[last], 0);
  EXPECT_EQ(p.rgb[last + 2], 255);

  // Without its pack the game hides the screen; a scene's notice written on it does
  // not show: the shot is the black window.
  const fs::path noPack = scratchDir("no-pack");
  StartedGame hidden(noPack);
  ReplaySession hiddenSession(hidden, out, err, (dir / "shots").string());
  for (const char* line : {"dialog close", "mode 6", "settle"}) hiddenSession.run(command(line), 1);
  ASSERT_FALSE(hidden.screenVisible());
  ASSERT_GT(litPixels(hidden.screen()), 0) << "the notice is on the hidden screen";
  hiddenSession.run(command("shot hidden"), 2);
  p = readPng(dir / "shots" / "hidden.png");
  ASSERT_EQ(p.width, 640);
  EXPECT_EQ(std::count(p.rgb.begin(), p.rgb.end(), 0), static_cast<long>(p.rgb.size()));
}

TEST_F(SessionTest, ShotOfAnUncreatedScreenIsBlack) {
  // Before the window is created nothing has been drawn.
  GameCore unstarted(setupFor(dir));
  ReplaySession early(unstarted, out, err, (dir / "shots").string());
  EXPECT_EQ(early.run(command("shot none"), 1), StepResult::Continue);
  Png p = readPng(dir / "shots" / "none.png");
  ASSERT_EQ(p.width, 640);
  ASSERT_EQ(p.height, 480);
  EXPECT_EQ(std::count(p.rgb.begin(), p.rgb.end(), 0), static_cast<long>(p.rgb.size()));
  // A picture with no pixels at all still makes a whole black shot.
  const Result<void> written = writeScreenPng((dir / "empty.png").string(), Bitmap(), true, 640, 480);
  ASSERT_TRUE(written) << written.error();
  p = readPng(dir / "empty.png");
  ASSERT_EQ(p.width, 640);
  ASSERT_EQ(p.height, 480);
  EXPECT_EQ(std::count(p.rgb.begin(), p.rgb.end(), 0), static_cast<long>(p.rgb.size()));
}

TEST_F(SessionTest, ShotIntoAnUnwritablePlaceFails) {
  std::ofstream(dir / "file") << "x";
  ReplaySession blocked(game, out, err, (dir / "file").string());  // a file, not a directory
  EXPECT_EQ(blocked.run(command("shot a"), 3), StepResult::Failed);
  EXPECT_NE(err.str().find("line 3: shot: cannot write"), std::string::npos) << err.str();
}

TEST_F(SessionTest, AShotThatCannotBeWrittenLeavesThePreviousOneWhole) {
  ASSERT_EQ(run("shot same"), StepResult::Continue);
  const fs::path file = dir / "shots" / "same.png";
  const Result<std::vector<uint8_t>> before = readFile(file.string(), test::kTestReadLimit);
  ASSERT_TRUE(before) << before.error();
  ASSERT_GT(before->size(), 100u);
  run("wait 500");  // the logo: another picture to write
  {
    test::FileSizeLimit limit(100);
    EXPECT_EQ(run("shot same", 4), StepResult::Failed);
  }
  EXPECT_NE(err.str().find("line 4: shot: cannot write " + file.string() + ": "), std::string::npos) << err.str();
  EXPECT_TRUE(readFile(file.string(), test::kTestReadLimit).value() == before.value());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shots"), fs::directory_iterator()), 1);
}

// ---- The driver ----

// What the driver tells on standard error when DIR holds no pack.
std::string missingPackLine(const fs::path& dir) {
  return "shirakaba: no game data found: " + (dir / "data" / "lumora.red").lexically_normal().string() +
         " is missing\n";
}

int runDriver(const fs::path& dir, const std::string& replay, std::string* errText = nullptr) {
  const fs::path file = dir / "test.replay";
  std::ofstream(file, std::ios::binary) << replay;
  std::string data = dir.string(), replayArg = file.string();
  std::vector<std::string> args = {"shirakaba", "--headless", "--data", data, "--seed", "1", "--replay", replayArg};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  ::testing::internal::CaptureStderr();
  const int status = runHeadless(static_cast<int>(argv.size()), argv.data());
  const std::string text = ::testing::internal::GetCapturedStderr();
  if (errText) *errText = text;
  return status;
}

// `save` and `load` take a file or a slot of the user folder; a refused one says why
// in one line beginning "save:" or "load:", and the replay goes on with the game as
// it was.
TEST_F(SessionTest, SaveAndLoadGoOnAndSayWhyWhenRefused) {
  run("settle");
  const std::string file = (dir / "saves" / "one.sav").string();
  EXPECT_EQ(run("save " + file), StepResult::Continue);
  EXPECT_EQ(err.str(), "");
  const GameSnapshot saved = game.snapshot();
  run("call Test_Btn");
  run("settle");
  EXPECT_EQ(field("/GameMode"), toInt(GameMode::SceneList));
  EXPECT_EQ(run("load " + file), StepResult::Continue);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(field("/GameMode"), toInt(GameMode::Title));
  EXPECT_TRUE(game.snapshot() == saved);

  // On the title no game is under way: a file takes it, a slot does not.
  session.setUserDir((dir / "user").string());
  run("save slot:3", 5);
  EXPECT_EQ(err.str(), "save: no game is under way yet; start or load one first (line 5)\n");
  EXPECT_FALSE(fs::exists(dir / "user" / "saves"));
  err.str("");
  run("call Test_Btn");
  run("settle");
  run("save slot:3");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(fs::directory_iterator(dir / "user" / "saves")->path().filename().string().size(), 16u)
      << "one folder for this game data, named by its identity";
  run("load slot:3");
  EXPECT_EQ(err.str(), "");

  const GameSnapshot before = game.snapshot();
  run("load " + (dir / "nothing.sav").string(), 7);
  run("load slot:13", 8);
  run("call About_Btn", 9);
  run("save slot:quick", 10);
  const std::string lines = err.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;
  EXPECT_EQ(lines.rfind("load: cannot read ", 0), 0u) << lines;
  EXPECT_NE(lines.find("(line 7)\nload: unknown slot 13"), std::string::npos) << lines;
  EXPECT_NE(lines.find("(line 8)\nsave: a dialog is open"), std::string::npos) << lines;
  run("dialog close");
  EXPECT_TRUE(game.snapshot() == before);
}

TEST(ReplayParser, SaveAndLoadTakeTheRestOfTheLineAsTheFile) {
  EXPECT_EQ(command("save /tmp/a b.sav  ").name, "/tmp/a b.sav");
  EXPECT_EQ(command("load slot:quick").kind, CommandKind::Load);
  EXPECT_FALSE(parseReplayLine("save"));
}

TEST(ReplayDriver, ExitStatusTellsHowTheRunEnded) {
  const fs::path dir = scratchDir("driver");  // no pack: each run first says so
  const std::string missing = missingPackLine(dir);
  std::string err;
  EXPECT_EQ(runDriver(dir, "# nothing\n\nwait 10\nexpect t 10\n"), 0);
  EXPECT_EQ(runDriver(dir, "wait 10\nexpect t 11\nwait 5\n", &err), 1);
  EXPECT_EQ(err, missing + "line 2: t expected 11, got 10\n");
  EXPECT_EQ(runDriver(dir, "wait 10\nquit\nexpect t 999\n"), 0);  // quit ends the run
  // A line that cannot be read stops the file before anything runs.
  EXPECT_EQ(runDriver(dir, "wait 10\nexpect t 999\nwiat 3\n", &err), 2);
  EXPECT_EQ(err.substr(0, missing.size() + 8), missing + "line 3: ");
}

TEST(ReplayDriver, ANamedFolderWithoutAPackIsToldWhileTheReplayRuns) {
  const fs::path dir = scratchDir("named_without_pack");
  std::string err;
  // The game's own message box still opens, so a replay can check it.
  EXPECT_EQ(runDriver(dir, "expect dialog message\nexpect message \"ファイルが足りません\\n\"\n", &err), 0);
  EXPECT_EQ(err, missingPackLine(dir));
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

  ASSERT_TRUE(test::writeTestPack(dir.string(), {}, "*op\nEND\n"));
  EXPECT_EQ(runDriver(dir, "expect dialog null\n", &err), 0);
  EXPECT_EQ(err, "");
}

TEST(ReplayDriver, BadOptionsAreRefused) {
  const auto run = [](std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    ::testing::internal::CaptureStderr();
    const int status = runHeadless(static_cast<int>(argv.size()), argv.data());
    ::testing::internal::GetCapturedStderr();
    return status;
  };
  EXPECT_EQ(run({"shirakaba", "--headless"}), 2);                                   // no replay
  EXPECT_EQ(run({"shirakaba", "--headless", "--replay"}), 2);                       // no value
  EXPECT_EQ(run({"shirakaba", "--headless", "--replay", "/nonexistent/x"}), 2);     // cannot open
  EXPECT_EQ(run({"shirakaba", "--headless", "--seed", "x1", "--replay", "-"}), 2);  // bad seed
  EXPECT_EQ(run({"shirakaba", "--headless", "--frobnicate", "--replay", "-"}), 2);
}

}  // namespace
}  // namespace shirakaba
