// The small screens driven through the mouse, on a game started from a test pack:
// title, closing screen, two-way choice, scene test list, gallery and viewer, and
// the status screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/form.h"
#include "support/pack_fixture.h"

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

class RecordingHost : public Host {
 public:
  int closes = 0;
  void showDialog(DialogKind, const std::string&) override {}
  void playSound(const std::string&) override {}
  void closeWindow() override { ++closes; }
};

struct Game : ::testing::Test {
  RecordingHost host;
  TXP_Form form{host, FormConfig{makeGame()}};
  std::vector<std::string> texts;
  void SetUp() override {
    form.draw.onScreenText = [this](const std::string& s) { texts.push_back(s); };
    form.FormCreate();
    settle();
    ASSERT_EQ(form.GameMode, 1);
  }
  void settle() {
    for (int i = 0; i < 100000 && form.Cha_Timer.Enabled(); ++i) form.clock.fireNext(INT64_MAX);
  }
  void enter(int mode) {
    form.SetMode(mode);
    settle();
  }
  std::vector<std::string> press(int x, int y) {
    form.soundsStarted.clear();
    form.mouseDown(MouseButton::Left, x, y);
    return form.soundsStarted;
  }
  void release(int x, int y) { form.mouseUp(MouseButton::Left, x, y); }
  int sheetX(int x, int y) const { return getPixel32(form.draw.ImageBa, x, y) & 0xFF; }
  using Sounds = std::vector<std::string>;
};

}  // namespace

TEST_F(Game, TitlePressMoveOffAndReleaseStartsANewGame) {
  EXPECT_EQ(form.btn.ButtonOn[1], 1);
  EXPECT_EQ(form.btn.ButtonOn[4], 1);
  EXPECT_EQ(press(300, 280), Sounds{kClick});
  EXPECT_EQ(form.btn.SelectedBtn, 1);
  EXPECT_EQ(sheetX(291, 276), 60) << "pressed look";
  form.mouseMove(100, 100);
  EXPECT_EQ(sheetX(291, 276), 60) << "no hover while a press is held";
  release(100, 100);
  EXPECT_EQ(form.GameMode, 4);
  EXPECT_TRUE(form.Cha_Timer.Enabled());
  EXPECT_EQ(form.btn.PressedBtn, 0);
}

TEST_F(Game, TitleDeadSlotsAndGapsGiveNothing) {
  for (auto [x, y] : {std::pair{300, 305}, {300, 330}, {300, 298}}) {
    EXPECT_EQ(press(x, y), Sounds{}) << y;
    EXPECT_EQ(form.btn.PressedBtn, 0);
    release(x, y);
    EXPECT_EQ(form.GameMode, 1);
    EXPECT_FALSE(form.Cha_Timer.Enabled());
  }
}

TEST_F(Game, TitleHoverHighlightsOnlyLiveButtons) {
  form.mouseMove(300, 360);
  EXPECT_EQ(sheetX(291, 354), 119) << "button 4 in its hover look";
  form.mouseMove(300, 305);
  EXPECT_EQ(sheetX(291, 354), 1) << "moving onto a dead slot leaves all normal";
  EXPECT_EQ(getPixel32(form.draw.ImageBa, 291, 302), 0x305030u) << "slot 2 is never drawn";
  form.mouseMove(0, 280);
  form.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 119);
  form.mouseMove(641, 280);
  EXPECT_EQ(sheetX(291, 276), 119) << "moves outside the screen are ignored";
}

TEST_F(Game, NoHoverWhileTheJobBarRuns) {
  form.J_Timer.setEnabled(true);
  form.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 1);
  form.J_Timer.setEnabled(false);
  form.mouseMove(300, 280);
  EXPECT_EQ(sheetX(291, 276), 119);
}

TEST_F(Game, TitleQuitButtonClosesTheWindow) {
  press(300, 360);
  release(300, 360);
  EXPECT_EQ(host.closes, 1);
  EXPECT_TRUE(form.closed());
}

TEST_F(Game, RightAndMiddleButtonsChangeNothing) {
  form.btn.PressedBtn = 3;
  form.btn.SelectedBtn = 2;
  for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
    form.mouseDown(b, 300, 280);
    form.mouseUp(b, 300, 280);
  }
  EXPECT_EQ(form.btn.PressedBtn, 3);
  EXPECT_EQ(form.btn.SelectedBtn, 2);
  EXPECT_EQ(form.GameMode, 1);
  EXPECT_TRUE(form.soundsStarted.empty());
}

TEST_F(Game, ClicksDuringATransitionDoNothing) {
  form.SetMode(1);
  EXPECT_EQ(press(300, 280), Sounds{});
  release(300, 280);
  EXPECT_EQ(form.btn.SelectedBtn, 0);
  settle();
  EXPECT_EQ(form.GameMode, 1);
}

TEST_F(Game, ClosingScreenClickReturnsToTheTitle) {
  enter(7);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "この後は本編でお楽しみ下さい"), texts.end());
  EXPECT_EQ(press(10, 10), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(form.GameMode, 1);
  settle();
  EXPECT_EQ(form.btn.ButtonOn[1], 1);
}

namespace {
// A choice shown at the line after "*kyouko_1" of event 5, whose character is 1.
void showChoice(TXP_Form& f, const std::string& label, int sceneNo, int pos) {
  f.Cha_Timer.setEnabled(false);  // the transition a previous choice started
  f.train.Adv.SceneLabel = label;
  f.scene.SceneNo = sceneNo;
  f.scene.ScriptPos = pos;
  f.GameMode = 12;
  f.ChoiceMenu(1);
}
}  // namespace

TEST_F(Game, SecondChoiceWithMinusTwoLowersRatingB) {
  form.train.CharaStat[1].RatingB = 5;
  showChoice(form, "*kyouko_1", 5, 3);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "いいえ"), texts.end()) << "choices reach the text log";
  EXPECT_EQ(press(60, 411), Sounds{kClick});
  release(60, 411);
  EXPECT_EQ(form.train.CharaStat[1].RatingB, 3);
  EXPECT_EQ(form.train.Adv.Outcome, 2);
  EXPECT_EQ(form.train.Adv.SceneLabel, "*kyouko_1_2");
  EXPECT_EQ(form.scene.ScriptPos, 0);
  EXPECT_EQ(form.GameMode, 6);
}

TEST_F(Game, FirstChoiceAddsItsValue) {
  showChoice(form, "*kyouko_1", 5, 3);
  press(60, 395);
  release(60, 395);
  EXPECT_EQ(form.train.CharaStat[1].RatingB, 3);
  EXPECT_EQ(form.train.Adv.SceneLabel, "*kyouko_1_1");
}

TEST_F(Game, ChoiceWithoutLabelReturnsToTheCalendarUnchanged) {
  showChoice(form, "", 5, 3);
  press(60, 411);
  release(60, 411);
  EXPECT_EQ(form.GameMode, 4);
  EXPECT_EQ(form.train.Adv.Outcome, 2);
  EXPECT_EQ(form.train.CharaStat[1].RatingB, 0);
}

TEST_F(Game, ChoiceOutsideAnEventCharacterChangesNoValue) {
  for (int sceneNo : {0, 3}) {  // no event; an event without a character
    showChoice(form, "*kyouko_1", sceneNo, 3);
    press(60, 411);
    release(60, 411);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(form.train.CharaStat[c].RatingB, 0);
    EXPECT_EQ(form.train.Adv.SceneLabel, "*kyouko_1_2");
  }
}

TEST_F(Game, ChoiceValueThatIsNotANumberCountsAsZero) {
  form.train.CharaStat[2].RatingB = 4;
  showChoice(form, "*broken", 7, 8);  // event 7, character 2; value line "3x"
  press(60, 411);
  release(60, 411);
  EXPECT_EQ(form.train.CharaStat[2].RatingB, 4);
}

TEST_F(Game, ChoicePressBesideTheLinesIsIgnored) {
  showChoice(form, "*kyouko_1", 5, 3);
  EXPECT_EQ(press(255, 395), Sounds{});
  release(255, 395);
  EXPECT_EQ(form.GameMode, 12);
  EXPECT_EQ(form.train.Adv.Outcome, 0);
}

TEST_F(Game, SceneListDeadPositionsSelectNothing) {
  enter(100);
  EXPECT_EQ(texts.back(), "*job_h1");
  for (auto [x, y] : {std::pair{205, 52}, {60, 310}, {60, 387}, {360, 30}, {160, 30}}) {
    form.scene.SceneNo = 4;
    form.scene.TestMode = 1;
    EXPECT_EQ(press(x, y), Sounds{});
    EXPECT_EQ(form.scene.SceneNo, 0);
    EXPECT_EQ(form.scene.TestMode, 0);
    release(x, y);
    EXPECT_EQ(form.GameMode, 100);
    EXPECT_FALSE(form.Cha_Timer.Enabled());
  }
}

TEST_F(Game, SceneListRowRunsItsScene) {
  enter(100);
  texts.clear();
  EXPECT_EQ(press(60, 52), Sounds{});
  EXPECT_EQ(form.scene.SceneNo, 2);
  EXPECT_EQ(texts, std::vector<std::string>{"*op2"});
  release(500, 400);
  EXPECT_EQ(form.scene.TestMode, 1);
  EXPECT_EQ(form.train.Adv.SceneLabel, "*op2");
  EXPECT_EQ(form.GameMode, 6);
}

TEST_F(Game, GalleryWithNothingSeenRefusesEveryEntry) {
  enter(2);
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(press(50 + 56 * (n - 1) + 5, 55), Sounds{kRefuse}) << n;
    EXPECT_EQ(form.btn.PressedBtn, 0);
    release(10, 10);
    EXPECT_EQ(form.GameMode, 2);
  }
  EXPECT_EQ(press(600, 450), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(form.GameMode, 1);
}

TEST_F(Game, GalleryEighthCellActsAsTheBackButtonAndHigherCellsAreIgnored) {
  enter(2);
  EXPECT_EQ(press(498, 55), Sounds{}) << "cell 9";
  EXPECT_EQ(press(50, 347), Sounds{}) << "cell 111";
  release(10, 10);
  EXPECT_EQ(form.GameMode, 2);
  EXPECT_EQ(press(450, 55), Sounds{kClick});
  release(10, 10);
  EXPECT_EQ(form.GameMode, 1);
}

TEST_F(Game, GalleryOpensTheViewerWhoseFirstButtonOnlyClicks) {
  form.record.CGSeen[3] = 1;
  enter(2);
  EXPECT_EQ(press(162, 55), Sounds{kClick});
  EXPECT_EQ(form.scene.CGNo, 3);
  release(162, 55);
  EXPECT_EQ(form.GameMode, 8);
  settle();
  EXPECT_EQ(getPixel32(form.draw.ImageBa, 320, 200), 0x0000C0u) << "a narrow CG between x 20 and 620";
  EXPECT_EQ(form.btn.ButtonOn[1], 1);
  EXPECT_EQ(form.btn.ButtonOn[2], 0) << "a CG that does not pan cannot be replayed";
  EXPECT_EQ(form.btn.ButtonOn[3], 1);
  EXPECT_EQ(press(515, 440), Sounds{kClick});
  EXPECT_EQ(form.btn.PressedBtn, 51);
  release(515, 440);
  EXPECT_EQ(form.GameMode, 8);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(press(545, 440), Sounds{kRefuse});
  release(545, 440);
  EXPECT_EQ(form.GameMode, 8);
  form.CG_Timer.Tag = 1;
  press(575, 440);
  release(575, 440);
  EXPECT_EQ(form.GameMode, 2);
  settle();
  EXPECT_EQ(form.CG_Timer.Tag, 0);
}

TEST_F(Game, StatusScreenRefusesItsUndrawnButtons) {
  enter(10);
  EXPECT_EQ(form.btn.ButtonOn[3], 1);
  EXPECT_EQ(press(360, 140), Sounds{kRefuse});
  EXPECT_EQ(form.btn.PressedBtn, 0);
  release(360, 140);
  EXPECT_EQ(form.GameMode, 10);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_EQ(press(510, 430), Sounds{kClick});
  release(0, 0);
  EXPECT_EQ(form.GameMode, 4);
}
