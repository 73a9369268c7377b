// The game's own texts that the program holds rather than the script: menu captions,
// status labels, the version box, the closing line and a message. translate puts
// their translations into the script as own-text lines (engine/own_texts.h).
#pragma once
#include <string>
#include <vector>

namespace shirakaba {

struct ProgramText {
  std::string context;  // "program:menu", "program:status", ...
  std::string text;
  std::string note;     // where the player sees it
};

// Each text once per context, in a fixed order.
std::vector<ProgramText> programTexts();
// Whether the text is one of them.
bool isProgramText(const std::string& context, const std::string& text);

}  // namespace shirakaba
