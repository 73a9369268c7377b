// The whole game state as bytes, for save files: every field in a fixed order,
// little-endian. Decoding checks every length and every value against what the game
// itself can produce, so that a state read from a file can never lead the game
// outside its tables or its screen.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "game/game_state.h"

namespace shirakaba {

// What a decoded state is checked against besides its own fields.
struct StateLimits {
  int scriptLines = 0;  // the script cursor may stand on any line or just past the last
};

std::vector<uint8_t> encodeState(const GameState& state);
// The state, or an Error naming the first field that is cut short or out of range.
Result<GameState> decodeState(std::span<const uint8_t> bytes, const StateLimits& limits);

}  // namespace shirakaba
