// The saves a player keeps in the user folder: twelve numbered slots, the quick slot
// and the autosave, in a folder of their own for each game data (so that a save of
// another game or translation never shows up among this one's).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "saves/save_file.h"

namespace shirakaba {

constexpr int kNumberedSlots = 12;

struct SaveSlot {
  enum Kind { Numbered, Quick, Auto } kind = Numbered;
  int number = 1;  // 1..12 for Numbered
  bool operator==(const SaveSlot&) const = default;
  static SaveSlot quick() { return {Quick, 0}; }
  static SaveSlot autosave() { return {Auto, 0}; }
  static SaveSlot numbered(int n) { return {Numbered, n}; }
};

// "quick", "auto", "1".."12"; nothing for anything else.
std::optional<SaveSlot> parseSaveSlot(const std::string& name);
std::string slotName(SaveSlot slot);
// Every slot in the order a list shows them: the quick slot, the autosave, 1..12.
std::vector<SaveSlot> allSaveSlots();

// The user folder when none is given: $XDG_DATA_HOME/shirakaba, else
// ~/.local/share/shirakaba (the window uses its toolkit's own per-user folder instead).
std::string defaultUserDir();

class SaveSlots {
 public:
  SaveSlots(std::string userDir, uint64_t dataIdentity);
  // USERDIR/saves/<identity as 16 hex digits>
  const std::string& folder() const { return folder_; }
  std::string pathOf(SaveSlot slot) const;
  bool exists(SaveSlot slot) const;
  // The slot's description; an Error when it is empty or its file is not a good save.
  Result<SaveInfo> info(SaveSlot slot) const;
  Result<void> remove(SaveSlot slot) const;

 private:
  std::string folder_;
};

}  // namespace shirakaba
