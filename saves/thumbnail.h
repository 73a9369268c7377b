// The small picture of the screen that a save carries.
#pragma once
#include <cstdint>
#include <span>
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
// Whether the PNG's header gives the size thumbnails are made in. Only such a PNG is
// worth decoding: a damaged or crafted save may claim a size that takes seconds and
// gigabytes. Looks at the first 24 bytes only.
bool hasThumbnailSize(std::span<const uint8_t> png);

}  // namespace shirakaba
