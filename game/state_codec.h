// The whole game state as bytes, for save files: every field of state_fields.h in its
// order, little-endian. Decoding checks every length and every value against what
// the game itself can produce, so that a state read from a file can never lead the
// game outside its tables or its screen.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "game/game_state.h"
#include "base/save_limits.h"
#include "game/state_fields.h"

namespace shirakaba {

// The fields that exist in `version` (an older format only for tests and seeds).
std::vector<uint8_t> encodeState(const GameState& state, uint32_t version = kSaveFormatVersion);
// The state as a save of format `version` holds it, or an Error naming the first field
// that is cut short or outside what the game can give it.
Result<GameState> decodeState(std::span<const uint8_t> bytes, const StateLimits& limits,
                              uint32_t version = kSaveFormatVersion);
// The first field outside what the game can give it ("Adv.Place is 12 (allowed: 0..11)"),
// or nothing: what a decoded state is checked against, and a state about to be saved.
std::optional<std::string> stateProblem(const GameState& state, const StateLimits& limits);

}  // namespace shirakaba
