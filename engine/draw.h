// The three drawing surfaces and the routines that compose the screens on them.
// Every picture routine takes a target: the BackBuffer or the visible screen
// (ImageBa). Pictures are decoded from the pack for each draw.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "base/bitmap.h"
#include "base/text.h"
#include "engine/layouts.h"
#include "engine/pack.h"

namespace shirakaba {

constexpr int kScreenW = 640, kScreenH = 480;

// The game's one-byte target: 1 is the BackBuffer, anything else the screen.
enum class Target : uint8_t { Screen = 0, Back = 1 };

// The surfaces and what their canvases remember, as part of the game's state.
struct Surfaces {
  Bitmap BackBuffer;              // off-screen composition surface, 640 x 480
  bool backBufferCreated = false;
  Bitmap ImageBa = Bitmap::create32(kScreenW, kScreenH);  // the visible screen
  bool imageBaVisible = true;
  Bitmap ImageCG;                 // one CG at its own size while it is shown
  CanvasFont backFont, screenFont;  // each canvas keeps its font until it is set again
  bool operator==(const Surfaces&) const = default;
};

// What the drawing routines work with: the surfaces, the pack they read pictures
// from, the font, and who hears the text written on the screen.
struct DrawContext {
 private:
  std::unique_ptr<Surfaces> own_;  // only when made without surfaces of the game's

 public:
  explicit DrawContext(Surfaces& s, PackFile p = {});
  // With surfaces of its own: for tools, tests and benchmarks.
  DrawContext();
  DrawContext(const DrawContext&) = delete;
  DrawContext& operator=(const DrawContext&) = delete;

  PackFile pack;
  Surfaces& surfaces;
  Bitmap& BackBuffer;
  Bitmap& ImageBa;
  Bitmap& ImageCG;
  std::shared_ptr<FontFace> font;
  // Called with every text written on the screen (for the text log and screen readers).
  std::function<void(const std::string&)> onScreenText;

  Bitmap& target(Target t) { return t == Target::Back ? BackBuffer : ImageBa; }
  CanvasFont& canvasFont(Target t) { return t == Target::Back ? surfaces.backFont : surfaces.screenFont; }
};

// ---- Pictures from the pack ----
void DrawPic(DrawContext& c, int x, int y, int pic, Target target);
void StretchPic(DrawContext& c, int pic, Target target);
void CopyPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, Target target);
void TransPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, Target target);
// How LoadCG uses the CG.
enum class CGLoad { Hold = 1, ToBack = 2 };
// Hold: ImageCG takes the CG's size and holds it; ToBack: drawn at (0, 0) on the
// BackBuffer. False when the pack cannot be opened or the picture is broken.
bool LoadCG(DrawContext& c, int n, CGLoad mode);

// ---- Per-pixel primitives ----
// Blends src onto dest at `at`, weighted per pixel by byte x of row y of mask.
void MaskBlend(Bitmap& dest, Point at, Bitmap& src, const Bitmap& mask);
// Reads pic and maskPic from one stream and blends them onto dest.
void BlendPic(DrawContext& c, int x, int y, int pic, int maskPic, Bitmap& dest);
// Where ShadeRect puts the darkened copy of the BackBuffer.
enum class Shade { OntoBack = 0, OntoScreen = 1 };
// Rectangle r of the BackBuffer darkened to 80/255, onto the screen or back onto itself.
void ShadeRect(DrawContext& c, Shade mode, const Rect& r);
// Value as two 21 x 21 digit cells at (x, y) and (x + 21, y); above 99 shows 99.
void DrawNum2(DrawContext& c, int x, int y, int value, Target target);

// ---- Text ----
// The brushes SetTextFont sets: clear; solid black on both canvases; solid white on
// the screen (the BackBuffer keeps its brush).
enum class TextBrush { Clear = 0, Black = 1, WhiteOnScreen = 2 };
void SetTextFont(DrawContext& c, TextBrush kind, int size, Colour colour);
// Writes text with the canvas's current font; the top-left of the cell at (x, y).
// Text on the screen is passed to onScreenText unless `announce` is false (the page
// prompt, which is a sign, not text to read).
void TextOut(DrawContext& c, Target target, int x, int y, const std::string& utf8, bool announce = true);

// ---- Bitmap copies (any source format; destination 32-bit, never the source itself) ----
// Copies src rectangle onto dst rectangle, nearest neighbour when the sizes differ;
// clipped to both bitmaps.
void copyRect(const Bitmap& src, const Rect& srcRect, Bitmap& dst, const Rect& dstRect);
// Draws src whole at (x, y); with a key, pixels of exactly that colour are left out.
void drawBitmap(Bitmap& dst, int x, int y, const Bitmap& src, const Colour* key = nullptr);

}  // namespace shirakaba
