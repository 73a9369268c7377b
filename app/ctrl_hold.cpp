#include "app/ctrl_hold.h"

#include <QKeyEvent>

namespace shirakaba {

CtrlHold::CtrlHold(std::function<void()> started, std::function<void()> ended, QObject* parent)
    : QObject(parent), started_(std::move(started)), ended_(std::move(ended)) {
  delay_.setSingleShot(true);
  delay_.setInterval(kDelayMs);
  connect(&delay_, &QTimer::timeout, this, [this] {
    holding_ = true;
    if (started_) started_();
  });
}

void CtrlHold::keyPressed(const QKeyEvent& e) {
  if (e.key() == Qt::Key_Control) {
    if (e.isAutoRepeat()) return;  // holding Ctrl may repeat it; it is still the one press
    // Every press starts afresh: a release lost to a dialog must not leave a stale state.
    end();
    const Qt::KeyboardModifiers others = e.modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier);
    if (others == Qt::NoModifier) delay_.start();
    return;
  }
  // Any other key (a letter, Shift, Alt, also one held since before) makes it a shortcut.
  end();
}

void CtrlHold::keyReleased(const QKeyEvent& e) {
  if (e.isAutoRepeat() || e.key() != Qt::Key_Control) return;
  end();
}

void CtrlHold::cancel() { end(); }

void CtrlHold::end() {
  delay_.stop();
  if (!holding_) return;
  holding_ = false;
  if (ended_) ended_();
}

}  // namespace shirakaba
