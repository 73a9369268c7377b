// Interval timers on a clock that the caller advances. A timer behaves as a
// message-loop timer: changing Enabled or Interval restarts its period; ticks of
// one timer never queue up; handlers run one at a time.
#pragma once
#include <cstdint>
#include <functional>

namespace shirakaba {

class TimerClock;

class Timer {
 public:
  Timer(TimerClock& clock, const char* name, int intervalMs, int order);
  const char* name() const { return name_; }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  void setEnabled(bool on);
  void setInterval(int ms);
  int64_t due() const { return due_; }
  int order() const { return order_; }
  int Tag = 0;
  std::function<void()> OnTimer;

 private:
  friend class TimerClock;
  TimerClock& clock_;
  const char* name_;
  bool enabled_ = false;
  int interval_;
  int order_;
  int64_t due_ = 0;
  void restart();
};

class TimerClock {
 public:
  int64_t now() const { return now_; }
  // Virtual time: fires every due timer in time order (ties by their fixed order)
  // up to and including `until`, each at its own due time.
  void advanceTo(int64_t until);
  // Fires the single earliest timer due at or before `until`; false when none is.
  bool fireNext(int64_t until);
  // Real time: fires, once each, the timers due at `wallNow`, in order; their next
  // tick is one interval after now (late ticks do not queue up).
  void fireDueAt(int64_t wallNow);
  // The earliest due time of an enabled timer, or -1.
  int64_t nextDue() const;
  void add(Timer* t);
  // Set by the owner: while it returns true, no timer handler may run (a handler is running).
  bool busy = false;

 private:
  Timer* earliest(int64_t until) const;
  void fire(Timer* t);
  int64_t now_ = 0;
  Timer* timers_[8] = {};
  int count_ = 0;
};

}  // namespace shirakaba
