// Drives the form's timers in wall-clock time: one single-shot precise QTimer is
// armed for the earliest due timer, so nothing runs while every timer is off.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "base/timers.h"

namespace shirakaba {

class RealClock : public QObject {
  Q_OBJECT
 public:
  // afterTick runs after every batch of fired timers (the window refreshes and re-arms).
  RealClock(TimerClock& clock, std::function<void()> afterTick, QObject* parent = nullptr);
  int64_t elapsedMs() const { return wall_.elapsed(); }
  // Brings the form's clock to the wall time, firing what has come due, so that a
  // timer enabled by the next event counts its interval from now.
  void catchUp();
  // Arms the QTimer for the next due timer, or stops it when none is enabled.
  void rearm();
  void stop() { timer_.stop(); }
  bool armed() const { return timer_.isActive(); }
  int armedInMs() const { return timer_.isActive() ? timer_.remainingTime() : -1; }

 private:
  void onTimeout();
  TimerClock& clock_;
  std::function<void()> afterTick_;
  QElapsedTimer wall_;
  QTimer timer_;
};

}  // namespace shirakaba
