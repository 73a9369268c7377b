// Drives the game's timers in wall-clock time: one single-shot precise QTimer is
// armed for the earliest due timer, so nothing runs while every timer is off.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace shirakaba {

class RealClock : public QObject {
  Q_OBJECT
 public:
  // fire(wallNow) runs the game's timers due by then; nextDue() tells when the next
  // one is due (-1: none); afterTick runs after every batch (the window refreshes
  // and re-arms).
  RealClock(std::function<void(int64_t)> fire, std::function<int64_t()> nextDue, std::function<void()> afterTick,
            QObject* parent = nullptr);
  int64_t elapsedMs() const { return wall_.elapsed(); }
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
  QTimer timer_;
};

}  // namespace shirakaba
