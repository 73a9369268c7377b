#include "tools/pack/text_room.h"

#include <algorithm>

namespace shirakaba {

std::string overflowOf(FontFace& font, const std::string& text, const TextRoom& room) {
  if (room.points <= 0) return "";
  int widest = 0;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    widest = std::max(widest, font.advance(text.substr(start, end - start), pointsToPixels(room.points)));
    start = end + 1;
  }
  if (widest <= room.pixels) return "";
  return "is " + std::to_string(widest) + " pixels wide; " + room.edge + " cuts it off after " +
         std::to_string(room.pixels);
}

std::string describeRoom(const TextRoom& room) {
  const int full = pointsToPixels(room.points);  // the game's font: full width is the cell's height
  return "At most " + std::to_string(room.pixels) + " pixels: " + std::to_string(room.pixels / full) +
         " full-width or " + std::to_string(room.pixels * 2 / full) + " half-width characters.";
}

}  // namespace shirakaba
