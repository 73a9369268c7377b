// `translate PACK LANG.po OUT`: the pack with its script in UTF-8 and each translated
// text line in place of the original. Every other line stays as it is, so the script
// runs as before; a translation that would change that is refused and nothing is written.
// The program's own texts go into own-text lines before the script's first label.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/cp932.h"
#include "base/save_limits.h"
#include "base/stream.h"
#include "base/text.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/po.h"
#include "tools/pack/program_texts.h"
#include "tools/pack/script_texts.h"

namespace shirakaba {
namespace {

// Why the translated line would not run as the original does, or "" when it would.
std::string refusalOf(const std::string& line, ScriptText::Kind kind) {
  if (line.find_first_of("\r\n") != std::string::npos)
    return "the translation holds a line break: each entry is one script line";
  if (line.find('\0') != std::string::npos)
    return "the translation holds a NUL character, where the game stops reading the script";
  if (!isValidUtf8(line)) return "the translation is not valid UTF-8";
  if (line.size() > kMaxTextBytes)
    return "the translation is longer than a save keeps (" + std::to_string(kMaxTextBytes) + " bytes)";
  if (line[0] == '*') return "the translation begins with \"*\" and would read as a label (use the full-width \"＊\")";
  if (isCommandLine(line))
    return "the translation holds \"=\" after its first character and would read as a definition or a command "
           "(use the full-width \"＝\")";
  if (line == kPageBreak) return "the translation is \"＜\" alone and would read as a page break";
  if (kind == ScriptText::Hint && line == "END") return "the translation is \"END\" and would end the hint block";
  return "";
}

std::string where(const std::string& poName, const PoEntry& e) {
  return poName + " line " + std::to_string(e.line) + ", entry \"" + e.context + "\"";
}

// Why a translation of a program text cannot go into the script, or "".
std::string programRefusalOf(const std::string& context, const std::string& original, const std::string& text) {
  if (!isValidUtf8(text)) return "the translation is not valid UTF-8";
  if (text.find_first_of("\r\0") != std::string::npos)
    return "the translation holds a carriage return or a NUL character";
  const Result<OwnTextLine> back = parseOwnTextLine(formatOwnTextLine({context, original, text}));
  return back ? "" : "the translation cannot go into the script: " + back.error();
}

std::string widthOf(ScriptText::Kind kind) { return kind == ScriptText::Choice ? "the screen" : "the message window"; }

}  // namespace

int packTranslate(const std::string& packPath, const std::string& poPath, const std::string& outPath,
                  std::ostream& out, std::ostream& err) {
  const auto failed = [&](const std::string& message) {
    err << "translate: " << message << "\n";
    return 1;
  };
  Result<PackScript> pack = readPackScript(packPath);
  if (!pack) return failed(pack.error());
  const Result<std::vector<uint8_t>> poBytes = readFile(poPath);
  if (!poBytes) return failed(poBytes.error());
  const std::string poName = std::filesystem::path(poPath).filename().string();
  TranslationCount count;
  const Result<std::vector<uint8_t>> bytes = translatePack(std::move(pack).value(), packPath,
                                                           std::string(poBytes->begin(), poBytes->end()), poName,
                                                           err, count);
  if (!bytes) return failed(bytes.error());
  if (const Result<void> written = writeFile(outPath, bytes.value()); !written) return failed(written.error());
  out << outPath << ": " << count.translated << " of " << count.texts << " texts translated";
  if (count.ownTexts > 0) out << "; " << count.ownTexts << " of the program's own texts";
  out << "\n";
  return 0;
}

Result<std::vector<uint8_t>> translatePack(PackScript pack, const std::string& packName, const std::string& poText,
                                           const std::string& poName, std::ostream& err, TranslationCount& count) {
  const Result<std::vector<PoEntry>> entries = readPo(poText);
  if (!entries) return fail(poName + " " + entries.error());

  std::map<std::string, ScriptText> texts;
  for (ScriptText& t : playerTexts(pack.lines)) texts.emplace(t.context(), std::move(t));
  const Result<std::shared_ptr<FontFace>> font = findGameFont();
  if (!font) err << "translate: note: no game font found (" << font.error() << "); the widths were not checked\n";

  std::vector<std::string>& lines = pack.lines;
  std::vector<std::string> refusals;
  std::vector<std::string> ownTextLines;
  int translated = 0;
  for (const PoEntry& e : entries.value()) {
    if (!e.hasContext) {
      refusals.push_back(poName + " line " + std::to_string(e.line) + ": the entry \"" + e.id +
                         "\" has no msgctxt; every text of the game has one");
      continue;
    }
    const auto text = texts.find(e.context);
    const bool inProgram = isProgramText(e.context, e.id);
    if (!inProgram && (text == texts.end() || lines[static_cast<size_t>(text->second.index)] != e.id)) {
      refusals.push_back(where(poName, e) + ": no such text in " + packName +
                         "; the PO file belongs to another pack or script (make a new template with strings "
                         "and merge it with msgmerge)");
      continue;
    }
    if (e.fuzzy || e.str.empty()) continue;
    if (inProgram) {
      if (e.str == e.id) continue;  // the program's own text serves
      if (const std::string why = programRefusalOf(e.context, e.id, e.str); !why.empty())
        refusals.push_back(where(poName, e) + ": " + why);
      else
        ownTextLines.push_back(formatOwnTextLine({e.context, e.id, e.str}));
      continue;
    }
    const ScriptText& t = text->second;
    if (e.str != e.id) {
      if (const std::string why = refusalOf(e.str, t.kind); !why.empty()) {
        refusals.push_back(where(poName, e) + " (script line " + std::to_string(t.index + 1) + "): " + why);
        continue;
      }
    }
    lines[static_cast<size_t>(t.index)] = e.str;
    ++translated;
    if (!font || e.str == e.id) continue;
    const int width = font.value()->advance(e.str, pointsToPixels(12));
    if (width > t.widthLimit())
      err << "translate: warning: " << where(poName, e) << ": the translation is " << width
          << " pixels wide; " << widthOf(t.kind) << " cuts it off after " << t.widthLimit() << "\n";
  }
  if (!refusals.empty()) {
    for (const std::string& r : refusals) err << "translate: " << r << "\n";
    return fail("nothing written: " + std::to_string(refusals.size()) +
                (refusals.size() == 1 ? " entry refused" : " entries refused"));
  }

  // The pictures as they are, then the script in UTF-8 (the own texts first, before
  // any label, where no scene runs), then anything the old block held after its NUL.
  // Own-text lines of the pack read are replaced by those of this translation.
  std::vector<uint8_t> bytes(pack.bytes.begin(), pack.bytes.begin() + ScriptOffset);
  std::string block(kUtf8Bom);
  for (const std::string& line : ownTextLines) block += line + "\r\n";
  for (const std::string& line : lines) block += line + "\r\n";
  bytes.insert(bytes.end(), block.begin(), block.end());
  const auto nul = std::find(pack.bytes.begin() + ScriptOffset, pack.bytes.end(), uint8_t{0});
  bytes.insert(bytes.end(), nul, pack.bytes.end());
  count = {translated, static_cast<int>(texts.size()), static_cast<int>(ownTextLines.size())};
  return bytes;
}

}  // namespace shirakaba
