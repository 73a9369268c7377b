// One strict UTF-8 decoding step shared by the text routines and the code-page
// conversion: no overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once
#include <cstddef>
#include <string>

namespace shirakaba {

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at s[pos] into cp and moves pos past it. On a malformed
// sequence it returns false and moves pos past the longest prefix that could
// have begun a valid sequence (at least one byte), so that each one becomes a
// single replacement character.
bool decodeUtf8(const std::string& s, size_t& pos, char32_t& cp);

}  // namespace shirakaba
