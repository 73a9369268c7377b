// How GoogleTest prints the game's named numbers in a failure: by name and number
// ("GameMode 6") rather than as raw bytes.
#pragma once
#include <cstdint>
#include <ostream>

#include "calendar/training_state.h"
#include "engine/game_mode.h"
#include "engine/script.h"

namespace shirakaba {

inline void PrintTo(GameMode m, std::ostream* os) { *os << "GameMode " << toInt(m); }
inline void PrintTo(TrainStep s, std::ostream* os) { *os << "TrainStep " << toInt(s); }
inline void PrintTo(ScriptCommand c, std::ostream* os) { *os << "ScriptCommand " << static_cast<int32_t>(c); }

}  // namespace shirakaba
