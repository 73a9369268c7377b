// Assembling and taking apart pack files.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "base/result.h"
#include "engine/pack.h"

namespace shirakaba {

// 128 BMP files (index = picture number) and the script block as stored: CP932, or
// UTF-8 after its byte-order mark.
struct PackContents {
  std::array<std::vector<uint8_t>, kPictureCount> pictures;
  std::string scriptCp932;
};

// Lays every picture at its compiled-in offset (picture 120 last, zero padding
// between) and the script from ScriptOffset. An Error naming the picture and both
// sizes when one is missing or larger than its slot.
Result<std::vector<uint8_t>> buildPack(const PackContents& in);
// Cuts each picture by its own headers; an Error when one cannot be.
Result<PackContents> splitPack(const std::vector<uint8_t>& pack);

}  // namespace shirakaba
