// The game in wall-clock time, for a front end that owns its timers: it says when to
// wake it next and brings the game up to the wall time when woken. Nothing runs in
// between, so a game that waits costs nothing.
#pragma once
#include <cstdint>

#include "frontend/player_aids.h"
#include "game/core.h"

namespace shirakaba {

// The game's time from the wall time, at a speed that may change (skipping runs the
// game faster). Each change starts from the game's own time, so the game's clock goes
// on from where it stands: continuous, never going back.
class ClockScale {
 public:
  int64_t gameAt(int64_t wall) const { return gameBase_ + (wall - wallBase_) * speed_; }
  // Wall milliseconds from `wall` until the game's time reaches `game` (rounded up).
  int64_t wallUntil(int64_t game, int64_t wall) const {
    const int64_t ahead = game - gameAt(wall);
    return ahead <= 0 ? 0 : (ahead + speed_ - 1) / speed_;
  }
  int speed() const { return speed_; }
  // From `wall` on, the game's time runs `speed` times as fast, from `game`.
  void restart(int speed, int64_t wall, int64_t game) {
    gameBase_ = game;
    wallBase_ = wall;
    speed_ = speed < 1 ? 1 : speed;
  }

 private:
  int64_t gameBase_ = 0, wallBase_ = 0;
  int speed_ = 1;
};

class RealTime {
 public:
  // While skipping, the most game time one wake runs, so that the front end stays
  // responsive on a machine too slow for the fast clock.
  static constexpr int64_t kLongestSkipStepMs = 250;
  // The longest a front end need sleep before asking again.
  static constexpr int64_t kLongestSleepMs = 24 * 3600 * 1000;

  // The game's clock stands at `wall` now (the game has just been made or started).
  RealTime(GameCore& game, PlayerAids& aids, int64_t wall);
  // Fires what has come due by the wall time `wall`: before every input (so that a
  // timer it enables counts from now) and when the front end's timer fires. The aids
  // react afterwards.
  void catchUp(int64_t wall);
  // After the aids changed: the clock runs at the speed they want from here on.
  void followAids(int64_t wall);
  // Wall milliseconds from `wall` until the next wake (at least 1), or -1 when nothing
  // is due: then the front end sleeps until the player does something.
  int64_t sleepFrom(int64_t wall) const;
  int speed() const { return scale_.speed(); }

 private:
  GameCore& game_;
  PlayerAids& aids_;
  ClockScale scale_;
};

}  // namespace shirakaba
