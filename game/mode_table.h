// For each GameMode, the routines that compose its screen before the wipe, show it
// after the wipe, find the region under a press, take the press and act on the
// release. The one place that says which screen a mode is.
#pragma once
#include "engine/game_mode.h"

namespace shirakaba {

class Game;

struct ModeRoutines {
  GameMode mode;
  void (*compose)(Game&);                 // phase 0 of the tick
  void (*show)(Game&);                    // phase 1, after the wipe
  int (*hit)(const Game&, int x, int y);  // the region a press picks; none: 0
  void (*press)(Game&);                   // a left press, PressedBtn set
  void (*release)(Game&);                 // the release, whatever the pointer is over
};

// The routines of a mode, or null for a number no screen answers to.
const ModeRoutines* routinesOf(GameMode mode);

}  // namespace shirakaba
