// The fallback fonts, sorted once by fontconfig; a look-up is then a walk over their
// character sets, fast enough for every character of a script at start-up.
#include "base/font_fallback.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <vector>

namespace shirakaba {
namespace {

struct Candidate {
  FontFile file;
  FcCharSet* chars;  // owned by the sorted set
};

class SortedFonts {
 public:
  explicit SortedFonts(const std::string& except) {
    if (!FcInit()) return;
    FcPattern* want = FcPatternCreate();
    FcPatternAddString(want, FC_FAMILY, reinterpret_cast<const FcChar8*>("monospace"));
    FcConfigSubstitute(nullptr, want, FcMatchPattern);
    FcDefaultSubstitute(want);
    FcResult result;
    set_ = FcFontSort(nullptr, want, FcFalse, nullptr, &result);
    FcPatternDestroy(want);
    if (!set_) return;
    for (int i = 0; i < set_->nfont; ++i) {
      FcPattern* font = set_->fonts[i];
      FcChar8* file = nullptr;
      FcCharSet* chars = nullptr;
      FcBool scalable = FcFalse, colour = FcFalse;
      FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
      FcPatternGetBool(font, FC_COLOR, 0, &colour);
      // Colour (emoji) fonts hold bitmaps the 1-bit rendering cannot use.
      if (!scalable || colour || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
          FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch)
        continue;
      const std::string path = reinterpret_cast<const char*>(file);
      if (path == except) continue;
      int index = 0;
      FcPatternGetInteger(font, FC_INDEX, 0, &index);
      fonts_.push_back({{path, index}, chars});
    }
  }
  ~SortedFonts() {
    if (set_) FcFontSetDestroy(set_);
  }
  SortedFonts(const SortedFonts&) = delete;
  SortedFonts& operator=(const SortedFonts&) = delete;

  std::optional<FontFile> fontFor(char32_t cp) const {
    for (const Candidate& c : fonts_)
      if (FcCharSetHasChar(c.chars, cp)) return c.file;
    return std::nullopt;
  }

 private:
  FcFontSet* set_ = nullptr;
  std::vector<Candidate> fonts_;
};

}  // namespace

FallbackLookup systemFallbackFonts(const std::string& except) {
  auto fonts = std::make_shared<const SortedFonts>(except);
  return [fonts](char32_t cp) { return fonts->fontFor(cp); };
}

}  // namespace shirakaba
