// The game face: sizes, advances, where the glyphs land, clipping and the brushes.
#include "base/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>

#include "base/font_face.h"
#include "base/font_fallback.h"
#include "base/glyphs.h"
#include "base/utf8.h"
#include "engine/draw.h"

namespace shirakaba {
namespace {

constexpr Colour kPaper = 0x00563412;  // a background no glyph colour equals

std::shared_ptr<FontFace> gameFont() {
  const Result<std::shared_ptr<FontFace>> font = findGameFont();
  EXPECT_TRUE(font) << font.error();
  return font ? font.value() : nullptr;
}

// Counts the pixels that differ from kPaper inside and outside a rectangle.
struct Ink {
  int inside = 0, outside = 0;
};
Ink inkAround(const Bitmap& b, int left, int top, int right, int bottom, Colour paper = kPaper) {
  Ink ink;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      if (getPixel32(b, x, y) == paper) continue;
      const bool in = x >= left && x < right && y >= top && y < bottom;
      ++(in ? ink.inside : ink.outside);
    }
  return ink;
}

TEST(TextSizes, PointsAt96Dpi) {
  EXPECT_EQ(pointsToPixels(12), 16);
  EXPECT_EQ(pointsToPixels(14), 19);
  EXPECT_EQ(pointsToPixels(16), 21);
  EXPECT_EQ(pointsToPixels(9), 12);
  EXPECT_EQ(pointsToPixels(0), 0);
}

TEST(TextCodepoints, DecodeAndEncode) {
  EXPECT_EQ(utf8ToCodepoints("a朝▼😀"), U"a朝▼😀");
  EXPECT_EQ(utf8ToCodepoints("a\xff" "b\xe3\x81"), U"a\uFFFDb\uFFFD");
  EXPECT_EQ(utf8ToCodepoints("\xed\xa0\x80"), U"\uFFFD\uFFFD\uFFFD");  // a surrogate, byte by byte
  EXPECT_EQ(codepointToUtf8(U'朝'), "朝");
  EXPECT_EQ(codepointToUtf8(0x1F600), "😀");
  EXPECT_EQ(codepointToUtf8(0xD800), "\uFFFD");
  EXPECT_EQ(codepointToUtf8(0x110000), "\uFFFD");
}

TEST(GameFont, FoundOnceAndJapanese) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(findGameFont().value(), font);
  EXPECT_EQ(font->family().find("DejaVu"), std::string::npos) << font->family();
  EXPECT_FALSE(font->file().empty());
  for (char32_t cp : U"この後は本編でお楽しみ下さい▼★☆－朝ｱ0aA") {
    if (cp) {
      EXPECT_TRUE(font->covers(cp)) << static_cast<uint32_t>(cp);
    }
  }
}

TEST(GameFont, MonospacedAdvances) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  const int px = pointsToPixels(12);
  EXPECT_EQ(font->advance("あ", px), 16);
  EXPECT_EQ(font->advance("★", px), 16);
  EXPECT_EQ(font->advance("A", px), 8);
  EXPECT_EQ(font->advance("ｱ", px), 8);
  EXPECT_EQ(font->advance(" 朝", px), 24);
  EXPECT_EQ(font->advance("この後は本編でお楽しみ下さい", px), 14 * 16);
  EXPECT_EQ(font->advance("12:30", px), 40);
  EXPECT_EQ(font->advance("", px), 0);
  EXPECT_EQ(font->advance("あ", 0), 0);
}

TEST(GameFontDrawing, StaysInsideTheCell) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  for (const char* text : {"この後は本編でお楽しみ下さい", "▼", "★★☆", "－", " 朝", "0123", "Agjy_|", "ÁÇ"}) {
    for (int points : {12, 14, 16}) {
      const int px = pointsToPixels(points);
      Bitmap b = Bitmap::create32(300, 60, kPaper);
      const int x = 17, y = 11, w = font->advance(text, px);
      font->draw(b, x, y, text, px, kWhite);
      const Ink ink = inkAround(b, x, y, x + w, y + px);
      EXPECT_EQ(ink.outside, 0) << text << " at " << points << " pt";
      if (std::string(text) != " ") {
        EXPECT_GT(ink.inside, 0) << text;
      }
    }
  }
}

TEST(GameFontDrawing, MovesWithItsPosition) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  Bitmap a = Bitmap::create32(40, 40, kBlack), b = Bitmap::create32(40, 40, kBlack);
  font->draw(a, 3, 2, "▼", 16, kWhite);
  font->draw(b, 3, 7, "▼", 16, kWhite);  // the prompt's lower position
  for (int y = 0; y < 33; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(getPixel32(a, x, y), getPixel32(b, x, y + 5)) << x << "," << y;
}

TEST(GameFontDrawing, ClippedAtTheEdges) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  const std::string text = "朝の本編";
  const int w = font->advance(text, 16);
  struct At {
    int x, y;
  };
  for (At at : {At{-20, 2}, At{-w, 0}, At{30, 2}, At{5, -9}, At{5, 15}, At{-10, -10}, At{35, 14}, At{INT_MIN, 0},
                At{INT_MAX, INT_MAX}, At{INT_MAX - 10, 0}, At{0, INT_MIN}}) {
    Bitmap b = Bitmap::create32(40, 20, kPaper);
    font->draw(b, at.x, at.y, text, 16, kWhite);
    const int64_t right = int64_t{at.x} + w, bottom = int64_t{at.y} + 16;
    Ink ink = inkAround(b, std::max(at.x, 0), std::max(at.y, 0), static_cast<int>(std::clamp<int64_t>(right, 0, 40)),
                        static_cast<int>(std::clamp<int64_t>(bottom, 0, 20)));
    EXPECT_EQ(ink.outside, 0) << at.x << "," << at.y;
  }
  Bitmap empty;
  font->draw(empty, 0, 0, text, 16, kWhite);  // nothing to draw on
  Bitmap tiny = Bitmap::create32(1, 1, kPaper);
  font->draw(tiny, 0, 0, "朝", 16, kWhite);
}

TEST(GameFontDrawing, FullCoverageIsTheColourAndBlendsStayBetween) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  const Colour colour = 0x0020C0FF;  // red FF, green C0, blue 20
  Bitmap b = Bitmap::create32(120, 20, kBlack);
  font->draw(b, 0, 0, "本編★▼", 16, colour);
  int exact = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      const Colour p = getPixel32(b, x, y);
      exact += p == colour;
      for (int shift : {0, 8, 16}) EXPECT_LE((p >> shift) & 0xFF, (colour >> shift) & 0xFF);
    }
  EXPECT_GT(exact, 40);
  // White on white stays white; the channels do not drift.
  Bitmap w = Bitmap::create32(40, 20, kWhite);
  font->draw(w, 0, 0, "本編", 16, kWhite);
  EXPECT_EQ(inkAround(w, 0, 0, 0, 0, kWhite).outside, 0);
}

TEST(GameFont, LoadsFilesAndRefusesBadOnes) {
  const auto missing = loadFontFile("/nonexistent/font.ttf");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find("/nonexistent/font.ttf"), std::string::npos) << missing.error();
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  auto again = loadFontFile(font->file());
  ASSERT_TRUE(again) << again.error();
  EXPECT_EQ(again.value()->advance("あA", 16), 24);
}

// ---- Characters the game face lacks ----

// The game face alone, without the fonts that stand in for it.
std::shared_ptr<FontFace> gameFaceAlone() {
  auto font = gameFont();
  if (!font) return nullptr;
  auto alone = loadFontFile(font->file());
  EXPECT_TRUE(alone) << alone.error();
  return alone ? alone.value() : nullptr;
}

TEST(FallbackFonts, KoreanAndChineseTheGameFaceLacksAreDrawnInsideTheCell) {
  auto font = gameFont();
  auto alone = gameFaceAlone();
  ASSERT_TRUE(font && alone);
  for (const char* text : {"한", "국", "们", "这", "说"}) {
    const char32_t cp = utf8ToCodepoints(text)[0];
    ASSERT_FALSE(alone->covers(cp)) << text << " is in " << alone->family() << ": choose another character";
    EXPECT_TRUE(font->covers(cp)) << text << ": install fonts-wqy-microhei (scripts/setup.sh)";
    for (int points : {12, 14, 16}) {
      const int px = pointsToPixels(points);
      Bitmap b = Bitmap::create32(80, 60, kPaper);
      const int x = 13, y = 9, w = font->advance(text, px);
      EXPECT_GE(w, px / 2) << text;
      font->draw(b, x, y, text, px, kWhite);
      const Ink ink = inkAround(b, x, y, x + w, y + px);
      EXPECT_GT(ink.inside, px) << text << " at " << points << " pt";
      EXPECT_EQ(ink.outside, 0) << text << " at " << points << " pt";
    }
  }
}

TEST(FallbackFonts, TheGameFacesOwnGlyphsAreDrawnAsWithoutFallbacks) {
  auto font = gameFont();
  auto alone = gameFaceAlone();
  ASSERT_TRUE(font && alone);
  // Mixed with fallback characters, the game face's glyphs keep their places too.
  const std::string own = "この後は本編でお楽しみ下さい▼★ÁÇ12:30";
  Bitmap a = Bitmap::create32(400, 20, kPaper), b = Bitmap::create32(400, 20, kPaper);
  font->draw(a, 3, 2, own, 16, kWhite);
  alone->draw(b, 3, 2, own, 16, kWhite);
  EXPECT_TRUE(a.pixels == b.pixels);
  EXPECT_EQ(font->advance(own, 16), alone->advance(own, 16));

  Bitmap mixed = Bitmap::create32(400, 20, kPaper), plain = Bitmap::create32(400, 20, kPaper);
  font->draw(mixed, 0, 0, "朝한朝", 16, kWhite);
  alone->draw(plain, 0, 0, "朝", 16, kWhite);
  const int hangul = font->advance("한", 16);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(getPixel32(mixed, x, y), getPixel32(plain, x, y)) << x << "," << y;
      ASSERT_EQ(getPixel32(mixed, 16 + hangul + x, y), getPixel32(plain, x, y)) << x << "," << y;
    }
}

TEST(FallbackFonts, OnlyCharactersNoInstalledFontHasAreReported) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  const std::vector<std::string> lines{"白樺の寮", "한국어 我们这里 Été", "私用\uE000 \U0010FFFD", "\uE000"};
  const std::vector<MissingGlyph> missing = findMissingGlyphs(lines, *font);
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0].cp, 0xE000u);
  EXPECT_EQ(missing[0].line, 2);
  EXPECT_EQ(missing[1].cp, 0x10FFFDu);
  // Such a character is still drawn as the game face draws it.
  auto alone = gameFaceAlone();
  ASSERT_NE(alone, nullptr);
  Bitmap a = Bitmap::create32(40, 20, kPaper), b = Bitmap::create32(40, 20, kPaper);
  font->draw(a, 0, 0, "\uE000", 16, kWhite);
  alone->draw(b, 0, 0, "\uE000", 16, kWhite);
  EXPECT_TRUE(a.pixels == b.pixels);
}

TEST(FallbackFonts, AFallbackThatCannotBeUsedLeavesTheCharacterMissing) {
  auto alone = gameFaceAlone();
  ASSERT_NE(alone, nullptr);
  const std::string file = alone->file();
  int asked = 0;
  for (FontFile offered : {FontFile{"/nonexistent/font.ttf", 0}, FontFile{file, 0}, FontFile{file, 99}}) {
    auto face = openFontFace(file, 0, "", [&](char32_t) {
      ++asked;
      return std::optional<FontFile>(offered);
    });
    ASSERT_TRUE(face) << face.error();
    EXPECT_FALSE(face.value()->covers(U'한')) << offered.path << "#" << offered.index;
    EXPECT_FALSE(face.value()->covers(U'한'));  // asked once per character
    Bitmap b = Bitmap::create32(40, 20, kPaper);
    face.value()->draw(b, 0, 0, "한", 16, kWhite);
  }
  EXPECT_EQ(asked, 3);
}

// Where fonts are files handed in (the web build), the game face with the installed
// Korean and Chinese font behind it draws as the face fontconfig assembles here.
TEST(FallbackFonts, FilesHandedInStandInAsTheInstalledFontsDo) {
  auto font = gameFont();
  ASSERT_NE(font, nullptr);
  const std::string wqy = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
  auto handedIn = openFontFace(font->file(), 0, "", fallbackFontFiles({"/nonexistent/font.ttf", wqy}));
  ASSERT_TRUE(handedIn) << handedIn.error();
  const std::string text = "朝한국们 A";
  EXPECT_TRUE(handedIn.value()->covers(U'한')) << "install fonts-wqy-microhei (scripts/setup.sh)";
  EXPECT_FALSE(handedIn.value()->covers(0xE000));
  Bitmap a = Bitmap::create32(120, 20, kPaper), b = Bitmap::create32(120, 20, kPaper);
  font->draw(a, 1, 2, text, 16, kWhite);
  handedIn.value()->draw(b, 1, 2, text, 16, kWhite);
  EXPECT_TRUE(a.pixels == b.pixels);
}

// ---- The canvases' fonts through SetTextFont and TextOut ----

class CanvasText : public ::testing::Test {
 protected:
  void SetUp() override {
    c.font = gameFont();
    ASSERT_NE(c.font, nullptr);
    c.BackBuffer = Bitmap::create32(kScreenW, kScreenH, kPaper);
    c.ImageBa = Bitmap::create32(kScreenW, kScreenH, kPaper);
  }
  DrawContext c;
};

TEST_F(CanvasText, SolidBlackFillsTheCellOnBothCanvases) {
  SetTextFont(c, TextBrush::Black, 12, kWhite);
  const std::string text = "朝 ★★☆";
  const int w = c.font->advance(text, 16);
  for (Target target : {Target::Back, Target::Screen}) {
    TextOut(c, target, 100, 420, text);
    const Bitmap& b = c.target(target);
    EXPECT_EQ(inkAround(b, 100, 420, 100 + w, 436).outside, 0);
    int black = 0, white = 0;
    for (int y = 420; y < 436; ++y)
      for (int x = 100; x < 100 + w; ++x) {
        const Colour p = getPixel32(b, x, y);
        EXPECT_NE(p, kPaper) << x << "," << y;
        black += p == kBlack;
        white += p == kWhite;
      }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
  }
}

TEST_F(CanvasText, SolidWhiteOnlyOnTheScreen) {
  SetTextFont(c, TextBrush::Clear, 12, kWhite);
  SetTextFont(c, TextBrush::WhiteOnScreen, 12, kBlack);
  const int w = c.font->advance("はい", 16);
  TextOut(c, Target::Screen, 200, 100, "はい");
  TextOut(c, Target::Back, 200, 100, "はい");
  int white = 0;
  for (int x = 200; x < 200 + w; ++x) white += getPixel32(c.ImageBa, x, 100) == kWhite;
  EXPECT_EQ(white, w);  // the cell's top row is above every glyph
  // The BackBuffer keeps its clear brush: black glyphs straight on the paper.
  for (int x = 200; x < 200 + w; ++x) EXPECT_EQ(getPixel32(c.BackBuffer, x, 100), kPaper);
  EXPECT_GT(inkAround(c.BackBuffer, 200, 100, 200 + w, 116).inside, 0);
}

TEST_F(CanvasText, ClearBrushLeavesTheBackground) {
  SetTextFont(c, TextBrush::Clear, 16, kWhite);
  TextOut(c, Target::Screen, 60, 50, "ー");
  const Ink ink = inkAround(c.ImageBa, 60, 50, 81, 71);
  EXPECT_EQ(ink.outside, 0);
  EXPECT_GT(ink.inside, 0);
  EXPECT_LT(ink.inside, 21 * 21 / 2);  // a bar, not a filled cell
}

}  // namespace
}  // namespace shirakaba

namespace shirakaba {

// Two fallback fonts that each cover part of Hangul: Droid Sans Fallback has three
// syllables (가, 힢, 힣), WenQuanYi all of them. Even with the partial one preferred, a
// Korean line comes from the one that covers it all, not syllable by syllable.
TEST(FallbackFonts, ALineOfOneScriptComesFromOneFontThatCoversIt) {
  const FontFile partial{"/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf", 0};
  const FontFile whole{"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0};
  for (const FontFile& f : {partial, whole})
    ASSERT_TRUE(std::filesystem::is_regular_file(f.path)) << f.path << ": install fonts-droid-fallback and fonts-wqy-microhei (scripts/setup.sh)";
  const FallbackLookup lookup = fallbackFontsFrom({partial, whole});
  for (char32_t cp : utf8ToCodepoints("가방을 안고 힣")) {
    if (cp == U' ') continue;
    const std::optional<FontFile> font = lookup(cp);
    ASSERT_TRUE(font) << static_cast<uint32_t>(cp);
    EXPECT_EQ(font->path, whole.path) << static_cast<uint32_t>(cp);
  }
  // Where only the partial font has a character at all, it still draws it.
  EXPECT_EQ(fallbackFontsFrom({partial})(U'가')->path, partial.path);
  EXPECT_FALSE(fallbackFontsFrom({partial})(U'방'));
}

}  // namespace shirakaba
