// Shift-JIS (code page 932) to and from UTF-8, as Windows has it (our own table), so that
// 0x5C stays a backslash.
#pragma once
#include <string>

#include "base/result.h"

namespace shirakaba {

// Bytes that are not valid CP932 become U+FFFD; never fails.
std::string cp932ToUtf8(const std::string& bytes);
// The text in CP932, or an Error naming the byte offset of the first character
// CP932 cannot hold ("a character outside CP932 at byte 12"); malformed UTF-8 counts
// as such a character.
Result<std::string> utf8ToCp932(const std::string& utf8);
// Whether the bytes are well-formed UTF-8.
bool isValidUtf8(const std::string& bytes);

}  // namespace shirakaba
