// Not built yet.
#include "engine/text.h"

namespace shirakaba {
int pointsToPixels(int points) { return (points * 96 + 36) / 72; }
std::shared_ptr<FontFace> findGameFont(std::string* error) { if (error) *error = "not built"; return nullptr; }
std::shared_ptr<FontFace> loadFontFile(const std::string&, std::string* error) { return nullptr; }
std::u32string utf8ToCodepoints(const std::string&) { return {}; }
std::string codepointToUtf8(char32_t) { return {}; }
}  // namespace shirakaba
