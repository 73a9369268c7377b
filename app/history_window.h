// The history window: the last pages shown and the choices taken, oldest first, in a
// read-only text that can be scrolled, selected and copied. It stays open beside the
// game and follows it while open.
#pragma once
#include <QDialog>
#include <deque>

#include "comforts/comforts.h"

class QPlainTextEdit;

namespace shirakaba {

// The history as text: pages apart by a blank line, a choice taken marked as one.
QString historyText(const std::deque<HistoryEntry>& history);

class HistoryWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HistoryWindow(QWidget* parent = nullptr);
  // Shows the history; cheap when nothing changed since the last call.
  void setHistory(const std::deque<HistoryEntry>& history);
  QPlainTextEdit* text() const { return text_; }

 private:
  QPlainTextEdit* text_ = nullptr;
  size_t shownSize_ = 0;
  HistoryEntry shownLast_;
};

}  // namespace shirakaba
