// The double-byte half of code page 932 as a table, the same on every platform (the
// C libraries disagree on it, and some have no CP932 at all). Made once from glibc's
// "CP932" by tools/cp932/make_cp932_table.cpp; a test holds it to glibc.
#pragma once
#include <cstddef>
#include <cstdint>

namespace shirakaba::cp932 {

// Lead bytes 0x81..0x9F and 0xE0..0xFC; trail bytes 0x40..0xFC without 0x7F.
constexpr int kLeadCount = 60, kTrailCount = 188;

constexpr bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The place of a well-formed pair in kPairs.
constexpr int pairIndex(unsigned char lead, unsigned char trail) {
  const int row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
  const int column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
  return row * kTrailCount + column;
}

// The code point of each pair, 0 where the pair is no character.
extern const uint16_t kPairs[kLeadCount * kTrailCount];

// Characters that more than one pair decodes to are encoded as the first such pair
// in kPairs, except these: their pair is given, or 0 when CP932 does not encode them.
struct EncodingChoice {
  uint16_t codepoint;
  uint16_t pair;  // lead << 8 | trail
};
extern const EncodingChoice kEncodingChoices[];
extern const size_t kEncodingChoiceCount;

}  // namespace shirakaba::cp932
