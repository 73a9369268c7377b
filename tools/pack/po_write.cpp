// Writing PO files in the form msgfmt and the translation editors read.
#include <algorithm>
#include <cstdio>

#include "tools/pack/po.h"

namespace shirakaba {
namespace {

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char oct[8];
          std::snprintf(oct, sizeof oct, "\\%03o", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += oct;
        } else {
          out += c;
        }
    }
  }
  return out;
}

// keyword "text", or, for a text of several lines, keyword "" and one string a line.
void field(std::string& out, const char* keyword, const std::string& text) {
  out += keyword;
  const size_t inner = text.find('\n');
  if (inner == std::string::npos || inner + 1 == text.size()) {
    out += " \"" + escaped(text) + "\"\n";
    return;
  }
  out += " \"\"\n";
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    out += "\"" + escaped(text.substr(start, end - start)) + "\"\n";
    start = end;
  }
}

}  // namespace

std::string poQuoted(const std::string& text) { return "\"" + escaped(text) + "\""; }

std::string writePo(const std::vector<std::string>& comments, const std::vector<std::string>& header,
                    const std::vector<PoEntry>& entries) {
  std::string out;
  for (const std::string& c : comments) out += c.empty() ? "#\n" : "# " + c + "\n";
  std::string fields;
  for (const std::string& h : header) fields += h + "\n";
  out += "#, fuzzy\n";
  field(out, "msgid", "");
  field(out, "msgstr", fields);
  for (const PoEntry& e : entries) {
    out += "\n";
    for (const std::string& n : e.notes) out += "#. " + n + "\n";
    for (const std::string& r : e.references) out += "#: " + r + "\n";
    if (e.fuzzy) out += "#, fuzzy\n";
    if (e.hasContext) field(out, "msgctxt", e.context);
    field(out, "msgid", e.id);
    field(out, "msgstr", e.str);
  }
  return out;
}

}  // namespace shirakaba
