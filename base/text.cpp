// Font sizes, UTF-8 into code points and the one game face, found through fontconfig
// with the installed fonts behind it for the characters it lacks.
#include "base/text.h"

#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <initializer_list>

#include "base/font_face.h"
#include "base/font_fallback.h"
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

namespace {

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

std::shared_ptr<FontFace> openMatch(FcPattern* font, std::string* error) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return nullptr;
  int index = 0;
  FcPatternGetInteger(font, FC_INDEX, 0, &index);
  FcChar8* family = nullptr;
  FcPatternGetString(font, FC_FAMILY, 0, &family);
  const std::string path = reinterpret_cast<const char*>(file);
  Result<std::shared_ptr<FontFace>> face =
      openFontFace(path, index, family ? reinterpret_cast<const char*>(family) : "", systemFallbackFonts(path));
  if (!face) {
    if (error) *error = face.error();
    return nullptr;
  }
  return std::move(face).value();
}

FcPattern* prepared(FcPattern* p) {
  FcConfigSubstitute(nullptr, p, FcMatchPattern);
  FcDefaultSubstitute(p);
  return p;
}

// The face of one family, only when fontconfig really has that family.
std::shared_ptr<FontFace> byFamily(const char* family, bool needJapanese, std::string* error) {
  FcPatternPtr want(FcPatternCreate());
  FcPatternAddString(want.p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  prepared(want.p);
  FcResult result;
  FcPatternPtr got(FcFontMatch(nullptr, want.p, &result));
  if (!got.p || !hasFamily(got.p, family) || (needJapanese && !coversJapanese(got.p))) return nullptr;
  return openMatch(got.p, error);
}

// The best Japanese face, monospaced if there is one.
std::shared_ptr<FontFace> anyJapanese(std::string* error) {
  FcPatternPtr want(FcPatternCreate());
  FcPatternAddString(want.p, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(want.p, FC_SPACING, FC_MONO);
  prepared(want.p);
  FcResult result;
  FcFontSet* set = FcFontSort(nullptr, want.p, FcFalse, nullptr, &result);
  if (!set) return nullptr;
  std::shared_ptr<FontFace> face;
  for (bool needMono : {true, false}) {
    // The sorted fonts as they are: a prepared match would inherit the spacing asked for.
    for (int i = 0; i < set->nfont && !face; ++i) {
      FcPattern* font = set->fonts[i];
      if (coversJapanese(font) && (!needMono || isMonospaced(font))) face = openMatch(font, error);
    }
    if (face) break;
  }
  FcFontSetDestroy(set);
  return face;
}

struct FoundFont {
  std::shared_ptr<FontFace> face;
  std::string error;
};

FoundFont lookUpGameFont() {
  FoundFont f;
  if (!FcInit()) {
    f.error = "fontconfig could not be initialised; no font for the game's text";
    return f;
  }
  std::string openError;
  f.face = byFamily(kGameFamily, false, &openError);
  if (!f.face) f.face = byFamily(kFallbackFamily, true, &openError);
  if (!f.face) f.face = anyJapanese(&openError);
  if (!f.face) {
    f.error = "No Japanese font found for the game's text: install the package fonts-ipafont-gothic (IPAGothic)";
    if (!openError.empty()) f.error += " (" + openError + ")";
  }
  return f;
}

}  // namespace

Result<std::shared_ptr<FontFace>> findGameFont() {
  static const FoundFont found = lookUpGameFont();
  if (!found.face) return fail(found.error);
  return found.face;
}

Result<std::shared_ptr<FontFace>> loadFontFile(const std::string& path) { return openFontFace(path, 0, ""); }

}  // namespace shirakaba
