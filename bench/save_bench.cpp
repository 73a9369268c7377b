// Saving and loading the demo game at three moments of a whole game: the title, a scene
// page with a CG on the screen, and the calendar's own-room step (the largest save of
// the demo). A save (the state and thumbnail taken, packed, written) must stay under
// 30 ms, a load (read, checked, unpacked, restored) under 50 ms, the file under 512 KiB.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/replay.h"
#include "headless/session.h"
#include "saves/save_game.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

using namespace shirakaba;

namespace {

const std::string& demoDir() {
  static const std::string dir = [] {
    const std::string d = test::makeTempDir("save-bench");
    return runDemo(d) == 0 ? d : std::string();
  }();
  return dir;
}

struct Moment {
  const char* name;
  const char* replay;  // in tests/replays
  std::function<bool(const GameState&)> wanted;
};

bool title(const GameState& s) { return s.shell.GameMode == GameMode::Title; }
// A scene page after its CG was shown: the CG fills the page behind the text.
bool sceneWithCG(const GameState& s) { return s.shell.GameMode == GameMode::Scene && s.scene.CGNo != 0; }
bool ownRoom(const GameState& s) {
  return s.shell.GameMode == GameMode::Calendar && s.train.Adv.TrainStep == TrainStep::OwnRoom;
}

const Moment kMoments[] = {{"title", "whole_game", title},
                           {"scene_cg", "whole_game", sceneWithCG},
                           {"calendar", "calendar_office_talk", ownRoom}};

// The demo game played through a headless replay (with its seed) up to the first
// moment, between two commands, that the moment wants; nullptr when none does.
std::unique_ptr<GameCore> gameAt(const Moment& m) {
  std::ifstream replay(std::string(SHIRAKABA_SOURCE_DIR) + "/tests/replays/" + m.replay + ".replay");
  std::vector<std::string> lines;
  uint64_t seed = 1;
  for (std::string line; std::getline(replay, line);) {
    if (line.rfind("#! seed ", 0) == 0) seed = std::stoull(line.substr(8));
    lines.push_back(line);
  }
  auto core = std::make_unique<GameCore>(GameSetup{demoDir(), seed, nullptr});
  core->start();
  std::ostringstream out, err;
  ReplaySession session(*core, out, err, "");
  for (size_t n = 0; n < lines.size(); ++n) {
    auto cmd = parseReplayLine(lines[n]);
    if (!cmd.ok() || cmd.value().kind == CommandKind::Shot) continue;
    if (session.run(cmd.value(), static_cast<int>(n + 1)) != StepResult::Continue) break;
    if (!core->busy() && core->canSave() && m.wanted(core->snapshot().state())) return core;
  }
  return nullptr;
}

// One game per moment for the whole run: the replay takes seconds.
GameCore* gameFor(benchmark::State& state) {
  static std::map<int, std::unique_ptr<GameCore>> games;
  const int which = static_cast<int>(state.range(0));
  auto& g = games[which];
  if (!g && !demoDir().empty()) g = gameAt(kMoments[which]);
  if (!g) state.SkipWithError("the replay never reached the moment");
  state.SetLabel(kMoments[which].name);
  return g.get();
}

std::string savePath(int which) {
  static const std::string dir = test::makeTempDir("save-bench-files");
  return dir + "/" + kMoments[which].name + ".sav";
}

void SaveGame(benchmark::State& state) {
  GameCore* core = gameFor(state);
  if (!core) return;
  const std::string path = savePath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto saved = saveGame(*core, path, 1000, 0);
    if (!saved.ok()) state.SkipWithError(saved.error().c_str());
  }
  state.counters["file_KiB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024;
}
BENCHMARK(SaveGame)->ArgName("moment")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The part of a save the game itself waits for: the state and thumbnail taken and
// packed into the file's bytes. The rest of SaveGame is the disk's (the flush that
// keeps a save whole when the machine stops).
void TakeSave(benchmark::State& state) {
  GameCore* core = gameFor(state);
  if (!core) return;
  size_t bytes = 0;
  for (auto _ : state) {
    auto save = takeSave(*core, 1000, 0);
    if (!save.ok()) return state.SkipWithError(save.error().c_str());
    bytes = encodeSaveFile(save.value()).size();
  }
  state.counters["file_KiB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(TakeSave)->ArgName("moment")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void LoadGame(benchmark::State& state) {
  GameCore* core = gameFor(state);
  if (!core) return;
  const std::string path = savePath(static_cast<int>(state.range(0)));
  auto saved = saveGame(*core, path, 1000, 0);
  if (!saved.ok()) return state.SkipWithError(saved.error().c_str());
  for (auto _ : state) {
    auto loaded = loadGame(*core, path);
    if (!loaded.ok()) state.SkipWithError(loaded.error().c_str());
  }
  state.counters["file_KiB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024;
}
BENCHMARK(LoadGame)->ArgName("moment")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
