// The game's own texts from the game data: own-text lines read back as written, only
// from a UTF-8 script and only before its first label; a game on such a pack shows its
// menu, status labels, closing line and window texts translated and every other text
// as the program holds it; a CP932 pack reads those lines as the ordinary lines they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <variant>

#include <nlohmann/json.hpp>

#include "base/cp932.h"
#include "base/files.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "game/core.h"
#include "game/game_state.h"
#include "calendar/status_labels.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

ScriptLines utf8Script(Lines lines) {
  ScriptLines s;
  s.lines = std::move(lines);
  s.utf8 = true;
  return s;
}

TEST(OwnTextLines, ReadBackAsWrittenWithEveryEscape) {
  const std::vector<OwnTextLine> cases{
      {"program:menu", "効果音 OFF", "Sound: off"},
      {"program:about", "白樺館\n  見習い日誌 体験版", "Shirakaba Manor\n  An Apprentice's Diary"},
      {"program:status", " 朝", " \"Dawn\" \\ back\\slash \\n"},
      {"program:closing", "x", ""},  // an empty translation is a translation
  };
  for (const OwnTextLine& t : cases) {
    const std::string line = formatOwnTextLine(t);
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    EXPECT_FALSE(isCommandLine(line)) << line;
    const Result<OwnTextLine> back = parseOwnTextLine(line);
    ASSERT_TRUE(back) << line << ": " << back.error();
    EXPECT_EQ(back.value(), t);
  }
  EXPECT_EQ(formatOwnTextLine(cases[0]), "#text program:menu \"効果音 OFF\" -> \"Sound: off\"");
}

TEST(OwnTextLines, MalformedAndHostileLinesAreRefusedWithAReason) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"#text", "begins with"},
      {"#text ", "context is missing"},
      {"#text program:menu", "context is missing"},
      {"#text program:menu \"設定\" \"Settings\"", "\" -> \" must follow"},
      {"#text program:menu \"設定\" ->", "\" -> \" must follow"},
      {"#text program:menu \"設定\" -> ", "does not begin with a quote"},
      {"#text program:menu 設定 -> \"Settings\"", "does not begin with a quote"},
      {"#text program:menu \"設定 -> \"Settings\"", "\" -> \" must follow"},
      {"#text program:menu \"設定\" -> \"Settings", "no closing quote"},
      {"#text program:menu \"設定\" -> \"Settings\\", "no closing quote"},
      {"#text program:menu \"設定\" -> \"a\\tb\"", "unknown escape \\t"},
      {"#text program:menu \"設定\" -> \"Settings\" ", "goes on after"},
      {"#text program:menu \"\" -> \"x\"", "original is empty"},
      {"#text program:menu \"設定\" -> \"a=b\"", "would read as a definition"},
      {"#text program:menu \"設\xE8\xA8\" -> \"x\"", "not valid UTF-8"},
      {"#text program:menu \"設定\" -> \"" + std::string(kOwnTextLineMax, 'x') + "\"", "more than the"},
  };
  for (const auto& [line, reason] : cases) {
    const Result<OwnTextLine> t = parseOwnTextLine(line);
    ASSERT_FALSE(t) << line;
    EXPECT_NE(t.error().find(reason), std::string::npos) << line << ": " << t.error();
  }
  // A megabyte of quotes and escapes is refused by its length before it is scanned.
  EXPECT_FALSE(parseOwnTextLine("#text c \"" + std::string(1 << 20, '\\')));
}

TEST(OwnTexts, ComeOnlyFromAUtf8ScriptBeforeItsFirstLabelTheFirstOfEachCounting) {
  const Lines lines{"#text program:menu \"設定\" -> \"Settings\"",
                    "#text program:menu \"設定\" -> \"Options\"",  // the first counts, as with definitions
                    "#text program:menu \"ヘルプ\" \"Help\"",       // malformed: skipped
                    "背景=1",
                    "#text program:status \"自習\" -> \"Study\"",   // still before the first label
                    "*op",
                    "#text program:closing \"この後は本編でお楽しみ下さい\" -> \"The end\"",  // a scene's text
                    "end=3"};
  const OwnTexts t = OwnTexts::read(utf8Script(lines));
  EXPECT_EQ(t.text(own::Menu, "設定"), "Settings");
  EXPECT_EQ(t.text(own::Menu, "ヘルプ"), "ヘルプ");
  EXPECT_EQ(t.text(own::Status, "自習"), "Study");
  EXPECT_EQ(t.text(own::Closing, own::ClosingLine), own::ClosingLine);
  EXPECT_EQ(t.text(own::Status, "設定"), "設定") << "the context counts";

  ScriptLines cp932 = utf8Script(lines);
  cp932.utf8 = false;
  EXPECT_TRUE(OwnTexts::read(cp932).empty());
  EXPECT_TRUE(OwnTexts::read(utf8Script({})).empty());
  EXPECT_TRUE(OwnTexts::read(utf8Script({std::string(1 << 20, '#'), "#text " + std::string(1 << 20, '"')})).empty());
}

// ---- A game on a pack that carries own texts ----

const Lines kOwnTextLines{
    "#text program:menu \"はじめる\" -> \"Start\"",
    "#text program:menu \"効果音 OFF\" -> \"Sound: off\"",
    "#text program:closing \"この後は本編でお楽しみ下さい\" -> \"To be continued in the full game\"",
    "#text program:about \"白樺館  見習い日誌 体験版\" -> \"Shirakaba Manor (demo)\"",
    "#text program:about \"閉じる\" -> \"Close\"",
};
const Lines kScript{"bg=1", "*op", "bg=1", "一行目", "end=3"};

// Every part of the day as "Time 1" .. "Time 6".
Lines timeLabelLines() {
  Lines out;
  for (int i = 1; i <= 6; ++i)
    out.push_back(formatOwnTextLine({own::Status, TimeLabels[i], "Time " + std::to_string(i)}));
  return out;
}

std::string scriptText(const Lines& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// A game folder whose pack holds the own-text lines and the script, in UTF-8 or CP932.
std::string makeGame(const std::string& tag, bool utf8) {
  const std::string dir = test::makeTempDir(tag);
  Lines lines = kOwnTextLines, times = timeLabelLines();
  lines.insert(lines.end(), times.begin(), times.end());
  lines.insert(lines.end(), kScript.begin(), kScript.end());
  EXPECT_TRUE(test::writeTestPack(dir, {}, utf8 ? "" : scriptText(lines)));
  if (!utf8) return dir;
  const std::string pack = (fs::path(dir) / "data" / "lumora.red").string();
  Result<std::vector<uint8_t>> bytes = readFile(pack, test::kTestReadLimit);
  EXPECT_TRUE(bytes);
  bytes->resize(static_cast<size_t>(ScriptOffset));
  const std::string block = std::string(kUtf8Bom) + scriptText(lines);
  bytes->insert(bytes->end(), block.begin(), block.end());
  EXPECT_TRUE(writeFile(pack, bytes.value()));
  return dir;
}

struct TranslatedGame {
  explicit TranslatedGame(const std::string& dir) : core(GameSetup{dir, 7, nullptr}) {
    core.start();
    settle();
  }
  void settle() {
    for (int i = 0; i < 100000 && core.busy(); ++i) core.fireNext(INT64_MAX);
  }
  std::vector<std::string> textsShown() {
    std::vector<std::string> out;
    for (const GameEvent& e : core.takeEvents())
      if (const auto* t = std::get_if<TextShown>(&e)) out.push_back(t->text);
    return out;
  }
  static bool holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  GameCore core;
};

TEST(TranslatedGame, ShowsTheTranslatedTextsAndTheOriginalsOfTheOthers) {
  const std::string dir = makeGame("own_texts_utf8", true);
  TranslatedGame g(dir);
  EXPECT_EQ(g.core.menu()[MenuId::Start_Btn].Caption, "Start");
  EXPECT_EQ(g.core.menu()[MenuId::Set_Btn].Caption, "設定") << "untranslated";
  EXPECT_EQ(g.core.describe({})["menu"]["Start_Btn"]["caption"], "Start");
  g.core.menuCommand(MenuId::OFF1);
  EXPECT_EQ(g.core.menu()[MenuId::BGM_Btn].Caption, "Sound: off");
  g.core.menuCommand(MenuId::ON1);
  EXPECT_EQ(g.core.menu()[MenuId::BGM_Btn].Caption, "効果音 ON");
  // The state keeps the program's captions: a save holds no language.
  EXPECT_EQ(g.core.snapshot().state().menu[MenuId::Start_Btn].Caption, "はじめる");

  const WindowTexts w = g.core.windowTexts();
  EXPECT_EQ(w.caption, "Shirakaba Manor (demo)");
  EXPECT_EQ(w.readmeClose, "Close");
  EXPECT_EQ(w.aboutTitle, GameCore::originalWindowTexts().aboutTitle);

  g.core.menuCommand(MenuId::Start_Btn);  // a new game, then its status screen
  g.settle();
  g.textsShown();
  g.core.setMode(10);
  g.settle();
  const std::string partOfDay = g.core.summary().partOfDay;
  EXPECT_EQ(partOfDay.rfind("Time ", 0), 0u) << partOfDay;
  EXPECT_TRUE(TranslatedGame::holds(g.textsShown(), partOfDay));

  g.core.setMode(7);  // the closing screen
  g.settle();
  const std::vector<std::string> closing = g.textsShown();
  EXPECT_TRUE(TranslatedGame::holds(closing, "To be continued in the full game"));
  EXPECT_FALSE(TranslatedGame::holds(closing, own::ClosingLine));
  fs::remove_all(dir);
}

TEST(TranslatedGame, ACp932PackReadsTheSameLinesAsOrdinaryLines) {
  const std::string dir = makeGame("own_texts_cp932", false);
  Lines expected = kOwnTextLines, times = timeLabelLines();
  expected.insert(expected.end(), times.begin(), times.end());
  expected.insert(expected.end(), kScript.begin(), kScript.end());
  ScriptLines s;
  ASSERT_TRUE(LoadScript(PackFile((fs::path(dir) / "data" / "lumora.red").string()), s));
  EXPECT_FALSE(s.utf8);
  EXPECT_EQ(s.lines, expected);

  TranslatedGame g(dir);
  EXPECT_EQ(g.core.menu()[MenuId::Start_Btn].Caption, "はじめる");
  EXPECT_EQ(g.core.windowTexts().caption, GameCore::originalWindowTexts().caption);
  g.core.setMode(7);
  g.settle();
  EXPECT_TRUE(TranslatedGame::holds(g.textsShown(), own::ClosingLine));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace shirakaba
