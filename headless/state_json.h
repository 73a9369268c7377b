// The game's state as one JSON object with a fixed key order, for `state` and `expect`.
#pragma once
#include "headless/json_value.h"
#include "engine/form.h"

namespace shirakaba {

// `sounds` lists form.soundsStarted as it stands; the caller decides when to clear it.
Json buildStateJson(const TXP_Form& form);

}  // namespace shirakaba
