// Fields of the state by dotted path, as `expect PATH VALUE` names them.
#pragma once
#include <string_view>

#include "headless/json_value.h"

namespace shirakaba {

// Follows a dotted path ("Adv.TrainStep", "Page.0", "CharaStat.1.Affection"):
// object members by key, array elements by decimal index. Null when a step is missing.
const Json* lookupPath(const Json& root, std::string_view path);

}  // namespace shirakaba
