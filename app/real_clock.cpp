#include "app/real_clock.h"

#include <algorithm>

namespace shirakaba {

RealClock::RealClock(std::function<void(int64_t)> fire, std::function<int64_t()> nextDue,
                     std::function<void()> afterTick, QObject* parent)
    : QObject(parent), fire_(std::move(fire)), nextDue_(std::move(nextDue)), afterTick_(std::move(afterTick)) {
  wall_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &RealClock::onTimeout);
}

void RealClock::setSpeed(int speed, int64_t gameNow) {
  scale_.restart(speed, elapsedMs(), gameNow);
  if (timer_.isActive()) rearm();
}

void RealClock::catchUp() { fire_(gameNow()); }

void RealClock::rearm() {
  const int64_t due = nextDue_();
  if (due < 0) {
    timer_.stop();
    return;
  }
  // At least 1 ms, so that a timer the clock declines to fire cannot spin the loop.
  const int64_t wait = std::clamp<int64_t>(scale_.wallUntil(due, elapsedMs()), 1, 24 * 3600 * 1000);
  timer_.start(static_cast<int>(wait));
}

void RealClock::onTimeout() {
  fire_(gameNow());
  if (afterTick_) afterTick_();
  else rearm();
}

}  // namespace shirakaba
