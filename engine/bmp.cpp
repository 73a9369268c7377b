// Not built yet.
#include "engine/bmp.h"

namespace shirakaba {
Result<Bitmap> decodeBmp(Stream&, BmpInfo*) { return {BmpError{"not built"}}; }
Result<BmpInfo> probeBmp(Stream&) { return {BmpError{"not built"}}; }
std::vector<uint8_t> encodeBmp(const Bitmap&) { return {}; }
}  // namespace shirakaba
