#include "app/real_clock.h"

namespace shirakaba {

RealClock::RealClock(GameCore& game, PlayerAids& aids, std::function<void()> afterTick, QObject* parent)
    : QObject(parent), time_(game, aids, 0), afterTick_(std::move(afterTick)) {
  wall_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    catchUp();
    afterTick_();
  });
}

void RealClock::rearm() {
  const int64_t wait = time_.sleepFrom(elapsedMs());
  if (wait < 0) timer_.stop();
  else timer_.start(static_cast<int>(wait));
}

}  // namespace shirakaba
