#include "app/mes_form.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include "app/about_box.h"
#include "app/ui_fonts.h"
#include "frontend/readme_text.h"
#include "game/core.h"

namespace shirakaba {

QString loadReadmeText(const std::string& path) { return QString::fromStdString(readmeText(path)); }

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
