// Font sizes, UTF-8 into code points and font files opened as faces; where the game
// face itself comes from is the platform's (font_source_*.cpp).
#include "base/text.h"

#include <cstdint>

#include "base/font_face.h"
#include "base/utf8.h"

namespace shirakaba {

int pointsToPixels(int points) {
  const int64_t dots = int64_t{points} * 96;  // rounded to the nearest pixel
  return static_cast<int>((dots >= 0 ? dots + 36 : dots - 36) / 72);
}

std::u32string utf8ToCodepoints(const std::string& utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  char32_t cp;
  while (pos < utf8.size()) {
    decodeUtf8(utf8, pos, cp);  // a malformed sequence yields U+FFFD
    out += cp;
  }
  return out;
}

Result<std::shared_ptr<FontFace>> loadFontFile(const std::string& path) { return openFontFace(path, 0, ""); }

}  // namespace shirakaba
