#include "base/glyphs.h"

#include <cstdio>
#include <unordered_set>

#include "base/utf8.h"

namespace shirakaba {

std::vector<MissingGlyph> findMissingGlyphs(const std::vector<std::string>& lines, FontFace& font) {
  std::vector<MissingGlyph> out;
  std::unordered_set<char32_t> seen;
  for (size_t i = 0; i < lines.size(); ++i)
    for (char32_t cp : utf8ToCodepoints(lines[i])) {
      if (!seen.insert(cp).second) continue;
      if (!font.covers(cp)) out.push_back({cp, static_cast<int>(i)});
    }
  return out;
}

std::string describeCodepoint(char32_t cp) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
  if (cp < 0x20 || cp == 0x7F) return hex;
  return std::string(hex) + " \"" + codepointToUtf8(cp) + "\"";
}

}  // namespace shirakaba
