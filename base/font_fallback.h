// Where the game face looks for the characters it lacks: the other fonts fontconfig
// knows, so that a translation into a script the game font does not cover (Chinese,
// Korean, ...) is drawn and not left as empty boxes.
#pragma once
#include <string>

#include "base/font_face.h"

namespace shirakaba {

// The installed scalable fonts in fontconfig's order of preference for "monospace",
// without the file `except` (the game face's own); each code point goes to the first
// that has it. No font is found when fontconfig cannot be used.
FallbackLookup systemFallbackFonts(const std::string& except);

}  // namespace shirakaba
