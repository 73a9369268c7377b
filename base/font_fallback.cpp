// The script blocks that decide which fallback font draws a character; the fonts
// themselves come from the platform (font_source_*.cpp).
#include "base/font_fallback.h"

namespace shirakaba {

ScriptBlock scriptBlockOf(char32_t cp) {
  static constexpr ScriptBlock kBlocks[] = {
      {0x0000, 0x024F},  // Latin
      {0x0370, 0x03FF},  // Greek
      {0x0400, 0x052F},  // Cyrillic
      {0x0590, 0x05FF},  // Hebrew
      {0x0600, 0x06FF},  // Arabic
      {0x0E00, 0x0E7F},  // Thai
      {0x1100, 0x11FF},  // Hangul jamo
      {0x3040, 0x30FF},  // hiragana and katakana
      {0x3130, 0x318F},  // Hangul compatibility jamo
      {0x3400, 0x4DBF},  // CJK ideographs, extension A
      {0x4E00, 0x9FFF},  // CJK ideographs
      {0xAC00, 0xD7A3},  // Hangul syllables
      {0xFF00, 0xFFEF},  // full-width and half-width forms
  };
  for (const ScriptBlock& b : kBlocks)
    if (cp >= b.first && cp <= b.last) return b;
  return {cp & ~char32_t{0x7F}, cp | 0x7F};
}

}  // namespace shirakaba
