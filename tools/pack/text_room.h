// How much room a text has on the game's screen, and the width warning of translate
// and lint when a text needs more: measured in the game's font at the size it is drawn.
#pragma once
#include <string>

#include "base/text.h"

namespace shirakaba {

struct TextRoom {
  int points = 0;    // the size it is drawn in; 0 for a text the game's screen never shows
  int pixels = 0;    // from where it starts to what cuts it off
  std::string edge;  // what that is: "the message window", "the screen", "its plate"
};

// "" when every line of the text fits, else why not: "is 480 pixels wide; the message
// window cuts it off after 470".
std::string overflowOf(FontFace& font, const std::string& text, const TextRoom& room);
// For the template: "At most 470 pixels: 24 full-width or 49 half-width characters."
std::string describeRoom(const TextRoom& room);

}  // namespace shirakaba
