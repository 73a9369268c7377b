// The script lint on a small script built from the calendar's label lists, broken
// one way at a time, and on the demo game's pack.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "calendar/tables.h"
#include "base/cp932.h"
#include "base/files.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"
#include "tools/pack/lint.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A font with every glyph but the emoji planes and the private-use area; its
// characters take no room, or half the cell for each byte when wide.
class FakeFont final : public FontFace {
 public:
  explicit FakeFont(bool wide = false) : wide_(wide) {}
  const std::string& family() const override { return name_; }
  const std::string& file() const override { return name_; }
  int advance(const std::string& s, int px) override { return wide_ ? static_cast<int>(s.size()) * px / 2 : 0; }
  void draw(Bitmap&, int, int, const std::string&, int, Colour) override {}
  bool covers(char32_t cp) override { return cp < 0x1F000 && !(cp >= 0xE000 && cp <= 0xF8FF); }

 private:
  std::string name_ = "Fake";
  bool wide_;
};

// Definitions of the twelve commands and of every picture name the calendar draws,
// then every scene label with a short scene, then every hint block.
Lines validScript() {
  Lines s = {"bg=1",    "cg=2",     "end=3",  "close=4", "next=5",  "chara=6",
             "pair=7",  "pair2=8",  "face=9", "wait=10", "choice=11", "open=12", "hall=2"};
  for (const std::string& n : allResolvedBackgroundNames()) s.push_back(n + "=1");
  for (const std::string& n : allResolvedSpriteNames()) s.push_back(n + "=1");
  for (const std::string& n : allResolvedFaceNames()) s.push_back(n + "=1");
  s.push_back("");
  for (const std::string& l : allBuildableSceneLabels()) s.insert(s.end(), {l, "bg=hall", "一行目", "end=", ""});
  for (const std::string& l : allHintLabels()) s.insert(s.end(), {l, "ヒント", "END"});
  return s;
}

int indexOf(const Lines& s, const std::string& line) {
  const auto it = std::find(s.begin(), s.end(), line);
  EXPECT_NE(it, s.end()) << line;
  return static_cast<int>(it - s.begin());
}
int lineOf(const Lines& s, const std::string& line) { return indexOf(s, line) + 1; }

// Replaces the body of a scene (the lines after its label up to its blank line).
void setScene(Lines& s, const std::string& label, const Lines& body) {
  const int at = indexOf(s, label);
  auto first = s.begin() + at + 1;
  auto last = std::find(first, s.end(), "");
  s.insert(s.erase(first, last), body.begin(), body.end());
}

std::string describe(const std::vector<LintProblem>& ps) {
  std::string out;
  for (const auto& p : ps) out += std::to_string(p.line) + ": " + p.message + "\n";
  return out;
}

class LintTest : public ::testing::Test {
 protected:
  std::vector<LintProblem> lint(const Lines& s) { return lintScript(s, &font_); }
  // Exactly one problem, on the line given, whose message holds the words.
  void expectOnly(const Lines& s, int line, const std::string& words) {
    const auto ps = lint(s);
    ASSERT_EQ(ps.size(), 1u) << describe(ps);
    EXPECT_EQ(ps[0].line, line) << describe(ps);
    EXPECT_NE(ps[0].message.find(words), std::string::npos) << describe(ps);
  }
  FakeFont font_;
};

TEST_F(LintTest, ValidScriptPasses) {
  EXPECT_EQ(describe(lint(validScript())), "");
  EXPECT_EQ(describe(lintScript(validScript(), nullptr)), "");
}

TEST_F(LintTest, OwnTextLinesMustReadAndNameAProgramTextOnce) {
  Lines s = validScript();
  const Lines own{"#text program:menu \"設定\" -> \"Settings\"",
                  "#text program:menu \"設定\" -> \"Options\"",
                  "#text program:menu \"存在しない\" -> \"x\"",
                  "#text program:nowhere \"設定\" -> \"x\"",
                  "#text program:menu \"ヘルプ\" \"Help\"",
                  "#text program:about \"白樺館\\n  見習い日誌 体験版\" -> \"Shirakaba\\n  Diary\""};
  s.insert(s.begin(), own.begin(), own.end());
  const std::string found = describe(lintScript(s, &font_, true));
  EXPECT_EQ(found,
            "2: own-text line for \"設定\" under program:menu again: the first one counts\n"
            "3: own-text line for \"存在しない\" under program:menu, which is no text of the program (see the "
            "program: entries of shirakaba-pack strings)\n"
            "4: own-text line for \"設定\" under program:nowhere, which is no text of the program (see the "
            "program: entries of shirakaba-pack strings)\n"
            "5: own-text line the game skips: \" -> \" must follow the original\n");
  // In a CP932 script they are ordinary lines the game never reads as own texts.
  const auto ps = lintScript(s, &font_, false);
  ASSERT_EQ(ps.size(), own.size()) << describe(ps);
  EXPECT_NE(ps[0].message.find("not UTF-8"), std::string::npos);
  // After the first label such a line is a scene's text like any other.
  Lines late = validScript();
  setScene(late, allBuildableSceneLabels()[0], {"bg=hall", "#text program:menu \"設定\" -> \"x\"", "end="});
  EXPECT_EQ(describe(lintScript(late, &font_, true)), "");
}

TEST_F(LintTest, MissingLabels) {
  Lines s = validScript();
  s.erase(s.begin() + indexOf(s, "*op2"));
  expectOnly(s, 0, "missing label *op2 (the scene of event 2)");

  s = validScript();
  s.erase(s.begin() + indexOf(s, "*kaiwa_yoru_4_2"));
  expectOnly(s, 0, "missing label *kaiwa_yoru_4_2");

  s = validScript();
  s.erase(s.begin() + indexOf(s, "*A_Kekka"));
  expectOnly(s, 0, "missing label *A_Kekka (a hint block)");
}

TEST_F(LintTest, LabelsAreFoundWithLatinLettersFolded) {
  Lines s = validScript();
  s[indexOf(s, "*job_h1")] = "*JOB_H1";
  s[indexOf(s, "*A_Kekka")] = "*a_kekka";
  EXPECT_EQ(describe(lint(s)), "");
}

TEST_F(LintTest, HintBlocksEndInEnd) {
  Lines s = validScript();
  const int kekka = indexOf(s, "*A_Kekka");
  s.erase(s.begin() + kekka + 2);  // its END
  expectOnly(s, kekka + 1, "hint block *A_Kekka does not end in END before the label");

  s = validScript();
  s.pop_back();  // the last block's END
  const std::string last = allHintLabels().back();
  expectOnly(s, lineOf(s, last), "hint block " + last + " does not end in END before the end of the script");

  s = validScript();
  s.erase(s.begin() + indexOf(s, "*Save") + 1);  // END right after the label is written itself
  expectOnly(s, lineOf(s, "*Save"), "END right after its label");
}

TEST_F(LintTest, CommandDefinitions) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目", "pause=", "二行目", "end="});
  s.push_back("pause=10");
  expectOnly(s, lineOf(s, "pause="), "command name pause is not defined before its first use");

  s = validScript();
  s.insert(s.begin(), {"tint=blue", "zap=13"});
  setScene(s, "*op", {"bg=hall", "一行目", "TINT=", "zap=", "一行目", "end="});
  const auto ps = lint(s);
  ASSERT_EQ(ps.size(), 2u) << describe(ps);
  EXPECT_EQ(ps[0].line, lineOf(s, "TINT="));
  EXPECT_EQ(ps[0].message, "command name TINT is defined on line 1 as \"blue\", not a number");
  EXPECT_EQ(ps[1].line, lineOf(s, "zap="));
  EXPECT_EQ(ps[1].message, "command name zap is defined on line 2 as 13, not a command number 1..12");

  s = validScript();
  s.erase(s.begin() + indexOf(s, "wait=10"));
  expectOnly(s, 0, "no definition gives command number 10");
}

TEST_F(LintTest, ScenesMustEnd) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目"});
  expectOnly(s, lineOf(s, "*op"), "scene *op has no end command before label *op2");

  s = validScript();
  s.insert(s.end(), {"*op", "bg=hall", "一行目", "＜", "二行目"});  // the first *op is renamed below
  s[indexOf(s, "*op")] = "*unused";
  expectOnly(s, static_cast<int>(s.size()) - 4, "scene *op runs past the end of the script");

  // A command reading its lines past the end is fine: they read as empty.
  s = validScript();
  s.insert(s.end(), {"*op", "bg=hall", "一行目", "end="});
  s[indexOf(s, "*op")] = "*unused";
  EXPECT_EQ(describe(lint(s)), "");
}

TEST_F(LintTest, ChoiceValuesAndContinuations) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目", "choice=", "はい", "いいえ", "1", "-x"});
  s.insert(s.end(), {"*op_1", "bg=hall", "一行目", "end=", "", "*op_2", "bg=hall", "一行目", "end="});
  expectOnly(s, lineOf(s, "-x"), "choice value \"-x\" is not an integer");

  // A missing continuation, and the scene it continues into is checked too.
  s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目", "choice=", "はい", "いいえ", " +2", "-3"});
  s.insert(s.end(), {"*op_1", "bg=hall", "一行目"});
  const auto ps = lint(s);
  ASSERT_EQ(ps.size(), 2u) << describe(ps);
  EXPECT_EQ(ps[0].line, lineOf(s, "choice="));
  EXPECT_EQ(ps[0].message, "the choice of scene *op continues at *op_2, which is missing");
  EXPECT_EQ(ps[1].line, lineOf(s, "*op_1"));
  EXPECT_NE(ps[1].message.find("scene *op_1 runs past the end"), std::string::npos);
}

TEST_F(LintTest, PictureNumbers) {
  Lines s = validScript();
  const int chara = indexOf(s, "鏡子=1");
  s[chara] = "鏡子=19";
  expectOnly(s, chara + 1, "sprite 鏡子 = 19 maps to pictures 78 and 96, outside 60..77 and 78..95");

  s = validScript();
  s.insert(s.begin(), {"幽霊=0", "壁=31", "顔なし=0", "顔13=13"});
  setScene(s, "*op", {"bg=壁", "chara=幽霊", "face=顔なし", "一行目", "face=顔13", "二行目", "end="});
  const auto ps = lint(s);
  ASSERT_EQ(ps.size(), 3u) << describe(ps);
  EXPECT_EQ(ps[0].line, 1);
  EXPECT_EQ(ps[0].message, "sprite 幽霊 = 0 maps to pictures 59 and 77, outside 60..77 and 78..95");
  EXPECT_EQ(ps[1].line, 2);
  EXPECT_EQ(ps[1].message, "background 壁 = 31 maps to picture 60, outside 30..59");
  EXPECT_EQ(ps[2].line, 4);
  EXPECT_NE(ps[2].message.find("face 顔13 = 13 maps to pictures 108 and 120"), std::string::npos);

  // Names without a definition: one a command uses, one the calendar draws, and the
  // second line of a two-sprite command that is text.
  s = validScript();
  s.erase(s.begin() + indexOf(s, "鏡子顔=1"));
  setScene(s, "*op", {"bg=hall", "pair=春未", "一行目", "pair2=ghost", "right=春未", "二行目", "end="});
  const auto ps2 = lint(s);
  ASSERT_EQ(ps2.size(), 3u) << describe(ps2);
  EXPECT_EQ(ps2[0].message, "face 鏡子顔, which the calendar draws, has no definition");
  EXPECT_EQ(ps2[1].line, lineOf(s, "pair=春未"));
  EXPECT_NE(ps2[1].message.find("not a name=value line"), std::string::npos);
  EXPECT_EQ(ps2[2].line, lineOf(s, "pair2=ghost"));
  EXPECT_EQ(ps2[2].message, "sprite ghost has no definition");
}

TEST_F(LintTest, CommandsThatNeedTheirComposeStep) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", "cg=t_job1.bmp", "一行目", "end="});
  expectOnly(s, lineOf(s, "cg=t_job1.bmp"), "CG command right after a command line");

  s = validScript();
  setScene(s, "*op", {"cg=t_job1.bmp", "一行目", "chara=春未", "end="});  // a CG first is fine
  expectOnly(s, lineOf(s, "end="), "end command right after a command line");

  s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目", "face=春未顔", "close=", "*op"});
  expectOnly(s, lineOf(s, "close="), "closing command right after a command line");

  // The second sprite line of a two-sprite command is data, not a command of its own,
  // but it is still the command line right before the end.
  s = validScript();
  setScene(s, "*op", {"bg=hall", "一行目", "pair=春未", "right=春未", "end="});
  expectOnly(s, lineOf(s, "end="), "end command right after a command line");

  s = validScript();
  setScene(s, "*op", {"最初の行", "一行目", "end="});
  expectOnly(s, lineOf(s, "最初の行"), "the first line after label *op is text");

  s = validScript();
  setScene(s, "*op", {"cg=t_job9.bmp", "一行目", "end="});
  expectOnly(s, lineOf(s, "cg=t_job9.bmp"), "CG name \"t_job9.bmp\" is not in the CG table");
}

TEST_F(LintTest, CharactersTheFontLacks) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", "笑顔\U0001F600", "また\U0001F600", "end="});
  s[indexOf(s, "*A_Kekka") + 1] = "私用\uE000";
  const auto ps = lint(s);
  ASSERT_EQ(ps.size(), 2u) << describe(ps);
  EXPECT_EQ(ps[0].line, lineOf(s, "笑顔\U0001F600"));
  EXPECT_EQ(ps[0].message, "character U+1F600 \"\U0001F600\" is in no installed font (the game's font is Fake)");
  EXPECT_EQ(ps[1].line, lineOf(s, "私用\uE000"));
  EXPECT_EQ(missingGlyphs(s, font_), (std::vector<char32_t>{0x1F600, 0xE000}));
  EXPECT_EQ(describe(lintScript(s, nullptr)), "") << "no font, no glyph check";
}

TEST_F(LintTest, TextsWiderThanTheirRoomAndWideTranslationsOfTheScreensTexts) {
  Lines s = validScript();
  setScene(s, "*op", {"bg=hall", std::string(67, 'w'), std::string(68, 'w'), "end="});  // 536 and 544 of 540
  s.insert(s.begin(), {"#text program:closing \"この後は本編でお楽しみ下さい\" -> \"" + std::string(50, 'x') + "\"",
                       "#text program:about \"お読みください\" -> \"" + std::string(200, 'x') + "\""});
  FakeFont wide(true);
  const std::string lines = describe(lintScript(s, &wide, /*utf8Block=*/true));
  EXPECT_EQ(lines, "1: the translation of \"この後は本編でお楽しみ下さい\" is 475 pixels wide; the screen cuts it off "
                   "after 470\n" +
                       std::to_string(lineOf(s, std::string(68, 'w'))) +
                       ": the text is 544 pixels wide; the message window cuts it off after 540\n")
      << "the readme window's title is not on the game's screen";
}

TEST(LintCommand, ReadsUtf8AndCp932ScriptsAndPrintsOneLinePerProblem) {
  const std::string dir = test::makeTempDir("lint");
  ASSERT_FALSE(dir.empty());
  Lines s = validScript();
  s.erase(s.begin() + indexOf(s, "*op2"));
  setScene(s, "*op", {"bg=hall", "cg=t_job1.bmp", "一行目", "end="});
  std::string utf8, cp932;
  for (const auto& l : s) utf8 += l + "\r\n";
  const Result<std::string> converted = utf8ToCp932(utf8);
  ASSERT_TRUE(converted) << converted.error();
  cp932 = converted.value();
  const std::string u = (fs::path(dir) / "u.txt").string(), c = (fs::path(dir) / "c.txt").string();
  ASSERT_TRUE(writeFile(u, std::vector<uint8_t>(utf8.begin(), utf8.end())));
  ASSERT_TRUE(writeFile(c, std::vector<uint8_t>(cp932.begin(), cp932.end())));

  const std::string expected = "0: missing label *op2 (the scene of event 2)\n" +
                               std::to_string(lineOf(s, "cg=t_job1.bmp")) +
                               ": CG command right after a command line: its CG is never shown\n";
  for (const std::string& path : {u, c}) {
    std::ostringstream out, err;
    EXPECT_EQ(runPackTool({"lint", path}, out, err), 1) << path;
    EXPECT_EQ(out.str(), expected) << path;
  }
  std::ostringstream out, err;
  EXPECT_EQ(runPackTool({"lint", (fs::path(dir) / "none.txt").string()}, out, err), 2);
  const std::string clean = (fs::path(dir) / "clean.txt").string();
  std::string text;
  for (const auto& l : validScript()) text += l + "\n";
  ASSERT_TRUE(writeFile(clean, std::vector<uint8_t>(text.begin(), text.end())));
  std::ostringstream cleanOut;
  EXPECT_EQ(runPackTool({"lint", clean}, cleanOut, err), 0) << cleanOut.str();
  EXPECT_EQ(cleanOut.str(), clean + ": no problems\n");
  fs::remove_all(dir);
}

TEST(LintDemo, TheDemoGamesScriptHasNoProblem) {
  const std::string dir = test::makeTempDir("lint_demo");
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(runDemo(dir), 0);
  const Result<Lines> lines = readLintInput((fs::path(dir) / "data" / "lumora.red").string());
  ASSERT_TRUE(lines) << lines.error();
  fs::remove_all(dir);
  EXPECT_GT(lines->size(), 100u);
  const std::shared_ptr<FontFace> font = findGameFont().value();
  EXPECT_EQ(describe(lintScript(lines.value(), font.get())), "");
}

}  // namespace
}  // namespace shirakaba
