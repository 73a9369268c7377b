#include "app/about_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "app/app_icon.h"
#include "app/ui_fonts.h"
#include "game/core.h"

namespace shirakaba {

namespace {

const QColor kBevelLight(0xff, 0xff, 0xff);
const QColor kBevelDark(0x80, 0x80, 0x80);

// Top and left edges in `topLeft`, bottom and right in `bottomRight`, `width` pixels wide.
void drawBevel(QPainter& p, QRect r, int width, const QColor& topLeft, const QColor& bottomRight) {
  for (int i = 0; i < width; ++i) {
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
  }
}

QLabel* label(QWidget* parent, int x, int y, int pixelSize, const QColor& colour) {
  auto* l = new QLabel(parent);
  l->setFont(proportionalGothic(pixelSize));
  l->move(x, y);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, colour);
  l->setPalette(pal);
  l->setAttribute(Qt::WA_TranslucentBackground);
  return l;
}

}  // namespace

BevelPanel::BevelPanel(QWidget* parent) : QFrame(parent) {}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  drawBevel(p, rect(), kBevelWidth, kBevelDark, kBevelLight);  // lowered outer
  drawBevel(p, rect().adjusted(kBevelWidth, kBevelWidth, -kBevelWidth, -kBevelWidth), kBevelWidth, kBevelLight,
            kBevelDark);  // raised inner
}

void centreOnScreen(QWidget* w) {
  QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect avail = screen->availableGeometry();
  w->move(avail.center() - QPoint(w->width() / 2, w->height() / 2));
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromStdString(GameCore::originalWindowTexts().aboutTitle));
  setFont(proportionalGothic(12));
  setFixedSize(kClientW, kClientH);

  Panel1 = new BevelPanel(this);
  Panel1->setGeometry(7, 7, 242, 122);

  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setGeometry(7, 7, 32, 32);
  ProgramIcon->setScaledContents(true);

  ProductName = label(Panel1, 49, 7, 12, Qt::black);
  Version = label(Panel1, 89, 45, 13, Qt::black);
  MakerLabel = label(Panel1, 63, 68, 13, QColor(0xff, 0x00, 0xff));
  Comments = label(Panel1, 23, 87, 13, Qt::black);
  Comments->setWordWrap(true);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(94, 136, 69, 25);
  OKButton->setDefault(true);
  OKButton->setAutoDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
  centreOnScreen(this);
}

void TAboutBox::FormCreate() {
  ProgramIcon->setPixmap(drawAppIcon(64));
  // Size 10 points at 96 dpi is a 13-pixel character height.
  ProductName->setFont(proportionalGothic(13));
  ProductName->setText(QString::fromStdString(GameCore::originalWindowTexts().productName));
  ProductName->adjustSize();
  Version->setText(QStringLiteral("Version 1.0"));
  Version->adjustSize();
  MakerLabel->setText(QStringLiteral("shirakaba project"));
  MakerLabel->adjustSize();
  Comments->setText(QStringLiteral("Open-source edition\nContact: see README.md"));
  Comments->setFixedWidth(242 - 23 - 7);
  Comments->adjustSize();
}

void TAboutBox::setTexts(const QString& title, const QString& productName) {
  setWindowTitle(title);
  ProductName->setText(productName);
  ProductName->adjustSize();
}

}  // namespace shirakaba
