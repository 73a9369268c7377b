#include "app/window_saves.h"

#include <QCoreApplication>

#include "base/files.h"

namespace shirakaba {

namespace {

// The context translators see these texts in.
class Texts {
  Q_DECLARE_TR_FUNCTIONS(WindowSaves)
};

}  // namespace

std::string withoutPath(const std::string& message, const std::string& path) {
  const std::string prefix = path + ": ";
  return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

WindowSaves::WindowSaves(GameCore& game, std::string userDir) : game_(game), userDir_(std::move(userDir)) {
  playClock_.resetTo(game_, 0);
}

Result<SaveSlots> WindowSaves::saveSlots() const {
  const Result<uint64_t> identity = game_.dataIdentity();
  if (!identity) return fail(Texts::tr("there is no game data (%1)").arg(QString::fromStdString(identity.error())).toStdString());
  return SaveSlots(userDir_, identity.value());
}

Result<void> WindowSaves::mayTakeSave() const {
  if (!game_.gameUnderWay()) return fail(Texts::tr("no game is under way yet; start or load one first").toStdString());
  return {};
}

Result<SaveInfo> WindowSaves::save(SaveSlot slot, std::vector<SavedPage> history) {
  if (Result<void> may = mayTakeSave(); !may) return fail(may.error());
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  const std::string path = all->pathOf(slot);
  Result<SaveInfo> saved = saveGame(game_, path, playTimeMs(), unixMillisNow(), std::move(history));
  if (!saved) return fail(withoutPath(saved.error(), path));
  return saved;
}

Result<SaveInfo> WindowSaves::load(SaveSlot slot, std::vector<SavedPage>* history) {
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  if (!all->exists(slot)) return fail(Texts::tr("it is empty").toStdString());
  const std::string path = all->pathOf(slot);
  Result<SaveInfo> loaded = loadGame(game_, path, history);
  if (!loaded) return fail(withoutPath(loaded.error(), path));
  playClock_.resetTo(game_, loaded->playTimeMs);
  return loaded;
}

std::optional<SaveFile> WindowSaves::takeAutosave(std::vector<SavedPage> history) const {
  if (!game_.gameUnderWay() || !game_.canSave()) return std::nullopt;
  Result<SaveFile> save = takeSave(game_, playTimeMs(), unixMillisNow(), std::move(history));
  if (!save) return std::nullopt;
  return std::move(save).value();
}

Result<void> WindowSaves::writeAutosave(const SaveFile& save) const {
  const Result<SaveSlots> all = saveSlots();
  if (!all) return fail(all.error());
  if (Result<void> made = makeFolders(all->folder()); !made) return made;
  return writeSave(all->pathOf(SaveSlot::autosave()), save);
}

}  // namespace shirakaba
