// The translator's commands: strings lists exactly the texts a player reads, translate
// puts translations in their place and refuses, writing nothing, whatever would change
// how the script runs; a translation that copies every text gives the same script back;
// and a translation merged with msgmerge after the script changed keeps every entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include <sys/stat.h>

#include "base/files.h"
#include "base/save_limits.h"
#include "base/stream.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"
#include "tools/pack/lint.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/po.h"
#include "tools/pack/script_texts.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A scene of every kind of line, its two continuations, a hint block and a scene the
// calendar never starts.
const Lines kScript = {
    "bg=1", "end=3", "face=9", "choice=11", "hall=2",
    "*op", "bg=hall", "一行目", "二行目", "＜", "face=hall", "顔の横", "choice=", "はい", "いいえ", "1", "2", "",
    "*op_1", "bg=hall", "続き一", "end=", "kyouko_2", "一晩", "",
    "*op_2", "bg=hall", "END", "end=", "",
    "*A_Kekka", "ヒント一", "ヒント二", "END",
    "*extra", "bg=hall", "使われない", "使われない", "end=",  // one text twice in one scene
};

int lineOf(const std::string& text) {
  return static_cast<int>(std::find(kScript.begin(), kScript.end(), text) - kScript.begin()) + 1;
}
std::string scriptOf(const Lines& lines) {
  std::string script;
  for (const std::string& l : lines) script += l + "\r\n";
  return script;
}

bool haveMsgfmt() { return std::system("msgfmt --version > /dev/null 2>&1") == 0; }
int msgfmtCheck(const std::string& po) { return std::system(("msgfmt -c -o /dev/null '" + po + "' 2>/dev/null").c_str()); }

class Translation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::makeTempDir("translation");
    ASSERT_FALSE(dir_.empty());
    ASSERT_TRUE(test::writeTestPack(dir_, {}, scriptOf(kScript)));
    pack_ = path("data/lumora.red");
  }
  std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }

  int run(const std::vector<std::string>& args) {
    out_.str({});
    err_.str({});
    return runPackTool(args, out_, err_);
  }

  std::vector<PoEntry> templateOf(const std::string& packPath) {
    EXPECT_EQ(run({"strings", packPath, path("t.pot")}), 0) << err_.str();
    return readEntries(path("t.pot"));
  }
  std::vector<PoEntry> readEntries(const std::string& poPath) {
    const Result<std::vector<uint8_t>> bytes = readFile(poPath, test::kTestReadLimit);
    EXPECT_TRUE(bytes) << poPath;
    if (!bytes) return {};
    Result<std::vector<PoEntry>> entries = readPo(std::string(bytes->begin(), bytes->end()));
    EXPECT_TRUE(entries) << entries.error();
    return entries ? entries.value() : std::vector<PoEntry>{};
  }
  std::string writeEntries(const std::vector<PoEntry>& entries, const std::string& name) {
    const std::string po = writePo({}, {"Content-Type: text/plain; charset=UTF-8"}, entries);
    EXPECT_TRUE(writeFile(path(name), std::vector<uint8_t>(po.begin(), po.end())));
    return path(name);
  }

  // The template of the pack with the translations given filled in, by msgid, or by
  // msgctxt for every program text under it.
  std::string writeTranslation(const std::map<std::string, std::string>& translations, const std::string& name,
                               const std::string& fuzzyText = "") {
    std::vector<PoEntry> entries = templateOf(pack_);
    for (PoEntry& e : entries) {
      const bool program = e.context.rfind("program:", 0) == 0;
      if (const auto it = translations.find(program ? e.context : e.id); it != translations.end()) e.str = it->second;
      e.fuzzy = e.id == fuzzyText;
    }
    return writeEntries(entries, name);
  }

  // The lint's own-text problems of a pack, one a line.
  std::string describeLint(const std::string& packPath) {
    bool utf8 = false;
    const Result<Lines> lines = readLintInput(packPath, &utf8);
    EXPECT_TRUE(lines && utf8);
    std::string out;
    for (const LintProblem& p : lintScript(lines.value(), nullptr, utf8))
      if (p.message.find("own-text") != std::string::npos) out += std::to_string(p.line) + ": " + p.message + "\n";
    return out;
  }

  Lines loadLines(const std::string& packPath) {
    ScriptLines s;
    EXPECT_TRUE(LoadScript(PackFile(packPath), s));
    return s.lines;
  }

  std::string dir_, pack_;
  std::ostringstream out_, err_;
};

TEST_F(Translation, TheTemplateListsEveryTextAPlayerReadsAndNothingElse) {
  const std::vector<PoEntry> entries = templateOf(pack_);
  std::vector<std::pair<std::string, std::string>> script;  // context, text
  std::vector<std::string> references;
  std::map<std::string, std::string> notes;
  bool menu = false, status = false;
  for (const PoEntry& e : entries) {
    EXPECT_TRUE(e.hasContext);
    EXPECT_EQ(e.str, "");
    ASSERT_EQ(e.notes.size(), 1u) << e.context;
    if (e.context.rfind("program:", 0) == 0) {
      menu |= e.context == "program:menu" && e.id == "はじめる";
      status |= e.context == "program:status" && e.id == "自習";
      continue;
    }
    script.emplace_back(e.context, e.id);
    ASSERT_EQ(e.references.size(), 1u) << e.context;
    references.push_back(e.references[0]);
    notes[e.id] = e.notes[0];
  }
  EXPECT_TRUE(menu && status);
  // Named by the scene's label, the line only in the reference.
  const std::vector<std::pair<std::string, std::string>> expected{
      {"*op", "一行目"},       {"*op", "二行目"},         {"*op", "顔の横"},    {"*op", "はい"},
      {"*op", "いいえ"},       {"*op_1", "続き一"},       {"*op_2", "END"},  // "END" on a page is text
      {"*A_Kekka", "ヒント一"}, {"*A_Kekka", "ヒント二"}, {"*extra", "使われない"}, {"*extra (2)", "使われない"},
  };
  EXPECT_EQ(script, expected);
  const auto ref = [](int line) { return "script:" + std::to_string(line); };
  EXPECT_EQ(references, (std::vector<std::string>{ref(lineOf("一行目")), ref(lineOf("二行目")), ref(lineOf("顔の横")),
                                                  ref(lineOf("はい")), ref(lineOf("いいえ")), ref(lineOf("続き一")),
                                                  ref(lineOf("*op_2") + 2), ref(lineOf("ヒント一")),
                                                  ref(lineOf("ヒント二")), ref(lineOf("使われない")),
                                                  ref(lineOf("使われない") + 1)}));
  EXPECT_EQ(notes["一行目"], "Page text of scene *op, line 1 of 2. At most 540 pixels: 33 full-width or 67 "
                             "half-width characters.");
  EXPECT_NE(notes["顔の横"].find("beside a face, line 1 of 1. At most 470 pixels"), std::string::npos);
  EXPECT_NE(notes["いいえ"].find("Choice 2 of 2 of scene *op"), std::string::npos);
  EXPECT_NE(notes["ヒント二"].find("Hint text of the calendar (*A_Kekka), line 2 of 2"), std::string::npos);
  EXPECT_NE(notes["使われない"].find("*extra (a scene the calendar never starts)"), std::string::npos);
  if (!haveMsgfmt()) GTEST_SKIP() << "msgfmt is not installed (package gettext): the template was not checked";
  EXPECT_EQ(msgfmtCheck(path("t.pot")), 0);
}

TEST_F(Translation, TranslatedLinesReplaceTheirOriginalsAndEveryOtherLineStays) {
  const std::string po = writeTranslation({{"一行目", "첫 번째 줄"},
                                           {"はい", "好的"},
                                           {"ヒント一", "Élève: voilà"},
                                           {"いいえ", "不要"},
                                           {"二行目", "=)"}},  // "=" first is no command
                                          "ko.po", /*fuzzy=*/"いいえ");
  ASSERT_EQ(run({"translate", pack_, po, path("ko.red")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), path("ko.red") + ": 4 of 11 texts translated\n");
  Lines expected = kScript;
  expected[lineOf("一行目") - 1] = "첫 번째 줄";
  expected[lineOf("はい") - 1] = "好的";
  expected[lineOf("ヒント一") - 1] = "Élève: voilà";
  expected[lineOf("二行目") - 1] = "=)";
  EXPECT_EQ(loadLines(path("ko.red")), expected);

  const Result<std::vector<uint8_t>> before = readFile(pack_, test::kTestReadLimit),
                                     after = readFile(path("ko.red"), test::kTestReadLimit);
  ASSERT_TRUE(before && after);
  ASSERT_GT(after->size(), static_cast<size_t>(ScriptOffset) + 3);
  EXPECT_TRUE(std::equal(before->begin(), before->begin() + ScriptOffset, after->begin()));
  EXPECT_EQ(std::string(after->begin() + ScriptOffset, after->begin() + ScriptOffset + 3), kUtf8Bom);
  EXPECT_EQ(run({"check", path("ko.red")}), 1);  // the test pack's tiny pictures, but no script line
  EXPECT_EQ(out_.str().find("script line"), std::string::npos) << out_.str();
}

TEST_F(Translation, TranslationsThatWouldChangeHowTheScriptRunsAreRefusedAndNothingIsWritten) {
  struct Case {
    std::string label, text, translation, reason;
  };
  const std::vector<Case> cases{
      {"*op", "一行目", "*op", "would read as a label"},
      {"*op", "二行目", "x=1", "would read as a definition or a command"},
      {"*op", "顔の横", "bg=hall", "would read as a definition or a command"},
      {"*op", "はい", "＜", "would read as a page break"},
      {"*A_Kekka", "ヒント一", "END", "would end the hint block"},
      {"*op_1", "続き一", "two\nlines", "holds a line break"},
      {"*op_1", "続き一", "cut\rhere", "holds a carriage return"},
      {"*op", "一行目", std::string("cut\0here", 8), "holds a NUL character"},
      {"*op_1", "続き一", std::string(kMaxTextBytes + 1, 'a'), "longer than a save keeps"},
  };
  for (const Case& c : cases) {
    const std::string po = writeTranslation({{c.text, c.translation}}, "bad.po");
    EXPECT_EQ(run({"translate", pack_, po, path("bad.red")}), 1) << c.translation;
    EXPECT_NE(err_.str().find("entry \"" + c.label + "\" \"" + c.text + "\" (script line " +
                              std::to_string(lineOf(c.text)) + "): the translation"),
              std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find(c.reason), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("nothing written: 1 entry refused"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(path("bad.red"))) << c.translation;
  }
}

TEST_F(Translation, OnlyTranslatedEntriesCountAndObsoleteOnesAreNamedOnceAndSkipped) {
  const auto translate = [&](const std::string& po) {
    EXPECT_TRUE(writeFile(path("x.po"), std::vector<uint8_t>(po.begin(), po.end())));
    return run({"translate", pack_, path("x.po"), path("x.red")});
  };
  const auto lines = [&] {
    const std::string err = err_.str();
    return std::count(err.begin(), err.end(), '\n');
  };
  // A stale file: 300 untranslated entries of another script, fuzzy ones, two translated
  // texts that are gone (a changed line, a definition) and one that still is.
  std::string stale;
  for (int i = 0; i < 300; ++i) stale += "msgctxt \"*gone\"\nmsgid \"消えた" + std::to_string(i) + "\"\nmsgstr \"\"\n\n";
  stale += "#, fuzzy\nmsgctxt \"*op\"\nmsgid \"一行目だった\"\nmsgstr \"was\"\n\n";
  stale += "msgctxt \"*op\"\nmsgid \"二行目だった\"\nmsgstr \"second\"\n\n";
  stale += "msgctxt \"*op\"\nmsgid \"bg=1\"\nmsgstr \"bg=2\"\n\n";
  stale += "msgctxt \"*op\"\nmsgid \"一行目\"\nmsgstr \"first\"\n";
  ASSERT_EQ(translate(stale), 0) << err_.str();
  EXPECT_EQ(out_.str(), path("x.red") + ": 1 of 11 texts translated\n");
  EXPECT_NE(err_.str().find("x.po line 1206, entry \"*op\" \"二行目だった\": obsolete, no longer a text of"),
            std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("entry \"*op\" \"bg=1\": obsolete"), std::string::npos) << err_.str();
  EXPECT_EQ(err_.str().find("消えた"), std::string::npos) << err_.str();
  EXPECT_LE(lines(), 4) << err_.str();

  // Many obsolete translations are named up to ten, then counted.
  std::string many;
  for (int i = 0; i < 266; ++i) many += "msgctxt \"*gone\"\nmsgid \"消えた" + std::to_string(i) + "\"\nmsgstr \"x\"\n\n";
  ASSERT_EQ(translate(many + "msgctxt \"*op\"\nmsgid \"一行目\"\nmsgstr \"first\"\n"), 0) << err_.str();
  EXPECT_NE(err_.str().find("and 256 more obsolete entries"), std::string::npos) << err_.str();
  EXPECT_LE(lines(), 13) << err_.str();

  // Not one translation is a text of the pack: the file belongs to another pack.
  fs::remove(path("x.red"));
  EXPECT_EQ(translate(many), 1);
  EXPECT_NE(err_.str().find("nothing written: no translated entry of x.po is a text of"), std::string::npos);
  EXPECT_FALSE(fs::exists(path("x.red")));

  // A refused program text is named by its msgid, which its msgctxt shares with others;
  // a huge msgctxt is cut in every message.
  const std::string huge(10 << 20, 'c');
  ASSERT_EQ(translate("msgctxt \"program:menu\"\nmsgid \"効果音 OFF\"\nmsgstr \"Sound = off\"\n\nmsgctxt \"*" + huge +
                      "\"\nmsgid \"一行目\"\nmsgstr \"x\"\n"),
            1);
  EXPECT_NE(err_.str().find("x.po line 1, entry \"program:menu\" \"効果音 OFF\": the translation cannot go into"),
            std::string::npos) << err_.str();
  EXPECT_LT(err_.str().size(), 2000u);
  EXPECT_NE(err_.str().find("ccc\"… (10485761 bytes)"), std::string::npos) << err_.str().substr(0, 2000);
  // A file gettext cannot read either.
  EXPECT_EQ(translate("msgctxt \"*op\"\nmsgid \"一行目\"\nmsgstr \"x\\y\"\n"), 1);
  EXPECT_NE(err_.str().find("x.po line 3: an unknown escape"), std::string::npos) << err_.str();
}

TEST_F(Translation, WideTranslationsAreWrittenWithAWarningAndTheLintSaysTheSame) {
  // A time panel 150 pixels wide at (6, 7): the part of the day, at x 106, has 50.
  ASSERT_TRUE(test::writeTestPack(dir_, {{pic::TimePanel, test::solid32(150, 20, kWhite)}}, scriptOf(kScript)));
  const std::string wide(62, 'W');  // with the Korean, 552 pixels
  const std::string po = writeTranslation({{"一行目", std::string(60, 'i')},
                                           {"顔の横", std::string(60, 'i')},
                                           {"二行目", "한국어 " + wide},
                                           {"program:closing", std::string(60, 'x')},
                                           {"program:status", "Afternoon"}},
                                          "wide.po");
  ASSERT_EQ(run({"translate", pack_, po, path("wide.red")}), 0) << err_.str();
  const std::string err = err_.str();
  EXPECT_EQ(err.find("\"一行目\""), std::string::npos) << err;  // 480 of 540 pixels
  EXPECT_NE(err.find("entry \"*op\" \"顔の横\": the translation is 480 pixels wide; the message window cuts it off "
                     "after 470"),
            std::string::npos) << err;
  EXPECT_NE(err.find("entry \"*op\" \"二行目\""), std::string::npos) << err;
  EXPECT_NE(err.find("entry \"program:closing\" \"この後は本編でお楽しみ下さい\": the translation is "),
            std::string::npos) << err;
  EXPECT_NE(err.find("pixels wide; the screen cuts it off after 470"), std::string::npos) << err;
  EXPECT_NE(err.find("entry \"program:status\" \"午後\": the translation is 72 pixels wide; its plate cuts it off "
                     "after 50"),
            std::string::npos) << err;
  EXPECT_EQ(err.find("\"自習\""), std::string::npos) << err << "no plate reaches x 100: the screen's edge";
  EXPECT_TRUE(fs::exists(path("wide.red")));

  std::ostringstream out, lintErr;
  EXPECT_EQ(runPackTool({"lint", path("wide.red")}, out, lintErr), 1);
  EXPECT_NE(out.str().find(": the text is 480 pixels wide; the message window cuts it off after 470\n"),
            std::string::npos) << out.str();
  EXPECT_NE(out.str().find(": the translation of \"午後\" is 72 pixels wide; its plate cuts it off after 50\n"),
            std::string::npos) << out.str();
  EXPECT_NE(out.str().find(": the translation of \"この後は本編でお楽しみ下さい\" is "), std::string::npos) << out.str();
}

TEST_F(Translation, ProgramTextsGoIntoOwnTextLinesTheGameReadsAndTextsKeepTheirNames) {
  const std::string po = writeTranslation({{"一行目", "First line"},
                                           {"program:menu", "Start"},  // every program:menu entry
                                           {"program:about", "Shirakaba\nManor \"demo\""}},
                                          "en.po");
  ASSERT_EQ(run({"translate", pack_, po, path("en.red")}), 0) << err_.str();
  EXPECT_NE(out_.str().find("of the program's own texts"), std::string::npos) << out_.str();
  ScriptLines s;
  ASSERT_TRUE(LoadScript(PackFile(path("en.red")), s));
  ASSERT_TRUE(s.utf8);
  const OwnTexts own = OwnTexts::read(s);
  EXPECT_EQ(own.text(own::Menu, "はじめる"), "Start");
  EXPECT_EQ(own.text(own::Menu, "設定"), "Start");
  EXPECT_EQ(own.text(own::About, own::ProductName), "Shirakaba\nManor \"demo\"");
  EXPECT_EQ(own.text(own::Status, "自習"), "自習") << "untranslated";
  // The script after the own texts is the original's with the translated line.
  const int head = static_cast<int>(std::count_if(s.lines.begin(), s.lines.end(), looksLikeOwnTextLine));
  EXPECT_GT(head, 5);
  Lines expected = kScript;
  expected[lineOf("一行目") - 1] = "First line";
  EXPECT_EQ(Lines(s.lines.begin() + head, s.lines.end()), expected);
  EXPECT_EQ(describeLint(path("en.red")), "");

  // The translated pack lists its texts under the names of the original's, and
  // translating it again replaces its own texts rather than adding to them.
  ASSERT_EQ(run({"strings", path("en.red"), path("en.pot")}), 0) << err_.str();
  const Result<std::vector<uint8_t>> pot = readFile(path("en.pot"), test::kTestReadLimit);
  ASSERT_TRUE(pot);
  const std::string text(pot->begin(), pot->end());
  EXPECT_NE(text.find("#: script:" + std::to_string(lineOf("二行目")) + "\nmsgctxt \"*op\"\nmsgid \"二行目\""),
            std::string::npos);
  pack_ = path("en.red");  // a template of the translated pack
  const std::string again = writeTranslation({{"program:closing", "The end"}}, "again.po");
  ASSERT_EQ(run({"translate", path("en.red"), again, path("again.red")}), 0) << err_.str();
  ScriptLines twice;
  ASSERT_TRUE(LoadScript(PackFile(path("again.red")), twice));
  EXPECT_EQ(std::count_if(twice.lines.begin(), twice.lines.end(), looksLikeOwnTextLine), 1);
  EXPECT_EQ(OwnTexts::read(twice).text(own::Closing, own::ClosingLine), "The end");
}

TEST_F(Translation, AProgramTextThatCannotGoIntoTheScriptIsRefused) {
  struct Case {
    std::string translation, reason;
  };
  for (const Case& c : {Case{"Sound = off", "the translation cannot go into the script"},
                        Case{std::string(kOwnTextLineMax, 'x'), "the translation cannot go into the script"},
                        Case{std::string("Sound\0off", 9), "the translation holds a NUL character"},
                        Case{"Sound\roff", "the translation holds a carriage return"}}) {
    const std::string po = writeTranslation({{"program:menu", c.translation}}, "bad.po");
    EXPECT_EQ(run({"translate", pack_, po, path("bad.red")}), 1);
    EXPECT_NE(err_.str().find("entry \"program:menu\" \"はじめる\": " + c.reason), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(path("bad.red")));
  }
}

TEST_F(Translation, OutputFoldersAreMadeAndAPoFileWithAByteOrderMarkIsRead) {
  const std::string po = writeTranslation({{"一行目", "first"}}, "ko.po");
  const Result<std::vector<uint8_t>> bytes = readFile(po, test::kTestReadLimit);
  ASSERT_TRUE(bytes);
  const std::string marked = std::string(kUtf8Bom) + std::string(bytes->begin(), bytes->end());
  ASSERT_TRUE(writeFile(po, std::vector<uint8_t>(marked.begin(), marked.end())));
  ASSERT_EQ(run({"translate", pack_, po, path("ko/data/lumora.red")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), path("ko/data/lumora.red") + ": 1 of 11 texts translated\n");
  ASSERT_EQ(run({"strings", pack_, path("po/new/game.pot")}), 0) << err_.str();
  EXPECT_TRUE(fs::exists(path("po/new/game.pot")));
}

TEST_F(Translation, APoFileThatIsNoRegularFileOrTooLargeIsRefusedUnread) {
  ASSERT_EQ(mkfifo(path("fifo.po").c_str(), 0600), 0);  // opening it would wait for a writer
  EXPECT_EQ(run({"translate", pack_, path("fifo.po"), path("x.red")}), 1);
  EXPECT_EQ(err_.str(), "translate: cannot read " + path("fifo.po") + ": it is a FIFO, not a regular file\n");
  ASSERT_TRUE(writeFile(path("huge.po"), {}));
  fs::resize_file(path("huge.po"), kMaxPoBytes + 1);  // sparse: nothing on the disk
  EXPECT_EQ(run({"translate", pack_, path("huge.po"), path("x.red")}), 1);
  EXPECT_NE(err_.str().find("huge.po: it is 17 MiB, more than the 16 MiB a PO file can be"), std::string::npos)
      << err_.str();
  EXPECT_FALSE(fs::exists(path("x.red")));
}

// The translator's year: translate, then the script changes (a definition added at the
// top moves every line, a new line joins a scene, a line is reworded), msgmerge brings
// the file up to date, and every translation of an unchanged text still applies. A file
// of the earlier layout, named by line, translates as it is and, renamed once with
// upgrade-po, merges the same way.
TEST_F(Translation, AfterAnEditAboveMsgmergeKeepsEveryTranslationAlsoFromAFileOfTheEarlierLayout) {
  if (std::system("msgmerge --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "msgmerge is not installed (package gettext)";
  std::vector<PoEntry> entries = templateOf(pack_);
  for (PoEntry& e : entries)
    if (e.context.rfind("program:", 0) != 0) e.str = "[" + e.id + "]";
  const std::string ko = writeEntries(entries, "ko.po");
  // The same translations named as an earlier shirakaba-pack named them.
  std::vector<PoEntry> earlier = entries;
  for (PoEntry& e : earlier) {
    if (e.references.empty()) continue;
    const std::string label = e.context.substr(0, e.context.find(" ("));
    e.context = label + ":" + e.references[0].substr(std::string("script:").size());
    e.references.clear();
  }
  const std::string old = writeEntries(earlier, "old.po");
  ASSERT_EQ(run({"translate", pack_, old, path("old.red")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), path("old.red") + ": 11 of 11 texts translated\n");
  EXPECT_NE(err_.str().find("old.po names its entries by script line"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("shirakaba-pack upgrade-po old.po old.po"), std::string::npos) << err_.str();

  Lines changed = kScript;
  changed.insert(changed.begin(), "new=10");
  changed.insert(std::find(changed.begin(), changed.end(), "続き一"), "新しい行");
  *std::find(changed.begin(), changed.end(), "ヒント二") = "ヒント二、改";
  ASSERT_TRUE(test::writeTestPack(path("v2"), {}, scriptOf(changed)));
  const std::string v2 = path("v2/data/lumora.red");
  ASSERT_EQ(run({"strings", v2, path("v2.pot")}), 0) << err_.str();
  ASSERT_EQ(run({"upgrade-po", old, path("up.po")}), 0) << err_.str();
  EXPECT_EQ(out_.str().find(path("up.po") + ": 11 entries named by their scene and text"), 0u) << out_.str();

  // Every unchanged text translated where the new template places it.
  Lines expected = changed;
  for (const PoEntry& e : readEntries(path("v2.pot")))
    if (!e.references.empty() && std::find(kScript.begin(), kScript.end(), e.id) != kScript.end())
      expected[static_cast<size_t>(std::stoi(e.references[0].substr(7)) - 1)] = "[" + e.id + "]";
  for (const std::string& po : {ko, path("up.po")}) {
    ASSERT_EQ(std::system(("msgmerge -q -U --backup=none '" + po + "' '" + path("v2.pot") + "'").c_str()), 0);
    int fuzzy = 0, translated = 0;
    for (const PoEntry& e : readEntries(po)) {
      fuzzy += e.fuzzy;
      translated += !e.str.empty() && !e.fuzzy;
      if (e.id == "ヒント二、改") {
        EXPECT_TRUE(e.fuzzy) << "a reworded line is proposed, not taken";
      }
    }
    EXPECT_EQ(fuzzy, 1) << po;
    EXPECT_EQ(translated, 10) << po;
    ASSERT_EQ(run({"translate", v2, po, path("v2.red")}), 0) << err_.str();
    EXPECT_EQ(out_.str(), path("v2.red") + ": 10 of 12 texts translated\n") << po;
    EXPECT_EQ(err_.str().find("obsolete"), std::string::npos) << err_.str();
    EXPECT_EQ(loadLines(path("v2.red")), expected) << po;
  }
}

TEST(TranslationRoundTrip, CopyingEveryTextGivesTheDemosScriptBack) {
  const std::string dir = test::makeTempDir("translation_demo");
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(runDemo(dir), 0);
  const std::string pack = (fs::path(dir) / "data" / "lumora.red").string();
  const std::string pot = (fs::path(dir) / "demo.pot").string(), po = (fs::path(dir) / "same.po").string();
  std::ostringstream out, err;
  ASSERT_EQ(runPackTool({"strings", pack, pot}, out, err), 0) << err.str();
  const Result<std::vector<uint8_t>> text = readFile(pot, test::kTestReadLimit);
  ASSERT_TRUE(text);
  Result<std::vector<PoEntry>> entries = readPo(std::string(text->begin(), text->end()));
  ASSERT_TRUE(entries) << entries.error();
  EXPECT_GT(entries->size(), 250u);
  for (PoEntry& e : entries.value()) e.str = e.id;
  const std::string filled = writePo({}, {"Content-Type: text/plain; charset=UTF-8"}, entries.value());
  ASSERT_TRUE(writeFile(po, std::vector<uint8_t>(filled.begin(), filled.end())));

  const std::string translated = (fs::path(dir) / "same.red").string();
  ASSERT_EQ(runPackTool({"translate", pack, po, translated}, out, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  ScriptLines original, back;
  ASSERT_TRUE(LoadScript(PackFile(pack), original));
  ASSERT_TRUE(LoadScript(PackFile(translated), back));
  EXPECT_GT(original.count(), 1000);
  EXPECT_EQ(back.lines, original.lines);
  // The translated pack lists the same texts again.
  ASSERT_EQ(runPackTool({"strings", translated, pot + "2"}, out, err), 0) << err.str();
  const Result<std::vector<uint8_t>> again = readFile(pot + "2", test::kTestReadLimit);
  ASSERT_TRUE(again);
  const Result<std::vector<PoEntry>> listed = readPo(std::string(again->begin(), again->end()));
  ASSERT_TRUE(listed) << listed.error();
  ASSERT_EQ(listed->size(), entries->size());
  for (size_t i = 0; i < listed->size(); ++i) {
    EXPECT_EQ(listed.value()[i].context, entries.value()[i].context);
    EXPECT_EQ(listed.value()[i].id, entries.value()[i].id);
  }
  if (haveMsgfmt()) {
    EXPECT_EQ(msgfmtCheck(pot), 0);
    EXPECT_EQ(msgfmtCheck(po), 0);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace shirakaba
