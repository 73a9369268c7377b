// Where the game's data is looked for: --data alone, or the working directory and
// then the demo installed beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "frontend/data_search.h"
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
  const std::vector<std::string> places = gameDataPlaces(std::nullopt, bin.string());
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0], ".");
  EXPECT_EQ(fs::path(places[1]), demo());  // normalised: no "bin/.." left in it
  EXPECT_FALSE(searchGameData(std::nullopt, bin.string()));

  makePack(demo());
  Result<std::string> s = searchGameData(std::nullopt, bin.string());
  ASSERT_TRUE(s) << s.error();
  EXPECT_EQ(fs::path(s.value()), demo());

  makePack(root / "cwd");
  s = searchGameData(std::nullopt, bin.string());
  ASSERT_TRUE(s) << s.error();
  EXPECT_EQ(s.value(), ".");
}

TEST_F(DataSearchTest, ANamedDirectoryIsTheOnlyPlace) {
  makePack(root / "cwd");
  makePack(demo());
  const std::string named = (root / "elsewhere").string();
  EXPECT_EQ(gameDataPlaces(named, bin.string()), std::vector<std::string>{named});
  EXPECT_FALSE(searchGameData(named, bin.string()));  // no quiet fallback that would hide a typo
  makePack(named);
  const Result<std::string> s = searchGameData(named, bin.string());
  ASSERT_TRUE(s) << s.error();
  EXPECT_EQ(s.value(), named);
}

TEST_F(DataSearchTest, APackThatIsAFolderDoesNotCount) {
  fs::create_directories(root / "cwd" / "data" / "lumora.red");
  EXPECT_FALSE(searchGameData(std::nullopt, ""));
}

TEST_F(DataSearchTest, UnknownExecutableFolderSearchesOnlyTheWorkingDirectory) {
  EXPECT_EQ(gameDataPlaces(std::nullopt, ""), std::vector<std::string>{"."});
}

TEST_F(DataSearchTest, TheMessageNamesEveryPlaceAbsolutely) {
  const Result<std::string> s = searchGameData(std::nullopt, bin.string());
  ASSERT_FALSE(s);
  EXPECT_EQ(s.error(), "no game data found; looked for data/lumora.red in:\n  " + (root / "cwd" / "").string() +
                           "\n  " + demo().string());
}

TEST_F(DataSearchTest, ANamedFolderIsToldInOneLineNamingTheMissingPack) {
  // Relative to the working directory, as typed, and shown absolute.
  const Result<std::string> s = searchGameData("games/../mine", bin.string());
  ASSERT_FALSE(s);
  EXPECT_EQ(s.error(), "no game data found: " + (root / "cwd" / "mine" / "data" / "lumora.red").string() +
                           " is missing");
}

TEST(ExecutableDir, IsTheFolderOfTheRunningProgram) {
  const std::string dir = executableDir(nullptr);
  ASSERT_FALSE(dir.empty());
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_TRUE(fs::exists(fs::path(dir) / "data_search_test"));
}
