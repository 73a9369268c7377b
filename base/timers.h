// Interval timers on a clock that the caller advances. A timer behaves as a
// message-loop timer: changing Enabled or Interval restarts its period; ticks of
// one timer never queue up; handlers run one at a time.
//
// What a timer is (enabled, interval, tag, next due time) is plain data, TimerState,
// kept with the rest of the game's state; the clock and the Timer handles are the
// machinery that acts on it.
#pragma once
#include <cstdint>
#include <functional>

namespace shirakaba {

struct TimerState {
  bool Enabled = false;
  int32_t Interval = 0;
  int32_t Tag = 0;   // a plain integer for the owner; the timer gives it no meaning
  int64_t due = 0;   // clock time of the next tick while enabled
  bool operator==(const TimerState&) const = default;
};

class TimerClock {
 public:
  static constexpr int kMaxTimers = 8;

  int64_t now() const { return now_; }
  // Registers a timer; timers due at the same time fire in the order they were added.
  void add(TimerState& timer, std::function<void()> onTimer);
  // Starts the timer's period from now.
  void restart(TimerState& t) const { t.due = now_ + (t.Interval > 0 ? t.Interval : 1); }

  // Virtual time: fires every due timer in time order up to and including `until`,
  // each at its own due time.
  void advanceTo(int64_t until);
  // Fires the single earliest timer due at or before `until`; false when none is.
  bool fireNext(int64_t until);
  // Real time: fires, once each, the timers due at `wallNow`, in order; their next
  // tick is one interval after now (late ticks do not queue up).
  void fireDueAt(int64_t wallNow);
  // The earliest due time of an enabled timer, or -1.
  int64_t nextDue() const;

 private:
  int earliest(int64_t until, const bool* skip = nullptr) const;
  void fire(int i);
  int64_t now_ = 0;
  TimerState* timers_[kMaxTimers] = {};
  std::function<void()> handlers_[kMaxTimers];
  int count_ = 0;
};

// A named handle on one timer's state, with the component's interface: setting
// Enabled or Interval to a new value restarts the period.
class Timer {
 public:
  Timer(const TimerClock& clock, TimerState& state, const char* name)
      : Tag(state.Tag), clock_(clock), state_(state), name_(name) {}
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const char* name() const { return name_; }
  bool Enabled() const { return state_.Enabled; }
  int Interval() const { return state_.Interval; }
  void setEnabled(bool on);
  void setInterval(int ms);
  int32_t& Tag;

 private:
  const TimerClock& clock_;
  TimerState& state_;
  const char* name_;
};

}  // namespace shirakaba
