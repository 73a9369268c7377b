// Pictures as PNG: screen shots and the thumbnails of saves.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/result.h"

namespace shirakaba {

// Writes a width x height RGB picture of `image` (any pixel format; black where the
// image is smaller or `visible` is false), replacing the file only once the whole
// picture is written (see writeFile). An Error "cannot write PATH: REASON" on failure.
// The same picture as the bytes of a PNG file.
Result<std::vector<uint8_t>> encodeScreenPng(const Bitmap& image, bool visible, int width, int height);
Result<void> writeScreenPng(const std::string& path, const Bitmap& image, bool visible, int width, int height);

}  // namespace shirakaba
