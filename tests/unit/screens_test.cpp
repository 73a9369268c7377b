// The small screens driven through the mouse, on a game started from a test pack:
// title, closing screen, two-way choice, scene test list, gallery and viewer, and
// the status screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "game/game.h"
#include "support/printers.h"
#include "support/pack_fixture.h"
#include "support/recording_host.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

constexpr const char* kClick = "data/wav/h_1.wav";
constexpr const char* kRefuse = "data/wav/h_4.wav";

constexpr const char* kScript =
    "*op\n"
    "はじまり\n"
    "*kyouko_1\n"
    "はい\n"
    "いいえ\n"
    "3\n"
    "-2\n"
    "*broken\n"
    "ひとつめ\n"
    "ふたつめ\n"
    "たくさん\n"
    "3x\n";

// Picture 5 whose pixels tell their own coordinates (red x, green y).
Bitmap coordSheet(int w, int h) {
  Bitmap b = Bitmap::create32(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel32(b, x, y, static_cast<Colour>(x | (y << 8)));
  return b;
}

std::string makeGame() {
  static std::string dir;
  if (!dir.empty()) return dir;
  dir = makeTempDir("screens");
  Bitmap strip = mask8(32, 480, 255);
  std::map<int, Bitmap> pics = {{pic::WipeStrip, strip},
                                {pic::Title, solid32(640, 480, 0x305030)},
                                {pic::TitleSheet, coordSheet(177, 88)},
                                {pic::CGBase + 3, solid32(600, 480, 0x0000C0)}};
  EXPECT_TRUE(writeTestPack(dir, pics, kScript));
  std::filesystem::create_directories(std::filesystem::path(dir) / "data" / "wav");
  for (const char* f : {"h_1.wav", "h_3.wav", "h_4.wav"})
    std::ofstream(std::filesystem::path(dir) / "data" / "wav" / f) << "RIFF";
  return dir;
}

struct SmallScreens : ::testing::Test {
  RecordingHost host;
  Game g{host, EngineConfig{makeGame()}};
  void SetUp() override {
    g.engine.FormCreate();
    settle();
    ASSERT_EQ(g.state.shell.GameMode, GameMode::Title);
  }
  void settle() {
    for (int i = 0; i < 100000 && g.engine.Cha_Timer.Enabled(); ++i) g.engine.clock.fireNext(INT64_MAX);
  }
  void enter(GameMode mode) {
    g.engine.SetMode(mode);
    settle();
  }
  // The sounds a press starts.
  std::vector<std::string> press(int x, int y) {
    host.takeSounds();
    g.mouseDown(MouseButton::Left, x, y);
    return host.takeSounds();
  }
  void release(int x, int y) { g.mouseUp(MouseButton::Left, x, y); }
  bool written(const std::string& text) const {
    return std::find(host.texts.begin(), host.texts.end(), text) != host.texts.end();
  }
  int sheetX(int x, int y) const { return getPixel32(g.state.surfaces.ImageBa, x, y) & 0xFF; }
  using Sounds = std::vector<std::string>;
};

}  // namespace

TEST_F(SmallScreens, TitlePressMoveOffAndReleaseStartsANewGame) {
  EXPECT_EQ(g.state.btn.ButtonOn[1], 1);
  EXPECT_EQ(g.state.btn.ButtonOn[4], 1);
  EXPECT_EQ(press(300, 280), Sounds{kClick});
  EXPECT_EQ(g.state.btn.SelectedBtn, 1);
  EXPECT_EQ(sheetX(291, 276), 60) << "pressed look";
  g.mouseMove(100, 100);
  EXPECT_EQ(sheetX(291, 276), 60) << "no hover while a press is held";
  release(100, 100);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.btn.PressedBtn, 0);
}

TEST_F(SmallScreens, TitleDeadSlotsAndGapsGiveNothing) {
  for (auto [x, y] : {std::pair{300, 305}, {300, 330}, {300, 298}}) {
    EXPECT_EQ(press(x, y), Sounds{}) << y;
    EXPECT_EQ(g.state.btn.PressedBtn, 0);
    release(x, y);
    EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
    EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  }
}

TEST_F(SmallScreens, TitleHoverHighlightsOnlyLiveButtons) {
  g.mouseMove(300, 360);
  EXPECT_EQ(sheetX(291, 354), 119) << "button 4 in its hover look";
  g.mouseMove(300, 305);
  EXPECT_EQ(sheetX(291, 354), 1) << "moving onto a dead slot leaves all normal";
  EXPECT_EQ(getPixel32(g.state.surfaces.ImageBa, 291, 302), 0x305030u) << "slot 2 is never drawn";
  g.mouseMove(0, 280);
  g.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 119);
  g.mouseMove(641, 280);
  EXPECT_EQ(sheetX(291, 276), 119) << "moves outside the screen are ignored";
}

TEST_F(SmallScreens, NoHoverWhileTheJobBarRuns) {
  g.engine.J_Timer.setEnabled(true);
  g.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 1);
  g.engine.J_Timer.setEnabled(false);
  g.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 119);
}

TEST_F(SmallScreens, TitleQuitButtonClosesTheWindow) {
  press(300, 360);
  release(300, 360);
  EXPECT_EQ(host.closes, 1);
  EXPECT_TRUE(g.state.shell.closed);
}

TEST_F(SmallScreens, RightAndMiddleButtonsChangeNothing) {
  g.state.btn.PressedBtn = 3;
  g.state.btn.SelectedBtn = 2;
  for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
    g.mouseDown(b, 300, 280);
    g.mouseUp(b, 300, 280);
  }
  EXPECT_EQ(g.state.btn.PressedBtn, 3);
  EXPECT_EQ(g.state.btn.SelectedBtn, 2);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
  EXPECT_TRUE(host.sounds.empty());
}

TEST_F(SmallScreens, ClicksDuringATransitionDoNothing) {
  g.engine.SetMode(GameMode::Title);
  EXPECT_EQ(press(300, 280), Sounds{});
  release(300, 280);
  EXPECT_EQ(g.state.btn.SelectedBtn, 0);
  settle();
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
}

TEST_F(SmallScreens, ClosingScreenClickReturnsToTheTitle) {
  enter(GameMode::Closing);
  EXPECT_TRUE(written("この後は本編でお楽しみ下さい"));
  EXPECT_EQ(press(10, 10), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
  settle();
  EXPECT_EQ(g.state.btn.ButtonOn[1], 1);
}

namespace {
// A choice shown at the line after "*kyouko_1" of event 5, whose character is 1.
void showChoice(Game& g, const std::string& label, int sceneNo, int pos) {
  g.engine.Cha_Timer.setEnabled(false);  // the transition a previous choice started
  g.state.scene.SceneLabel = label;
  g.state.scene.SceneNo = sceneNo;
  g.state.scene.ScriptPos = pos;
  g.state.shell.GameMode = GameMode::Choice;
  g.screens.ChoiceMenu(ChoiceStep::Show);
}
}  // namespace

TEST_F(SmallScreens, SecondChoiceWithMinusTwoLowersRatingB) {
  g.state.train.CharaStat[1].RatingB = 5;
  showChoice(g, "*kyouko_1", 5, 3);
  EXPECT_TRUE(written("いいえ")) << "choices reach the text log";
  EXPECT_EQ(press(60, 411), Sounds{kClick});
  release(60, 411);
  EXPECT_EQ(g.state.train.CharaStat[1].RatingB, 3);
  EXPECT_EQ(g.state.train.Adv.Outcome, 2);
  EXPECT_EQ(g.state.scene.SceneLabel, "*kyouko_1_2");
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene);
}

TEST_F(SmallScreens, FirstChoiceAddsItsValue) {
  showChoice(g, "*kyouko_1", 5, 3);
  press(60, 395);
  release(60, 395);
  EXPECT_EQ(g.state.train.CharaStat[1].RatingB, 3);
  EXPECT_EQ(g.state.scene.SceneLabel, "*kyouko_1_1");
}

TEST_F(SmallScreens, ChoiceWithoutLabelReturnsToTheCalendarUnchanged) {
  showChoice(g, "", 5, 3);
  press(60, 411);
  release(60, 411);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar);
  EXPECT_EQ(g.state.train.Adv.Outcome, 2);
  EXPECT_EQ(g.state.train.CharaStat[1].RatingB, 0);
}

TEST_F(SmallScreens, ChoiceOutsideAnEventCharacterChangesNoValue) {
  for (int sceneNo : {0, 3}) {  // no event; an event without a character
    showChoice(g, "*kyouko_1", sceneNo, 3);
    press(60, 411);
    release(60, 411);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(g.state.train.CharaStat[c].RatingB, 0);
    EXPECT_EQ(g.state.scene.SceneLabel, "*kyouko_1_2");
  }
}

TEST_F(SmallScreens, ChoiceValueThatIsNotANumberCountsAsZero) {
  g.state.train.CharaStat[2].RatingB = 4;
  showChoice(g, "*broken", 7, 8);  // event 7, character 2; value line "3x"
  press(60, 411);
  release(60, 411);
  EXPECT_EQ(g.state.train.CharaStat[2].RatingB, 4);
}

TEST_F(SmallScreens, ChoicePressBesideTheLinesIsIgnored) {
  showChoice(g, "*kyouko_1", 5, 3);
  EXPECT_EQ(press(255, 395), Sounds{});
  release(255, 395);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Choice);
  EXPECT_EQ(g.state.train.Adv.Outcome, 0);
}

TEST_F(SmallScreens, SceneListDeadPositionsSelectNothing) {
  enter(GameMode::SceneList);
  EXPECT_EQ(host.texts.back(), "*job_h1");
  for (auto [x, y] : {std::pair{205, 52}, {60, 310}, {60, 387}, {360, 30}, {160, 30}}) {
    g.state.scene.SceneNo = 4;
    g.state.scene.TestMode = 1;
    EXPECT_EQ(press(x, y), Sounds{});
    EXPECT_EQ(g.state.scene.SceneNo, 0);
    EXPECT_EQ(g.state.scene.TestMode, 0);
    release(x, y);
    EXPECT_EQ(g.state.shell.GameMode, GameMode::SceneList);
    EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  }
}

TEST_F(SmallScreens, SceneListRowRunsItsScene) {
  enter(GameMode::SceneList);
  host.texts.clear();
  EXPECT_EQ(press(60, 52), Sounds{});
  EXPECT_EQ(g.state.scene.SceneNo, 2);
  EXPECT_EQ(host.texts, std::vector<std::string>{"*op2"});
  release(500, 400);
  EXPECT_EQ(g.state.scene.TestMode, 1);
  EXPECT_EQ(g.state.scene.SceneLabel, "*op2");
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Scene);
}

TEST_F(SmallScreens, GalleryWithNothingSeenRefusesEveryEntry) {
  enter(GameMode::Gallery);
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(press(50 + 56 * (n - 1) + 5, 55), Sounds{kRefuse}) << n;
    EXPECT_EQ(g.state.btn.PressedBtn, 0);
    release(10, 10);
    EXPECT_EQ(g.state.shell.GameMode, GameMode::Gallery);
  }
  EXPECT_EQ(press(600, 450), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
}

TEST_F(SmallScreens, GalleryEighthCellActsAsTheBackButtonAndHigherCellsAreIgnored) {
  enter(GameMode::Gallery);
  EXPECT_EQ(press(498, 55), Sounds{}) << "cell 9";
  EXPECT_EQ(press(50, 347), Sounds{}) << "cell 111";
  release(10, 10);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Gallery);
  EXPECT_EQ(press(450, 55), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Title);
}

TEST_F(SmallScreens, GalleryOpensTheViewerWhoseFirstButtonOnlyClicks) {
  g.state.record.CGSeen[3] = 1;
  enter(GameMode::Gallery);
  EXPECT_EQ(press(162, 55), Sounds{kClick});
  EXPECT_EQ(g.state.scene.CGNo, 3);
  release(162, 55);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Viewer);
  settle();
  EXPECT_EQ(getPixel32(g.state.surfaces.ImageBa, 320, 200), 0x0000C0u) << "a narrow CG between x 20 and 620";
  EXPECT_EQ(g.state.btn.ButtonOn[1], 1);
  EXPECT_EQ(g.state.btn.ButtonOn[2], 0) << "a CG that does not pan cannot be replayed";
  EXPECT_EQ(g.state.btn.ButtonOn[3], 1);
  EXPECT_EQ(press(515, 440), Sounds{kClick});
  EXPECT_EQ(g.state.btn.PressedBtn, 51);
  release(515, 440);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Viewer);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(press(545, 440), Sounds{kRefuse});
  release(545, 440);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Viewer);
  g.engine.CG_Timer.Tag = 1;
  press(575, 440);
  release(575, 440);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Gallery);
  settle();
  EXPECT_EQ(g.engine.CG_Timer.Tag, 0);
}

TEST_F(SmallScreens, StatusScreenRefusesItsUndrawnButtons) {
  enter(GameMode::Status);
  EXPECT_EQ(g.state.btn.ButtonOn[3], 1);
  EXPECT_EQ(press(360, 140), Sounds{kRefuse});
  EXPECT_EQ(g.state.btn.PressedBtn, 0);
  release(360, 140);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Status);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(press(510, 430), Sounds{kClick});
  release(0, 0);
  EXPECT_EQ(g.state.shell.GameMode, GameMode::Calendar);
}
