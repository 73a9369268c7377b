#include "app/mes_form.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include "app/about_box.h"
#include "app/ui_fonts.h"
#include "base/files.h"
#include "base/cp932.h"
#include "game/core.h"

namespace shirakaba {

// A readme is a few pages of text; a larger file is not one.
constexpr uint64_t kMaxReadmeBytes = 1 << 20;

QString loadReadmeText(const std::string& path) {
  const Result<std::vector<uint8_t>> read = readFile(path, kMaxReadmeBytes, "a readme");
  if (!read) return {};
  std::string bytes(read->begin(), read->end());
  if (size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  QStringList lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines << QString::fromStdString(cp932ToUtf8(bytes.substr(start, i - start)));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines << QString::fromStdString(cp932ToUtf8(bytes.substr(start)));
  return lines.join(QLatin1Char('\n'));
}

TMes_Form::TMes_Form(const std::string& readmePath, QWidget* parent) : QDialog(parent) {
  // A dialog border with the system menu only: no help or maximise button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(proportionalGothic(12));
  setFixedSize(kClientW, kClientH);

  Mes_Memo = new QPlainTextEdit(this);
  Mes_Memo->setFont(monospacedGothic(12));
  Mes_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Mes_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  Button1 = new QPushButton(QString::fromStdString(GameCore::originalWindowTexts().readmeClose), this);
  Button1->setGeometry(448, 266, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate(readmePath);
  centreOnScreen(this);
}

void TMes_Form::FormCreate(const std::string& readmePath) {
  setWindowTitle(QString::fromStdString(GameCore::originalWindowTexts().readmeTitle));
  const int outerWidth = kClientW + 2 * kFrameW;
  Mes_Memo->setGeometry(5, 5, outerWidth - 15, 250);
  Mes_Memo->setPlainText(loadReadmeText(readmePath));
}

void TMes_Form::setTexts(const QString& title, const QString& closeButton) {
  setWindowTitle(title);
  Button1->setText(closeButton);
}

}  // namespace shirakaba
