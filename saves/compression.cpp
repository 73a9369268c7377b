#include "saves/compression.h"

#include <zstd.h>

namespace shirakaba {

std::vector<uint8_t> compressBytes(std::span<const uint8_t> bytes, int level) {
  std::vector<uint8_t> out(ZSTD_compressBound(bytes.size()));
  const size_t n = ZSTD_compress(out.data(), out.size(), bytes.data(), bytes.size(), level);
  // Compressing into a buffer of compressBound's size cannot fail. The frame is kept
  // (in save files, in the rollback history) at its own size, not the bound's.
  out.resize(ZSTD_isError(n) ? 0 : n);
  out.shrink_to_fit();
  return out;
}

Result<std::vector<uint8_t>> decompressBytes(std::span<const uint8_t> frame, uint64_t size, uint64_t limit) {
  if (size > limit) return fail("its size is too large");
  if (ZSTD_getFrameContentSize(frame.data(), frame.size()) != size) return fail("its size does not match");
  std::vector<uint8_t> out(size);
  const size_t n = ZSTD_decompress(out.data(), out.size(), frame.data(), frame.size());
  if (ZSTD_isError(n) || n != size) return fail("it cannot be unpacked");
  return out;
}

}  // namespace shirakaba
