#include "base/quoted.h"

namespace shirakaba {
namespace {

bool isOctal(char c) { return c >= '0' && c <= '7'; }
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes the escape whose letter is s[i] onto out, leaving i on its last character;
// false when the escape is not one of the given set.
bool decodeEscape(std::string_view s, size_t& i, Escapes escapes, std::string& out) {
  const char e = s[i];
  const char* simple = escapes == Escapes::Few ? "n\n\\\\\"\"" : "n\nt\tr\ra\ab\bf\fv\v\\\\\"\"";
  for (const char* p = simple; *p; p += 2)
    if (*p == e) {
      out += p[1];
      return true;
    }
  if (escapes == Escapes::Few) return false;
  if (isOctal(e)) {
    int v = 0;
    for (int n = 0; n < 3 && i < s.size() && isOctal(s[i]); ++n) v = v * 8 + (s[i++] - '0');
    --i;
    out += static_cast<char>(v);
    return true;
  }
  if (e == 'x' && i + 1 < s.size() && hexValue(s[i + 1]) >= 0) {
    int v = 0;
    while (i + 1 < s.size() && hexValue(s[i + 1]) >= 0) v = (v * 16 + hexValue(s[++i])) & 0xFF;
    out += static_cast<char>(v);
    return true;
  }
  return false;
}

}  // namespace

QuotedText readQuoted(std::string_view& s, Escapes escapes) {
  QuotedText read;
  if (s.empty() || s[0] != '"') {
    read.fault = QuotedFault::NoOpeningQuote;
    return read;
  }
  for (size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return read;
    }
    if (c != '\\') {
      read.text += c;
      continue;
    }
    if (++i == s.size()) break;
    if (!decodeEscape(s, i, escapes, read.text)) {
      read.fault = QuotedFault::UnknownEscape;
      read.escape = s[i];
      return read;
    }
  }
  read.fault = QuotedFault::NoClosingQuote;
  return read;
}

}  // namespace shirakaba
