#include "app/real_clock.h"

#include <algorithm>

namespace shirakaba {

RealClock::RealClock(TimerClock& clock, std::function<void()> afterTick, QObject* parent)
    : QObject(parent), clock_(clock), afterTick_(std::move(afterTick)) {
  wall_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &RealClock::onTimeout);
}

void RealClock::catchUp() { clock_.fireDueAt(elapsedMs()); }

void RealClock::rearm() {
  const int64_t due = clock_.nextDue();
  if (due < 0) {
    timer_.stop();
    return;
  }
  // At least 1 ms, so that a timer the clock declines to fire cannot spin the loop.
  const int64_t wait = std::clamp<int64_t>(due - elapsedMs(), 1, 24 * 3600 * 1000);
  timer_.start(static_cast<int>(wait));
}

void RealClock::onTimeout() {
  clock_.fireDueAt(elapsedMs());
  if (afterTick_) afterTick_();
  else rearm();
}

}  // namespace shirakaba
