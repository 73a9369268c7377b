// A contact sheet of the 128 pictures of a pack, for looking the demo data over.
#pragma once
#include <string>

#include "base/result.h"

namespace shirakaba {

// Writes every picture of the pack scaled into a grid of labelled cells as a PNG;
// an Error when the pack cannot be read or the file written.
Result<void> writeContactSheet(const std::string& packPath, const std::string& pngPath);
// Writes picture n of the pack at full size as a PNG.
Result<void> writePicturePng(const std::string& packPath, int n, const std::string& pngPath);

}  // namespace shirakaba
