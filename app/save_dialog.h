// The save and load dialog: one row for each slot (the quick slot, the autosave,
// slots 1 to 12) with its thumbnail, day, the page's first line, time of saving and
// play time.
// It only chooses: the window saves or loads once it has closed. Overwriting and
// deleting ask first; the autosave is written only by the window when it closes, so
// in save mode its row cannot be chosen.
#pragma once
#include <QDialog>
#include <optional>
#include <vector>

#include "app/modal_runner.h"
#include "app/slot_view.h"
#include "saves/save_slots.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace shirakaba {

class SaveDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Save, Load };
  // `ask` shows the yes/no questions (tests answer them without a modal loop).
  SaveDialog(Mode mode, SaveSlots saveSlots, ModalRunner ask, QWidget* parent = nullptr);

  Mode mode() const { return mode_; }
  // The slot chosen to save into or load from; nothing when closed without a choice.
  std::optional<SaveSlot> chosenSlot() const { return chosen_; }

  static constexpr int kRows = 2 + kNumberedSlots;
  int rowOf(SaveSlot slot) const;
  const SlotView& view(int row) const { return views_[row]; }
  // The row's widgets, as the player sees them.
  QLabel* thumbnailLabel(int row) const;
  QLabel* textLabel(int row) const;
  QListWidget* list() const { return list_; }
  QPushButton* chooseButton() const { return choose_; }
  QPushButton* deleteButton() const { return delete_; }

  // How wide a row's text may be, in pixels: a page's line is cut to it.
  int textWidth() const;

  void select(SaveSlot slot);
  bool canChoose(int row) const;
  // What the choose button does: save mode asks before overwriting a save.
  void chooseSelected();
  // Asks, then deletes the selected save.
  void deleteSelected();

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void showRow(int row);
  QString rowText(int row, bool selected) const;
  // Whether the player may act on the row: all but the autosave's in save mode.
  bool rowIsLive(int row) const;
  void updateButtons();
  int selectedRow() const;
  int rowToSelectFirst() const;
  bool ask(const QString& question);

  Mode mode_;
  SaveSlots slots_;
  ModalRunner ask_;
  std::vector<SlotView> views_;
  std::optional<SaveSlot> chosen_;
  QListWidget* list_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* choose_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace shirakaba
