// Reading replay lines: every command form, the lines that must be refused, and
// the values of expectations.
#include <gtest/gtest.h>

#include "headless/replay.h"

namespace shirakaba {
namespace {

Command parsed(std::string_view line) {
  const Result<Command> p = parseReplayLine(line);
  EXPECT_TRUE(p) << line << ": " << p.error();
  return p ? p.value() : Command();
}

std::string refused(std::string_view line) {
  const Result<Command> p = parseReplayLine(line);
  EXPECT_FALSE(p) << line;
  if (p) return "";
  EXPECT_FALSE(p.error().empty()) << line;
  return p.error();
}

TEST(ReplayParser, BlankLinesAndCommentsDoNothing) {
  for (const char* line : {"", "   ", "\t\r", "# a comment", "   # indented", "#! data demo", "\xEF\xBB\xBF"})
    EXPECT_EQ(parsed(line).kind, CommandKind::Blank) << line;
}

TEST(ReplayParser, TimeCommands) {
  Command c = parsed("wait 30");
  EXPECT_EQ(c.kind, CommandKind::Wait);
  EXPECT_EQ(c.ms, 30);
  EXPECT_EQ(parsed("wait 0").ms, 0);
  EXPECT_EQ(parsed("  wait\t2147483647  # the longest").ms, 2147483647);
  EXPECT_EQ(parsed("wait 500\r").ms, 500);  // files with CR LF line ends
  EXPECT_EQ(parsed("\xEF\xBB\xBFwait 5").ms, 5);
  EXPECT_EQ(parsed("settle").kind, CommandKind::Settle);
  EXPECT_EQ(parsed("quit").kind, CommandKind::Quit);
  EXPECT_EQ(parsed("state").kind, CommandKind::State);
}

TEST(ReplayParser, MouseCommands) {
  Command c = parsed("down 10 20");
  EXPECT_EQ(c.kind, CommandKind::Down);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.y, 20);
  EXPECT_EQ(c.button, MouseButton::Left);
  c = parsed("up -5 700 right");  // a drag may end outside the picture
  EXPECT_EQ(c.kind, CommandKind::Up);
  EXPECT_EQ(c.x, -5);
  EXPECT_EQ(c.y, 700);
  EXPECT_EQ(c.button, MouseButton::Right);
  c = parsed("click 320 240 middle");
  EXPECT_EQ(c.kind, CommandKind::Click);
  EXPECT_EQ(c.button, MouseButton::Middle);
  EXPECT_EQ(parsed("click 1 2 left").button, MouseButton::Left);
  c = parsed("move 3 4");
  EXPECT_EQ(c.kind, CommandKind::Move);
  EXPECT_EQ(c.x, 3);
  EXPECT_EQ(c.y, 4);
}

TEST(ReplayParser, MenuAndGameCommands) {
  Command c = parsed("menu Start_Btn");
  EXPECT_EQ(c.kind, CommandKind::Menu);
  EXPECT_EQ(c.item, MenuId::Start_Btn);
  c = parsed("call Test_Btn");
  EXPECT_EQ(c.kind, CommandKind::Call);
  EXPECT_EQ(c.item, MenuId::Test_Btn);
  for (const char* name : {"ReStart_Btn", "ReSet_Btn", "Exit_Btn", "ON1", "OFF1", "CG_H", "CG_F", "CG_O",
                           "Mes_Btn", "About_Btn", "Text_Btn"})
    EXPECT_TRUE(parseReplayLine(std::string("menu ") + name)) << name;
  c = parsed("mode 100");
  EXPECT_EQ(c.kind, CommandKind::Mode);
  EXPECT_EQ(c.value, 100);
  EXPECT_EQ(parsed("mode -1").value, -1);
  c = parsed("rand 3");
  EXPECT_EQ(c.kind, CommandKind::Rand);
  EXPECT_EQ(c.value, 3);
  EXPECT_EQ(parsed("dialog close").kind, CommandKind::DialogClose);
  c = parsed("shot title_2.wipe-1");
  EXPECT_EQ(c.kind, CommandKind::Shot);
  EXPECT_EQ(c.name, "title_2.wipe-1");
}

TEST(ReplayParser, RefusesUnknownCommandsAndNames) {
  EXPECT_NE(refused("jump 3").find("unknown command 'jump'"), std::string::npos);
  EXPECT_NE(refused("Wait 3").find("unknown command"), std::string::npos);  // commands are lower case
  EXPECT_NE(refused("menu Start").find("unknown menu item 'Start'"), std::string::npos);
  // Items without a click handler are not commands either.
  refused("menu Game");
  refused("menu N1");
  refused("call Set_Btn");
  EXPECT_NE(refused("click 1 2 lft").find("bad button name 'lft'"), std::string::npos);
  refused("move 1 2 left");  // a move names no button
  EXPECT_NE(refused("dialog open").find("dialog close"), std::string::npos);
}

TEST(ReplayParser, RefusesWrongArgumentCounts) {
  EXPECT_NE(refused("wait").find("missing arguments"), std::string::npos);
  EXPECT_NE(refused("wait 1 2").find("too many arguments"), std::string::npos);
  refused("settle now");
  refused("state 1");
  refused("quit please");
  refused("down 1");
  refused("click 1 2 left 4");
  refused("menu");
  refused("menu ON1 OFF1");
  refused("mode");
  refused("rand");
  refused("dialog");
  refused("shot");
  refused("shot a b");
  EXPECT_NE(refused("expect GameMode").find("missing arguments"), std::string::npos);
  refused("expect");
}

TEST(ReplayParser, RefusesBadNumbers) {
  EXPECT_NE(refused("wait abc").find("not a whole number: 'abc'"), std::string::npos);
  refused("wait 1.5");
  refused("wait 10ms");
  refused("wait +5");
  EXPECT_NE(refused("wait -1").find("out of range"), std::string::npos);
  refused("wait 2147483648");
  refused("wait 99999999999999999999999");
  refused("click x 2");
  refused("click 1 2x");
  refused("mode 2147483648");
  refused("rand -1");  // a forced draw stands for a draw below a bound
  refused("down 3000000000 1");
}

TEST(ReplayParser, RefusesShotNamesOutsideTheShotsDirectory) {
  for (const char* line : {"shot ../x", "shot a/b", "shot .hidden", "shot a\\b", "shot 名前"})
    refused(line);
}

TEST(ReplayParser, ExpectTakesAPathAndAJsonValue) {
  Command c = parsed("expect GameMode 1");
  EXPECT_EQ(c.kind, CommandKind::Expect);
  EXPECT_EQ(c.name, "GameMode");
  EXPECT_EQ(c.expected, Json(1));
  EXPECT_EQ(parsed("expect timers.Cha_Timer.enabled true").expected, Json(true));
  EXPECT_EQ(parsed("expect Notice null").expected, Json());
  EXPECT_EQ(parsed("expect PanX -12").expected, Json(-12));
  EXPECT_EQ(parsed("expect Page []").expected, Json::array());
  refused("expect .GameMode 1");
  refused("expect Adv..Day 1");
  refused("expect Adv. 1");
}

TEST(ReplayParser, ExpectStringsBareOrQuoted) {
  // Bare words are strings taken as written, Japanese and inner blanks included.
  EXPECT_EQ(parsed("expect SceneLabel *op").expected, Json("*op"));
  EXPECT_EQ(parsed("expect menu.Start_Btn.caption はじめる").expected, Json("はじめる"));
  EXPECT_EQ(parsed("expect Page.0 二人は  歩いた  ").expected, Json("二人は  歩いた"));
  EXPECT_EQ(parsed("expect SceneLabel 1abc").expected, Json("1abc"));
  // Quoted strings are JSON strings: escapes, a '#' that is no comment, keywords as text.
  EXPECT_EQ(parsed("expect message \"ファイルが足りません\\n\"").expected, Json("ファイルが足りません\n"));
  EXPECT_EQ(parsed("expect Page.0 \"#1 \\\"a\\\"\"  # a comment").expected, Json("#1 \"a\""));
  EXPECT_EQ(parsed("expect SceneLabel \"true\"").expected, Json("true"));
  EXPECT_EQ(parsed("expect SceneLabel \"12\"").expected, Json("12"));
  EXPECT_EQ(parsed("expect Page.0 \"\\u3042\"").expected, Json("あ"));
  // A bare value ends at a comment.
  EXPECT_EQ(parsed("expect SceneLabel *e_3 # event 3").expected, Json("*e_3"));
}

TEST(ReplayParser, ExpectRefusesBrokenJson) {
  EXPECT_NE(refused("expect message \"unterminated").find("bad JSON value"), std::string::npos);
  refused("expect message \"bad \\q escape\"");
  refused("expect Page [1,");
  refused("expect Page {\"a\":}");
  refused("expect message \"a\" b");
  EXPECT_NE(refused("expect GameMode # only a comment").find("missing arguments"), std::string::npos);
}

TEST(ReplayParser, CommentsOutsideStringsOnly) {
  EXPECT_EQ(stripComment("wait 5 # five"), "wait 5 ");
  EXPECT_EQ(stripComment("expect a \"x#y\" # c"), "expect a \"x#y\" ");
  EXPECT_EQ(stripComment("expect a \"x\\\"#y\""), "expect a \"x\\\"#y\"");
  EXPECT_EQ(stripComment("#"), "");
}

}  // namespace
}  // namespace shirakaba
