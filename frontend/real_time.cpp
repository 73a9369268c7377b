#include "frontend/real_time.h"

#include <algorithm>

namespace shirakaba {

RealTime::RealTime(GameCore& game, PlayerAids& aids, int64_t wall) : game_(game), aids_(aids) {
  scale_.restart(1, wall, game_.now());
}

void RealTime::catchUp(int64_t wall) {
  if (game_.closed()) return;
  const int64_t gameNow = scale_.gameAt(wall);
  if (scale_.speed() > 1) {
    aids_.advance(std::min(gameNow, game_.now() + kLongestSkipStepMs));
    // A game too slow for the fast clock goes on from where it stands.
    if (aids_.skipping() && game_.now() < gameNow) scale_.restart(scale_.speed(), wall, game_.now());
  } else {
    game_.catchUp(gameNow);
  }
  if (!game_.closed()) aids_.react();
  followAids(wall);
}

void RealTime::followAids(int64_t wall) {
  if (aids_.clockSpeed() != scale_.speed()) scale_.restart(aids_.clockSpeed(), wall, game_.now());
}

int64_t RealTime::sleepFrom(int64_t wall) const {
  if (game_.closed()) return -1;
  const int64_t due = aids_.nextWake(game_.nextDue());
  if (due < 0) return -1;
  // At least 1 ms, so that a timer the game declines to fire cannot spin the loop.
  return std::clamp<int64_t>(scale_.wallUntil(due, wall), 1, kLongestSleepMs);
}

}  // namespace shirakaba
