// Shift-JIS (code page 932) to and from UTF-8, through iconv's "CP932" so that
// 0x5C stays a backslash.
#pragma once
#include <string>

namespace shirakaba {

// Bytes that are not valid CP932 become U+FFFD; never fails.
std::string cp932ToUtf8(const std::string& bytes);
// False (and the byte offset of the first character that cannot be written in
// *badOffset) when the text holds a character outside CP932.
bool utf8ToCp932(const std::string& utf8, std::string& out, size_t* badOffset = nullptr);
// Whether the bytes are well-formed UTF-8.
bool isValidUtf8(const std::string& bytes);

}  // namespace shirakaba
