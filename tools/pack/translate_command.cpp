// `translate PACK LANG.po OUT`: the pack with its script in UTF-8 and each translated
// text line in place of the original. Every other line stays as it is, so the script
// runs as before; a translation that would change that is refused and nothing is written.
// The program's own texts go into own-text lines before the script's first label.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/cp932.h"
#include "base/files.h"
#include "base/save_limits.h"
#include "base/text.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "tools/pack/old_contexts.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/po.h"
#include "tools/pack/program_texts.h"
#include "tools/pack/script_texts.h"

namespace shirakaba {
namespace {

// Obsolete entries are each named up to this many; the rest are counted.
constexpr size_t kObsoleteShown = 10;

// Why the translated text would not read back as one text: "" when it would.
std::string brokenTextOf(const std::string& text) {
  if (text.find('\0') != std::string::npos)
    return "the translation holds a NUL character, where the game stops reading the script";
  if (text.find('\r') != std::string::npos) return "the translation holds a carriage return";
  if (!isValidUtf8(text)) return "the translation is not valid UTF-8";
  return "";
}

// Why the translated line would not run as the original does, or "" when it would.
std::string refusalOf(const std::string& line, ScriptText::Kind kind) {
  if (line.find('\n') != std::string::npos) return "the translation holds a line break: each entry is one script line";
  if (const std::string broken = brokenTextOf(line); !broken.empty()) return broken;
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

// Why a translation of a program text cannot go into the script, or "".
std::string programRefusalOf(const std::string& context, const std::string& original, const std::string& text) {
  if (const std::string broken = brokenTextOf(text); !broken.empty()) return broken;
  const Result<OwnTextLine> back = parseOwnTextLine(formatOwnTextLine({context, original, text}));
  return back ? "" : "the translation cannot go into the script: " + back.error();
}

// The entry as a message names it: the PO file's line, its msgctxt and its msgid (many
// program texts share one msgctxt).
std::string where(const std::string& poName, const PoEntry& e) {
  return poName + " line " + std::to_string(e.line) + ", entry " +
         (e.hasContext ? quotedForMessage(e.context) + " " : std::string()) + quotedForMessage(e.id);
}

// What translate makes of the entries: the script lines replaced, the own-text lines,
// and what it has to say about the others.
class Translator {
 public:
  Translator(PackScript& pack, const std::string& poName, FontFace* font)
      : pack_(pack), poName_(poName), font_(font), program_(programTexts(platesOf(pack.bytes))) {
    for (ScriptText& t : playerTexts(pack.lines)) {
      const std::string text = pack.lines[static_cast<size_t>(t.index)];
      texts_.emplace(std::pair{t.context(), text}, std::move(t));
    }
  }

  void take(const PoEntry& e) {
    if (e.fuzzy || e.str.empty()) return;  // the original stays; only translations can be refused
    ++translatedEntries_;
    const ProgramText* program = e.hasContext ? findProgramText(program_, e.context, e.id) : nullptr;
    const auto text = e.hasContext ? texts_.find({e.context, e.id}) : texts_.end();
    if (!program && text == texts_.end()) {
      obsolete_.push_back(where(poName_, e));
      return;
    }
    ++matched_;
    if (program) return takeProgramText(e, *program);
    const ScriptText& t = text->second;
    if (e.str != e.id) {
      if (const std::string why = refusalOf(e.str, t.kind); !why.empty()) {
        refusals_.push_back(where(poName_, e) + " (script line " + std::to_string(t.index + 1) + "): " + why);
        return;
      }
      warnIfTooWide(e, t.room());
    }
    if (done_.insert(t.index).second) pack_.lines[static_cast<size_t>(t.index)] = e.str;  // the first entry wins
  }

  int texts() const { return static_cast<int>(texts_.size()); }
  int translated() const { return static_cast<int>(done_.size()); }
  const std::vector<std::string>& ownTextLines() const { return ownTextLines_; }
  const std::vector<std::string>& refusals() const { return refusals_; }
  const std::vector<std::string>& warnings() const { return warnings_; }
  const std::vector<std::string>& obsolete() const { return obsolete_; }
  // Whether the file has translations and none of them is a text of the pack.
  bool foreign() const { return translatedEntries_ > 0 && matched_ == 0; }

 private:
  void takeProgramText(const PoEntry& e, const ProgramText& t) {
    if (e.str == e.id) return;  // the program's own text serves
    if (const std::string why = programRefusalOf(e.context, e.id, e.str); !why.empty()) {
      refusals_.push_back(where(poName_, e) + ": " + why);
      return;
    }
    warnIfTooWide(e, t.room);
    ownTextLines_.push_back(formatOwnTextLine({e.context, e.id, e.str}));
  }

  void warnIfTooWide(const PoEntry& e, const TextRoom& room) {
    if (!font_) return;
    if (const std::string over = overflowOf(*font_, e.str, room); !over.empty())
      warnings_.push_back(where(poName_, e) + ": the translation " + over);
  }

  PackScript& pack_;
  const std::string& poName_;
  FontFace* font_;
  const std::vector<ProgramText> program_;
  std::map<std::pair<std::string, std::string>, ScriptText> texts_;  // (context, text)
  std::vector<std::string> ownTextLines_, refusals_, warnings_, obsolete_;
  std::set<int> done_;  // the script lines translated
  int translatedEntries_ = 0, matched_ = 0;
};

void tellObsolete(const std::vector<std::string>& obsolete, const std::string& packName, const std::string& poName,
                  std::ostream& err) {
  if (obsolete.empty()) return;
  for (size_t i = 0; i < obsolete.size() && i < kObsoleteShown; ++i)
    err << "translate: " << obsolete[i] << ": obsolete, no longer a text of " << packName << "; skipped\n";
  if (obsolete.size() > kObsoleteShown)
    err << "translate: and " << obsolete.size() - kObsoleteShown << " more obsolete entries, skipped\n";
  err << "translate: to bring " << poName << " up to date, make a new template with strings and merge it: "
      << "msgmerge -U " << poName << " game.pot\n";
}

}  // namespace

int packTranslate(const std::string& packPath, const std::string& poPath, const std::string& outPath,
                  std::ostream& out, std::ostream& err) {
  const auto failed = [&](const std::string& message) {
    err << "translate: " << message << "\n";
    return 1;
  };
  Result<PackScript> pack = readPackScript(packPath);
  if (!pack) return failed(pack.error());
  const Result<std::string> po = readPoFile(poPath);
  if (!po) return failed(po.error());
  const std::string poName = std::filesystem::path(poPath).filename().string();
  TranslationCount count;
  const Result<std::vector<uint8_t>> bytes = translatePack(std::move(pack).value(), packPath, po.value(), poName,
                                                           err, count);
  if (!bytes) return failed(bytes.error());
  if (const Result<void> written = writeOutputFile(outPath, bytes.value()); !written) return failed(written.error());
  out << outPath << ": " << count.translated << " of " << count.texts << " texts translated";
  if (count.ownTexts > 0) out << "; " << count.ownTexts << " of the program's own texts";
  out << "\n";
  return 0;
}

Result<std::vector<uint8_t>> translatePack(PackScript pack, const std::string& packName, const std::string& poText,
                                           const std::string& poName, std::ostream& err, TranslationCount& count) {
  Result<std::vector<PoEntry>> entries = readPo(poText);
  if (!entries) return fail(poName + " " + entries.error());
  if (renameLineContexts(entries.value()) > 0)
    err << "translate: note: " << poName << " names its entries by script line (msgctxt \"*op:78\"), as "
        << "shirakaba-pack did before; they were read by their scene and text. Before merging it with msgmerge, "
        << "rename them once: shirakaba-pack upgrade-po " << poName << " " << poName << "\n";
  const Result<std::shared_ptr<FontFace>> font = findGameFont();
  if (!font) err << "translate: note: no game font found (" << font.error() << "); the widths were not checked\n";

  Translator translator(pack, poName, font ? font.value().get() : nullptr);
  for (const PoEntry& e : entries.value()) translator.take(e);
  for (const std::string& w : translator.warnings()) err << "translate: warning: " << w << "\n";
  tellObsolete(translator.obsolete(), packName, poName, err);
  if (translator.foreign())
    return fail("nothing written: no translated entry of " + poName + " is a text of " + packName +
                "; the PO file belongs to another pack");
  if (!translator.refusals().empty()) {
    for (const std::string& r : translator.refusals()) err << "translate: " << r << "\n";
    const size_t n = translator.refusals().size();
    return fail("nothing written: " + std::to_string(n) + (n == 1 ? " entry refused" : " entries refused"));
  }

  // The pictures as they are, then the script in UTF-8 (the own texts first, before
  // any label, where no scene runs), then anything the old block held after its NUL.
  // Own-text lines of the pack read are replaced by those of this translation.
  std::vector<uint8_t> bytes(pack.bytes.begin(), pack.bytes.begin() + ScriptOffset);
  std::string block(kUtf8Bom);
  for (const std::string& line : translator.ownTextLines()) block += line + "\r\n";
  for (const std::string& line : pack.lines) block += line + "\r\n";
  bytes.insert(bytes.end(), block.begin(), block.end());
  const auto nul = std::find(pack.bytes.begin() + ScriptOffset, pack.bytes.end(), uint8_t{0});
  bytes.insert(bytes.end(), nul, pack.bytes.end());
  count = {translator.translated(), translator.texts(), static_cast<int>(translator.ownTextLines().size())};
  if (bytes.size() > kMaxPackBytes)  // the game would refuse to read it
    return fail("the translations are too long: " + tooLarge("the pack", bytes.size(), kMaxPackBytes, "a pack"));
  return bytes;
}

}  // namespace shirakaba
