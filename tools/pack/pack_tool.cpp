// shirakaba-pack's command table: each command names its arguments and its runner.
#include "tools/pack/pack_tool.h"

#include "tools/demo/demo.h"
#include "tools/pack/lint.h"
#include "tools/pack/old_contexts.h"
#include "tools/demo/demo_sheet.h"

namespace shirakaba {
namespace {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;
  const char* help;
  size_t minArgs, maxArgs;
  int (*run)(const Args& a, std::ostream& out, std::ostream& err);
};

int runBuild(const Args& a, std::ostream& out, std::ostream& err) { return packBuild(a[0], a[1], out, err); }

int runExtract(const Args& a, std::ostream& out, std::ostream& err) {
  bool utf8 = false;
  Args paths;
  for (const auto& s : a) {
    if (s == "--utf8")
      utf8 = true;
    else
      paths.push_back(s);
  }
  if (paths.size() != 2) {
    err << "usage: shirakaba-pack extract PACK DIR [--utf8]\n";
    return 2;
  }
  return packExtract(paths[0], paths[1], utf8, out, err);
}

int runCheck(const Args& a, std::ostream& out, std::ostream& err) { return packCheck(a[0], out, err); }

int runDemoCommand(const Args& a, std::ostream&, std::ostream& err) {
  if (a.size() == 1) return runDemo(a[0]);
  if (a.size() == 3 && a[0] == "--lang" && (a[1] == "ja" || a[1] == "en"))
    return runDemo(a[2], a[1] == "en" ? DemoLanguage::English : DemoLanguage::Japanese);
  err << "usage: shirakaba-pack demo [--lang ja|en] OUTDIR\n";
  return 2;
}

int runLint(const Args& a, std::ostream& out, std::ostream& err) { return packLint(a[0], out, err); }

int runStrings(const Args& a, std::ostream& out, std::ostream& err) { return packStrings(a[0], a[1], out, err); }

int runTranslate(const Args& a, std::ostream& out, std::ostream& err) {
  return packTranslate(a[0], a[1], a[2], out, err);
}

int runUpgradePo(const Args& a, std::ostream& out, std::ostream& err) { return packUpgradePo(a[0], a[1], out, err); }

int runDemoSheet(const Args& a, std::ostream&, std::ostream& err) {
  if (const Result<void> written = writeContactSheet(a[0], a[1]); !written) {
    err << "demo-sheet: " << written.error() << "\n";
    return 1;
  }
  return 0;
}

const Command kCommands[] = {
    {"build", "build DIR OUT",
     "pack DIR/000.bmp..127.bmp and DIR/script.txt into OUT (the script as CP932, or as UTF-8 when the\n"
     "      file begins with the UTF-8 byte-order mark)",
     2, 2, runBuild},
    {"extract", "extract PACK DIR [--utf8]",
     "write the pictures and script.txt of PACK into DIR (a CP932 script as it is, or in UTF-8 with\n"
     "      --utf8; a UTF-8 script with its byte-order mark)",
     2, 3, runExtract},
    {"check", "check PACK", "report every problem of PACK, one per line; exit status 1 if there is any", 1, 1,
     runCheck},
    {"demo", "demo [--lang ja|en] OUTDIR",
     "write the demo game data into OUTDIR, in Japanese (as written) or translated into English", 1, 3,
     runDemoCommand},
    {"lint", "lint PACK|SCRIPT",
     "report script lines the game cannot run as meant or shows cut off, one per line; exit status 1 if\n"
     "      there is any",
     1, 1,
     runLint},
    {"strings", "strings PACK OUT.pot",
     "write every text of PACK a player reads into the PO template OUT.pot, for translation", 2, 2, runStrings},
    {"translate", "translate PACK LANG.po OUT",
     "write PACK with the translations of LANG.po into OUT (the script in UTF-8); refuses, writing\n"
     "      nothing, a translation that would change how the script runs",
     3, 3, runTranslate},
    {"upgrade-po", "upgrade-po OLD.po NEW.po",
     "rename the entries of a PO file made by an earlier shirakaba-pack, named by script line\n"
     "      (msgctxt \"*op:78\"), by their scene and text, so that msgmerge can follow them; NEW may be OLD",
     2, 2, runUpgradePo},
    {"demo-sheet", "demo-sheet PACK OUT.png", "write a contact sheet of the 128 pictures of PACK as a PNG", 2, 2,
     runDemoSheet},
};

void printHelp(std::ostream& out) {
  out << "Usage: shirakaba-pack COMMAND ARGUMENTS\n\nCommands:\n";
  for (const auto& c : kCommands) out << "  " << c.usage << "\n      " << c.help << "\n";
  out << "  --help\n      show this text\n";
}

}  // namespace

int runPackTool(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    printHelp(err);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printHelp(out);
    return 0;
  }
  for (const auto& c : kCommands) {
    if (args[0] != c.name) continue;
    const Args rest(args.begin() + 1, args.end());
    if (rest.size() < c.minArgs || rest.size() > c.maxArgs) {
      err << "usage: shirakaba-pack " << c.usage << "\n";
      return 2;
    }
    return c.run(rest, out, err);
  }
  err << "shirakaba-pack: unknown command \"" << args[0] << "\" (see --help)\n";
  return 2;
}

}  // namespace shirakaba
