// `strings PACK OUT.pot`: the texts a player reads as a PO template, each script line
// under its label with its line number in the reference, then the program's own texts.
#include <filesystem>

#include "base/files.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/po.h"
#include "tools/pack/program_texts.h"
#include "tools/pack/script_texts.h"

namespace shirakaba {
namespace {

std::vector<std::string> templateComments(const std::string& packName) {
  return {
      "The texts of " + packName + " that a player reads, for translation.",
      "Made by shirakaba-pack strings. Translate the msgstr lines, then write the",
      "translated pack with: shirakaba-pack translate PACK LANG.po OUT",
      "",
      "Each entry is one script line, named by the label of its scene and its text",
      "(a number after the label tells apart equal lines of one scene); the comment",
      "\"#: script:78\" gives its line. After a change of the script, bring your file",
      "up to date with msgmerge: the names do not move when lines are added. A",
      "translation must stay one line, and must not begin with \"*\" (a label), hold",
      "\"=\" after its first character (a definition or command: use the full-width",
      "\"＝\"), be \"＜\" alone (a page break) or, in a hint block, \"END\" alone.",
      "Entries under \"program:\" are texts the program holds (menus, labels, the",
      "window's caption and dialogs); translate puts their translations into the",
      "script, where the game finds them. They too must not hold \"=\".",
  };
}

}  // namespace

int packStrings(const std::string& packPath, const std::string& potPath, std::ostream& out, std::ostream& err) {
  const Result<PackScript> pack = readPackScript(packPath);
  if (!pack) {
    err << "strings: " << pack.error() << "\n";
    return 1;
  }
  std::vector<PoEntry> entries;
  const std::vector<ScriptText> texts = playerTexts(pack->lines);
  for (const ScriptText& t : texts)
    entries.push_back({t.context(), true, pack->lines[static_cast<size_t>(t.index)], "", {t.describe()}, false, 0,
                       {t.reference()}});
  const std::vector<ProgramText> program = programTexts(platesOf(pack->bytes));
  for (const ProgramText& t : program)
    entries.push_back({t.context, true, t.text, "", {t.note}, false, 0, {}});

  const std::string packName = std::filesystem::path(packPath).filename().string();
  const std::string pot = writePo(templateComments(packName),
                                  {"Project-Id-Version: " + packName, "Report-Msgid-Bugs-To: ",
                                   "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE",
                                   "Last-Translator: FULL NAME <EMAIL@ADDRESS>",
                                   "Language-Team: LANGUAGE <LL@li.org>", "Language: ", "MIME-Version: 1.0",
                                   "Content-Type: text/plain; charset=UTF-8", "Content-Transfer-Encoding: 8bit"},
                                  entries);
  if (const Result<void> written = writeOutputFile(potPath, std::vector<uint8_t>(pot.begin(), pot.end())); !written) {
    err << "strings: " << written.error() << "\n";
    return 1;
  }
  out << potPath << ": " << texts.size() << " texts of the script, " << program.size() << " of the program\n";
  return 0;
}

}  // namespace shirakaba
