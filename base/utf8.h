// UTF-8 for everything that reads or writes it: one strict decoding step shared by
// the text routines and the code-page conversion (no overlong forms, no surrogates,
// nothing above U+10FFFF) and the one encoder of a code point.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace shirakaba {

constexpr char32_t kReplacementChar = 0xFFFD;
// The byte-order mark that marks a text (a script block, a script file) as UTF-8.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool startsWithUtf8Bom(const std::string& bytes);

// Decodes the code point at s[pos] into cp and moves pos past it. On a malformed
// sequence it returns false and moves pos past the longest prefix that could
// have begun a valid sequence (at least one byte), so that each one becomes a
// single replacement character.
bool decodeUtf8(const std::string& s, size_t& pos, char32_t& cp);

// The UTF-8 bytes of one code point; a surrogate or a value above U+10FFFF, which
// UTF-8 cannot hold, becomes U+FFFD.
std::string codepointToUtf8(char32_t cp);

// The bytes with every malformed sequence replaced by U+FFFD, as decodeUtf8 splits them.
std::string sanitizeUtf8(const std::string& bytes);

}  // namespace shirakaba
