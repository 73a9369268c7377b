// Colours and small recipes shared by the demo's picture groups.
#pragma once
#include <string>

#include "tools/demo/painter.h"

namespace shirakaba::demo {

namespace colour {
inline const RGB kCream = hex(0xF6EFD9);
inline const RGB kIvory = hex(0xFFFBEF);
inline const RGB kBirch = hex(0xEDEAE0);
inline const RGB kBark = hex(0x3B3A36);
inline const RGB kLeaf = hex(0x6E9A52);
inline const RGB kDeepGreen = hex(0x24452F);
inline const RGB kMoss = hex(0x3F6B47);
inline const RGB kWood = hex(0x8A5A36);
inline const RGB kDarkWood = hex(0x4E3221);
inline const RGB kInk = hex(0x2B2118);
inline const RGB kGold = hex(0xE2B24A);
inline const RGB kKey = hex(0xFF00FF);  // transparent key of the sheets
inline const RGB kNight = hex(0x141E3C);
}  // namespace colour

// The pale birch-wood backdrop (picture 1) painted onto a canvas.
void paintBackdrop(Canvas& c);
// A soft-edged plate weight: a rounded box blurred by `soft` pixels.
Plane softPlate(int w, int h, float inset, float radius, int soft, float strength = 1);
// Pixels with less than half coverage become the key colour (for key-copied sheets).
void keyOut(Canvas& c, int x0, int y0, int x1, int y1);
// Copies a w x h region of src at (sx, sy) into a new canvas.
Canvas crop(const Canvas& src, int sx, int sy, int w, int h);
// The small name of a background in its corner.
void cornerName(Canvas& c, const std::string& name);

}  // namespace shirakaba::demo
