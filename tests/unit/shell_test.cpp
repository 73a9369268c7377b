// The form's spine in virtual time: start-up, the transition cycle, resets, menus,
// settings, the wipe, CG display and panning, and sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/form.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

class RecordingHost : public Host {
 public:
  std::vector<DialogKind> dialogs;
  std::vector<std::string> sounds;
  int closes = 0;
  std::vector<std::string> logs;
  void log(const std::string& l) override { logs.push_back(l); }
  void showDialog(DialogKind k, const std::string&) override { dialogs.push_back(k); }
  void playSound(const std::string& p) override { sounds.push_back(p); }
  void closeWindow() override { ++closes; }
};

constexpr Colour kLogo = 0x2040C0, kBackdrop = 0x102030, kTitle = 0x30A050;

// A game folder with a pack whose logo, backdrop and title have known colours.
std::string makeGame(const std::string& tag, std::map<int, Bitmap> extra = {}, const std::string& script = "*op\n") {
  const std::string dir = makeTempDir(tag);
  std::map<int, Bitmap> pics = {{pic::Logo, solid32(300, 40, kLogo)},
                                {pic::Backdrop, solid32(640, 480, kBackdrop)},
                                {pic::Title, solid32(640, 480, kTitle)}};
  Bitmap strip = mask8(32, 480, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 32; ++x) strip.row(y)[x] = static_cast<uint8_t>(255 - x * 8);
  pics[pic::WipeStrip] = strip;
  for (auto& [k, v] : extra) pics[k] = v;
  EXPECT_TRUE(writeTestPack(dir, pics, script));
  return dir;
}

struct Game {
  RecordingHost host;
  TXP_Form form;
  explicit Game(const std::string& dir) : form(host, FormConfig{dir}) { form.FormCreate(); }
  void to(int64_t t) { form.advanceTo(t); }
  Colour screenAt(int x, int y) const { return getPixel32(form.draw.ImageBa, x, y); }
  // Runs until the transition under way has ended.
  void settle() {
    for (int i = 0; i < 100000 && form.Cha_Timer.Enabled(); ++i) form.clock.fireNext(INT64_MAX);
  }
};

}  // namespace

TEST(StartUp, LogoAtHalfSecondThenTitleWipesInOverTwentySteps) {
  Game g(makeGame("startup"));
  EXPECT_EQ(g.form.GameMode, 0);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
  EXPECT_EQ(g.form.Cha_Timer.Interval(), 500);
  g.to(499);
  EXPECT_EQ(g.screenAt(0, 0), kBlack);
  g.to(500);
  EXPECT_EQ(g.screenAt(0, 0), kBackdrop);
  EXPECT_EQ(g.screenAt(170, 220), kLogo);
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 5, 5), kTitle) << "title composed behind the logo";
  g.to(1499);
  EXPECT_EQ(g.form.GameMode, 0);
  g.to(1500);
  EXPECT_EQ(g.form.GameMode, 1);
  EXPECT_EQ(g.form.Cha_Timer.Interval(), 30);
  EXPECT_EQ(g.screenAt(0, 0), kBackdrop) << "mode 1 starts with the wipe, no compose";
  g.to(1530);  // wipe step 1: column 0..32 new
  EXPECT_EQ(g.screenAt(31, 0), kTitle);
  EXPECT_EQ(g.screenAt(64, 0), kBackdrop);
  for (int step = 2; step <= 20; ++step) {
    g.to(1500 + 30 * step);
    EXPECT_FALSE(g.form.menu[MenuId::Start_Btn].Enabled) << "step " << step;
    EXPECT_EQ(g.screenAt(32 * step - 1, 100), kTitle);
  }
  EXPECT_EQ(g.screenAt(639, 479), kTitle);
  g.to(2129);
  EXPECT_FALSE(g.form.menu[MenuId::Start_Btn].Enabled);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
  g.to(2130);
  EXPECT_TRUE(g.form.menu[MenuId::Start_Btn].Enabled);
  EXPECT_FALSE(g.form.Cha_Timer.Enabled());
  EXPECT_FALSE(g.form.menu[MenuId::ReSet_Btn].Enabled) << "the title enables only はじめる";
}

TEST(StartUp, HiddenItemsAndDefaults) {
  Game g(makeGame("defaults"));
  EXPECT_FALSE(g.form.menu[MenuId::Text_Btn].Visible);
  EXPECT_FALSE(g.form.menu[MenuId::Text_Btn].Enabled);
  EXPECT_FALSE(g.form.menu[MenuId::Test_Btn].Visible);
  EXPECT_FALSE(g.form.menu[MenuId::ReStart_Btn].Visible);
  EXPECT_TRUE(g.form.menu[MenuId::ON1].Checked);
  EXPECT_TRUE(g.form.menu[MenuId::CG_F].Checked);
  EXPECT_EQ(g.form.menu[MenuId::CG_Btn].Caption, "CG 普通");
  EXPECT_EQ(g.form.CG_Timer.Interval(), 40);
  EXPECT_EQ(g.form.record.CGSpeed, 2);
}

TEST(StartUp, CharactersTheFontLacksAreLoggedOnce) {
  Game g(makeGame("glyphs", {}, "*op\nok line\n\uE000 private \uE000\n"));
  ASSERT_TRUE(g.form.draw.font);
  ASSERT_EQ(g.host.logs.size(), 1u);
  EXPECT_NE(g.host.logs[0].find("U+E000"), std::string::npos);
  EXPECT_NE(g.host.logs[0].find("line 3"), std::string::npos);
  Game clean(makeGame("glyphs-clean"));
  EXPECT_TRUE(clean.host.logs.empty());
}

TEST(StartUp, WipeEdgeBlendsThroughTheStrip) {
  Game g(makeGame("wipe-edge"));
  g.to(1530);
  // Column 32 got weight 255 (copied), column 63 weight 255 - 31 * 8 = 7.
  const Colour c32 = g.screenAt(32, 10), c63 = g.screenAt(63, 10);
  EXPECT_EQ(c32, kTitle);
  const int w = 255 - 31 * 8;
  auto ch = [](Colour c, int s) { return (c >> s) & 0xFF; };
  for (int s : {0, 8, 16})
    EXPECT_EQ(ch(c63, s), (ch(kBackdrop, s) * (255 - w) + ch(kTitle, s) * w) / 255);
}

TEST(MissingPack, MessageHiddenScreenDeadGameItemsAndNormalClose) {
  const std::string dir = makeTempDir("nopack");
  RecordingHost host;
  TXP_Form form(host, FormConfig{dir});
  form.FormCreate();
  ASSERT_EQ(form.dialog(), DialogKind::Message);
  EXPECT_EQ(form.dialogText(), "ファイルが足りません\n");
  EXPECT_FALSE(form.draw.imageBaVisible);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  EXPECT_FALSE(form.draw.backBufferCreated);
  form.advanceTo(5000);
  EXPECT_EQ(form.GameMode, 0);
  form.dialogClosed();
  for (MenuId id : {MenuId::Start_Btn, MenuId::ReStart_Btn, MenuId::ReSet_Btn}) {
    EXPECT_FALSE(form.menu[id].Enabled);
    form.callHandler(id);
    EXPECT_FALSE(form.Cha_Timer.Enabled());
  }
  form.callHandler(MenuId::Test_Btn);
  EXPECT_FALSE(form.Cha_Timer.Enabled());
  form.menuClick(MenuId::Exit_Btn);
  EXPECT_TRUE(form.closed());
  EXPECT_EQ(host.closes, 1);
}

TEST(Transitions, ClicksAndMenuCommandsIgnoredDuringTransition) {
  Game g(makeGame("busy"));
  g.to(1600);  // mid-wipe of the title
  ASSERT_TRUE(g.form.Cha_Timer.Enabled());
  g.form.callHandler(MenuId::Start_Btn);
  g.form.callHandler(MenuId::OFF1);
  g.form.callHandler(MenuId::CG_O);
  g.form.callHandler(MenuId::About_Btn);
  g.form.callHandler(MenuId::Exit_Btn);
  EXPECT_EQ(g.form.GameMode, 1);
  EXPECT_TRUE(g.form.menu[MenuId::ON1].Checked);
  EXPECT_EQ(g.form.record.CGSpeed, 2);
  EXPECT_EQ(g.form.dialog(), DialogKind::None);
  EXPECT_FALSE(g.form.closed());
}

TEST(Transitions, FullCycleTakesTwentyOneIntervalsAndModeElevenDoesNothing) {
  Game g(makeGame("mode11"));
  g.settle();
  ASSERT_EQ(g.form.GameMode, 1);
  const int64_t t0 = g.form.clock.now();
  g.form.callHandler(MenuId::ReStart_Btn);
  EXPECT_EQ(g.form.GameMode, 11);
  g.settle();
  EXPECT_EQ(g.form.clock.now() - t0, 30 * 22) << "tag 0 at +30, wipe +60..+630, phase 1 at +660";
  EXPECT_TRUE(g.form.menu[MenuId::ReSet_Btn].Enabled);
  EXPECT_FALSE(g.form.menu[MenuId::Start_Btn].Enabled);
  g.form.mouseDown(MouseButton::Left, 300, 280);
  g.form.mouseUp(MouseButton::Left, 300, 280);
  EXPECT_EQ(g.form.GameMode, 11);
  EXPECT_FALSE(g.form.Cha_Timer.Enabled());
  g.form.menuClick(MenuId::ReSet_Btn);
  EXPECT_EQ(g.form.GameMode, 1);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
}

TEST(Records, CGSeenSurvivesReturnAndNewGameWhileEventsReset) {
  Game g(makeGame("records"));
  g.settle();
  g.form.MarkCGSeen(3);
  g.form.events.EventState[1] = 3;
  g.form.events.EventWait[6] = 2;
  g.form.callHandler(MenuId::ReSet_Btn);  // not enabled on the title, but its handler works
  g.settle();
  EXPECT_EQ(g.form.record.CGSeen[3], 1);
  g.form.callHandler(MenuId::Start_Btn);
  EXPECT_EQ(g.form.record.CGSeen[3], 1);
  EXPECT_EQ(g.form.events.EventState[1], 2);
  EXPECT_EQ(g.form.events.EventState[3], 0);
  EXPECT_EQ(g.form.events.EventState[4], 1);
  EXPECT_EQ(g.form.events.EventWait[6], 0);
  EXPECT_EQ(g.form.events.EventState[0], 0);
}

TEST(Records, MarkCGSeenUsesStepYAndLinkedCG) {
  static const CGRec table[8] = {{0, 0, 0, 0, ""},       {1, 3, 0, 0, "a"}, {2, 0, 0, 2, "b"},
                                 {3, 0, 0, 0, "c"},      {4, 0, 0, 0, "d"}, {5, 0, 0, 0, "e"},
                                 {6, 0, 0, 0, "f"},      {7, 0, 0, 0, "g"}};
  RecordingHost host;
  TXP_Form form(host, FormConfig{makeTempDir("mark"), table});
  form.scene.CGNo = 1;
  form.UpdateRecord(3);
  EXPECT_EQ(form.record.CGSeen[1], 1);
  EXPECT_EQ(form.record.CGSeen[3], 1) << "the linked CG is marked too";
  form.MarkCGSeen(2);
  EXPECT_EQ(form.record.CGSeen[2], 2);
  form.MarkCGSeen(0);
  form.MarkCGSeen(8);  // out of range: nothing
}

TEST(Menus, SoundItemsAndCaptions) {
  Game g(makeGame("sound-menu"));
  g.settle();
  g.form.menuClick(MenuId::ON1);  // already ticked: nothing
  EXPECT_TRUE(g.form.menu[MenuId::ON1].Checked);
  g.form.menuClick(MenuId::OFF1);
  EXPECT_FALSE(g.form.menu[MenuId::ON1].Checked);
  EXPECT_TRUE(g.form.menu[MenuId::OFF1].Checked);
  EXPECT_EQ(g.form.menu[MenuId::BGM_Btn].Caption, "効果音 OFF");
  g.form.menuClick(MenuId::ON1);
  EXPECT_EQ(g.form.menu[MenuId::BGM_Btn].Caption, "効果音 ON");
  EXPECT_FALSE(g.form.menu[MenuId::OFF1].Checked);
}

TEST(Menus, CGSpeedSetsIntervalCheckAndCaption) {
  Game g(makeGame("cg-speed"));
  g.settle();
  g.form.menuClick(MenuId::CG_O);
  EXPECT_EQ(g.form.menu[MenuId::CG_Btn].Caption, "CG 遅");
  EXPECT_EQ(g.form.CG_Timer.Interval(), 100);
  EXPECT_TRUE(g.form.menu[MenuId::CG_O].Checked);
  EXPECT_FALSE(g.form.menu[MenuId::CG_F].Checked);
  g.form.menuClick(MenuId::CG_H);
  EXPECT_EQ(g.form.CG_Timer.Interval(), 20);
  EXPECT_EQ(g.form.record.CGSpeed, 1);
  g.form.SetCGSpeed(4);  // not a speed: nothing
  EXPECT_EQ(g.form.record.CGSpeed, 1);
}

TEST(Menus, DialogsOpenOnlyWhenIdleAndBlockInput) {
  Game g(makeGame("dialogs"));
  g.form.callHandler(MenuId::About_Btn);
  EXPECT_EQ(g.form.dialog(), DialogKind::None) << "not during a transition";
  g.settle();
  g.form.CG_Timer.setEnabled(true);
  g.form.callHandler(MenuId::Mes_Btn);
  EXPECT_EQ(g.form.dialog(), DialogKind::None) << "not while a CG pans";
  g.form.CG_Timer.setEnabled(false);
  g.form.menuClick(MenuId::About_Btn);
  ASSERT_EQ(g.form.dialog(), DialogKind::About);
  g.form.menuClick(MenuId::Start_Btn);
  EXPECT_EQ(g.form.GameMode, 1) << "menu commands wait for the dialog";
  g.form.dialogClosed();
  g.form.menuClick(MenuId::Mes_Btn);
  EXPECT_EQ(g.form.dialog(), DialogKind::Readme);
}

TEST(Menus, StartIsDisabledEverywhereButTheTitle) {
  Game g(makeGame("start-enabled"));
  g.settle();
  g.form.callHandler(MenuId::Test_Btn);
  g.settle();
  EXPECT_EQ(g.form.GameMode, 100);
  EXPECT_FALSE(g.form.menu[MenuId::Start_Btn].Enabled);
  EXPECT_TRUE(g.form.menu[MenuId::ReSet_Btn].Enabled);
}

TEST(Menus, FailedScriptReloadNamesTheFile) {
  const std::string dir = makeGame("reload");
  Game g(dir);
  g.settle();
  std::filesystem::remove(dir + "/data/lumora.red");
  g.form.callHandler(MenuId::Text_Btn);
  EXPECT_EQ(g.form.Script.count(), 0);
  ASSERT_EQ(g.form.dialog(), DialogKind::Message);
  EXPECT_NE(g.form.dialogText().find("lumora.red"), std::string::npos);
}

TEST(Menus, PackRemovedWhileRunningKeepsThePicture) {
  const std::string dir = makeGame("vanish");
  Game g(dir);
  g.settle();
  std::filesystem::remove(dir + "/data/lumora.red");
  g.form.callHandler(MenuId::Test_Btn);
  g.settle();
  EXPECT_EQ(g.screenAt(300, 100), kTitle);
}

// ---- CG display and panning, on tables of our own ----

namespace {
const CGRec kPanTable[8] = {
    {0, 0, 0, 0, ""},
    {1, 0, 4, 0, "wide.bmp"},    // 1280 x 480, pans right
    {2, 0, 0, -2, "tall.bmp"},   // 640 x 600, pans up
    {3, 0, 4, 4, "diag.bmp"},    // 644 x 484: both edges on the same tick
    {4, 5, 0, 0, "linked.bmp"},  // still, linked to CG 5
    {5, 0, 0, 0, "five.bmp"},
    {6, 0, 0, 0, "narrow.bmp"},  // 600 wide
    {7, 0, 0, 0, "seven.bmp"},
};

// An 8-bit picture whose palette index encodes the column / 8 (so bands can be told apart).
Bitmap columns8(int w, int h) {
  Bitmap b = mask8(w, h, 0);
  b.palette.resize(256);
  for (int i = 0; i < 256; ++i) b.palette[i] = static_cast<uint32_t>(i) << 16;  // red = index
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.row(y)[x] = static_cast<uint8_t>((x / 8) & 0xFF);
  return b;
}
// One colour as an 8-bit picture (smaller than 24-bit, so any size fits its slot).
Bitmap solid8(int w, int h, Colour c) {
  Bitmap b = mask8(w, h, 0);
  b.palette = {((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)};
  return b;
}
Bitmap rows8(int w, int h) {
  Bitmap b = mask8(w, h, 0);
  b.palette.resize(256);
  for (int i = 0; i < 256; ++i) b.palette[i] = static_cast<uint32_t>(i) << 8;  // green = index
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.row(y)[x] = static_cast<uint8_t>((y / 4) & 0xFF);
  return b;
}

struct PanGame {
  RecordingHost host;
  TXP_Form form;
  explicit PanGame(const std::string& tag)
      : form(host, FormConfig{makeGame(tag, {{121, columns8(1280, 480)},
                                             {122, rows8(640, 600)},
                                             {123, columns8(644, 484)},
                                             {124, solid8(640, 480, 0x0000FF)},
                                             {125, solid8(640, 480, 0x00FF00)},
                                             {126, solid8(600, 480, 0xFF0000)}}),
                              kPanTable}) {
    form.FormCreate();
    for (int i = 0; i < 100000 && form.Cha_Timer.Enabled(); ++i) form.clock.fireNext(INT64_MAX);
  }
  void show(int cg) {
    form.scene.CGNo = static_cast<uint8_t>(cg);
    form.SetMode(5);
    for (int i = 0; i < 100 && form.Cha_Timer.Enabled(); ++i) form.clock.fireNext(INT64_MAX);
  }
  int panTicks(int limit = 100000) {
    int n = 0;
    while (form.CG_Timer.Enabled() && n < limit) {
      form.clock.fireNext(INT64_MAX);
      ++n;
    }
    return n;
  }
};
}  // namespace

TEST(CGPan, WideCGPansFromBandZeroToBand640In161TicksThenWipesToRestView) {
  PanGame g("pan-wide");
  g.show(1);
  ASSERT_EQ(g.form.GameMode, 5);
  ASSERT_TRUE(g.form.CG_Timer.Enabled());
  EXPECT_FALSE(g.form.Cha_Timer.Enabled());
  EXPECT_EQ(g.form.PanX, 0);
  int ticks = 0;
  int lastBand = -1;
  while (g.form.CG_Timer.Enabled()) {
    const int band = g.form.PanX;
    g.form.clock.fireNext(INT64_MAX);
    ++ticks;
    lastBand = band;
    EXPECT_FALSE(g.form.Cha_Timer.Enabled() && g.form.CG_Timer.Enabled());
  }
  EXPECT_EQ(ticks, 161);
  EXPECT_EQ(lastBand, 640);
  EXPECT_EQ(g.form.GameMode, 6);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled()) << "the end of a pan starts a fresh cycle";
  // Rest view (640, 0, 1280, 480) on the BackBuffer: column 0 shows CG column 640.
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 0, 0) & 0xFF, 640u / 8);
  EXPECT_TRUE(g.form.draw.ImageCG.empty());
}

TEST(CGPan, UpwardPanStartsAtTheBottomAndEndsAfterBandZero) {
  PanGame g("pan-up");
  g.show(2);
  EXPECT_EQ(g.form.PanY, 120);
  int lastBand = -1;
  while (g.form.CG_Timer.Enabled()) {
    lastBand = g.form.PanY;
    g.form.clock.fireNext(INT64_MAX);
  }
  EXPECT_EQ(lastBand, 0);
  EXPECT_EQ(g.form.PanY, -2);
  EXPECT_EQ(g.form.GameMode, 6);
}

TEST(CGPan, DiagonalPanPassingBothEdgesEndsOnce) {
  PanGame g("pan-diag");
  g.show(3);
  EXPECT_EQ(g.panTicks(), 2);
  EXPECT_EQ(g.form.GameMode, 6);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
  EXPECT_EQ(g.form.Cha_Timer.Tag, 0);
}

TEST(CGPan, StillCGEndsInsideTheCycleAndShowsItsRestViewBeforeTheWipe) {
  PanGame g("still");
  g.form.scene.CGNo = 6;
  g.form.SetMode(5);
  g.form.clock.fireNext(INT64_MAX);  // phase 0: ShowCG -> EndCG at once
  EXPECT_EQ(g.form.GameMode, 6);
  EXPECT_FALSE(g.form.CG_Timer.Enabled());
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 10, 10), kBackdrop) << "20-pixel border of the backdrop";
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 20, 10), 0xFF0000u);
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 625, 10), kBackdrop);
}

TEST(CGPan, LinkedCGIsDrawnUnlessTheViewerReplays) {
  PanGame g("linked");
  g.form.scene.CGNo = 4;
  g.form.SetMode(5);
  g.form.clock.fireNext(INT64_MAX);
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 300, 300), 0x00FF00u) << "CG 5 instead of the rest view";
  g.form.CG_Timer.Tag = 1;
  g.form.SetMode(5);
  g.form.clock.fireNext(INT64_MAX);
  EXPECT_EQ(getPixel32(g.form.draw.BackBuffer, 300, 300), 0x0000FFu) << "the rest view of CG 4";
}

TEST(CGPan, ReturnStopsAPanAndTheTitleWipesIn) {
  PanGame g("pan-return");
  g.show(1);
  g.form.clock.fireNext(INT64_MAX);
  ASSERT_TRUE(g.form.CG_Timer.Enabled());
  g.form.menuClick(MenuId::ReSet_Btn);
  EXPECT_FALSE(g.form.CG_Timer.Enabled());
  EXPECT_EQ(g.form.GameMode, 1);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
}

TEST(CGPan, EndCGDuringAPanContinuesAsAtTheEdge) {
  PanGame g("pan-click");
  g.show(1);
  g.form.clock.fireNext(INT64_MAX);
  g.form.clock.fireNext(INT64_MAX);
  g.form.EndCG();  // what a press in GameMode 5 does
  EXPECT_FALSE(g.form.CG_Timer.Enabled());
  EXPECT_EQ(g.form.GameMode, 6);
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
}

TEST(CGPan, SpeedSettingPacesThePan) {
  PanGame g("pan-speed");
  g.form.menuClick(MenuId::CG_O);
  g.show(1);
  const int64_t t0 = g.form.clock.now();
  g.form.clock.fireNext(INT64_MAX);
  g.form.clock.fireNext(INT64_MAX);
  EXPECT_EQ(g.form.clock.now() - t0, 200);
}

// ---- Sound ----

TEST(Sound, KindsFilesAndTheSetting) {
  const std::string dir = makeGame("sound");
  std::filesystem::create_directories(dir + "/data/wav");
  for (const char* f : {"h_1.wav", "h_4.wav"}) ASSERT_TRUE(writeFile(dir + "/data/wav/" + f, {'R', 'I', 'F', 'F'}));
  Game g(dir);
  g.form.PlaySE(1);
  g.form.PlaySE(3);  // file missing: skipped
  g.form.PlaySE(4);
  g.form.PlaySE(2);
  g.form.PlaySE(0);
  ASSERT_EQ(g.host.sounds.size(), 2u);
  EXPECT_EQ(g.host.sounds[0], dir + "/data/wav/h_1.wav");
  EXPECT_EQ(g.form.soundsStarted, (std::vector<std::string>{"data/wav/h_1.wav", "data/wav/h_4.wav"}));
  g.settle();
  g.form.menuClick(MenuId::OFF1);
  g.form.PlaySE(1);
  EXPECT_EQ(g.host.sounds.size(), 2u);
}
