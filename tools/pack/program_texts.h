// The game's own texts that the program holds rather than the pack: menu captions,
// status labels, the version box, the closing line and the start-up messages. They
// are listed for translators; a translation of them is not put into the pack.
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

}  // namespace shirakaba
