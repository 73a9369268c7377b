// The window's saves: the slots of the game data being played, kept in the user
// folder, the time played, and saving and loading by slot. Errors are short reasons
// for the title bar (the slot, not the file's path, says which save is meant).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "game/core.h"
#include "saves/save_game.h"
#include "saves/save_slots.h"

namespace shirakaba {

// The message without "path: " in front, where the slot says which file it is.
std::string withoutPath(const std::string& message, const std::string& path);

class WindowSaves {
 public:
  WindowSaves(GameCore& game, std::string userDir);
  const std::string& userDir() const { return userDir_; }
  // The slots of this game data; an Error when the data cannot be read.
  Result<SaveSlots> saveSlots() const;
  // Whether a slot may take the game now: not where no game is under way (the logo,
  // the title), since a slot keeps games; else why not.
  Result<void> mayTakeSave() const;
  // With the history of pages that led to the screen; refused as mayTakeSave() says.
  Result<SaveInfo> save(SaveSlot slot, std::vector<SavedPage> history);
  // Puts the game in the slot's state and counts the play time on from the save's;
  // `history` gets the save's history of pages. On any error the game is unchanged.
  Result<SaveInfo> load(SaveSlot slot, std::vector<SavedPage>* history);
  int64_t playTimeMs() const { return playClock_.elapsed(game_); }

  // The autosave taken now, to be written when the game has really ended; nothing
  // on the logo and the title, or while the game cannot be saved.
  std::optional<SaveFile> takeAutosave(std::vector<SavedPage> history) const;
  Result<void> writeAutosave(const SaveFile& save) const;

 private:
  GameCore& game_;
  std::string userDir_;
  PlayClock playClock_;
};

}  // namespace shirakaba
