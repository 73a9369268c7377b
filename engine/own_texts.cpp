// Reading and writing own-text lines, and the table the game asks for its own texts.
#include "engine/own_texts.h"

#include "base/cp932.h"
#include "base/quoted.h"
#include "engine/script.h"

namespace shirakaba {
namespace {

constexpr std::string_view kArrow = " -> ";

// A quoted text at the start of s; s is left after its closing quote.
Result<std::string> readPart(std::string_view& s, const char* what) {
  QuotedText read = readQuoted(s, Escapes::Few);
  switch (read.fault) {
    case QuotedFault::None: return std::move(read.text);
    case QuotedFault::NoOpeningQuote: return fail(std::string("the ") + what + " does not begin with a quote");
    case QuotedFault::UnknownEscape:
      return fail(std::string("the ") + what + " holds an unknown escape \\" + read.escape +
                  " (only \\n, \\\" and \\\\)");
    case QuotedFault::NoClosingQuote: break;
  }
  return fail(std::string("the ") + what + " has no closing quote");
}

std::string quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

}  // namespace

bool looksLikeOwnTextLine(std::string_view line) { return line.starts_with(kOwnTextPrefix); }

Result<OwnTextLine> parseOwnTextLine(std::string_view line) {
  if (!looksLikeOwnTextLine(line)) return fail("an own-text line begins with \"#text \"");
  if (line.size() > kOwnTextLineMax)
    return fail("the line is " + std::to_string(line.size()) + " bytes long, more than the " +
                std::to_string(kOwnTextLineMax) + " an own-text line may have");
  if (!isValidUtf8(std::string(line))) return fail("the line is not valid UTF-8");
  if (line.find('=') != std::string_view::npos)
    return fail("the line holds \"=\" and would read as a definition (use the full-width \"＝\")");
  std::string_view s = line.substr(kOwnTextPrefix.size());
  const size_t space = s.find(' ');
  OwnTextLine t;
  t.context = std::string(s.substr(0, space));
  if (t.context.empty() || space == std::string_view::npos) return fail("the context is missing");
  s.remove_prefix(space + 1);
  Result<std::string> original = readPart(s, "original");
  if (!original) return fail(original.error());
  if (!s.starts_with(kArrow)) return fail("\" -> \" must follow the original");
  s.remove_prefix(kArrow.size());
  Result<std::string> translation = readPart(s, "translation");
  if (!translation) return fail(translation.error());
  if (!s.empty()) return fail("the line goes on after the translation's closing quote");
  t.original = std::move(original).value();
  t.translation = std::move(translation).value();
  if (t.original.empty()) return fail("the original is empty");
  return t;
}

std::string formatOwnTextLine(const OwnTextLine& t) {
  return std::string(kOwnTextPrefix) + t.context + " " + quote(t.original) + std::string(kArrow) + quote(t.translation);
}

int ownTextRegionEnd(const std::vector<std::string>& lines) {
  int i = 0;
  while (i < static_cast<int>(lines.size()) && !lines[static_cast<size_t>(i)].starts_with('*')) ++i;
  return i;
}

OwnTexts OwnTexts::read(const ScriptLines& script) {
  OwnTexts texts;
  if (!script.utf8) return texts;
  const int end = ownTextRegionEnd(script.lines);
  for (int i = 0; i < end; ++i)
    if (Result<OwnTextLine> t = parseOwnTextLine(script.at(i))) texts.add(t.value());
  return texts;
}

void OwnTexts::add(const OwnTextLine& t) { table_.emplace(std::make_pair(t.context, t.original), t.translation); }

std::string OwnTexts::text(std::string_view context, std::string_view original) const {
  if (table_.empty()) return std::string(original);
  const auto it = table_.find({std::string(context), std::string(original)});
  return it == table_.end() ? std::string(original) : it->second;
}

MenuState OwnTexts::menu(const MenuState& menu) const {
  MenuState shown = menu;
  for (MenuItemState& item : shown.items) item.Caption = text(own::Menu, item.Caption);
  return shown;
}

}  // namespace shirakaba
