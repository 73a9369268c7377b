// The pack read from memory: sparse bytes read as a sparse file does, and a pack held
// in memory gives every picture, error and script line that a file of the same bytes
// gives, hostile layouts included.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/files.h"
#include "base/bmp.h"
#include "base/sparse_bytes.h"
#include "game/game.h"
#include "engine/script.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes readAll(const SparseBytes& b, uint64_t at, size_t n) {
  Bytes out(n, 0xEE);
  out.resize(b.read(at, out.data(), n));
  return out;
}

// ---- Sparse bytes ----

TEST(SparseBytes, HolesReadAsZeroAndNothingLiesPastTheSize) {
  SparseBytes b(10);
  b.write(2, Bytes{1, 2});
  b.write(7, Bytes{3});
  EXPECT_EQ(readAll(b, 0, 10), (Bytes{0, 0, 1, 2, 0, 0, 0, 3, 0, 0}));
  EXPECT_EQ(readAll(b, 8, 5), (Bytes{0, 0})) << "cut at the size";
  EXPECT_TRUE(readAll(b, 10, 5).empty());
  EXPECT_TRUE(readAll(b, UINT64_MAX, 5).empty());
  EXPECT_TRUE(readAll(SparseBytes(), 0, 5).empty());
}

TEST(SparseBytes, LaterWritesLieOverEarlierOnesAndJoinThem) {
  SparseBytes b(12);
  b.write(1, Bytes{1, 1, 1});
  b.write(6, Bytes{2, 2});
  b.write(4, Bytes{9, 9});        // touches both neighbours
  b.write(2, Bytes{5, 5, 5, 5});  // inside the joined piece
  b.write(0, Bytes{7});
  EXPECT_EQ(readAll(b, 0, 12), (Bytes{7, 1, 5, 5, 5, 5, 2, 2, 0, 0, 0, 0}));
  b.write(7, Bytes{4, 4, 4, 4, 4, 4, 4});  // runs past the size
  EXPECT_EQ(readAll(b, 5, 7), (Bytes{5, 2, 4, 4, 4, 4, 4}));
  b.write(12, Bytes{8});  // at the size: dropped
  EXPECT_EQ(b.size(), 12u);
  EXPECT_EQ(readAll(b, 11, 2), (Bytes{4}));
}

TEST(SparseBytes, AStreamSeeksLikeAFile) {
  auto b = std::make_shared<SparseBytes>(6);
  b->write(4, Bytes{1, 2});
  SparseStream s(b);
  EXPECT_EQ(s.size(), 6u);
  EXPECT_TRUE(s.seek(3));
  Bytes got(5);
  EXPECT_EQ(s.read(got.data(), got.size()), 3u);
  EXPECT_EQ(s.position(), 6u);
  EXPECT_EQ(s.read(got.data(), 1), 0u);
  EXPECT_TRUE(s.seek(6)) << "the end itself can be reached";
  EXPECT_FALSE(s.seek(7));
  EXPECT_EQ(s.position(), 6u);
}

// ---- A pack in memory against the same bytes in a file ----

struct Piece {
  int64_t at;
  Bytes bytes;
};

// The same layout twice: a file written sparse and bytes in memory.
struct TwoPacks {
  std::string dir;
  PackFile file, memory;
};

TwoPacks makeBoth(const std::string& tag, int64_t size, const std::vector<Piece>& pieces) {
  TwoPacks p;
  p.dir = makeTempDir(tag);
  const std::string path = p.dir + "/lumora.red";
  SparseBytes bytes(static_cast<uint64_t>(size));
  {
    std::ofstream f(path, std::ios::binary);
    for (const Piece& piece : pieces) {
      bytes.write(static_cast<uint64_t>(piece.at), piece.bytes);
      f.seekp(piece.at);
      f.write(reinterpret_cast<const char*>(piece.bytes.data()), static_cast<std::streamsize>(piece.bytes.size()));
    }
  }
  fs::resize_file(path, static_cast<uintmax_t>(size));
  p.file = PackFile(path);
  p.memory = PackFile(std::move(bytes));
  return p;
}

bool sameBitmap(const Bitmap& a, const Bitmap& b) {
  return a.width == b.width && a.height == b.height && a.format == b.format && a.stride == b.stride &&
         a.pixels == b.pixels && a.palette == b.palette;
}

// Every picture, pairs of pictures and the script read alike from both.
void expectSameReads(const TwoPacks& p) {
  for (int pic = -1; pic <= kPictureCount; ++pic) {
    SCOPED_TRACE("picture " + std::to_string(pic));
    const auto f = p.file.readPicture(pic), m = p.memory.readPicture(pic);
    ASSERT_EQ(f.ok(), m.ok()) << (f.ok() ? m.error() : f.error());
    if (f.ok()) EXPECT_TRUE(sameBitmap(f.value(), m.value()));
    else EXPECT_EQ(f.error(), m.error());
  }
  for (auto [a, b] : {std::pair{10, 11}, {0, 127}, {127, 0}, {1, 2}}) {
    Bitmap fa, fb, ma, mb;
    EXPECT_EQ(p.file.readPair(a, b, fa, fb), p.memory.readPair(a, b, ma, mb)) << a << ", " << b;
    EXPECT_TRUE(sameBitmap(fa, ma) && sameBitmap(fb, mb)) << a << ", " << b;
  }
  ScriptLines fs, ms;
  EXPECT_EQ(LoadScript(p.file, fs), LoadScript(p.memory, ms));
  EXPECT_EQ(fs.lines, ms.lines);
}

std::vector<Piece> soundPieces(const std::string& script) {
  std::vector<Piece> pieces;
  for (int i = 0; i < kPictureCount; ++i)
    pieces.push_back({PackOffsets[i], encodeBmp(i % 3 ? solid32(3 + i % 5, 2, 0x010203u * i) : mask8(5, 3, i))});
  pieces.push_back({ScriptOffset, Bytes(script.begin(), script.end())});
  return pieces;
}

TEST(PackInMemory, ReadsEveryPictureAndTheScriptAsAFileOfTheSameBytes) {
  static const char kScript[] = "*op\r\n\x82\xa0\r\nbg=1\n\0after the end";
  const std::string script(kScript, sizeof kScript - 1);  // with the NUL and what follows it
  const auto p = makeBoth("pack-memory-sound", ScriptOffset + static_cast<int64_t>(script.size()), soundPieces(script));
  ASSERT_TRUE(p.memory.exists());
  expectSameReads(p);
  ScriptLines lines;
  ASSERT_TRUE(LoadScript(p.memory, lines));
  EXPECT_EQ(lines.lines, (std::vector<std::string>{"*op", "あ", "bg=1"}));
  EXPECT_TRUE(p.memory.readPicture(127).ok());
  fs::remove_all(p.dir);
}

TEST(PackInMemory, HostileLayoutsGiveTheFilesErrors) {
  const Bytes big = encodeBmp(solid32(40, 40, 0x445566));
  const int64_t cuts[] = {ScriptOffset + 3, ScriptOffset, PackOffsets[120] + 100, PackOffsets[5] + 1,
                          PackOffsets[5], PackOffsets[1] + 60, 54, 1, 0};
  for (int64_t size : cuts) {
    SCOPED_TRACE("size " + std::to_string(size));
    std::vector<Piece> pieces = soundPieces("*op\r\nline");
    pieces.push_back({PackOffsets[1], big});        // cut by the sizes around it
    pieces.push_back({PackOffsets[4] + 1, {0}});  // picture 4 loses its signature
    pieces.push_back({ScriptOffset - 2, {'B', 'M', 'x'}});
    const auto p = makeBoth("pack-memory-cut", size, pieces);
    expectSameReads(p);
    const auto past = p.memory.readPicture(5);
    if (size < PackOffsets[5]) {
      ASSERT_FALSE(past.ok());
      EXPECT_NE(past.error().find("past the end"), std::string::npos) << past.error();
    }
    EXPECT_EQ(p.memory.readPicture(1).ok(), size >= PackOffsets[1] + static_cast<int64_t>(big.size()));
    fs::remove_all(p.dir);
  }
}

TEST(PackInMemory, NoSourceAndAnEmptySourceGiveErrors) {
  const PackFile none;
  EXPECT_FALSE(none.exists());
  EXPECT_FALSE(none.readPicture(0).ok());
  EXPECT_FALSE(none.open().ok());
  ScriptLines lines;
  EXPECT_FALSE(LoadScript(none, lines));

  const PackFile empty{SparseBytes()};
  EXPECT_TRUE(empty.exists()) << "like an empty file";
  EXPECT_FALSE(empty.readPicture(0).ok());
  Bitmap a, b;
  EXPECT_FALSE(empty.readPair(0, 1, a, b));
  EXPECT_FALSE(LoadScript(empty, lines));

  const PackFile holes{SparseBytes(ScriptOffset + (uint64_t{1} << 40))};  // a terabyte of zeros
  EXPECT_FALSE(holes.readPicture(3).ok());
  EXPECT_TRUE(LoadScript(holes, lines));
  EXPECT_TRUE(lines.lines.empty());
}

TEST(PackInMemory, CopiesShareTheBytesAndSetPathTurnsToAFile) {
  PackFile a{SparseBytes(ScriptOffset)};
  PackFile b = a;
  EXPECT_TRUE(b.exists());
  EXPECT_TRUE(b.path().empty());
  b.setPath("/nonexistent/lumora.red");
  EXPECT_FALSE(b.exists());
  EXPECT_TRUE(a.exists());
}

// ---- The game on a pack in memory ----

TEST(PackInMemory, TheGameStartsOnItAsOnTheFile) {
  const std::string dir = makeTempDir("pack-memory-game");
  std::map<int, Bitmap> pictures = {{pic::Logo, solid32(300, 40, 0x2040C0)}, {pic::Backdrop, solid32(640, 480, 0x102030)},
                                    {pic::Title, solid32(640, 480, 0x30A050)}};
  ASSERT_TRUE(writeTestPack(dir, pictures, "*op\nline\n"));
  const Result<Bytes> bytes = readFile(dir + "/data/lumora.red", test::kTestReadLimit);
  ASSERT_TRUE(bytes) << bytes.error();
  SparseBytes memory(bytes->size());
  memory.write(0, bytes.value());

  NullHost host;
  Game onFile(host, EngineConfig{dir});
  EngineConfig config;
  config.gameDir = "/nonexistent";
  config.pack = PackFile(std::move(memory));
  Game inMemory(host, config);
  for (Game* g : {&onFile, &inMemory}) {
    g->engine.FormCreate();
    g->engine.clock.advanceTo(2200);
  }
  EXPECT_EQ(inMemory.state.shell.dialog, DialogKind::None);
  EXPECT_EQ(inMemory.engine.Script.lines, (std::vector<std::string>{"*op", "line"}));
  EXPECT_EQ(inMemory.state.shell.GameMode, onFile.state.shell.GameMode);
  EXPECT_TRUE(sameBitmap(inMemory.state.surfaces.ImageBa, onFile.state.surfaces.ImageBa));
  EXPECT_EQ(getPixel32(inMemory.state.surfaces.ImageBa, 5, 5), 0x30A050u);
  fs::remove_all(dir);
}

}  // namespace
