// The FreeType side of the text: opening one face of a font file as a FontFace.
#pragma once
#include <memory>
#include <string>

#include "base/result.h"
#include "base/text.h"

namespace shirakaba {

// Opens face `index` of the font file; an Error when FreeType cannot.
// `family` names the face when given (else FreeType's family name is used).
Result<std::shared_ptr<FontFace>> openFontFace(const std::string& path, int index, const std::string& family);

}  // namespace shirakaba
