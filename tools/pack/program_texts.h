// The game's own texts that the program holds rather than the script: menu captions,
// status labels, the version box, the closing line and a message. translate puts
// their translations into the script as own-text lines (engine/own_texts.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/stream.h"
#include "tools/pack/text_room.h"

namespace shirakaba {

// The right edges of the plates the status labels are drawn on, as the pack's
// pictures make them; 0 where a picture cannot be read.
struct Plates {
  int timePanel = 0, statusTable = 0, panel = 0;
};
// The plates of the pack in the stream (positioned anywhere).
Plates platesOf(Stream& pack);
Plates platesOf(const std::vector<uint8_t>& pack);

struct ProgramText {
  std::string context;  // "program:menu", "program:status", ...
  std::string text;
  std::string note;     // where the player sees it, and how wide it may be there
  TextRoom room;        // none for the texts of the window and its dialogs
};

// Each text once per context, in a fixed order, with the width limits the plates give
// (a plate that does not reach a label leaves it the screen's edge).
std::vector<ProgramText> programTexts(const Plates& plates = {});
// Whether the text is one of them.
bool isProgramText(const std::string& context, const std::string& text);
// The text as programTexts gives it, or nullptr.
const ProgramText* findProgramText(const std::vector<ProgramText>& texts, const std::string& context,
                                   const std::string& text);

}  // namespace shirakaba
