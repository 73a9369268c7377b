// zstd frames for the game state: in save files and in the rollback history.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace shirakaba {

// A zstd frame of the bytes, with their size in its header. Level 1 is fastest.
std::vector<uint8_t> compressBytes(std::span<const uint8_t> bytes, int level);
// The bytes of a frame that says it holds exactly `size` bytes, at most `limit`; an
// Error for a frame that is damaged or holds another size.
Result<std::vector<uint8_t>> decompressBytes(std::span<const uint8_t> frame, uint64_t size, uint64_t limit);

}  // namespace shirakaba
