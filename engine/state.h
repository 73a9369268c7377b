// What the engine changes during a run, as plain values. Each struct belongs to the
// routines named beside it; EngineState gathers them, and the game adds its own parts
// to make the whole game one value that can be copied, compared and restored.
// What never changes during a run (the script lines, the pack, the tables) is not here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/random.h"
#include "base/timers.h"
#include "engine/cg.h"
#include "engine/draw.h"
#include "engine/game_mode.h"
#include "engine/host.h"
#include "engine/menu.h"

namespace shirakaba {

// The mode tick and the window (shell.cpp, menu_handlers.cpp).
struct ShellState {
  shirakaba::GameMode GameMode = GameMode::Logo;
  DialogKind dialog = DialogKind::None;  // the modal dialog that is open
  std::string dialogText;
  bool closed = false;                   // the main window has closed
  bool operator==(const ShellState&) const = default;
};

// The main window's five timers; their handlers are the engine's and the game's.
struct FormTimers {
  TimerState Cha_Timer{false, 500};   // the mode tick: 500 ms for the logo, then 30
  TimerState CG_Timer{false, 40};     // CG panning, by the speed setting
  TimerState J_Timer{false, 100};     // the job progress bar
  TimerState Ani_Timer{false, 200};   // its handler does nothing
  TimerState Text_Timer{false, 400};  // the blinking page prompt
  bool operator==(const FormTimers&) const = default;
};

// Flags of the on-screen buttons and the regions of the last press (buttons.cpp and
// the screens).
struct ButtonState {
  uint8_t ButtonOn[15] = {};  // [1..14]; [0] always 0
  int32_t PressedBtn = 0;
  int32_t SelectedBtn = 0;
  bool operator==(const ButtonState&) const = default;
};

// Which scene runs and where the script cursor stands (interpreter.cpp, message.cpp).
struct SceneState {
  int32_t SceneNo = 0;
  // The label of the next scene to run; empty: "*e_" + SceneNo. The calendar's
  // scene choosers write it; the end of every scene clears it. (It belongs to the
  // training record as well: new games start it at "*op", new days keep it.)
  std::string SceneLabel;
  int32_t ScriptPos = 0;
  uint8_t CGNo = 0;
  int32_t WindowBaked = 0;
  int32_t TestMode = 0;
  bool operator==(const SceneState&) const = default;
};

// Where a panning CG stands (transitions.cpp).
struct PanState {
  int32_t PanX = 0, PanY = 0;
  bool operator==(const PanState&) const = default;
};

// Records kept for the whole run (shell.cpp, menu_handlers.cpp).
struct RunRecord {
  int32_t CGSpeed = 0;
  int32_t CGSeen[kCGs + 1] = {};  // [1..7]: 0 not seen, 1 seen, 2 seen and it pans vertically
  bool operator==(const RunRecord&) const = default;
};

// What the message window and the screens last showed, for the state dump, the text
// log and screen readers (message.cpp; the hint blocks of the calendar).
struct ShownText {
  std::vector<std::string> Page;  // the lines of the last page
  std::vector<std::string> Hint;  // the lines of the last hint block
  std::optional<std::string> Notice;
  bool operator==(const ShownText&) const = default;
};

struct EngineState {
  ShellState shell;
  FormTimers timers;
  MenuState menu;
  Surfaces surfaces;
  ButtonState btn;
  SceneState scene;
  PanState pan;
  RunRecord record;
  ShownText shown;
  RandomSource random;
  bool operator==(const EngineState&) const = default;
};

}  // namespace shirakaba
