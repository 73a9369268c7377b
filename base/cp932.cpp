// Code page 932 through our own table (base/cp932_table.cpp), so that every platform
// reads and writes the same characters: 0x5C stays a backslash and 0x7E a tilde, and
// the NEC and IBM extensions (①, ～) are known.
#include "base/cp932.h"

#include <array>
#include <memory>
#include <optional>

#include "base/cp932_table.h"
#include "base/utf8.h"

namespace shirakaba {
namespace {

using cp932::isLeadByte;
using cp932::isTrailByte;

// The character of a byte that stands alone, or nothing.
std::optional<char32_t> singleByte(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1);  // half-width katakana
  return std::nullopt;
}

// The pair (lead << 8 | trail) that encodes each code point of the BMP, 0 for none.
const std::array<uint16_t, 0x10000>& pairOf() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
    t->fill(0);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!isLeadByte(lead) || !isTrailByte(trail)) continue;
        const uint16_t cp = cp932::kPairs[cp932::pairIndex(lead, trail)];
        if (cp != 0 && (*t)[cp] == 0) (*t)[cp] = static_cast<uint16_t>(lead << 8 | trail);
      }
    for (size_t i = 0; i < cp932::kEncodingChoiceCount; ++i)
      (*t)[cp932::kEncodingChoices[i].codepoint] = cp932::kEncodingChoices[i].pair;
    return t;
  }();
  return *table;
}

}  // namespace

std::string cp932ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  size_t pos = 0;
  while (pos < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (!isLeadByte(b)) {
      out += codepointToUtf8(singleByte(b).value_or(kReplacementChar));
      ++pos;
      continue;
    }
    // A lead byte: with its trail byte one character, or one replacement character for
    // the pair (well-formed but unmapped) or for the lead byte alone.
    const bool pair = pos + 1 < bytes.size() && isTrailByte(static_cast<unsigned char>(bytes[pos + 1]));
    const uint16_t cp = pair ? cp932::kPairs[cp932::pairIndex(b, static_cast<unsigned char>(bytes[pos + 1]))] : 0;
    out += codepointToUtf8(cp != 0 ? cp : kReplacementChar);
    pos += pair ? 2 : 1;
  }
  return out;
}

Result<std::string> utf8ToCp932(const std::string& utf8) {
  std::string out;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const size_t start = pos;
    char32_t cp;
    const bool ok = decodeUtf8(utf8, pos, cp);
    if (ok && cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    if (ok && cp >= 0xFF61 && cp <= 0xFF9F) {
      out += static_cast<char>(0xA1 + (cp - 0xFF61));
      continue;
    }
    const uint16_t pair = ok && cp < 0x10000 ? pairOf()[cp] : 0;
    if (pair == 0) return fail("a character outside CP932 at byte " + std::to_string(start));
    out += static_cast<char>(pair >> 8);
    out += static_cast<char>(pair & 0xFF);
  }
  return out;
}

bool isValidUtf8(const std::string& bytes) {
  size_t pos = 0;
  char32_t cp;
  while (pos < bytes.size())
    if (!decodeUtf8(bytes, pos, cp)) return false;
  return true;
}

}  // namespace shirakaba
