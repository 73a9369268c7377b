// The message window: how pages break, where their text and faces go, the darkened
// band, the bobbing prompt on its timer, and the notice bar of a scene that cannot go on.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "base/text.h"
#include "base/utf8.h"
#include "engine/layouts.h"
#include "game/game.h"
#include "support/printers.h"
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
    g.engine.FormCreate();
    ASSERT_TRUE(g.state.surfaces.backBufferCreated);
    ASSERT_TRUE(g.engine.draw.font) << "no Japanese font for the text";
    g.engine.Cha_Timer.setEnabled(false);  // no logo: the tests drive the scene by hand
    g.state.shell.GameMode = GameMode::Scene;
    g.engine.draw.BackBuffer = Bitmap::create32(640, 480, kBack);
    g.engine.draw.ImageBa = Bitmap::create32(640, 480, kBack);
    g.engine.Script.lines = {"bg=1", "face=9", "forest=2", "smile=3", "weird=-2147483648"};
  }
  int addLines(Lines body) {
    const int at = g.engine.Script.count();
    for (auto& l : body) g.engine.Script.lines.push_back(std::move(l));
    return at;
  }
  Colour screen(int x, int y) const { return getPixel32(g.engine.draw.ImageBa, x, y); }
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
  void wait(int ms) { g.engine.clock.advanceTo(g.engine.clock.now() + ms); }

  static std::string* dir_;
  NullHost host;
  Game g{host, EngineConfig{*dir_}};
};
std::string* MessageWindow::dir_ = nullptr;

TEST_F(MessageWindow, ThreeTextLinesMakeAPageOfTwoAndAPageOfOne) {
  const int at = addLines({"ABC first", "ABC second", "ABC third"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"ABC first", "ABC second"}));
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  const Rect box = textBox(MesRect);
  EXPECT_GE(box.left, 100);
  EXPECT_LT(box.left, 104);
  EXPECT_GE(box.top, 420);
  EXPECT_LT(box.top, 425);
  EXPECT_GE(box.bottom, 441);  // the second line, 20 pixels lower
  EXPECT_LE(box.bottom, 456);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"ABC third"}));
  EXPECT_LE(textBox(MesRect).bottom, 437);  // the first page is gone
}

// Pages of a UTF-8 script in Chinese, Korean, accented Latin and Japanese: every line is
// on the screen exactly as the fonts draw it, each character the game's font lacks in
// the installed font that has it, on the same baseline.
TEST_F(MessageWindow, PagesInEveryScriptShowEachLineExactlyAsTheFontsDrawIt) {
  const Lines pages[] = {{"我们今天去学校。", "오늘은 날씨가 좋네요."},
                         {"Élodie a reçu ça: naïve, Ærø, ß", "白樺の林を抜ける坂道を、"}};
  const int at = addLines({pages[0][0], pages[0][1], "＜", pages[1][0], pages[1][1]});
  g.state.scene.ScriptPos = at;
  FontFace& font = *g.engine.draw.font;
  for (const Lines& page : pages) {
    g.engine.NextPage(PageIndent::Plain);
    ASSERT_EQ(g.state.shown.Page, page);
    Bitmap expected = Bitmap::create32(640, 480, dark(kBack));
    for (size_t i = 0; i < page.size(); ++i) {
      for (char32_t cp : utf8ToCodepoints(page[i])) ASSERT_TRUE(font.covers(cp)) << page[i];
      font.draw(expected, PageTextX, 420 + 20 * static_cast<int>(i), page[i], pointsToPixels(12), kWhite);
    }
    for (int y = MesRect.top; y < MesRect.bottom; ++y)
      for (int x = 0; x < PromptRect.left; ++x)
        ASSERT_EQ(screen(x, y), getPixel32(expected, x, y)) << page[0] << " at " << x << "," << y;
  }
}

TEST_F(MessageWindow, APageBreakEndsAOneLinePageAndIsSkipped) {
  const int at = addLines({"alone", "＜", "next", "more"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"alone"}));
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"next", "more"}));
}

TEST_F(MessageWindow, APageThatBeginsOnABreakShowsIt) {
  const int at = addLines({"＜", "after"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"＜", "after"}));
}

TEST_F(MessageWindow, ATextLineBeforeACommandIsAPageAndTheNextClickRunsTheCommand) {
  const int at = addLines({"before", "bg=forest", "after"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"before"}));
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(getPixel32(g.engine.draw.BackBuffer, 0, 0), kForest);
  EXPECT_EQ(g.state.scene.ScriptPos, at + 2);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.shown.Page, (Lines{"before"}));
}

TEST_F(MessageWindow, TheWindowIsTheBackBufferDarkenedTo80Of255) {
  const int at = addLines({"x"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(screen(5, 470), dark(kBack));
  EXPECT_EQ(screen(639, 400), dark(kBack));
  EXPECT_EQ(screen(5, 399), kBack);
  EXPECT_EQ(getPixel32(g.engine.draw.BackBuffer, 5, 470), kBack);  // the text goes to the screen only
  EXPECT_EQ(textBox(Rect{0, 0, 640, 480}).top, textBox(MesRect).top);
}

TEST_F(MessageWindow, AFacePageIsIndentedAndAPlainPageAfterItKeepsTheFaceAbove) {
  const int at = addLines({"face=smile", "spoken", "＜", "narration"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);  // runs the face command
  EXPECT_EQ(g.state.shown.Page, (Lines{"spoken"}));
  EXPECT_EQ(g.state.scene.ScriptPos, at + 3);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.engine.Text_Timer.Tag, 4);
  EXPECT_GE(textBox(Rect{10, 400, 640, 480}).left, 170);
  EXPECT_EQ(screen(0, 285), kFace);
  EXPECT_EQ(screen(0, 405), kFace);  // drawn over the window
  EXPECT_EQ(g.state.scene.WindowBaked, 0);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"narration"}));
  const Rect box = textBox(MesRect);
  EXPECT_GE(box.left, 100);
  EXPECT_LT(box.left, 104);
  EXPECT_EQ(screen(0, 285), kFace);         // above the window the face stays
  EXPECT_EQ(screen(0, 405), dark(kBack));   // inside it the band is darkened afresh
  EXPECT_EQ(g.engine.Text_Timer.Tag, 0);
}

TEST_F(MessageWindow, AnotherFacePageRestoresTheFaceAreaFirst) {
  g.engine.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  const int at = addLines({"face=nobody", "line"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(screen(100, 300), kBack);   // face area copied from the BackBuffer
  EXPECT_EQ(screen(194, 300), kBack);
  EXPECT_EQ(screen(195, 300), 0xFFFFFFu);
  EXPECT_EQ(screen(5, 470), dark(kBack));
}

TEST_F(MessageWindow, AFaceWithoutTextOnACalendarScreen) {
  g.state.scene.WindowBaked = 1;
  g.engine.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  g.engine.ShowFace(FaceWith::NoPage, "smile");
  EXPECT_EQ(screen(0, 285), kFace);
  EXPECT_EQ(screen(100, 300), 0xFFFFFFu);  // a baked window is not restored
  EXPECT_EQ(g.state.scene.WindowBaked, 1);
  EXPECT_TRUE(g.state.shown.Page.empty());
}

TEST_F(MessageWindow, ThePromptAppearsAfter400MsAndBobsByFivePixels) {
  const int at = addLines({"x"});
  g.state.scene.ScriptPos = at;
  g.engine.NextPage(PageIndent::Plain);
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
  g.engine.draw.ImageBa = Bitmap::create32(640, 480, 0xFFFFFF);
  g.state.scene.WindowBaked = 1;
  g.engine.TextPrompt(Prompt::Start);
  wait(400);
  EXPECT_EQ(screen(615, 469), kBack);  // below the glyph, inside the cell
  EXPECT_EQ(screen(630, 469), 0xFFFFFFu);
  g.state.scene.WindowBaked = 0;
  wait(400);
  EXPECT_EQ(screen(615, 469), dark(kBack));
}

TEST_F(MessageWindow, PromptPhases) {
  const std::pair<int, int> steps[] = {{0, 1}, {1, 0}, {4, 5}, {5, 4}, {2, 0}, {-3, 0}};
  for (auto [from, to] : steps) {
    g.engine.Text_Timer.Tag = from;
    g.engine.TextPrompt(Prompt::Bob);
    EXPECT_EQ(g.engine.Text_Timer.Tag, to) << from;
  }
  g.engine.Text_Timer.setEnabled(true);
  g.engine.Text_Timer.Tag = 1;
  g.engine.TextPrompt(Prompt::StartBesideFace);  // restarting sets the phase and keeps the timer on
  EXPECT_EQ(g.engine.Text_Timer.Tag, 4);
  EXPECT_TRUE(g.engine.Text_Timer.Enabled());
  EXPECT_EQ(g.engine.Text_Timer.Interval(), 400);
}

TEST_F(MessageWindow, NoSceneToFindShowsTheNoticeAndClicksChangeNothing) {
  g.state.scene.SceneLabel = "*nowhere";
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*nowhere"));
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_EQ(screen(52, 68), dark(kBack));
  EXPECT_EQ(getPixel32(g.engine.draw.BackBuffer, 52, 68), dark(kBack));
  EXPECT_EQ(screen(550, 60), kBack);
  EXPECT_EQ(screen(52, 70), kBack);
  const Rect box = textBox(Rect{50, 50, 550, 70});
  EXPECT_GE(box.left, 60);
  EXPECT_LT(box.left, 64);
  EXPECT_GE(box.top, 50);
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*nowhere"));
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_TRUE(g.state.shown.Page.empty());
}

TEST_F(MessageWindow, ANumberedSceneIsLookedUpAndNothingIsSkipped) {
  addLines({"*e_3", "first", "second"});
  g.state.scene.SceneNo = 3;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"first", "second"}));
  g.state.scene.ScriptPos = 0;
  g.state.scene.SceneNo = 4;
  addLines({"*E_4", "bg=forest"});
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(getPixel32(g.engine.draw.BackBuffer, 0, 0), kForest);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  g.state.scene.ScriptPos = 0;
  g.state.scene.SceneNo = 5;  // no "*e_5"
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*e_5"));
}

TEST_F(MessageWindow, ASceneThatRunsOffTheEndOfTheScriptStopsAtANotice) {
  const int at = addLines({"*tail", "last words"});
  g.state.scene.SceneLabel = "*tail";
  g.state.scene.ScriptPos = at + 1;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Page, (Lines{"last words"}));  // nothing past the end is shown
  EXPECT_EQ(g.state.scene.ScriptPos, g.engine.Script.count());
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*tail"));
  EXPECT_EQ(g.state.scene.ScriptPos, g.engine.Script.count());
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  g.state.shown.Notice.reset();
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*tail"));
  EXPECT_EQ(g.state.shown.Page, (Lines{"last words"}));
}

TEST_F(MessageWindow, ACommandNumberedLikeTheStartMarkerDoesNotRestartTheScene) {
  const int at = addLines({"*w", "text", "weird=", "after"});
  g.state.scene.SceneLabel = "*w";
  g.state.scene.ScriptPos = at + 2;
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(g.state.scene.ScriptPos, at + 3);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST_F(MessageWindow, ASceneRunsThroughTheTickAndTheClicks) {
  addLines({"end=3", "*s", "bg=forest", "hello", "world", "third", "end=", "", "tail"});
  g.engine.Cha_Timer.setInterval(30);
  g.state.scene.SceneLabel = "*s";
  g.state.scene.ScriptPos = 0;
  g.engine.SetMode(GameMode::Scene);
  wait(30);  // compose: the background is drawn on the BackBuffer
  EXPECT_EQ(getPixel32(g.engine.draw.BackBuffer, 0, 0), kForest);
  EXPECT_EQ(screen(0, 0), kBack);
  EXPECT_TRUE(g.state.shown.Page.empty());
  wait(630);  // twenty wipe steps, then the first page
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(screen(0, 0), kForest);
  EXPECT_EQ(g.state.shown.Page, (Lines{"hello", "world"}));
  EXPECT_TRUE(g.engine.Text_Timer.Enabled());
  g.mouseDown(MouseButton::Left, 300, 200);
  g.mouseUp(MouseButton::Left, 300, 200);
  EXPECT_EQ(g.state.shown.Page, (Lines{"third"}));
  g.mouseDown(MouseButton::Left, 300, 200);
  g.mouseUp(MouseButton::Left, 300, 200);  // the end command
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar);
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_EQ(g.state.scene.SceneLabel, "");
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_FALSE(g.engine.Text_Timer.Enabled());
}

TEST_F(MessageWindow, TheNoticeBarsCorners) {
  g.state.scene.SceneLabel = "*nowhere";
  g.engine.NextPage(PageIndent::Plain);
  EXPECT_EQ(screen(50, 50), dark(kBack));
  EXPECT_EQ(screen(50, 49), kBack);
  EXPECT_EQ(screen(549, 69), dark(kBack));
  EXPECT_EQ(screen(549, 70), kBack);
  EXPECT_GE(textBox(Rect{0, 0, 640, 480}).top, 50);
}

}  // namespace
}  // namespace shirakaba
