#include "app/history_window.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace shirakaba {

QString historyText(const std::vector<HistoryEntry>& history) {
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

void HistoryWindow::setHistory(const PageHistory& history) {
  if (history.sameEntries(shown_) && !text_->document()->isEmpty()) return;
  shown_ = history;
  text_->setPlainText(historyText(history.entries()));
  // The newest page is where the reader comes from.
  text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

}  // namespace shirakaba
