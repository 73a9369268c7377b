// The game's real time (frontend/real_time.h) on a Qt timer: one single-shot precise
// QTimer is armed for the next wake, so nothing runs while every timer is off.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "frontend/real_time.h"

namespace shirakaba {

class RealClock : public QObject {
  Q_OBJECT
 public:
  // afterTick runs after every wake (the window refreshes and re-arms).
  RealClock(GameCore& game, PlayerAids& aids, std::function<void()> afterTick, QObject* parent = nullptr);
  int64_t elapsedMs() const { return wall_.elapsed(); }
  int speed() const { return time_.speed(); }
  // Brings the game's clock to the wall time, firing what has come due, so that a
  // timer enabled by the next event counts its interval from now.
  void catchUp() { time_.catchUp(elapsedMs()); }
  // After the aids changed: the game's time runs at the speed they want from now on.
  void followAids() { time_.followAids(elapsedMs()); }
  // Arms the QTimer for the next wake, or stops it when nothing is due.
  void rearm();
  void stop() { timer_.stop(); }
  bool armed() const { return timer_.isActive(); }
  int armedInMs() const { return timer_.isActive() ? timer_.remainingTime() : -1; }

 private:
  QElapsedTimer wall_;
  RealTime time_;
  std::function<void()> afterTick_;
  QTimer timer_;
};

}  // namespace shirakaba
