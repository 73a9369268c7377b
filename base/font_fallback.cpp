// The fallback fonts, sorted once by fontconfig; a look-up is then a walk over their
// character sets, fast enough for every character of a script at start-up.
#include "base/font_fallback.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace shirakaba {
namespace {

struct Candidate {
  FontFile file;
  FcCharSet* chars;  // owned by the pattern it came from
};

// Colour (emoji) fonts hold bitmaps the 1-bit rendering cannot use.
bool usable(FcPattern* font) {
  FcBool scalable = FcFalse, colour = FcFalse;
  FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
  FcPatternGetBool(font, FC_COLOR, 0, &colour);
  return scalable && !colour;
}

class FallbackFonts {
 public:
  // fontconfig's choice for "monospace".
  explicit FallbackFonts(const std::string& except) {
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
      if (!usable(font) || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
          FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch)
        continue;
      const std::string path = reinterpret_cast<const char*>(file);
      if (path == except) continue;
      int index = 0;
      FcPatternGetInteger(font, FC_INDEX, 0, &index);
      fonts_.push_back({{path, index}, chars});
    }
  }
  // These files, in this order.
  explicit FallbackFonts(const std::vector<FontFile>& files) {
    set_ = FcFontSetCreate();
    for (const FontFile& f : files) {
      int count = 0;
      FcPattern* font = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(f.path.c_str()), f.index, nullptr, &count);
      FcCharSet* chars = nullptr;
      if (!font) continue;
      FcFontSetAdd(set_, font);
      if (usable(font) && FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch)
        fonts_.push_back({f, chars});
    }
  }
  ~FallbackFonts() {
    if (set_) FcFontSetDestroy(set_);
  }
  FallbackFonts(const FallbackFonts&) = delete;
  FallbackFonts& operator=(const FallbackFonts&) = delete;

  std::optional<FontFile> fontFor(char32_t cp) const {
    for (const Candidate* c : byCoverageOf(scriptBlockOf(cp)))
      if (FcCharSetHasChar(c->chars, cp)) return c->file;
    return std::nullopt;
  }

 private:
  // The fonts, those covering most of the block first, worked out once per block.
  const std::vector<const Candidate*>& byCoverageOf(ScriptBlock block) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<const Candidate*>& order = orders_[block.first];
    if (!order.empty() || fonts_.empty()) return order;
    FcCharSet* range = FcCharSetCreate();
    for (char32_t cp = block.first; cp <= block.last; ++cp) FcCharSetAddChar(range, cp);
    std::vector<std::pair<FcChar32, const Candidate*>> counted;
    for (const Candidate& c : fonts_) counted.emplace_back(FcCharSetIntersectCount(c.chars, range), &c);
    FcCharSetDestroy(range);
    std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [count, c] : counted) order.push_back(c);
    return order;
  }

  FcFontSet* set_ = nullptr;
  std::vector<Candidate> fonts_;
  mutable std::mutex mutex_;
  mutable std::map<char32_t, std::vector<const Candidate*>> orders_;  // by the block's first code point
};

FallbackLookup lookupIn(std::shared_ptr<const FallbackFonts> fonts) {
  return [fonts](char32_t cp) { return fonts->fontFor(cp); };
}

}  // namespace

ScriptBlock scriptBlockOf(char32_t cp) {
  static constexpr ScriptBlock kBlocks[] = {
      {0x0000, 0x024F},  // Latin
      {0x0370, 0x03FF},  // Greek
      {0x0400, 0x052F},  // Cyrillic
      {0x0590, 0x05FF},  // Hebrew
      {0x0600, 0x06FF},  // Arabic
      {0x0E00, 0x0E7F},  // Thai
      {0x1100, 0x11FF},  // Hangul jamo
      {0x3040, 0x30FF},  // hiragana and katakana
      {0x3130, 0x318F},  // Hangul compatibility jamo
      {0x3400, 0x4DBF},  // CJK ideographs, extension A
      {0x4E00, 0x9FFF},  // CJK ideographs
      {0xAC00, 0xD7A3},  // Hangul syllables
      {0xFF00, 0xFFEF},  // full-width and half-width forms
  };
  for (const ScriptBlock& b : kBlocks)
    if (cp >= b.first && cp <= b.last) return b;
  return {cp & ~char32_t{0x7F}, cp | 0x7F};
}

FallbackLookup systemFallbackFonts(const std::string& except) {
  return lookupIn(std::make_shared<const FallbackFonts>(except));
}

FallbackLookup fallbackFontsFrom(const std::vector<FontFile>& files) {
  return lookupIn(std::make_shared<const FallbackFonts>(files));
}

}  // namespace shirakaba
