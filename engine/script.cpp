// The script store: reading the script block, the line grammar and the lookups
// by label and by name. Lookups fold only A-Z, so kana, kanji and full-width
// letters compare exactly.
#include "engine/script.h"

#include <limits>
#include <string_view>

#include "base/cp932.h"
#include "base/stream.h"
#include "base/utf8.h"

namespace shirakaba {

namespace {

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte index of the first "=", or npos. CP932 trail bytes are 0x40 or above and
// UTF-8 continuation bytes 0x80 or above, so a "=" byte is always a whole character.
size_t firstEquals(const std::string& line) { return line.find('='); }

}  // namespace

const std::string& ScriptLines::at(int i) const {
  static const std::string empty;
  return i >= 0 && i < count() ? lines[static_cast<size_t>(i)] : empty;
}

int ScriptLines::indexOf(const std::string& text) const {
  for (int i = 0; i < count(); ++i)
    if (equalsFolded(lines[static_cast<size_t>(i)], text)) return i;
  return -1;
}

bool ScriptLines::valueOf(const std::string& name, std::string& value) const {
  for (const std::string& line : lines) {
    if (!isCommandLine(line)) continue;
    const size_t eq = firstEquals(line);
    if (eq != name.size()) continue;
    if (!equalsFolded(line.substr(0, eq), name)) continue;
    value = line.substr(eq + 1);
    return true;
  }
  return false;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> out;
  const size_t end = text.find('\0');
  const size_t n = end == std::string::npos ? text.size() : end;
  size_t i = 0;
  while (i < n) {
    size_t j = i;
    while (j < n && text[j] != '\r' && text[j] != '\n') ++j;
    out.emplace_back(text, i, j - i);
    if (j < n && text[j] == '\r') ++j;
    if (j < n && text[j] == '\n') ++j;
    i = j;
  }
  return out;
}

std::string decodeScriptBlock(const std::string& bytes) {
  // Every original block is CP932, and none begins with these bytes: in CP932 they
  // would be an unassigned pair.
  if (startsWithUtf8Bom(bytes)) return sanitizeUtf8(bytes.substr(kUtf8Bom.size()));
  return cp932ToUtf8(bytes);
}

bool LoadScript(const PackFile& pack, ScriptLines& lines) {
  lines.clear();
  auto opened = pack.open();
  if (!opened.ok()) return false;
  Stream& s = *opened.value();
  if (!s.seek(static_cast<uint64_t>(ScriptOffset))) return false;
  // The NUL ends the text before decoding: it is never part of a CP932 or UTF-8 character.
  // Read in chunks up to it, as a sparse pack may claim far more bytes than it holds.
  std::string bytes;
  std::string chunk(64 * 1024, '\0');
  for (size_t n; (n = s.read(chunk.data(), chunk.size())) > 0;) {
    const size_t nul = std::string_view(chunk.data(), n).find('\0');
    bytes.append(chunk, 0, nul == std::string_view::npos ? n : nul);
    if (nul != std::string_view::npos) break;
  }
  lines.lines = splitLines(decodeScriptBlock(bytes));
  lines.utf8 = startsWithUtf8Bom(bytes);
  return true;
}

bool equalsFolded(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

bool isCommandLine(const std::string& line) {
  const size_t eq = firstEquals(line);
  return eq != std::string::npos && eq >= 1;
}

std::string lineName(const std::string& line) {
  return isCommandLine(line) ? line.substr(0, firstEquals(line)) : std::string();
}

std::string lineValue(const std::string& line) {
  return isCommandLine(line) ? line.substr(firstEquals(line) + 1) : std::string();
}

bool parseScriptInt(const std::string& text, int32_t& out) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;  // stays far from overflow
  }
  if (negative) v = -v;
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return false;
  out = static_cast<int32_t>(v);
  return true;
}

}  // namespace shirakaba
