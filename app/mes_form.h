// The readme viewer "お読みください": readme.txt of the game directory in an
// editable, scrolling text box, read once when the dialog is made.
#pragma once
#include <QDialog>
#include <QString>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace shirakaba {

// readme.txt as the text box shows it: Shift-JIS decoded, cut at a NUL byte, lines
// split at CR, LF or CR LF. Empty when the file is missing or is no readme (not a
// regular file, or larger than 1 MiB).
QString loadReadmeText(const std::string& path);

class TMes_Form : public QDialog {
  Q_OBJECT
 public:
  TMes_Form(const std::string& readmePath, QWidget* parent = nullptr);
  // The title and the button's caption in the language of the game data.
  void setTexts(const QString& title, const QString& closeButton);
  static constexpr int kClientW = 532, kClientH = 304;
  // A dialog frame is three pixels on either side, so the outer width is the client's plus six.
  static constexpr int kFrameW = 3;

  QPlainTextEdit* Mes_Memo;
  QPushButton* Button1;

 private:
  void FormCreate(const std::string& readmePath);
};

}  // namespace shirakaba
