// PO files of the earlier layout, which named a script text by its label and line
// (msgctxt "*op:78"): every line added above a text renamed it, and msgmerge then made
// it fuzzy. Such entries are renamed as the current layout names them, by the label and
// the text, so that translate reads them and msgmerge can follow them.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "base/result.h"
#include "tools/pack/po.h"

namespace shirakaba {

// Whether the entry is named in the earlier way: its msgctxt is a label ("*..."), ":"
// and a line number, and no reference gives its line, as every current entry's does.
bool hasLineContext(const PoEntry& e);

// Renames every such entry: the label becomes its msgctxt, numbered among the equal
// texts of that label in line order as the template numbers them, and the line goes to
// its references. Returns how many were renamed.
int renameLineContexts(std::vector<PoEntry>& entries);

// The PO file with those entries renamed in place: only their msgctxt lines change and
// a "#: script:78" line is added before each; every other line (comments, flags, the
// header, obsolete entries) stays as it was. renamed: how many. An Error when the file
// cannot be read.
Result<std::string> upgradePoText(const std::string& text, int& renamed);

// `shirakaba-pack upgrade-po OLD.po NEW.po` (NEW may be OLD).
int packUpgradePo(const std::string& inPath, const std::string& outPath, std::ostream& out, std::ostream& err);

}  // namespace shirakaba
