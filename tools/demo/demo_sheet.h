// A contact sheet of the 128 pictures of a pack, for looking the demo data over.
#pragma once
#include <string>

namespace shirakaba {

// Writes every picture of the pack scaled into a grid of labelled cells as a PNG;
// false with a message when the pack cannot be read or the file written.
bool writeContactSheet(const std::string& packPath, const std::string& pngPath, std::string& error);
// Writes picture n of the pack at full size as a PNG.
bool writePicturePng(const std::string& packPath, int n, const std::string& pngPath, std::string& error);

}  // namespace shirakaba
