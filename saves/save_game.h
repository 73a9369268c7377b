// Saving the game as it is into a file, and loading one back. Both leave the game
// exactly as it was when they refuse, and a refused save leaves the old file as it was.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/result.h"
#include "game/core.h"
#include "saves/save_file.h"

namespace shirakaba {

// Time played, on the game's clock, carried on from the save last loaded.
class PlayClock {
 public:
  int64_t elapsed(const GameCore& core) const { return base_ + (core.now() - since_); }
  // From now on, counting on from `played`.
  void resetTo(const GameCore& core, int64_t played) {
    base_ = played;
    since_ = core.now();
  }

 private:
  int64_t base_ = 0;
  int64_t since_ = 0;
};

// Milliseconds since 1970-01-01 UTC.
int64_t unixMillisNow();

// The game as it is now as a save, with as much of the history of pages as a save
// keeps; an Error while a modal dialog is open, after the window has closed, without
// game data, or when the game holds what a save cannot keep (saying what).
Result<SaveFile> takeSave(const GameCore& core, int64_t playTimeMs, int64_t savedAtMs,
                          std::vector<SavedPage> history = {});
// Writes a save taken earlier to path, once its file is seen to give it back as it is:
// the old file stays until the new one is complete, and stays when the save is
// refused. The folder is made when it is missing.
Result<void> writeSave(const std::string& path, const SaveFile& save);
// Takes a save and writes it.
Result<SaveInfo> saveGame(const GameCore& core, const std::string& path, int64_t playTimeMs, int64_t savedAtMs,
                          std::vector<SavedPage> history = {});

// Reads the file, checks it and puts the game in its state; on any error the game is
// unchanged. The save's description on success, and its history of pages when asked.
Result<SaveInfo> loadGame(GameCore& core, const std::string& path, std::vector<SavedPage>* history = nullptr);
// Only the description (for lists of saves); the game state is not unpacked.
Result<SaveInfo> readSaveInfo(const std::string& path);

}  // namespace shirakaba
