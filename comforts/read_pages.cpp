#include "comforts/read_pages.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "base/files.h"

namespace shirakaba {

namespace {

// One page a line; anything that is not a page number is passed over.
std::set<int> pagesIn(const std::vector<uint8_t>& bytes) {
  std::set<int> pages;
  const char* p = reinterpret_cast<const char*>(bytes.data());
  const char* const end = p + bytes.size();
  while (p < end) {
    const char* eol = std::find(p, end, '\n');
    int page = -1;
    const auto [used, ec] = std::from_chars(p, eol, page);
    if (ec == std::errc() && used == eol && page >= 0) pages.insert(page);
    p = eol == end ? end : eol + 1;
  }
  return pages;
}

// The pages in the file; none when there is no file yet.
Result<std::set<int>> readRecord(const std::string& path) {
  if (!anythingAt(path)) return std::set<int>{};
  const Result<std::vector<uint8_t>> bytes = readFile(path, kMaxReadRecordBytes, "a record of pages read");
  if (!bytes) return fail(bytes.error());
  return pagesIn(bytes.value());
}

}  // namespace

ReadPages::ReadPages(const std::string& userDir, uint64_t dataIdentity) {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.txt", static_cast<unsigned long long>(dataIdentity));
  path_ = (std::filesystem::path(userDir) / "read" / name).string();
  Result<std::set<int>> kept = readRecord(path_);
  if (kept) pages_ = std::move(kept).value();
  else note(fail(kept.error()));  // nothing is known as read
}

bool ReadPages::add(int page) {
  if (!pages_.insert(page).second) return false;
  if (!path_.empty()) note(write());
  return true;
}

void ReadPages::addAll(const ReadPages& other) {
  const size_t before = pages_.size();
  pages_.insert(other.pages_.begin(), other.pages_.end());
  if (pages_.size() != before && !path_.empty()) note(write());
}

Result<void> ReadPages::write() {
  // A file that cannot be read is left as it is: it may hold pages we do not know.
  Result<std::set<int>> onDisk = readRecord(path_);
  if (!onDisk) return fail(onDisk.error());
  pages_.merge(onDisk.value());
  std::string text;
  for (int p : pages_) text += std::to_string(p) + "\n";
  if (text.size() > kMaxReadRecordBytes)
    return fail("cannot write " + path_ + ": " + tooLarge("it", text.size(), kMaxReadRecordBytes, "a record of pages read"));
  if (Result<void> made = makeFolders(std::filesystem::path(path_).parent_path().string()); !made) return made;
  return writeFile(path_, std::vector<uint8_t>(text.begin(), text.end()));
}

void ReadPages::note(const Result<void>& written) {
  if (written) {
    told_ = false;
  } else if (!told_) {
    problem_ = written.error();
    told_ = true;
  }
}

}  // namespace shirakaba
