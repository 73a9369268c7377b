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

Result<SaveFile> takeSave(const GameCore& core, int64_t playTimeMs, int64_t savedAtMs) {
  if (core.closed()) return fail("the game has ended");
  if (!core.canSave()) return fail("a dialog is open; close it first");
  auto identity = core.dataIdentity();
  if (!identity.ok()) return fail("there is no game data to save a game of (" + identity.error() + ")");
  auto thumb = thumbnailPng(core.screen(), core.screenVisible());
  if (!thumb.ok()) return fail("cannot make the thumbnail: " + thumb.error());
  const GameSummary summary = core.summary();
  SaveFile save;
  save.info.savedAt = savedAtMs;
  save.info.day = summary.day;
  save.info.partOfDay = summary.partOfDay;
  save.info.scene = summary.scene;
  save.info.playTimeMs = playTimeMs;
  save.info.dataIdentity = identity.value();
  save.info.thumbnailPng = std::move(thumb).value();
  save.state = GameCore::encodeSnapshot(core.snapshot());
  return save;
}

Result<SaveInfo> saveGame(const GameCore& core, const std::string& path, int64_t playTimeMs, int64_t savedAtMs) {
  auto save = takeSave(core, playTimeMs, savedAtMs);
  if (!save.ok()) return fail(save.error());
  std::error_code ec;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  if (ec) return fail("cannot make the folder " + parent.string() + ": " + ec.message());
  auto written = writeFile(path, encodeSaveFile(save.value()));
  if (!written.ok()) return fail(written.error());
  return std::move(save.value().info);
}

namespace {

Result<std::vector<uint8_t>> readSaveBytes(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return fail(path + " is a folder, not a save file");
  return readFile(path, 64 << 20, "a save");
}

}  // namespace

Result<SaveFile> readSave(const GameCore& core, const std::string& path) {
  auto bytes = readSaveBytes(path);
  if (!bytes.ok()) return fail(bytes.error());
  auto save = decodeSaveFile(bytes.value());
  if (!save.ok()) return fail(path + ": " + save.error());
  auto identity = core.dataIdentity();
  if (!identity.ok() || identity.value() != save.value().info.dataIdentity)
    return fail(path + ": this save belongs to other game data");
  return save;
}

Result<SaveInfo> loadGame(GameCore& core, const std::string& path) {
  if (core.closed()) return fail("the game has ended");
  if (!core.canSave()) return fail("a dialog is open; close it first");
  auto save = readSave(core, path);
  if (!save.ok()) return fail(save.error());
  auto snapshot = core.decodeSnapshot(save.value().state);
  if (!snapshot.ok()) return fail(path + ": " + snapshot.error());
  core.restore(snapshot.value());
  return std::move(save.value().info);
}

Result<SaveInfo> readSaveInfo(const std::string& path) {
  auto bytes = readSaveBytes(path);
  if (!bytes.ok()) return fail(bytes.error());
  auto info = decodeSaveInfo(bytes.value());
  if (!info.ok()) return fail(path + ": " + info.error());
  return info;
}

}  // namespace shirakaba
