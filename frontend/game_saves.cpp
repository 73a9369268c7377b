#include "frontend/game_saves.h"

#include "base/files.h"

namespace shirakaba {

std::string withoutPath(const std::string& message, const std::string& path) {
  const std::string prefix = path + ": ";
  return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

bool slotChoosable(bool saving, SaveSlot slot, bool holdsReadableSave) {
  if (saving) return slot.kind != SaveSlot::Auto;
  return holdsReadableSave;
}

GameSaves::GameSaves(GameCore& game, std::string userDir, SaveReasons reasons)
    : game_(game), userDir_(std::move(userDir)), reasons_(std::move(reasons)) {
  playClock_.resetTo(game_, 0);
}

Result<SaveSlots> GameSaves::saveSlots() const {
  const Result<uint64_t> identity = game_.dataIdentity();
  if (!identity) {
    std::string reason = reasons_.noData;
    if (const size_t at = reason.find("%1"); at != std::string::npos) reason.replace(at, 2, identity.error());
    return fail(reason);
  }
  return SaveSlots(userDir_, identity.value());
}

Result<void> GameSaves::mayTakeSave() const {
  if (!game_.gameUnderWay()) return fail(reasons_.noGame);
  return {};
}

Result<SaveInfo> GameSaves::save(SaveSlot slot, std::vector<SavedPage> history) {
  if (Result<void> may = mayTakeSave(); !may) return fail(may.error());
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  const std::string path = all->pathOf(slot);
  Result<SaveInfo> saved = saveGame(game_, path, playTimeMs(), unixMillisNow(), std::move(history));
  if (!saved) return fail(withoutPath(saved.error(), path));
  return saved;
}

Result<SaveInfo> GameSaves::load(SaveSlot slot, std::vector<SavedPage>* history) {
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  if (!all->exists(slot)) return fail(reasons_.empty);
  return loadFile(all->pathOf(slot), history);
}

Result<SaveInfo> GameSaves::loadFile(const std::string& path, std::vector<SavedPage>* history) {
  Result<SaveInfo> loaded = loadGame(game_, path, history);
  if (!loaded) return fail(withoutPath(loaded.error(), path));
  playClock_.resetTo(game_, loaded->playTimeMs);
  return loaded;
}

std::optional<SaveFile> GameSaves::takeAutosave(const PlayerAids& aids) const {
  if (!game_.gameUnderWay() || !game_.canSave()) return std::nullopt;
  Result<SaveFile> save = takeSave(game_, playTimeMs(), unixMillisNow(), aids.comforts().history().entries());
  if (!save) return std::nullopt;
  return std::move(save).value();
}

Result<void> GameSaves::writeAutosave(const SaveFile& save) const {
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  if (Result<void> made = makeFolders(all->folder()); !made) return made;
  return writeSave(all->pathOf(SaveSlot::autosave()), save);
}

std::optional<SaveFile> GameSaves::runMenuCommand(PlayerAids& aids, MenuId id) const {
  std::optional<SaveFile> autosave;
  if (id == MenuId::Exit_Btn) autosave = takeAutosave(aids);
  aids.comforts().menuCommand(id);
  if (!game_.closed()) return std::nullopt;
  return autosave;
}

}  // namespace shirakaba
