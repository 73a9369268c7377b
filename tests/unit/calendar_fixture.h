// Games for the calendar's tests: a bare game that runs the rules without a pack, and
// a whole game on a small test pack driven in virtual time. Both record what they ask
// of the window (sounds, texts) in a test::RecordingHost.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "game/game.h"
#include "support/printers.h"
#include "support/pack_fixture.h"
#include "support/recording_host.h"

namespace calendar_test {

using namespace shirakaba;

// A folder holding the three sound files (and nothing else).
inline std::string soundDir() {
  static const std::string dir = [] {
    const std::string d = test::makeTempDir("calendar-sounds");
    std::filesystem::create_directories(std::filesystem::path(d) / "data" / "wav");
    for (const char* f : {"h_1.wav", "h_3.wav", "h_4.wav"}) std::ofstream(std::filesystem::path(d) / "data" / "wav" / f) << "RIFF";
    return d;
  }();
  return dir;
}

// A game with a recording host, and its parts by the names the routines use.
struct TestGame {
  test::RecordingHost host;
  Game game;
  explicit TestGame(const std::string& dir) : game(host, EngineConfig{dir}) {}

  Engine& engine = game.engine;
  TrainingRules& rules = game.rules;
  StoryEvents& story = game.story;
  Calendar& calendar = game.calendar;
  TrainingState& train = game.state.train;
  EventStateRec& events = game.state.events;
  ButtonState& btn = game.state.btn;
  SceneState& scene = game.state.scene;
  ShownText& shown = game.state.shown;
  Surfaces& surfaces = game.state.surfaces;
  RandomSource& random = game.state.random;

  TAdv_Rec& adv() { return game.state.train.Adv; }
  TCharaStat& chara(int k) { return game.state.train.CharaStat[k]; }
  int32_t& state(int n) { return game.state.events.EventState[n]; }
  // The label of the next scene (kept beside the script cursor).
  std::string& label() { return game.state.scene.SceneLabel; }
  GameMode& mode() { return game.state.shell.GameMode; }
  std::vector<std::string> takeSounds() { return host.takeSounds(); }
};

// Training state of a new game in the calendar, the given script, no pictures.
struct Bare : TestGame {
  explicit Bare(std::vector<std::string> script = {}) : TestGame(soundDir()) {
    surfaces.BackBuffer = Bitmap::create32(kScreenW, kScreenH);
    surfaces.backBufferCreated = true;
    engine.Script.lines = std::move(script);
    engine.UpdateRecord(RecordUpdate::NewGame);
    rules.ResetAdv(AdvReset::NewGame);
    mode() = GameMode::Calendar;
  }
};

// The opening script of the test games: command definitions, then scenes.
inline std::string gameScript(const std::string& scenes) {
  return "BG=1\nSPR=6\nEND3=3\nEND5=5\n部屋=1\n" + scenes;
}

// A game folder with a pack holding the given pictures and script, and the sounds.
// Packs are large: each distinct content is written once per test program.
inline std::string makeGame(const std::string& script, const std::map<int, Bitmap>& pictures = {}) {
  static std::map<std::string, std::string> made;
  std::string key = script;
  for (auto& [k, v] : pictures) key += "|" + std::to_string(k) + ":" + std::to_string(v.width) + "x" + std::to_string(v.height) + ":" + std::to_string(v.colourAt(0, 0));
  auto it = made.find(key);
  if (it != made.end()) return it->second;
  const std::string dir = test::makeTempDir("calendar-game");
  std::map<int, Bitmap> pics = pictures;
  Bitmap strip = test::mask8(32, 480, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 32; ++x) strip.row(y)[x] = static_cast<uint8_t>(255 - x * 8);
  pics.emplace(pic::WipeStrip, strip);
  EXPECT_TRUE(test::writeTestPack(dir, pics, script));
  std::filesystem::create_directories(std::filesystem::path(dir) / "data" / "wav");
  for (const char* f : {"h_1.wav", "h_3.wav", "h_4.wav"}) std::ofstream(std::filesystem::path(dir) / "data" / "wav" / f) << "RIFF";
  made[key] = dir;
  return dir;
}

// A whole game on a test pack, past the logo and the title.
struct PackGame : TestGame {
  explicit PackGame(const std::string& dir) : TestGame(dir) {
    engine.FormCreate();
    settle();  // the logo and the title
  }
  // Runs the timers until the transition under way has ended.
  void settle() {
    for (int i = 0; i < 100000 && engine.Cha_Timer.Enabled(); ++i) engine.clock.fireNext(INT64_MAX);
  }
  void click(int x, int y) {
    game.mouseDown(MouseButton::Left, x, y);
    game.mouseUp(MouseButton::Left, x, y);
  }
  int64_t now() const { return game.engine.clock.now(); }
};

}  // namespace calendar_test
