// The script lint's checks over the whole script: the labels and hint blocks the
// calendar looks up, the command definitions, the picture numbers of every name a
// scene or the calendar draws with, and the font's coverage of the text.
#include "tools/pack/lint.h"

#include "base/glyphs.h"
#include "base/utf8.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "calendar/events.h"
#include "calendar/tables.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "tools/pack/lint_internal.h"

namespace shirakaba {
namespace lint {

std::string folded(const std::string& s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

IndexedScript::IndexedScript(const std::vector<std::string>& lines) : lines_(lines) {
  for (int i = 0; i < count(); ++i) {
    const std::string& line = lines_[static_cast<size_t>(i)];
    lineIndex_.emplace(folded(line), i);  // emplace keeps the first
    if (isCommandLine(line)) nameIndex_.emplace(folded(lineName(line)), i);
  }
}

const std::string& IndexedScript::at(int i) const {
  static const std::string empty;
  return i >= 0 && i < count() ? lines_[static_cast<size_t>(i)] : empty;
}

int IndexedScript::labelIndex(const std::string& label) const {
  const auto it = lineIndex_.find(folded(label));
  return it == lineIndex_.end() ? -1 : it->second;
}

int IndexedScript::definitionIndex(const std::string& name) const {
  const auto it = nameIndex_.find(folded(name));
  return it == nameIndex_.end() ? -1 : it->second;
}

bool IndexedScript::definedInt(const std::string& name, int32_t& n) const {
  const int d = definitionIndex(name);
  return d >= 0 && parseScriptInt(lineValue(at(d)), n);
}

int32_t IndexedScript::commandAt(int i) const {
  int32_t n = 0;
  return isCommandLine(at(i)) && definedInt(lineName(at(i)), n) ? n : 0;
}

void Report::add(int index, std::string message) { problems_.push_back({index < 0 ? 0 : index + 1, std::move(message)}); }

std::vector<LintProblem> Report::take() {
  std::vector<LintProblem> out;
  for (LintProblem& p : problems_) {
    const bool repeated = std::any_of(out.begin(), out.end(), [&](const LintProblem& q) {
      return q.line == p.line && q.message == p.message;
    });
    if (!repeated) out.push_back(std::move(p));
  }
  std::stable_sort(out.begin(), out.end(), [](const LintProblem& a, const LintProblem& b) { return a.line < b.line; });
  problems_.clear();
  return out;
}

namespace {

std::string lineNo(int index) { return std::to_string(index + 1); }
std::string quoted(const std::string& s) { return "\"" + s + "\""; }

void checkSceneLabels(const IndexedScript& s, const std::vector<std::string>& labels, Report& r) {
  for (const std::string& l : labels) {
    if (s.labelIndex(l) >= 0) continue;
    const int event = FindEvent(l);
    r.add(-1, "missing label " + l +
                  (event ? " (the scene of event " + std::to_string(event) + ")" : std::string(" (a scene)")));
  }
}

// A hint block is written from the line after its label up to the line before "END";
// a label line ("*...") or the end of the script means the block has no end.
void checkHintBlocks(const IndexedScript& s, Report& r) {
  for (const std::string& l : allHintLabels()) {
    const int at = s.labelIndex(l);
    if (at < 0) {
      r.add(-1, "missing label " + l + " (a hint block)");
      continue;
    }
    if (at + 1 < s.count() && s.at(at + 1) == "END") {
      r.add(at, "hint block " + l + " has END right after its label: END itself is written and the block runs on");
      continue;
    }
    for (int i = at + 1;; ++i) {
      if (i >= s.count()) {
        r.add(at, "hint block " + l + " does not end in END before the end of the script");
        break;
      }
      if (s.at(i) == "END") break;
      if (!s.at(i).empty() && s.at(i)[0] == '*') {
        r.add(at, "hint block " + l + " does not end in END before the label " + s.at(i) + " on line " + lineNo(i));
        break;
      }
    }
  }
}

void checkCommandDefinitions(const IndexedScript& s, const SceneFacts& facts, Report& r) {
  bool given[13] = {};
  for (const auto& [name, at] : s.definitions()) {
    int32_t n = 0;
    if (parseScriptInt(lineValue(s.at(at)), n) && n >= 1 && n <= 12) given[n] = true;
  }
  for (int n = 1; n <= 12; ++n)
    if (!given[n]) r.add(-1, "no definition gives command number " + std::to_string(n));

  // Each name once, at its first use (commandLines is ordered by line).
  std::unordered_map<std::string, bool> reported;
  for (const auto& [at, number] : facts.commandLines) {
    const std::string name = lineName(s.at(at));
    if (!reported.emplace(folded(name), true).second) continue;
    const int d = s.definitionIndex(name);
    const std::string value = lineValue(s.at(d));
    int32_t n = 0;
    if (d == at)
      r.add(at, "command name " + name + " is not defined before its first use");
    else if (!parseScriptInt(value, n))
      r.add(at, "command name " + name + " is defined on line " + lineNo(d) + " as " + quoted(value) +
                    ", not a number");
    else if (n < 1 || n > 12)
      r.add(at, "command name " + name + " is defined on line " + lineNo(d) + " as " + std::to_string(n) +
                    ", not a command number 1..12");
  }
}

struct PictureGroup {
  const char* what;
  int base, maskBase;  // maskBase 0: no mask
  int first, last;     // the pictures of the group; the mask's are shifted by maskBase - base
  bool zeroAllowed;    // 0 draws picture 1 (backgrounds) or nothing (faces)
};

const PictureGroup& groupOf(PictureKind kind) {
  static const PictureGroup background{"background", pic::BackgroundBase, 0, 30, 59, true};
  static const PictureGroup sprite{"sprite", pic::SpriteBase, pic::SpriteMaskBase, 60, 77, false};
  static const PictureGroup face{"face", pic::FaceBase, pic::FaceMaskBase, 96, 107, true};
  switch (kind) {
    case PictureKind::Background: return background;
    case PictureKind::Sprite: return sprite;
    default: return face;
  }
}

void checkPictureNumber(const IndexedScript& s, const NameUse& use, Report& r) {
  const PictureGroup& g = groupOf(use.kind);
  const std::string subject = std::string(g.what) + " " + use.name;
  const int d = s.definitionIndex(use.name);
  if (d < 0) {
    r.add(use.index, subject + (use.index < 0 ? ", which the calendar draws," : "") + " has no definition");
    return;
  }
  const std::string value = lineValue(s.at(d));
  int32_t n = 0;
  if (!parseScriptInt(value, n)) {
    r.add(d, subject + " is defined as " + quoted(value) + ", not a number");
    return;
  }
  if (n == 0 && g.zeroAllowed) return;
  const int64_t picture = int64_t{n} + g.base;
  if (picture >= g.first && picture <= g.last) return;
  std::string maps = "maps to picture " + std::to_string(picture);
  std::string outside = std::to_string(g.first) + ".." + std::to_string(g.last);
  if (g.maskBase) {
    const int shift = g.maskBase - g.base;
    maps = "maps to pictures " + std::to_string(picture) + " and " + std::to_string(picture + shift);
    outside += " and " + std::to_string(g.first + shift) + ".." + std::to_string(g.last + shift);
  }
  r.add(d, subject + " = " + std::to_string(n) + " " + maps + ", outside " + outside);
}

// Each name once per kind: at its first command use, else as the calendar's.
void checkPictureNames(const IndexedScript& s, const SceneFacts& facts, Report& r) {
  std::vector<NameUse> uses(facts.pictureUses);
  std::stable_sort(uses.begin(), uses.end(), [](const NameUse& a, const NameUse& b) { return a.index < b.index; });
  for (const std::string& n : allResolvedBackgroundNames()) uses.push_back({PictureKind::Background, n, -1});
  for (const std::string& n : allResolvedSpriteNames()) uses.push_back({PictureKind::Sprite, n, -1});
  for (const std::string& n : allResolvedFaceNames()) uses.push_back({PictureKind::Face, n, -1});
  std::unordered_map<std::string, bool> done;
  for (const NameUse& u : uses)
    if (done.emplace(std::to_string(static_cast<int>(u.kind)) + ":" + folded(u.name), true).second)
      checkPictureNumber(s, u, r);
}

std::string describe(char32_t cp) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
  if (cp < 0x20 || cp == 0x7F) return hex;
  return std::string(hex) + " " + quoted(codepointToUtf8(cp));
}

}  // namespace
}  // namespace lint

std::vector<char32_t> missingGlyphs(const std::vector<std::string>& lines, FontFace& font) {
  std::vector<char32_t> out;
  for (const MissingGlyph& m : findMissingGlyphs(lines, font)) out.push_back(m.cp);
  return out;
}

std::vector<LintProblem> lintScript(const std::vector<std::string>& linesUtf8, FontFace* font, bool utf8Block,
                                    const Plates& plates) {
  using namespace lint;
  const IndexedScript s(linesUtf8);
  Report r;
  const std::vector<std::string> scenes = allBuildableSceneLabels();
  checkSceneLabels(s, scenes, r);
  checkHintBlocks(s, r);
  const SceneFacts facts = walkScenes(s, scenes, r);
  checkCommandDefinitions(s, facts, r);
  checkPictureNames(s, facts, r);
  checkOwnTexts(linesUtf8, utf8Block, r);
  if (font) {
    for (const MissingGlyph& m : findMissingGlyphs(linesUtf8, *font))
      r.add(m.line, "character " + describe(m.cp) + " is in no installed font (the game's font is " +
                        font->family() + ")");
    checkWidths(linesUtf8, *font, plates, utf8Block, r);
  }
  return r.take();
}

}  // namespace shirakaba
