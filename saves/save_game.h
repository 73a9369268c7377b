// Saving the game as it is into a file, and loading one back. Both leave the game
// exactly as it was when they refuse.
#pragma once
#include <cstdint>
#include <string>

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

// The game as it is now as a save; an Error while a modal dialog is open, after the
// window has closed, or without game data.
Result<SaveFile> takeSave(const GameCore& core, int64_t playTimeMs, int64_t savedAtMs);
// Takes a save and writes it to path (safely: the old file stays until the new one is
// complete). The folder is made when it is missing.
Result<SaveInfo> saveGame(const GameCore& core, const std::string& path, int64_t playTimeMs, int64_t savedAtMs);

// Reads the file and checks it as a save of this game's data.
Result<SaveFile> readSave(const GameCore& core, const std::string& path);
// Reads the file, checks it and puts the game in its state; on any error the game is
// unchanged. The save's description on success.
Result<SaveInfo> loadGame(GameCore& core, const std::string& path);
// Only the description (for lists of saves); the game state is not unpacked.
Result<SaveInfo> readSaveInfo(const std::string& path);

}  // namespace shirakaba
