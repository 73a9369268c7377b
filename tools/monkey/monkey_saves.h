// The monkey's saves: it saves to slots and files and loads them back through the
// program's own save files (saveGame, loadGame), and tries files that must be refused.
//
// loadGame acts on a GameCore, the monkey plays a Game: a second GameCore on the same
// data takes the game's state before each save or load and, after a load, hands the
// loaded state back, exactly as a save file would carry it.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/core.h"
#include "game/game.h"
#include "tools/monkey/monkey_rng.h"

namespace shirakaba::monkey {

// One save or load, as one line of a headless replay and what it broke.
struct SaveStep {
  std::string command;  // "save slot:3", "load /tmp/…/a.sav", or a comment for a refused hostile file
  std::string broken;   // the invariant broken, or empty
  bool saved = false;   // a save that was written
};

class MonkeySaves {
 public:
  MonkeySaves(const std::string& gameDir, const std::string& userDir);

  // Saves the game into a random slot or file, stamped savedAt.
  SaveStep save(const Game& game, MonkeyRng& rng, int64_t savedAt);
  // Loads the save just written, at once: the game must come back exactly as saved.
  SaveStep loadLast(Game& game);
  // Loads one of the saves written before, or now and then an empty slot.
  SaveStep loadSaved(Game& game, MonkeyRng& rng);
  // Tries a file that must be refused: missing, empty, a folder, cut, one byte changed,
  // garbage, a save of other game data, a save of a newer format.
  SaveStep loadHostile(const Game& game, MonkeyRng& rng);

  // How often each kind of save and load was done.
  const std::map<std::string, uint64_t>& counts() const { return counts_; }

 private:
  struct Kept {
    GameSnapshot state;
    std::string name;  // as a replay names it: "slot:3" or the path
  };
  SaveStep load(Game& game, const std::string& path, const std::string& name);
  // The core takes the game's state; what it was given.
  GameSnapshot handOver(const Game& game);
  // What a refused load changed in the core, or empty.
  std::string refusedUnchanged(const GameSnapshot& given, const std::string& what);
  std::vector<uint8_t> goodSaveBytes();

  GameCore core_;
  std::string userDir_;
  uint64_t identity_ = 0;
  std::map<std::string, Kept> saved_;  // path -> the state it holds
  std::string lastPath_;
  int nextHostile_ = 0;
  std::map<std::string, uint64_t> counts_;
};

// ---- Hostile files, from a good save's bytes ----
// The CRC trailer made right again after the bytes before it changed.
void resealSave(std::vector<uint8_t>& save);
// The save with its INFO chunk naming other game data (resealed); empty without INFO.
std::vector<uint8_t> withOtherIdentity(std::vector<uint8_t> save, uint64_t identity);
// The save with another format version (resealed).
std::vector<uint8_t> withFormatVersion(std::vector<uint8_t> save, uint32_t version);

}  // namespace shirakaba::monkey
