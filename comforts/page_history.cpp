#include "comforts/page_history.h"

namespace shirakaba {

PageHistory::PageHistory(const std::vector<HistoryEntry>& entries) {
  for (const HistoryEntry& e : entries) add(e);
}

void PageHistory::add(HistoryEntry entry) {
  entries_.push_back(std::make_shared<const HistoryEntry>(std::move(entry)));
  if (entries_.size() > kMaxEntries) entries_.pop_front();
}

std::vector<HistoryEntry> PageHistory::entries() const {
  std::vector<HistoryEntry> all;
  all.reserve(entries_.size());
  for (const auto& e : entries_) all.push_back(*e);
  return all;
}

}  // namespace shirakaba
