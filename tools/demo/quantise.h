// Turns a 32-bit picture into an 8-bit palettised one for the pictures whose
// place in the pack is too small for 24 bits: a median-cut palette of the
// picture's own colours. A key colour, when given, keeps an exact palette entry
// of its own that no other pixel maps to, so transparent copies still work.
#pragma once
#include "base/bitmap.h"

namespace shirakaba::demo {

Bitmap quantise(const Bitmap& picture32, const Colour* key = nullptr);

}  // namespace shirakaba::demo
