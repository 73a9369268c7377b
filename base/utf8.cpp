// Strict UTF-8 decoding step.
#include "base/utf8.h"

namespace shirakaba {

bool decodeUtf8(const std::string& s, size_t& pos, char32_t& cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(pos++);
  if (b0 < 0x80) {
    cp = b0;
    return true;
  }
  int more = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    more = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    more = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    more = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    cp = kReplacementChar;  // continuation byte or a lead that is never valid
    return false;
  }
  for (int i = 0; i < more; ++i) {
    if (pos >= s.size()) break;
    const unsigned char b = byte(pos);
    if (b < lo || b > hi) break;
    lo = 0x80, hi = 0xBF;
    cp = (cp << 6) | (b & 0x3F);
    ++pos;
    if (i == more - 1) return true;
  }
  cp = kReplacementChar;
  return false;
}

}  // namespace shirakaba
