#include "base/timers.h"

namespace shirakaba {

Timer::Timer(TimerClock& clock, const char* name, int intervalMs, int order)
    : clock_(clock), name_(name), interval_(intervalMs), order_(order) {
  clock_.add(this);
}

void Timer::restart() { due_ = clock_.now() + (interval_ > 0 ? interval_ : 1); }

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on) restart();
}

void Timer::setInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) restart();
}

void TimerClock::add(Timer* t) {
  if (count_ < 8) timers_[count_++] = t;
}

Timer* TimerClock::earliest(int64_t until) const {
  Timer* best = nullptr;
  for (int i = 0; i < count_; ++i) {
    Timer* t = timers_[i];
    if (!t->enabled_ || t->due_ > until) continue;
    if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_)) best = t;
  }
  return best;
}

int64_t TimerClock::nextDue() const {
  Timer* t = earliest(INT64_MAX);
  return t ? t->due_ : -1;
}

void TimerClock::fire(Timer* t) {
  // The next tick comes one interval after this one; a handler that changes the
  // timer restarts it from now again.
  t->due_ = now_ + (t->interval_ > 0 ? t->interval_ : 1);
  if (t->OnTimer) t->OnTimer();
}

bool TimerClock::fireNext(int64_t until) {
  Timer* t = earliest(until);
  if (!t) return false;
  if (t->due_ > now_) now_ = t->due_;
  fire(t);
  return true;
}

void TimerClock::advanceTo(int64_t until) {
  while (fireNext(until)) {
  }
  if (until > now_) now_ = until;
}

void TimerClock::fireDueAt(int64_t wallNow) {
  if (wallNow > now_) now_ = wallNow;
  bool fired[8] = {};
  for (;;) {
    Timer* best = nullptr;
    int bestIndex = -1;
    for (int i = 0; i < count_; ++i) {
      Timer* t = timers_[i];
      if (fired[i] || !t->enabled_ || t->due_ > now_) continue;
      if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_)) {
        best = t;
        bestIndex = i;
      }
    }
    if (!best) return;
    fired[bestIndex] = true;
    fire(best);
  }
}

}  // namespace shirakaba
