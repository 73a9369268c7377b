// Ctrl held down on its own, for skipping while it is held. A Ctrl that goes with
// another key (Ctrl+C, Ctrl+S, Ctrl+Shift+...) is part of a shortcut and must not skip
// even one page, so a hold counts only once Ctrl has been down for kDelayMs with no
// other key pressed meanwhile.
#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;

namespace shirakaba {

class CtrlHold : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDelayMs = 400;
  // started: the hold began; ended: Ctrl came up (or another key came) after it began.
  CtrlHold(std::function<void()> started, std::function<void()> ended, QObject* parent = nullptr);
  // Every key press and release the window sees, whatever else it does with them.
  void keyPressed(const QKeyEvent& e);
  void keyReleased(const QKeyEvent& e);
  // The window lost the keyboard: the release may never come.
  void cancel();
  bool holding() const { return holding_; }
  bool waiting() const { return delay_.isActive(); }

 private:
  void end();
  std::function<void()> started_, ended_;
  QTimer delay_;
  bool holding_ = false;
};

}  // namespace shirakaba
