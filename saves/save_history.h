// The pages read and the choices taken, as a save keeps them, so that a loaded game
// has its history. The player's aids keep their own history above the saves; this is
// its plain form in a save.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/fields.h"

namespace shirakaba {

struct SavedPage {
  std::vector<std::string> lines;  // a page's lines, or the text of the choice taken
  bool choice = false;
  int32_t page = -1;               // the page's key (GameCore::pageKey); -1 for a choice
  bool operator==(const SavedPage&) const = default;
};

// The most entries a save keeps, the newest last.
constexpr size_t kMaxSavedPages = 200;
// The most bytes the entries take in a save, unpacked.
constexpr uint32_t kMaxHistoryBytes = 16u << 20;

template <typename V, typename H>
void historyFields(V& v, H& pages) {
  v.records(Field("history").since(2).within(0, kMaxSavedPages), pages, [&](auto& p) {
    // A choice is its one text and no page; a page has its key and its lines.
    v(Field("choice"), p.choice);
    v(Field("page").within(p.choice ? -1 : 0, p.choice ? -1 : std::numeric_limits<int32_t>::max()), p.page);
    v(Field("lines").within(p.choice ? 1 : 0, p.choice ? 1 : kMaxTextLines), p.lines);
  });
}

// The history as the bytes of a save of format `version`, and back (an Error saying
// which entry is damaged).
std::vector<uint8_t> encodeHistory(const std::vector<SavedPage>& pages, uint32_t version = kSaveFormatVersion);
Result<std::vector<SavedPage>> decodeHistory(std::span<const uint8_t> bytes, uint32_t version);
// The newest entries a save can keep: those it could load again, at most
// kMaxSavedPages of them in at most kMaxHistoryBytes.
std::vector<SavedPage> historyToKeep(std::vector<SavedPage> pages);

}  // namespace shirakaba
