// The headless text log: one line per text written on the screen, so a scene's
// log is its pages, line by line, with the page prompt on lines of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "headless/headless.h"
#include "calendar/events.h"
#include "support/pack_fixture.h"

using namespace shirakaba;

namespace {

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int runWith(std::vector<std::string> args) {
  args.insert(args.begin(), {"shirakaba", "--headless"});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return runHeadless(static_cast<int>(args.size()), argv.data());
}

// The first scene of the scene test list, with a "＜" ending its first page early.
const char* const kScript =
    "bg=1\nend=3\n"
    "*op\nbg=0\nline one\nline two\n＜\nline three\nline four\nline five\nend=\n";

const char* const kReplay =
    "wait 2200\n"
    "call Test_Btn\nsettle\n"
    "down 60 35\nup 60 35\nsettle\n"
    "expect Page [\"line one\",\"line two\"]\n"
    "wait 400\n"  // one tick of the page prompt
    "click 320 240\nexpect Page [\"line three\",\"line four\"]\n"
    "click 320 240\nexpect Page [\"line five\"]\n"
    "click 320 240\nsettle\nexpect GameMode 100\n";

}  // namespace

TEST(HeadlessOption, HeadlessIsFoundAnywhere) {
  const char* a[] = {"shirakaba", "--data", "x", "--headless"};
  const char* b[] = {"shirakaba", "--data", "--headlessly"};
  EXPECT_TRUE(wantsHeadless(4, const_cast<char**>(a)));
  EXPECT_FALSE(wantsHeadless(3, const_cast<char**>(b)));
}

TEST(HeadlessTextLog, ASceneLogsItsPagesLineByLine) {
  const std::string dir = test::makeTempDir("textlog");
  ASSERT_TRUE(test::writeTestPack(dir, {}, kScript));
  { std::ofstream(dir + "/scene.replay") << kReplay; }
  ASSERT_EQ(runWith({"--data", dir, "--seed", "1", "--replay", dir + "/scene.replay", "--shots", dir,
                     "--text-log", dir + "/text.log"}),
            0);

  const std::vector<std::string> log = readLines(dir + "/text.log");
  // Before the scene: the list's fourteen labels, then the pressed one drawn again.
  std::vector<std::string> list;
  for (int i = 1; i <= kEvents; ++i) list.push_back(EventTable[i].Label);
  ASSERT_GE(log.size(), list.size() + 1 + 5);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + kEvents), list);
  EXPECT_EQ(log[kEvents], EventTable[1].Label);
  // The scene: its pages as shown. The page prompt is a sign, not text, and is not logged.
  const std::vector<std::string> scene(log.begin() + kEvents + 1, log.begin() + kEvents + 1 + 5);
  EXPECT_EQ(scene, (std::vector<std::string>{"line one", "line two", "line three", "line four", "line five"}));
  // After it, the list again and nothing of the scene.
  const std::vector<std::string> after(log.begin() + kEvents + 6, log.end());
  EXPECT_EQ(after, list);
  std::filesystem::remove_all(dir);
}

TEST(HeadlessTextLog, UnwritableLogIsRefused) {
  const std::string dir = test::makeTempDir("textlog_bad");
  { std::ofstream(dir + "/empty.replay") << "quit\n"; }
  EXPECT_EQ(runWith({"--data", dir, "--replay", dir + "/empty.replay", "--text-log", dir + "/no/such/dir/log"}), 2);
  std::filesystem::remove_all(dir);
}
