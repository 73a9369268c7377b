// The demo data set: written the same on every run, every picture fits its place
// and has the shape its screens expect, and the script holds every label the
// calendar can build, with scenes the interpreter can run to their ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include <unistd.h>

#include "calendar/events.h"
#include "base/bmp.h"
#include "engine/cg.h"
#include "base/cp932.h"
#include "engine/pack.h"
#include "base/files.h"
#include "base/stream.h"
#include "tools/demo/demo.h"
#include "tools/demo/demo_data.h"
#include "tools/demo/painter.h"
#include "tools/demo/quantise.h"
#include "tools/demo/theme.h"
#include "tools/pack/lint.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;

const char* const kFiles[] = {"data/lumora.red", "data/wav/h_1.wav", "data/wav/h_3.wav", "data/wav/h_4.wav",
                              "readme.txt"};

// One demo folder for the whole program: painting it takes a moment.
class DemoData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("shirakaba_demo_" + std::to_string(::getpid())));
    fs::remove_all(*dir_);
    ok_ = runDemo(dir_->string()) == 0;
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static std::string path(const char* rel) { return (*dir_ / rel).string(); }
  static std::vector<std::string> scriptLines() {
    const Result<std::vector<uint8_t>> read = readFile(path("data/lumora.red"), test::kTestReadLimit);
    EXPECT_TRUE(read) << read.error();
    const std::vector<uint8_t> pack = read ? read.value() : std::vector<uint8_t>(ScriptOffset);
    std::string block(pack.begin() + ScriptOffset, pack.end());
    std::string text = cp932ToUtf8(block);
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        lines.push_back(cur);
        cur.clear();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      } else {
        cur += text[i];
      }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
  }
  static fs::path* dir_;
  static bool ok_;
};
fs::path* DemoData::dir_ = nullptr;
bool DemoData::ok_ = false;

TEST_F(DemoData, WritesEveryFileAndTheSameBytesOnEveryRun) {
  ASSERT_TRUE(ok_);
  const fs::path again = *dir_ / "again";
  ASSERT_EQ(runDemo(again.string()), 0);
  for (const char* f : kFiles) {
    const Result<std::vector<uint8_t>> a = readFile(path(f), test::kTestReadLimit), b = readFile((again / f).string(), test::kTestReadLimit);
    ASSERT_TRUE(a) << a.error();
    ASSERT_TRUE(b) << b.error();
    EXPECT_FALSE(a->empty()) << f;
    EXPECT_TRUE(a.value() == b.value()) << f << " differs between two runs";
  }
}

TEST_F(DemoData, EveryPictureDecodesAndFitsItsPlace) {
  ASSERT_TRUE(ok_);
  PackFile pack(path("data/lumora.red"));
  const Result<std::vector<uint8_t>> read = readFile(pack.path(), test::kTestReadLimit);
  ASSERT_TRUE(read) << read.error();
  const std::vector<uint8_t>& bytes = read.value();
  for (int n = 0; n < kPictureCount; ++n) {
    MemoryStream s(bytes);
    ASSERT_TRUE(s.seek(static_cast<uint64_t>(PackOffsets[n])));
    auto info = probeBmp(s);
    ASSERT_TRUE(info.ok()) << "picture " << n << ": " << info.error();
    EXPECT_LE(static_cast<int64_t>(info.value().extent), PictureSlotSize(n)) << "picture " << n;
    auto pic = pack.readPicture(n);
    ASSERT_TRUE(pic.ok()) << "picture " << n << ": " << pic.error();
    const Bitmap& b = pic.value();
    if (isWeightMask(n)) {
      EXPECT_EQ(b.format, PixelFormat::Indexed8) << "mask " << n;
    }
    if (isFullScreen(n)) {
      EXPECT_EQ(b.width, 640) << n;
      EXPECT_EQ(b.height, 480) << n;
    }
  }
}

// Each sheet must hold a cell wherever a button routine can reach.
TEST_F(DemoData, PicturesHaveTheSizesTheirScreensUse) {
  ASSERT_TRUE(ok_);
  PackFile pack(path("data/lumora.red"));
  auto size = [&](int n) {
    auto r = pack.readPicture(n);
    EXPECT_TRUE(r.ok()) << n;
    return r.ok() ? std::pair{r.value().width, r.value().height} : std::pair{0, 0};
  };
  auto atLeast = [&](int n, int w, int h) {
    auto [pw, ph] = size(n);
    EXPECT_GE(pw, w) << "picture " << n;
    EXPECT_GE(ph, h) << "picture " << n;
  };
  auto [lw, lh] = size(0);
  EXPECT_LE(lw, 300);
  EXPECT_LE(lh, 40);
  EXPECT_EQ(size(2), (std::pair{32, 480}));
  EXPECT_EQ(size(3), (std::pair{231, 21}));
  atLeast(5, 177, 88);
  atLeast(7, 138, 44);
  atLeast(8, 130, 94);
  atLeast(9, 714, 444);
  atLeast(13, 330, 902);
  for (int n = 121; n <= 127; ++n) {
    auto [w, h] = size(n);
    EXPECT_GE(w, 600) << n;
    EXPECT_GE(h, 480) << n;
  }
  // A picture blended through a mask is covered by it pixel for pixel.
  const std::pair<int, int> pairs[] = {{10, 11}, {15, 16}, {17, 18}, {19, 20}, {19, 21}, {19, 22}, {19, 23},
                                       {24, 25}, {26, 27}, {28, 29}};
  for (auto [p, m] : pairs) EXPECT_EQ(size(p), size(m)) << p << " and its mask " << m;
  for (int k = 1; k <= 18; ++k) EXPECT_EQ(size(59 + k), size(77 + k)) << "sprite " << k;
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(size(95 + k), size(107 + k)) << "face " << k;
}

TEST_F(DemoData, WipeStripFallsFromLeftToRight) {
  ASSERT_TRUE(ok_);
  auto r = PackFile(path("data/lumora.red")).readPicture(2);
  ASSERT_TRUE(r.ok());
  for (int y : {0, 240, 479}) {
    EXPECT_GE(r.value().maskByte(0, y), 250);
    EXPECT_LE(r.value().maskByte(31, y), 5);
    for (int x = 1; x < 32; ++x) EXPECT_LE(r.value().maskByte(x, y), r.value().maskByte(x - 1, y));
  }
}

// Key-copied cells take their top-left pixel as the transparent colour: it must
// not turn up in the middle of the button.
TEST_F(DemoData, KeyCopiedCellsKeepTheirMiddleVisible) {
  ASSERT_TRUE(ok_);
  PackFile pack(path("data/lumora.red"));
  auto check = [&](int pic, int x, int y, int w, int h) {
    auto r = pack.readPicture(pic);
    ASSERT_TRUE(r.ok());
    const Bitmap& b = r.value();
    const Colour key = b.colourAt(x, y);
    EXPECT_NE(b.colourAt(x + w / 2, y + h / 2), key) << "picture " << pic << " cell at " << x << "," << y;
  };
  for (int d = 0; d < 10; ++d) check(3, 21 * d, 0, 21, 21);
  {
    auto r = pack.readPicture(3);
    ASSERT_TRUE(r.ok());
    const Colour key = r.value().colourAt(210, 0);
    for (int y = 0; y < 21; ++y)
      for (int x = 210; x < 231; ++x) ASSERT_EQ(r.value().colourAt(x, y), key) << "the blank digit cell";
  }
  check(9, 0, 0, 264, 32);  // the bar
  for (int s = 0; s < 3; ++s)
    for (int i = 0; i < 4; ++i) {
      check(9, 46 * i, 32 + 22 * s, 46, 22);  // conversation topics
      check(9, 46 * i, 98 + 22 * s, 46, 22);  // evening menu
    }
  for (int s = 0; s < 2; ++s)
    for (int x : {0, 46, 92}) check(9, x, 328 + 22 * s, 46, 22);  // small buttons and the return button
  for (int s = 0; s < 3; ++s)
    for (int row : {0, 22}) check(7, 46 * s, row, 46, 22);
}

TEST_F(DemoData, SoundsAreSixteenBitPcm) {
  ASSERT_TRUE(ok_);
  for (const char* f : {"data/wav/h_1.wav", "data/wav/h_3.wav", "data/wav/h_4.wav"}) {
    const Result<std::vector<uint8_t>> read = readFile(path(f), test::kTestReadLimit);
    ASSERT_TRUE(read) << read.error();
    const std::vector<uint8_t>& w = read.value();
    ASSERT_GT(w.size(), 44u) << f;
    EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 12), "WAVE");
    EXPECT_EQ(w[20] | (w[21] << 8), 1) << f;   // PCM
    EXPECT_EQ(w[34] | (w[35] << 8), 16) << f;  // bits per sample
  }
}

TEST_F(DemoData, ReadmeIsCp932) {
  ASSERT_TRUE(ok_);
  const Result<std::vector<uint8_t>> read = readFile(path("readme.txt"), test::kTestReadLimit);
  ASSERT_TRUE(read) << read.error();
  const std::vector<uint8_t>& r = read.value();
  const std::string text = cp932ToUtf8(std::string(r.begin(), r.end()));
  EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_NE(text.find("shirakaba"), std::string::npos);
  EXPECT_NE(text.find("マウス"), std::string::npos);
}

// ---- the painter the pictures are made with ----

TEST(DemoPainter, CoverageIsExactOnPixelEdgesAndHalfOnHalfPixels) {
  using namespace demo;
  Plane p(10, 10);
  p.fill(rectC(2, 2, 5, 7));
  EXPECT_FLOAT_EQ(p.at(2, 2), 1);
  EXPECT_FLOAT_EQ(p.at(4, 6), 1);
  EXPECT_FLOAT_EQ(p.at(1, 3), 0);
  EXPECT_FLOAT_EQ(p.at(5, 3), 0);
  EXPECT_FLOAT_EQ(p.at(3, 7), 0);
  Plane h(10, 10);
  h.fill(rectC(2.5f, 0, 6, 10));
  EXPECT_NEAR(h.at(2, 5), 0.5f, 1e-4);
  // Shapes reaching outside the plane are clipped, not wrapped.
  Plane big(4, 4);
  big.fill(rectC(-10, -10, 20, 20));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_FLOAT_EQ(big.at(x, y), 1);
}

TEST(DemoPainter, InnerContoursCutHoles) {
  using namespace demo;
  Plane p(40, 40);
  p.fill(Shape{ellipseC(20, 20, 18, 18), ellipseC(20, 20, 8, 8)});
  EXPECT_FLOAT_EQ(p.at(20, 20), 0);
  EXPECT_FLOAT_EQ(p.at(20, 6), 1);
}

TEST(DemoPainter, BlurKeepsFlatAreasAndSoftensEdges) {
  using namespace demo;
  Plane p(60, 20);
  p.fill(rectC(0, 0, 30, 20));
  p.blur(3);
  EXPECT_NEAR(p.at(5, 10), 1, 1e-4);
  EXPECT_NEAR(p.at(55, 10), 0, 1e-4);
  EXPECT_GT(p.at(31, 10), 0.05f);
  EXPECT_LT(p.at(28, 10), 0.95f);
  for (int x = 1; x < 60; ++x) EXPECT_LE(p.at(x, 10), p.at(x - 1, 10) + 1e-5f);
}

TEST(DemoPainter, MasksAreGreyPalettedWeights) {
  using namespace demo;
  Plane p(5, 1);
  p.at(0, 0) = 0, p.at(1, 0) = 0.5f, p.at(2, 0) = 1, p.at(3, 0) = 2, p.at(4, 0) = -1;
  const Bitmap m = p.toMask();
  EXPECT_EQ(m.format, PixelFormat::Indexed8);
  EXPECT_EQ(m.palette.size(), 256u);
  EXPECT_EQ(m.maskByte(0, 0), 0);
  EXPECT_EQ(m.maskByte(1, 0), 128);
  EXPECT_EQ(m.maskByte(2, 0), 255);
  EXPECT_EQ(m.maskByte(3, 0), 255);
  EXPECT_EQ(m.maskByte(4, 0), 0);
}

TEST(DemoPainter, KeyOutTurnsUncoveredPixelsIntoTheKey) {
  using namespace demo;
  Canvas c(10, 10, hex(0x102030));
  c.fill(rectC(2, 2, 8, 8), hex(0xFFFFFF));
  keyOut(c, 0, 0, 10, 10);
  const Bitmap b = c.toBitmap();
  EXPECT_EQ(b.colourAt(0, 0), 0xFF00FFu);
  EXPECT_EQ(b.colourAt(5, 5), 0xFFFFFFu);
}

TEST(DemoParts, SoundsAreDistinctAndWithinRange) {
  const auto click = demo::makeSound(1), chime = demo::makeSound(3), buzz = demo::makeSound(4);
  EXPECT_TRUE(demo::makeSound(2).empty());
  EXPECT_LT(click.size(), buzz.size());
  EXPECT_LT(buzz.size(), chime.size());
  for (const auto* w : {&click, &chime, &buzz}) {
    int peak = 0;
    for (size_t i = 44; i + 1 < w->size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>((*w)[i] | ((*w)[i + 1] << 8)))));
    EXPECT_GT(peak, 3000) << "audible";
    EXPECT_LT(peak, 32767) << "not clipped";
  }
}

TEST(DemoParts, ScriptRoundTripsThroughCp932WithCrLf) {
  const std::string cp = demo::scriptCp932();
  ASSERT_FALSE(cp.empty());
  std::string back = cp932ToUtf8(cp), lf;
  for (char ch : back)
    if (ch != '\r') lf += ch;
  EXPECT_EQ(lf, demo::kScriptUtf8);
  EXPECT_NE(cp.find("\r\n"), std::string::npos);
}

// The sheets that only fit palettised keep their key colour exact and apart.
TEST(DemoQuantise, KeepsTheKeyExactAndNoOtherPixelOnIt) {
  Bitmap b = Bitmap::create32(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Colour c = (x + y) % 7 == 0 ? 0xFF00FF : (static_cast<Colour>(x * 4) | (static_cast<Colour>(y * 4) << 8) | (0xFE << 16));
      setPixel32(b, x, y, c);
    }
  setPixel32(b, 1, 1, 0xFE00FF);  // one step away from the key: must not become it
  const Colour key = 0xFF00FF;
  const Bitmap q = demo::quantise(b, &key);
  ASSERT_EQ(q.format, PixelFormat::Indexed8);
  ASSERT_EQ(q.palette.size(), 256u);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Colour in = b.colourAt(x, y), out = q.colourAt(x, y);
      if (in == key) {
        ASSERT_EQ(out, key) << x << "," << y;
        continue;
      }
      ASSERT_NE(out, key) << x << "," << y;
      for (int ch = 0; ch < 3; ++ch) {
        const int d = static_cast<int>((in >> (8 * ch)) & 255) - static_cast<int>((out >> (8 * ch)) & 255);
        EXPECT_LE(std::abs(d), 24) << x << "," << y;
      }
    }
}

TEST(DemoQuantise, SameInputSamePalette) {
  Bitmap b = Bitmap::create32(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) setPixel32(b, x, y, static_cast<Colour>(x * 6) | (static_cast<Colour>(y * 8) << 8));
  const Bitmap a = demo::quantise(b), c = demo::quantise(b);
  EXPECT_EQ(a.palette, c.palette);
  EXPECT_EQ(a.pixels, c.pixels);
}

// ---- the script ----

bool isCommandLine(const std::string& l) {
  const size_t eq = l.find('=');
  return eq != std::string::npos && eq >= 1;
}
std::string nameOf(const std::string& l) { return l.substr(0, l.find('=')); }
std::string valueOf(const std::string& l) { return l.substr(l.find('=') + 1); }

std::vector<std::string> requiredLabels() {
  std::vector<std::string> v;
  for (int n = 1; n <= kEvents; ++n) v.push_back(EventTable[n].Label);
  for (const char* s : {"*ohayou", "*ohayou0", "*ohayou2", "*ohayou3", "*oyasumi", "*oyasumi2", "*oyasumi3",
                        "*hiru_0", "*hiru_1", "*hiru_2", "*hiru_3", "*hiru_6"})
    v.push_back(s);
  for (int k = 1; k <= 5; ++k) v.push_back("*A_After_" + std::to_string(k));
  for (int p = 0; p <= 11; ++p) v.push_back("*Ido_" + std::to_string(p));
  const char* codes[12] = {"Jishitu", "K_heya", "S_heya", "M_heya", "Jimu", "Jishitu",
                           "R_mae", "So_1", "So_2", "So_3", "So_4", "R_naka"};
  for (int p = 1; p <= 11; ++p) {
    v.push_back(std::string("*") + codes[p] + "_01");
    v.push_back(std::string("*") + codes[p] + "_02");
  }
  for (int topic : {1, 2, 4}) {
    for (int c = 1; c <= 3; ++c) v.push_back("*kaiwa_hiru_" + std::to_string(c) + "_" + std::to_string(topic));
    for (int place = 1; place <= 4; ++place)
      v.push_back("*kaiwa_yoru_" + std::to_string(place) + "_" + std::to_string(topic));
  }
  return v;
}

std::vector<std::string> hintLabels() {
  std::vector<std::string> v = {"*Save", "*A_0", "*A_Asa", "*A_Asa_0", "*A_Asa_m", "*A_Befor_1", "*A_Befor_2",
                                "*A_Befor_Seled", "*A_Job2", "*A_Yoru", "*A_Yoru_m", "*A_Yoru2", "*A_Yoru2_m",
                                "*A_Ido1", "*A_Ido1_m", "*kaiwa_yoru", "*kaiwa_hiru", "*kyouka", "*A_Kekka",
                                "*A_Hiru", "*A_Hiru_m1", "*A_Hiru2", "*A_Hiru2_m", "*A_Heya", "*A_Heya_m"};
  for (const char* s : {"", "_k", "_k1", "_k2", "_s", "_s1", "_s2", "_m", "_m1", "_m2", "_m3"})
    v.push_back(std::string("*A_Joho") + s);
  return v;
}

class DemoScript : public DemoData {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ok_);
    lines_ = scriptLines();
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (isCommandLine(lines_[i]) && !defs_.count(nameOf(lines_[i]))) defs_[nameOf(lines_[i])] = valueOf(lines_[i]);
      if (!lines_[i].empty() && lines_[i][0] == '*' && !labels_.count(lines_[i])) labels_[lines_[i]] = i;
    }
  }
  int number(const std::string& name) const {
    auto it = defs_.find(name);
    if (it == defs_.end()) return 0;
    try {
      return std::stoi(it->second);
    } catch (...) {
      return 0;
    }
  }
  int command(size_t i) const { return i < lines_.size() && isCommandLine(lines_[i]) ? number(nameOf(lines_[i])) : 0; }
  std::vector<std::string> lines_;
  std::map<std::string, std::string> defs_;
  std::map<std::string, size_t> labels_;
};

TEST_F(DemoScript, PassesThePackLint) {
  const Result<std::vector<std::string>> lines = readLintInput(path("data/lumora.red"));
  ASSERT_TRUE(lines) << lines.error();
  for (const LintProblem& p : lintScript(lines.value(), findGameFont().value().get()))
    ADD_FAILURE() << p.line << ": " << p.message;
}

TEST_F(DemoScript, HoldsEveryLabelTheCalendarBuilds) {
  for (const std::string& l : requiredLabels()) EXPECT_TRUE(labels_.count(l)) << l;
}

TEST_F(DemoScript, EveryHintBlockEndsInEndWithinTheMessageBand) {
  for (const std::string& l : hintLabels()) {
    ASSERT_TRUE(labels_.count(l)) << l;
    size_t i = labels_[l] + 1;
    int shown = 0;
    while (i < lines_.size() && lines_[i] != "END") {
      EXPECT_FALSE(isCommandLine(lines_[i])) << l;
      ++shown, ++i;
    }
    EXPECT_LT(i, lines_.size()) << l << " has no END";
    EXPECT_GE(shown, 1) << l;
    EXPECT_LE(shown, 3) << l << ": the band holds three rows";
  }
}

TEST_F(DemoScript, DefinesCommandsAndEveryPictureTheEngineNames) {
  const char* commands[12] = {"背景", "CG", "終了", "完結", "続く", "立ち絵", "立ち絵2", "立ち絵3", "顔", "待機", "選択", "解放"};
  for (int k = 0; k < 12; ++k) EXPECT_EQ(number(commands[k]), k + 1) << commands[k];
  for (const char* b : {"昼春未", "実習室", "夜春未", "暗春未", "屋敷昼休み", "昼本宅", "夜廊下1F", "夜寮前", "夜本宅",
                        "夜ベンチ", "夜本宅裏", "夜プール", "昼ベンチ", "昼本宅裏", "昼プール", "机前", "鏡子リビング",
                        "明事務所", "夜鈴菜", "夜麻由"}) {
    EXPECT_GE(number(b), 1) << b;
    EXPECT_LE(number(b), 30) << b;
  }
  std::vector<std::string> sprites = {"春未", "春未優", "春未不可", "鏡子", "鈴菜", "麻由",
                                      "鏡子私服", "鈴菜私服", "麻由私服", "春未私服"};
  for (const char* job : {"料理", "掃除", "家事", "作法"}) {
    sprites.push_back(std::string("春未") + job);
    sprites.push_back(std::string("春未") + job + "2");
  }
  std::set<int> used;
  for (const std::string& s : sprites) {
    EXPECT_GE(number(s), 1) << s;
    EXPECT_LE(number(s), 18) << s;
    used.insert(number(s));
  }
  EXPECT_EQ(used.size(), 18u) << "each sprite name has a picture of its own";
  for (const char* f : {"春未顔", "春未顔私服", "鏡子顔"}) {
    EXPECT_GE(number(f), 1) << f;
    EXPECT_LE(number(f), 12) << f;
  }
}

// Walks every scene from its label the way the interpreter reads it.
TEST_F(DemoScript, ScenesStartWithACommandAndRunToAnEnd) {
  std::set<std::string> cgNames;
  for (int n = 1; n <= kCGs; ++n) cgNames.insert(GameCGTable[n].FileName);
  std::set<int> seenCommands;
  std::set<std::string> seenCGs;
  const std::vector<std::string> hints = hintLabels();
  for (auto& [label, at] : labels_) {
    if (std::find(hints.begin(), hints.end(), label) != hints.end()) continue;
    SCOPED_TRACE(label);
    size_t i = at + 1;
    ASSERT_LT(i, lines_.size());
    ASSERT_NE(command(i), 0) << "a scene's first line is consumed as a command";
    bool ended = false;
    for (; i < lines_.size() && !ended; ++i) {
      const std::string& l = lines_[i];
      ASSERT_FALSE(!l.empty() && l[0] == '*') << "reached the next label " << l << " without an end command";
      const int c = command(i);
      if (!isCommandLine(l)) continue;
      ASSERT_NE(c, 0) << "line " << i << " names no command: " << l;
      seenCommands.insert(c);
      const std::string arg = valueOf(l);
      if (c == 2 || c == 3 || c == 4 || c == 5 || c == 12) {
        EXPECT_FALSE(isCommandLine(lines_[i - 1])) << "line " << i << " follows another command: " << l;
      }
      switch (c) {
        case 1: EXPECT_GE(number(arg), 1) << arg; break;
        case 2:
          EXPECT_TRUE(cgNames.count(arg)) << arg;
          seenCGs.insert(arg);
          break;
        case 6: EXPECT_GE(number(arg), 1) << arg; break;
        case 7: case 8:
          EXPECT_GE(number(arg), 1) << arg;
          ASSERT_TRUE(isCommandLine(lines_[i + 1])) << "the second sprite line";
          EXPECT_GE(number(valueOf(lines_[i + 1])), 1) << lines_[i + 1];
          ++i;
          break;
        case 9:
          EXPECT_GE(number(arg), 1) << arg;
          EXPECT_FALSE(isCommandLine(lines_[i + 1])) << "a face speaks the next line";
          break;
        case 11:
          for (int k = 1; k <= 4; ++k) EXPECT_FALSE(isCommandLine(lines_[i + k]));
          EXPECT_NO_THROW((void)std::stoi(lines_[i + 3]));
          EXPECT_NO_THROW((void)std::stoi(lines_[i + 4]));
          EXPECT_TRUE(labels_.count(label + "_1")) << label << "_1";
          EXPECT_TRUE(labels_.count(label + "_2")) << label << "_2";
          ended = true;
          break;
        case 3: case 5: case 12: {
          const std::string event = lines_[i + 1];
          if (!event.empty()) {
            EXPECT_NE(FindEvent("*" + event), 0) << event;
            if (c != 12) {
              EXPECT_GE(number(lines_[i + 2]), 1) << "the wait of " << event;
            }
          }
          ended = true;
          break;
        }
        case 4:
          EXPECT_TRUE(labels_.count(lines_[i + 1])) << "the label after the closing command";
          ended = true;
          break;
      }
    }
    EXPECT_TRUE(ended);
  }
  for (int c = 1; c <= 12; ++c) EXPECT_TRUE(seenCommands.count(c)) << "command " << c << " is never used";
  EXPECT_EQ(seenCGs, cgNames) << "every CG appears in the story";
}

// Scenes that end with command 5 chain into the follow-up of the step they run
// in; none may chain into itself or into a greeting at the wrong time.
TEST_F(DemoScript, FollowUpScenesNeverChainIntoThemselves) {
  auto endOf = [&](const std::string& label) {
    for (size_t i = labels_.at(label) + 1; i < lines_.size(); ++i) {
      const int c = command(i);
      if (c == 3 || c == 4 || c == 5 || c == 11 || c == 12) return c;
    }
    return 0;
  };
  for (const char* l : {"*ohayou", "*ohayou0", "*ohayou2", "*ohayou3", "*oyasumi", "*oyasumi2", "*oyasumi3",
                        "*hiru_0", "*hiru_1", "*hiru_2", "*hiru_3", "*hiru_6", "*kyouko_2", "*suzuna_2"})
    EXPECT_NE(endOf(l), 5) << l;
  for (int k = 1; k <= 5; ++k) EXPECT_NE(endOf("*A_After_" + std::to_string(k)), 5);
  for (int p = 0; p <= 11; ++p) EXPECT_NE(endOf("*Ido_" + std::to_string(p)), 5);
  for (int c = 1; c <= 3; ++c)
    for (int t = 1; t <= 4; ++t)
      if (labels_.count("*kaiwa_hiru_" + std::to_string(c) + "_" + std::to_string(t))) {
        EXPECT_NE(endOf("*kaiwa_hiru_" + std::to_string(c) + "_" + std::to_string(t)), 5);
      }
  EXPECT_EQ(endOf("*end"), 4);
}

}  // namespace
}  // namespace shirakaba
