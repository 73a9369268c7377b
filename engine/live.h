// Whether on-screen button n is live; numbers outside 1..14 never are.
#pragma once
#include "engine/state.h"

namespace shirakaba {

inline bool isLive(const ButtonState& b, int n) { return n >= 1 && n <= 14 && b.ButtonOn[n] != 0; }

}  // namespace shirakaba
