// Drives the game's timers in wall-clock time: one single-shot precise QTimer is
// armed for the earliest due timer, so nothing runs while every timer is off.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

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

class RealClock : public QObject {
  Q_OBJECT
 public:
  // fire(gameNow) runs the game's timers due by then; nextDue() tells when the next
  // one is due in the game's time (-1: none); afterTick runs after every batch (the
  // window refreshes and re-arms).
  RealClock(std::function<void(int64_t)> fire, std::function<int64_t()> nextDue, std::function<void()> afterTick,
            QObject* parent = nullptr);
  int64_t elapsedMs() const { return wall_.elapsed(); }
  // The game's time now: the wall time at the speeds the clock has run at.
  int64_t gameNow() const { return scale_.gameAt(elapsedMs()); }
  int speed() const { return scale_.speed(); }
  // From now on the game's time runs `speed` times as fast as the wall clock, going
  // on from the game's time `gameNow`.
  void setSpeed(int speed, int64_t gameNow);
  // Brings the game's clock to the wall time, firing what has come due, so that a
  // timer enabled by the next event counts its interval from now.
  void catchUp();
  // Arms the QTimer for the next due timer, or stops it when none is enabled.
  void rearm();
  void stop() { timer_.stop(); }
  bool armed() const { return timer_.isActive(); }
  int armedInMs() const { return timer_.isActive() ? timer_.remainingTime() : -1; }

 private:
  void onTimeout();
  std::function<void(int64_t)> fire_;
  std::function<int64_t()> nextDue_;
  std::function<void()> afterTick_;
  QElapsedTimer wall_;
  ClockScale scale_;
  QTimer timer_;
};

}  // namespace shirakaba
