// Gettext PO files as far as the translation of a pack needs them: entries of one
// context, one msgid and one msgstr, the "fuzzy" flag, the extracted comments ("#.")
// and the references ("#:"). The reader is strict: plural forms, a charset other than
// UTF-8, a broken string or an entry given twice are an Error naming the line.
#pragma once
#include <string>
#include <vector>

#include "base/result.h"

namespace shirakaba {

struct PoEntry {
  std::string context;
  bool hasContext = false;
  std::string id, str;
  std::vector<std::string> notes;  // "#." comments, for the translator
  bool fuzzy = false;
  int line = 0;  // the line of its first keyword, from 1 (0 for an entry not read from a file)
  std::vector<std::string> references;  // "#:" comments, one word each ("script:78")
  int idLine = 0;  // the line of its msgid; a msgctxt spans the lines from line up to it
};

// A PO file is refused above this size: the template of a whole game is well under 1 MiB.
constexpr size_t kMaxPoBytes = 16u << 20;

// The entries of a PO file, the header entry (msgid "") left out; obsolete entries
// ("#~") are skipped, and so is a UTF-8 byte-order mark at its start.
Result<std::vector<PoEntry>> readPo(const std::string& text);

// The text of a PO file on disk; an Error for what is no regular file or is larger
// than kMaxPoBytes.
Result<std::string> readPoFile(const std::string& path);

// A text quoted for a message line: line breaks and quotes escaped, and cut after 60
// characters, so that a huge or many-lined text never floods the terminal.
std::string quotedForMessage(const std::string& text);

// The text as a PO string literal, quotes included, escaped as msgfmt reads it.
std::string poQuoted(const std::string& text);

// A PO template: the comment lines (without "# "), the header entry with the fields
// given ("Name: value" lines) and marked fuzzy as a template's is, then the entries.
std::string writePo(const std::vector<std::string>& comments, const std::vector<std::string>& header,
                    const std::vector<PoEntry>& entries);

}  // namespace shirakaba
