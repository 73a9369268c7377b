// Pieces shared by the lint's checks: the script with the game's lookups indexed
// once, the collected problems, and the walk through the scenes.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/pack/lint.h"
#include "tools/pack/program_texts.h"

namespace shirakaba::lint {

// The script with the engine's lookups: labels and names compare with A-Z folded and
// the first matching line wins. Indices are 0-based; past either end reads empty.
class IndexedScript {
 public:
  explicit IndexedScript(const std::vector<std::string>& lines);
  int count() const { return static_cast<int>(lines_.size()); }
  const std::string& at(int i) const;
  // The first line equal to the label, or -1.
  int labelIndex(const std::string& label) const;
  // The first line whose name equals name, or -1.
  int definitionIndex(const std::string& name) const;
  // The value of the name's definition as the interpreter reads it; false when the
  // name has no definition or its value is not an integer.
  bool definedInt(const std::string& name, int32_t& n) const;
  // The command number of line i as the interpreter reads it (0 for a text line).
  int32_t commandAt(int i) const;
  // Each name's first definition line, in no particular order.
  const std::unordered_map<std::string, int>& definitions() const { return nameIndex_; }

 private:
  const std::vector<std::string>& lines_;
  std::unordered_map<std::string, int> lineIndex_, nameIndex_;
};

// A-Z folded, as the engine compares labels and names.
std::string folded(const std::string& s);

class Report {
 public:
  // index is the 0-based script line, or -1 for a problem without a line.
  void add(int index, std::string message);
  // Sorted by line (those without a line first), exact repeats dropped.
  std::vector<LintProblem> take();

 private:
  std::vector<LintProblem> problems_;
};

enum class PictureKind { Background, Sprite, Face };

// A definition name a command or the calendar draws with.
struct NameUse {
  PictureKind kind;
  std::string name;
  int index;  // the command or data line that names it; -1 for the calendar
};

// A text line a scene shows: a line of a page (of one or two lines) or a choice.
struct TextUse {
  enum Kind { Page, FacePage, Choice } kind;  // FacePage: drawn beside the face a face command shows
  std::string scene;                          // the label of the scene that shows it
  int index;                                  // the script line
  int part, parts;                            // line part of parts in its page; choice part of 2
};

// What walking the scenes found, for the checks that look at the whole script.
struct SceneFacts {
  std::map<int, int32_t> commandLines;  // every command line a scene runs -> its number
  std::vector<NameUse> pictureUses;
  std::vector<TextUse> texts;  // in the order the walk meets them; a line may come more than once
};

// Walks every scene from its label as the interpreter consumes the lines, and each
// scene a choice continues into. Reports scenes that run off the end or into another
// label, lost first lines, commands that skip their screen's compose step, choice
// value lines and missing continuation labels.
SceneFacts walkScenes(const IndexedScript& s, const std::vector<std::string>& sceneLabels, Report& report);

// The own-text lines before the first label: each must read, name a text the program
// has and be the first for it. A script that is not UTF-8 has none: such lines there
// are reported as lines the game ignores.
void checkOwnTexts(const std::vector<std::string>& lines, bool utf8Block, Report& report);

// Texts wider than the room the game gives them: the script's text lines and, in a
// UTF-8 block, the translations of the program texts drawn on the game's screen.
void checkWidths(const std::vector<std::string>& lines, FontFace& font, const Plates& plates, bool utf8Block,
                 Report& report);

}  // namespace shirakaba::lint
