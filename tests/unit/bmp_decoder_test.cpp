// The BMP decoder on hand-made files of every depth, compression, orientation and
// header size, the encoder's round trip, and malformed files that must come back
// as errors.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <optional>

#include "base/files.h"
#include "base/bmp.h"
#include "support/pack_fixture.h"

namespace shirakaba {
namespace {

struct Bytes {
  std::vector<uint8_t> v;
  Bytes& u8(uint32_t x) { v.push_back(static_cast<uint8_t>(x)); return *this; }
  Bytes& u16(uint32_t x) { return u8(x).u8(x >> 8); }
  Bytes& u32(uint32_t x) { return u16(x & 0xFFFF).u16(x >> 16); }
  Bytes& raw(std::initializer_list<int> bytes) {
    for (int b : bytes) u8(static_cast<uint32_t>(b));
    return *this;
  }
  Bytes& zeros(size_t n) { v.insert(v.end(), n, 0); return *this; }
  void set32(size_t at, uint32_t x) { for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i)); }
};

// What a test file is made of; build() lays it out as a BMP writer would.
struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 1, height = 1;
  int bitCount = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  uint32_t clrUsed = 0;
  std::optional<std::array<uint32_t, 3>> masks;  // after a 40-byte header, inside bigger ones
  std::vector<uint8_t> pixels;                   // stored rows or RLE data as written
  uint32_t sizeImage = 0;
};

std::vector<uint8_t> build(const BmpFields& s) {
  const bool core = s.headerSize == 12;
  const size_t masksAfter = (s.masks && s.headerSize == 40) ? 12 : 0;
  const size_t offBits = 14 + s.headerSize + masksAfter + s.palette.size() * (core ? 3 : 4);
  Bytes b;
  b.raw({'B', 'M'}).u32(static_cast<uint32_t>(offBits + s.pixels.size())).u32(0).u32(static_cast<uint32_t>(offBits));
  b.u32(s.headerSize);
  if (core) {
    b.u16(static_cast<uint32_t>(s.width)).u16(static_cast<uint32_t>(s.height)).u16(1).u16(s.bitCount);
  } else {
    b.u32(static_cast<uint32_t>(s.width)).u32(static_cast<uint32_t>(s.height)).u16(1).u16(s.bitCount);
    b.u32(s.compression).u32(s.sizeImage).u32(2835).u32(2835).u32(s.clrUsed).u32(0);
    if (s.headerSize > 40) {
      const auto m = s.masks.value_or(std::array<uint32_t, 3>{0, 0, 0});
      b.u32(m[0]).u32(m[1]).u32(m[2]);
      b.zeros(s.headerSize - 52);
    }
  }
  if (masksAfter) b.u32((*s.masks)[0]).u32((*s.masks)[1]).u32((*s.masks)[2]);
  for (uint32_t c : s.palette) {
    b.u8(c).u8(c >> 8).u8(c >> 16);
    if (!core) b.u8(0);
  }
  b.v.insert(b.v.end(), s.pixels.begin(), s.pixels.end());
  return b.v;
}

Result<Bitmap> decode(const std::vector<uint8_t>& file, BmpInfo* info = nullptr) {
  MemoryStream s(file);
  return decodeBmp(s, info);
}

Bitmap decodeOk(const std::vector<uint8_t>& file, BmpInfo* info = nullptr) {
  auto r = decode(file, info);
  EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error());
  return r.ok() ? r.value() : Bitmap{};
}

std::vector<uint8_t> rowBytes(const Bitmap& b, int y) { return {b.row(y), b.row(y) + b.stride}; }

TEST(BmpDecoderIndexed, OneBitKeepsIndicesAndPalette) {
  BmpFields s;
  s.width = 10, s.height = 2, s.bitCount = 1;
  s.palette = {0x000000, 0xFF8040};
  // Bottom row first, each padded to 4 bytes.
  s.pixels = {0b10000000, 0b01000000, 0, 0, 0b11110000, 0b11000000, 0, 0};
  BmpInfo info;
  Bitmap b = decodeOk(build(s), &info);
  ASSERT_EQ(b.format, PixelFormat::Indexed1);
  EXPECT_EQ(b.stride, 2);
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{0b11110000, 0b11000000}));
  EXPECT_EQ(rowBytes(b, 1), (std::vector<uint8_t>{0b10000000, 0b01000000}));
  EXPECT_EQ(b.palette, (std::vector<uint32_t>{0x000000, 0xFF8040}));
  EXPECT_EQ(b.colourAt(0, 0), 0x4080FFu);  // 0x00BBGGRR
  EXPECT_EQ(info.extent, build(s).size());
}

TEST(BmpDecoderIndexed, FourBitTopDownWithShortPalette) {
  BmpFields s;
  s.width = 3, s.height = -2, s.bitCount = 4, s.clrUsed = 3;
  s.palette = {0x111111, 0x222222, 0x333333};
  s.pixels = {0x12, 0x00, 0, 0, 0x21, 0x20, 0, 0};  // top row first; stray low nibble cleared
  BmpInfo info;
  Bitmap b = decodeOk(build(s), &info);
  ASSERT_EQ(b.format, PixelFormat::Indexed4);
  EXPECT_TRUE(info.topDown);
  EXPECT_EQ(b.height, 2);
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{0x12, 0x00}));
  EXPECT_EQ(rowBytes(b, 1), (std::vector<uint8_t>{0x21, 0x20}));
  EXPECT_EQ(b.palette.size(), 3u);
}

TEST(BmpDecoderIndexed, EightBitWithCoreHeaderAndTriplePalette) {
  BmpFields s;
  s.headerSize = 12, s.width = 2, s.height = 2, s.bitCount = 8;
  s.palette.assign(256, 0);
  s.palette[7] = 0x0A0B0C;
  s.pixels = {7, 1, 0, 0, 3, 255, 0, 0};
  Bitmap b = decodeOk(build(s));
  ASSERT_EQ(b.format, PixelFormat::Indexed8);
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{3, 255}));
  EXPECT_EQ(rowBytes(b, 1), (std::vector<uint8_t>{7, 1}));
  EXPECT_EQ(b.palette[7], 0x0A0B0Cu);
  EXPECT_EQ(b.maskByte(1, 0), 255);
}

TEST(BmpDecoderDirect, SixteenBitPlainIs555) {
  BmpFields s;
  s.width = 1, s.height = 1, s.bitCount = 16;
  s.pixels = {0x00, 0x7C, 0, 0};  // pure red in 5-5-5
  Bitmap b = decodeOk(build(s));
  ASSERT_EQ(b.format, PixelFormat::Rgb16);
  EXPECT_EQ(b.masks[0], 0x7C00u);
  EXPECT_EQ(b.colourAt(0, 0), 0x0000FFu);
}

TEST(BmpDecoderDirect, SixteenBitFieldsAfterAndInsideHeader) {
  for (uint32_t header : {40u, 52u, 56u}) {
    BmpFields s;
    s.headerSize = header, s.width = 2, s.height = 1, s.bitCount = 16, s.compression = 3;
    s.masks = std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F};
    s.pixels = {0xE0, 0x07, 0x1F, 0x00};  // green, blue in 5-6-5
    Bitmap b = decodeOk(build(s));
    ASSERT_EQ(b.format, PixelFormat::Rgb16) << header;
    EXPECT_EQ(b.masks[1], 0x07E0u);
    EXPECT_EQ(b.colourAt(0, 0), 0x00FF00u) << header;
    EXPECT_EQ(b.colourAt(1, 0), 0xFF0000u) << header;
  }
}

TEST(BmpDecoderDirect, TwentyFourBitEveryBigHeaderBothOrientations) {
  for (uint32_t header : {12u, 40u, 108u, 124u}) {
    for (int32_t h : {2, -2}) {
      if (header == 12 && h < 0) continue;
      BmpFields s;
      s.headerSize = header, s.width = 1, s.height = h;
      s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};  // first stored row, second stored row
      Bitmap b = decodeOk(build(s));
      ASSERT_EQ(b.format, PixelFormat::Rgb24);
      EXPECT_EQ(b.stride, 3);
      const uint8_t* top = b.row(0);
      const uint8_t want = h > 0 ? 4 : 1;
      EXPECT_EQ(top[0], want) << header << " " << h;
      EXPECT_EQ(b.colourAt(0, 0), h > 0 ? 0x040506u : 0x010203u);
    }
  }
}

TEST(BmpDecoderDirect, ThirtyTwoBitPlainAndRemappedFields) {
  BmpFields plain;
  plain.bitCount = 32;
  plain.pixels = {0x10, 0x20, 0x30, 0x99};
  Bitmap a = decodeOk(build(plain));
  ASSERT_EQ(a.format, PixelFormat::Bgrx32);
  EXPECT_EQ(rowBytes(a, 0), (std::vector<uint8_t>{0x10, 0x20, 0x30, 0}));

  BmpFields swapped = plain;
  swapped.compression = 3;
  swapped.masks = std::array<uint32_t, 3>{0x000000FF, 0x0000FF00, 0x00FF0000};  // stored as R, G, B
  Bitmap b = decodeOk(build(swapped));
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{0x30, 0x20, 0x10, 0}));

  BmpFields wide = plain;
  wide.compression = 3;
  wide.headerSize = 124;
  wide.masks = std::array<uint32_t, 3>{0x3FF00000, 0x000FFC00, 0x000003FF};  // 10-10-10
  wide.pixels = {0xFF, 0x03, 0xF0, 0x3F};  // full blue and full red
  Bitmap c = decodeOk(build(wide));
  EXPECT_EQ(c.colourAt(0, 0), 0xFF00FFu);
}

TEST(BmpDecoderRle, Rle8RunsLiteralsDeltaAndUnwrittenZero) {
  BmpFields s;
  s.width = 6, s.height = 3, s.bitCount = 8, s.compression = 1, s.clrUsed = 4;
  s.palette.assign(4, 0);
  s.pixels = {
      3, 9,           // bottom row: 9 9 9
      0, 3, 1, 2, 3, 0,  // literal of three, padded
      0, 0,           // end of line
      0, 2, 1, 1,     // delta: skip one pixel, one row: to (1, 2)
      2, 7,           // top row: . 7 7
      0, 1,           // end of bitmap
  };
  BmpInfo info;
  Bitmap b = decodeOk(build(s), &info);
  ASSERT_EQ(b.format, PixelFormat::Indexed8);
  EXPECT_EQ(rowBytes(b, 2), (std::vector<uint8_t>{9, 9, 9, 1, 2, 3}));
  EXPECT_EQ(rowBytes(b, 1), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{0, 7, 7, 0, 0, 0}));
  EXPECT_EQ(info.extent, build(s).size());  // no size given: up to the end-of-bitmap marker
}

TEST(BmpDecoderRle, Rle4AlternatesNibbles) {
  BmpFields s;
  s.width = 6, s.height = 2, s.bitCount = 4, s.compression = 2;
  s.palette.assign(16, 0);
  s.pixels = {
      5, 0x12,              // 1 2 1 2 1
      0, 0,                 // end of line
      0, 3, 0xAB, 0xC0,     // literal A B C: two bytes, no pad
      0, 1,
  };
  s.sizeImage = static_cast<uint32_t>(s.pixels.size() + 4);  // the writer left slack
  s.pixels.insert(s.pixels.end(), 4, 0xEE);
  BmpInfo info;
  Bitmap b = decodeOk(build(s), &info);
  ASSERT_EQ(b.format, PixelFormat::Indexed4);
  EXPECT_EQ(rowBytes(b, 1), (std::vector<uint8_t>{0x12, 0x12, 0x10}));
  EXPECT_EQ(rowBytes(b, 0), (std::vector<uint8_t>{0xAB, 0xC0, 0x00}));
  EXPECT_EQ(info.extent, build(s).size());  // the stated size counts
}

TEST(BmpDecoderStream, ReadsFromTheCurrentPositionAndStopsAtTheExtent) {
  BmpFields s;
  s.width = 1, s.height = 1;
  s.pixels = {1, 2, 3, 0};
  std::vector<uint8_t> file(100, 0xCC);
  const auto pic = build(s);
  file.insert(file.end(), pic.begin(), pic.end());
  file.insert(file.end(), 50, 0xDD);
  MemoryStream st(file);
  st.seek(100);
  auto probe = probeBmp(st);
  ASSERT_TRUE(probe.ok());
  EXPECT_EQ(probe.value().extent, pic.size());
  EXPECT_EQ(probe.value().width, 1);
  st.seek(100);
  auto r = decodeBmp(st);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(st.position(), 100 + pic.size());
  EXPECT_EQ(r.value().colourAt(0, 0), 0x010203u);
}

TEST(BmpEncoder, Indexed8RoundTripKeepsIndicesAndPalette) {
  Bitmap m;
  m.width = 3, m.height = 2, m.format = PixelFormat::Indexed8, m.stride = 3;
  m.pixels = {0, 128, 255, 7, 8, 9};
  const auto grey = encodeBmp(m);
  ASSERT_EQ(grey.size(), 14 + 40 + 1024 + 2 * 4u);
  EXPECT_EQ(grey, encodeBmp(m));
  Bitmap back = decodeOk(grey);
  EXPECT_EQ(back.format, PixelFormat::Indexed8);
  EXPECT_EQ(back.pixels, m.pixels);
  EXPECT_EQ(back.palette[200], 0xC8C8C8u);

  m.palette = {0x102030, 0x405060};
  Bitmap coloured = decodeOk(encodeBmp(m));
  EXPECT_EQ(coloured.palette, m.palette);
  EXPECT_EQ(coloured.pixels, m.pixels);
}

TEST(BmpEncoder, OtherFormatsBecome24Bit) {
  Bitmap b = Bitmap::create32(3, 2, 0x112233);
  setPixel32(b, 2, 1, 0xABCDEF);
  const auto file = encodeBmp(b);
  ASSERT_EQ(file.size(), 54 + 2 * 12u);  // 9 bytes a row, padded to 12
  BmpInfo info;
  Bitmap back = decodeOk(file, &info);
  EXPECT_EQ(info.bitCount, 24);
  EXPECT_EQ(info.fileSize, file.size());
  EXPECT_EQ(back.colourAt(0, 0), 0x112233u);
  EXPECT_EQ(back.colourAt(2, 1), 0xABCDEFu);
  EXPECT_TRUE(encodeBmp(Bitmap{}).empty());
}

// Each malformed file must give an error and nothing else.
struct Malformed {
  const char* what;
  std::vector<uint8_t> file;
};

std::vector<Malformed> malformedFiles() {
  std::vector<Malformed> out;
  BmpFields good;
  good.width = 2, good.height = 2;
  good.pixels.assign(16, 0x55);
  auto with = [&](const char* what, auto change) {
    BmpFields s = good;
    change(s);
    out.push_back({what, build(s)});
  };
  auto patched = [&](const char* what, size_t at, uint32_t value) {
    auto f = build(good);
    Bytes b{f};
    b.set32(at, value);
    out.push_back({what, b.v});
  };
  out.push_back({"empty", {}});
  out.push_back({"magic only", {'B', 'M'}});
  {
    auto f = build(good);
    f[0] = 'M';
    out.push_back({"wrong magic", f});
  }
  patched("header size 64", 14, 64);
  patched("header size 0", 14, 0);
  patched("header size huge", 14, 0xFFFFFFF0);
  with("zero width", [](BmpFields& s) { s.width = 0; });
  with("negative width", [](BmpFields& s) { s.width = -2; });
  with("zero height", [](BmpFields& s) { s.height = 0; });
  with("width above the limit", [](BmpFields& s) { s.width = kMaxBmpDimension + 1; });
  with("height above the limit", [](BmpFields& s) { s.height = -(kMaxBmpDimension + 1); });
  with("most negative height", [](BmpFields& s) { s.height = INT32_MIN; });
  with("pixel data above the limit", [](BmpFields& s) { s.width = s.height = kMaxBmpDimension; s.bitCount = 32; });
  with("bit count 7", [](BmpFields& s) { s.bitCount = 7; });
  with("bit count 0", [](BmpFields& s) { s.bitCount = 0; });
  with("16-bit core header", [](BmpFields& s) { s.headerSize = 12; s.bitCount = 16; });
  with("RLE8 on 24 bits", [](BmpFields& s) { s.compression = 1; });
  with("RLE4 on 8 bits", [](BmpFields& s) { s.compression = 2; s.bitCount = 8; });
  with("bit fields on 24 bits", [](BmpFields& s) { s.compression = 3; s.masks = std::array<uint32_t, 3>{1, 2, 4}; });
  with("JPEG compression", [](BmpFields& s) { s.compression = 4; });
  with("overlapping masks", [](BmpFields& s) {
    s.bitCount = 32, s.compression = 3, s.masks = std::array<uint32_t, 3>{0xFF00, 0xFF0, 0xF};
  });
  with("empty mask", [](BmpFields& s) { s.bitCount = 32, s.compression = 3, s.masks = std::array<uint32_t, 3>{0, 0xFF00, 0xFF}; });
  with("mask past 16 bits", [](BmpFields& s) {
    s.bitCount = 16, s.compression = 3, s.masks = std::array<uint32_t, 3>{0x1F0000, 0x3E0, 0x1F};
  });
  with("split mask", [](BmpFields& s) { s.bitCount = 16, s.compression = 3, s.masks = std::array<uint32_t, 3>{0x7C01, 0x3E0, 0x1E}; });
  with("palette larger than 2^bpp", [](BmpFields& s) {
    s.bitCount = 1, s.clrUsed = 3, s.palette = {0, 0, 0};
  });
  with("palette running into the pixels", [](BmpFields& s) {
    s.bitCount = 8, s.clrUsed = 200, s.palette.assign(2, 0);
  });
  with("palette claimed but absent", [](BmpFields& s) { s.bitCount = 8, s.pixels.assign(8, 0); });
  with("truncated rows", [](BmpFields& s) { s.pixels.resize(15); });
  {
    auto f = build(good);
    f.resize(30);
    out.push_back({"truncated info header", f});
  }
  patched("offset inside the headers", 10, 20);
  patched("offset past the end", 10, 1000);
  patched("offset at 4 GiB", 10, 0xFFFFFFFF);
  patched("planes 0", 26, 0x180000);  // planes 0, bit count 24
  auto rle = [&](const char* what, std::vector<uint8_t> data, int32_t height = 2, uint32_t sizeImage = 0) {
    BmpFields s;
    s.width = 4, s.height = height, s.bitCount = 8, s.compression = 1, s.clrUsed = 2;
    s.palette.assign(2, 0);
    s.pixels = std::move(data);
    s.sizeImage = sizeImage;
    out.push_back({what, build(s)});
  };
  rle("RLE run past the row", {5, 1, 0, 1});
  rle("RLE literal past the row", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1});
  rle("RLE rows past the top", {0, 0, 0, 0, 0, 0, 1, 1, 0, 1});
  rle("RLE delta past the picture", {0, 2, 9, 0, 0, 1});
  rle("RLE without end of bitmap", {4, 1, 0, 0, 4, 1});
  rle("RLE ends inside a delta", {0, 2, 1});
  rle("RLE ends inside a literal", {0, 4, 1, 2});
  rle("RLE running past its stated size", {4, 1, 0, 0, 4, 1, 0, 1}, 2, 4);
  rle("RLE stated size past the stream", {0, 1}, 2, 1000);
  rle("RLE top-down", {0, 1}, -2);
  return out;
}

TEST(BmpDecoderMalformed, EveryBrokenFileIsAnError) {
  for (const auto& m : malformedFiles()) {
    MemoryStream a(m.file);
    auto r = decodeBmp(a);
    EXPECT_FALSE(r.ok()) << m.what;
    if (!r.ok()) {
      EXPECT_FALSE(r.error().empty()) << m.what;
    }
    MemoryStream b(m.file);
    EXPECT_FALSE(probeBmp(b).ok()) << m.what;
  }
}

// The corpus holds valid seeds and refused inputs kept as regressions; probe and decode
// must agree on each, and a picture that decodes spans exactly its file.
TEST(BmpDecoderCorpus, ProbeAndDecodeAgreeOnEverySeed) {
  const auto dir = std::filesystem::path(SHIRAKABA_SOURCE_DIR) / "fuzz" / "corpus" / "bmp_decoder";
  int decoded = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    const Result<std::vector<uint8_t>> read = readFile(e.path().string(), test::kTestReadLimit);
    ASSERT_TRUE(read) << read.error();
    const std::vector<uint8_t>& file = read.value();
    MemoryStream a(file), b(file);
    BmpInfo info;
    const bool ok = decodeBmp(a, &info).ok();
    EXPECT_EQ(probeBmp(b).ok(), ok) << e.path();
    if (!ok) continue;
    EXPECT_EQ(info.extent, file.size()) << e.path();
    ++decoded;
  }
  EXPECT_GE(decoded, 8);
}

}  // namespace
}  // namespace shirakaba
