// Assembling and taking apart pack files.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/pack.h"

namespace shirakaba {

// 128 BMP files (index = picture number) and the script block in CP932.
struct PackContents {
  std::array<std::vector<uint8_t>, kPictureCount> pictures;
  std::string scriptCp932;
};

// Lays every picture at its compiled-in offset (picture 120 last, zero padding
// between) and the script from ScriptOffset. False with a message naming the
// picture and both sizes when one is missing or larger than its slot.
bool buildPack(const PackContents& in, std::vector<uint8_t>& out, std::string& error);
// Cuts each picture by its own headers; false with a message when one cannot be.
bool splitPack(const std::vector<uint8_t>& pack, PackContents& out, std::string& error);

}  // namespace shirakaba
