// Not built yet.
#include "engine/cp932.h"

namespace shirakaba {
std::string cp932ToUtf8(const std::string& bytes) { return bytes; }
bool utf8ToCp932(const std::string& utf8, std::string& out, size_t*) { out = utf8; return true; }
bool isValidUtf8(const std::string&) { return true; }
}  // namespace shirakaba
