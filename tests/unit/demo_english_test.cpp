// The English demo: tools/demo/en.po translates every text of a fresh template of the
// demo (so a new demo line without English fails here), gettext accepts it, every line
// fits its place, and every label painted into the pictures has its English.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "base/files.h"
#include "engine/own_texts.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "tools/demo/demo.h"
#include "tools/demo/demo_data.h"
#include "tools/demo/labels.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/po.h"
#include "tools/pack/script_texts.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;

const std::string kEnPo = std::string(SHIRAKABA_SOURCE_DIR) + "/tools/demo/en.po";

std::vector<PoEntry> readEntries(const std::string& path) {
  const Result<std::vector<uint8_t>> bytes = readFile(path, test::kTestReadLimit);
  EXPECT_TRUE(bytes) << path;
  if (!bytes) return {};
  Result<std::vector<PoEntry>> entries = readPo(std::string(bytes->begin(), bytes->end()));
  EXPECT_TRUE(entries) << path << ": " << entries.error();
  return entries ? entries.value() : std::vector<PoEntry>{};
}

struct EnglishDemo : ::testing::Test {
  static void SetUpTestSuite() {
    dir = test::makeTempDir("demo_english");
    ASSERT_EQ(runDemo(dir), 0);
    ASSERT_EQ(runDemo((fs::path(dir) / "en").string(), DemoLanguage::English), 0);
  }
  static void TearDownTestSuite() { fs::remove_all(dir); }
  static std::string path(const std::string& name) { return (fs::path(dir) / name).string(); }
  static std::string dir;
};
std::string EnglishDemo::dir;

TEST_F(EnglishDemo, ThePoFileTranslatesEveryTextOfAFreshTemplate) {
  std::ostringstream out, err;
  ASSERT_EQ(runPackTool({"strings", path("data/lumora.red"), path("demo.pot")}, out, err), 0) << err.str();
  std::set<std::pair<std::string, std::string>> translated;
  for (const PoEntry& e : readEntries(kEnPo)) {
    EXPECT_FALSE(e.fuzzy) << "fuzzy: " << e.context << " " << e.id;
    EXPECT_NE(e.str, "") << "untranslated: " << e.context << " " << e.id;
    translated.emplace(e.context, e.id);
  }
  const std::vector<PoEntry> wanted = readEntries(path("demo.pot"));
  EXPECT_GT(wanted.size(), 300u);
  for (const PoEntry& e : wanted)
    EXPECT_TRUE(translated.count({e.context, e.id})) << "no English for " << e.context << " \"" << e.id << "\"";
  EXPECT_EQ(translated.size(), wanted.size()) << "en.po holds entries the demo no longer has";

  if (std::system("msgfmt --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "msgfmt is not installed (package gettext): en.po was not checked by gettext";
  EXPECT_EQ(std::system(("msgfmt -c -o /dev/null '" + kEnPo + "'").c_str()), 0);
}

TEST_F(EnglishDemo, EveryLineFitsAndTheGameReadsItsOwnTextsInEnglish) {
  Result<std::vector<uint8_t>> bytes = readFile(path("data/lumora.red"), test::kTestReadLimit);
  ASSERT_TRUE(bytes);
  Result<PackScript> pack = packScriptOf(std::move(bytes).value(), "demo");
  ASSERT_TRUE(pack);
  std::ostringstream err;
  TranslationCount count;
  ASSERT_TRUE(translatePack(std::move(pack).value(), "demo", demo::kEnglishPo, "en.po", err, count));
  EXPECT_EQ(err.str().find("warning"), std::string::npos) << err.str();
  EXPECT_EQ(count.translated, count.texts);

  ScriptLines script;
  ASSERT_TRUE(LoadScript(PackFile(path("en/data/lumora.red")), script));
  const OwnTexts own = OwnTexts::read(script);
  EXPECT_EQ(own.text(own::Menu, "はじめる"), "Start");
  EXPECT_EQ(own.text(own::Closing, own::ClosingLine), "The full story awaits in the complete game.");
  EXPECT_EQ(own.text(own::About, own::WindowCaption), "Shirakaba Manor  An Apprentice's Diary (Demo)");
  std::ostringstream out;
  EXPECT_EQ(runPackTool({"lint", path("en/data/lumora.red")}, out, err), 0) << out.str();
}

TEST_F(EnglishDemo, PicturesAndReadmeAreInEnglishAndKeepTheirPlaces) {
  {
    const demo::PaintLanguage english(demo::Lang::En);
    for (int n = 0; n < kPictureCount; ++n) {
      const Bitmap ja = [&] {
        const demo::PaintLanguage japanese(demo::Lang::Ja);
        return demo::makePicture(n);
      }();
      const Bitmap en = demo::makePicture(n);
      EXPECT_EQ(en.width, ja.width) << n;
      EXPECT_EQ(en.height, ja.height) << n;
      EXPECT_EQ(en.format, ja.format) << n;
    }
  }
  EXPECT_EQ(demo::labelsWithoutEnglish(), std::vector<std::string>{});
  EXPECT_EQ(demo::label("はじめる"), "はじめる") << "Japanese again outside the English painting";

  // The readme window reads CP932, which holds ASCII as it is.
  const Result<std::vector<uint8_t>> readme = readFile(path("en/readme.txt"), test::kTestReadLimit);
  ASSERT_TRUE(readme);
  for (const uint8_t b : readme.value()) ASSERT_LT(b, 0x80);
  EXPECT_NE(std::string(readme->begin(), readme->end()).find("How to play"), std::string::npos);
}

}  // namespace
}  // namespace shirakaba
