// The strict PO reader: line by line, each keyword where the grammar allows it.
#include <algorithm>
#include <map>

#include "base/cp932.h"
#include "base/files.h"
#include "base/quoted.h"
#include "base/utf8.h"
#include "tools/pack/po.h"

namespace shirakaba {
namespace {

// The text of the string literal at s[pos], which must be the rest of the line.
Result<std::string> literal(const std::string& line, size_t pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  std::string_view s = std::string_view(line).substr(pos);
  QuotedText read = readQuoted(s, Escapes::C);
  switch (read.fault) {
    case QuotedFault::None: break;
    case QuotedFault::NoOpeningQuote: return fail("a string in double quotes is expected");
    case QuotedFault::UnknownEscape: return fail(std::string("an unknown escape \\") + read.escape);
    case QuotedFault::NoClosingQuote: return fail("a string without its closing quote");
  }
  if (s.find_first_not_of(" \t") != std::string_view::npos) return fail("something after the closing quote");
  return std::move(read.text);
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The charset the header's Content-Type names, or "" when it names none.
std::string charsetOf(const std::string& header) {
  const size_t at = header.find("charset=");
  if (at == std::string::npos) return "";
  const size_t start = at + 8;
  size_t end = start;
  while (end < header.size() && header[end] != '\n' && header[end] != ';' && header[end] != ' ') ++end;
  std::string cs = header.substr(start, end - start);
  for (char& c : cs)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return cs;
}

class Reader {
 public:
  Result<std::vector<PoEntry>> read(const std::string& text) {
    // Some editors begin a UTF-8 file with the byte-order mark; gettext reads it too.
    for (size_t start = startsWithUtf8Bom(text) ? kUtf8Bom.size() : 0; start < text.size(); ++lineNo_) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      start = end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!isValidUtf8(line)) return at("bytes that are not UTF-8 (the file must be written in UTF-8)");
      if (Result<void> r = take(line); !r) return at(r.error());
    }
    if (stage_ == Stage::Str) {
      if (Result<void> r = finish(); !r) return at(r.error());
    } else if (stage_ != Stage::None) {
      return at("the file ends inside an entry, before its msgstr");
    }
    return std::move(entries_);
  }

 private:
  enum class Stage { None, Ctxt, Id, Str };

  Error at(const std::string& what) const { return fail("line " + std::to_string(lineNo_) + ": " + what); }

  Result<void> take(const std::string& raw) {
    size_t lead = 0;
    while (lead < raw.size() && (raw[lead] == ' ' || raw[lead] == '\t')) ++lead;
    const std::string line = raw.substr(lead);
    if (line.empty() || startsWith(line, "#~")) return {};
    if (line[0] == '#') return comment(line);
    if (line[0] == '"') {
      if (stage_ == Stage::None) return fail("a string that continues no keyword");
      Result<std::string> s = literal(line, 0);
      if (!s) return fail(s.error());
      *field() += s.value();
      return {};
    }
    if (startsWith(line, "msgid_plural") || startsWith(line, "msgstr["))
      return fail("plural forms are not used in the game's texts");
    for (const auto& [keyword, stage] : {std::pair{"msgctxt", Stage::Ctxt}, {"msgid", Stage::Id}, {"msgstr", Stage::Str}}) {
      const size_t n = std::char_traits<char>::length(keyword);
      if (!startsWith(line, keyword) || (line.size() > n && line[n] != ' ' && line[n] != '\t' && line[n] != '"'))
        continue;
      if (Result<void> r = advance(stage); !r) return r;
      Result<std::string> s = literal(line, n);
      if (!s) return fail(s.error());
      *field() = s.value();
      return {};
    }
    return fail("neither a comment, a keyword nor a string: " + quotedForMessage(line));
  }

  Result<void> comment(const std::string& line) {
    if (stage_ == Stage::Str) {
      if (Result<void> r = finish(); !r) return r;
    } else if (stage_ != Stage::None) {
      return fail("a comment inside an entry, before its msgstr");
    }
    if (startsWith(line, "#.")) {
      cur_.notes.push_back(line.substr(line.size() > 2 && line[2] == ' ' ? 3 : 2));
    } else if (startsWith(line, "#:")) {
      for (size_t start = 2; (start = line.find_first_not_of(" \t", start)) != std::string::npos;) {
        const size_t end = std::min(line.find_first_of(" \t", start), line.size());
        cur_.references.push_back(line.substr(start, end - start));
        start = end;
      }
    } else if (startsWith(line, "#,")) {
      for (size_t start = 2; start < line.size();) {
        size_t end = line.find(',', start);
        if (end == std::string::npos) end = line.size();
        std::string flag = line.substr(start, end - start);
        flag.erase(0, flag.find_first_not_of(" \t"));
        flag.erase(flag.find_last_not_of(" \t") + 1);
        if (flag == "fuzzy") cur_.fuzzy = true;
        start = end + 1;
      }
    }
    return {};
  }

  // Moves on to the keyword's part of an entry, finishing the one before.
  Result<void> advance(Stage next) {
    if (stage_ == Stage::Str && next != Stage::Str) {
      if (Result<void> r = finish(); !r) return r;
    }
    const bool allowed = (next == Stage::Ctxt && stage_ == Stage::None) ||
                         (next == Stage::Id && (stage_ == Stage::None || stage_ == Stage::Ctxt)) ||
                         (next == Stage::Str && stage_ == Stage::Id);
    if (!allowed) {
      static const char* const names[] = {"the start of an entry", "msgctxt", "msgid", "msgstr"};
      return fail(std::string(names[static_cast<int>(next)]) + " where it cannot stand (after " +
                  names[static_cast<int>(stage_)] + ")");
    }
    if (stage_ == Stage::None) cur_.line = lineNo_;
    if (next == Stage::Ctxt) cur_.hasContext = true;
    if (next == Stage::Id) cur_.idLine = lineNo_;
    stage_ = next;
    return {};
  }

  std::string* field() {
    switch (stage_) {
      case Stage::Ctxt: return &cur_.context;
      case Stage::Id: return &cur_.id;
      default: return &cur_.str;
    }
  }

  Result<void> finish() {
    PoEntry e = std::move(cur_);
    cur_ = PoEntry{};
    stage_ = Stage::None;
    if (e.id.empty() && !e.hasContext) {
      if (headerSeen_) return fail("a second header entry (msgid \"\") from line " + std::to_string(e.line));
      headerSeen_ = true;
      const std::string cs = charsetOf(e.str);
      if (!cs.empty() && cs != "UTF-8")
        return fail("the header names the charset " + cs + ": the file must be UTF-8 (charset=UTF-8)");
      return {};
    }
    const std::string key = (e.hasContext ? e.context : std::string()) + '\x04' + e.id;
    if (const auto [it, fresh] = seen_.emplace(key, e.line); !fresh)
      return fail("the entry from line " + std::to_string(e.line) + " repeats the one on line " +
                  std::to_string(it->second));
    entries_.push_back(std::move(e));
    return {};
  }

  int lineNo_ = 1;
  Stage stage_ = Stage::None;
  PoEntry cur_;
  bool headerSeen_ = false;
  std::map<std::string, int> seen_;
  std::vector<PoEntry> entries_;
};

}  // namespace

Result<std::vector<PoEntry>> readPo(const std::string& text) { return Reader().read(text); }

Result<std::string> readPoFile(const std::string& path) {
  const Result<std::vector<uint8_t>> bytes = readFile(path, kMaxPoBytes, "a PO file");
  if (!bytes) return fail(bytes.error());
  return std::string(bytes->begin(), bytes->end());
}

std::string quotedForMessage(const std::string& text) {
  constexpr size_t kShown = 60;  // characters
  std::string out = "\"";
  size_t pos = 0;
  for (size_t shown = 0; pos < text.size() && shown < kShown; ++shown) {
    const size_t start = pos;
    char32_t cp = 0;
    if (!decodeUtf8(text, pos, cp)) out += "?";  // nothing broken or invisible reaches the terminal
    else if (cp == '\n') out += "\\n";
    else if (cp == '\t') out += "\\t";
    else if (cp == '"' || cp == '\\') out += std::string("\\") + static_cast<char>(cp);
    else if (cp < 0x20 || cp == 0x7F) out += "?";
    else out += text.substr(start, pos - start);
  }
  if (pos == text.size()) return out + "\"";
  return out + "\"… (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace shirakaba
