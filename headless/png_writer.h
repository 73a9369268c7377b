// Screen shots as PNG files.
#pragma once
#include <string>

#include "base/bitmap.h"

namespace shirakaba {

// Writes a width x height RGB picture of `image` (any pixel format; black where the
// image is smaller or `visible` is false). False with a message on failure.
bool writeScreenPng(const std::string& path, const Bitmap& image, bool visible, int width, int height,
                    std::string& error);

}  // namespace shirakaba
