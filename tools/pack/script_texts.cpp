// Finding the texts: the scenes are walked as the lint walks them, the hint blocks
// read from their labels up to "END" as the calendar writes them.
#include "tools/pack/script_texts.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/files.h"
#include "calendar/tables.h"
#include "engine/layouts.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "tools/pack/lint_internal.h"

namespace shirakaba {
namespace {

bool isLabelLine(const std::string& line) { return !line.empty() && line[0] == '*'; }

// Every hint block the calendar may write, also those its tables rule out for the game
// as it is set up.
std::vector<std::string> hintLabels() {
  std::vector<std::string> out = allHintLabels();
  out.push_back(kOtherStepHint);
  out.push_back(kInfoMayuStory);
  for (const HintRow& row : HintRows)
    if (row.locked) out.push_back(row.locked);
  return out;
}

ScriptText::Kind kindOf(lint::TextUse::Kind k) {
  switch (k) {
    case lint::TextUse::Page: return ScriptText::Page;
    case lint::TextUse::FacePage: return ScriptText::FacePage;
    default: return ScriptText::Choice;
  }
}

}  // namespace

std::string textContext(const std::string& label, int repeat) {
  return repeat == 1 ? label : label + " (" + std::to_string(repeat) + ")";
}

std::string ScriptText::context() const { return textContext(label, repeat); }
std::string ScriptText::reference() const { return "script:" + std::to_string(index + 1); }

TextRoom ScriptText::room() const {
  constexpr int kPoints = 12;
  switch (kind) {
    case Page: return {kPoints, MesRect.right - PageTextX, "the message window"};
    case FacePage: return {kPoints, MesRect.right - FacePageTextX, "the message window"};
    case Choice:  // only the first ChoiceLayout.W take the click
      return {kPoints, ScreenRect.right - ChoiceLayout.X, "the screen"};
    default: return {kPoints, MesRect.right - HintTextX, "the message window"};
  }
}

std::string ScriptText::describe() const {
  const std::string of = " " + std::to_string(part) + " of " + std::to_string(parts);
  std::string what;
  const std::string scene = unused ? label + " (a scene the calendar never starts)" : label;
  switch (kind) {
    case Page: what = "Page text of scene " + scene + ", line" + of; break;
    case FacePage: what = "Page text of scene " + scene + ", beside a face, line" + of; break;
    case Choice: what = "Choice" + of + " of scene " + scene; break;
    case Hint: what = "Hint text of the calendar (" + label + "), line" + of; break;
  }
  return what + ". " + describeRoom(room());
}

std::vector<ScriptText> playerTexts(const std::vector<std::string>& lines) {
  const lint::IndexedScript s(lines);
  std::map<int, ScriptText> byLine;  // emplace keeps a line's first use
  const auto addScenes = [&](const std::vector<std::string>& labels, bool unused) {
    lint::Report ignored;  // the lint tells about a broken script; here only its texts count
    for (const lint::TextUse& t : lint::walkScenes(s, labels, ignored).texts) {
      const std::string& label = s.at(s.labelIndex(t.scene));  // as the script writes it
      byLine.emplace(t.index, ScriptText{kindOf(t.kind), t.index, label, t.part, t.parts, unused});
    }
  };
  addScenes(allBuildableSceneLabels(), false);

  std::set<std::string> hints;
  for (const std::string& label : hintLabels()) {
    hints.insert(lint::folded(label));
    const int at = s.labelIndex(label);
    if (at < 0) continue;
    int end = at + 1;  // a block runs to its END; one that runs into a label or off the end is cut there
    while (end < s.count() && s.at(end) != "END" && !isLabelLine(s.at(end))) ++end;
    for (int i = at + 1; i < end; ++i)
      byLine.emplace(i, ScriptText{ScriptText::Hint, i, s.at(at), i - at, end - at - 1});
  }

  std::vector<std::string> others;
  for (int i = 0; i + 1 < s.count(); ++i)
    if (isLabelLine(s.at(i)) && !hints.count(lint::folded(s.at(i))) && isCommandLine(s.at(i + 1)))
      others.push_back(s.at(i));
  addScenes(others, true);

  std::vector<ScriptText> out;
  std::map<std::pair<std::string, std::string>, int> seen;  // (label, text) -> how often so far
  for (auto& [index, text] : byLine) {
    const std::string& line = lines[static_cast<size_t>(index)];
    if (line.empty() || isLabelLine(line)) continue;
    text.repeat = ++seen[{text.label, line}];
    out.push_back(std::move(text));
  }
  return out;
}

Result<PackScript> readPackScript(const std::string& path) {
  Result<std::vector<uint8_t>> bytes = readFile(path, kMaxPackBytes, "a pack");
  if (!bytes) return fail(bytes.error());
  return packScriptOf(std::move(bytes).value(), path);
}

Result<PackScript> packScriptOf(std::vector<uint8_t> bytes, const std::string& name) {
  if (bytes.size() < static_cast<size_t>(ScriptOffset))
    return fail(name + " is not a pack: it holds " + std::to_string(bytes.size()) + " bytes, fewer than the " +
                std::to_string(ScriptOffset) + " before its script");
  PackScript pack{std::move(bytes), {}, {}};
  const auto begin = pack.bytes.begin() + ScriptOffset;
  const std::string block(begin, std::find(begin, pack.bytes.end(), uint8_t{0}));
  pack.lines = splitLines(decodeScriptBlock(block));
  if (!startsWithUtf8Bom(block)) return pack;
  const auto head = pack.lines.begin() + ownTextRegionEnd(pack.lines);
  const auto own = std::stable_partition(pack.lines.begin(), head,
                                         [](const std::string& l) { return looksLikeOwnTextLine(l); });
  pack.ownTextLines.assign(pack.lines.begin(), own);
  pack.lines.erase(pack.lines.begin(), own);
  return pack;
}

}  // namespace shirakaba
