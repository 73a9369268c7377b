// Any bytes through the BMP decoder: it must answer with a bitmap or an error,
// and a bitmap it returns must hold exactly its rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace shirakaba;
  MemoryStream probeStream(data, size);
  auto probe = probeBmp(probeStream);
  MemoryStream s(data, size);
  BmpInfo info;
  auto r = decodeBmp(s, &info);
  if (probe.ok() != r.ok()) std::abort();
  if (!r.ok()) return 0;
  const Bitmap& b = r.value();
  if (info.extent > size || probe.value().extent != info.extent) std::abort();
  if (b.stride != Bitmap::strideFor(b.format, b.width)) std::abort();
  if (b.pixels.size() != static_cast<size_t>(b.stride) * static_cast<size_t>(b.height)) std::abort();
  // Touch every pixel the way the game does.
  uint32_t sum = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) sum += b.colourAt(x, y);
  const auto again = encodeBmp(b);
  if (again.empty()) std::abort();
  return static_cast<int>(sum & 0);
}
