// What a saved game can keep. The writer and the reader of saves take their limits
// from here, so that whatever one writes the other reads; the tools that make game
// data check against them, so that the game never holds what it could not save.
#pragma once
#include <cstddef>
#include <cstdint>

namespace shirakaba {

// The save format written now. Every field of a save says from which format on it
// exists, so that a save of any earlier format still loads.
constexpr uint32_t kSaveFormatVersion = 2;

constexpr size_t kMaxTextBytes = 64 * 1024;  // one line of a page or a hint, a caption, a message
constexpr uint32_t kMaxTextLines = 4096;      // the lines of a page or of a hint block
constexpr int kMaxPictureSide = 8192;         // the widest and the tallest CG
constexpr uint32_t kMaxStateBytes = 64u << 20;  // the whole game state, unpacked

}  // namespace shirakaba
