// Whole files read and written: a write replaces the old file only once the new one
// is complete, and every failure is an Error naming the file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/files.h"
#include "support/file_size_limit.h"
#include "support/hostile_files.h"
#include "support/memory_limit.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

std::string contentOf(const fs::path& p) {
  const Result<std::vector<uint8_t>> r = readFile(p.string(), test::kTestReadLimit);
  return r ? std::string(r->begin(), r->end()) : "(" + r.error() + ")";
}

std::vector<std::string> namesIn(const fs::path& dir) {
  const Result<std::vector<std::string>> names = listFolder(dir.string());
  return names ? names.value() : std::vector<std::string>{"(" + names.error() + ")"};
}

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir("file_io");
    ASSERT_FALSE(dir.empty());
  }
  fs::path dir;
};

TEST_F(FileIo, WriteReplacesTheFileAndLeavesNothingElse) {
  const fs::path file = dir / "pack.red";
  ASSERT_TRUE(writeFile(file.string(), bytesOf("old contents")));
  const Result<void> r = writeFile(file.string(), bytesOf("new"));
  ASSERT_TRUE(r) << r.error();
  EXPECT_EQ(contentOf(file), "new");
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"pack.red"});
  ASSERT_TRUE(writeFile(file.string(), {}));
  EXPECT_EQ(contentOf(file), "");
}

TEST_F(FileIo, AWriteCutShortKeepsTheOldFileWhole) {
  const fs::path file = dir / "pack.red";
  ASSERT_TRUE(writeFile(file.string(), bytesOf("the old pack")));
  Result<void> r;
  {
    test::FileSizeLimit limit(1000);
    r = writeFile(file.string(), std::vector<uint8_t>(5000, 'x'));
  }
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error(), "cannot write " + file.string() + ": " + std::strerror(EFBIG));
  EXPECT_EQ(contentOf(file), "the old pack");
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"pack.red"}) << "the part written is removed";
}

TEST_F(FileIo, AnUnwritableFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  const fs::path file = dir / "pack.red";
  ASSERT_TRUE(writeFile(file.string(), bytesOf("old")));
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  const Result<void> r = writeFile(file.string(), bytesOf("new"));
  fs::permissions(dir, fs::perms::owner_all);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error(), "cannot write " + file.string() + ": " + std::strerror(EACCES));
  EXPECT_EQ(contentOf(file), "old");
}

TEST_F(FileIo, WriteFailuresNameTheFileAndTheReason) {
  const fs::path missing = dir / "no" / "such" / "x.bmp";
  EXPECT_EQ(writeFile(missing.string(), bytesOf("x")).error(),
            "cannot write " + missing.string() + ": " + std::strerror(ENOENT));
  fs::create_directories(dir / "folder" / "inside");
  EXPECT_EQ(writeFile((dir / "folder").string(), bytesOf("x")).error(),
            "cannot write " + (dir / "folder").string() + ": " + std::strerror(EISDIR));
  EXPECT_EQ(namesIn(dir / "folder"), std::vector<std::string>{"inside"});
}

TEST_F(FileIo, AReplacedFileKeepsItsPermissions) {
  const fs::path file = dir / "script.txt";
  ASSERT_TRUE(writeFile(file.string(), bytesOf("a")));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(writeFile(file.string(), bytesOf("b")));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileIo, WritingThroughALinkReplacesTheLinkedFile) {
  fs::create_directories(dir / "real");
  const fs::path target = dir / "real" / "pack.red", link = dir / "pack.red";
  ASSERT_TRUE(writeFile(target.string(), bytesOf("old")));
  fs::create_symlink(target, link);
  ASSERT_TRUE(writeFile(link.string(), bytesOf("new")));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contentOf(target), "new");
}

TEST_F(FileIo, ReadFailuresAreErrorsNotCrashes) {
  const fs::path missing = dir / "none.red";
  EXPECT_EQ(readFile(missing.string(), test::kTestReadLimit).error(), "cannot read " + missing.string() + ": " + std::strerror(ENOENT));
  // A folder opens like a file and claims a size of 2^63 bytes.
  EXPECT_EQ(readFile(dir.string(), test::kTestReadLimit).error(), "cannot read " + dir.string() + ": " + std::strerror(EISDIR));
  EXPECT_FALSE(openFile(dir.string(), test::kTestReadLimit));
  EXPECT_FALSE(readFile("/dev/null", test::kTestReadLimit)) << "not a regular file";
  std::ofstream(dir / "empty");
  const Result<std::vector<uint8_t>> empty = readFile((dir / "empty").string(), test::kTestReadLimit);
  ASSERT_TRUE(empty) << empty.error();
  EXPECT_TRUE(empty->empty());
}

TEST_F(FileIo, AFileIsReadUpToItsLimitAndRefusedOneBytePast) {
  const fs::path file = dir / "quick.sav";
  ASSERT_TRUE(writeFile(file.string(), std::vector<uint8_t>(2048, 'x')));
  EXPECT_TRUE(readFile(file.string(), 2048));
  EXPECT_EQ(readFile(file.string(), 2047, "a save").error(),
            "cannot read " + file.string() + ": it is 2048 bytes, more than the 2047 bytes a save can be");
  EXPECT_EQ(readFile(file.string(), 1024, "a save").error(),
            "cannot read " + file.string() + ": it is 2 KiB, more than the 1 KiB a save can be");
}

TEST_F(FileIo, AHugeFileIsRefusedBeforeAnythingIsAllocated) {
  const fs::path file = dir / "0123456789abcdef.txt";
  test::makeHuge(file);
  const test::AddressSpaceLimit limit(512 << 20);
  if (!limit.active()) GTEST_SKIP() << "the address space cannot be limited here";
  EXPECT_EQ(readFile(file.string(), 8 << 20, "a record of pages read").error(),
            "cannot read " + file.string() + ": it is 4096 MiB, more than the 8 MiB a record of pages read can be");
}

TEST_F(FileIo, AFifoIsRefusedWithoutWaitingForAWriter) {
  const fs::path fifo = dir / "slot01.sav", link = dir / "link.sav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, link);
  for (const fs::path& path : {fifo, link}) {
    const Result<std::vector<uint8_t>> read = test::withoutWaiting([&] { return readFile(path.string(), 1024); }, {fifo});
    EXPECT_EQ(read.error(), "cannot read " + path.string() + ": it is a FIFO, not a regular file");
  }
  EXPECT_EQ(readFile("/dev/zero", 1 << 20).error(), "cannot read /dev/zero: it is a device, not a regular file");
}

TEST_F(FileIo, OnlyARegularFileOrALinkToOneIsReplaced) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directories(dir / "folder");
  fs::create_symlink(dir / "fifo", dir / "to_fifo.sav");
  fs::create_symlink(dir / "folder", dir / "to_folder.sav");
  fs::create_symlink(dir / "none", dir / "dangling.sav");
  const std::vector<std::string> before = namesIn(dir);
  for (const auto& [name, why] : std::vector<std::pair<std::string, std::string>>{
           {"fifo", "it is a FIFO, not a regular file"},
           {"to_fifo.sav", "it is a link to a FIFO, not to a regular file"},
           {"to_folder.sav", "it is a link to a folder, not to a regular file"},
           {"dangling.sav", "it is a link to nothing"}}) {
    const fs::path p = dir / name;
    EXPECT_EQ(writeFile(p.string(), bytesOf("save")).error(), "cannot write " + p.string() + ": " + why);
  }
  EXPECT_EQ(namesIn(dir), before);
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_empty(dir / "folder"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.sav"));
}

// A file of that name in dir, last written ageSeconds ago.
void leaveTemporary(const fs::path& dir, const std::string& name, int ageSeconds) {
  std::ofstream(dir / name) << "part of a save";
  const auto then = fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds);
  fs::last_write_time(dir / name, then);
}

TEST_F(FileIo, TemporaryFilesOfKilledWritersNeitherBlockAWriteNorPileUp) {
  const std::string mine = std::to_string(::getpid()), running = std::to_string(::getppid());
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string ended = std::to_string(child);
  // What an earlier process of this id left: names once made of the id and a count.
  for (const char* count : {"0", "1", "2"}) leaveTemporary(dir, ".shirakaba-" + mine + "-" + count + ".tmp", 0);
  leaveTemporary(dir, ".shirakaba-" + ended + "-00ff00ff00ff00ff.tmp", 120);  // its writer was killed
  leaveTemporary(dir, ".shirakaba-" + ended + "-1.tmp", 5);                   // young: given a minute
  leaveTemporary(dir, ".shirakaba-" + running + "-2.tmp", 120);               // a write under way
  leaveTemporary(dir, ".shirakaba-" + running + "-3.tmp", 2 * 60 * 60);       // older than any write
  leaveTemporary(dir, "notes.tmp", 2 * 60 * 60);                              // not ours
  const Result<void> written = writeFile((dir / "slot01.sav").string(), bytesOf("save"));
  ASSERT_TRUE(written) << written.error();
  std::vector<std::string> left = {".shirakaba-" + mine + "-0.tmp", ".shirakaba-" + mine + "-1.tmp",
                                   ".shirakaba-" + mine + "-2.tmp", ".shirakaba-" + ended + "-1.tmp",
                                   ".shirakaba-" + running + "-2.tmp", "notes.tmp", "slot01.sav"};
  std::sort(left.begin(), left.end());
  EXPECT_EQ(namesIn(dir), left);
}

// PATH_MAX holds 4,095 bytes and the NUL; the temporary file's name, longer than
// "quick.sav", must fit too.
TEST_F(FileIo, APathOfTheLongestLengthIsWritten) {
  const size_t folderLength = 4095 - std::string("/quick.sav").size();
  std::string folder = dir.string();
  while (folder.size() < folderLength) {
    const size_t left = folderLength - folder.size();
    folder += "/" + std::string(left > 256 ? 200 : left - 1, 'd');  // no name is longer than 255
    ASSERT_TRUE(fs::create_directory(folder));
  }
  const std::string file = folder + "/quick.sav";
  ASSERT_EQ(file.size(), 4095u);
  for (const char* text : {"old", "new"}) {
    const Result<void> written = writeFile(file, bytesOf(text));
    ASSERT_TRUE(written) << written.error();
  }
  EXPECT_EQ(contentOf(file), "new");
  EXPECT_EQ(namesIn(folder).size(), 1u);
}

TEST_F(FileIo, ALinkToARegularFileIsRead) {
  ASSERT_TRUE(writeFile((dir / "real.txt").string(), bytesOf("12\n")));
  fs::create_symlink(dir / "real.txt", dir / "link.txt");
  EXPECT_EQ(contentOf(dir / "link.txt"), "12\n");
}

TEST_F(FileIo, AStreamReadsWhatLiesAtEachPositionWhateverTheSeeksAndSizes) {
  // Reads of every size around the stream's buffer, from positions before, inside and
  // past what it holds, as the pictures' headers and rows are read.
  std::vector<uint8_t> bytes(50000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  ASSERT_TRUE(writeFile((dir / "pack").string(), bytes));
  Result<std::unique_ptr<Stream>> opened = openFile((dir / "pack").string(), test::kTestReadLimit);
  ASSERT_TRUE(opened);
  Stream& s = *opened.value();
  EXPECT_EQ(s.size(), bytes.size());
  std::mt19937 random(5);
  std::vector<uint8_t> got;
  for (int i = 0; i < 2000; ++i) {
    if (random() % 3 == 0) ASSERT_TRUE(s.seek(random() % (bytes.size() + 1)));
    const size_t at = s.position(), n = random() % 2 ? random() % 64 : random() % 12000;
    got.assign(n, 0xEE);
    const size_t k = s.read(got.data(), n);
    ASSERT_EQ(k, std::min(n, bytes.size() - at)) << "at " << at << " n " << n;
    ASSERT_TRUE(std::equal(got.begin(), got.begin() + k, bytes.begin() + at)) << "at " << at << " n " << n;
    ASSERT_EQ(s.position(), at + k);
  }
  EXPECT_FALSE(s.seek(bytes.size() + 1));
}

}  // namespace
}  // namespace shirakaba
