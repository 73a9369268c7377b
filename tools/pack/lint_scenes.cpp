// The lint's walk through the scenes: each scene is read from its label the way the
// interpreter and the page step consume lines, without drawing anything.
#include <deque>
#include <unordered_set>

#include "calendar/tables.h"
#include "engine/cg.h"
#include "engine/script.h"
#include "tools/pack/lint_internal.h"

namespace shirakaba::lint {
namespace {

std::string lineNo(int index) { return std::to_string(index + 1); }

// The label a choice continues at: the scene's label, "_" and the choice's number.
std::string continuation(const std::string& label, int k) { return label + "_" + std::to_string(k); }

bool isCG(const std::string& name) {
  for (int n = 1; n <= kCGs; ++n)
    if (GameCGTable[n].FileName && name == GameCGTable[n].FileName) return true;
  return false;
}

// Commands that need the next screen's compose step (a CG, a scene's end, the
// closing screen). Reached in phase 1 right after another command's transition,
// that step is skipped.
const char* composeStepLoss(int32_t command) {
  switch (command) {
    case 2: return "CG command right after a command line: its CG is never shown";
    case 3:
    case 5:
    case 12: return "end command right after a command line: the next screen is not composed";
    case 4: return "closing command right after a command line: the closing screen is not composed";
    default: return nullptr;
  }
}

class SceneWalker {
 public:
  SceneWalker(const IndexedScript& s, Report& r) : s_(s), r_(r) {}

  void markKnownLabel(const std::string& label) {
    const int i = s_.labelIndex(label);
    if (i >= 0) knownLabelLines_.insert(i);
  }

  void queue(const std::string& label) {
    if (seen_.insert(folded(label)).second) pending_.push_back(label);
  }

  SceneFacts run() {
    while (!pending_.empty()) {
      const std::string label = pending_.front();
      pending_.pop_front();
      const int at = s_.labelIndex(label);
      if (at >= 0) walk(label, at);  // a missing label is the label check's to report
    }
    return std::move(facts_);
  }

 private:
  enum : int { kEnds = -1 };

  void walk(const std::string& label, int labelLine) {
    const std::string scene = "scene " + label;
    int pos = labelLine + 1;
    if (pos >= s_.count()) {
      r_.add(labelLine, scene + " runs past the end of the script without an end command or a choice");
      return;
    }
    // The first line after the label is always taken as a command.
    if (!isCommandLine(s_.at(pos)))
      r_.add(pos, "the first line after label " + label + " is text: it is taken as the scene's first command "
                  "and never shown");
    pos = command(label, pos);
    while (pos != kEnds) {
      if (pos >= s_.count()) {
        r_.add(labelLine, scene + " runs past the end of the script without an end command or a choice");
        return;
      }
      if (isCommandLine(s_.at(pos))) {
        if (const char* loss = composeStepLoss(s_.commandAt(pos)); loss && isCommandLine(s_.at(pos - 1)))
          r_.add(pos, loss);
        pos = command(label, pos);
        continue;
      }
      // A page: one or two text lines, then a page break line is skipped.
      const TextUse::Kind kind = besideFace_ ? TextUse::FacePage : TextUse::Page;
      const int first = pos;
      for (int i = 0; i < 2; ++i) {
        if (knownLabelLines_.count(pos + i)) {
          r_.add(labelLine, scene + " has no end command before label " + s_.at(pos + i) + " on line " +
                                lineNo(pos + i));
          return;
        }
        const int next = pos + i + 1;
        if (i == 1 || next >= s_.count() || isCommandLine(s_.at(next)) || s_.at(next) == kPageBreak) {
          pos = next;
          break;
        }
      }
      for (int i = first; i < pos; ++i) facts_.texts.push_back({kind, label, i, i - first + 1, pos - first});
      besideFace_ = false;
      if (s_.at(pos) == kPageBreak) ++pos;
    }
  }

  // Runs the command at line at; returns the next line to read, or kEnds.
  int command(const std::string& label, int at) {
    const int32_t number = s_.commandAt(at);
    if (isCommandLine(s_.at(at))) facts_.commandLines[at] = number;
    besideFace_ = number == 9;  // a face command shows the page after it beside the face
    const std::string argument = lineValue(s_.at(at));
    const int next = at + 1;
    switch (number) {
      case 1: use(PictureKind::Background, argument, at); return next;
      case 2:
        if (!isCG(argument)) r_.add(at, "CG name \"" + argument + "\" is not in the CG table");
        return next;
      case 3:
      case 4:
      case 5:
      case 12: return kEnds;
      case 6: use(PictureKind::Sprite, argument, at); return next;
      case 7:
      case 8:
        use(PictureKind::Sprite, argument, at);
        if (next < s_.count() && isCommandLine(s_.at(next)))
          use(PictureKind::Sprite, lineValue(s_.at(next)), next);
        else
          r_.add(at, "the line after this two-sprite command is not a name=value line naming the second sprite");
        return next + 1;
      case 9:
        if (!argument.empty()) use(PictureKind::Face, argument, at);  // an empty name shows no face
        return next;
      case 11: choice(label, at); return kEnds;
      default: return next;  // 10, and names without a command number, do nothing
    }
  }

  // The choice block: two choice texts, then one integer per choice.
  void choice(const std::string& label, int at) {
    for (int k = 1; k <= 2; ++k)
      if (at + k < s_.count()) facts_.texts.push_back({TextUse::Choice, label, at + k, k, 2});
    for (int k = 1; k <= 2; ++k) {
      const int valueLine = at + 2 + k;
      int32_t v = 0;
      if (valueLine >= s_.count())
        r_.add(at, "choice " + std::to_string(k) + " has no value line before the end of the script");
      else if (!parseScriptInt(s_.at(valueLine), v))
        r_.add(valueLine, "choice value \"" + s_.at(valueLine) + "\" is not an integer");
    }
    for (int k = 1; k <= 2; ++k) {
      const std::string next = continuation(label, k);
      if (s_.labelIndex(next) < 0)
        r_.add(at, "the choice of scene " + label + " continues at " + next + ", which is missing");
      else
        queue(next);
    }
  }

  void use(PictureKind kind, const std::string& name, int at) { facts_.pictureUses.push_back({kind, name, at}); }

  const IndexedScript& s_;
  Report& r_;
  SceneFacts facts_;
  std::deque<std::string> pending_;
  std::unordered_set<std::string> seen_;
  std::unordered_set<int> knownLabelLines_;
  bool besideFace_ = false;
};

}  // namespace

SceneFacts walkScenes(const IndexedScript& s, const std::vector<std::string>& sceneLabels, Report& report) {
  SceneWalker walker(s, report);
  // Labels a scene must never run into: every scene and hint label, and every
  // continuation label that exists.
  std::vector<std::string> known(sceneLabels);
  for (size_t i = 0; i < known.size(); ++i)
    for (int k = 1; k <= 2; ++k)
      if (const std::string next = continuation(known[i], k); s.labelIndex(next) >= 0) known.push_back(next);
  for (const std::string& l : known) walker.markKnownLabel(l);
  for (const std::string& l : allHintLabels()) walker.markKnownLabel(l);
  for (const std::string& l : sceneLabels) walker.queue(l);
  return walker.run();
}

}  // namespace shirakaba::lint
