// Save files from arbitrary bytes, through the whole loader as the game loads a file:
// the file format of any version, zstd, the history, the data identity, the game
// state checked against the demo game's data. Whatever is accepted must come back the
// same through the writer and the reader again (what the reader takes, the writer can
// write); an accepted state is then restored and played on (clicks from the input,
// timer ticks), so that a state that loads but breaks the game shows up. The input's
// first bytes steer the target (fuzz/save_input.h).
//
// One game on the demo data serves the whole run: a restore replaces the whole state,
// so each input starts from exactly the state it loads.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/save_input.h"
#include "game/core.h"
#include "game/game_state.h"
#include "saves/save_file.h"
#include "tools/demo/demo.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

constexpr int kTicksPerClick = 8;

// The demo game written into a folder of its own, removed when the run ends.
struct DemoDir {
  std::string path;
  DemoDir() : path((std::filesystem::temp_directory_path() / "shirakaba-save-fuzz-XXXXXX").string()) {
    require(mkdtemp(path.data()) != nullptr);
    require(runDemo(path) == 0);
  }
  ~DemoDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

struct DemoGame {
  DemoDir dir;
  GameCore core{GameSetup{dir.path, 1, nullptr}};
  uint64_t identity = 0;

  DemoGame() {
    core.start();
    auto id = core.dataIdentity();
    require(id.ok());
    identity = id.value();
  }
};

// First a lone release (the button held down when the save was taken, or while it was
// loaded, let go), then clicks, each followed by a few ticks.
void playOn(GameCore& core, const fuzz::SaveInput& in) {
  core.pointerRelease(MouseButton::Left, in.clicks[0] * kGameWidth / 256, in.clicks[1] * kGameHeight / 256);
  for (size_t i = 0; i < fuzz::kClicks && !core.closed(); ++i) {
    if (core.dialog() != DialogKind::None) core.dialogClosed();
    const int x = in.clicks[2 * i] * kGameWidth / 256, y = in.clicks[2 * i + 1] * kGameHeight / 256;
    core.pointerPress(MouseButton::Left, x, y);
    core.pointerRelease(MouseButton::Left, x, y);
    for (int t = 0; t < kTicksPerClick && core.fireNext(core.now() + 5000); ++t) {
    }
    require(core.screen().width == kGameWidth && core.screen().height == kGameHeight);
  }
  core.takeEvents();
}

DemoGame& game() {
  static DemoGame g;
  return g;
}

}  // namespace

// The demo is drawn before the first input, outside the time limit of an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  game();
  return 0;
}

// Half the mutations change only the head (flags, clicks, edits) and keep the save file
// as it is: spread over a whole save, nearly every mutation would land in the packed
// pictures, and the edits would almost never change. The other half go anywhere.
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  using fuzz::kFixedHead, fuzz::kLongestHead;
  const size_t head = fuzz::headSize({data, size});
  if (seed % 2 == 0 || size - head + kLongestHead > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  const std::vector<uint8_t> file(data + head, data + size);
  const size_t n = LLVMFuzzerMutate(data, head, kLongestHead);
  // The head's own count of edits decides where the file starts: keep it whole.
  std::vector<uint8_t> out(data, data + n);
  out.resize(std::max(out.size(), kFixedHead));
  const size_t edits = std::min<size_t>(out[kFixedHead - 1] % (fuzz::kMaxEdits + 1), (out.size() - kFixedHead) / 3);
  out[kFixedHead - 1] = static_cast<uint8_t>(edits);
  out.resize(kFixedHead + 3 * edits);
  out.insert(out.end(), file.begin(), file.end());
  std::copy(out.begin(), out.end(), data);
  return out.size();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DemoGame& g = game();
  const auto in = fuzz::readSaveInput({data, size});
  if (!in) return 0;
  std::vector<uint8_t> file(in->save.begin(), in->save.end());
  if (in->flags & fuzz::kReseal) fuzz::resealSave(file);

  auto save = decodeSaveFile(file);
  // The description read alone agrees with the whole file.
  const auto info = decodeSaveInfo(file);
  if (save.ok()) require(info.ok() && info.value() == save.value().info);
  if (!save.ok()) return 0;
  const uint32_t version = save.value().info.formatVersion;
  const auto history = decodeHistory(encodeHistory(save.value().history, version), version);
  require(history.ok() && history.value() == save.value().history);
  if (save.value().info.dataIdentity != g.identity) return 0;

  if (in->flags & fuzz::kEdit) fuzz::applyEdits(save.value().state, in->edits);
  const auto snapshot = g.core.decodeSnapshot(save.value().state, version);
  if (!snapshot.ok()) return 0;
  const auto again = g.core.decodeSnapshot(GameCore::encodeSnapshot(snapshot.value()));
  require(again.ok() && again.value().state() == snapshot.value().state());
  g.core.restore(snapshot.value());
  playOn(g.core, *in);
  return 0;
}
