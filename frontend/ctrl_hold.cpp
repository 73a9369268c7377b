#include "frontend/ctrl_hold.h"

namespace shirakaba {

CtrlHold::Change CtrlHold::keyPressed(bool ctrl, bool otherModifiers, bool repeat, int64_t wall) {
  if (ctrl && repeat) return Change::None;  // holding Ctrl may repeat it; it is still the one press
  // Every press starts afresh: a release lost to a dialog must not leave a stale state.
  // Any other key (a letter, Shift, Alt, also one held since before) makes it a shortcut.
  const Change ended = end();
  if (ctrl && !otherModifiers) startsAt_ = wall + kDelayMs;
  return ended;
}

CtrlHold::Change CtrlHold::keyReleased(bool ctrl, bool repeat) {
  if (repeat || !ctrl) return Change::None;
  return end();
}

CtrlHold::Change CtrlHold::wake(int64_t wall) {
  if (startsAt_ < 0 || wall < startsAt_) return Change::None;
  startsAt_ = -1;
  holding_ = true;
  return Change::Started;
}

CtrlHold::Change CtrlHold::end() {
  startsAt_ = -1;
  if (!holding_) return Change::None;
  holding_ = false;
  return Change::Ended;
}

}  // namespace shirakaba
