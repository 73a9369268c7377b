// The engine's spine in virtual time: start-up, the transition cycle, resets, menus,
// settings, the wipe, CG display and panning, and sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "engine/menu_handlers.h"
#include "game/game.h"
#include "game/state_codec.h"
#include "support/pack_fixture.h"
#include "support/recording_host.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

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

// A game started on `dir`, with what it asked of the window recorded.
struct TestGame {
  RecordingHost host;
  Game game;
  GameState& state = game.state;
  Engine& engine = game.engine;
  explicit TestGame(const std::string& dir, const CGRec* table = GameCGTable)
      : game(host, EngineConfig{dir, table}) {
    engine.FormCreate();
  }
  GameMode mode() const { return state.shell.GameMode; }
  void to(int64_t t) { engine.clock.advanceTo(t); }
  Colour screenAt(int x, int y) const { return getPixel32(state.surfaces.ImageBa, x, y); }
  Colour backAt(int x, int y) const { return getPixel32(state.surfaces.BackBuffer, x, y); }
  // Runs until the transition under way has ended.
  void settle() {
    for (int i = 0; i < 100000 && engine.Cha_Timer.Enabled(); ++i) engine.clock.fireNext(INT64_MAX);
  }
};

}  // namespace

TEST(StartUp, LogoAtHalfSecondThenTitleWipesInOverTwentySteps) {
  TestGame g(makeGame("startup"));
  EXPECT_EQ(g.mode(), GameMode::Logo);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.engine.Cha_Timer.Interval(), 500);
  g.to(499);
  EXPECT_EQ(g.screenAt(0, 0), kBlack);
  g.to(500);
  EXPECT_EQ(g.screenAt(0, 0), kBackdrop);
  EXPECT_EQ(g.screenAt(170, 220), kLogo);
  EXPECT_EQ(g.backAt(5, 5), kTitle) << "title composed behind the logo";
  g.to(1499);
  EXPECT_EQ(g.mode(), GameMode::Logo);
  g.to(1500);
  EXPECT_EQ(g.mode(), GameMode::Title);
  EXPECT_EQ(g.engine.Cha_Timer.Interval(), 30);
  EXPECT_EQ(g.screenAt(0, 0), kBackdrop) << "the title starts with the wipe, no compose";
  g.to(1530);  // wipe step 1: column 0..32 new
  EXPECT_EQ(g.screenAt(31, 0), kTitle);
  EXPECT_EQ(g.screenAt(64, 0), kBackdrop);
  for (int step = 2; step <= 20; ++step) {
    g.to(1500 + 30 * step);
    EXPECT_FALSE(g.state.menu[MenuId::Start_Btn].Enabled) << "step " << step;
    EXPECT_EQ(g.screenAt(32 * step - 1, 100), kTitle);
  }
  EXPECT_EQ(g.screenAt(639, 479), kTitle);
  g.to(2129);
  EXPECT_FALSE(g.state.menu[MenuId::Start_Btn].Enabled);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  g.to(2130);
  EXPECT_TRUE(g.state.menu[MenuId::Start_Btn].Enabled);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_FALSE(g.state.menu[MenuId::ReSet_Btn].Enabled) << "the title enables only はじめる";
}

TEST(StartUp, HiddenItemsAndDefaults) {
  TestGame g(makeGame("defaults"));
  EXPECT_FALSE(g.state.menu[MenuId::Text_Btn].Visible);
  EXPECT_FALSE(g.state.menu[MenuId::Text_Btn].Enabled);
  EXPECT_FALSE(g.state.menu[MenuId::Test_Btn].Visible);
  EXPECT_FALSE(g.state.menu[MenuId::ReStart_Btn].Visible);
  EXPECT_TRUE(g.state.menu[MenuId::ON1].Checked);
  EXPECT_TRUE(g.state.menu[MenuId::CG_F].Checked);
  EXPECT_EQ(g.state.menu[MenuId::CG_Btn].Caption, "CG 普通");
  EXPECT_EQ(g.engine.CG_Timer.Interval(), 40);
  EXPECT_EQ(g.state.record.CGSpeed, 2);
}

TEST(StartUp, CharactersTheFontLacksAreLoggedOnce) {
  TestGame g(makeGame("glyphs", {}, "*op\nok line\n\uE000 private \uE000\n"));
  ASSERT_TRUE(g.engine.draw.font);
  ASSERT_EQ(g.host.logs.size(), 1u);
  EXPECT_NE(g.host.logs[0].find("U+E000"), std::string::npos);
  EXPECT_NE(g.host.logs[0].find("line 3"), std::string::npos);
  TestGame clean(makeGame("glyphs-clean"));
  EXPECT_TRUE(clean.host.logs.empty());
}

TEST(StartUp, WipeEdgeBlendsThroughTheStrip) {
  TestGame g(makeGame("wipe-edge"));
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
  TestGame g(makeTempDir("nopack"));
  ASSERT_EQ(g.state.shell.dialog, DialogKind::Message);
  EXPECT_EQ(g.state.shell.dialogText, "ファイルが足りません\n");
  EXPECT_EQ(g.host.dialogs, (std::vector<DialogKind>{DialogKind::Message}));
  EXPECT_FALSE(g.state.surfaces.imageBaVisible);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_FALSE(g.state.surfaces.backBufferCreated);
  g.to(5000);
  EXPECT_EQ(g.mode(), GameMode::Logo);
  g.engine.dialogClosed();
  for (MenuId id : {MenuId::Start_Btn, MenuId::ReStart_Btn, MenuId::ReSet_Btn}) {
    EXPECT_FALSE(g.state.menu[id].Enabled);
    g.engine.callHandler(id);
    EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  }
  g.engine.callHandler(MenuId::Test_Btn);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  g.engine.menuClick(MenuId::Exit_Btn);
  EXPECT_TRUE(g.state.shell.closed);
  EXPECT_EQ(g.host.closes, 1);
}

TEST(Transitions, ClicksAndMenuCommandsIgnoredDuringTransition) {
  TestGame g(makeGame("busy"));
  g.to(1600);  // mid-wipe of the title
  ASSERT_TRUE(g.engine.Cha_Timer.Enabled());
  g.engine.callHandler(MenuId::Start_Btn);
  g.engine.callHandler(MenuId::OFF1);
  g.engine.callHandler(MenuId::CG_O);
  g.engine.callHandler(MenuId::About_Btn);
  g.engine.callHandler(MenuId::Exit_Btn);
  EXPECT_EQ(g.mode(), GameMode::Title);
  EXPECT_TRUE(g.state.menu[MenuId::ON1].Checked);
  EXPECT_EQ(g.state.record.CGSpeed, 2);
  EXPECT_EQ(g.state.shell.dialog, DialogKind::None);
  EXPECT_FALSE(g.state.shell.closed);
}

TEST(Transitions, FullCycleTakesTwentyOneIntervalsAndTheResumeScreenDoesNothing) {
  TestGame g(makeGame("mode11"));
  g.settle();
  ASSERT_EQ(g.mode(), GameMode::Title);
  const int64_t t0 = g.engine.clock.now();
  g.engine.callHandler(MenuId::ReStart_Btn);
  EXPECT_EQ(g.mode(), GameMode::Resume);
  g.settle();
  EXPECT_EQ(g.engine.clock.now() - t0, 30 * 22) << "tag 0 at +30, wipe +60..+630, phase 1 at +660";
  EXPECT_TRUE(g.state.menu[MenuId::ReSet_Btn].Enabled);
  EXPECT_FALSE(g.state.menu[MenuId::Start_Btn].Enabled);
  g.game.mouseDown(MouseButton::Left, 300, 280);
  g.game.mouseUp(MouseButton::Left, 300, 280);
  EXPECT_EQ(g.mode(), GameMode::Resume);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  g.engine.menuClick(MenuId::ReSet_Btn);
  EXPECT_EQ(g.mode(), GameMode::Title);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST(Records, CGSeenSurvivesReturnAndNewGameWhileEventsReset) {
  TestGame g(makeGame("records"));
  g.settle();
  g.state.scene.CGNo = 3;
  g.engine.UpdateRecord(RecordUpdate::CGShown);
  g.state.events.EventState[1] = 3;
  g.state.events.EventWait[6] = 2;
  g.engine.callHandler(MenuId::ReSet_Btn);  // not enabled on the title, but its handler works
  g.settle();
  EXPECT_EQ(g.state.record.CGSeen[3], 1);
  g.engine.callHandler(MenuId::Start_Btn);
  EXPECT_EQ(g.state.record.CGSeen[3], 1);
  EXPECT_EQ(g.state.events.EventState[1], 2);
  EXPECT_EQ(g.state.events.EventState[3], 0);
  EXPECT_EQ(g.state.events.EventState[4], 1);
  EXPECT_EQ(g.state.events.EventWait[6], 0);
  EXPECT_EQ(g.state.events.EventState[0], 0);
}

TEST(Records, MarkCGSeenUsesStepYAndLinkedCG) {
  static const CGRec table[8] = {{0, 0, 0, 0, ""},       {1, 3, 0, 0, "a"}, {2, 0, 0, 2, "b"},
                                 {3, 0, 0, 0, "c"},      {4, 0, 0, 0, "d"}, {5, 0, 0, 0, "e"},
                                 {6, 0, 0, 0, "f"},      {7, 0, 0, 0, "g"}};
  RecordingHost host;
  Game game(host, EngineConfig{makeTempDir("mark"), table});
  RunRecord& record = game.state.record;
  game.state.scene.CGNo = 1;
  game.engine.UpdateRecord(RecordUpdate::CGShown);
  EXPECT_EQ(record.CGSeen[1], 1);
  EXPECT_EQ(record.CGSeen[3], 1) << "the linked CG is marked too";
  game.state.scene.CGNo = 2;
  game.engine.UpdateRecord(RecordUpdate::CGShown);
  EXPECT_EQ(record.CGSeen[2], 2);
  const RunRecord before = record;
  for (uint8_t outOfRange : {0, 8}) {
    game.state.scene.CGNo = outOfRange;
    game.engine.UpdateRecord(RecordUpdate::CGShown);  // nothing
  }
  EXPECT_EQ(record, before);
}

TEST(Menus, SoundItemsAndCaptions) {
  TestGame g(makeGame("sound-menu"));
  g.settle();
  g.engine.menuClick(MenuId::ON1);  // already ticked: nothing
  EXPECT_TRUE(g.state.menu[MenuId::ON1].Checked);
  g.engine.menuClick(MenuId::OFF1);
  EXPECT_FALSE(g.state.menu[MenuId::ON1].Checked);
  EXPECT_TRUE(g.state.menu[MenuId::OFF1].Checked);
  EXPECT_EQ(g.state.menu[MenuId::BGM_Btn].Caption, "効果音 OFF");
  g.engine.menuClick(MenuId::ON1);
  EXPECT_EQ(g.state.menu[MenuId::BGM_Btn].Caption, "効果音 ON");
  EXPECT_FALSE(g.state.menu[MenuId::OFF1].Checked);
}

TEST(Menus, CGSpeedSetsIntervalCheckAndCaption) {
  TestGame g(makeGame("cg-speed"));
  g.settle();
  g.engine.menuClick(MenuId::CG_O);
  EXPECT_EQ(g.state.menu[MenuId::CG_Btn].Caption, "CG 遅");
  EXPECT_EQ(g.engine.CG_Timer.Interval(), 100);
  EXPECT_TRUE(g.state.menu[MenuId::CG_O].Checked);
  EXPECT_FALSE(g.state.menu[MenuId::CG_F].Checked);
  g.engine.menuClick(MenuId::CG_H);
  EXPECT_EQ(g.engine.CG_Timer.Interval(), 20);
  EXPECT_EQ(g.state.record.CGSpeed, 1);
  MenuHandlers(g.engine).SetCGSpeed(4);  // not a speed: nothing
  EXPECT_EQ(g.state.record.CGSpeed, 1);
}

TEST(Menus, DialogsOpenOnlyWhenIdleAndBlockInput) {
  TestGame g(makeGame("dialogs"));
  g.engine.callHandler(MenuId::About_Btn);
  EXPECT_EQ(g.state.shell.dialog, DialogKind::None) << "not during a transition";
  g.settle();
  g.engine.CG_Timer.setEnabled(true);
  g.engine.callHandler(MenuId::Mes_Btn);
  EXPECT_EQ(g.state.shell.dialog, DialogKind::None) << "not while a CG pans";
  g.engine.CG_Timer.setEnabled(false);
  g.engine.menuClick(MenuId::About_Btn);
  ASSERT_EQ(g.state.shell.dialog, DialogKind::About);
  g.engine.menuClick(MenuId::Start_Btn);
  EXPECT_EQ(g.mode(), GameMode::Title) << "menu commands wait for the dialog";
  g.engine.dialogClosed();
  g.engine.menuClick(MenuId::Mes_Btn);
  EXPECT_EQ(g.state.shell.dialog, DialogKind::Readme);
}

TEST(Menus, StartIsDisabledEverywhereButTheTitle) {
  TestGame g(makeGame("start-enabled"));
  g.settle();
  g.engine.callHandler(MenuId::Test_Btn);
  g.settle();
  EXPECT_EQ(g.mode(), GameMode::SceneList);
  EXPECT_FALSE(g.state.menu[MenuId::Start_Btn].Enabled);
  EXPECT_TRUE(g.state.menu[MenuId::ReSet_Btn].Enabled);
}

TEST(Menus, FailedScriptReloadNamesTheFile) {
  const std::string dir = makeGame("reload");
  TestGame g(dir);
  g.settle();
  std::filesystem::remove(dir + "/data/lumora.red");
  g.engine.callHandler(MenuId::Text_Btn);
  EXPECT_EQ(g.engine.Script.count(), 0);
  ASSERT_EQ(g.state.shell.dialog, DialogKind::Message);
  EXPECT_NE(g.state.shell.dialogText.find("lumora.red"), std::string::npos);
}

TEST(Menus, PackRemovedWhileRunningKeepsThePicture) {
  const std::string dir = makeGame("vanish");
  TestGame g(dir);
  g.settle();
  std::filesystem::remove(dir + "/data/lumora.red");
  g.engine.callHandler(MenuId::Test_Btn);
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

// An 8-bit picture that holds each pixel's exact x: even rows the low byte, odd rows the
// high byte (as red), so a band one pixel off can be told from the right one.
Bitmap xcoded8(int w, int h) {
  Bitmap b = mask8(w, h, 0);
  b.palette.resize(256);
  for (int i = 0; i < 256; ++i) b.palette[i] = static_cast<uint32_t>(i) << 16;  // red = index
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.row(y)[x] = static_cast<uint8_t>(y % 2 == 0 ? x & 0xFF : x >> 8);
  return b;
}
// The CG column shown at column x of a screen holding an xcoded8 picture (rows y, y + 1).
int cgColumnAt(const Bitmap& screen, int x, int y = 0) {
  return static_cast<int>((getPixel32(screen, x, y) & 0xFF) | (getPixel32(screen, x, y + 1) & 0xFF) << 8);
}

// The same CGs, and CG 7: 1000 x 480, panning to the left.
const CGRec kLeftPanTable[8] = {
    kPanTable[0], kPanTable[1], kPanTable[2], kPanTable[3], kPanTable[4], kPanTable[5], kPanTable[6],
    {7, 0, -4, 0, "left.bmp"},
};

// A game on the title, with the pan pictures in the pack and a CG table of our own.
struct PanGame : TestGame {
  explicit PanGame(const std::string& tag, const CGRec* table = kPanTable, std::map<int, Bitmap> extra = {})
      : TestGame(makeGame(tag, withPanPictures(std::move(extra))), table) {
    settle();
  }
  static std::map<int, Bitmap> withPanPictures(std::map<int, Bitmap> pics) {
    pics.emplace(121, columns8(1280, 480));
    pics.emplace(122, rows8(640, 600));
    pics.emplace(123, columns8(644, 484));
    pics.emplace(124, solid8(640, 480, 0x0000FF));
    pics.emplace(125, solid8(640, 480, 0x00FF00));
    pics.emplace(126, solid8(600, 480, 0xFF0000));
    return pics;
  }
  void show(int cg) {
    state.scene.CGNo = static_cast<uint8_t>(cg);
    engine.SetMode(GameMode::CGDisplay);
    for (int i = 0; i < 100 && engine.Cha_Timer.Enabled(); ++i) engine.clock.fireNext(INT64_MAX);
  }
  int panTicks(int limit = 100000) {
    int n = 0;
    while (engine.CG_Timer.Enabled() && n < limit) {
      engine.clock.fireNext(INT64_MAX);
      ++n;
    }
    return n;
  }
};
}  // namespace

TEST(CGPan, WideCGPansFromBandZeroToBand640In161TicksThenWipesToRestView) {
  PanGame g("pan-wide");
  g.show(1);
  ASSERT_EQ(g.mode(), GameMode::CGDisplay);
  ASSERT_TRUE(g.engine.CG_Timer.Enabled());
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.state.pan.PanX, 0);
  int ticks = 0;
  int lastBand = -1;
  while (g.engine.CG_Timer.Enabled()) {
    const int band = g.state.pan.PanX;
    g.engine.clock.fireNext(INT64_MAX);
    ++ticks;
    lastBand = band;
    EXPECT_FALSE(g.engine.Cha_Timer.Enabled() && g.engine.CG_Timer.Enabled());
  }
  EXPECT_EQ(ticks, 161);
  EXPECT_EQ(lastBand, 640);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled()) << "the end of a pan starts a fresh cycle";
  // Rest view (640, 0, 1280, 480) on the BackBuffer: column 0 shows CG column 640.
  EXPECT_EQ(g.backAt(0, 0) & 0xFF, 640u / 8);
  EXPECT_TRUE(g.state.surfaces.ImageCG.empty());
}

// The game's own CG table never pans, so saves are tried on a panning CG here: the
// state taken as bytes a quarter into a wide pan goes on in another game, tick
// for tick, to the same screen as the game it was taken from.
TEST(CGPan, AStateTakenAsBytesMidPanGoesOnInAnotherGame) {
  PanGame a("pan-save-a"), b("pan-save-b");
  a.show(1);
  for (int i = 0; i < 40; ++i) a.engine.clock.fireNext(INT64_MAX);
  ASSERT_TRUE(a.engine.CG_Timer.Enabled());
  const std::vector<uint8_t> bytes = encodeState(a.game.snapshot());
  b.to(99999);  // another clock
  auto state = decodeState(bytes, StateLimits{b.engine.Script.count()});
  ASSERT_TRUE(state) << state.error();
  b.game.restore(state.value());
  while (a.engine.CG_Timer.Enabled() || a.engine.Cha_Timer.Enabled()) {
    a.engine.clock.fireNext(INT64_MAX);
    b.engine.clock.fireNext(INT64_MAX);
    ASSERT_TRUE(a.game.snapshot() == b.game.snapshot());
  }
  EXPECT_TRUE(a.state.surfaces.ImageBa == b.state.surfaces.ImageBa);
  EXPECT_FALSE(b.engine.CG_Timer.Enabled());
}

TEST(CGPan, UpwardPanStartsAtTheBottomAndEndsAfterBandZero) {
  PanGame g("pan-up");
  g.show(2);
  EXPECT_EQ(g.state.pan.PanY, 120);
  int lastBand = -1;
  while (g.engine.CG_Timer.Enabled()) {
    lastBand = g.state.pan.PanY;
    g.engine.clock.fireNext(INT64_MAX);
  }
  EXPECT_EQ(lastBand, 0);
  EXPECT_EQ(g.state.pan.PanY, -2);
  EXPECT_EQ(g.mode(), GameMode::Scene);
}

// CG 7 is 1000 wide and steps -4: it starts at band 1000 - 640 = 360, draws bands
// 360, 356, ..., 4 on the screen (one a tick) and ends on the tick that brings PanX to 0,
// so band 0 is never drawn: 360 / 4 = 90 ticks. The rest view is the rightmost band.
TEST(CGPan, LeftwardPanStartsAtTheRightEdgeAndEndsWhenPanXReachesZero) {
  PanGame g("pan-left", kLeftPanTable, {{127, xcoded8(1000, 480)}});
  g.show(7);
  ASSERT_EQ(g.mode(), GameMode::CGDisplay);
  ASSERT_TRUE(g.engine.CG_Timer.Enabled());
  EXPECT_EQ(g.state.pan.PanX, 360);
  EXPECT_EQ(g.state.pan.PanY, 0);
  // The wipe brought the starting band in: screen column c shows CG column 360 + c.
  EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 0), 360);
  EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 639), 999);
  EXPECT_EQ(cgColumnAt(g.state.surfaces.BackBuffer, 0), 360);

  const int64_t t0 = g.engine.clock.now();
  for (int tick = 1; tick <= 90; ++tick) {
    SCOPED_TRACE(tick);
    ASSERT_TRUE(g.engine.CG_Timer.Enabled()) << "the pan ended early";
    const int band = 360 - 4 * (tick - 1);
    EXPECT_EQ(g.state.pan.PanX, band);
    g.engine.clock.fireNext(INT64_MAX);
    EXPECT_EQ(g.engine.clock.now() - t0, 40 * tick);
    // The band drawn this tick, whole: its left and right columns, top and bottom rows.
    EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 0), band);
    EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 639), band + 639);
    EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 320, 478), band + 320);
    EXPECT_EQ(g.state.pan.PanX, band - 4);
    if (tick < 90) {
      EXPECT_EQ(g.mode(), GameMode::CGDisplay);
    }
  }
  // Tick 90 drew band 4 and brought PanX to 0: the display has ended.
  EXPECT_FALSE(g.engine.CG_Timer.Enabled());
  EXPECT_EQ(g.state.pan.PanX, 0);
  EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 0), 4) << "the last band drawn is 4, never 0";
  EXPECT_EQ(cgColumnAt(g.state.surfaces.ImageBa, 639), 643);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled()) << "the end of a pan starts a fresh cycle";
  EXPECT_EQ(g.engine.Cha_Timer.Tag, 0);
  // The rest view is the rightmost band (360, 0, 1000, 480), where the pan started.
  EXPECT_EQ(cgColumnAt(g.state.surfaces.BackBuffer, 0), 360);
  EXPECT_EQ(cgColumnAt(g.state.surfaces.BackBuffer, 639), 999);
  EXPECT_EQ(cgColumnAt(g.state.surfaces.BackBuffer, 0, 478), 360);
  EXPECT_TRUE(g.state.surfaces.ImageCG.empty());
}

TEST(CGPan, DiagonalPanPassingBothEdgesEndsOnce) {
  PanGame g("pan-diag");
  g.show(3);
  EXPECT_EQ(g.panTicks(), 2);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.engine.Cha_Timer.Tag, 0);
}

TEST(CGPan, StillCGEndsInsideTheCycleAndShowsItsRestViewBeforeTheWipe) {
  PanGame g("still");
  g.state.scene.CGNo = 6;
  g.engine.SetMode(GameMode::CGDisplay);
  g.engine.clock.fireNext(INT64_MAX);  // phase 0: ShowCG -> EndCG at once
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_FALSE(g.engine.CG_Timer.Enabled());
  EXPECT_EQ(g.backAt(10, 10), kBackdrop) << "20-pixel border of the backdrop";
  EXPECT_EQ(g.backAt(20, 10), 0xFF0000u);
  EXPECT_EQ(g.backAt(625, 10), kBackdrop);
}

TEST(CGPan, LinkedCGIsDrawnUnlessTheViewerReplays) {
  PanGame g("linked");
  g.state.scene.CGNo = 4;
  g.engine.SetMode(GameMode::CGDisplay);
  g.engine.clock.fireNext(INT64_MAX);
  EXPECT_EQ(g.backAt(300, 300), 0x00FF00u) << "CG 5 instead of the rest view";
  g.engine.CG_Timer.Tag = 1;
  g.engine.SetMode(GameMode::CGDisplay);
  g.engine.clock.fireNext(INT64_MAX);
  EXPECT_EQ(g.backAt(300, 300), 0x0000FFu) << "the rest view of CG 4";
}

TEST(CGPan, ReturnStopsAPanAndTheTitleWipesIn) {
  PanGame g("pan-return");
  g.show(1);
  g.engine.clock.fireNext(INT64_MAX);
  ASSERT_TRUE(g.engine.CG_Timer.Enabled());
  g.engine.menuClick(MenuId::ReSet_Btn);
  EXPECT_FALSE(g.engine.CG_Timer.Enabled());
  EXPECT_EQ(g.mode(), GameMode::Title);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST(CGPan, EndCGDuringAPanContinuesAsAtTheEdge) {
  PanGame g("pan-click");
  g.show(1);
  g.engine.clock.fireNext(INT64_MAX);
  g.engine.clock.fireNext(INT64_MAX);
  g.engine.EndCG();  // what a press on the CG display does
  EXPECT_FALSE(g.engine.CG_Timer.Enabled());
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST(CGPan, SpeedSettingPacesThePan) {
  PanGame g("pan-speed");
  g.engine.menuClick(MenuId::CG_O);
  g.show(1);
  const int64_t t0 = g.engine.clock.now();
  g.engine.clock.fireNext(INT64_MAX);
  g.engine.clock.fireNext(INT64_MAX);
  EXPECT_EQ(g.engine.clock.now() - t0, 200);
}

// ---- Sound ----

TEST(Sound, KindsFilesAndTheSetting) {
  const std::string dir = makeGame("sound");
  std::filesystem::create_directories(dir + "/data/wav");
  for (const char* f : {"h_1.wav", "h_4.wav"}) ASSERT_TRUE(writeFile(dir + "/data/wav/" + f, {'R', 'I', 'F', 'F'}));
  TestGame g(dir);
  g.engine.PlaySE(Sound::Accept);
  g.engine.PlaySE(Sound::JobDone);  // file missing: skipped
  g.engine.PlaySE(Sound::Refuse);
  g.engine.PlaySE(static_cast<Sound>(2));  // no sound of that kind
  g.engine.PlaySE(static_cast<Sound>(0));
  ASSERT_EQ(g.host.sounds.size(), 2u);
  EXPECT_EQ(g.host.soundPaths[0], dir + "/data/wav/h_1.wav");
  EXPECT_EQ(g.host.sounds, (std::vector<std::string>{"data/wav/h_1.wav", "data/wav/h_4.wav"}));
  g.settle();
  g.engine.menuClick(MenuId::OFF1);
  g.engine.PlaySE(Sound::Accept);
  EXPECT_EQ(g.host.sounds.size(), 2u);
}
