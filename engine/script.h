// The script as a list of lines: a scene store, a dictionary of name=value
// definitions and a store of text blocks. Text is UTF-8 inside; lookups of labels
// and names ignore the case of the Latin letters A-Z only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/pack.h"

namespace shirakaba {

// The script's commands, by the numbers their definitions give them. Any other number
// (and 0, a text line) does nothing but start the transition.
enum class ScriptCommand : int32_t {
  None = 0,
  Background = 1,
  CG = 2,
  End = 3,          // end of scene; the calendar resumes
  Closing = 4,      // the closing screen of the story
  EndFollowUp = 5,  // end of scene, then the follow-up scene of the calendar's step
  Sprite = 6,
  TwoSprites = 7,
  TwoSpritesAlt = 8,  // the same as 7
  Face = 9,
  Transition = 10,  // nothing but the transition
  Choice = 11,
  EndArmNow = 12,   // end of scene; the event named next is armed at once
};

class ScriptLines {
 public:
  std::vector<std::string> lines;
  bool utf8 = false;  // read from a UTF-8 block (one that begins with the byte-order mark)

  int count() const { return static_cast<int>(lines.size()); }
  void clear() {
    lines.clear();
    utf8 = false;
  }
  // The line at i, or an empty line past either end.
  const std::string& at(int i) const;
  // Index of the first line equal to text (A-Z folded), or -1.
  int indexOf(const std::string& text) const;
  // The value of the first line whose name equals name (A-Z folded); false if none.
  bool valueOf(const std::string& name, std::string& value) const;
};

// Splits text at CR, LF or CR LF; a NUL byte ends it.
std::vector<std::string> splitLines(const std::string& text);
// The text of a script block's bytes (up to its NUL) as UTF-8: a block that begins
// with the UTF-8 byte-order mark is UTF-8 (the mark dropped), any other is CP932.
// Bytes that are not valid in their encoding become U+FFFD; never fails.
std::string decodeScriptBlock(const std::string& bytes);
// Reads the script block of the pack (ScriptOffset to the NUL or the end) and decodes
// it. False, with lines left empty, when the pack cannot be read.
bool LoadScript(const PackFile& pack, ScriptLines& lines);

bool equalsFolded(const std::string& a, const std::string& b);
// Line grammar: a command or definition line has its first "=" at the 2nd
// character or later.
bool isCommandLine(const std::string& line);
std::string lineName(const std::string& line);
std::string lineValue(const std::string& line);
constexpr const char* kPageBreak = "＜";
// Optional leading blanks and sign, then decimal digits, nothing after; false otherwise
// (also outside the signed 32-bit range).
bool parseScriptInt(const std::string& text, int32_t& out);

}  // namespace shirakaba
