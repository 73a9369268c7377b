#include "tools/monkey/monkey_saves.h"

#include <zlib.h>

#include <filesystem>
#include <iterator>

#include "base/byte_reader.h"
#include "base/files.h"
#include "saves/save_file.h"
#include "saves/save_game.h"
#include "saves/save_slots.h"

namespace shirakaba::monkey {

namespace fs = std::filesystem;

namespace {

constexpr size_t kHeadSize = 12;  // magic and format version
constexpr uint8_t kMagic[8] = {'S', 'K', 'B', 'S', 'A', 'V', 'E', 0x1A};

void poke32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

enum class Hostile { Missing, Empty, Folder, Cut, Altered, Garbage, OtherData, Newer, kCount };
constexpr const char* kHostileNames[] = {"missing", "empty",   "folder",     "cut",
                                         "altered", "garbage", "other data", "newer"};

std::vector<uint8_t> garbage(MonkeyRng& rng) {
  std::vector<uint8_t> b;
  // Half of it passes for a save up to its checksum.
  if (rng.chance(500)) {
    b.assign(std::begin(kMagic), std::end(kMagic));
    b.insert(b.end(), {static_cast<uint8_t>(kSaveFormatVersion), 0, 0, 0});
  }
  for (int n = rng.range(0, 2048); n > 0; --n) b.push_back(static_cast<uint8_t>(rng.below(256)));
  return b;
}

// What was under way when a save was taken, for the counts; empty for a still screen.
std::string momentOf(const Game& g) {
  if (g.engine.Cha_Timer.Enabled()) return "during a transition";
  if (g.engine.CG_Timer.Enabled()) return "during a pan";  // none in this game: its CGs do not pan
  if (g.engine.J_Timer.Enabled()) return "during a job";
  if (g.state.shell.GameMode == GameMode::Talk) return "in a conversation";
  if (g.state.shell.GameMode == GameMode::Scene) return "in a scene";
  return {};
}

}  // namespace

void resealSave(std::vector<uint8_t>& save) {
  if (save.size() < 4) return;
  const size_t body = save.size() - 4;
  poke32(save, body, static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), save.data(), static_cast<uInt>(body))));
}

std::vector<uint8_t> withOtherIdentity(std::vector<uint8_t> save, uint64_t identity) {
  if (save.size() < kHeadSize + 4) return {};
  ByteReader in(std::span<const uint8_t>(save).subspan(kHeadSize, save.size() - kHeadSize - 4));
  while (in.ok() && in.remaining() > 0) {
    const auto tag = in.take(4);
    const size_t start = kHeadSize + in.position() + 4;
    const auto payload = in.take(in.u32());
    if (!in.ok() || std::string(tag.begin(), tag.end()) != "INFO") continue;
    // savedAt, day, part of the day, scene, play time, then the identity.
    ByteReader info(payload);
    info.take(12);
    info.take(info.u32());
    info.take(info.u32());
    info.take(8);
    const size_t at = start + info.position();
    if (!info.ok() || info.remaining() < 8) return {};
    poke32(save, at, static_cast<uint32_t>(identity));
    poke32(save, at + 4, static_cast<uint32_t>(identity >> 32));
    resealSave(save);
    return save;
  }
  return {};
}

std::vector<uint8_t> withFormatVersion(std::vector<uint8_t> save, uint32_t version) {
  if (save.size() < kHeadSize + 4) return save;
  poke32(save, sizeof kMagic, version);
  resealSave(save);
  return save;
}

MonkeySaves::MonkeySaves(const std::string& gameDir, const std::string& userDir)
    : core_(GameSetup{gameDir, 0, nullptr}), userDir_(userDir) {
  core_.start();  // reads the script, whose length bounds the script cursor of a save
  const auto identity = core_.dataIdentity();
  identity_ = identity.ok() ? identity.value() : 0;
}

SaveStep MonkeySaves::save(const Game& game, MonkeyRng& rng, int64_t savedAt) {
  std::string path, name;
  if (rng.chance(700)) {
    const SaveSlot slot = allSaveSlots()[rng.below(kNumberedSlots + 2)];
    path = SaveSlots(userDir_, identity_).pathOf(slot);
    name = "slot:" + slotName(slot);
  } else {
    path = name = (fs::path(userDir_) / "files" / ("game" + std::to_string(rng.below(3)) + ".sav")).string();
  }
  SaveStep step{"save " + name, {}, false};
  const GameSnapshot given = handOver(game);
  const bool possible = core_.canSave() && identity_ != 0;
  const auto saved = saveGame(core_, path, game.engine.clock.now(), savedAt);
  if (saved.ok() != possible) {
    step.broken = possible ? "a save was refused: " + saved.error() : "a save was written while it could not be";
    return step;
  }
  if (!saved.ok()) {
    ++counts_["save refused"];
    return step;
  }
  ++counts_[name.rfind("slot:", 0) == 0 ? "save to a slot" : "save to a file"];
  if (const std::string moment = momentOf(game); !moment.empty()) ++counts_["saved " + moment];
  saved_[path] = {given, name};
  lastPath_ = path;
  step.saved = true;
  return step;
}

SaveStep MonkeySaves::loadLast(Game& game) {
  ++counts_["load at once"];
  return load(game, lastPath_, saved_.at(lastPath_).name);
}

SaveStep MonkeySaves::loadSaved(Game& game, MonkeyRng& rng) {
  const std::vector<SaveSlot> slots = allSaveSlots();
  if (saved_.empty() || rng.chance(100)) {
    // An empty slot, when one is left.
    const int from = rng.below(static_cast<int>(slots.size()));
    for (size_t i = 0; i < slots.size(); ++i) {
      const SaveSlot slot = slots[(from + i) % slots.size()];
      const std::string path = SaveSlots(userDir_, identity_).pathOf(slot);
      if (saved_.count(path)) continue;
      ++counts_["load an empty slot"];
      return load(game, path, "slot:" + slotName(slot));
    }
  }
  ++counts_["load"];
  const auto& [path, kept] = *std::next(saved_.begin(), rng.below(static_cast<int>(saved_.size())));
  return load(game, path, kept.name);
}

SaveStep MonkeySaves::load(Game& game, const std::string& path, const std::string& name) {
  const auto kept = saved_.find(path);
  SaveStep step{"load " + name, {}, false};
  const GameSnapshot given = handOver(game);
  const bool possible = core_.canSave() && kept != saved_.end();
  const auto loaded = loadGame(core_, path);
  if (!loaded.ok()) {
    step.broken = possible ? "a good save was refused: " + loaded.error() : refusedUnchanged(given, "load of " + name);
    if (step.broken.empty()) ++counts_["load refused"];
    return step;
  }
  const GameSnapshot now = core_.snapshot();
  if (!possible) {
    step.broken = "a load of " + name + " was accepted while it could not be";
  } else if (!(now == kept->second.state)) {
    step.broken = "the game loaded from " + name + " differs from the game saved there";
  } else if (!(core_.screen() == kept->second.state.state().surfaces.ImageBa)) {
    step.broken = "the screen loaded from " + name + " differs from the screen saved there";
  }
  game.restore(now.state());
  return step;
}

SaveStep MonkeySaves::loadHostile(const Game& game, MonkeyRng& rng) {
  // Each kind in turn, so that even a short walk tries them all.
  auto kind = static_cast<Hostile>(nextHostile_++ % static_cast<int>(Hostile::kCount));
  const fs::path dir = fs::path(userDir_) / "hostile";
  std::error_code ec;
  fs::create_directories(dir, ec);
  const GameSnapshot given = handOver(game);
  std::vector<uint8_t> bytes;
  if (kind >= Hostile::Cut && kind != Hostile::Garbage) {
    bytes = goodSaveBytes();
    if (bytes.empty()) kind = Hostile::Garbage;  // no save can be taken now
  }
  const std::string what = kHostileNames[static_cast<int>(kind)];
  const fs::path path = dir / (what + ".sav");
  fs::remove_all(path, ec);
  switch (kind) {
    case Hostile::Missing: break;
    case Hostile::Folder: fs::create_directories(path, ec); break;
    case Hostile::Empty: bytes.clear(); break;
    case Hostile::Cut: bytes.resize(rng.below(static_cast<int>(bytes.size()))); break;
    case Hostile::Altered:
      bytes[rng.below(static_cast<int>(bytes.size()))] ^= static_cast<uint8_t>(rng.range(1, 255));
      break;
    case Hostile::Garbage: bytes = garbage(rng); break;
    case Hostile::OtherData: bytes = withOtherIdentity(std::move(bytes), identity_ ^ (rng.next() | 1)); break;
    case Hostile::Newer: bytes = withFormatVersion(std::move(bytes), kSaveFormatVersion + 1 + rng.below(1000)); break;
    case Hostile::kCount: break;
  }
  if (kind != Hostile::Missing && kind != Hostile::Folder) (void)writeFile(path.string(), bytes);

  SaveStep step{"# load of a hostile file (" + what + "), refused", {}, false};
  const auto loaded = loadGame(core_, path.string());
  if (loaded.ok()) {
    step.broken = "a hostile save file (" + what + ") was loaded";
    return step;
  }
  step.broken = refusedUnchanged(given, "load of a hostile file (" + what + ")");
  ++counts_["hostile " + what];
  return step;
}

GameSnapshot MonkeySaves::handOver(const Game& game) {
  GameSnapshot given(game.snapshot());
  core_.restore(given);
  return given;
}

std::string MonkeySaves::refusedUnchanged(const GameSnapshot& given, const std::string& what) {
  if (!(core_.snapshot() == given)) return "a refused " + what + " changed the game";
  if (!(core_.screen() == given.state().surfaces.ImageBa)) return "a refused " + what + " changed the screen";
  return {};
}

// The last save written, or one taken now; empty when none can be taken.
std::vector<uint8_t> MonkeySaves::goodSaveBytes() {
  if (!lastPath_.empty()) {
    auto bytes = readFile(lastPath_, kMaxSaveFileBytes);
    if (bytes.ok()) return std::move(bytes).value();
  }
  auto save = takeSave(core_, 0, 0);
  return save.ok() ? encodeSaveFile(save.value()) : std::vector<uint8_t>{};
}

}  // namespace shirakaba::monkey
