// Code page 932 through iconv. The name "CP932" (not "SHIFT_JIS") keeps 0x5C a
// backslash and 0x7E a tilde and knows the NEC and IBM extensions (①, ～).
#include "base/cp932.h"

#include <iconv.h>

#include <cerrno>

#include "base/utf8.h"

namespace shirakaba {
namespace {

const std::string& replacementUtf8() {
  static const std::string bytes = codepointToUtf8(kReplacementChar);
  return bytes;
}

// One conversion direction, opened once per thread and reset before each use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts bytes [in, in + n) onto the end of out. Returns the number of bytes
  // consumed; stops at the first byte iconv refuses (errno EILSEQ or EINVAL).
  size_t convert(const char* in, size_t n, std::string& out, int* err) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    size_t left = n;
    *err = 0;
    while (left > 0) {
      const size_t used = out.size();
      out.resize(used + left * 2 + 16);
      char* dst = out.data() + used;
      size_t room = out.size() - used;
      const size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.resize(out.size() - room);
      if (r != static_cast<size_t>(-1)) break;
      if (errno != E2BIG) {
        *err = errno;
        break;
      }
    }
    return n - left;
  }

 private:
  iconv_t cd_;
};

Converter& decoder() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& encoder() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Without iconv only ASCII survives.
std::string asciiOnly(const std::string& bytes) {
  std::string out;
  for (char ch : bytes) {
    if (static_cast<unsigned char>(ch) < 0x80) out += ch;
    else out += replacementUtf8();
  }
  return out;
}

}  // namespace

std::string cp932ToUtf8(const std::string& bytes) {
  Converter& c = decoder();
  if (!c.ok()) return asciiOnly(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  size_t pos = 0;
  while (pos < bytes.size()) {
    int err = 0;
    pos += c.convert(bytes.data() + pos, bytes.size() - pos, out, &err);
    if (pos >= bytes.size()) break;
    // A byte iconv refused: skip it, together with its trail byte when it leads a
    // well-formed but unmapped pair, and go on after one replacement character.
    const auto b = static_cast<unsigned char>(bytes[pos]);
    const bool pair = isLeadByte(b) && pos + 1 < bytes.size() &&
                      isTrailByte(static_cast<unsigned char>(bytes[pos + 1]));
    pos += pair ? 2 : 1;
    out += replacementUtf8();
  }
  return out;
}

Result<std::string> utf8ToCp932(const std::string& utf8) {
  std::string out;
  Converter& enc = encoder();
  Converter& dec = decoder();
  // Each character is converted on its own and read back, so that a character
  // iconv only approximates (¥ to 0x5C, 〜 to ～) counts as unconvertible too.
  size_t pos = 0;
  std::string back;
  while (pos < utf8.size()) {
    const size_t start = pos;
    char32_t cp;
    bool ok = decodeUtf8(utf8, pos, cp) && enc.ok();
    if (ok && cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    if (ok) {
      int err = 0;
      const size_t before = out.size();
      ok = enc.convert(utf8.data() + start, pos - start, out, &err) == pos - start && err == 0;
      if (ok) {
        back.clear();
        ok = dec.convert(out.data() + before, out.size() - before, back, &err) == out.size() - before &&
             err == 0 && back == utf8.substr(start, pos - start);
      }
    }
    if (!ok) return fail("a character outside CP932 at byte " + std::to_string(start));
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
