// Running replay commands on a form: virtual time, settle, expectations, the state
// line, shots, and the exit status of the headless driver.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless/headless.h"
#include "headless/json_path.h"
#include "headless/session.h"
#include "headless/state_json.h"
#include "base/stream.h"
#include "support/file_size_limit.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;

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

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : dir(scratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name())),
                  form(host, FormConfig{dir.string()}),
                  session(form, out, err, (dir / "shots").string()) {}
  StepResult run(std::string_view line, int lineNo = 1) { return session.run(command(line), lineNo); }

  fs::path dir;
  NullHost host;
  TXP_Form form;
  std::ostringstream out, err;
  ReplaySession session;
};

TEST_F(SessionTest, WaitAdvancesVirtualTimeAndFiresTimers) {
  int ticks = 0;
  form.Ani_Timer.OnTimer = [&] { ++ticks; };
  form.Ani_Timer.setEnabled(true);  // 200 ms
  EXPECT_EQ(run("wait 199"), StepResult::Continue);
  EXPECT_EQ(ticks, 0);
  run("wait 1");
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(form.clock.now(), 200);
  run("wait 0");
  EXPECT_EQ(ticks, 1);
  run("wait 1000");
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(form.clock.now(), 1200);
}

TEST_F(SessionTest, SettleStopsRightAfterTheLastBusyTimer) {
  int jobTicks = 0, prompts = 0;
  form.J_Timer.OnTimer = [&] {
    if (++jobTicks == 5) form.J_Timer.setEnabled(false);
  };
  form.Text_Timer.OnTimer = [&] { ++prompts; };
  form.J_Timer.setEnabled(true);     // 100 ms
  form.Text_Timer.setEnabled(true);  // 400 ms, does not keep the game busy
  EXPECT_EQ(run("settle"), StepResult::Continue);
  EXPECT_EQ(jobTicks, 5);
  EXPECT_EQ(form.clock.now(), 500);
  EXPECT_EQ(prompts, 1);  // the one at 400; the next is left for a later wait
  EXPECT_TRUE(form.Text_Timer.Enabled());
  // Nothing busy: settle returns at once.
  run("settle");
  EXPECT_EQ(form.clock.now(), 500);
}

TEST_F(SessionTest, SettleFollowsOneTimerHandingOverToAnother) {
  form.Cha_Timer.OnTimer = [&] {
    form.Cha_Timer.setEnabled(false);
    form.CG_Timer.setEnabled(true);
  };
  int pans = 0;
  form.CG_Timer.OnTimer = [&] {
    if (++pans == 3) form.CG_Timer.setEnabled(false);
  };
  form.Cha_Timer.setInterval(30);
  form.Cha_Timer.setEnabled(true);
  EXPECT_EQ(run("settle"), StepResult::Continue);
  EXPECT_EQ(pans, 3);
  EXPECT_EQ(form.clock.now(), 30 + 3 * form.CG_Timer.Interval());
}

TEST_F(SessionTest, SettleFailsWhenTheGameNeverComesToRest) {
  form.CG_Timer.OnTimer = [] {};
  form.CG_Timer.setEnabled(true);
  EXPECT_EQ(run("settle", 7), StepResult::Failed);
  EXPECT_NE(err.str().find("line 7: settle"), std::string::npos) << err.str();
  EXPECT_LE(form.clock.now(), kSettleLimitMs);
  EXPECT_GT(form.clock.now(), kSettleLimitMs - 100);
}

TEST_F(SessionTest, ExpectComparesOneFieldOfTheState) {
  form.GameMode = 4;
  form.train.Adv.SceneLabel = "*op";
  form.train.CharaStat[2].Affection = 7;
  form.shown.Page = {"一行目", "二行目"};
  run("wait 25");
  EXPECT_EQ(run("expect t 25"), StepResult::Continue);
  EXPECT_EQ(run("expect GameMode 4"), StepResult::Continue);
  EXPECT_EQ(run("expect SceneLabel *op"), StepResult::Continue);
  EXPECT_EQ(run("expect Adv.SceneLabel \"*op\""), StepResult::Continue);
  EXPECT_EQ(run("expect CharaStat.2.Affection 7"), StepResult::Continue);
  EXPECT_EQ(run("expect Page.1 二行目"), StepResult::Continue);
  EXPECT_EQ(run("expect Page [\"一行目\",\"二行目\"]"), StepResult::Continue);
  EXPECT_EQ(run("expect Notice null"), StepResult::Continue);
  EXPECT_EQ(run("expect dialog null"), StepResult::Continue);
  EXPECT_EQ(err.str(), "");

  EXPECT_EQ(run("expect GameMode 5", 12), StepResult::Failed);
  EXPECT_EQ(err.str(), "line 12: GameMode expected 5, got 4\n");
  err.str("");
  EXPECT_EQ(run("expect GameMode \"4\"", 13), StepResult::Failed);  // a string is not a number
  EXPECT_EQ(err.str(), "line 13: GameMode expected \"4\", got 4\n");
  err.str("");
  EXPECT_EQ(run("expect Adv.Nothing 1", 14), StepResult::Failed);
  EXPECT_NE(err.str().find("line 14: Adv.Nothing expected 1, got "), std::string::npos);
}

TEST_F(SessionTest, StateIsOneLineWithTheFixedKeyOrder) {
  run("state");
  const std::string text = out.str();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find('\n'), text.size() - 1);
  const Result<Json> state = parseJsonText(text);
  ASSERT_TRUE(state) << state.error();
  const std::vector<std::string> keys = {
      "t", "GameMode", "timers", "menu", "ImageBa", "ButtonOn", "PressedBtn", "SelectedBtn", "TestMode",
      "SceneNo", "SceneLabel", "ScriptPos", "ScriptLine", "Page", "Notice", "Hint", "CGNo", "WindowBaked",
      "CGSpeed", "CGSeen", "EventState", "EventWait", "PanX", "PanY", "dialog", "message", "sounds", "closed",
      "Adv", "CharaStat", "Ability", "Job", "Grade", "Outcome", "Met"};
  std::vector<std::string> stateKeys;
  for (const auto& member : state->items()) stateKeys.push_back(member.key());
  EXPECT_EQ(stateKeys, keys);
  // Arrays the game indexes from 1 (EventState from 0) are objects keyed by index.
  EXPECT_EQ(lookupPath(state.value(), "ButtonOn")->size(), 14u);
  EXPECT_EQ(lookupPath(state.value(), "ButtonOn")->begin().key(), "1");
  EXPECT_EQ(lookupPath(state.value(), "EventState")->size(), 15u);
  EXPECT_EQ(lookupPath(state.value(), "EventState")->begin().key(), "0");
  EXPECT_EQ(lookupPath(state.value(), "EventWait")->size(), 14u);
  EXPECT_EQ(lookupPath(state.value(), "CGSeen")->size(), 7u);
  EXPECT_EQ(lookupPath(state.value(), "CharaStat")->size(), 3u);
  EXPECT_EQ(lookupPath(state.value(), "Ability")->size(), 4u);
  EXPECT_EQ(lookupPath(state.value(), "Met")->size(), 3u);
  EXPECT_EQ(lookupPath(state.value(), "Adv.Met")->size(), 3u);
  EXPECT_EQ(*lookupPath(state.value(), "menu.Start_Btn.caption"), Json("はじめる"));
  for (const char* t : {"Cha_Timer", "CG_Timer", "J_Timer", "Ani_Timer", "Text_Timer"})
    EXPECT_TRUE(lookupPath(state.value(), std::string("timers.") + t + ".interval")) << t;
}

TEST_F(SessionTest, ScriptLineIsNullPastTheScript) {
  form.Script.lines = {"*op", "こんにちは"};
  form.scene.ScriptPos = 1;
  EXPECT_EQ(*lookupPath(buildStateJson(form), "ScriptLine"), Json("こんにちは"));
  form.scene.ScriptPos = 2;
  EXPECT_EQ(*lookupPath(buildStateJson(form), "ScriptLine"), Json());
  form.scene.ScriptPos = -1;
  EXPECT_EQ(*lookupPath(buildStateJson(form), "ScriptLine"), Json());
}

TEST_F(SessionTest, SoundsAreThoseSinceThePreviousState) {
  form.soundsStarted = {"data/wav/h_1.wav"};
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
  EXPECT_EQ(form.random.below(4), 2);
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

TEST_F(SessionTest, ShotWritesTheVisibleScreen) {
  form.draw.ImageBa = Bitmap::create32(kScreenW, kScreenH, kBlack);
  setPixel32(form.draw.ImageBa, 0, 0, 0x0000FF);      // red (0x00BBGGRR)
  setPixel32(form.draw.ImageBa, 639, 479, 0xFF0000);  // blue
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

  form.draw.imageBaVisible = false;  // a hidden image shows the black window
  run("shot hidden");
  p = readPng(dir / "shots" / "hidden.png");
  ASSERT_EQ(p.width, 640);
  EXPECT_EQ(std::count(p.rgb.begin(), p.rgb.end(), 0), static_cast<long>(p.rgb.size()));
}

TEST_F(SessionTest, ShotOfAnUncreatedScreenIsBlack) {
  form.draw.ImageBa.clear();
  EXPECT_EQ(run("shot none"), StepResult::Continue);
  const Png p = readPng(dir / "shots" / "none.png");
  ASSERT_EQ(p.width, 640);
  ASSERT_EQ(p.height, 480);
}

TEST_F(SessionTest, ShotIntoAnUnwritablePlaceFails) {
  std::ofstream(dir / "file") << "x";
  ReplaySession blocked(form, out, err, (dir / "file").string());  // a file, not a directory
  EXPECT_EQ(blocked.run(command("shot a"), 3), StepResult::Failed);
  EXPECT_NE(err.str().find("line 3: shot: cannot write"), std::string::npos) << err.str();
}

TEST_F(SessionTest, AShotThatCannotBeWrittenLeavesThePreviousOneWhole) {
  form.draw.ImageBa = Bitmap::create32(kScreenW, kScreenH, kBlack);
  ASSERT_EQ(run("shot same"), StepResult::Continue);
  const fs::path file = dir / "shots" / "same.png";
  const Result<std::vector<uint8_t>> before = readFile(file.string());
  ASSERT_TRUE(before) << before.error();
  ASSERT_GT(before->size(), 100u);
  setPixel32(form.draw.ImageBa, 0, 0, 0x0000FF);
  {
    test::FileSizeLimit limit(100);
    EXPECT_EQ(run("shot same", 4), StepResult::Failed);
  }
  EXPECT_NE(err.str().find("line 4: shot: cannot write " + file.string() + ": "), std::string::npos) << err.str();
  EXPECT_TRUE(readFile(file.string()).value() == before.value());
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
