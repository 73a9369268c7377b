// Forms for the calendar's tests: a bare form that runs the rules without a pack, and
// a whole game on a small test pack driven in virtual time.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/form.h"
#include "support/pack_fixture.h"

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

// Training state of a new game in the calendar, the given script, no pictures.
struct Bare {
  NullHost host;
  TXP_Form form;
  explicit Bare(std::vector<std::string> script = {}) : form(host, FormConfig{soundDir()}) {
    form.SetupBuffers(0);
    form.Script.lines = std::move(script);
    form.UpdateRecord(1);
    form.ResetAdv(0);
    form.GameMode = 4;
  }
  TAdv_Rec& adv() { return form.train.Adv; }
  TCharaStat& chara(int k) { return form.train.CharaStat[k]; }
  int32_t& state(int n) { return form.events.EventState[n]; }
  std::vector<std::string> takeSounds() {
    std::vector<std::string> s;
    s.swap(form.soundsStarted);
    return s;
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

struct Game {
  NullHost host;
  TXP_Form form;
  explicit Game(const std::string& dir) : form(host, FormConfig{dir}) {
    form.FormCreate();
    settle();  // the logo and the title
  }
  // Runs the timers until the transition under way has ended.
  void settle() {
    for (int i = 0; i < 100000 && form.Cha_Timer.Enabled(); ++i) form.clock.fireNext(INT64_MAX);
  }
  void click(int x, int y) {
    form.mouseDown(MouseButton::Left, x, y);
    form.mouseUp(MouseButton::Left, x, y);
  }
  TAdv_Rec& adv() { return form.train.Adv; }
  int64_t now() const { return form.clock.now(); }
};

}  // namespace calendar_test
