#include "saves/save_slots.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/files.h"
#include "saves/save_game.h"

namespace shirakaba {

namespace fs = std::filesystem;

std::optional<SaveSlot> parseSaveSlot(const std::string& name) {
  if (name == "quick") return SaveSlot::quick();
  if (name == "auto") return SaveSlot::autosave();
  if (name.empty() || name.size() > 2 || name.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const int n = std::stoi(name);
  if (n < 1 || n > kNumberedSlots) return std::nullopt;
  return SaveSlot::numbered(n);
}

std::string slotName(SaveSlot slot) {
  switch (slot.kind) {
    case SaveSlot::Quick: return "quick";
    case SaveSlot::Auto: return "auto";
    case SaveSlot::Numbered: break;
  }
  return std::to_string(slot.number);
}

std::vector<SaveSlot> allSaveSlots() {
  std::vector<SaveSlot> all{SaveSlot::quick(), SaveSlot::autosave()};
  for (int n = 1; n <= kNumberedSlots; ++n) all.push_back(SaveSlot::numbered(n));
  return all;
}

std::string defaultUserDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return (fs::path(xdg) / "shirakaba").string();
  const char* home = std::getenv("HOME");
  return (fs::path(home && *home ? home : ".") / ".local" / "share" / "shirakaba").string();
}

SaveSlots::SaveSlots(std::string userDir, uint64_t dataIdentity) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(dataIdentity));
  folder_ = (fs::path(userDir) / "saves" / hex).string();
}

std::string SaveSlots::pathOf(SaveSlot slot) const {
  std::string file;
  switch (slot.kind) {
    case SaveSlot::Quick: file = "quick.sav"; break;
    case SaveSlot::Auto: file = "auto.sav"; break;
    case SaveSlot::Numbered: {
      char name[16];
      std::snprintf(name, sizeof name, "slot%02d.sav", slot.number);
      file = name;
      break;
    }
  }
  return (fs::path(folder_) / file).string();
}

bool SaveSlots::exists(SaveSlot slot) const { return anythingAt(pathOf(slot)); }

Result<SaveInfo> SaveSlots::info(SaveSlot slot) const {
  if (!exists(slot)) return fail("slot " + slotName(slot) + " is empty");
  return readSaveInfo(pathOf(slot));
}

Result<void> SaveSlots::remove(SaveSlot slot) const { return removeFile(pathOf(slot)); }

}  // namespace shirakaba
