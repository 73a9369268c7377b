// Where the game face looks for the characters it lacks, so that a translation into a
// script the game font does not cover (Chinese, Korean, ...) is drawn and not left as
// empty boxes. Everywhere a code point goes to the font, of those that have it, that
// covers most of its script's block. The fonts fontconfig knows, on the platforms
// whose fonts come from it (font_source_fontconfig.cpp); fallbackFontFiles
// (font_face.h) where font files are handed in.
#pragma once
#include <string>
#include <vector>

#include "base/font_face.h"

namespace shirakaba {

// The installed scalable fonts in fontconfig's order of preference for "monospace",
// without the file `except` (the game face's own). A code point goes to the font, of
// those that have it, covering most of its script's block (fontconfig's order among
// equals), so that a line of one script is drawn in one font wherever one covers it,
// not character by character from two that each cover a part. No font is found when
// fontconfig cannot be used.
FallbackLookup systemFallbackFonts(const std::string& except);
// The same over these font files, in this order of preference (for tests).
// Both only where fontconfig is the font source.
FallbackLookup fallbackFontsFrom(const std::vector<FontFile>& files);

// The code points of the script block cp lies in (Hangul syllables, kana, CJK
// ideographs, ...), or of its 128-code-point row outside the blocks named.
struct ScriptBlock {
  char32_t first, last;
};
ScriptBlock scriptBlockOf(char32_t cp);

}  // namespace shirakaba
