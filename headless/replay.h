// Replay files: one command per line, read into a Command without touching the game,
// so that a whole file can be checked before it runs (and the reader can be fuzzed).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "game/core.h"
#include "headless/json_value.h"

namespace shirakaba {

enum class CommandKind {
  Blank,        // empty line or comment only
  Wait,         // wait MS
  Settle,       // settle
  Down, Up,     // down|up X Y [left|right|middle]
  Move,         // move X Y
  Click,        // click X Y [button]
  Menu,         // menu NAME: a player's click on the item
  Call,         // call NAME: the item's handler, whatever its state
  Mode,         // mode N
  DialogClose,  // dialog close
  Shot,         // shot NAME
  State,        // state
  Rand,         // rand R
  Expect,       // expect PATH VALUE
  Save,         // save FILE|slot:NAME
  Load,         // load FILE|slot:NAME
  Rollback,     // rollback N
  Forward,      // forward N
  Skip,         // skip all|read|off
  Auto,         // auto on|off
  Quit,         // quit
};

struct Command {
  CommandKind kind = CommandKind::Blank;
  int64_t ms = 0;                         // Wait
  int x = 0, y = 0;                       // Down, Up, Move, Click
  MouseButton button = MouseButton::Left;
  MenuId item = MenuId::Game;             // Menu, Call
  int32_t value = 0;                      // Mode, Rand, Rollback, Forward; Skip: 0 off, 1 read, 2 all; Auto: 0 off, 1 on
  std::string name;                       // Shot: file name; Expect: the path; Save, Load: the file
  Json expected;                          // Expect
};

// Reads one line (a trailing CR and a leading UTF-8 byte order mark are ignored); an
// Error saying why the line cannot be read.
Result<Command> parseReplayLine(std::string_view line);

// The VALUE of an expectation: quoted JSON strings, numbers, true, false, null,
// arrays and objects as JSON; anything else is a bare string taken as written.
// An Error for text that starts as JSON but is not.
Result<Json> parseExpectedValue(std::string_view text);

// Removes a comment: a '#' outside a double-quoted string and everything after it.
std::string_view stripComment(std::string_view line);

}  // namespace shirakaba
