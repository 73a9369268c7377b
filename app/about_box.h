// The about box "バージョン情報": a white bevelled panel with the icon, the product
// name, the version, the maker line and a contact line, and an OK button.
#pragma once
#include <QDialog>
#include <QFrame>

class QLabel;
class QPushButton;

namespace shirakaba {

// A white panel with a raised inner and a lowered outer bevel, each two pixels wide.
class BevelPanel : public QFrame {
 public:
  explicit BevelPanel(QWidget* parent = nullptr);
  static constexpr int kBevelWidth = 2;

 protected:
  void paintEvent(QPaintEvent*) override;
};

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  // The title and product name in the language of the game data.
  void setTexts(const QString& title, const QString& productName);
  static constexpr int kClientW = 257, kClientH = 167;

  BevelPanel* Panel1;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* MakerLabel;
  QLabel* Comments;
  QPushButton* OKButton;

 private:
  void FormCreate();
};

// Moves a top-level widget to the middle of its screen's free area.
void centreOnScreen(QWidget* w);

}  // namespace shirakaba
