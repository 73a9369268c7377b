#include "headless/replay.h"

#include <algorithm>

#include <charconv>
#include <vector>

namespace shirakaba {

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trim(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == s.npos) return {};
  const size_t last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// Splits at blanks; `rest[i]` is the text from token i to the end of the line.
struct Tokens {
  std::vector<std::string_view> words;
  std::vector<std::string_view> rest;
};

Tokens tokenize(std::string_view s) {
  Tokens t;
  size_t i = 0;
  for (;;) {
    i = s.find_first_not_of(kBlanks, i);
    if (i == s.npos) break;
    size_t end = s.find_first_of(kBlanks, i);
    if (end == s.npos) end = s.size();
    t.words.push_back(s.substr(i, end - i));
    t.rest.push_back(s.substr(i));
    i = end;
  }
  return t;
}

std::string quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

// A decimal integer in [lo, hi], optional minus sign, nothing else.
Result<int64_t> parseInteger(std::string_view word, int64_t lo, int64_t hi, const char* what) {
  int64_t v = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  auto [p, ec] = std::from_chars(first, last, v);
  if (word.empty() || p != last || (ec != std::errc() && ec != std::errc::result_out_of_range))
    return fail(std::string(what) + " is not a whole number: " + quoted(word));
  if (ec == std::errc::result_out_of_range || v < lo || v > hi)
    return fail(std::string(what) + " is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) +
                "): " + quoted(word));
  return v;
}

Result<MouseButton> parseButton(std::string_view word) {
  if (word == "left") return MouseButton::Left;
  if (word == "right") return MouseButton::Right;
  if (word == "middle") return MouseButton::Middle;
  return fail("bad button name " + quoted(word) + " (left, right or middle)");
}

// The items a player can click: those with a click handler.
Result<MenuId> parseMenuItem(std::string_view word) {
  const int i = findMenuItem(word);
  if (i < 0 || !menuDef(i).hasHandler) return fail("unknown menu item " + quoted(word));
  return static_cast<MenuId>(i);
}

// Shots are written inside the shots directory: no separators, no hidden names.
bool validShotName(std::string_view name) {
  if (name.empty() || name.size() > 100 || name[0] == '.') return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}

bool validPath(std::string_view path) {
  if (path.empty() || path.front() == '.' || path.back() == '.') return false;
  return path.find("..") == path.npos;
}

Result<void> checkCount(const Tokens& t, size_t least, size_t most, const char* usage) {
  const size_t args = t.words.size() - 1;
  if (args >= least && args <= most) return {};
  return fail(std::string(args < least ? "missing arguments" : "too many arguments") + ": usage " + usage);
}

Command ofKind(CommandKind kind) {
  Command cmd;
  cmd.kind = kind;
  return cmd;
}

// An Error's message carried on as an Error of another Result.
Error failed(const auto& result) { return fail(result.error()); }

// A coordinate command: X Y, and a button where the command takes one.
Result<Command> coordinates(const Tokens& t, CommandKind kind, bool withButton, const char* usage) {
  if (auto c = checkCount(t, 2, withButton ? 3 : 2, usage); !c) return failed(c);
  Result<int64_t> x = parseInteger(t.words[1], INT32_MIN, INT32_MAX, "X");
  if (!x) return failed(x);
  Result<int64_t> y = parseInteger(t.words[2], INT32_MIN, INT32_MAX, "Y");
  if (!y) return failed(y);
  Command cmd = ofKind(kind);
  cmd.x = static_cast<int>(x.value());
  cmd.y = static_cast<int>(y.value());
  if (t.words.size() < 4) return cmd;
  Result<MouseButton> button = parseButton(t.words[3]);
  if (!button) return failed(button);
  cmd.button = button.value();
  return cmd;
}

// A command of one integer argument N in [lo, hi], kept as its value.
Result<Command> withNumber(const Tokens& t, CommandKind kind, int64_t lo, int64_t hi, const char* usage,
                           const char* what) {
  if (auto c = checkCount(t, 1, 1, usage); !c) return failed(c);
  Result<int64_t> n = parseInteger(t.words[1], lo, hi, what);
  if (!n) return failed(n);
  Command cmd = ofKind(kind);
  cmd.value = static_cast<int32_t>(n.value());
  return cmd;
}

// A command of one word out of a list, kept as its index.
Result<Command> withChoice(const Tokens& t, CommandKind kind, const std::vector<std::string_view>& words,
                           const char* usage) {
  if (auto c = checkCount(t, 1, 1, usage); !c) return failed(c);
  const auto at = std::find(words.begin(), words.end(), t.words[1]);
  if (at == words.end())
    return fail("unknown " + std::string(t.words[0]) + " mode " + quoted(t.words[1]) + ": usage " + usage);
  Command cmd = ofKind(kind);
  cmd.value = static_cast<int32_t>(at - words.begin());
  return cmd;
}

Result<Command> readCommand(const Tokens& t) {
  const std::string_view verb = t.words[0];
  if (verb == "wait") {
    if (auto c = checkCount(t, 1, 1, "wait MS"); !c) return failed(c);
    Result<int64_t> ms = parseInteger(t.words[1], 0, INT32_MAX, "MS");
    if (!ms) return failed(ms);
    Command cmd = ofKind(CommandKind::Wait);
    cmd.ms = ms.value();
    return cmd;
  }
  if (verb == "settle" || verb == "state" || verb == "quit") {
    const char* usage = verb == "settle" ? "settle" : verb == "state" ? "state" : "quit";
    if (auto c = checkCount(t, 0, 0, usage); !c) return failed(c);
    return ofKind(verb == "settle" ? CommandKind::Settle : verb == "state" ? CommandKind::State : CommandKind::Quit);
  }
  if (verb == "down") return coordinates(t, CommandKind::Down, true, "down X Y [left|right|middle]");
  if (verb == "up") return coordinates(t, CommandKind::Up, true, "up X Y [left|right|middle]");
  if (verb == "click") return coordinates(t, CommandKind::Click, true, "click X Y [left|right|middle]");
  if (verb == "move") return coordinates(t, CommandKind::Move, false, "move X Y");
  if (verb == "menu" || verb == "call") {
    if (auto c = checkCount(t, 1, 1, verb == "menu" ? "menu NAME" : "call NAME"); !c) return failed(c);
    Result<MenuId> item = parseMenuItem(t.words[1]);
    if (!item) return failed(item);
    Command cmd = ofKind(verb == "menu" ? CommandKind::Menu : CommandKind::Call);
    cmd.item = item.value();
    return cmd;
  }
  if (verb == "mode") return withNumber(t, CommandKind::Mode, INT32_MIN, INT32_MAX, "mode N", "N");
  // Forced draws stand for a draw below some bound, so they are never negative.
  if (verb == "rand") return withNumber(t, CommandKind::Rand, 0, INT32_MAX, "rand R", "R");
  if (verb == "dialog") {
    if (auto c = checkCount(t, 1, 1, "dialog close"); !c) return failed(c);
    if (t.words[1] != "close") return fail("unknown dialog action " + quoted(t.words[1]) + ": usage dialog close");
    return ofKind(CommandKind::DialogClose);
  }
  if (verb == "shot") {
    if (auto c = checkCount(t, 1, 1, "shot NAME"); !c) return failed(c);
    if (!validShotName(t.words[1]))
      return fail("bad shot name " + quoted(t.words[1]) + " (letters, digits, '_', '-', '.'; not starting with '.')");
    Command cmd = ofKind(CommandKind::Shot);
    cmd.name = std::string(t.words[1]);
    return cmd;
  }
  if (verb == "save" || verb == "load") {
    // The file is the rest of the line, so that a path may hold blanks.
    const bool save = verb == "save";
    if (auto c = checkCount(t, 1, SIZE_MAX, save ? "save FILE|slot:NAME" : "load FILE|slot:NAME"); !c)
      return failed(c);
    std::string_view file = t.rest[1];
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t')) file.remove_suffix(1);
    Command cmd = ofKind(save ? CommandKind::Save : CommandKind::Load);
    cmd.name = std::string(file);
    return cmd;
  }
  if (verb == "rollback") return withNumber(t, CommandKind::Rollback, 1, INT32_MAX, "rollback N", "N");
  if (verb == "forward") return withNumber(t, CommandKind::Forward, 1, INT32_MAX, "forward N", "N");
  if (verb == "skip") return withChoice(t, CommandKind::Skip, {"off", "read", "all"}, "skip all|read|off");
  if (verb == "auto") return withChoice(t, CommandKind::Auto, {"off", "on"}, "auto on|off");
  if (verb == "expect") {
    if (auto c = checkCount(t, 2, SIZE_MAX, "expect PATH VALUE"); !c) return failed(c);
    if (!validPath(t.words[1])) return fail("bad path " + quoted(t.words[1]));
    Result<Json> expected = parseExpectedValue(t.rest[2]);
    if (!expected) return failed(expected);
    Command cmd = ofKind(CommandKind::Expect);
    cmd.name = std::string(t.words[1]);
    cmd.expected = std::move(expected).value();
    return cmd;
  }
  return fail("unknown command " + quoted(verb));
}

}  // namespace

std::string_view stripComment(std::string_view line) {
  bool inString = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '#') {
      return line.substr(0, i);
    }
  }
  return line;
}

Result<Json> parseExpectedValue(std::string_view text) {
  text = trim(text);
  if (text.empty()) return fail("missing value");
  const char c = text.front();
  const bool looksJson = c == '"' || c == '[' || c == '{' || text == "true" || text == "false" ||
                         text == "null";
  Result<Json> parsed = parseJsonText(text);
  if (!parsed && looksJson) return fail("bad JSON value " + quoted(text) + ": " + parsed.error());
  if (parsed && (looksJson || parsed->is_number())) return parsed;
  return Json(std::string(text));
}

Result<Command> parseReplayLine(std::string_view line) {
  if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  const Tokens t = tokenize(stripComment(line));
  if (t.words.empty()) return Command{};
  return readCommand(t);
}

}  // namespace shirakaba
