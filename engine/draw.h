// The three drawing surfaces and the routines that compose the screens on them.
// Every picture routine takes a one-byte target: 1 the BackBuffer, anything else
// the visible screen (ImageBa). Pictures are decoded from the pack for each draw.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "base/bitmap.h"
#include "engine/layouts.h"
#include "engine/pack.h"
#include "base/text.h"

namespace shirakaba {

constexpr uint8_t kToBack = 1;
constexpr uint8_t kToScreen = 0;
constexpr int kScreenW = 640, kScreenH = 480;

struct DrawContext {
  PackFile pack;
  Bitmap BackBuffer;              // off-screen composition surface, 640 x 480
  bool backBufferCreated = false;
  Bitmap ImageBa;                 // the visible screen, 640 x 480
  bool imageBaVisible = true;
  Bitmap ImageCG;                 // one CG at its own size while it is shown
  std::shared_ptr<FontFace> font;
  CanvasFont backFont, screenFont;
  // Called with every text written on the screen (for the text log and screen readers).
  std::function<void(const std::string&)> onScreenText;

  DrawContext();
  Bitmap& target(uint8_t t) { return t == kToBack ? BackBuffer : ImageBa; }
  CanvasFont& canvasFont(uint8_t t) { return t == kToBack ? backFont : screenFont; }
};

// ---- Pictures from the pack ----
void DrawPic(DrawContext& c, int x, int y, int pic, uint8_t target);
void StretchPic(DrawContext& c, int pic, uint8_t target);
void CopyPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, uint8_t target);
void TransPicRect(DrawContext& c, const Rect& src, const Rect& dst, int pic, uint8_t target);
// Mode 1: ImageCG takes the CG's size and holds it; mode 2: drawn at (0, 0) on the
// BackBuffer. False when the pack cannot be opened or the picture is broken.
bool LoadCG(DrawContext& c, int n, int mode);

// ---- Per-pixel primitives ----
// Blends src onto dest at `at`, weighted per pixel by byte x of row y of mask.
void MaskBlend(Bitmap& dest, Point at, Bitmap& src, const Bitmap& mask);
// Reads pic and maskPic from one stream and blends them onto dest.
void BlendPic(DrawContext& c, int x, int y, int pic, int maskPic, Bitmap& dest);
// Rectangle r of the BackBuffer darkened to 80/255: mode 1 onto the screen, mode 0 back.
void ShadeRect(DrawContext& c, int mode, const Rect& r);
// Value as two 21 x 21 digit cells at (x, y) and (x + 21, y); above 99 shows 99.
void DrawNum2(DrawContext& c, int x, int y, int value, uint8_t target);

// ---- Text ----
// kind 0 clear brush, 1 solid black on both canvases, 2 solid white on the screen.
void SetTextFont(DrawContext& c, int kind, int size, Colour colour);
// Writes text with the canvas's current font; the top-left of the cell at (x, y).
// Text on the screen is passed to onScreenText unless `announce` is false (the page
// prompt, which is a sign, not text to read).
void TextOut(DrawContext& c, uint8_t target, int x, int y, const std::string& utf8, bool announce = true);

// ---- Bitmap copies (any source format; destination 32-bit) ----
// Copies src rectangle onto dst rectangle, nearest neighbour when the sizes differ;
// clipped to both bitmaps.
void copyRect(const Bitmap& src, const Rect& srcRect, Bitmap& dst, const Rect& dstRect);
// Draws src whole at (x, y); with a key, pixels of exactly that colour are left out.
void drawBitmap(Bitmap& dst, int x, int y, const Bitmap& src, const Colour* key = nullptr);

}  // namespace shirakaba
