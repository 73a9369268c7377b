// Writes base/cp932_table.cpp from glibc's iconv "CP932":
//   shirakaba-make-cp932-table base/cp932_table.cpp
// Run again only when the table is to change; the program decodes and encodes with the
// table alone. Stops without writing when glibc's single bytes are not the ones
// base/cp932.cpp assumes (ASCII, and the half-width katakana 0xA1..0xDF).
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp932_table.h"

namespace {

using namespace shirakaba::cp932;

// Converts all of `in`, or nothing.
std::optional<std::string> convert(iconv_t cd, const std::string& in) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  char* dst = out.data();
  size_t left = in.size(), room = out.size();
  if (iconv(cd, &src, &left, &dst, &room) == static_cast<size_t>(-1) || left != 0) return std::nullopt;
  out.resize(out.size() - room);
  return out;
}

// One code point out of UTF-32LE bytes, or nothing when there is not exactly one.
std::optional<char32_t> single(const std::optional<std::string>& utf32) {
  if (!utf32 || utf32->size() != 4) return std::nullopt;
  const auto* b = reinterpret_cast<const unsigned char*>(utf32->data());
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<char32_t>(b[3]) << 24;
}

std::string utf32(char32_t cp) {
  return std::string{static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8 & 0xFF), static_cast<char>(cp >> 16 & 0xFF), 0};
}

std::optional<char32_t> expectedSingleByte(unsigned b) {
  if (b < 0x80) return b;
  if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
    return 2;
  }
  iconv_t decoder = iconv_open("UTF-32LE", "CP932"), encoder = iconv_open("CP932", "UTF-32LE");
  if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "this C library's iconv has no CP932\n");
    return 1;
  }
  for (unsigned b = 0; b < 256; ++b) {
    if (isLeadByte(static_cast<unsigned char>(b))) continue;
    if (single(convert(decoder, std::string(1, static_cast<char>(b)))) != expectedSingleByte(b)) {
      std::fprintf(stderr, "glibc decodes the single byte 0x%02X otherwise than assumed\n", b);
      return 1;
    }
  }

  std::vector<uint16_t> pairs(kLeadCount * kTrailCount, 0);
  std::map<char32_t, uint16_t> firstPair;  // code point -> first pair decoding to it
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!isLeadByte(lead) || !isTrailByte(trail)) continue;
      const std::optional<char32_t> cp = single(convert(decoder, {static_cast<char>(lead), static_cast<char>(trail)}));
      if (!cp) continue;
      if (*cp == 0 || *cp > 0xFFFF) {
        std::fprintf(stderr, "the pair %02X%02X decodes to U+%04X, which the table cannot hold\n", lead, trail,
                     static_cast<unsigned>(*cp));
        return 1;
      }
      pairs[pairIndex(lead, trail)] = static_cast<uint16_t>(*cp);
      firstPair.emplace(*cp, static_cast<uint16_t>(lead << 8 | trail));
    }

  // What glibc encodes each character as, kept only where it decodes back to it.
  std::vector<std::pair<uint16_t, uint16_t>> choices;
  for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::optional<std::string> bytes = convert(encoder, utf32(cp));
    uint16_t glibc = 0;
    if (bytes && single(convert(decoder, *bytes)) == cp) {
      if (bytes->size() == 1) {
        if (expectedSingleByte(static_cast<unsigned char>((*bytes)[0])) != cp) {
          std::fprintf(stderr, "glibc encodes U+%04X as an unexpected single byte\n", static_cast<unsigned>(cp));
          return 1;
        }
        continue;
      }
      glibc = static_cast<uint16_t>(static_cast<unsigned char>((*bytes)[0]) << 8 | static_cast<unsigned char>((*bytes)[1]));
    }
    const auto first = firstPair.find(cp);
    const uint16_t table = first == firstPair.end() ? 0 : first->second;
    if (glibc != table) choices.emplace_back(static_cast<uint16_t>(cp), glibc);
  }

  std::ostringstream out;
  out << "// Code page 932 as glibc's iconv \"CP932\" converts it. Made by\n"
         "// tools/cp932/make_cp932_table.cpp: do not edit.\n"
         "#include \"base/cp932_table.h\"\n\n"
         "namespace shirakaba::cp932 {\n\n"
         "const uint16_t kPairs[kLeadCount * kTrailCount] = {\n";
  char buf[32];
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (i % 12 == 0) out << "   ";
    std::snprintf(buf, sizeof buf, " 0x%04X,", pairs[i]);
    out << buf;
    if (i % 12 == 11 || i + 1 == pairs.size()) out << '\n';
  }
  out << "};\n\nconst EncodingChoice kEncodingChoices[] = {\n";
  for (size_t i = 0; i < choices.size(); ++i) {
    if (i % 6 == 0) out << "   ";
    std::snprintf(buf, sizeof buf, " {0x%04X, 0x%04X},", choices[i].first, choices[i].second);
    out << buf;
    if (i % 6 == 5 || i + 1 == choices.size()) out << '\n';
  }
  out << "};\nconst size_t kEncodingChoiceCount = sizeof kEncodingChoices / sizeof kEncodingChoices[0];\n\n"
         "}  // namespace shirakaba::cp932\n";
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu pairs, %zu encoding choices\n", firstPair.size(), choices.size());
  return 0;
}
