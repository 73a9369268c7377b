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
bool parseInteger(std::string_view word, int64_t lo, int64_t hi, int64_t& out, std::string& error,
                  const char* what) {
  int64_t v = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  auto [p, ec] = std::from_chars(first, last, v);
  if (word.empty() || p != last || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
    error = std::string(what) + " is not a whole number: " + quoted(word);
    return false;
  }
  if (ec == std::errc::result_out_of_range || v < lo || v > hi) {
    error = std::string(what) + " is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) +
            "): " + quoted(word);
    return false;
  }
  out = v;
  return true;
}

bool parseButton(std::string_view word, MouseButton& out, std::string& error) {
  if (word == "left") out = MouseButton::Left;
  else if (word == "right") out = MouseButton::Right;
  else if (word == "middle") out = MouseButton::Middle;
  else {
    error = "bad button name " + quoted(word) + " (left, right or middle)";
    return false;
  }
  return true;
}

// The items a player can click: those with a click handler.
bool parseMenuItem(std::string_view word, MenuId& out, std::string& error) {
  const int i = findMenuItem(word);
  if (i < 0 || !menuDef(i).hasHandler) {
    error = "unknown menu item " + quoted(word);
    return false;
  }
  out = static_cast<MenuId>(i);
  return true;
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

bool checkCount(const Tokens& t, size_t least, size_t most, const char* usage, std::string& error) {
  const size_t args = t.words.size() - 1;
  if (args >= least && args <= most) return true;
  error = std::string(args < least ? "missing arguments" : "too many arguments") + ": usage " + usage;
  return false;
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
  Command cmd;
  if (t.words.empty()) return cmd;

  const std::string_view verb = t.words[0];
  std::string error;
  int64_t n = 0;
  const auto coordinates = [&](bool withButton, const char* usage) {
    if (!checkCount(t, 2, withButton ? 3 : 2, usage, error)) return false;
    if (!parseInteger(t.words[1], INT32_MIN, INT32_MAX, n, error, "X")) return false;
    cmd.x = static_cast<int>(n);
    if (!parseInteger(t.words[2], INT32_MIN, INT32_MAX, n, error, "Y")) return false;
    cmd.y = static_cast<int>(n);
    return t.words.size() < 4 || parseButton(t.words[3], cmd.button, error);
  };

  bool ok = false;
  if (verb == "wait") {
    cmd.kind = CommandKind::Wait;
    ok = checkCount(t, 1, 1, "wait MS", error) && parseInteger(t.words[1], 0, INT32_MAX, cmd.ms, error, "MS");
  } else if (verb == "settle" || verb == "state" || verb == "quit") {
    cmd.kind = verb == "settle" ? CommandKind::Settle : verb == "state" ? CommandKind::State : CommandKind::Quit;
    ok = checkCount(t, 0, 0, verb == "settle" ? "settle" : verb == "state" ? "state" : "quit", error);
  } else if (verb == "down") {
    cmd.kind = CommandKind::Down;
    ok = coordinates(true, "down X Y [left|right|middle]");
  } else if (verb == "up") {
    cmd.kind = CommandKind::Up;
    ok = coordinates(true, "up X Y [left|right|middle]");
  } else if (verb == "click") {
    cmd.kind = CommandKind::Click;
    ok = coordinates(true, "click X Y [left|right|middle]");
  } else if (verb == "move") {
    cmd.kind = CommandKind::Move;
    ok = coordinates(false, "move X Y");
  } else if (verb == "menu" || verb == "call") {
    cmd.kind = verb == "menu" ? CommandKind::Menu : CommandKind::Call;
    ok = checkCount(t, 1, 1, verb == "menu" ? "menu NAME" : "call NAME", error) &&
         parseMenuItem(t.words[1], cmd.item, error);
  } else if (verb == "mode") {
    cmd.kind = CommandKind::Mode;
    ok = checkCount(t, 1, 1, "mode N", error) && parseInteger(t.words[1], INT32_MIN, INT32_MAX, n, error, "N");
    cmd.value = static_cast<int32_t>(n);
  } else if (verb == "rand") {
    // Forced draws stand for a draw below some bound, so they are never negative.
    cmd.kind = CommandKind::Rand;
    ok = checkCount(t, 1, 1, "rand R", error) && parseInteger(t.words[1], 0, INT32_MAX, n, error, "R");
    cmd.value = static_cast<int32_t>(n);
  } else if (verb == "dialog") {
    cmd.kind = CommandKind::DialogClose;
    ok = checkCount(t, 1, 1, "dialog close", error);
    if (ok && t.words[1] != "close") {
      error = "unknown dialog action " + quoted(t.words[1]) + ": usage dialog close";
      ok = false;
    }
  } else if (verb == "shot") {
    cmd.kind = CommandKind::Shot;
    ok = checkCount(t, 1, 1, "shot NAME", error);
    if (ok && !validShotName(t.words[1])) {
      error = "bad shot name " + quoted(t.words[1]) + " (letters, digits, '_', '-', '.'; not starting with '.')";
      ok = false;
    }
    if (ok) cmd.name = std::string(t.words[1]);
  } else if (verb == "save" || verb == "load") {
    // The file is the rest of the line, so that a path may hold blanks.
    cmd.kind = verb == "save" ? CommandKind::Save : CommandKind::Load;
    ok = checkCount(t, 1, SIZE_MAX, verb == "save" ? "save FILE|slot:NAME" : "load FILE|slot:NAME", error);
    if (ok) {
      std::string_view file = t.rest[1];
      while (!file.empty() && (file.back() == ' ' || file.back() == '\t')) file.remove_suffix(1);
      cmd.name = std::string(file);
    }
  } else if (verb == "rollback" || verb == "forward") {
    cmd.kind = verb == "rollback" ? CommandKind::Rollback : CommandKind::Forward;
    ok = checkCount(t, 1, 1, verb == "rollback" ? "rollback N" : "forward N", error) &&
         parseInteger(t.words[1], 1, INT32_MAX, n, error, "N");
    cmd.value = static_cast<int32_t>(n);
  } else if (verb == "skip" || verb == "auto") {
    const bool skip = verb == "skip";
    cmd.kind = skip ? CommandKind::Skip : CommandKind::Auto;
    const std::vector<std::string_view> modes =
        skip ? std::vector<std::string_view>{"off", "read", "all"} : std::vector<std::string_view>{"off", "on"};
    ok = checkCount(t, 1, 1, skip ? "skip all|read|off" : "auto on|off", error);
    if (ok) {
      const auto at = std::find(modes.begin(), modes.end(), t.words[1]);
      ok = at != modes.end();
      if (ok) cmd.value = static_cast<int32_t>(at - modes.begin());
      else error = "unknown " + std::string(verb) + " mode " + quoted(t.words[1]) +
                   (skip ? ": usage skip all|read|off" : ": usage auto on|off");
    }
  } else if (verb == "expect") {
    cmd.kind = CommandKind::Expect;
    ok = checkCount(t, 2, SIZE_MAX, "expect PATH VALUE", error);
    if (ok && !validPath(t.words[1])) {
      error = "bad path " + quoted(t.words[1]);
      ok = false;
    }
    if (ok) {
      cmd.name = std::string(t.words[1]);
      Result<Json> expected = parseExpectedValue(t.rest[2]);
      ok = expected.ok();
      if (ok) cmd.expected = std::move(expected).value();
      else error = expected.error();
    }
  } else {
    error = "unknown command " + quoted(verb);
  }
  if (!ok) return fail(std::move(error));
  return cmd;
}

}  // namespace shirakaba
