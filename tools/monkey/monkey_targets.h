// Where the monkey clicks: mostly on a button that is live on the current screen,
// found through the same layouts and hit tests the game uses.
#pragma once
#include "game/game.h"
#include "tools/monkey/monkey_rng.h"

namespace shirakaba::monkey {

// A point on a live button of the current screen, or anywhere on the screen when
// none is found.
Point pickTarget(const Game& game, MonkeyRng& rng);
// Anywhere, now and then a little outside the 640 x 480 surface.
Point pickAnywhere(MonkeyRng& rng);
// The region a left press at (x, y) picks on the current screen, as the game computes it.
int regionAt(const Game& game, int x, int y);

}  // namespace shirakaba::monkey
