#include "saves/save_history.h"

#include <algorithm>

#include "base/field_check.h"
#include "base/field_codec.h"

namespace shirakaba {

std::vector<uint8_t> encodeHistory(const std::vector<SavedPage>& pages, uint32_t version) {
  std::vector<uint8_t> out;
  FieldWriter writer(out, version);
  historyFields(writer, pages);
  return out;
}

Result<std::vector<SavedPage>> decodeHistory(std::span<const uint8_t> bytes, uint32_t version) {
  std::vector<SavedPage> pages;
  ByteReader in(bytes);
  FieldReader reader(in, version);
  historyFields(reader, pages);
  if (!in.ok()) return fail("cut short or malformed at " + reader.failedAt());
  if (in.remaining() != 0) return fail("data after its end");
  FieldChecker checker;
  historyFields(checker, pages);
  if (checker.problem()) return fail(*checker.problem());
  return pages;
}

std::vector<SavedPage> historyToKeep(std::vector<SavedPage> pages) {
  std::erase_if(pages, [](const SavedPage& p) {
    const std::vector<SavedPage> alone{p};
    FieldChecker checker;
    historyFields(checker, alone);
    return checker.problem().has_value();
  });
  if (pages.size() > kMaxSavedPages) pages.erase(pages.begin(), pages.end() - kMaxSavedPages);
  size_t bytes = encodeHistory(pages).size();
  size_t drop = 0;
  while (bytes > kMaxHistoryBytes) bytes -= encodeHistory({pages[drop++]}).size() - 4;  // less the count
  pages.erase(pages.begin(), pages.begin() + static_cast<std::ptrdiff_t>(drop));
  return pages;
}

}  // namespace shirakaba
