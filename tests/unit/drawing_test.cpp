// Pictures from the pack and the per-pixel primitives: exact arithmetic, clipping,
// missing or broken pictures.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "engine/draw.h"
#include "engine/script.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

uint8_t ch(Colour c, int i) { return static_cast<uint8_t>(c >> (8 * i)); }  // 0 red, 1 green, 2 blue

struct Pack {
  DrawContext c;
  explicit Pack(const std::string& tag, const std::map<int, Bitmap>& pics, const std::string& script = "") {
    const std::string dir = makeTempDir(tag);
    EXPECT_TRUE(writeTestPack(dir, pics, script));
    c.pack.setPath(dir + "/data/lumora.red");
    c.BackBuffer = Bitmap::create32(640, 480);
    c.surfaces.backBufferCreated = true;
  }
};

// A picture whose pixel (x, y) has red x, green y and blue 7.
Bitmap coords32(int w, int h) {
  Bitmap b = Bitmap::create32(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel32(b, x, y, (x & 0xFF) | ((y & 0xFF) << 8) | (7u << 16));
  return b;
}

}  // namespace

TEST(MaskBlend, WeightsZeroFullAndHalfAreExact) {
  Bitmap dest = Bitmap::create32(3, 1, 0x00C86432);  // r 50, g 100, b 200
  Bitmap src = Bitmap::create32(3, 1, 0x0014F0FA);   // r 250, g 240, b 20
  Bitmap mask = mask8(3, 1, 0);
  mask.row(0)[1] = 255;
  mask.row(0)[2] = 128;
  MaskBlend(dest, {0, 0}, src, mask);
  EXPECT_EQ(getPixel32(dest, 0, 0), 0x00C86432u);
  EXPECT_EQ(getPixel32(dest, 1, 0), 0x0014F0FAu);
  const Colour half = getPixel32(dest, 2, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ch(half, i), (ch(0x00C86432, i) * 127 + ch(0x0014F0FA, i) * 128) / 255);
}

TEST(MaskBlend, EveryWeightMatchesThePlainFormula) {
  Bitmap dest = Bitmap::create32(256, 256), src = Bitmap::create32(256, 256);
  Bitmap mask = mask8(256, 256, 0);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      setPixel32(dest, x, y, static_cast<Colour>(y) | (static_cast<Colour>(255 - y) << 8) | (17u << 16));
      setPixel32(src, x, y, static_cast<Colour>(255 - y) | (static_cast<Colour>(y) << 8) | (230u << 16));
      mask.row(y)[x] = static_cast<uint8_t>(x);
    }
  Bitmap before = dest;
  MaskBlend(dest, {0, 0}, src, mask);
  for (int y = 0; y < 256; ++y)
    for (int w = 0; w < 256; ++w)
      for (int i = 0; i < 3; ++i) {
        const unsigned d = ch(getPixel32(before, w, y), i), s = ch(getPixel32(src, w, y), i);
        const unsigned want = w == 0 ? d : (d * (255 - w) + s * w) / 255;
        ASSERT_EQ(ch(getPixel32(dest, w, y), i), want) << "w " << w << " y " << y;
      }
  for (unsigned x = 0; x <= 65025; ++x) ASSERT_EQ(x / 255, (x + 1 + (x >> 8)) >> 8);
}

TEST(MaskBlend, ClipsAndReadsTheMaskAtSourceCoordinates) {
  // A 4x4 source at (2, 478) on a 640x480 destination: only its top two rows land.
  Bitmap dest = Bitmap::create32(640, 480, kBlack);
  Bitmap src = Bitmap::create32(4, 4, kWhite);
  Bitmap mask = mask8(4, 4, 0);
  mask.row(0)[0] = 255;  // source (0, 0) -> dest (2, 478)
  mask.row(1)[3] = 255;  // source (3, 1) -> dest (5, 479)
  mask.row(2)[0] = 255;  // off the destination
  MaskBlend(dest, {2, 478}, src, mask);
  EXPECT_EQ(getPixel32(dest, 2, 478), kWhite);
  EXPECT_EQ(getPixel32(dest, 5, 479), kWhite);
  EXPECT_EQ(getPixel32(dest, 3, 478), kBlack);
  // Entirely outside: nothing touched, no crash.
  MaskBlend(dest, {640, 0}, src, mask);
  MaskBlend(dest, {-4, -4}, src, mask);
}

TEST(MaskBlend, ASmallerOrWiderMaskIsReadByteForByte) {
  Bitmap dest = Bitmap::create32(4, 4, kBlack);
  Bitmap src = Bitmap::create32(4, 4, kWhite);
  Bitmap mask = mask8(2, 2, 255);  // covers only the top-left 2x2; the rest weighs 0
  MaskBlend(dest, {0, 0}, src, mask);
  EXPECT_EQ(getPixel32(dest, 1, 1), kWhite);
  EXPECT_EQ(getPixel32(dest, 2, 0), kBlack);
  EXPECT_EQ(getPixel32(dest, 0, 2), kBlack);
  // A 24-bit "mask": byte x of row y as stored, so columns 0..3 read bytes of pixel 0 and 1.
  Bitmap dest2 = Bitmap::create32(4, 1, kBlack);
  Bitmap rgb = Bitmap::create32(2, 1);
  rgb.format = PixelFormat::Rgb24;
  rgb.stride = 6;
  rgb.pixels = {255, 0, 0, 255, 0, 0};
  MaskBlend(dest2, {0, 0}, src, rgb);
  EXPECT_EQ(getPixel32(dest2, 0, 0), kWhite);
  EXPECT_EQ(getPixel32(dest2, 1, 0), kBlack);
  EXPECT_EQ(getPixel32(dest2, 3, 0), kWhite);
}

TEST(ShadeRect, WhiteBecomesEightyAndModesPickTheTarget) {
  DrawContext c;
  c.BackBuffer = Bitmap::create32(640, 480, kWhite);
  c.ImageBa = Bitmap::create32(640, 480, 0x00123456);
  ShadeRect(c, Shade::OntoScreen, MesRect);
  EXPECT_EQ(getPixel32(c.ImageBa, 0, 400), 0x00505050u);
  EXPECT_EQ(getPixel32(c.ImageBa, 639, 479), 0x00505050u);
  EXPECT_EQ(getPixel32(c.ImageBa, 0, 399), 0x00123456u);
  EXPECT_EQ(getPixel32(c.BackBuffer, 0, 400), kWhite) << "shading onto the screen leaves the BackBuffer";
  ShadeRect(c, Shade::OntoBack, MesRect);
  ShadeRect(c, Shade::OntoBack, MesRect);
  EXPECT_EQ(getPixel32(c.BackBuffer, 10, 450), 0x00191919u) << "twice: 80 * 80 / 255 = 25";
  ShadeRect(c, Shade::OntoBack, Rect{600, 470, 700, 500});  // partly outside: clipped
}

TEST(Pictures, DrawPicReadsEachPictureAtItsOffsetAndPicture120FromTheEnd) {
  Pack p("offsets", {{119, Bitmap::create32(8, 8, 0x000000AA)},
                     {120, Bitmap::create32(640, 480, 0x0000BB00)},
                     {121, Bitmap::create32(8, 8, 0x00CC0000)}});
  DrawPic(p.c, 0, 0, 120, Target::Back);
  EXPECT_EQ(getPixel32(p.c.BackBuffer, 639, 479), 0x0000BB00u);
  DrawPic(p.c, 0, 0, 119, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 7, 7), 0x000000AAu);
  DrawPic(p.c, 8, 0, 121, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 8, 0), 0x00CC0000u);
  EXPECT_EQ(PackOffsets[120], 50362186);
  EXPECT_EQ(PictureSlotSize(120), ScriptOffset - 50362186);
  EXPECT_EQ(PictureSlotSize(127), 50362186 - PackOffsets[127]);
}

TEST(Pictures, OutOfRangeNumbersMissingPackAndBrokenPicturesDrawNothing) {
  Pack p("refuse", {{5, Bitmap::create32(4, 4, kWhite)}});
  p.c.ImageBa = Bitmap::create32(640, 480, 0x00010203);
  for (int bad : {-1, 128, 1000, -2147483647 - 1}) DrawPic(p.c, 0, 0, bad, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 0, 0), 0x00010203u);
  // Break picture 5 in place: garbage where its header was.
  {
    Result<std::vector<uint8_t>> bytes = readFile(p.c.pack.path(), test::kTestReadLimit);
    ASSERT_TRUE(bytes) << bytes.error();
    for (int i = 0; i < 20; ++i) bytes.value()[PackOffsets[5] + i] = 0xEE;
    const Result<void> written = writeFile(p.c.pack.path(), bytes.value());
    ASSERT_TRUE(written) << written.error();
  }
  DrawPic(p.c, 0, 0, 5, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 0, 0), 0x00010203u);
  std::filesystem::remove(p.c.pack.path());
  DrawPic(p.c, 0, 0, 1, Target::Screen);
  StretchPic(p.c, 1, Target::Screen);
  BlendPic(p.c, 0, 0, 1, 12, p.c.ImageBa);
  DrawNum2(p.c, 0, 0, 42, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 0, 0), 0x00010203u);
  EXPECT_FALSE(LoadCG(p.c, 1, CGLoad::Hold));
}

TEST(Pictures, TransPicRectLeavesOutEveryPixelOfTheCornerColour) {
  Bitmap sheet = Bitmap::create32(20, 10, 0x00FF00FF);  // key colour everywhere...
  for (int x = 12; x < 16; ++x) setPixel32(sheet, x, 5, 0x00123456);  // ...but a stroke
  setPixel32(sheet, 18, 8, 0x00FF00FE);                              // near the key: kept
  Pack p("trans", {{9, sheet}});
  p.c.ImageBa = Bitmap::create32(640, 480, kBlack);
  TransPicRect(p.c, Rect{10, 0, 20, 10}, Rect{100, 100, 110, 110}, 9, Target::Screen);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 100, 100), kBlack);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 109, 109), kBlack);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 102, 105), 0x00123456u);
  EXPECT_EQ(getPixel32(p.c.ImageBa, 108, 108), 0x00FF00FEu);
}

TEST(Pictures, CopyPicRectAndStretchPic) {
  Pack p("copy", {{9, coords32(40, 30)}, {1, coords32(320, 240)}});
  CopyPicRect(p.c, Rect{10, 5, 20, 15}, Rect{300, 200, 310, 210}, 9, Target::Back);
  EXPECT_EQ(getPixel32(p.c.BackBuffer, 300, 200), 10u | (5u << 8) | (7u << 16));
  EXPECT_EQ(getPixel32(p.c.BackBuffer, 309, 209), 19u | (14u << 8) | (7u << 16));
  StretchPic(p.c, 1, Target::Screen);  // 320x240 doubled, nearest neighbour
  EXPECT_EQ(getPixel32(p.c.ImageBa, 0, 0), getPixel32(p.c.ImageBa, 1, 1));
  EXPECT_EQ(getPixel32(p.c.ImageBa, 639, 479), (319u & 0xFF) | (239u << 8) | (7u << 16));
  EXPECT_EQ(getPixel32(p.c.ImageBa, 101, 51), 50u | (25u << 8) | (7u << 16));
}

TEST(Pictures, LoadCGKeepsItsWidthAndDrawsOntoTheBackBuffer) {
  Bitmap narrow = mask8(600, 480, 3);
  narrow.palette.assign(256, 0);
  narrow.palette[3] = 0x00AABBCC;  // 0x00RRGGBB
  Pack p("loadcg", {{121, narrow}});
  ASSERT_TRUE(LoadCG(p.c, 1, CGLoad::Hold));
  EXPECT_EQ(p.c.ImageCG.width, 600);
  EXPECT_EQ(p.c.ImageCG.height, 480);
  EXPECT_TRUE(p.c.ImageCG.is32());
  ASSERT_TRUE(LoadCG(p.c, 1, CGLoad::ToBack));
  EXPECT_EQ(getPixel32(p.c.BackBuffer, 599, 0), 0x00CCBBAAu);
  EXPECT_EQ(getPixel32(p.c.BackBuffer, 600, 0), kBlack);
  EXPECT_FALSE(LoadCG(p.c, 0, CGLoad::Hold));
  EXPECT_FALSE(LoadCG(p.c, 8, CGLoad::Hold));
}

TEST(DrawNum2, TensBlankBelowTenAndCapAt99) {
  // Digit cell d is filled with colour d + 1 inside a key-coloured border.
  Bitmap strip = Bitmap::create32(231, 21, 0x00FF00FF);
  for (int d = 0; d < 10; ++d)
    for (int y = 2; y < 19; ++y)
      for (int x = 2; x < 19; ++x) setPixel32(strip, 21 * d + x, y, static_cast<Colour>(d + 1));
  Pack p("num2", {{3, strip}});
  auto shown = [&](int value) {
    p.c.ImageBa = Bitmap::create32(640, 480, 0x00777777);
    DrawNum2(p.c, 100, 50, value, Target::Screen);
    const Colour tens = getPixel32(p.c.ImageBa, 110, 60), units = getPixel32(p.c.ImageBa, 131, 60);
    return std::pair<int, int>{tens == 0x00777777 ? -1 : static_cast<int>(tens) - 1, static_cast<int>(units) - 1};
  };
  EXPECT_EQ(shown(0), (std::pair<int, int>{-1, 0}));
  EXPECT_EQ(shown(7), (std::pair<int, int>{-1, 7}));
  EXPECT_EQ(shown(42), (std::pair<int, int>{4, 2}));
  EXPECT_EQ(shown(100), (std::pair<int, int>{9, 9}));
  EXPECT_EQ(shown(150), (std::pair<int, int>{9, 9}));
}

TEST(Layout, SlotRectListGridRow) {
  EXPECT_EQ(SlotRect(3, LayoutRec{290, 275, 59, 22, 0, 4, 4}), (Rect{290, 353, 349, 375}));
  EXPECT_EQ(SlotRect(4, LayoutRec{215, 122, 110, 82, 7, 17, 3}), (Rect{332, 221, 442, 303}));
  EXPECT_EQ(SlotRect(2, LayoutRec{297, 365, 46, 22, 0, 0, 4}), (Rect{389, 365, 435, 387}));
  EXPECT_EQ(SheetCell(2, 0, 59, 22, Point{0, 0}), (Rect{118, 0, 177, 22}));
  EXPECT_EQ(SlotRect(0, LayoutRec{1, 1, 5, 5, 3, 3, 0}), (Rect{1, 1, 6, 6})) << "Cols 0 must not divide by zero";
}

TEST(Script, LoadScriptReadsOnlyTheLinesAfterScriptOffset) {
  Pack p("script", {{127, Bitmap::create32(16, 16, 0x000A0D0A)}}, "*op\r\nline two\rline three\n\nend");
  ScriptLines s;
  ASSERT_TRUE(LoadScript(p.c.pack, s));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"*op", "line two", "line three", "", "end"}));
}

TEST(ShadeRect, EveryChannelValueKeepsEightyOver255AndTheFourthByte) {
  DrawContext c;
  c.BackBuffer = Bitmap::create32(256, 3);
  c.ImageBa = Bitmap::create32(256, 3);
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 3; ++y) {
      uint8_t* p = c.BackBuffer.row(y) + 4 * x;
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(255 - x);
      p[2] = static_cast<uint8_t>(x ^ 0x5A);
      p[3] = 0x11;
      c.ImageBa.row(y)[4 * x + 3] = 0x77;
    }
  ShadeRect(c, Shade::OntoScreen, Rect{0, 0, 255, 3});  // 255 wide: the vector rows and a tail
  for (int x = 0; x < 255; ++x) {
    const uint8_t* d = c.ImageBa.row(1) + 4 * x;
    EXPECT_EQ(d[0], x * 80 / 255);
    EXPECT_EQ(d[1], (255 - x) * 80 / 255);
    EXPECT_EQ(d[2], (x ^ 0x5A) * 80 / 255);
    EXPECT_EQ(d[3], 0x77);
  }
  EXPECT_EQ(c.ImageBa.row(1)[4 * 255], 0) << "outside the rectangle";
}

// copyRect reads 24-bit, 32-bit and 8-bit pictures straight from their bytes and every
// other format through colourAt: scaled down, scaled up, clipped, partly outside the
// source, with palette indices past the palette, each pixel equals the plain rule.
TEST(CopyRect, EveryFormatScaledEqualsThePixelByPixelRule) {
  Bitmap rgb24 = coords32(37, 23);
  rgb24.format = PixelFormat::Rgb24;
  rgb24.stride = Bitmap::strideFor(PixelFormat::Rgb24, 37);
  rgb24.pixels.assign(static_cast<size_t>(rgb24.stride) * 23, 0);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      uint8_t* p = rgb24.row(y) + 3 * x;
      p[0] = static_cast<uint8_t>(7), p[1] = static_cast<uint8_t>(y), p[2] = static_cast<uint8_t>(x);
    }
  Bitmap indexed = mask8(37, 23, 0);
  indexed.palette = {0x102030, 0x405060, 0x708090};
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) indexed.row(y)[x] = static_cast<uint8_t>((x + y) % 5);  // 3 and 4 lie past it
  Bitmap indexed4 = indexed;
  indexed4.format = PixelFormat::Indexed4;
  indexed4.stride = Bitmap::strideFor(PixelFormat::Indexed4, 37);
  indexed4.pixels.assign(static_cast<size_t>(indexed4.stride) * 23, 0x21);

  const Rect sources[] = {{0, 0, 37, 23}, {-5, 3, 40, 20}, {10, 10, 12, 11}};
  const Rect targets[] = {{0, 0, 640, 480}, {-30, 470, 100, 500}, {3, 4, 40, 27}, {600, 5, 700, 9}};
  const Bitmap plain32 = coords32(37, 23);
  for (const Bitmap* src : std::initializer_list<const Bitmap*>{&rgb24, &plain32, &indexed, &indexed4}) {
    const Bitmap& from = *src;
    for (const Rect& s : sources)
      for (const Rect& d : targets) {
        Bitmap got = Bitmap::create32(640, 480, 0x0A0B0C);
        copyRect(from, s, got, d);
        Bitmap want = Bitmap::create32(640, 480, 0x0A0B0C);
        for (int y = std::max(d.top, 0); y < std::min(d.bottom, 480); ++y) {
          const int sy = s.top + static_cast<int>(int64_t(y - d.top) * s.height() / d.height());
          if (sy < 0 || sy >= from.height) continue;
          for (int x = std::max(d.left, 0); x < std::min(d.right, 640); ++x) {
            const int sx = s.left + static_cast<int>(int64_t(x - d.left) * s.width() / d.width());
            if (sx >= 0 && sx < from.width) setPixel32(want, x, y, from.colourAt(sx, sy));
          }
        }
        ASSERT_TRUE(got == want) << "format " << static_cast<int>(from.format) << " from " << s.left << "," << s.top
                                 << " to " << d.left << "," << d.top;
      }
  }
}
