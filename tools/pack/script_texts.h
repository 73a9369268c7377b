// The texts of a script that a player reads: every line a scene shows on a page or
// as a choice, and every line of the calendar's hint blocks; never a label, a
// definition, a command or a line a command reads as data.
#pragma once
#include <string>
#include <vector>

#include "base/result.h"
#include "tools/pack/text_room.h"

namespace shirakaba {

struct ScriptText {
  enum Kind { Page, FacePage, Choice, Hint } kind;
  int index;          // the script line, from 0
  std::string label;  // the scene or hint block that shows it
  int part, parts;    // line part of parts of its page or hint block; choice part of 2
  bool unused = false;  // a scene the calendar never starts, under a label of its own
  int repeat = 1;       // 2 for the second line of the same text under the same label, ...
  // What names the text in a PO file with its msgid: the label, which does not move
  // when lines are added or removed elsewhere ("*op"; "*op (2)" for a repeat).
  std::string context() const;
  // The PO reference comment's word for the 1-based line: "script:124".
  std::string reference() const;
  // What the text is and how wide it may be, for the translator.
  std::string describe() const;
  // The room the line has before the edge of the message window (a choice: of the
  // screen) cuts it off, at the game's 12-point text.
  TextRoom room() const;
};

// The context of the repeat-th text of one wording under label.
std::string textContext(const std::string& label, int repeat);

// Every text line once, in script order: the scenes the calendar starts and those
// their choices continue into, the calendar's hint blocks, then the scenes under any
// other label that a command follows. A line keeps the first of these uses; empty
// lines and label lines are left out.
std::vector<ScriptText> playerTexts(const std::vector<std::string>& lines);

// A pack file: its bytes and its script's lines as the game reads them, less the
// own-text lines of a UTF-8 script, which are kept apart. Without them the lines are
// numbered as in the pack the translation was made from, so the texts keep their names.
struct PackScript {
  std::vector<uint8_t> bytes;
  std::vector<std::string> lines;
  std::vector<std::string> ownTextLines;  // as written, valid or not
};
Result<PackScript> readPackScript(const std::string& path);
// The same of a pack's bytes; name says which pack in an error.
Result<PackScript> packScriptOf(std::vector<uint8_t> bytes, const std::string& name);

}  // namespace shirakaba
