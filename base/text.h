// Text on the game's canvases: one Japanese monospaced face found once and rasterised
// with FreeType, other fonts standing in for the characters it lacks; each canvas
// keeps its own font size, colour and brush until they are set again.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/result.h"

namespace shirakaba {

// Points at 96 dpi to the pixel height of the text cell: 12 -> 16, 14 -> 19, 16 -> 21.
int pointsToPixels(int points);

class FontFace {
 public:
  virtual ~FontFace() = default;
  virtual const std::string& family() const = 0;
  virtual const std::string& file() const = 0;
  // Advance width in pixels of UTF-8 text at a cell height of px.
  virtual int advance(const std::string& utf8, int px) = 0;
  // Draws the glyphs with the top-left of the text cell at (x, y), clipped to the bitmap.
  virtual void draw(Bitmap& target, int x, int y, const std::string& utf8, int px, Colour colour) = 0;
  // Whether the face, or one of its fallback fonts, has a glyph for the code point.
  virtual bool covers(char32_t cp) = 0;
};

// The game's face, with the fonts that draw the characters it lacks behind it, from
// where the platform keeps its fonts (font_source_*.cpp): on Linux "ＭＳ ゴシック" or
// else a Japanese monospaced face (IPAGothic) through fontconfig; an Error that says
// what to install when there is none. The result is kept for the process.
Result<std::shared_ptr<FontFace>> findGameFont();
// Loads a face from a file (for tests and tools); an Error when it cannot.
Result<std::shared_ptr<FontFace>> loadFontFile(const std::string& path);

enum class Brush : uint8_t { Clear = 0, Black = 1, White = 2 };

struct CanvasFont {
  int points = 12;
  Colour colour = kWhite;
  Brush brush = Brush::Clear;
  bool operator==(const CanvasFont&) const = default;
};

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::u32string utf8ToCodepoints(const std::string& utf8);

}  // namespace shirakaba
