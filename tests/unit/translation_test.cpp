// The translator's commands: strings lists exactly the texts a player reads, translate
// puts translations in their place and refuses, writing nothing, whatever would change
// how the script runs; a translation that copies every text gives the same script back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

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
    "*extra", "bg=hall", "使われない", "end=",
};

int lineOf(const std::string& text) {
  return static_cast<int>(std::find(kScript.begin(), kScript.end(), text) - kScript.begin()) + 1;
}
std::string contextOf(const std::string& label, const std::string& text) {
  return label + ":" + std::to_string(lineOf(text));
}

bool haveMsgfmt() { return std::system("msgfmt --version > /dev/null 2>&1") == 0; }
int msgfmtCheck(const std::string& po) { return std::system(("msgfmt -c -o /dev/null '" + po + "' 2>/dev/null").c_str()); }

class Translation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::makeTempDir("translation");
    ASSERT_FALSE(dir_.empty());
    std::string script;
    for (const std::string& l : kScript) script += l + "\r\n";
    ASSERT_TRUE(test::writeTestPack(dir_, {}, script));
    pack_ = path("data/lumora.red");
  }
  std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }

  int run(const std::vector<std::string>& args) {
    out_.str({});
    err_.str({});
    return runPackTool(args, out_, err_);
  }

  // The template of the pack with the translations given (by context) filled in.
  std::string writeTranslation(const std::map<std::string, std::string>& byContext, const std::string& name,
                               const std::string& fuzzyContext = "") {
    EXPECT_EQ(run({"strings", pack_, path("t.pot")}), 0) << err_.str();
    const Result<std::vector<uint8_t>> pot = readFile(path("t.pot"));
    EXPECT_TRUE(pot);
    Result<std::vector<PoEntry>> entries = readPo(std::string(pot->begin(), pot->end()));
    EXPECT_TRUE(entries) << entries.error();
    for (PoEntry& e : entries.value()) {
      if (const auto it = byContext.find(e.context); it != byContext.end()) e.str = it->second;
      e.fuzzy = e.context == fuzzyContext;
    }
    const std::string po = writePo({}, {"Content-Type: text/plain; charset=UTF-8"}, entries.value());
    EXPECT_TRUE(writeFile(path(name), std::vector<uint8_t>(po.begin(), po.end())));
    return path(name);
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
  ASSERT_EQ(run({"strings", pack_, path("t.pot")}), 0) << err_.str();
  const Result<std::vector<uint8_t>> pot = readFile(path("t.pot"));
  ASSERT_TRUE(pot);
  const Result<std::vector<PoEntry>> entries = readPo(std::string(pot->begin(), pot->end()));
  ASSERT_TRUE(entries) << entries.error();
  std::vector<std::pair<std::string, std::string>> script;  // context, text
  std::map<std::string, std::string> notes;
  bool menu = false, status = false;
  for (const PoEntry& e : entries.value()) {
    EXPECT_TRUE(e.hasContext);
    EXPECT_EQ(e.str, "");
    ASSERT_EQ(e.notes.size(), 1u) << e.context;
    if (e.context.rfind("program:", 0) == 0) {
      menu |= e.context == "program:menu" && e.id == "はじめる";
      status |= e.context == "program:status" && e.id == "自習";
      continue;
    }
    script.emplace_back(e.context, e.id);
    notes[e.id] = e.notes[0];
  }
  EXPECT_TRUE(menu && status);
  const std::vector<std::pair<std::string, std::string>> expected{
      {contextOf("*op", "一行目"), "一行目"},       {contextOf("*op", "二行目"), "二行目"},
      {contextOf("*op", "顔の横"), "顔の横"},       {contextOf("*op", "はい"), "はい"},
      {contextOf("*op", "いいえ"), "いいえ"},       {contextOf("*op_1", "続き一"), "続き一"},
      {"*op_2:" + std::to_string(lineOf("*op_2") + 2), "END"},  // "END" on a page is text
      {contextOf("*A_Kekka", "ヒント一"), "ヒント一"}, {contextOf("*A_Kekka", "ヒント二"), "ヒント二"},
      {contextOf("*extra", "使われない"), "使われない"},
  };
  EXPECT_EQ(script, expected);
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
  const std::string po = writeTranslation({{contextOf("*op", "一行目"), "첫 번째 줄"},
                                           {contextOf("*op", "はい"), "好的"},
                                           {contextOf("*A_Kekka", "ヒント一"), "Élève: voilà"},
                                           {contextOf("*op", "いいえ"), "不要"},
                                           {contextOf("*op", "二行目"), "=)"}},  // "=" first is no command
                                          "ko.po", /*fuzzy=*/contextOf("*op", "いいえ"));
  ASSERT_EQ(run({"translate", pack_, po, path("ko.red")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), path("ko.red") + ": 4 of 10 texts translated\n");
  Lines expected = kScript;
  expected[lineOf("一行目") - 1] = "첫 번째 줄";
  expected[lineOf("はい") - 1] = "好的";
  expected[lineOf("ヒント一") - 1] = "Élève: voilà";
  expected[lineOf("二行目") - 1] = "=)";
  EXPECT_EQ(loadLines(path("ko.red")), expected);

  const Result<std::vector<uint8_t>> before = readFile(pack_), after = readFile(path("ko.red"));
  ASSERT_TRUE(before && after);
  ASSERT_GT(after->size(), static_cast<size_t>(ScriptOffset) + 3);
  EXPECT_TRUE(std::equal(before->begin(), before->begin() + ScriptOffset, after->begin()));
  EXPECT_EQ(std::string(after->begin() + ScriptOffset, after->begin() + ScriptOffset + 3), kUtf8Bom);
  EXPECT_EQ(run({"check", path("ko.red")}), 1);  // the test pack's tiny pictures, but no script line
  EXPECT_EQ(out_.str().find("script line"), std::string::npos) << out_.str();
}

TEST_F(Translation, TranslationsThatWouldChangeHowTheScriptRunsAreRefusedAndNothingIsWritten) {
  struct Case {
    std::string context, translation, reason;
  };
  const std::vector<Case> cases{
      {contextOf("*op", "一行目"), "*op", "would read as a label"},
      {contextOf("*op", "二行目"), "x=1", "would read as a definition or a command"},
      {contextOf("*op", "顔の横"), "bg=hall", "would read as a definition or a command"},
      {contextOf("*op", "はい"), "＜", "would read as a page break"},
      {contextOf("*A_Kekka", "ヒント一"), "END", "would end the hint block"},
      {contextOf("*op_1", "続き一"), "two\nlines", "holds a line break"},
      {contextOf("*op_1", "続き一"), std::string(kMaxTextBytes + 1, 'a'), "longer than a save keeps"},
  };
  for (const Case& c : cases) {
    const std::string po = writeTranslation({{c.context, c.translation}}, "bad.po");
    EXPECT_EQ(run({"translate", pack_, po, path("bad.red")}), 1) << c.translation;
    const std::string line = c.context.substr(c.context.find(':') + 1);
    EXPECT_NE(err_.str().find("entry \"" + c.context + "\" (script line " + line + "): the translation"),
              std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find(c.reason), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("nothing written: 1 entry refused"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(path("bad.red"))) << c.translation;
  }
}

TEST_F(Translation, EntriesThatAreNotTextsOfThePackAreRefused) {
  const auto refused = [&](const std::string& po, const std::string& words) {
    ASSERT_TRUE(writeFile(path("x.po"), std::vector<uint8_t>(po.begin(), po.end())));
    EXPECT_EQ(run({"translate", pack_, path("x.po"), path("x.red")}), 1) << po;
    EXPECT_NE(err_.str().find(words), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(path("x.red")));
  };
  const std::string first = contextOf("*op", "一行目");
  // A definition, a choice value and a wait line are no texts; neither is a changed or moved line.
  refused("msgctxt \"*op:1\"\nmsgid \"bg=1\"\nmsgstr \"bg=2\"\n", "x.po line 1, entry \"*op:1\": no such text in");
  refused("msgctxt \"" + contextOf("*op", "1") + "\"\nmsgid \"1\"\nmsgstr \"5\"\n", "no such text");
  refused("msgctxt \"" + contextOf("*op_1", "一晩") + "\"\nmsgid \"一晩\"\nmsgstr \"one night\"\n", "no such text");
  refused("msgctxt \"" + first + "\"\nmsgid \"一行目だった\"\nmsgstr \"x\"\n", "no such text");
  refused("msgctxt \"*op_1:" + std::to_string(lineOf("一行目")) + "\"\nmsgid \"一行目\"\nmsgstr \"x\"\n",
          "no such text");
  refused("msgctxt \"program:menu\"\nmsgid \"存在しない\"\nmsgstr \"x\"\n", "no such text");
  refused("msgid \"一行目\"\nmsgstr \"x\"\n", "x.po line 1: the entry \"一行目\" has no msgctxt");
  // Even untranslated: the file belongs to another script.
  refused("msgctxt \"*op:99\"\nmsgid \"どこか\"\nmsgstr \"\"\n", "no such text");
  // A PO file that cannot be read.
  refused("msgctxt \"" + first + "\"\nmsgid \"一行目\"\nmsgstr \"x\\y\"\n", "x.po line 3: an unknown escape");
}

TEST_F(Translation, AWideTranslationIsWrittenWithAWarning) {
  const std::string wide(62, 'W');  // with the Korean, 552 pixels
  const std::string po = writeTranslation({{contextOf("*op", "一行目"), std::string(60, 'i')},
                                           {contextOf("*op", "顔の横"), std::string(60, 'i')},
                                           {contextOf("*op", "二行目"), "한국어 " + wide}},
                                          "wide.po");
  ASSERT_EQ(run({"translate", pack_, po, path("wide.red")}), 0) << err_.str();
  const std::string err = err_.str();
  EXPECT_EQ(err.find(contextOf("*op", "一行目")), std::string::npos) << err;  // 480 of 540 pixels
  EXPECT_NE(err.find("entry \"" + contextOf("*op", "顔の横") +
                     "\": the translation is 480 pixels wide; the message window cuts it off after 470"),
            std::string::npos) << err;
  EXPECT_NE(err.find("entry \"" + contextOf("*op", "二行目") + "\""), std::string::npos) << err;
  EXPECT_TRUE(fs::exists(path("wide.red")));
}

TEST_F(Translation, ProgramTextsGoIntoOwnTextLinesTheGameReadsAndTextsKeepTheirNames) {
  const std::string po = writeTranslation({{contextOf("*op", "一行目"), "First line"},
                                           {"program:menu", "Start"},  // every program:menu entry
                                           {"program:about", "Shirakaba\nManor \"demo\""}},
                                          "en.po");
  // The template's entries by context hold many texts; only the first of each was filled.
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
  const Result<std::vector<uint8_t>> pot = readFile(path("en.pot"));
  ASSERT_TRUE(pot);
  const std::string text(pot->begin(), pot->end());
  EXPECT_NE(text.find("msgctxt \"" + contextOf("*op", "二行目") + "\""), std::string::npos);
  pack_ = path("en.red");  // a template of the translated pack
  const std::string again = writeTranslation({{"program:closing", "The end"}}, "again.po");
  ASSERT_EQ(run({"translate", path("en.red"), again, path("again.red")}), 0) << err_.str();
  ScriptLines twice;
  ASSERT_TRUE(LoadScript(PackFile(path("again.red")), twice));
  EXPECT_EQ(std::count_if(twice.lines.begin(), twice.lines.end(), looksLikeOwnTextLine), 1);
  EXPECT_EQ(OwnTexts::read(twice).text(own::Closing, own::ClosingLine), "The end");
}

TEST_F(Translation, AProgramTextThatCannotGoIntoTheScriptIsRefused) {
  for (const std::string& bad : {std::string("Sound = off"), std::string(kOwnTextLineMax, 'x')}) {
    const std::string po = writeTranslation({{"program:menu", bad}}, "bad.po");
    EXPECT_EQ(run({"translate", pack_, po, path("bad.red")}), 1);
    EXPECT_NE(err_.str().find("entry \"program:menu\": the translation cannot go into the script"),
              std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(path("bad.red")));
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
  const Result<std::vector<uint8_t>> text = readFile(pot);
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
  const Result<std::vector<uint8_t>> again = readFile(pot + "2");
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
