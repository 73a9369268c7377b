#include "comforts/read_pages.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "base/files.h"

namespace shirakaba {

namespace fs = std::filesystem;

ReadPages::ReadPages(const std::string& userDir, uint64_t dataIdentity) {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.txt", static_cast<unsigned long long>(dataIdentity));
  path_ = (fs::path(userDir) / "read" / name).string();
  auto bytes = readFile(path_, kMaxReadRecordBytes, "a record of pages read");
  if (!bytes.ok()) return;  // none yet (or unreadable): nothing is known as read
  // One page a line; anything that is not a page number is passed over.
  std::istringstream in(std::string(bytes->begin(), bytes->end()));
  for (std::string line; std::getline(in, line);) {
    try {
      size_t used = 0;
      const int page = std::stoi(line, &used);
      if (used == line.size() && page >= 0) pages_.insert(page);
    } catch (const std::exception&) {
    }
  }
}

bool ReadPages::add(int page) {
  if (!pages_.insert(page).second) return false;
  if (path_.empty()) return true;
  std::string text;
  for (int p : pages_) text += std::to_string(p) + "\n";
  std::error_code ec;
  fs::create_directories(fs::path(path_).parent_path(), ec);
  // A failed write loses only the knowledge of what was read; the game goes on.
  (void)writeFile(path_, std::vector<uint8_t>(text.begin(), text.end()));
  return true;
}

}  // namespace shirakaba
