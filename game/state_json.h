// The game's state as JSON, by the game's own names and in a fixed key order: what
// the headless mode prints for `state` and checks `expect` lines against.
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace shirakaba {

class Game;

// `sounds`: the sounds the caller has seen started since it last asked.
nlohmann::ordered_json describeState(const Game& game, const std::vector<std::string>& sounds);

}  // namespace shirakaba
