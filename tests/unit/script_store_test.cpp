// The script store: splitting the block into lines, the line grammar, lookups that
// fold only A-Z, the integer syntax of definitions, and reading the block from a pack.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/cp932.h"
#include "base/utf8.h"
#include "engine/script.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, CrLfAndCrLfAllEndALine) {
  EXPECT_EQ(splitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitLines("a\n\n"), (Lines{"a", ""}));
  // LF CR is two breaks: the CR starts a new (empty) line.
  EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, ATrailingBreakAddsNoLineAndEmptyTextHasNone) {
  EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(splitLines(""), Lines{});
  EXPECT_EQ(splitLines("\n"), (Lines{""}));
}

TEST(SplitLines, ANulByteEndsTheText) {
  EXPECT_EQ(splitLines(std::string("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
  EXPECT_EQ(splitLines(std::string("\0a", 2)), Lines{});
}

TEST(LineGrammar, CommandLinesHaveTheirFirstEqualsAtTheSecondCharacterOrLater) {
  EXPECT_TRUE(isCommandLine("bg=1"));
  EXPECT_TRUE(isCommandLine("x="));
  EXPECT_TRUE(isCommandLine("背景=森"));
  EXPECT_FALSE(isCommandLine("=1"));
  EXPECT_FALSE(isCommandLine("==1"));
  EXPECT_FALSE(isCommandLine("no equals"));
  EXPECT_FALSE(isCommandLine(""));
  EXPECT_FALSE(isCommandLine("全角＝記号"));  // the full-width sign is text
}

TEST(LineGrammar, NameAndValueSplitAtTheFirstEquals) {
  EXPECT_EQ(lineName("a=b=c"), "a");
  EXPECT_EQ(lineValue("a=b=c"), "b=c");
  EXPECT_EQ(lineValue("cmd="), "");
  EXPECT_EQ(lineName("=x"), "");
  EXPECT_EQ(lineValue("=x"), "");
  EXPECT_EQ(lineValue("plain text"), "");
}

TEST(Folding, OnlyLatinLettersAToZFold) {
  EXPECT_TRUE(equalsFolded("*Op", "*oP"));
  EXPECT_TRUE(equalsFolded("e_1", "E_1"));
  EXPECT_FALSE(equalsFolded("ａ", "Ａ"));  // full-width letters compare exactly
  EXPECT_FALSE(equalsFolded("é", "É"));
  EXPECT_FALSE(equalsFolded("[", "{"));    // 0x5B and 0x7B differ by the case bit but are no letters
  EXPECT_FALSE(equalsFolded("@", "`"));
  EXPECT_FALSE(equalsFolded("ab", "abc"));
}

TEST(Lookups, LabelsCompareWholeLinesAndFoldCase) {
  ScriptLines s;
  s.lines = {"x=1", "*Scene", "*scene_2", "text"};
  EXPECT_EQ(s.indexOf("*scene"), 1);
  EXPECT_EQ(s.indexOf("*SCENE_2"), 2);
  EXPECT_EQ(s.indexOf("*scen"), -1);
  EXPECT_EQ(s.at(-1), "");
  EXPECT_EQ(s.at(4), "");
  EXPECT_EQ(s.at(3), "text");
}

TEST(Lookups, TheFirstDefinitionOfANameWins) {
  ScriptLines s;
  s.lines = {"=5", "Face=3", "text", "face=9", "longer=1"};
  std::string v;
  ASSERT_TRUE(s.valueOf("FACE", v));
  EXPECT_EQ(v, "3");
  ASSERT_TRUE(s.valueOf("LONGER", v));
  EXPECT_EQ(v, "1");
  EXPECT_FALSE(s.valueOf("long", v));   // a prefix of a name is not the name
  EXPECT_FALSE(s.valueOf("", v));       // "=5" defines nothing
  EXPECT_FALSE(s.valueOf("text", v));
}

TEST(ScriptIntegers, DecimalWithOptionalSpacesAndSign) {
  int32_t n = -1;
  EXPECT_TRUE(parseScriptInt("42", n));
  EXPECT_EQ(n, 42);
  EXPECT_TRUE(parseScriptInt("  -7", n));
  EXPECT_EQ(n, -7);
  EXPECT_TRUE(parseScriptInt("+3", n));
  EXPECT_EQ(n, 3);
  EXPECT_TRUE(parseScriptInt("007", n));
  EXPECT_EQ(n, 7);
  EXPECT_TRUE(parseScriptInt("2147483647", n));
  EXPECT_EQ(n, 2147483647);
  EXPECT_TRUE(parseScriptInt("-2147483648", n));
  EXPECT_EQ(n, INT32_MIN);
}

TEST(ScriptIntegers, AnythingElseIsNoInteger) {
  int32_t n = 0;
  for (const char* bad : {"", " ", "-", "+", "1 ", "1a", "0x10", "１", "2147483648", "-2147483649",
                          "99999999999999999999", "\t1", "1.0", "--1"})
    EXPECT_FALSE(parseScriptInt(bad, n)) << '"' << bad << '"';
}

// A file with nothing but zeros before the script block (sparse on disk).
std::string writeScriptOnlyPack(const std::string& dir, const std::string& block) {
  const std::string path = dir + "/lumora.red";
  std::ofstream f(path, std::ios::binary);
  f.seekp(ScriptOffset - 1);
  f.put('\0');
  f.write(block.data(), static_cast<std::streamsize>(block.size()));
  return path;
}

TEST(LoadScript, ReadsTheBlockFromScriptOffsetInCp932) {
  const std::string dir = test::makeTempDir("script_store");
  ASSERT_FALSE(dir.empty());
  // "*op" / あい / "bg=1" / "＜", then a NUL and bytes that must not be read.
  const char raw[] = "*op\r\n\x82\xa0\x82\xa2\nbg=1\r\x81\x83\r\n\0junk\r\n";
  const std::string block(raw, sizeof raw - 1);
  PackFile pack(writeScriptOnlyPack(dir, block));
  ScriptLines s;
  s.lines = {"left over"};
  ASSERT_TRUE(LoadScript(pack, s));
  EXPECT_EQ(s.lines, (Lines{"*op", "あい", "bg=1", "＜"}));
  std::filesystem::remove_all(dir);
}

TEST(LoadScript, ABlockWithTheByteOrderMarkIsUtf8InEveryScript) {
  const std::string dir = test::makeTempDir("script_store_utf8");
  ASSERT_FALSE(dir.empty());
  const Lines lines{"*op", "背景=1", "我们今天去学校。", "오늘은 날씨가 좋네요.", "Élodie a reçu ça: naïve, Ærø, ß",
                    "白樺の林を抜ける坂道を、", "＜", "這是繁體", "選択=", "end="};
  std::string block(kUtf8Bom);
  for (const std::string& l : lines) block += l + "\r\n";
  block += std::string("\0" "after the end", 14);
  PackFile pack(writeScriptOnlyPack(dir, block));
  ScriptLines s;
  ASSERT_TRUE(LoadScript(pack, s));
  EXPECT_EQ(s.lines, lines);  // the mark is not part of the first line
  EXPECT_EQ(s.indexOf("*op"), 0);
  std::filesystem::remove_all(dir);
}

TEST(DecodeScriptBlock, MalformedUtf8BecomesReplacementCharacters) {
  const std::string bom(kUtf8Bom);
  // A stray continuation byte, a truncated sequence, an overlong "/", a surrogate.
  EXPECT_EQ(decodeScriptBlock(bom + "a\x80" "b\xE6\x88\n\xC0\xAF\xED\xA0\x80z"),
            "a\uFFFDb\uFFFD\n\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz");
  EXPECT_EQ(decodeScriptBlock(bom + "\xE6\x88"), "\uFFFD");  // cut short at the block's end
  EXPECT_EQ(decodeScriptBlock(bom), "");
  EXPECT_EQ(decodeScriptBlock(bom + bom + "x"), "\uFEFFx");  // only the first mark is dropped
}

TEST(DecodeScriptBlock, EveryOtherBlockIsCp932AsBefore) {
  EXPECT_EQ(decodeScriptBlock("\x82\xa0\x81\x83"), "あ＜");
  // UTF-8 without the mark is read as CP932, as the game always did.
  EXPECT_EQ(decodeScriptBlock("\xE3\x81\x82"), cp932ToUtf8("\xE3\x81\x82"));
  // Part of a mark is CP932 too.
  EXPECT_EQ(decodeScriptBlock("\xEF\xBB"), cp932ToUtf8("\xEF\xBB"));
  EXPECT_EQ(decodeScriptBlock(" \xEF\xBB\xBF"), cp932ToUtf8(" \xEF\xBB\xBF"));
}

TEST(LoadScript, AMissingPackLeavesTheScriptEmpty) {
  ScriptLines s;
  s.lines = {"old"};
  EXPECT_FALSE(LoadScript(PackFile("/nonexistent/lumora.red"), s));
  EXPECT_TRUE(s.lines.empty());
}

TEST(LoadScript, APackShorterThanTheScriptOffsetHasNoScript) {
  const std::string dir = test::makeTempDir("script_store_short");
  ASSERT_FALSE(dir.empty());
  std::ofstream(dir + "/lumora.red", std::ios::binary) << "BM short";
  ScriptLines s;
  EXPECT_FALSE(LoadScript(PackFile(dir + "/lumora.red"), s));
  EXPECT_TRUE(s.lines.empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace shirakaba
