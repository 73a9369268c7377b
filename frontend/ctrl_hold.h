// Ctrl held down on its own, for skipping while it is held. A Ctrl that goes with
// another key (Ctrl+C, Ctrl+S, Ctrl+Shift+...) is part of a shortcut and must not skip
// even one page, so a hold counts only once Ctrl has been down for kDelayMs with no
// other key pressed meanwhile. The rule only: the front end tells it the keys and
// the wall time, and wakes it at startsAt().
#pragma once
#include <cstdint>

namespace shirakaba {

class CtrlHold {
 public:
  static constexpr int64_t kDelayMs = 400;
  enum class Change { None, Started, Ended };

  // A key went down at `wall`. ctrl: the key is Ctrl itself; otherModifiers: Shift,
  // Alt or Meta is held with it; repeat: the key's automatic repetition.
  Change keyPressed(bool ctrl, bool otherModifiers, bool repeat, int64_t wall);
  Change keyReleased(bool ctrl, bool repeat);
  // The front end lost the keyboard (another window, a menu): the release may never come.
  Change cancel() { return end(); }
  // At `wall` (the front end woke at startsAt()): Started once the delay is over.
  Change wake(int64_t wall);
  // The wall time at which the hold begins, or -1 when none waits.
  int64_t startsAt() const { return startsAt_; }
  bool holding() const { return holding_; }

 private:
  Change end();
  int64_t startsAt_ = -1;
  bool holding_ = false;
};

}  // namespace shirakaba
