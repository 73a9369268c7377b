// Packs, pictures and scripts that players can break: cut short, filled with noise,
// pictures of the wrong kind or of absurd size, scripts that never end or point past
// the pictures, missing sounds, readme and pack. The game must go on and draw what it
// can; every case checks what is drawn and where the game stands afterwards.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/bmp.h"
#include "calendar/tables.h"
#include "engine/layouts.h"
#include "game/game.h"
#include "support/pack_fixture.h"
#include "support/recording_host.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr Colour kLogo = 0x2040C0, kBackdrop = 0x102030, kTitle = 0x30A050, kList = 0x605040;
constexpr Colour kForest = 0x206020;

Bitmap wipeStrip() {
  Bitmap strip = mask8(32, 480, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 32; ++x) strip.row(y)[x] = static_cast<uint8_t>(255 - x * 8);
  return strip;
}

// The pictures of start-up, the scene list and one background, in known colours.
std::map<int, Bitmap> gamePictures() {
  return {{pic::Logo, solid32(300, 40, kLogo)},       {pic::Backdrop, solid32(640, 480, kBackdrop)},
          {pic::WipeStrip, wipeStrip()},              {pic::Title, solid32(640, 480, kTitle)},
          {pic::GalleryBack, solid32(640, 480, kList)}, {pic::BackgroundBase + 2, solid32(640, 480, kForest)}};
}

std::string packOf(const std::string& dir) { return dir + "/data/lumora.red"; }

// Overwrites bytes of the pack at `at`.
void patch(const std::string& dir, int64_t at, const std::vector<uint8_t>& bytes) {
  std::fstream f(packOf(dir), std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(f.good());
  f.seekp(at);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(f.good());
}

std::vector<uint8_t> noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

// A BMP file header and info header claiming w x h at 24 bits, with no pixels after them.
std::vector<uint8_t> claimedHeader(int32_t w, int32_t h, uint32_t compression = 0, uint16_t bpp = 24) {
  std::vector<uint8_t> b(54 + (bpp <= 8 ? 4u << bpp : 0), 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
  b[0] = 'B', b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, static_cast<uint32_t>(b.size()));
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  put16(26, 1);
  put16(28, bpp);
  put32(30, compression);
  return b;
}

int64_t peakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// A game started on `dir`, with what it asked of the window recorded.
struct TestGame {
  RecordingHost host;
  Game game;
  GameState& state = game.state;
  Engine& engine = game.engine;
  Calendar& calendar = game.calendar;
  explicit TestGame(const std::string& dir) : game(host, EngineConfig{dir}) { engine.FormCreate(); }
  GameMode mode() const { return state.shell.GameMode; }
  void to(int64_t t) { engine.clock.advanceTo(t); }
  Colour screenAt(int x, int y) const { return getPixel32(state.surfaces.ImageBa, x, y); }
  Colour backAt(int x, int y) const { return getPixel32(state.surfaces.BackBuffer, x, y); }
  // Runs the timers until no transition, pan or job bar is under way.
  void settle() {
    for (int i = 0; i < 100000; ++i) {
      if (!engine.Cha_Timer.Enabled() && !engine.CG_Timer.Enabled() && !engine.J_Timer.Enabled()) return;
      engine.clock.fireNext(INT64_MAX);
    }
    FAIL() << "the game never settles";
  }
  void click(int x, int y) {
    game.mouseDown(MouseButton::Left, x, y);
    game.mouseUp(MouseButton::Left, x, y);
    settle();
  }
  // Logo and title, then the hidden scene test list.
  void toSceneList() {
    to(2200);
    ASSERT_EQ(mode(), GameMode::Title);
    engine.callHandler(MenuId::Test_Btn);
    settle();
    ASSERT_EQ(mode(), GameMode::SceneList);
  }
  // Runs event i's scene from the list: its first command, the wipe, the first page.
  void runScene(int i) {
    const LayoutRec& l = SceneListLayout;
    click(l.X + 5, l.Y + (i - 1) * (l.H + l.GapY) + 5);
  }
};

// A game folder whose pack holds the pictures above (and `extra`) and the script.
std::string makeGame(const std::string& tag, const std::string& script, std::map<int, Bitmap> extra = {}) {
  const std::string dir = makeTempDir(tag);
  std::map<int, Bitmap> pics = gamePictures();
  for (auto& [k, v] : extra) pics[k] = std::move(v);
  EXPECT_TRUE(writeTestPack(dir, pics, script));
  return dir;
}

const std::string kDefs = "bg=1\ncg=2\nend=3\nsprite=6\nface=9\nchoice=11\n森=2\n";

}  // namespace

// ---- The pack cut short ----

TEST(CutPack, PicturesPastTheCutDrawNothingAndTheRestDraw) {
  const std::string script = "*op\r\n";
  const std::string dir = makeGame("cut", script);
  std::map<int, size_t> size;
  for (auto& [p, b] : gamePictures()) size[p] = encodeBmp(b).size();
  // Cut from the end towards the start, so one pack serves every cut.
  const int64_t cuts[] = {ScriptOffset + 2,       ScriptOffset,           ScriptOffset - 1,
                          PackOffsets[120] + 10,  PackOffsets[5] + 30,    PackOffsets[4] + 300000,
                          PackOffsets[2] + 100,   PackOffsets[1] + 1000,  100,
                          0};
  for (int64_t cut : cuts) {
    SCOPED_TRACE("pack cut at " + std::to_string(cut));
    fs::resize_file(packOf(dir), static_cast<uintmax_t>(cut));
    auto intact = [&](int p) { return PackOffsets[p] + static_cast<int64_t>(size[p]) <= cut; };
    TestGame g(dir);
    ASSERT_EQ(g.state.shell.dialog, DialogKind::None) << "a short pack still exists";
    const Lines expected = cut >= ScriptOffset + 2 ? Lines{"*o"} : Lines{};
    EXPECT_EQ(g.engine.Script.lines, expected);
    const int64_t filler = static_cast<int64_t>(encodeBmp(Bitmap::create32(1, 1)).size());
    EXPECT_EQ(g.engine.draw.pack.readPicture(pic::Ending).ok(), cut >= PackOffsets[pic::Ending] + filler);

    g.to(500);  // the logo over the backdrop, the title composed behind
    const Colour under = intact(pic::Backdrop) ? kBackdrop : kBlack;
    EXPECT_EQ(g.screenAt(0, 0), under);
    EXPECT_EQ(g.screenAt(170, 220), intact(pic::Logo) ? kLogo : under);
    EXPECT_EQ(g.backAt(5, 5), intact(pic::Title) ? kTitle : kBlack);

    g.to(1530);  // first wipe step: column 0..32 new, the edge after it
    const Colour title = intact(pic::Title) ? kTitle : kBlack;
    EXPECT_EQ(g.screenAt(31, 0), title);
    if (intact(pic::WipeStrip)) {
      EXPECT_EQ(g.screenAt(32, 0), title) << "the edge's first column weighs 255";
      if (title != under) {
        EXPECT_NE(g.screenAt(40, 0), under) << "the edge blends the title in";
      }
    } else {
      EXPECT_EQ(g.screenAt(40, 0), under) << "without the strip there is no soft edge";
    }
    EXPECT_EQ(g.screenAt(100, 0), under);

    g.to(2130);  // the title is live whatever was missing
    EXPECT_EQ(g.mode(), GameMode::Title);
    EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
    EXPECT_TRUE(g.state.menu[MenuId::Start_Btn].Enabled);
    EXPECT_EQ(g.screenAt(5, 5), title);
    EXPECT_EQ(g.screenAt(639, 479), title);
  }
  fs::remove_all(dir);
}

TEST(CutPack, LoadScriptOfAPackShorterThanTheScriptOffsetLeavesTheScriptEmpty) {
  const std::string dir = makeGame("cut-script", "*op\r\nline\r\n");
  ScriptLines lines;
  lines.lines = {"old"};
  ASSERT_TRUE(LoadScript(PackFile(packOf(dir)), lines));
  EXPECT_EQ(lines.lines, (Lines{"*op", "line"}));
  fs::resize_file(packOf(dir), static_cast<uintmax_t>(ScriptOffset - 10));
  LoadScript(PackFile(packOf(dir)), lines);
  EXPECT_TRUE(lines.lines.empty());
  fs::remove_all(dir);
}

// ---- Broken pictures ----

TEST(GarbagePictures, NothingDrawnWhereThePictureIsBrokenAndTheGameGoesOn) {
  const std::string dir = makeGame("garbage", kDefs + "*op\nbg=森\n森の中\nend=\n");
  patch(dir, PackOffsets[pic::Logo], noise(4096, 1));  // no "BM" at all
  std::vector<uint8_t> backdrop = encodeBmp(solid32(640, 480, kBackdrop));
  backdrop[28] = 7;  // a bit depth no BMP has
  patch(dir, PackOffsets[pic::Backdrop], backdrop);
  std::vector<uint8_t> title = noise(8192, 2);
  title[0] = 'B', title[1] = 'M';  // a signature and then noise
  patch(dir, PackOffsets[pic::Title], title);
  patch(dir, PackOffsets[pic::BackgroundBase + 2] + 14, noise(40, 3));  // the info header

  TestGame g(dir);
  g.to(500);
  EXPECT_EQ(g.screenAt(0, 0), kBlack);
  EXPECT_EQ(g.screenAt(170, 220), kBlack);
  g.toSceneList();
  EXPECT_EQ(g.screenAt(5, 5), kList) << "the sound picture of the list is drawn";

  g.runScene(1);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_EQ(g.screenAt(5, 5), kList) << "a broken background leaves the BackBuffer as it was";
  EXPECT_EQ(g.state.shown.Page, (Lines{"森の中"}));
  g.click(320, 440);
  EXPECT_EQ(g.mode(), GameMode::SceneList);
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  fs::remove_all(dir);
}

TEST(GarbagePictures, ABrokenMaskBlendsNothing) {
  const std::string dir = makeGame("garbage-mask", "*op\n",
                                   {{pic::TimePanel, solid32(20, 20, kForest)}, {pic::TimePanelMask, mask8(20, 20, 255)}});
  DrawContext c;
  c.pack.setPath(packOf(dir));
  c.BackBuffer = Bitmap::create32(640, 480, kTitle);
  BlendPic(c, 6, 7, pic::TimePanel, pic::TimePanelMask, c.BackBuffer);
  EXPECT_EQ(getPixel32(c.BackBuffer, 10, 10), kForest);
  patch(dir, PackOffsets[pic::TimePanelMask], noise(600, 4));
  c.BackBuffer = Bitmap::create32(640, 480, kTitle);
  BlendPic(c, 6, 7, pic::TimePanel, pic::TimePanelMask, c.BackBuffer);
  EXPECT_EQ(getPixel32(c.BackBuffer, 10, 10), kTitle);
  fs::remove_all(dir);
}

TEST(GarbagePictures, AHugeClaimedSizeIsRefusedWithoutAllocatingIt) {
  const std::string dir = makeGame("huge", "*op\n");
  DrawContext c;
  c.pack.setPath(packOf(dir));
  c.BackBuffer = Bitmap::create32(640, 480, kTitle);
  const int64_t before = peakRssKb();
  for (auto [w, h] : {std::pair{100000, 100000}, {16384, 16384}, {100000, -100000}, {1, 2000000000}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    patch(dir, PackOffsets[pic::Backdrop], claimedHeader(w, h));
    const auto r = c.pack.readPicture(pic::Backdrop);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().find("limit"), std::string::npos) << r.error();
    DrawPic(c, 0, 0, pic::Backdrop, Target::Back);
    StretchPic(c, pic::Backdrop, Target::Back);
    EXPECT_EQ(getPixel32(c.BackBuffer, 320, 240), kTitle);
  }
  // Tiny files that would stand for a gigabyte once turned into 32 bits for a blend or a CG:
  // an RLE picture that ends at once and a 1-bit one.
  std::vector<uint8_t> rle = claimedHeader(16384, 16384, 1, 8);
  rle.insert(rle.end(), {0, 1});
  std::vector<uint8_t> mono = claimedHeader(16384, 16384, 0, 1);
  for (auto* file : {&rle, &mono}) {
    patch(dir, PackOffsets[pic::TimePanel], *file);
    EXPECT_FALSE(c.pack.readPicture(pic::TimePanel).ok());
    BlendPic(c, 0, 0, pic::TimePanel, pic::TimePanelMask, c.BackBuffer);
    EXPECT_EQ(getPixel32(c.BackBuffer, 320, 240), kTitle);
  }
  EXPECT_LT(peakRssKb() - before, 64 * 1024) << "no buffer of the claimed size was made";
  fs::remove_all(dir);
}

// ---- Pictures of the wrong kind ----

TEST(WrongKind, AnEightBitPictureIsDrawnThroughItsPalette) {
  Bitmap indexed = mask8(8, 4, 1);
  indexed.palette = {0x000000, 0x112233};  // 0x00RRGGBB: red 0x11, green 0x22, blue 0x33
  for (int x = 0; x < 8; ++x) indexed.row(3)[x] = 0;
  const std::string dir = makeGame("eight-bit", "*op\n", {{pic::Title, indexed}});
  DrawContext c;
  c.pack.setPath(packOf(dir));
  c.BackBuffer = Bitmap::create32(640, 480, kForest);
  DrawPic(c, 10, 20, pic::Title, Target::Back);
  EXPECT_EQ(getPixel32(c.BackBuffer, 10, 20), 0x332211u);
  EXPECT_EQ(getPixel32(c.BackBuffer, 17, 22), 0x332211u);
  EXPECT_EQ(getPixel32(c.BackBuffer, 12, 23), kBlack) << "index 0 of the palette";
  EXPECT_EQ(getPixel32(c.BackBuffer, 18, 20), kForest);
  fs::remove_all(dir);
}

TEST(WrongKind, ATwentyFourBitMaskIsReadByteForByteAndNothingOutsideItsRows) {
  // A 4 x 2 mask of red 255: its rows hold the bytes 0, 0, 255 four times over (blue,
  // green, red), so source column x gets weight 255 where x % 3 == 2, up to column 12.
  const std::string dir = makeGame("mask24", "*op\n",
                                   {{pic::TimePanel, solid32(16, 3, kWhite)}, {pic::TimePanelMask, solid32(4, 2, 0x0000FF)}});
  DrawContext c;
  c.pack.setPath(packOf(dir));
  c.BackBuffer = Bitmap::create32(640, 480, kBlack);
  BlendPic(c, 100, 100, pic::TimePanel, pic::TimePanelMask, c.BackBuffer);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool weighted = y < 2 && x < 12 && x % 3 == 2;
      EXPECT_EQ(getPixel32(c.BackBuffer, 100 + x, 100 + y), weighted ? kWhite : kBlack) << x << ", " << y;
    }
  fs::remove_all(dir);
}

// ---- Scripts that go wrong ----

TEST(HostileScript, ASceneThatNeverEndsShowsTheNoticeUntilBack) {
  const std::string dir = makeGame("no-end", kDefs + "*op\nbg=森\n一行目\n二行目");
  TestGame g(dir);
  g.toSceneList();
  g.runScene(1);
  EXPECT_EQ(g.state.shown.Page, (Lines{"一行目", "二行目"}));
  EXPECT_FALSE(g.state.shown.Notice.has_value());
  g.click(320, 440);
  ASSERT_TRUE(g.state.shown.Notice.has_value()) << "the scene ran off the end of the script";
  EXPECT_EQ(*g.state.shown.Notice, "*op");
  EXPECT_EQ(g.mode(), GameMode::Scene);
  const Colour bar = g.screenAt(55, 55);
  EXPECT_NE(bar, kForest) << "the bar is darkened";
  g.state.surfaces.ImageBa = Bitmap::create32(640, 480, kTitle);
  g.state.shown.Notice.reset();
  const int pos = g.state.scene.ScriptPos;
  g.click(320, 440);
  EXPECT_EQ(g.state.shown.Notice, std::optional<std::string>("*op")) << "a click shows the notice again";
  EXPECT_NE(g.screenAt(55, 55), kTitle);
  EXPECT_EQ(g.screenAt(55, 75), kTitle) << "below the bar nothing changes";
  EXPECT_EQ(g.state.scene.ScriptPos, pos);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.state.menu[MenuId::ReSet_Btn].Enabled);
  g.engine.menuClick(MenuId::ReSet_Btn);
  g.settle();
  EXPECT_EQ(g.mode(), GameMode::Title) << "戻る leaves the scene";
  EXPECT_EQ(g.state.scene.ScriptPos, 0);
  fs::remove_all(dir);
}

TEST(HostileScript, AMissingHintLabelWritesFromTheFirstLine) {
  const std::string dir = makeGame("hint", "*op\n");
  TestGame g(dir);
  g.engine.Cha_Timer.setEnabled(false);
  g.state.shell.GameMode = GameMode::Status;  // the status screen's hint block
  g.engine.Script.lines = {"first", "second", "END", "third"};
  g.calendar.HintText();
  EXPECT_EQ(g.state.shown.Hint, (Lines{"first", "second"}));
  // The block is there but its END is not: it stops at the script's last line.
  g.engine.Script.lines = {"x", kStatusHint, "h1", "h2"};
  g.calendar.HintText();
  EXPECT_EQ(g.state.shown.Hint, (Lines{"h1", "h2"}));
  // A label on the last line writes nothing and reads nothing past the end.
  g.engine.Script.lines = {"x", kStatusHint};
  g.calendar.HintText();
  EXPECT_TRUE(g.state.shown.Hint.empty());
  g.engine.Script.lines.clear();
  g.calendar.HintText();
  EXPECT_TRUE(g.state.shown.Hint.empty());
  fs::remove_all(dir);
}

TEST(HostileScript, DefinitionsPastPicture127DrawNothing) {
  const std::string dir = makeGame("past-127", "far=200\nneg=-100\nedge=99\nhuge=2147483647\nlow=-2147483648\n" + kDefs +
                                                  "*op\nbg=森\n行\n*unused\n");
  TestGame g(dir);
  g.engine.Cha_Timer.setEnabled(false);
  g.state.surfaces.BackBuffer = Bitmap::create32(640, 480, kTitle);
  g.state.surfaces.ImageBa = Bitmap::create32(640, 480, kTitle);
  const Bitmap before = g.state.surfaces.BackBuffer;
  for (const char* name : {"far", "neg", "huge", "low", "edge"}) {
    SCOPED_TRACE(name);
    g.engine.DrawBackground(name, Target::Back);
    g.engine.PlaceSprite(0, name, Target::Back);
    g.engine.PlaceSprite(3, name, Target::Screen);
    g.engine.ShowFace(FaceWith::NoPage, name);
    EXPECT_EQ(g.state.surfaces.BackBuffer.pixels, before.pixels);
    EXPECT_EQ(g.screenAt(320, 240), kTitle);
  }
  g.engine.DrawBackground("森", Target::Back);
  EXPECT_EQ(g.backAt(5, 5), kForest) << "a background inside the table is drawn";
  fs::remove_all(dir);
}

TEST(HostileScript, AChoiceAtTheLastLineReadsEmptyLinesAndValuesZero) {
  const int event = 5;  // an event with a character
  const int chara = EventTable[event].Chara;
  ASSERT_GE(chara, 1);
  const std::string label = EventTable[event].Label;
  const std::string dir = makeGame("choice-end", kDefs + label + "\nbg=森\n選んで\nchoice=");
  TestGame g(dir);
  g.toSceneList();
  g.state.train.CharaStat[chara].RatingB = 7;
  g.runScene(event);
  EXPECT_EQ(g.state.shown.Page, (Lines{"選んで"}));
  g.click(320, 440);
  ASSERT_EQ(g.mode(), GameMode::Choice);
  EXPECT_EQ(g.state.btn.ButtonOn[1], 1);
  g.game.mouseDown(MouseButton::Left, ChoiceLayout.X + 5, ChoiceLayout.Y + 5);  // the first, empty choice
  g.game.mouseUp(MouseButton::Left, ChoiceLayout.X + 5, ChoiceLayout.Y + 5);
  EXPECT_EQ(g.state.train.Adv.Outcome, 1);
  EXPECT_EQ(g.state.train.CharaStat[chara].RatingB, 7) << "the value past the end reads 0";
  EXPECT_EQ(g.state.scene.SceneLabel, label + "_1");
  EXPECT_EQ(g.mode(), GameMode::Scene);
  // That scene is missing, so it runs from line 0 ("bg=1", "cg=2", "end=3") and ends.
  g.settle();
  EXPECT_EQ(g.mode(), GameMode::SceneList);
  fs::remove_all(dir);
}

// ---- Files that are missing ----

TEST(MissingFiles, NoWavFilesMeanNoSoundAndNoError) {
  const std::string dir = makeGame("no-wav", "*op\n");
  TestGame g(dir);
  g.engine.Cha_Timer.setEnabled(false);
  for (Sound kind : {Sound::Accept, Sound::JobDone, Sound::Refuse}) g.engine.PlaySE(kind);
  EXPECT_TRUE(g.host.sounds.empty());
  EXPECT_TRUE(g.host.soundPaths.empty());
  EXPECT_TRUE(g.host.dialogs.empty());
  // With the title's sound in place, that one plays and the others stay silent.
  fs::create_directories(dir + "/data/wav");
  std::ofstream(dir + "/data/wav/h_1.wav") << "RIFF";
  for (Sound kind : {Sound::Accept, Sound::JobDone, Sound::Refuse}) g.engine.PlaySE(kind);
  EXPECT_EQ(g.host.sounds, (Lines{"data/wav/h_1.wav"}));
  EXPECT_EQ(g.host.soundPaths, (Lines{dir + "/data/wav/h_1.wav"}));
  fs::remove_all(dir);
}

TEST(MissingFiles, AMissingReadmeOpensAnEmptyDialogThatCloses) {
  const std::string dir = makeGame("no-readme", "*op\n");
  ASSERT_FALSE(fs::exists(dir + "/readme.txt"));
  TestGame g(dir);
  g.to(2200);
  g.engine.menuClick(MenuId::Mes_Btn);
  EXPECT_EQ(g.state.shell.dialog, DialogKind::Readme);
  EXPECT_EQ(g.state.shell.dialogText, "");
  g.engine.dialogClosed();
  EXPECT_EQ(g.state.shell.dialog, DialogKind::None);
  EXPECT_EQ(g.mode(), GameMode::Title);
  EXPECT_TRUE(g.state.menu[MenuId::Start_Btn].Enabled);
  fs::remove_all(dir);
}

TEST(MissingFiles, ThePackRemovedWhileTheGameRunsKeepsThePicture) {
  const std::string dir = makeGame("removed", kDefs + "*op\nbg=森\n森の中\ncg=t_job1.bmp\n絵の後\nend=\n");
  TestGame g(dir);
  g.to(2200);
  ASSERT_EQ(g.screenAt(5, 5), kTitle);
  fs::remove(packOf(dir));
  g.engine.callHandler(MenuId::Test_Btn);
  g.settle();
  EXPECT_EQ(g.mode(), GameMode::SceneList);
  EXPECT_EQ(g.screenAt(5, 5), kTitle) << "the list's picture is gone: the title stays";
  EXPECT_EQ(g.screenAt(639, 479), kTitle);
  g.runScene(1);
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_EQ(g.state.shown.Page, (Lines{"森の中"}));
  EXPECT_EQ(g.screenAt(5, 5), kTitle);
  g.click(320, 440);  // the CG cannot be loaded: the scene goes on with the next page
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_EQ(g.screenAt(5, 5), kTitle);
  EXPECT_TRUE(g.state.surfaces.ImageCG.empty());
  EXPECT_EQ(g.state.shown.Page, (Lines{"絵の後"}));
  g.click(320, 440);
  EXPECT_EQ(g.mode(), GameMode::SceneList);
  EXPECT_TRUE(g.host.dialogs.empty()) << "no error is reported";
  fs::remove_all(dir);
}
