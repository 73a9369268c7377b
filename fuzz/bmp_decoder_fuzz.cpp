// Any bytes through the BMP decoder: it must answer with a bitmap or an error,
// and a bitmap it returns must hold exactly its rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

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
  // Touch every pixel the way the game draws, a row at a time; the last pixel of each
  // row read alone must give the same colour.
  std::vector<int> columns(static_cast<size_t>(b.width));
  std::iota(columns.begin(), columns.end(), 0);
  std::vector<uint8_t> line(columns.size() * 4);
  uint32_t sum = 0;
  for (int y = 0; y < b.height && b.width > 0; ++y) {
    b.readRow(y, columns.data(), b.width, line.data());
    const uint8_t* last = line.data() + (columns.size() - 1) * 4;
    if (b.colourAt(b.width - 1, y) != colourOfBgr(last) || last[3] != 0) std::abort();
    sum += last[0];
  }
  const auto again = encodeBmp(b);
  if (again.empty()) std::abort();
  return static_cast<int>(sum & 0);
}
