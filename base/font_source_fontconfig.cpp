// The fonts of a system with fontconfig (Linux): the game face is "ＭＳ ゴシック" if
// installed, else IPAGothic, else any Japanese face; the other installed fonts stand in
// for the characters it lacks (font_fallback.h).
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "base/font_face.h"
#include "base/font_fallback.h"
#include "base/text.h"

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

// ---- The game face ----// ---- The game face ----

const char kGameFamily[] = "ＭＳ ゴシック";
const char kFallbackFamily[] = "IPAGothic";

struct FcPatternPtr {
  FcPattern* p;
  explicit FcPatternPtr(FcPattern* q) : p(q) {}
  ~FcPatternPtr() {
    if (p) FcPatternDestroy(p);
  }
  FcPatternPtr(const FcPatternPtr&) = delete;
  FcPatternPtr& operator=(const FcPatternPtr&) = delete;
};

// Family names compare as fontconfig compares them: ASCII case and spaces ignored.
std::string familyKey(const char* name) {
  std::string key;
  for (const char* p = name; *p; ++p)
    if (*p != ' ') key += (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
  return key;
}

// Fontconfig always answers with something; these tell a real answer from a substitute.
bool hasFamily(FcPattern* font, const char* family) {
  const std::string want = familyKey(family);
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (familyKey(reinterpret_cast<const char*>(name)) == want) return true;
  return false;
}

bool coversJapanese(FcPattern* font) {
  FcCharSet* cs = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) != FcResultMatch) return false;
  for (FcChar32 cp : {0x3042u /* あ */, 0x6F22u /* 漢 */, 0x30A2u /* ア */})
    if (!FcCharSetHasChar(cs, cp)) return false;
  return true;
}

bool isMonospaced(FcPattern* font) {
  int spacing = FC_PROPORTIONAL;
  FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
  return spacing == FC_MONO || spacing == FC_DUAL;  // CJK faces with half widths say "dual"
}

Result<std::shared_ptr<FontFace>> openMatch(FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return fail("fontconfig names no file for a font it offers");
  int index = 0;
  FcPatternGetInteger(font, FC_INDEX, 0, &index);
  FcChar8* family = nullptr;
  FcPatternGetString(font, FC_FAMILY, 0, &family);
  const std::string path = reinterpret_cast<const char*>(file);
  return openFontFace(path, index, family ? reinterpret_cast<const char*>(family) : "", systemFallbackFonts(path));
}

FcPattern* prepared(FcPattern* p) {
  FcConfigSubstitute(nullptr, p, FcMatchPattern);
  FcDefaultSubstitute(p);
  return p;
}

// The face of one family, only when fontconfig really has that family.
Result<std::shared_ptr<FontFace>> byFamily(const char* family, bool needJapanese) {
  FcPatternPtr want(FcPatternCreate());
  FcPatternAddString(want.p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  prepared(want.p);
  FcResult result;
  FcPatternPtr got(FcFontMatch(nullptr, want.p, &result));
  if (!got.p || !hasFamily(got.p, family)) return fail(std::string("no font of the family ") + family);
  if (needJapanese && !coversJapanese(got.p)) return fail(std::string("the font ") + family + " has no Japanese");
  return openMatch(got.p);
}

// The best Japanese face, monospaced if there is one.
Result<std::shared_ptr<FontFace>> anyJapanese() {
  FcPatternPtr want(FcPatternCreate());
  FcPatternAddString(want.p, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(want.p, FC_SPACING, FC_MONO);
  prepared(want.p);
  FcResult result;
  FcFontSet* set = FcFontSort(nullptr, want.p, FcFalse, nullptr, &result);
  Result<std::shared_ptr<FontFace>> face = fail("no font with Japanese");
  for (bool needMono : {true, false}) {
    // The sorted fonts as they are: a prepared match would inherit the spacing asked for.
    for (int i = 0; set && i < set->nfont && !face; ++i) {
      FcPattern* font = set->fonts[i];
      if (coversJapanese(font) && (!needMono || isMonospaced(font))) face = openMatch(font);
    }
    if (face) break;
  }
  if (set) FcFontSetDestroy(set);
  return face;
}

Result<std::shared_ptr<FontFace>> lookUpGameFont() {
  if (!FcInit()) return fail("fontconfig could not be initialised; no font for the game's text");
  std::vector<std::string> tried;
  for (auto candidate : {+[] { return byFamily(kGameFamily, false); }, +[] { return byFamily(kFallbackFamily, true); },
                         +[] { return anyJapanese(); }}) {
    Result<std::shared_ptr<FontFace>> face = candidate();
    if (face) return face;
    tried.push_back(face.error());
  }
  std::string reasons;
  for (const std::string& reason : tried) reasons += (reasons.empty() ? "" : "; ") + reason;
  return fail("No Japanese font found for the game's text: install the package fonts-ipafont-gothic (IPAGothic) (" +
              reasons + ")");
}

}  // namespace

FallbackLookup systemFallbackFonts(const std::string& except) {
  return lookupIn(std::make_shared<const FallbackFonts>(except));
}

FallbackLookup fallbackFontsFrom(const std::vector<FontFile>& files) {
  return lookupIn(std::make_shared<const FallbackFonts>(files));
}

Result<std::shared_ptr<FontFace>> findGameFont() {
  static const Result<std::shared_ptr<FontFace>> found = lookUpGameFont();
  return found;
}

}  // namespace shirakaba
