#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace shirakaba {

QPixmap drawAppIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);  // drawn on a 64 x 64 grid

  // Sky and ground.
  QPainterPath tile;
  tile.addRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
  QLinearGradient sky(0, 0, 0, 64);
  sky.setColorAt(0, QColor(0x1d, 0x2b, 0x53));
  sky.setColorAt(1, QColor(0x4a, 0x6f, 0xa5));
  p.fillPath(tile, sky);
  p.setClipPath(tile);
  p.fillRect(QRectF(0, 50, 64, 14), QColor(0x3c, 0x6e, 0x47));

  // The house: warm wall, dark roof, one lit window.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe8, 0xd5, 0xb0));
  p.drawRect(QRectF(28, 34, 26, 18));
  p.setBrush(QColor(0x7a, 0x2e, 0x2e));
  p.drawPolygon(QPolygonF({QPointF(25, 35), QPointF(41, 22), QPointF(57, 35)}));
  p.setBrush(QColor(0xff, 0xd8, 0x5a));
  p.drawRect(QRectF(35, 39, 6, 6));
  p.setBrush(QColor(0x5b, 0x3a, 0x1e));
  p.drawRect(QRectF(45, 41, 5, 11));

  // The birch: a white trunk with black marks and a light crown.
  p.setBrush(QColor(0xa8, 0xd5, 0x7a));
  p.drawEllipse(QRectF(3, 4, 24, 22));
  p.setBrush(QColor(0x8c, 0xc2, 0x5e));
  p.drawEllipse(QRectF(9, 12, 20, 18));
  p.setBrush(QColor(0xf7, 0xf7, 0xf2));
  p.drawRect(QRectF(13, 18, 6, 36));
  p.setBrush(QColor(0x22, 0x22, 0x22));
  for (qreal y : {24.0, 32.0, 41.0, 48.0}) p.drawRect(QRectF(y == 32.0 ? 16 : 13, y, 3, 1.6));
  // A crescent moon.
  p.setBrush(QColor(0xfb, 0xf3, 0xc4));
  p.drawEllipse(QRectF(46, 6, 10, 10));
  p.setBrush(sky);  // the sky cuts the crescent out of the disc
  p.drawEllipse(QRectF(49, 4, 10, 10));
  return pm;
}

QIcon appIcon() {
  QIcon icon;
  for (int s : {16, 32, 48, 64, 128}) icon.addPixmap(drawAppIcon(s));
  return icon;
}

}  // namespace shirakaba
