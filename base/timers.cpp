#include "base/timers.h"

#include <climits>

namespace shirakaba {

void Timer::setEnabled(bool on) {
  if (on == state_.Enabled) return;
  state_.Enabled = on;
  if (on) clock_.restart(state_);
}

void Timer::setInterval(int ms) {
  if (ms == state_.Interval) return;
  state_.Interval = ms;
  if (state_.Enabled) clock_.restart(state_);
}

void TimerClock::add(TimerState& timer, std::function<void()> onTimer) {
  if (count_ >= kMaxTimers) return;
  timers_[count_] = &timer;
  handlers_[count_] = std::move(onTimer);
  ++count_;
}

int TimerClock::earliest(int64_t until, const bool* skip) const {
  int best = -1;
  for (int i = 0; i < count_; ++i) {
    const TimerState& t = *timers_[i];
    if ((skip && skip[i]) || !t.Enabled || t.due > until) continue;
    if (best < 0 || t.due < timers_[best]->due) best = i;  // ties: the one added first
  }
  return best;
}

int64_t TimerClock::nextDue() const {
  const int i = earliest(INT64_MAX);
  return i >= 0 ? timers_[i]->due : -1;
}

void TimerClock::fire(int i) {
  // The next tick comes one interval after this one; a handler that changes the
  // timer restarts it from now again.
  restart(*timers_[i]);
  if (handlers_[i]) handlers_[i]();
}

bool TimerClock::fireNext(int64_t until) {
  const int i = earliest(until);
  if (i < 0) return false;
  if (timers_[i]->due > now_) now_ = timers_[i]->due;
  fire(i);
  return true;
}

void TimerClock::advanceTo(int64_t until) {
  while (fireNext(until)) {
  }
  if (until > now_) now_ = until;
}

void TimerClock::fireDueAt(int64_t wallNow) {
  if (wallNow > now_) now_ = wallNow;
  bool fired[kMaxTimers] = {};
  for (int i; (i = earliest(now_, fired)) >= 0;) {
    fired[i] = true;
    fire(i);
  }
}

}  // namespace shirakaba
