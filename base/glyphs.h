// Which characters of a text the game's font cannot draw.
#pragma once
#include <string>
#include <vector>

#include "base/text.h"

namespace shirakaba {

struct MissingGlyph {
  char32_t cp;
  int line;  // index of the first line it occurs on
};

// Each character of the lines that the font lacks, once, in the order first met.
std::vector<MissingGlyph> findMissingGlyphs(const std::vector<std::string>& lines, FontFace& font);
// "U+3042 "あ"" for a message.
std::string describeCodepoint(char32_t cp);

}  // namespace shirakaba
