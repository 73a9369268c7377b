// Files in the user folder that a player, another program or a damaged disk left
// there: none of them may hang the game, take it down or make it lose what it keeps.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "base/files.h"
#include "comforts/read_pages.h"
#include "saves/save_game.h"
#include "saves/save_slots.h"
#include "headless/headless.h"
#include "saves/thumbnail.h"
#include "tools/pack/pack_builder.h"
#include "tools/pack/pack_tool.h"
#include "support/hostile_files.h"
#include "support/memory_limit.h"
#include "support/pack_fixture.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kIdentity = 0x0123456789abcdef;

std::string pagesOnDisk(const std::string& userDir) {
  return std::to_string(ReadPages(userDir, kIdentity).size());
}

}  // namespace

TEST(HostileFiles, ASlotThatIsNotARegularFileIsRefusedWithoutWaitingAndLeftAsItIs) {
  ASSERT_FALSE(demoDir().empty());
  GameCore g(demoSetup());
  g.start();
  g.advanceTo(3000);
  const SaveSlots slots(makeTempDir("hostile-slots"), kIdentity);
  fs::create_directories(slots.folder());
  const fs::path fifo = slots.pathOf(SaveSlot::quick()), linkToFifo = slots.pathOf(SaveSlot::numbered(1));
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, linkToFifo);
  fs::create_symlink(fs::path(slots.folder()) / "gone.sav", slots.pathOf(SaveSlot::numbered(2)));

  for (const SaveSlot slot : {SaveSlot::quick(), SaveSlot::numbered(1)}) {
    EXPECT_TRUE(slots.exists(slot));
    const Result<SaveInfo> info = withoutWaiting([&] { return slots.info(slot); }, {fifo});
    EXPECT_NE(info.error().find("it is a FIFO, not a regular file"), std::string::npos) << info.error();
    const Result<SaveInfo> loaded = withoutWaiting([&] { return loadGame(g, slots.pathOf(slot)); }, {fifo});
    EXPECT_FALSE(loaded);
    const Result<SaveInfo> saved = saveGame(g, slots.pathOf(slot), 0, 0);
    EXPECT_NE(saved.error().find("FIFO"), std::string::npos) << saved.error();
  }
  const Result<SaveInfo> dangling = saveGame(g, slots.pathOf(SaveSlot::numbered(2)), 0, 0);
  EXPECT_NE(dangling.error().find("it is a link to nothing"), std::string::npos) << dangling.error();
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  EXPECT_TRUE(fs::is_symlink(linkToFifo));
  EXPECT_FALSE(fs::exists(fs::path(slots.folder()) / "gone.sav"));
}

TEST(HostileFiles, AHugeSlotIsRefusedWithoutReadingIt) {
  const SaveSlots slots(makeTempDir("hostile-huge-slot"), kIdentity);
  makeHuge(slots.pathOf(SaveSlot::numbered(3)));
  const AddressSpaceLimit limit(512 << 20);
  if (!limit.active()) GTEST_SKIP() << "the address space cannot be limited here";
  const Result<SaveInfo> info = slots.info(SaveSlot::numbered(3));
  ASSERT_FALSE(info);
  EXPECT_NE(info.error().find("it is 4096 MiB, more than the"), std::string::npos) << info.error();
  fs::remove(slots.pathOf(SaveSlot::numbered(3)));
}

TEST(HostileFiles, AThumbnailOfAnyOtherSizeIsNotDecoded) {
  const Result<std::vector<uint8_t>> ours = thumbnailPng(Bitmap::create32(640, 480), true);
  ASSERT_TRUE(ours);
  EXPECT_TRUE(hasThumbnailSize(ours.value()));
  std::vector<uint8_t> claims = ours.value();
  claims[18] = 0x15, claims[19] = 0xE0;  // 5600 wide
  EXPECT_FALSE(hasThumbnailSize(claims));
  claims = ours.value();
  claims[23] = 121;
  EXPECT_FALSE(hasThumbnailSize(claims));
  EXPECT_FALSE(hasThumbnailSize(std::span(ours.value()).first(23)));
  claims = ours.value();
  claims[12] = 'i';  // another chunk first
  EXPECT_FALSE(hasThumbnailSize(claims));
}

// Two games running at once each keep the pages the other read.
TEST(HostileFiles, TwoRunningGamesLoseNoPagesOfTheRecord) {
  const std::string userDir = makeTempDir("hostile-two-games");
  ReadPages a(userDir, kIdentity), b(userDir, kIdentity);
  for (int p = 0; p < 10; ++p) a.add(p);
  for (int p = 100; p < 191; ++p) b.add(p);
  a.add(10);
  EXPECT_EQ(pagesOnDisk(userDir), "102");
  EXPECT_TRUE(a.contains(150)) << "what the other game read counts as read here too";
  EXPECT_FALSE(a.takeProblem());
}

TEST(HostileFiles, ARecordOfPagesThatCannotBeReadIsToldOnceAndLeftAsItIs) {
  const std::string fifoDir = makeTempDir("hostile-fifo-record"), hugeDir = makeTempDir("hostile-huge-record");
  const ReadPages probe(fifoDir, kIdentity);
  const fs::path fifo = probe.path(), huge = ReadPages(hugeDir, kIdentity).path();
  fs::create_directories(fifo.parent_path());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  makeHuge(huge);
  const AddressSpaceLimit limit(512 << 20);
  std::vector<std::string> dirs{fifoDir};
  if (limit.active()) dirs.push_back(hugeDir);  // else a fault would fill the memory
  for (const std::string& dir : dirs) {
    ReadPages pages = withoutWaiting([&] { return ReadPages(dir, kIdentity); }, {fifo});
    const std::optional<std::string> problem = pages.takeProblem();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(dir == fifoDir ? "it is a FIFO" : "it is 4096 MiB, more than the 8 MiB a record of"),
              std::string::npos) << *problem;
    withoutWaiting([&] { return pages.add(7); }, {fifo});
    EXPECT_FALSE(pages.takeProblem()) << "told once";
    EXPECT_TRUE(pages.contains(7));
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(fs::file_size(huge), 4ull << 30);
  fs::remove(huge);
}

// A record that cannot be written is told once on standard error in headless mode;
// once a write works again, the next failure is told again.
TEST(HostileFiles, ARecordOfPagesThatCannotBeWrittenIsToldOnce) {
  ASSERT_FALSE(demoDir().empty());
  const std::string userDir = makeTempDir("hostile-unwritable-record");
  std::ofstream(fs::path(userDir) / "read") << "a file where the folder should be";
  Player player(demoSetup());
  player.session.setUserDir(userDir);
  for (const char* line : {"settle", "click 300 286", "settle", "click 320 400", "settle"})
    player.run(parseReplayLine(line).value(), 1);
  const std::string err = player.err.str();
  EXPECT_NE(err.find("shirakaba: the pages read are not remembered: cannot make the folder " + userDir + "/read"),
            std::string::npos) << err;
  EXPECT_EQ(err.find("not remembered"), err.rfind("not remembered")) << err;

  ReadPages pages(userDir, kIdentity);
  pages.add(1);
  EXPECT_TRUE(pages.takeProblem());
  fs::remove(fs::path(userDir) / "read");
  pages.add(2);
  EXPECT_FALSE(pages.takeProblem());
  fs::remove_all(fs::path(userDir) / "read");
  std::ofstream(fs::path(userDir) / "read");
  pages.add(3);
  EXPECT_TRUE(pages.takeProblem()) << "a new failure after a write that worked";
}

// A named pipe given as the replay file is refused at once (the commands of a pipe come
// through "--replay -"), rather than read to its end before the run and then run as
// nothing.
TEST(HostileFiles, AReplayThatIsNoFileIsRefused) {
  const fs::path dir = makeTempDir("hostile-replay"), fifo = dir / "commands.replay";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::string> args = {"shirakaba", "--headless", "--data", dir.string(), "--replay", fifo.string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  ::testing::internal::CaptureStderr();
  const int status = withoutWaiting([&] { return runHeadless(static_cast<int>(argv.size()), argv.data()); }, {fifo});
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 2);
  EXPECT_EQ(err, "cannot read " + fifo.string() +
                     ": it is a FIFO, not a regular file (--replay - reads the commands from standard input)\n");

  // Through "-" a pipe's commands run.
  int commands[2];
  ASSERT_EQ(::pipe(commands), 0);
  ASSERT_EQ(::write(commands[1], "state\n", 6), 6);
  ::close(commands[1]);
  const int stdinBefore = ::dup(0);
  ::dup2(commands[0], 0);
  ::close(commands[0]);
  args.back() = "-";
  argv.back() = args.back().data();
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(runHeadless(static_cast<int>(argv.size()), argv.data()), 0);
  const std::string out = ::testing::internal::GetCapturedStdout();
  (void)::testing::internal::GetCapturedStderr();  // no game data here
  ::dup2(stdinBefore, 0);
  ::close(stdinBefore);
  std::cin.clear();
  EXPECT_NE(out.find("\"GameMode\""), std::string::npos) << out;
}

TEST(HostileFiles, AHugePackIsRefusedByThePackTool) {
  const fs::path pack = fs::path(makeTempDir("hostile-pack")) / "lumora.red";
  makeHuge(pack);
  const AddressSpaceLimit limit(512 << 20);
  if (!limit.active()) GTEST_SKIP() << "the address space cannot be limited here";
  std::ostringstream out, err;
  EXPECT_EQ(packCheck(pack.string(), out, err), 1);
  EXPECT_NE(err.str().find("it is 4096 MiB, more than the 64 MiB a pack can be"), std::string::npos) << err.str();
  fs::remove(pack);
}

// What the pack tool builds, the game reads: a script too long for the pack is refused.
TEST(HostileFiles, APackTheGameWouldRefuseIsNotBuilt) {
  PackContents contents;
  for (std::vector<uint8_t>& picture : contents.pictures) picture = {'B', 'M'};
  contents.scriptCp932.assign(kMaxScriptBlockBytes, 'x');
  EXPECT_TRUE(buildPack(contents));
  contents.scriptCp932 += 'x';
  EXPECT_EQ(buildPack(contents).error(),
            "the script is too long: the pack is 65 MiB, more than the 64 MiB a pack can be");
}
