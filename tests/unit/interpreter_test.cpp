// The script interpreter: lookups by label and name, the start of a scene, the
// twelve commands and the end of a scene, driven on a form made from a test pack.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/form.h"
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
    form.FormCreate();
    ASSERT_TRUE(form.draw.backBufferCreated);
    form.Cha_Timer.setEnabled(false);  // no logo: the tests drive the scene by hand
    form.GameMode = 6;
    form.draw.BackBuffer = Bitmap::create32(640, 480, 0x777777);
    form.Script.lines = {
        "bg=1", "sprite=7", "face=9", "cg=2", "end=3", "close=4", "endf=5", "left=6", "pair=7",
        "pair8=8", "noop=10", "choice=11", "endnow=12", "forest=2", "A=2", "B=3", "nothing=", "word=x2",
        "huge=99", "neg=-29", "wide=2147483647", "wait3=3", "S0=0",
    };
  }
  // Adds a scene and returns the index of its label.
  int addScene(const std::string& label, std::vector<std::string> body) {
    const int at = form.Script.count();
    form.Script.lines.push_back(label);
    for (auto& l : body) form.Script.lines.push_back(std::move(l));
    return at;
  }
  Colour back(int x, int y) const { return getPixel32(form.draw.BackBuffer, x, y); }
  void startScene(const std::string& label) {
    form.train.Adv.SceneLabel = label;
    form.scene.ScriptPos = 0;
    form.RunCommand();
  }

  static std::string* dir_;
  NullHost host;
  TXP_Form form{host, FormConfig{*dir_}};
};
std::string* Interpreter::dir_ = nullptr;

TEST_F(Interpreter, SceneLabelsAndTheirLookup) {
  form.scene.SceneNo = 12;
  EXPECT_EQ(form.GetSceneLabel(), "*e_12");
  form.train.Adv.SceneLabel = "*Op";
  EXPECT_EQ(form.GetSceneLabel(), "*Op");
  const int at = addScene("*op", {"text"});
  EXPECT_EQ(form.FindScene(), at + 1);  // Latin letters fold
  form.train.Adv.SceneLabel = "*op_";
  EXPECT_EQ(form.FindScene(), 0);
}

TEST_F(Interpreter, DefinitionsGiveNumbersAndEverythingElseIsZero) {
  EXPECT_EQ(form.ScriptInt("forest"), 2);
  EXPECT_EQ(form.ScriptInt("FOREST"), 2);
  EXPECT_EQ(form.ScriptInt("undefined"), 0);
  EXPECT_EQ(form.ScriptInt("nothing"), 0);  // an empty value
  EXPECT_EQ(form.ScriptInt("word"), 0);     // not a number
  form.Script.lines.push_back("forest=5");  // a later line with the same name
  EXPECT_EQ(form.ScriptInt("forest"), 2);
}

TEST_F(Interpreter, CommandNumbersComeFromTheLineName) {
  form.Script.lines = {"bg=1", "BG=forest", "=1", "bg", "nosuch=forest", "bg="};
  EXPECT_EQ(form.CommandAt(1), 1);
  EXPECT_EQ(form.CommandAt(2), 0);  // "=" first: a text line
  EXPECT_EQ(form.CommandAt(3), 0);
  EXPECT_EQ(form.CommandAt(4), 0);  // an undefined name
  EXPECT_EQ(form.CommandAt(5), 1);  // an empty argument is still a command
  EXPECT_EQ(form.CommandAt(99), 0);
}

TEST_F(Interpreter, CGNamesMatchExactly) {
  EXPECT_EQ(form.FindCG("t_job1.bmp"), 1);
  EXPECT_EQ(form.FindCG("春未E5.bmp"), 7);
  EXPECT_EQ(form.FindCG("T_JOB1.BMP"), 0);
  EXPECT_EQ(form.FindCG("春未e1.bmp"), 0);
  EXPECT_EQ(form.FindCG(""), 0);
}

TEST_F(Interpreter, TheFirstCommandOfASceneRunsWithoutATransition) {
  const int at = addScene("*s", {"bg=forest", "hello"});
  form.scene.WindowBaked = 1;
  startScene("*S");
  EXPECT_EQ(back(0, 0), kForest);
  EXPECT_EQ(back(16, 0), 0x777777u);
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  EXPECT_EQ(form.scene.WindowBaked, 0);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.GameMode, 6);
  // Phase 0 of a later cycle finds the scene running and does nothing.
  form.RunCommand();
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
}

TEST_F(Interpreter, ASceneWhoseFirstLineIsTextLosesIt) {
  const int at = addScene("*s", {"lost line", "kept line"});
  startScene("*s");
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  EXPECT_EQ(back(0, 0), 0x777777u);
}

TEST_F(Interpreter, AMissingLabelRunsLineZeroAsTheFirstCommand) {
  startScene("*missing");
  EXPECT_EQ(form.scene.ScriptPos, 1);
  EXPECT_EQ(back(0, 0), kBackdrop);  // "bg=1": command 1 with the undefined background "1"
}

TEST_F(Interpreter, ALaterCommandStartsATransition) {
  addScene("*s", {"bg=forest", "text", "bg=undefined"});
  startScene("*s");
  form.scene.ScriptPos += 1;  // the text was shown
  form.scene.WindowBaked = 1;
  form.Text_Timer.setEnabled(true);
  form.RunCommand(form.CommandAt(form.scene.ScriptPos));
  EXPECT_EQ(back(0, 0), kBackdrop);  // an undefined background is picture 1
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.Cha_Timer.Tag, 0);
  EXPECT_FALSE(form.Text_Timer.Enabled());
  EXPECT_EQ(form.scene.WindowBaked, 0);
}

TEST_F(Interpreter, UndefinedAndNonNumericCommandsOnlyTransition) {
  for (const char* line : {"unknown=forest", "word=forest", "nothing=forest"}) {
    form.Script.lines.push_back(line);
    form.scene.ScriptPos = form.Script.count() - 1;
    form.Cha_Timer.setEnabled(false);
    form.RunCommand(form.CommandAt(form.scene.ScriptPos));
    EXPECT_EQ(form.scene.ScriptPos, form.Script.count()) << line;
    EXPECT_EQ(form.GameMode, 6) << line;
    EXPECT_TRUE(form.Cha_Timer.Enabled()) << line;
    EXPECT_EQ(back(0, 0), 0x777777u) << line;
  }
}

TEST_F(Interpreter, CommandsSevenAndEightPlaceTwoSpritesFromTwoLines) {
  for (const char* cmd : {"pair=A", "pair8=A"}) {
    form.draw.BackBuffer = Bitmap::create32(640, 480, 0x777777);
    const int at = addScene("*p", {cmd, "ignored name=B", "after"});
    form.scene.ScriptPos = at + 1;
    form.RunCommand(form.CommandAt(at + 1));
    EXPECT_EQ(form.scene.ScriptPos, at + 3) << cmd;
    EXPECT_EQ(back(50, 0), kSpriteA) << cmd;   // slot 2
    EXPECT_EQ(back(300, 0), kSpriteB) << cmd;  // slot 3
    EXPECT_EQ(back(200, 0), 0x777777u) << cmd;
    form.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, SpriteZeroHasNoSpecialCaseAndCommandSixUsesSlotZero) {
  const int at = addScene("*p", {"left=S0", "left=A"});
  form.scene.ScriptPos = at + 1;
  form.RunCommand(6);
  EXPECT_EQ(back(200, 0), kSprite0);
  form.RunCommand(6);
  EXPECT_EQ(back(200, 0), kSpriteA);
}

TEST_F(Interpreter, PictureNumbersOutsideThePackDrawNothing) {
  form.DrawBackground("huge", kToBack);  // 99 + 29 = 128
  form.DrawBackground("wide", kToBack);  // would overflow
  form.PlaceSprite(0, "wide", kToBack);
  form.PlaceSprite(8, "A", kToBack);     // no such slot
  form.PlaceSprite(-1, "A", kToBack);
  EXPECT_EQ(back(0, 0), 0x777777u);
  EXPECT_EQ(back(200, 0), 0x777777u);
  form.DrawBackground("neg", kToBack);   // -29 + 29 = picture 0
  EXPECT_EQ(back(0, 0), kLogo);
  form.DrawBackground("forest", kToScreen);
  EXPECT_EQ(getPixel32(form.draw.ImageBa, 0, 0), kForest);
}

TEST_F(Interpreter, AnUnknownCGStretchesTheBackdrop) {
  const int at = addScene("*c", {"cg=T_JOB1.BMP", "text"});
  form.scene.ScriptPos = at + 1;
  form.RunCommand(2);
  EXPECT_EQ(form.scene.CGNo, 0);
  EXPECT_EQ(form.GameMode, 6);
  EXPECT_EQ(back(639, 479), kBackdrop);
  EXPECT_EQ(form.record.CGSeen[1], 0);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
}

TEST_F(Interpreter, AKnownCGSwitchesToTheCGDisplay) {
  const int at = addScene("*c", {"cg=t_job1.bmp", "text"});
  form.scene.ScriptPos = at + 1;
  form.RunCommand(2);
  EXPECT_EQ(form.scene.CGNo, 1);
  EXPECT_EQ(form.GameMode, 5);
  EXPECT_EQ(form.record.CGSeen[1], 1);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  EXPECT_EQ(back(320, 240), 0x777777u);  // shown by the next cycle's compose step
}

TEST_F(Interpreter, ACGOpeningASceneIsShownAtOnce) {
  addScene("*c", {"cg=t_job1.bmp", "text"});
  startScene("*c");
  EXPECT_EQ(form.scene.CGNo, 1);
  EXPECT_EQ(back(320, 240), kCG);       // rest view at (20, 0)-(620, 480)
  EXPECT_EQ(back(5, 5), kBackdrop);     // the backdrop under the CG
  EXPECT_EQ(back(5, 240), 0x777777u);
  EXPECT_EQ(form.GameMode, 6);          // a still CG ends inside the cycle
  EXPECT_FALSE(form.Cha_Timer.Enabled());
}

TEST_F(Interpreter, EndOfSceneResetsAndReturnsToTheCalendar) {
  for (const char* cmd : {"end=", "endnow="}) {
    const int at = addScene("*x", {cmd, "", "later"});
    form.scene.ScriptPos = at + 1;
    form.scene.SceneNo = 5;
    form.train.Adv.SceneLabel = "*x";
    form.scene.WindowBaked = 1;
    form.GameMode = 6;
    form.RunCommand(form.CommandAt(at + 1));
    EXPECT_EQ(form.scene.ScriptPos, 0) << cmd;
    EXPECT_EQ(form.scene.SceneNo, 0) << cmd;
    EXPECT_EQ(form.train.Adv.SceneLabel, "") << cmd;
    EXPECT_EQ(form.scene.WindowBaked, 0) << cmd;
    EXPECT_EQ(form.GameMode, 4) << cmd;
    EXPECT_TRUE(form.Cha_Timer.Enabled()) << cmd;
    form.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, TestModeSendsEveryEndCommandToTheSceneList) {
  for (int cmd : {3, 5, 12}) {
    const int at = addScene("*t", {"x=", "kyouko_1", "wait3"});
    form.scene.ScriptPos = at + 1;
    form.scene.TestMode = 1;
    form.train.Adv.SceneLabel = "*t";
    form.GameMode = 6;
    form.RunCommand(cmd);
    EXPECT_EQ(form.GameMode, 100) << cmd;
    form.Script.lines.resize(static_cast<size_t>(at));
  }
}

TEST_F(Interpreter, TheEventLineSchedulesOrReleasesAnEvent) {
  const int n = FindEvent("*kyouko_1");
  ASSERT_GT(n, 0);
  const int at = addScene("*x", {"end=", "kyouko_1", "wait3", "endnow=", "kyouko_1", "endf=", "kyouko_1", ""});
  form.scene.ScriptPos = at + 1;  // NextPage hands over with the cursor on the command line
  form.RunCommand(3);
  EXPECT_EQ(form.events.EventWait[n], 3);
  form.events.EventState[n] = 1;
  form.scene.ScriptPos = at + 4;
  form.RunCommand(12);
  EXPECT_EQ(form.events.EventState[n], 2);
  form.scene.ScriptPos = at + 6;
  form.RunCommand(5);  // an empty wait line waits one night
  EXPECT_EQ(form.events.EventWait[n], 1);
}

TEST_F(Interpreter, AnEndCommandOnTheLastLineReadsEmptyLinesAfterIt) {
  form.Script.lines.push_back("end=");
  form.scene.ScriptPos = form.Script.count() - 1;
  form.scene.SceneNo = 3;
  form.RunCommand(3);
  EXPECT_EQ(form.GameMode, 4);
  EXPECT_EQ(form.scene.ScriptPos, 0);
}

TEST_F(Interpreter, TheClosingCommandKeepsTheSceneNumber) {
  const int at = addScene("*z", {"close=", "*after_end", "more"});
  form.scene.ScriptPos = at + 1;
  form.scene.SceneNo = 3;
  form.scene.WindowBaked = 1;
  form.RunCommand(4);
  EXPECT_EQ(form.train.Adv.SceneLabel, "*after_end");
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_EQ(form.scene.SceneNo, 3);
  EXPECT_EQ(form.scene.WindowBaked, 0);
  EXPECT_EQ(form.GameMode, 7);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
}

TEST_F(Interpreter, TheChoiceCommandHandsOverWithoutATransition) {
  const int at = addScene("*q", {"choice=", "yes", "no", "1", "-2"});
  form.scene.ScriptPos = at + 1;
  form.Text_Timer.setEnabled(true);
  form.RunCommand(11);
  EXPECT_EQ(form.GameMode, 12);
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.btn.ButtonOn[1], 1);
  EXPECT_EQ(form.btn.ButtonOn[2], 1);
  EXPECT_FALSE(form.Text_Timer.Enabled());
}

TEST_F(Interpreter, TheFaceCommandShowsTheNextPageAtOnce) {
  const int at = addScene("*f", {"face=nobody", "spoken line", "bg=forest"});
  form.scene.ScriptPos = at + 1;
  form.RunCommand(9);
  EXPECT_EQ(form.shown.Page, (std::vector<std::string>{"spoken line"}));
  EXPECT_EQ(form.scene.ScriptPos, at + 3);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.scene.WindowBaked, 0);
}

TEST_F(Interpreter, NothingRunsWhileTheViewerReplaysACG) {
  const int at = addScene("*r", {"bg=forest"});
  form.CG_Timer.Tag = 1;
  form.scene.ScriptPos = at + 1;
  form.RunCommand(1);
  form.scene.ScriptPos = 0;
  form.train.Adv.SceneLabel = "*r";
  form.RunCommand();
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_EQ(back(0, 0), 0x777777u);
}

}  // namespace
}  // namespace shirakaba
