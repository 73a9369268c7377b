// The message window: how pages break, where their text and faces go, the darkened
// band, the bobbing prompt on its timer, and the notice bar of a scene that cannot go on.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/form.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

using Lines = std::vector<std::string>;
constexpr Colour kBack = 0x3264C8;  // red 200, green 100, blue 50
constexpr Colour kFace = 0x00FF00, kForest = 0x206020;

// 80/255 of each channel of a colour, as the window darkens the BackBuffer.
Colour dark(Colour c) {
  auto ch = [&](int shift) { return ((c >> shift) & 0xFF) * 80 / 255 << shift; };
  return ch(0) | ch(8) | ch(16);
}

class MessageWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(test::makeTempDir("message_window"));
    std::map<int, Bitmap> p;
    p[31] = test::solid32(16, 16, kForest);    // background 2
    p[98] = test::solid32(10, 130, kFace);     // face 3: from y 280 into the window
    p[110] = test::mask8(10, 130, 255);
    ASSERT_TRUE(test::writeTestPack(*dir_, p, "*unused\r\n"));
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
  }

  void SetUp() override {
    form.FormCreate();
    ASSERT_TRUE(form.draw.backBufferCreated);
    ASSERT_TRUE(form.draw.font) << "no Japanese font for the text";
    form.Cha_Timer.setEnabled(false);  // no logo: the tests drive the scene by hand
    form.GameMode = 6;
    form.draw.BackBuffer = Bitmap::create32(640, 480, kBack);
    form.draw.ImageBa = Bitmap::create32(640, 480, kBack);
    form.Script.lines = {"bg=1", "face=9", "forest=2", "smile=3", "weird=-2147483648"};
  }
  int addLines(Lines body) {
    const int at = form.Script.count();
    for (auto& l : body) form.Script.lines.push_back(std::move(l));
    return at;
  }
  Colour screen(int x, int y) const { return getPixel32(form.draw.ImageBa, x, y); }
  // The box around screen pixels brighter than the darkened band: the text.
  Rect textBox(const Rect& area) const {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const Colour c = screen(x, y);
        if ((c & 0xFF) > 150 && ((c >> 8) & 0xFF) > 150 && ((c >> 16) & 0xFF) > 150) {
          box.left = std::min(box.left, x), box.top = std::min(box.top, y);
          box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
        }
      }
    return box;
  }
  void wait(int ms) { form.advanceTo(form.clock.now() + ms); }

  static std::string* dir_;
  NullHost host;
  TXP_Form form{host, FormConfig{*dir_}};
};
std::string* MessageWindow::dir_ = nullptr;

TEST_F(MessageWindow, ThreeTextLinesMakeAPageOfTwoAndAPageOfOne) {
  const int at = addLines({"ABC first", "ABC second", "ABC third"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"ABC first", "ABC second"}));
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  const Rect box = textBox(MesRect);
  EXPECT_GE(box.left, 100);
  EXPECT_LT(box.left, 104);
  EXPECT_GE(box.top, 420);
  EXPECT_LT(box.top, 425);
  EXPECT_GE(box.bottom, 441);  // the second line, 20 pixels lower
  EXPECT_LE(box.bottom, 456);
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"ABC third"}));
  EXPECT_LE(textBox(MesRect).bottom, 437);  // the first page is gone
}

TEST_F(MessageWindow, APageBreakEndsAOneLinePageAndIsSkipped) {
  const int at = addLines({"alone", "＜", "next", "more"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"alone"}));
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"next", "more"}));
}

TEST_F(MessageWindow, APageThatBeginsOnABreakShowsIt) {
  const int at = addLines({"＜", "after"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"＜", "after"}));
}

TEST_F(MessageWindow, ATextLineBeforeACommandIsAPageAndTheNextClickRunsTheCommand) {
  const int at = addLines({"before", "bg=forest", "after"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"before"}));
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  form.NextPage(0);
  EXPECT_EQ(getPixel32(form.draw.BackBuffer, 0, 0), kForest);
  EXPECT_EQ(form.scene.ScriptPos, at + 2);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.shown.Page, (Lines{"before"}));
}

TEST_F(MessageWindow, TheWindowIsTheBackBufferDarkenedTo80Of255) {
  const int at = addLines({"x"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(screen(5, 470), dark(kBack));
  EXPECT_EQ(screen(639, 400), dark(kBack));
  EXPECT_EQ(screen(5, 399), kBack);
  EXPECT_EQ(getPixel32(form.draw.BackBuffer, 5, 470), kBack);  // the text goes to the screen only
  EXPECT_EQ(textBox(Rect{0, 0, 640, 480}).top, textBox(MesRect).top);
}

TEST_F(MessageWindow, AFacePageIsIndentedAndAPlainPageAfterItKeepsTheFaceAbove) {
  const int at = addLines({"face=smile", "spoken", "＜", "narration"});
  form.scene.ScriptPos = at;
  form.NextPage(0);  // runs the face command
  EXPECT_EQ(form.shown.Page, (Lines{"spoken"}));
  EXPECT_EQ(form.scene.ScriptPos, at + 3);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.Text_Timer.Tag, 4);
  EXPECT_GE(textBox(Rect{10, 400, 640, 480}).left, 170);
  EXPECT_EQ(screen(0, 285), kFace);
  EXPECT_EQ(screen(0, 405), kFace);  // drawn over the window
  EXPECT_EQ(form.scene.WindowBaked, 0);
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"narration"}));
  const Rect box = textBox(MesRect);
  EXPECT_GE(box.left, 100);
  EXPECT_LT(box.left, 104);
  EXPECT_EQ(screen(0, 285), kFace);         // above the window the face stays
  EXPECT_EQ(screen(0, 405), dark(kBack));   // inside it the band is darkened afresh
  EXPECT_EQ(form.Text_Timer.Tag, 0);
}

TEST_F(MessageWindow, AnotherFacePageRestoresTheFaceAreaFirst) {
  form.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  const int at = addLines({"face=nobody", "line"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  EXPECT_EQ(screen(100, 300), kBack);   // face area copied from the BackBuffer
  EXPECT_EQ(screen(194, 300), kBack);
  EXPECT_EQ(screen(195, 300), 0xFFFFFFu);
  EXPECT_EQ(screen(5, 470), dark(kBack));
}

TEST_F(MessageWindow, AFaceWithoutTextOnACalendarScreen) {
  form.scene.WindowBaked = 1;
  form.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  form.ShowFace(1, "smile");
  EXPECT_EQ(screen(0, 285), kFace);
  EXPECT_EQ(screen(100, 300), 0xFFFFFFu);  // a baked window is not restored
  EXPECT_EQ(form.scene.WindowBaked, 1);
  EXPECT_TRUE(form.shown.Page.empty());
}

TEST_F(MessageWindow, ThePromptAppearsAfter400MsAndBobsByFivePixels) {
  const int at = addLines({"x"});
  form.scene.ScriptPos = at;
  form.NextPage(0);
  const Rect cell{600, 440, 640, 480};
  EXPECT_EQ(textBox(cell).left, INT32_MAX);
  wait(399);
  EXPECT_EQ(textBox(cell).left, INT32_MAX);
  wait(1);
  const Rect up = textBox(cell);
  ASSERT_NE(up.left, INT32_MAX);
  EXPECT_GE(up.left, 615);
  EXPECT_GE(up.top, 450);
  EXPECT_LT(up.top, 455);
  wait(400);
  const Rect down = textBox(cell);
  EXPECT_EQ(down.top, up.top + 5);
  EXPECT_EQ(down.left, up.left);
  EXPECT_EQ(screen(616, 450), dark(kBack));  // the old prompt is erased by the window's darkness
  wait(400);
  EXPECT_EQ(textBox(cell).top, up.top);
}

TEST_F(MessageWindow, OnABakedWindowThePromptCellIsCopiedUnchanged) {
  form.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  form.scene.WindowBaked = 1;
  form.TextPrompt(0);
  wait(400);
  EXPECT_EQ(screen(615, 469), kBack);  // below the glyph, inside the cell
  EXPECT_EQ(screen(630, 469), 0xFFFFFFu);
  form.scene.WindowBaked = 0;
  wait(400);
  EXPECT_EQ(screen(615, 469), dark(kBack));
}

TEST_F(MessageWindow, PromptPhases) {
  const std::pair<int, int> steps[] = {{0, 1}, {1, 0}, {4, 5}, {5, 4}, {2, 0}, {-3, 0}};
  for (auto [from, to] : steps) {
    form.Text_Timer.Tag = from;
    form.TextPrompt(2);
    EXPECT_EQ(form.Text_Timer.Tag, to) << from;
  }
  form.Text_Timer.setEnabled(true);
  form.Text_Timer.Tag = 1;
  form.TextPrompt(4);  // restarting sets the phase and keeps the timer on
  EXPECT_EQ(form.Text_Timer.Tag, 4);
  EXPECT_TRUE(form.Text_Timer.Enabled());
  EXPECT_EQ(form.Text_Timer.Interval(), 400);
}

TEST_F(MessageWindow, NoSceneToFindShowsTheNoticeAndClicksChangeNothing) {
  form.train.Adv.SceneLabel = "*nowhere";
  form.NextPage(0);
  EXPECT_EQ(form.shown.Notice, std::optional<std::string>("*nowhere"));
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_EQ(screen(52, 68), dark(kBack));
  EXPECT_EQ(getPixel32(form.draw.BackBuffer, 52, 68), dark(kBack));
  EXPECT_EQ(screen(550, 60), kBack);
  EXPECT_EQ(screen(52, 70), kBack);
  const Rect box = textBox(Rect{50, 50, 550, 70});
  EXPECT_GE(box.left, 60);
  EXPECT_LT(box.left, 64);
  EXPECT_GE(box.top, 50);
  form.NextPage(0);
  EXPECT_EQ(form.shown.Notice, std::optional<std::string>("*nowhere"));
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_TRUE(form.shown.Page.empty());
}

TEST_F(MessageWindow, ANumberedSceneIsLookedUpAndNothingIsSkipped) {
  addLines({"*e_3", "first", "second"});
  form.scene.SceneNo = 3;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"first", "second"}));
  form.scene.ScriptPos = 0;
  form.scene.SceneNo = 4;
  addLines({"*E_4", "bg=forest"});
  form.NextPage(0);
  EXPECT_EQ(getPixel32(form.draw.BackBuffer, 0, 0), kForest);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  form.scene.ScriptPos = 0;
  form.scene.SceneNo = 5;  // no "*e_5"
  form.NextPage(0);
  EXPECT_EQ(form.shown.Notice, std::optional<std::string>("*e_5"));
}

TEST_F(MessageWindow, ASceneThatRunsOffTheEndOfTheScriptStopsAtANotice) {
  const int at = addLines({"*tail", "last words"});
  form.train.Adv.SceneLabel = "*tail";
  form.scene.ScriptPos = at + 1;
  form.NextPage(0);
  EXPECT_EQ(form.shown.Page, (Lines{"last words"}));  // nothing past the end is shown
  EXPECT_EQ(form.scene.ScriptPos, form.Script.count());
  form.NextPage(0);
  EXPECT_EQ(form.shown.Notice, std::optional<std::string>("*tail"));
  EXPECT_EQ(form.scene.ScriptPos, form.Script.count());
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  form.shown.Notice.reset();
  form.NextPage(0);
  EXPECT_EQ(form.shown.Notice, std::optional<std::string>("*tail"));
  EXPECT_EQ(form.shown.Page, (Lines{"last words"}));
}

TEST_F(MessageWindow, ACommandNumberedLikeTheStartMarkerDoesNotRestartTheScene) {
  const int at = addLines({"*w", "text", "weird=", "after"});
  form.train.Adv.SceneLabel = "*w";
  form.scene.ScriptPos = at + 2;
  form.NextPage(0);
  EXPECT_EQ(form.scene.ScriptPos, at + 3);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
}

TEST_F(MessageWindow, ASceneRunsThroughTheTickAndTheClicks) {
  addLines({"end=3", "*s", "bg=forest", "hello", "world", "third", "end=", "", "tail"});
  form.Cha_Timer.setInterval(30);
  form.train.Adv.SceneLabel = "*s";
  form.scene.ScriptPos = 0;
  form.SetMode(6);
  wait(30);  // compose: the background is drawn on the BackBuffer
  EXPECT_EQ(getPixel32(form.draw.BackBuffer, 0, 0), kForest);
  EXPECT_EQ(screen(0, 0), kBack);
  EXPECT_TRUE(form.shown.Page.empty());
  wait(630);  // twenty wipe steps, then the first page
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(screen(0, 0), kForest);
  EXPECT_EQ(form.shown.Page, (Lines{"hello", "world"}));
  EXPECT_TRUE(form.Text_Timer.Enabled());
  form.mouseDown(MouseButton::Left, 300, 200);
  form.mouseUp(MouseButton::Left, 300, 200);
  EXPECT_EQ(form.shown.Page, (Lines{"third"}));
  form.mouseDown(MouseButton::Left, 300, 200);
  form.mouseUp(MouseButton::Left, 300, 200);  // the end command
  EXPECT_EQ(form.GameMode, 4);
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_EQ(form.train.Adv.SceneLabel, "");
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  EXPECT_FALSE(form.Text_Timer.Enabled());
}

TEST_F(MessageWindow, TheNoticeBarOfALowerRow) {
  form.ShowNotice(2, "row two");
  EXPECT_EQ(screen(50, 90), dark(kBack));
  EXPECT_EQ(screen(50, 89), kBack);
  EXPECT_EQ(screen(549, 109), dark(kBack));
  EXPECT_EQ(screen(549, 110), kBack);
  EXPECT_GE(textBox(Rect{0, 0, 640, 480}).top, 90);
}

}  // namespace
}  // namespace shirakaba
