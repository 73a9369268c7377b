// Which pages of the script the player has read, kept per game data in the user
// folder, so that skipping "read" pages knows them again after a restart.
#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "base/result.h"

namespace shirakaba {

// The most the file may hold: about a million pages, far more than any script has.
constexpr uint64_t kMaxReadRecordBytes = 8 << 20;

class ReadPages {
 public:
  // Kept in memory only.
  ReadPages() = default;
  // Kept in USERDIR/read/<identity>.txt: read from there now, written on every change.
  ReadPages(const std::string& userDir, uint64_t dataIdentity);

  bool contains(int page) const { return pages_.count(page) != 0; }
  // Marks the page read; true when it was not before. The file gets the pages that
  // another game running at the same time wrote to it too.
  bool add(int page);
  // Marks read every page the other record holds, with one write.
  void addAll(const ReadPages& other);
  size_t size() const { return pages_.size(); }
  const std::string& path() const { return path_; }
  // Why the file cannot be read or written, once: the next failure after a write
  // that worked is told again. The game goes on either way.
  std::optional<std::string> takeProblem() { return std::exchange(problem_, std::nullopt); }

 private:
  Result<void> write();
  void note(const Result<void>& written);

  std::set<int> pages_;
  std::string path_;  // empty: not kept in a file
  std::optional<std::string> problem_;
  bool told_ = false;
};

}  // namespace shirakaba
