#include "frontend/readme_text.h"

#include <cstdint>
#include <vector>

#include "base/cp932.h"
#include "base/files.h"

namespace shirakaba {

// A readme is a few pages of text; a larger file is not one.
constexpr uint64_t kMaxReadmeBytes = 1 << 20;

std::string readmeText(const std::string& path) {
  const Result<std::vector<uint8_t>> read = readFile(path, kMaxReadmeBytes, "a readme");
  if (!read) return {};
  std::string bytes(read->begin(), read->end());
  if (size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  std::string text;
  size_t start = 0;
  const auto addLine = [&](size_t end) {
    if (start > 0) text += '\n';
    text += cp932ToUtf8(bytes.substr(start, end - start));
  };
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    addLine(i);
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) addLine(bytes.size());
  return text;
}

}  // namespace shirakaba
