// The FreeType side of the text: opening one face of a font file as a FontFace.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/text.h"

namespace shirakaba {

// One face of a font file.
struct FontFile {
  std::string path;
  int index = 0;
};

// The font to draw a code point from that the face itself lacks, if there is one.
using FallbackLookup = std::function<std::optional<FontFile>(char32_t)>;

// Of these font files (face 0 of each) that have the code point, the one covering
// most of its script's block (font_fallback.h), the first named among equals; a file
// FreeType cannot open counts as having none. For platforms where the fonts are
// files handed in rather than installed.
FallbackLookup fallbackFontFiles(std::vector<std::string> paths);

// Opens face `index` of the font file; an Error when FreeType cannot.
// `family` names the face when given (else FreeType's family name is used). With a
// fallback, the characters the face lacks are drawn from the fonts it names.
Result<std::shared_ptr<FontFace>> openFontFace(const std::string& path, int index, const std::string& family,
                                               FallbackLookup fallback = {});

}  // namespace shirakaba
