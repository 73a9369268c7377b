// The saves of the game data being played, as every front end keeps them: the slots
// in the user folder, the time played, saving and loading by slot, and the autosave's
// rules. Errors are short reasons a front end shows after "Cannot save to slot 3: "
// (the slot, not the file's path, says which save is meant).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "frontend/player_aids.h"
#include "game/core.h"
#include "saves/save_game.h"
#include "saves/save_slots.h"

namespace shirakaba {

// The message without "path: " in front, where the slot says which file it is.
std::string withoutPath(const std::string& message, const std::string& path);

// Whether a slot list lets the player choose the slot: in a save list every slot but
// the autosave (only the front end writes it, when the game is left); in a load list
// every slot that holds a readable save.
bool slotChoosable(bool saving, SaveSlot slot, bool holdsReadableSave);

// The reasons GameSaves gives of its own, in the front end's language; "%1" in noData
// stands for why the game data cannot be read.
struct SaveReasons {
  std::string noData = "there is no game data (%1)";
  std::string noGame = "no game is under way yet; start or load one first";
  std::string empty = "it is empty";
};

class GameSaves {
 public:
  GameSaves(GameCore& game, std::string userDir, SaveReasons reasons = {});
  const std::string& userDir() const { return userDir_; }
  // The slots of this game data; an Error when the data cannot be read.
  Result<SaveSlots> saveSlots() const;
  // Whether a slot may take the game now: not where no game is under way (the logo,
  // the title), since a slot keeps games; else why not.
  Result<void> mayTakeSave() const;
  // With the history of pages (the aids' history().entries()); refused as
  // mayTakeSave() says.
  Result<SaveInfo> save(SaveSlot slot, std::vector<SavedPage> history);
  // Puts the game in the slot's state and counts the play time on from the save's;
  // on any error the game is unchanged. The save's history of pages into `history`.
  Result<SaveInfo> load(SaveSlot slot, std::vector<SavedPage>* history);
  // The same from a file anywhere (a save the player brought along); the front end
  // names the file as the player knows it, so errors come without its path.
  Result<SaveInfo> loadFile(const std::string& path, std::vector<SavedPage>* history);
  int64_t playTimeMs() const { return playClock_.elapsed(game_); }
  // After the game restarted from its beginning: the play time counts from zero.
  void restartPlayTime() { playClock_.resetTo(game_, 0); }

  // The autosave taken now (with the aids' history of pages), to be written when the
  // game has really been left; nothing on the logo and the title, or while the game
  // cannot be saved.
  std::optional<SaveFile> takeAutosave(const PlayerAids& aids) const;
  Result<void> writeAutosave(const SaveFile& save) const;
  // A command of the game's menu, through the aids. "おわる" shuts the game down at
  // once, after which nothing can be saved: the autosave is taken before the command
  // and given back only when the game has really ended, for the front end to write.
  std::optional<SaveFile> runMenuCommand(PlayerAids& aids, MenuId id) const;
  // Going on where the last game was left: loads the autosave (the front end says
  // why when there is none or it cannot be loaded, and the game starts as usual).
  Result<SaveInfo> continueGame(std::vector<SavedPage>* history) { return load(SaveSlot::autosave(), history); }

 private:
  GameCore& game_;
  std::string userDir_;
  SaveReasons reasons_;
  PlayClock playClock_;
};

}  // namespace shirakaba
