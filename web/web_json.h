// The game's menu bar and the list of saves as JSON for the page.
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include <nlohmann/json.hpp>

#include "game/core.h"
#include "saves/save_slots.h"

namespace shirakaba {

// [{"id", "name", "caption", "parent", "separator", "checked", "enabled", "visible",
//   "handler"}] in the menu's order.
nlohmann::ordered_json menuJson(const MenuState& menu);
// Every slot in a list's order: its name ("quick", "auto", "1".."12"), "state"
// ("empty", "filled", "unreadable"), the description (day, part of day, the first line
// of the page on the screen, when, time played), the thumbnail as a data: URL,
// why it cannot be read, and whether the player may choose it.
nlohmann::ordered_json slotsJson(const SaveSlots& slots, bool saving);
std::string base64(std::span<const uint8_t> bytes);

}  // namespace shirakaba
