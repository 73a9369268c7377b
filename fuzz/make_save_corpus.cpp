// Writes the seeds of save_loader_fuzz. Good saves, in <corpus>/save_loader: the demo
// game played through the headless replays on the demo data, saved by the replay's own
// `save` (with its history of pages) at the first moment of each kind met (each screen,
// the calendar's steps, the middle of a transition or a job bar), and a few of them in
// the first format. Hostile files, in <corpus>/save_loader_hostile: cut, altered, of a
// newer format, of other game data, with huge declared sizes, garbage, and game states,
// histories and descriptions with one field outside what the game ever gives it.
//   make_save_corpus CORPUS_DIR REPLAY_DIR   (fuzz/corpus tests/replays)
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "base/files.h"
#include "fuzz/save_input.h"
#include "game/game_state.h"
#include "game/state_codec.h"
#include "headless/replay.h"
#include "headless/session.h"
#include "saves/save_file.h"
#include "saves/save_game.h"
#include "tools/demo/demo.h"

using namespace shirakaba;
namespace fs = std::filesystem;

namespace {

// The save with a change made to it, written again.
std::vector<uint8_t> changedSave(const std::vector<uint8_t>& file, const std::function<void(SaveFile&)>& change) {
  auto save = decodeSaveFile(file);
  if (!save.ok()) return file;
  change(save.value());
  return encodeSaveFile(save.value());
}

struct Seeds {
  fs::path good, hostile, scratch;
  std::map<std::string, std::vector<uint8_t>> saves;  // moment -> save file

  // A save of the moment, unless one of its kind is kept already: one of each screen,
  // of the calendar's steps with buttons of their own, of a job bar, and of the
  // transitions out of the logo, into the title, the calendar, a CG, a scene and a conversation.
  void consider(const GameCore& core, ReplaySession& session) {
    if (!core.canSave()) return;
    const GameSnapshot snap = core.snapshot();
    const GameState& s = snap.state();
    const int32_t mode = toInt(s.shell.GameMode), step = toInt(s.train.Adv.TrainStep);
    std::string key = "mode" + std::to_string(mode);
    if (s.timers.J_Timer.Enabled) {
      key += "_job";
    } else if (s.timers.Cha_Timer.Enabled) {
      if (mode != 0 && mode != 1 && mode != 4 && mode != 5 && mode != 6 && mode != 13) return;
      key += "_transition";
    } else if (mode == toInt(GameMode::Calendar)) {
      static constexpr int32_t kSteps[] = {1, 2, 3, 8, 10, 15, 17, 20};
      if (std::find(std::begin(kSteps), std::end(kSteps), step) == std::end(kSteps)) return;
      key += "_step" + std::to_string(step);
    }
    if (saves.count(key)) return;
    const fs::path file = scratch / "moment.sav";
    fs::remove(file);
    session.run(parseReplayLine("save " + file.string()).value(), 0);
    auto bytes = readFile(file.string());
    // The same seeds from every run: no wall-clock time in them.
    if (bytes.ok()) saves[key] = changedSave(bytes.value(), [](SaveFile& f) { f.info.savedAt = 0; });
  }
};

// The screens no replay shows, reached as a replay's `mode` does: the status screen,
// the gallery, the empty "続きから" screen.
const char* const kExtraLines[] = {"mode 10", "settle", "mode 2", "settle", "mode 11", "settle"};

// Plays one replay, looking at the game after every command and on the third tick of
// every settle (in the middle of transitions and job bars).
void play(const fs::path& replay, const std::string& demoDir, Seeds& seeds) {
  std::ifstream in(replay);
  std::string line;
  uint64_t seed = 1;
  bool demo = false;
  std::vector<Command> commands;
  while (std::getline(in, line)) {
    if (line.rfind("#! data demo", 0) == 0) demo = true;
    if (line.rfind("#! seed ", 0) == 0) seed = std::strtoull(line.c_str() + 8, nullptr, 10);
    auto cmd = parseReplayLine(line);
    if (cmd.ok()) commands.push_back(std::move(cmd).value());
  }
  for (const char* extra : kExtraLines) commands.push_back(parseReplayLine(extra).value());
  if (!demo) return;
  GameCore core(GameSetup{demoDir, seed, nullptr});
  core.start();
  std::ostringstream out, err;
  ReplaySession session(core, out, err, "");
  for (const Command& cmd : commands) {
    switch (cmd.kind) {
      case CommandKind::Shot: case CommandKind::State: case CommandKind::Expect:
      case CommandKind::Save: case CommandKind::Load:
        continue;
      case CommandKind::Quit: return;
      case CommandKind::Settle:
        for (int tick = 1; tick < 100000 && core.busy() && core.fireNext(core.now() + kSettleLimitMs); ++tick)
          if (tick == 3) seeds.consider(core, session);
        break;
      default: break;
    }
    if (session.run(cmd, 0) != StepResult::Continue) return;
    seeds.consider(core, session);
  }
}

void write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  if (!writeFile(path.string(), bytes).ok()) {
    std::cerr << "cannot write " << path << "\n";
    std::exit(1);
  }
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The chunk's payload offset in a save file, or 0.
size_t chunkAt(const std::vector<uint8_t>& file, const char* tag) {
  for (size_t at = 12; at + 8 <= file.size() - 4; at += 8 + get32(file, at + 4))
    if (std::equal(tag, tag + 4, file.begin() + at)) return at + 8;
  return 0;
}

// The save with its game state changed and packed again.
std::vector<uint8_t> withState(const std::vector<uint8_t>& file, const std::function<void(GameState&)>& change) {
  return changedSave(file, [&](SaveFile& f) {
    auto state = decodeState(f.state, StateLimits{1 << 20});
    if (!state.ok()) return;
    change(state.value());
    f.state = encodeState(state.value());
  });
}

// The save as the first format wrote it: no history, no first line of the page.
std::vector<uint8_t> inFirstFormat(const std::vector<uint8_t>& file) {
  auto save = decodeSaveFile(file);
  return save.ok() ? encodeSaveFile(save.value(), 1) : file;
}

// Edits spread over the fields at both ends of the state, each writing the byte that
// is there already.
std::vector<fuzz::StateEdit> noOpEdits(const std::vector<uint8_t>& file) {
  auto save = decodeSaveFile(file);
  if (!save.ok()) return {};
  const std::vector<uint8_t>& st = save.value().state;
  std::vector<fuzz::StateEdit> e;
  for (uint16_t at : {5, 13, 21, 38, 55, 72, 89, 200})
    if (at < st.size()) e.push_back({at, st[at]});
  for (uint16_t back : {3, 12, 40, 90, 150, 250, 400, 520})
    if (back < st.size()) e.push_back({static_cast<uint16_t>(fuzz::kFromEnd | back), st[st.size() - 1 - back]});
  return e;
}

// Edits that write a u32 into the state at `at` (from its first byte).
std::vector<fuzz::StateEdit> edits32(size_t at, uint32_t v) {
  std::vector<fuzz::StateEdit> e;
  for (int i = 0; i < 4; ++i) e.push_back({static_cast<uint16_t>(at + i), static_cast<uint8_t>(v >> (8 * i))});
  return e;
}

// The smallest save kept: every hostile file is one change away from a good save.
const std::vector<uint8_t>& smallestSave(const Seeds& seeds) {
  auto it = seeds.saves.begin();
  for (auto s = seeds.saves.begin(); s != seeds.saves.end(); ++s)
    if (s->second.size() < it->second.size()) it = s;
  return it->second;
}

void writeHostile(const Seeds& seeds, const fs::path& dir) {
  const std::vector<uint8_t>& good = smallestSave(seeds);
  const auto seed = [&](const std::string& name, uint8_t flags, const std::vector<uint8_t>& file,
                        std::vector<fuzz::StateEdit> edits = {}) {
    fuzz::SaveInput in{flags, {128, 128, 128, 200, 40, 200, 200, 100}, std::move(edits), {}};
    write(dir / name, fuzz::writeSaveInput(in, file));
  };
  const size_t info = chunkAt(good, "INFO"), stat = chunkAt(good, "STAT");

  seed("cut_half", 0, std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
  seed("cut_half_resealed", fuzz::kReseal, std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
  std::vector<uint8_t> b = good;
  b[stat + 40] ^= 0x55;
  seed("altered_state", 0, b);
  seed("altered_state_resealed", fuzz::kReseal, b);
  b = good;
  put32(b, 8, kSaveFormatVersion + 1);
  fuzz::resealSave(b);
  seed("newer_version", 0, b);
  b = good;
  // savedAt, day, two strings, play time, then the identity.
  size_t at = info + 12;
  at += 4 + get32(b, at);
  at += 4 + get32(b, at) + 8;
  put32(b, at, get32(b, at) ^ 0x5A5A5A5A);
  fuzz::resealSave(b);
  seed("other_identity", 0, b);
  b = good;
  put32(b, stat, 0xFFFFFFFF);  // the state's declared size
  seed("huge_state_size", fuzz::kReseal, b);
  b = good;
  put32(b, info - 4, 0xFFFFFFF0);  // INFO's length
  seed("huge_chunk_length", fuzz::kReseal, b);
  b = good;
  b[stat + 4 + 5] = 0xFF;  // inside the zstd frame header
  seed("zstd_header", fuzz::kReseal, b);
  seed("empty", 0, {});
  seed("magic_only", fuzz::kReseal, {'S', 'K', 'B', 'S', 'A', 'V', 'E', 0x1A, 1, 0, 0, 0, 0, 0, 0, 0});

  // Pictures of the state with sizes beyond any screen: the first 640 x 480 picture
  // header (the back buffer) made 0x7FFFFFFF wide, and the dialog text's length.
  auto whole = decodeSaveFile(good);
  if (!whole.ok()) return;
  const std::vector<uint8_t>& st = whole.value().state;
  for (size_t i = 0; i + 8 <= st.size() && i + 4 <= 0x400; ++i) {
    if (get32(st, i) == 640 && get32(st, i + 4) == 480) {
      seed("huge_picture_width", fuzz::kEdit, good, edits32(i, 0x7FFFFFFF));
      seed("huge_pixel_count", fuzz::kEdit, good, edits32(i + 4, 0x00FFFFFF));
      break;
    }
  }
  seed("huge_dialog_text", fuzz::kEdit, good, edits32(8, 0xFFFFFFF0));

  // Game states with one field far outside what the game ever sets, which once loaded
  // and then overflowed: the transition's and the job bar's tick (on the next tick), the
  // button pressed on the choice screen (on the release), the pan of a running CG timer.
  const auto changed = [&](const char* key, const std::function<void(GameState&)>& change) {
    const auto it = seeds.saves.find(key);
    return withState(it != seeds.saves.end() ? it->second : good, change);
  };
  seed("transition_tick_huge", 0, changed("mode1_transition", [](GameState& s) {
    s.timers.Cha_Timer.Tag = INT32_MAX;
  }));
  seed("job_tick_negative", 0, changed("mode4_job", [](GameState& s) { s.timers.J_Timer.Tag = INT32_MIN; }));
  seed("choice_pressed_huge", 0, changed("mode12", [](GameState& s) { s.btn.PressedBtn = INT32_MAX; }));
  seed("pan_huge", 0, changed("mode6", [](GameState& s) {
    s.timers.CG_Timer.Enabled = true;
    s.timers.CG_Timer.due = 0;
    s.pan.PanX = INT32_MAX;
  }));
  // And states that once loaded and kept the game from coming to rest: a timer that
  // ticks once a minute, a stopped one due far ahead, texts that are not UTF-8 or are
  // longer than a save keeps.
  seed("timer_interval_65000", 0, changed("mode6", [](GameState& s) { s.timers.Cha_Timer.Interval = 65000; }));
  seed("stopped_timer_due_far", 0, changed("mode6", [](GameState& s) {
    s.timers.J_Timer.Enabled = false;
    s.timers.J_Timer.due = 1 << 25;
  }));
  seed("page_not_utf8", 0, changed("mode6", [](GameState& s) { s.shown.Page = {"\xE3\x81"}; }));
  seed("hint_not_utf8", 0, changed("mode4_step1", [](GameState& s) { s.shown.Hint = {"\xFF"}; }));
  seed("caption_not_utf8", 0, changed("mode6", [](GameState& s) { s.menu.items[1].Caption = "\xC0\xAF"; }));
  seed("page_line_too_long", 0, changed("mode6", [](GameState& s) { s.shown.Page = {std::string(kMaxTextBytes + 1, 'a')}; }));
  const auto it = seeds.saves.find("mode6");
  const std::vector<uint8_t>& scene = it != seeds.saves.end() ? it->second : good;
  seed("history_choice_with_page", 0, changedSave(scene, [](SaveFile& f) { f.history.push_back({{"はい"}, true, 5}); }));
  seed("history_too_long", 0, changedSave(scene, [](SaveFile& f) {
    f.history.assign(kMaxSavedPages + 1, SavedPage{{"a"}, false, 1});
  }));
  seed("page_line_in_description_not_utf8", 0, changedSave(scene, [](SaveFile& f) { f.info.pageLine = "\xFF"; }));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_save_corpus CORPUS_DIR REPLAY_DIR\n";
    return 2;
  }
  const std::string demoDir = (fs::temp_directory_path() / "shirakaba-save-corpus").string();
  Seeds seeds{fs::path(argv[1]) / "save_loader", fs::path(argv[1]) / "save_loader_hostile", fs::path(demoDir), {}};
  fs::remove_all(demoDir);
  if (runDemo(demoDir) != 0) return 1;
  std::vector<fs::path> replays;
  for (const auto& e : fs::directory_iterator(argv[2]))
    if (e.path().extension() == ".replay") replays.push_back(e.path());
  std::sort(replays.begin(), replays.end());
  for (const fs::path& r : replays) play(r, demoDir, seeds);
  if (seeds.saves.empty()) return 1;

  fs::create_directories(seeds.good);
  fs::create_directories(seeds.hostile);
  size_t bytes = 0;
  for (const auto& [key, file] : seeds.saves) {
    // Past the checksum, with edits that change nothing yet: mutating one of them is a
    // step to a state with one field changed.
    fuzz::SaveInput in{fuzz::kReseal | fuzz::kEdit, {128, 128, 128, 200, 40, 200, 200, 100}, noOpEdits(file), {}};
    write(seeds.good / key, fuzz::writeSaveInput(in, file));
    bytes += file.size();
  }
  fuzz::SaveInput plain{0, {128, 128, 128, 128, 128, 128, 128, 128}, {}, {}};
  write(seeds.good / "checked_crc", fuzz::writeSaveInput(plain, smallestSave(seeds)));
  for (const char* key : {"mode6", "mode4_step8", "mode13"})
    if (seeds.saves.count(key))
      write(seeds.good / ("format1_" + std::string(key)), fuzz::writeSaveInput(plain, inFirstFormat(seeds.saves[key])));
  writeHostile(seeds, seeds.hostile);
  fs::remove_all(demoDir);
  std::cout << seeds.saves.size() << " saves (" << bytes / seeds.saves.size() << " bytes each on average)\n";
  return 0;
}
