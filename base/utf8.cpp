// Strict UTF-8 decoding step and the encoder.
#include "base/utf8.h"

namespace shirakaba {

bool startsWithUtf8Bom(const std::string& bytes) { return std::string_view(bytes).substr(0, 3) == kUtf8Bom; }

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

std::string codepointToUtf8(char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

std::string sanitizeUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t start = pos;
    char32_t cp;
    if (decodeUtf8(bytes, pos, cp))
      out.append(bytes, start, pos - start);
    else
      out += codepointToUtf8(kReplacementChar);
  }
  return out;
}

}  // namespace shirakaba
