// The history of pages: the pages shown and the choices taken on the way to the screen
// shown, the oldest first, as many as a save keeps. Copies share their entries, so that
// every rollback point can keep the history as it was there at little cost.
#pragma once
#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "saves/save_history.h"

namespace shirakaba {

// A page's lines and its key (GameCore::pageKey), or the one text of a choice taken.
using HistoryEntry = SavedPage;

class PageHistory {
 public:
  static constexpr size_t kMaxEntries = kMaxSavedPages;

  PageHistory() = default;
  // The newest kMaxEntries of these.
  explicit PageHistory(const std::vector<HistoryEntry>& entries);

  // The oldest entry goes when there are more than kMaxEntries.
  void add(HistoryEntry entry);
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const HistoryEntry& operator[](size_t i) const { return *entries_[i]; }
  const HistoryEntry& back() const { return *entries_.back(); }
  std::vector<HistoryEntry> entries() const;
  // Whether both hold the very entries one added (as copies of one another do): a
  // cheap look for whoever shows a history and shows it again only when it changed.
  bool sameEntries(const PageHistory& other) const { return entries_ == other.entries_; }

 private:
  std::deque<std::shared_ptr<const HistoryEntry>> entries_;
};

}  // namespace shirakaba
