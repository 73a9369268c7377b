// The script interpreter: lookups by label and name, the start of a scene, the
// twelve commands and the end of a scene, driven on a game made from a test pack.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "calendar/events.h"
#include "game/game.h"
#include "support/printers.h"
#include "support/pack_fixture.h"

namespace shirakaba {

namespace {

constexpr Colour kBackdrop = 0x101010, kForest = 0x206020, kLogo = 0x0000C0;
constexpr Colour kSpriteA = 0x3030F0, kSpriteB = 0xF03030, kSprite0 = 0x00A0A0, kCG = 0x405060;

// The pictures the commands draw, small so the pack builds quickly.
std::map<int, Bitmap> testPictures() {
  std::map<int, Bitmap> p;
  p[0] = test::solid32(4, 4, kLogo);
  p[1] = test::solid32(16, 16, kBackdrop);
  p[31] = test::solid32(16, 16, kForest);  // background 2
  p[59] = test::solid32(8, 8, kSprite0);   // sprite 0 is picture 59 ...
  p[77] = test::mask8(8, 8, 255);          // ... through mask 77
  p[61] = test::solid32(8, 8, kSpriteA);   // sprite 2
  p[79] = test::mask8(8, 8, 255);
  p[62] = test::solid32(8, 8, kSpriteB);   // sprite 3
  p[80] = test::mask8(8, 8, 255);
  p[121] = test::solid32(600, 480, kCG);   // CG 1
  return p;
}

class Interpreter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(test::makeTempDir("interpreter"));
    ASSERT_TRUE(test::writeTestPack(*dir_, testPictures(), "*unused\r\n"));
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
  }

  void SetUp() override {
    g.engine.FormCreate();
    ASSERT_TRUE(g.state.surfaces.backBufferCreated);
    g.engine.Cha_Timer.setEnabled(false);  // no logo: the tests drive the scene by hand
    g.state.shell.GameMode = GameMode::Scene;
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, 0x777777);
    g.engine.Script.lines = {
        "bg=1", "sprite=7", "face=9", "cg=2", "end=3", "close=4", "endf=5", "left=6", "pair=7",
        "pair8=8", "noop=10", "choice=11", "endnow=12", "forest=2", "A=2", "B=3", "nothing=", "word=x2",
        "huge=99", "neg=-29", "wide=2147483647", "wait3=3", "S0=0",
    };
  }
  // Adds a scene and returns the index of its label.
  int addScene(const std::string& label, std::vector<std::string> body) {
    const int at = g.engine.Script.count();
    g.engine.Script.lines.push_back(label);
    for (auto& l : body) g.engine.Script.lines.push_back(std::move(l));
    return at;
  }
  Colour back(int x, int y) const { return getPixel32(g.engine.draw.BackBuffer, x, y); }
  void startScene(const std::string& label) {
    g.state.scene.SceneLabel = label;
    g.state.scene.ScriptPos = 0;
    g.engine.RunCommand();
  }

  static std::string* dir_;
  NullHost host;
  Game g{host, EngineConfig{*dir_}};
};
std::string* Interpreter::dir_ = nullptr;

// A scene that cannot be found shows its label in the notice bar: without a label of
// its own a scene is "*e_" and its number.
TEST_F(Interpreter, SceneLabelsAndTheirLookup) {
  g.state.scene.SceneNo = 12;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*e_12"));
  const int at = addScene("*op", {"text"});
  g.state.scene.SceneLabel = "*Op";
  g.engine.NextPage(PageIndent::Plain);  // Latin letters fold
  EXPECT_EQ(g.state.shown.Page, (std::vector<std::string>{"text"}));
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  g.state.scene.SceneLabel = "*op_";
  g.state.scene.ScriptPos = 0;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*op_"));
}

TEST_F(Interpreter, DefinitionsGiveNumbersAndEverythingElseIsZero) {
  EXPECT_EQ(g.engine.ScriptInt("forest"), 2);
  EXPECT_EQ(g.engine.ScriptInt("FOREST"), 2);
  EXPECT_EQ(g.engine.ScriptInt("undefined"), 0);
  EXPECT_EQ(g.engine.ScriptInt("nothing"), 0);  // an empty value
  EXPECT_EQ(g.engine.ScriptInt("word"), 0);     // not a number
  g.engine.Script.lines.push_back("forest=5");  // a later line with the same name
  EXPECT_EQ(g.engine.ScriptInt("forest"), 2);
}

// The first line of a scene always runs as a command; whether it is the background
// command shows on the BackBuffer.
TEST_F(Interpreter, CommandNumbersComeFromTheLineName) {
  auto drawsBackground = [&](std::vector<std::string> scene) {
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, 0x777777);
    g.engine.Script.lines = {"bg=1", "forest=2", "*s"};
    for (auto& l : scene) g.engine.Script.lines.push_back(std::move(l));
    startScene("*s");
    return back(0, 0) != 0x777777u;
  };
  EXPECT_TRUE(drawsBackground({"BG=forest"}));
  EXPECT_FALSE(drawsBackground({"=1"}));  // "=" first: a text line
  EXPECT_FALSE(drawsBackground({"bg"}));
  EXPECT_FALSE(drawsBackground({"nosuch=forest"}));  // an undefined name
  EXPECT_TRUE(drawsBackground({"bg="}));  // an empty argument is still a command
  EXPECT_FALSE(drawsBackground({}));      // past the script's end
}

TEST_F(Interpreter, CGNamesMatchExactly) {
  auto cgOf = [&](const std::string& name) {
    const int at = addScene("*c", {"cg=" + name});
    g.state.scene.ScriptPos = at + 1;
    g.engine.NextPage(PageIndent::Plain);  // the CG command at the cursor
    g.engine.Script.lines.resize(static_cast<size_t>(at));
    return int{g.state.scene.CGNo};
  };
  EXPECT_EQ(cgOf("t_job1.bmp"), 1);
  EXPECT_EQ(cgOf("春未E5.bmp"), 7);
  EXPECT_EQ(cgOf("T_JOB1.BMP"), 0);
  EXPECT_EQ(cgOf("春未e1.bmp"), 0);
  EXPECT_EQ(cgOf(""), 0);
}

TEST_F(Interpreter, TheFirstCommandOfASceneRunsWithoutATransition) {
  const int at = addScene("*s", {"bg=forest", "hello"});
  g.state.scene.WindowBaked = 1;
  startScene("*S");
  EXPECT_EQ(back(0, 0), kForest);
  EXPECT_EQ(back(16, 0), 0x777777u);
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  EXPECT_EQ(g.state.scene.WindowBaked, 0);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene);
  // Phase 0 of a later cycle finds the scene running and does nothing.
  g.engine.RunCommand();
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
}

TEST_F(Interpreter, ASceneWhoseFirstLineIsTextLosesIt) {
  const int at = addScene("*s", {"lost line", "kept line"});
  startScene("*s");
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  EXPECT_EQ(back(0, 0), 0x777777u);
}

TEST_F(Interpreter, AMissingLabelRunsLineZeroAsTheFirstCommand) {
  startScene("*missing");
  EXPECT_EQ(g.state.scene.ScriptPos, 1);
  EXPECT_EQ(back(0, 0), kBackdrop);  // "bg=1": command 1 with the undefined background "1"
}

TEST_F(Interpreter, ALaterCommandStartsATransition) {
  addScene("*s", {"bg=forest", "text", "bg=undefined"});
  startScene("*s");
  g.state.scene.ScriptPos += 1;  // the text was shown
  g.state.scene.WindowBaked = 1;
  g.engine.Text_Timer.setEnabled(true);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(back(0, 0), kBackdrop);  // an undefined background is picture 1
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.engine.Cha_Timer.Tag, 0);
  EXPECT_FALSE(g.engine.Text_Timer.Enabled());
  EXPECT_EQ(g.state.scene.WindowBaked, 0);
}

TEST_F(Interpreter, UndefinedAndNonNumericCommandsOnlyTransition) {
  for (const char* line : {"unknown=forest", "word=forest", "nothing=forest"}) {
    g.engine.Script.lines.push_back(line);
    g.state.scene.ScriptPos = g.engine.Script.count() - 1;
    g.engine.Cha_Timer.setEnabled(false);
    g.engine.NextPage(PageIndent::Plain);
    EXPECT_EQ(g.state.scene.ScriptPos, g.engine.Script.count()) << line;
    EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene) << line;
    EXPECT_TRUE(g.engine.Cha_Timer.Enabled()) << line;
    EXPECT_EQ(back(0, 0), 0x777777u) << line;
  }
}

TEST_F(Interpreter, CommandsSevenAndEightPlaceTwoSpritesFromTwoLines) {
  for (const char* cmd : {"pair=A", "pair8=A"}) {
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, 0x777777);
    const int at = addScene("*p", {cmd, "ignored name=B", "after"});
    g.state.scene.ScriptPos = at + 1;
    g.engine.NextPage(PageIndent::Plain);
    EXPECT_EQ(g.state.scene.ScriptPos, at + 3) << cmd;
    EXPECT_EQ(back(50, 0), kSpriteA) << cmd;   // slot 2
    EXPECT_EQ(back(300, 0), kSpriteB) << cmd;  // slot 3
    EXPECT_EQ(back(200, 0), 0x777777u) << cmd;
    g.engine.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, SpriteZeroHasNoSpecialCaseAndCommandSixUsesSlotZero) {
  const int at = addScene("*p", {"left=S0", "left=A"});
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(back(200, 0), kSprite0);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(back(200, 0), kSpriteA);
}

TEST_F(Interpreter, PictureNumbersOutsideThePackDrawNothing) {
  g.engine.DrawBackground("huge", Target::Back);  // 99 + 29 = 128
  g.engine.DrawBackground("wide", Target::Back);  // would overflow
  g.engine.PlaceSprite(0, "wide", Target::Back);
  g.engine.PlaceSprite(8, "A", Target::Back);     // no such slot
  g.engine.PlaceSprite(-1, "A", Target::Back);
  EXPECT_EQ(back(0, 0), 0x777777u);
  EXPECT_EQ(back(200, 0), 0x777777u);
  g.engine.DrawBackground("neg", Target::Back);   // -29 + 29 = picture 0
  EXPECT_EQ(back(0, 0), kLogo);
  g.engine.DrawBackground("forest", Target::Screen);
  EXPECT_EQ(getPixel32(g.engine.draw.ImageBa, 0, 0), kForest);
}

TEST_F(Interpreter, AnUnknownCGStretchesTheBackdrop) {
  const int at = addScene("*c", {"cg=T_JOB1.BMP", "text"});
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.scene.CGNo, 0);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene);
  EXPECT_EQ(back(639, 479), kBackdrop);
  EXPECT_EQ(g.state.record.CGSeen[1], 0);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST_F(Interpreter, AKnownCGSwitchesToTheCGDisplay) {
  const int at = addScene("*c", {"cg=t_job1.bmp", "text"});
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.scene.CGNo, 1);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::CGDisplay);
  EXPECT_EQ(g.state.record.CGSeen[1], 1);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(back(320, 240), 0x777777u);  // shown by the next cycle's compose step
}

TEST_F(Interpreter, ACGOpeningASceneIsShownAtOnce) {
  addScene("*c", {"cg=t_job1.bmp", "text"});
  startScene("*c");
  EXPECT_EQ(g.state.scene.CGNo, 1);
  EXPECT_EQ(back(320, 240), kCG);       // rest view at (20, 0)-(620, 480)
  EXPECT_EQ(back(5, 5), kBackdrop);     // the backdrop under the CG
  EXPECT_EQ(back(5, 240), 0x777777u);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene);          // a still CG ends inside the cycle
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
}

TEST_F(Interpreter, EndOfSceneResetsAndReturnsToTheCalendar) {
  for (const char* cmd : {"end=", "endnow="}) {
    const int at = addScene("*x", {cmd, "", "later"});
    g.state.scene.ScriptPos = at + 1;
    g.state.scene.SceneNo = 5;
    g.state.scene.SceneLabel = "*x";
    g.state.scene.WindowBaked = 1;
    g.state.shell.GameMode = GameMode::Scene;
    g.engine.NextPage(PageIndent::Plain);
    EXPECT_EQ(g.state.scene.ScriptPos, 0) << cmd;
    EXPECT_EQ(g.state.scene.SceneNo, 0) << cmd;
    EXPECT_EQ(g.state.scene.SceneLabel, "") << cmd;
    EXPECT_EQ(g.state.scene.WindowBaked, 0) << cmd;
    EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar) << cmd;
    EXPECT_TRUE(g.engine.Cha_Timer.Enabled()) << cmd;
    g.engine.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, TestModeSendsEveryEndCommandToTheSceneList) {
  for (const char* cmd : {"end=", "endf=", "endnow="}) {
    const int at = addScene("*t", {cmd, "kyouko_1", "wait3"});
    g.state.scene.ScriptPos = at + 1;
    g.state.scene.TestMode = 1;
    g.state.scene.SceneLabel = "*t";
    g.state.shell.GameMode = GameMode::Scene;
    g.engine.NextPage(PageIndent::Plain);
    EXPECT_EQ(g.state.shell.GameMode, GameMode::SceneList) << cmd;
    g.engine.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, TheEventLineSchedulesOrReleasesAnEvent) {
  const int n = FindEvent("*kyouko_1");
  ASSERT_GT(n, 0);
  const int at = addScene("*x", {"end=", "kyouko_1", "wait3", "endnow=", "kyouko_1", "endf=", "kyouko_1", ""});
  g.state.scene.ScriptPos = at + 1;  // NextPage hands over with the cursor on the command line
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.events.EventWait[n], 3);
  g.state.events.EventState[n] = 1;
  g.state.scene.ScriptPos = at + 4;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.events.EventState[n], 2);
  g.state.scene.ScriptPos = at + 6;
  g.engine.NextPage(PageIndent::Plain);  // an empty wait line waits one night
  EXPECT_EQ(g.state.events.EventWait[n], 1);
}

TEST_F(Interpreter, AnEndCommandOnTheLastLineReadsEmptyLinesAfterIt) {
  g.engine.Script.lines.push_back("end=");
  g.state.scene.ScriptPos = g.engine.Script.count() - 1;
  g.state.scene.SceneNo = 3;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar);
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
}

TEST_F(Interpreter, TheClosingCommandKeepsTheSceneNumber) {
  const int at = addScene("*z", {"close=", "*after_end", "more"});
  g.state.scene.ScriptPos = at + 1;
  g.state.scene.SceneNo = 3;
  g.state.scene.WindowBaked = 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.scene.SceneLabel, "*after_end");
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_EQ(g.state.scene.SceneNo, 3);
  EXPECT_EQ(g.state.scene.WindowBaked, 0);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Closing);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST_F(Interpreter, TheChoiceCommandHandsOverWithoutATransition) {
  const int at = addScene("*q", {"choice=", "yes", "no", "1", "-2"});
  g.state.scene.ScriptPos = at + 1;
  g.engine.Text_Timer.setEnabled(true);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Choice);
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.btn.ButtonOn[1], 1);
  EXPECT_EQ(g.state.btn.ButtonOn[2], 1);
  EXPECT_FALSE(g.engine.Text_Timer.Enabled());
}

TEST_F(Interpreter, TheFaceCommandShowsTheNextPageAtOnce) {
  const int at = addScene("*f", {"face=nobody", "spoken line", "bg=forest"});
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (std::vector<std::string>{"spoken line"}));
  EXPECT_EQ(g.state.scene.ScriptPos, at + 3);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.scene.WindowBaked, 0);
}

TEST_F(Interpreter, NothingRunsWhileTheViewerReplaysACG) {
  const int at = addScene("*r", {"bg=forest"});
  g.engine.CG_Timer.Tag = 1;
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  g.state.scene.ScriptPos = 0;
  g.state.scene.SceneLabel = "*r";
  g.engine.RunCommand();
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_EQ(back(0, 0), 0x777777u);
}

}  // namespace
}  // namespace shirakaba
