#include "app/history_window.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace shirakaba {

QString historyText(const std::deque<HistoryEntry>& history) {
  QStringList blocks;
  for (const HistoryEntry& entry : history) {
    if (entry.lines.empty()) continue;  // a page that showed no text
    QStringList lines;
    for (const std::string& line : entry.lines) lines << QString::fromStdString(line);
    const QString text = lines.join(QLatin1Char('\n'));
    blocks << (entry.choice ? HistoryWindow::tr("[Choice] %1").arg(text) : text);
  }
  return blocks.join(QStringLiteral("\n\n"));
}

HistoryWindow::HistoryWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("History"));
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);  // still selectable and copyable
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(560, 420);
}

void HistoryWindow::setHistory(const std::deque<HistoryEntry>& history) {
  const HistoryEntry last = history.empty() ? HistoryEntry{} : history.back();
  if (history.size() == shownSize_ && last == shownLast_ && !text_->document()->isEmpty()) return;
  shownSize_ = history.size();
  shownLast_ = last;
  text_->setPlainText(historyText(history));
  // The newest page is where the reader comes from.
  text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

}  // namespace shirakaba
