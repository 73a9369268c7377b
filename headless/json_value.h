// JSON values for the headless state and the replay expectations, on nlohmann's
// library. Objects keep their members in the order they were added: the state is
// written in a fixed key order, and two objects are equal only in the same order.
#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "base/result.h"

namespace shirakaba {

using Json = nlohmann::ordered_json;

// Arrays and objects nested deeper than this are refused when read: a value that
// deep could only be written out and compared by deep recursion.
constexpr int kMaxJsonDepth = 64;

// Compact text (no blanks), non-ASCII as UTF-8. Bytes of a string that are not
// UTF-8 become U+FFFD, never an exception: script text can hold anything.
std::string toJsonText(const Json& value);

// One strict JSON text, blanks around it allowed; an Error with the reason when it
// is not one.
Result<Json> parseJsonText(std::string_view text);

}  // namespace shirakaba
