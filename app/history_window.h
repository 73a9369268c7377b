// The history window: the last pages shown and the choices taken, oldest first, in a
// read-only text that can be scrolled, selected and copied. It stays open beside the
// game and follows it while open.
#pragma once
#include <QDialog>
#include <vector>

#include "comforts/comforts.h"

class QPlainTextEdit;

namespace shirakaba {

// The history as text: pages apart by a blank line, a choice taken marked as one.
QString historyText(const std::vector<HistoryEntry>& history);

class HistoryWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HistoryWindow(QWidget* parent = nullptr);
  // Shows the history; cheap when nothing changed since the last call.
  void setHistory(const PageHistory& history);
  QPlainTextEdit* text() const { return text_; }

 private:
  QPlainTextEdit* text_ = nullptr;
  PageHistory shown_;
};

}  // namespace shirakaba
