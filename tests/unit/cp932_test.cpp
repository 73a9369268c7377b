// Code page 932 conversions: the characters the game's text uses, and broken bytes.
#include "base/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "base/cp932_table.h"
#include "base/utf8.h"

namespace shirakaba {
namespace {

TEST(Cp932Decode, AsciiKeepsBackslashAndTilde) {
  EXPECT_EQ(cp932ToUtf8("C:\\data\\a~b"), "C:\\data\\a~b");
}

TEST(Cp932Decode, JapaneseAndExtensions) {
  EXPECT_EQ(cp932ToUtf8("\x82\xb1\x82\xcc\x8c\xe3"), "この後");
  EXPECT_EQ(cp932ToUtf8("\x81\x60"), "～");  // U+FF5E, not the wave dash
  EXPECT_EQ(cp932ToUtf8("\x87\x40"), "①");  // NEC special row
  EXPECT_EQ(cp932ToUtf8("\x81\xa5\x81\x9a\x81\x99\x81\x7c"), "▼★☆－");
  EXPECT_EQ(cp932ToUtf8("\xb1\xb2\xdf"), "ｱｲﾟ");  // half-width katakana are single bytes
}

TEST(Cp932Decode, InvalidBytesBecomeReplacementAndTheRestSurvives) {
  // 0x80 and 0xFF are no characters; 0x85 0x40 is a well-formed pair with no mapping.
  EXPECT_EQ(cp932ToUtf8("a\x80" "b\xff" "c"), "a\uFFFD" "b\uFFFD" "c");
  EXPECT_EQ(cp932ToUtf8("\x85\x40\x82\xa0"), "\uFFFD" "あ");
  // A lead byte followed by a byte that cannot trail: only the lead is lost.
  EXPECT_EQ(cp932ToUtf8("\x81 x"), "\uFFFD x");
}

TEST(Cp932Decode, TruncatedLeadByteAtTheEnd) {
  EXPECT_EQ(cp932ToUtf8("\x82\xa0\x82"), "あ\uFFFD");
  EXPECT_EQ(cp932ToUtf8("\x82"), "\uFFFD");
  EXPECT_EQ(cp932ToUtf8(""), "");
}

TEST(Cp932Decode, LongTextWithNulBytes) {
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += std::string("\x82\xa0\0", 3);
  const std::string utf8 = cp932ToUtf8(bytes);
  EXPECT_EQ(utf8.size(), 5000u * 4);
  EXPECT_EQ(utf8.substr(0, 4), std::string("あ\0", 4));
}

TEST(Cp932Encode, RoundTrips) {
  const std::string text = "\\～①ｱ朝 ★★☆ この後は本編でお楽しみ下さい 123";
  const Result<std::string> converted = utf8ToCp932(text);
  ASSERT_TRUE(converted) << converted.error();
  const std::string& bytes = converted.value();
  EXPECT_EQ(bytes.substr(0, 5), "\x5c\x81\x60\x87\x40");
  EXPECT_EQ(bytes[5], '\xb1');
  EXPECT_EQ(cp932ToUtf8(bytes), text);
}

TEST(Cp932Encode, FailsAtTheFirstCharacterOutsideTheCodePage) {
  const auto refusedAt = [](const std::string& text) {
    const Result<std::string> r = utf8ToCp932(text);
    EXPECT_FALSE(r) << text;
    return r ? std::string("converted") : r.error();
  };
  EXPECT_EQ(refusedAt("ab😀c"), "a character outside CP932 at byte 2");
  EXPECT_EQ(refusedAt("あ𠮷"), "a character outside CP932 at byte 3");
  // Characters iconv would only approximate do not pass either.
  EXPECT_EQ(refusedAt("x¥"), "a character outside CP932 at byte 1");
  EXPECT_EQ(refusedAt("〜"), "a character outside CP932 at byte 0");  // the wave dash; CP932 has only ～
  // Malformed UTF-8 is reported where it starts.
  EXPECT_EQ(refusedAt("ok\xc3"), "a character outside CP932 at byte 2");
}

TEST(Utf8Validity, StrictForms) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("a\xc3\xa9 あ \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf"));
  EXPECT_FALSE(isValidUtf8("\xc0\xaf"));          // overlong '/'
  EXPECT_FALSE(isValidUtf8("\xe0\x80\xaf"));      // overlong
  EXPECT_FALSE(isValidUtf8("\xf0\x80\x80\xaf"));  // overlong
  EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(isValidUtf8("\x80"));              // lone continuation
  EXPECT_FALSE(isValidUtf8("\xe3\x81"));          // truncated
  EXPECT_FALSE(isValidUtf8("\x82\xa0"));          // Shift-JIS is not UTF-8
}

// glibc's "CP932", the reference the table was made from, used as the game once used
// it: convert up to the first byte iconv refuses, put one U+FFFD for that byte (and for
// its trail byte when the two are a well-formed pair), go on after it.
class GlibcCp932 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (decoder_ == kNone || encoder_ == kNone) GTEST_SKIP() << "this C library's iconv has no CP932";
  }
  void TearDown() override {
    if (decoder_ != kNone) iconv_close(decoder_);
    if (encoder_ != kNone) iconv_close(encoder_);
  }

  // Converts from `pos` as far as iconv goes; returns where it stopped.
  static size_t convert(iconv_t cd, const std::string& in, size_t pos, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data() + pos);
    size_t left = in.size() - pos;
    std::string buffer(left * 4 + 8, '\0');
    char* dst = buffer.data();
    size_t room = buffer.size();
    iconv(cd, &src, &left, &dst, &room);
    out.append(buffer.data(), buffer.size() - room);
    return in.size() - left;
  }

  std::string decode(const std::string& bytes) const {
    std::string out;
    size_t pos = 0;
    while ((pos = convert(decoder_, bytes, pos, out)) < bytes.size()) {
      const bool pair = cp932::isLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() &&
                        cp932::isTrailByte(static_cast<unsigned char>(bytes[pos + 1]));
      pos += pair ? 2 : 1;
      out += "\uFFFD";
    }
    return out;
  }

  // The bytes of one character, only where they decode back to it.
  std::optional<std::string> encode(const std::string& utf8) const {
    std::string bytes, back;
    if (convert(encoder_, utf8, 0, bytes) != utf8.size()) return std::nullopt;
    if (convert(decoder_, bytes, 0, back) != bytes.size() || back != utf8) return std::nullopt;
    return bytes;
  }

 private:
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
  iconv_t decoder_ = iconv_open("UTF-8", "CP932");
  iconv_t encoder_ = iconv_open("CP932", "UTF-8");
};

TEST_F(GlibcCp932, EveryByteAndBytePairDecodesAsGlibcDecodes) {
  for (int a = 0; a < 256; ++a) {
    const std::string one(1, static_cast<char>(a));
    ASSERT_EQ(cp932ToUtf8(one), decode(one)) << "byte " << a;
    for (int b = 0; b < 256; ++b) {
      const std::string two = one + static_cast<char>(b);
      ASSERT_EQ(cp932ToUtf8(two), decode(two)) << "bytes " << a << " " << b;
    }
  }
}

TEST_F(GlibcCp932, EveryCodePointEncodesAsGlibcEncodesIt) {
  for (char32_t cp = 1; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string utf8 = codepointToUtf8(cp);
    const Result<std::string> ours = utf8ToCp932(utf8);
    const std::optional<std::string> glibc = encode(utf8);
    ASSERT_EQ(ours ? std::optional(ours.value()) : std::nullopt, glibc) << "U+" << std::hex << uint32_t{cp};
  }
}

}  // namespace
}  // namespace shirakaba
