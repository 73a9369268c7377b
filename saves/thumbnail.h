// The small picture of the screen that a save carries.
#pragma once
#include <cstdint>
#include <vector>

#include "base/bitmap.h"
#include "base/result.h"

namespace shirakaba {

constexpr int kThumbnailWidth = 160, kThumbnailHeight = 120;

// The screen reduced to 160 x 120, each pixel the mean of its 4 x 4 block; black when
// the screen is hidden.
Bitmap thumbnailOf(const Bitmap& screen, bool visible);
// The same as a PNG file's bytes.
Result<std::vector<uint8_t>> thumbnailPng(const Bitmap& screen, bool visible);

}  // namespace shirakaba
