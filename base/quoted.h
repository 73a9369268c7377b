// Double-quoted texts with backslash escapes. The script's own-text lines and the
// translation files write their strings this way; one loop reads both, each reader
// saying which escapes it knows and wording what went wrong in its own terms.
#pragma once
#include <string>
#include <string_view>

namespace shirakaba {

enum class Escapes {
  Few,  // \n, \" and \\ only
  C,    // a C string literal's: also \t \r \a \b \f \v, octal \ooo and hex \xhh
};

// What stopped a quoted text from being read.
enum class QuotedFault { None, NoOpeningQuote, UnknownEscape, NoClosingQuote };

struct QuotedText {
  std::string text;  // the text, its escapes decoded
  QuotedFault fault = QuotedFault::None;
  char escape = 0;  // the letter after the backslash of an UnknownEscape
};

// Reads the quoted text at the start of s. Read whole, s is left after its closing
// quote; otherwise the fault says why.
QuotedText readQuoted(std::string_view& s, Escapes escapes);

}  // namespace shirakaba
