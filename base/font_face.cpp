// A face rasterised by FreeType. The text cell is exactly px high with the em
// filling it: the baseline sits at round(px * ascender / (ascender - descender))
// below the cell's top, from the face's horizontal header metrics. Glyphs are
// rendered 1-bit with the font's own TrueType hints, which is what the game's
// crisp bitmap text looked like; every glyph is kept per (size, code point).
// A character the face lacks comes from a fallback font at the same em size, on the
// face's own baseline and clipped to the same cell; the face's own glyphs are drawn
// exactly as without fallbacks.
#include "base/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/font_fallback.h"

namespace shirakaba {
namespace {

// Switch to false for 8-bit antialiased coverage; the blending takes either.
constexpr bool kMonochrome = true;
// Sizes beyond this are nonsense for a 640 x 480 screen and are drawn as nothing.
constexpr int kMaxPixels = 512;

struct Glyph {
  int advance = 0;          // whole pixels
  int left = 0, top = 0;    // bitmap offset from the pen position on the baseline
  int width = 0, rows = 0;
  std::vector<uint8_t> coverage;  // width * rows bytes, 0..255
};

// An FT_Face with the pixel size it was last set to.
struct SizedFace {
  FT_Face face = nullptr;
  int sizePx = 0;
};

class FreeTypeFace final : public FontFace {
 public:
  FreeTypeFace(FT_Library lib, FT_Face face, std::string family, std::string file, FallbackLookup fallback)
      : lib_(lib), own_{face, 0}, face_(face), family_(std::move(family)), file_(std::move(file)),
        fallback_(std::move(fallback)) {}
  ~FreeTypeFace() override {
    for (SizedFace& f : fallbacks_) FT_Done_Face(f.face);
    FT_Done_Face(face_);
    FT_Done_FreeType(lib_);
  }

  const std::string& family() const override { return family_; }
  const std::string& file() const override { return file_; }

  int advance(const std::string& utf8, int px) override {
    if (px <= 0 || px > kMaxPixels) return 0;
    int sum = 0;
    for (char32_t cp : utf8ToCodepoints(utf8)) sum += glyph(cp, px).advance;
    return sum;
  }

  void draw(Bitmap& target, int x, int y, const std::string& utf8, int px, Colour colour) override {
    if (px <= 0 || px > kMaxPixels || target.empty()) return;
    target.convertTo32();
    const std::u32string cps = utf8ToCodepoints(utf8);
    int total = 0;
    for (char32_t cp : cps) total += glyph(cp, px).advance;
    // Nothing leaves the text cell, so a solid brush's fill covers every pixel drawn.
    const int clipL = std::max(x, 0), clipR = std::min<int64_t>(int64_t{x} + total, target.width);
    const int clipT = std::max(y, 0), clipB = std::min<int64_t>(int64_t{y} + px, target.height);
    if (clipL >= clipR || clipT >= clipB) return;
    const int baseline = y + baselineOffset(px);
    const uint32_t c[3] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};  // B, G, R
    int64_t pen = x;
    for (char32_t cp : cps) {
      const Glyph& g = glyph(cp, px);
      blit(target, g, pen + g.left, baseline - g.top, clipL, clipT, clipR, clipB, c);
      pen += g.advance;
      if (pen >= clipR) break;
    }
  }

  bool covers(char32_t cp) override { return FT_Get_Char_Index(face_, cp) != 0 || fallbackFor(cp) != nullptr; }

 private:
  int baselineOffset(int px) const {
    const int64_t asc = face_->ascender, desc = face_->descender;
    if (asc <= 0 || asc - desc <= 0) return (px * 7 + 4) / 8;  // a face without metrics
    return static_cast<int>((2 * px * asc + (asc - desc)) / (2 * (asc - desc)));
  }

  static void blit(Bitmap& t, const Glyph& g, int64_t gx, int64_t gy, int clipL, int clipT, int clipR,
                   int clipB, const uint32_t c[3]) {
    const int64_t x0 = std::max<int64_t>(gx, clipL), x1 = std::min<int64_t>(gx + g.width, clipR);
    const int64_t y0 = std::max<int64_t>(gy, clipT), y1 = std::min<int64_t>(gy + g.rows, clipB);
    for (int64_t yy = y0; yy < y1; ++yy) {
      const uint8_t* cov = g.coverage.data() + (yy - gy) * g.width;
      uint8_t* d = t.row(static_cast<int>(yy));
      for (int64_t xx = x0; xx < x1; ++xx) {
        const uint32_t a = cov[xx - gx];
        if (a == 0) continue;
        uint8_t* p = d + xx * 4;
        for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>((p[k] * (255 - a) + c[k] * a) / 255);
      }
    }
  }

  const Glyph& glyph(char32_t cp, int px) {
    const uint64_t key = (static_cast<uint64_t>(px) << 32) | cp;
    auto it = cache_.find(key);
    if (it != cache_.end()) return it->second;
    return cache_.emplace(key, render(cp, px)).first->second;
  }

  // The fallback face that has cp, opened on first use; null when there is none.
  SizedFace* fallbackFor(char32_t cp) {
    if (!fallback_) return nullptr;
    const auto known = fallbackOf_.find(cp);
    if (known != fallbackOf_.end()) return known->second < 0 ? nullptr : &fallbacks_[known->second];
    int at = -1;
    if (const std::optional<FontFile> file = fallback_(cp)) {
      const std::string key = file->path + "#" + std::to_string(file->index);
      const auto opened = fallbackFiles_.find(key);
      if (opened != fallbackFiles_.end()) {
        at = opened->second;
      } else {
        FT_Face face = nullptr;
        if (FT_New_Face(lib_, file->path.c_str(), file->index, &face) == 0) {
          if (FT_IS_SCALABLE(face)) {
            FT_Select_Charmap(face, FT_ENCODING_UNICODE);
            fallbacks_.push_back({face, 0});
            at = static_cast<int>(fallbacks_.size()) - 1;
          } else {
            FT_Done_Face(face);
          }
        }
        fallbackFiles_.emplace(key, at);
      }
      // A font that claims the character but maps it to no glyph does not count.
      if (at >= 0 && FT_Get_Char_Index(fallbacks_[at].face, cp) == 0) at = -1;
    }
    fallbackOf_.emplace(cp, at);
    return at < 0 ? nullptr : &fallbacks_[at];
  }

  Glyph render(char32_t cp, int px) {
    Glyph g;
    SizedFace* source = &own_;
    if (FT_Get_Char_Index(face_, cp) == 0)
      if (SizedFace* other = fallbackFor(cp)) source = other;
    if (px != source->sizePx) {
      if (FT_Set_Pixel_Sizes(source->face, 0, px) != 0) return g;
      source->sizePx = px;
    }
    const FT_Int32 load = kMonochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    const FT_Render_Mode mode = kMonochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
    if (FT_Load_Glyph(source->face, FT_Get_Char_Index(source->face, cp), load) != 0) return g;
    FT_GlyphSlot slot = source->face->glyph;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, mode) != 0) return g;
    const FT_Bitmap& b = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(b.width);
    g.rows = static_cast<int>(b.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
    for (int r = 0; r < g.rows; ++r) {
      const uint8_t* src = b.buffer + static_cast<ptrdiff_t>(r) * b.pitch;
      uint8_t* dst = g.coverage.data() + static_cast<size_t>(r) * g.width;
      for (int q = 0; q < g.width; ++q) {
        if (b.pixel_mode == FT_PIXEL_MODE_MONO) dst[q] = (src[q >> 3] >> (7 - (q & 7))) & 1 ? 255 : 0;
        else if (b.pixel_mode == FT_PIXEL_MODE_GRAY) dst[q] = src[q];
      }
    }
    return g;
  }

  FT_Library lib_;
  SizedFace own_;
  FT_Face face_;
  std::string family_, file_;
  std::unordered_map<uint64_t, Glyph> cache_;
  FallbackLookup fallback_;
  std::vector<SizedFace> fallbacks_;                    // the fallback faces opened so far
  std::unordered_map<std::string, int> fallbackFiles_;  // "path#index" -> fallbacks_ index, -1 unusable
  std::unordered_map<char32_t, int> fallbackOf_;        // code point -> fallbacks_ index, -1 none
};

// Font files asked whether they have a code point, those covering most of its script's
// block first (the order named among equals); each opened on first use.
class FontFiles {
 public:
  explicit FontFiles(std::vector<std::string> paths) : paths_(std::move(paths)), faces_(paths_.size()) {}
  ~FontFiles() {
    for (FT_Face f : faces_)
      if (f) FT_Done_Face(f);
    if (lib_) FT_Done_FreeType(lib_);
  }
  FontFiles(const FontFiles&) = delete;
  FontFiles& operator=(const FontFiles&) = delete;

  std::optional<FontFile> fontFor(char32_t cp) {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i : byCoverageOf(scriptBlockOf(cp)))
      if (FT_Get_Char_Index(faces_[i], cp) != 0) return FontFile{paths_[i], 0};
    return std::nullopt;
  }

 private:
  // The files FreeType opens, worked out once per block.
  const std::vector<size_t>& byCoverageOf(ScriptBlock block) {
    std::vector<size_t>& order = orders_[block.first];
    if (!order.empty()) return order;
    std::vector<std::pair<size_t, size_t>> counted;  // (code points covered, file)
    for (size_t i = 0; i < paths_.size(); ++i) {
      if (!face(i)) continue;
      size_t count = 0;
      for (char32_t c = block.first; c <= block.last; ++c) count += FT_Get_Char_Index(faces_[i], c) != 0;
      counted.emplace_back(count, i);
    }
    std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [count, i] : counted) order.push_back(i);
    return order;
  }

 private:
  FT_Face face(size_t i) {
    if (!opened_[i]) {
      opened_[i] = true;
      if ((lib_ || FT_Init_FreeType(&lib_) == 0) && FT_New_Face(lib_, paths_[i].c_str(), 0, &faces_[i]) == 0)
        FT_Select_Charmap(faces_[i], FT_ENCODING_UNICODE);
      else faces_[i] = nullptr;
    }
    return faces_[i];
  }

  std::vector<std::string> paths_;
  std::vector<FT_Face> faces_;
  std::vector<bool> opened_ = std::vector<bool>(paths_.size());
  FT_Library lib_ = nullptr;
  std::mutex mutex_;
  std::map<char32_t, std::vector<size_t>> orders_;  // by the block's first code point
};

}  // namespace

FallbackLookup fallbackFontFiles(std::vector<std::string> paths) {
  auto files = std::make_shared<FontFiles>(std::move(paths));
  return [files](char32_t cp) { return files->fontFor(cp); };
}

Result<std::shared_ptr<FontFace>> openFontFace(const std::string& path, int index, const std::string& family,
                                               FallbackLookup fallback) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) return fail("FreeType could not be initialised");
  FT_Face face = nullptr;
  if (FT_New_Face(lib, path.c_str(), index, &face) != 0) {
    FT_Done_FreeType(lib);
    return fail("cannot open the font file " + path);
  }
  if (!FT_IS_SCALABLE(face)) {
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return fail("the font file " + path + " holds no scalable face");
  }
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  std::string name = family.empty() && face->family_name ? face->family_name : family;
  return std::shared_ptr<FontFace>(
      std::make_shared<FreeTypeFace>(lib, face, std::move(name), path, std::move(fallback)));
}

}  // namespace shirakaba
