// Gettext PO files as far as the translation of a pack needs them: entries of one
// context, one msgid and one msgstr, the "fuzzy" flag and the extracted comments
// ("#."). The reader is strict: plural forms, a charset other than UTF-8, a broken
// string or an entry given twice are an Error naming the line.
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
};

// The entries of a PO file, the header entry (msgid "") left out; obsolete entries
// ("#~") are skipped.
Result<std::vector<PoEntry>> readPo(const std::string& text);

// A PO template: the comment lines (without "# "), the header entry with the fields
// given ("Name: value" lines) and marked fuzzy as a template's is, then the entries.
std::string writePo(const std::vector<std::string>& comments, const std::vector<std::string>& header,
                    const std::vector<PoEntry>& entries);

}  // namespace shirakaba
