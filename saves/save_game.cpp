#include "saves/save_game.h"

#include <chrono>
#include <filesystem>

#include "base/files.h"
#include "saves/thumbnail.h"

namespace shirakaba {

namespace fs = std::filesystem;

int64_t unixMillisNow() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

Result<SaveFile> takeSave(const GameCore& core, int64_t playTimeMs, int64_t savedAtMs, std::vector<SavedPage> history) {
  if (core.closed()) return fail("the game has ended");
  if (!core.canSave()) return fail("a dialog is open; close it first");
  auto identity = core.dataIdentity();
  if (!identity.ok()) return fail("there is no game data to save a game of (" + identity.error() + ")");
  const GameSnapshot snapshot = core.snapshot();
  if (auto keepable = core.checkSnapshot(snapshot); !keepable)
    return fail("the game as it is cannot be kept in a save: " + keepable.error());
  std::vector<uint8_t> state = GameCore::encodeSnapshot(snapshot);
  // Whatever is written must load: the state as a load decodes it, against the game's data.
  if (auto back = core.decodeSnapshot(state); !back) return fail("the save would not load again: " + back.error());
  auto thumb = thumbnailPng(core.screen(), core.screenVisible());
  if (!thumb.ok()) return fail("cannot make the thumbnail: " + thumb.error());
  const GameSummary summary = core.summary();
  SaveFile save;
  save.info.savedAt = savedAtMs;
  save.info.day = summary.day;
  save.info.partOfDay = summary.partOfDay;
  save.info.scene = summary.scene;
  save.info.pageLine = summary.pageLine;
  save.info.playTimeMs = playTimeMs;
  save.info.dataIdentity = identity.value();
  save.info.thumbnailPng = std::move(thumb).value();
  save.state = std::move(state);
  save.history = historyToKeep(std::move(history));
  return save;
}

namespace {

// The save in these bytes, checked as a save of this game's data, its state decoded
// against the game's tables.
Result<std::pair<SaveFile, GameSnapshot>> decodeSave(const GameCore& core, std::span<const uint8_t> bytes) {
  auto save = decodeSaveFile(bytes);
  if (!save.ok()) return fail(save.error());
  auto identity = core.dataIdentity();
  if (!identity.ok() || identity.value() != save.value().info.dataIdentity)
    return fail("this save belongs to other game data");
  auto snapshot = core.decodeSnapshot(save.value().state, save.value().info.formatVersion);
  if (!snapshot.ok()) return fail(snapshot.error());
  return std::pair(std::move(save).value(), std::move(snapshot).value());
}

Result<std::vector<uint8_t>> readSaveBytes(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return fail(path + " is a folder, not a save file");
  return readFile(path, kMaxSaveFileBytes, "a save");
}

}  // namespace

Result<void> writeSave(const std::string& path, const SaveFile& save) {
  const std::vector<uint8_t> bytes = encodeSaveFile(save);
  if (bytes.size() > kMaxSaveFileBytes)
    return fail("the save would take " + std::to_string(bytes.size()) + " bytes, more than a save may (" +
                std::to_string(kMaxSaveFileBytes) + ")");
  // Whatever is written must load: the file gives back the save as it was taken (whose
  // state takeSave has decoded), or it is refused and the old file kept.
  auto back = decodeSaveFile(bytes);
  if (!back) return fail("the save would not load again: " + back.error());
  if (back->info != save.info || back->state != save.state || back->history != save.history)
    return fail("the save would not load again: the file does not give back what was saved");
  const std::string parent = fs::path(path).parent_path().string();
  if (!parent.empty())
    if (Result<void> made = makeFolders(parent); !made) return made;
  return writeFile(path, bytes);
}

Result<SaveInfo> saveGame(const GameCore& core, const std::string& path, int64_t playTimeMs, int64_t savedAtMs,
                          std::vector<SavedPage> history) {
  auto save = takeSave(core, playTimeMs, savedAtMs, std::move(history));
  if (!save.ok()) return fail(save.error());
  if (auto written = writeSave(path, save.value()); !written) return fail(written.error());
  return std::move(save.value().info);
}


Result<SaveInfo> loadGame(GameCore& core, const std::string& path, std::vector<SavedPage>* history) {
  if (core.closed()) return fail("the game has ended");
  if (!core.canSave()) return fail("a dialog is open; close it first");
  auto bytes = readSaveBytes(path);
  if (!bytes.ok()) return fail(bytes.error());
  auto save = decodeSave(core, bytes.value());
  if (!save.ok()) return fail(path + ": " + save.error());
  core.restore(save.value().second);
  if (history) *history = std::move(save.value().first.history);
  return std::move(save.value().first.info);
}

Result<SaveInfo> readSaveInfo(const std::string& path) {
  auto bytes = readSaveBytes(path);
  if (!bytes.ok()) return fail(bytes.error());
  auto info = decodeSaveInfo(bytes.value());
  if (!info.ok()) return fail(path + ": " + info.error());
  return info;
}

}  // namespace shirakaba
