// Where the game's data is looked for: --data alone, or the working directory and
// then the demo installed beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless/data_search.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
namespace fs = std::filesystem;

namespace {

void makePack(const fs::path& gameDir) {
  fs::create_directories(gameDir / "data");
  std::ofstream(gameDir / "data" / "lumora.red") << "x";
}

// Runs in a scratch working directory, restored afterwards.
class DataSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = test::makeTempDir("datasearch");
    old = fs::current_path();
    fs::create_directories(root / "cwd");
    fs::current_path(root / "cwd");
    bin = root / "prefix" / "bin";
    fs::create_directories(bin);
  }
  void TearDown() override {
    fs::current_path(old);
    fs::remove_all(root);
  }
  fs::path root, old, bin;
  fs::path demo() const { return root / "prefix" / "share" / "shirakaba" / "demo"; }
};

}  // namespace

TEST_F(DataSearchTest, WorkingDirectoryFirstThenTheInstalledDemo) {
  DataSearch s = searchGameData(std::nullopt, bin.string());
  ASSERT_EQ(s.looked.size(), 2u);
  EXPECT_EQ(s.looked[0], ".");
  EXPECT_EQ(fs::path(s.looked[1]), demo());  // normalised: no "bin/.." left in it
  EXPECT_FALSE(s.found);

  makePack(demo());
  s = searchGameData(std::nullopt, bin.string());
  ASSERT_TRUE(s.found);
  EXPECT_EQ(fs::path(*s.found), demo());

  makePack(root / "cwd");
  s = searchGameData(std::nullopt, bin.string());
  ASSERT_TRUE(s.found);
  EXPECT_EQ(*s.found, ".");
}

TEST_F(DataSearchTest, ANamedDirectoryIsTheOnlyPlace) {
  makePack(root / "cwd");
  makePack(demo());
  const std::string named = (root / "elsewhere").string();
  DataSearch s = searchGameData(named, bin.string());
  EXPECT_EQ(s.looked, std::vector<std::string>{named});
  EXPECT_FALSE(s.found);  // no quiet fallback that would hide a typo
  makePack(named);
  s = searchGameData(named, bin.string());
  ASSERT_TRUE(s.found);
  EXPECT_EQ(*s.found, named);
}

TEST_F(DataSearchTest, APackThatIsAFolderDoesNotCount) {
  fs::create_directories(root / "cwd" / "data" / "lumora.red");
  EXPECT_FALSE(searchGameData(std::nullopt, "").found);
}

TEST_F(DataSearchTest, UnknownExecutableFolderSearchesOnlyTheWorkingDirectory) {
  EXPECT_EQ(searchGameData(std::nullopt, "").looked, std::vector<std::string>{"."});
}

TEST_F(DataSearchTest, TheMessageNamesEveryPlaceAbsolutely) {
  const std::string text = describeMissingData(searchGameData(std::nullopt, bin.string()));
  EXPECT_NE(text.find("data/lumora.red"), std::string::npos);
  EXPECT_NE(text.find((root / "cwd").string()), std::string::npos) << text;
  EXPECT_NE(text.find(demo().string()), std::string::npos) << text;
}

TEST(ExecutableDir, IsTheFolderOfTheRunningProgram) {
  const std::string dir = executableDir(nullptr);
  ASSERT_FALSE(dir.empty());
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_TRUE(fs::exists(fs::path(dir) / "data_search_test"));
}
