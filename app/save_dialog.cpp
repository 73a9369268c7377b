#include "app/save_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "saves/thumbnail.h"

namespace shirakaba {

namespace {

constexpr int kRowMargin = 6;
constexpr int kThumbFrame = 1;
constexpr int kRowSpacing = 12;
constexpr int kRowHeight = kThumbnailHeight + 2 * kThumbFrame + 2 * kRowMargin;

QString escaped(const QString& s) { return s.toHtmlEscaped(); }

}  // namespace

SaveDialog::SaveDialog(Mode mode, SaveSlots saveSlots, ModalRunner ask, QWidget* parent)
    : QDialog(parent), mode_(mode), slots_(std::move(saveSlots)), ask_(std::move(ask)) {
  if (!ask_) ask_ = [](QDialog& d) { d.exec(); };
  setWindowTitle(mode_ == Mode::Save ? tr("Save game") : tr("Load game"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Three and a half rows: the half row shows that the list scrolls.
  list_->setMinimumSize(520, kRowHeight * 7 / 2 + 2 * list_->frameWidth());
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  status_->hide();

  auto* buttons = new QDialogButtonBox(this);
  choose_ = buttons->addButton(mode_ == Mode::Save ? tr("Save") : tr("Load"), QDialogButtonBox::AcceptRole);
  delete_ = buttons->addButton(tr("Delete"), QDialogButtonBox::DestructiveRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  choose_->setDefault(true);
  // The buttons act by themselves: choosing may still be refused by a question.
  connect(choose_, &QPushButton::clicked, this, &SaveDialog::chooseSelected);
  connect(delete_, &QPushButton::clicked, this, &SaveDialog::deleteSelected);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(status_);
  layout->addWidget(buttons);

  for (SaveSlot slot : allSaveSlots()) {
    views_.push_back(describeSlot(slots_, slot));
    auto* item = new QListWidgetItem(list_);
    item->setSizeHint(QSize(0, kRowHeight));
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(kRowMargin, kRowMargin, kRowMargin, kRowMargin);
    rowLayout->setSpacing(kRowSpacing);
    auto* thumb = new QLabel(row);
    thumb->setObjectName(QStringLiteral("thumbnail"));
    thumb->setFrameStyle(QFrame::Box | QFrame::Plain);
    thumb->setLineWidth(kThumbFrame);
    thumb->setFixedSize(kThumbnailWidth + 2 * kThumbFrame, kThumbnailHeight + 2 * kThumbFrame);
    thumb->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(row);
    text->setObjectName(QStringLiteral("details"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rowLayout->addWidget(thumb);
    rowLayout->addWidget(text, 1);
    list_->setItemWidget(item, row);
    showRow(list_->count() - 1);
  }
  connect(list_, &QListWidget::itemSelectionChanged, this, &SaveDialog::updateButtons);
  connect(list_, &QListWidget::itemDoubleClicked, this, &SaveDialog::chooseSelected);
  list_->setCurrentRow(rowToSelectFirst());
  updateButtons();
}

int SaveDialog::rowOf(SaveSlot slot) const {
  for (int row = 0; row < static_cast<int>(views_.size()); ++row)
    if (views_[row].slot == slot) return row;
  return -1;
}

QLabel* SaveDialog::thumbnailLabel(int row) const {
  return list_->itemWidget(list_->item(row))->findChild<QLabel*>(QStringLiteral("thumbnail"));
}

QLabel* SaveDialog::textLabel(int row) const {
  return list_->itemWidget(list_->item(row))->findChild<QLabel*>(QStringLiteral("details"));
}

void SaveDialog::select(SaveSlot slot) { list_->setCurrentRow(rowOf(slot)); }

bool SaveDialog::canChoose(int row) const {
  if (row < 0 || row >= static_cast<int>(views_.size()) || !rowIsLive(row)) return false;
  return mode_ == Mode::Save || views_[row].state == SlotView::State::Filled;
}

bool SaveDialog::rowIsLive(int row) const { return mode_ == Mode::Load || views_[row].slot.kind != SaveSlot::Auto; }

QString SaveDialog::rowText(int row, bool selected) const {
  const SlotView& v = views_[row];
  QStringList lines{QStringLiteral("<b>%1</b>").arg(escaped(v.title))};
  switch (v.state) {
    case SlotView::State::Empty: lines << tr("<i>Empty</i>"); break;
    case SlotView::State::Unreadable: {
      // Red is hard to read on the selection's colour.
      const QString problem = escaped(tr("Cannot be read: %1").arg(v.problem));
      lines << (selected ? problem : QStringLiteral("<span style=\"color:#b00000\">%1</span>").arg(problem));
      break;
    }
    case SlotView::State::Filled:
      lines << escaped(v.day);
      // The page's line on one line of the row, as far as it fits.
      if (!v.pageLine.isEmpty())
        lines << escaped(textLabel(row)->fontMetrics().elidedText(v.pageLine, Qt::ElideRight, textWidth()));
      lines << escaped(tr("Saved %1").arg(v.savedAt)) << escaped(tr("Play time %1").arg(v.playTime));
      break;
  }
  if (!rowIsLive(row)) lines << tr("<i>Written when you close the window during a game</i>");
  return lines.join(QStringLiteral("<br>"));
}

void SaveDialog::showRow(int row) {
  const SlotView& v = views_[row];
  textLabel(row)->setText(rowText(row, row == selectedRow()));
  QLabel* thumb = thumbnailLabel(row);
  if (v.thumbnail.isNull()) {
    thumb->setPixmap(QPixmap());
    thumb->setText(v.state == SlotView::State::Empty ? tr("Empty") : tr("No picture"));
  } else {
    thumb->setPixmap(v.thumbnail);
  }
  QListWidgetItem* item = list_->item(row);
  if (!rowIsLive(row)) item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
  list_->itemWidget(item)->setEnabled(rowIsLive(row));
}

int SaveDialog::textWidth() const {
  // Before the dialog is laid out the list has its minimum width.
  const int listWidth = std::max(list_->viewport()->width(), list_->minimumWidth() - 2 * list_->frameWidth() -
                                                                 list_->verticalScrollBar()->sizeHint().width());
  return listWidth - 2 * kRowMargin - kRowSpacing - (kThumbnailWidth + 2 * kThumbFrame);
}

void SaveDialog::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  updateButtons();  // the rows' lines are cut to the new width
}

int SaveDialog::selectedRow() const {
  const QList<QListWidgetItem*> items = list_->selectedItems();
  return items.isEmpty() ? -1 : list_->row(items.first());
}

// Loading: the newest save that can be loaded. Saving: the first empty numbered slot.
int SaveDialog::rowToSelectFirst() const {
  int best = -1;
  for (int row = 0; row < static_cast<int>(views_.size()); ++row) {
    const SlotView& v = views_[row];
    if (mode_ == Mode::Load && canChoose(row) && (best < 0 || v.savedAtMs > views_[best].savedAtMs)) best = row;
    if (mode_ == Mode::Save && best < 0 && v.slot.kind == SaveSlot::Numbered && v.state == SlotView::State::Empty)
      best = row;
  }
  if (best >= 0) return best;
  return mode_ == Mode::Save ? rowOf(SaveSlot::numbered(1)) : 0;
}

void SaveDialog::updateButtons() {
  const int row = selectedRow();
  choose_->setEnabled(canChoose(row));
  delete_->setEnabled(row >= 0 && views_[row].state != SlotView::State::Empty && rowIsLive(row));
  // The selected row's text in the highlight's colour, so that it stays readable.
  for (int r = 0; r < list_->count(); ++r) {
    textLabel(r)->setForegroundRole(r == row ? QPalette::HighlightedText : QPalette::WindowText);
    textLabel(r)->setText(rowText(r, r == row));
  }
}

bool SaveDialog::ask(const QString& question) {
  QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::No);
  ask_(box);
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

void SaveDialog::chooseSelected() {
  const int row = selectedRow();
  if (!canChoose(row)) return;
  const SlotView& v = views_[row];
  if (mode_ == Mode::Save && v.state != SlotView::State::Empty) {
    const QString what = v.state == SlotView::State::Filled ? tr("%1, saved %2").arg(v.day, v.savedAt)
                                                             : tr("a save that cannot be read");
    if (!ask(tr("Overwrite %1 (%2)?").arg(SlotTexts::inSentence(v.slot), what))) return;
  }
  chosen_ = v.slot;
  accept();
}

void SaveDialog::deleteSelected() {
  const int row = selectedRow();
  if (row < 0 || views_[row].state == SlotView::State::Empty) return;
  const SaveSlot slot = views_[row].slot;
  if (!ask(tr("Delete the save in %1? This cannot be undone.").arg(SlotTexts::inSentence(slot)))) return;
  const Result<void> removed = slots_.remove(slot);
  status_->setVisible(!removed.ok());
  if (!removed) status_->setText(tr("Cannot delete: %1").arg(QString::fromStdString(removed.error())));
  views_[row] = describeSlot(slots_, slot);
  showRow(row);
  updateButtons();
}

}  // namespace shirakaba
