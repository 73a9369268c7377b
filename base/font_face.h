// The FreeType side of the text: opening one face of a font file as a FontFace.
#pragma once
#include <memory>
#include <string>

#include "base/text.h"

namespace shirakaba {

// Opens face `index` of the font file; null and a message when FreeType cannot.
// `family` names the face when given (else FreeType's family name is used).
std::shared_ptr<FontFace> openFontFace(const std::string& path, int index, const std::string& family,
                                       std::string* error);

}  // namespace shirakaba
