#include "app/screen_widget.h"

#include <QAccessible>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/app_options.h"
#include "app/screen_accessible.h"

namespace shirakaba {

namespace {

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool toGameButton(Qt::MouseButton b, MouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = MouseButton::Left; return true;
    case Qt::RightButton: out = MouseButton::Right; return true;
    case Qt::MiddleButton: out = MouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

QRect screenRectIn(QSize widget, int scale) {
  const int w = kGameWidth * scale, h = kGameHeight * scale;
  return QRect((widget.width() - w) / 2, (widget.height() - h) / 2, w, h);
}

QPoint widgetToScreen(QPoint widgetPos, const QRect& screenRect, int scale) {
  return QPoint(floorDiv(widgetPos.x() - screenRect.x(), scale), floorDiv(widgetPos.y() - screenRect.y(), scale));
}

int largestScaleFitting(QSize available) {
  int s = std::min(available.width() / kGameWidth, available.height() / kGameHeight);
  return std::clamp(s, 1, kMaxScale);
}

ScreenWidget::ScreenWidget(const GameCore& game, int scale, QWidget* parent)
    : QWidget(parent), game_(game), scale_(std::clamp(scale, 1, kMaxScale)) {
  setMouseTracking(true);  // hover on the title menu needs moves with no button held
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  installScreenAccessibility();
}

void ScreenWidget::setScale(int scale) {
  scale_ = std::clamp(scale, 1, kMaxScale);
  update();
}

void ScreenWidget::setFillsWidget(bool fill) {
  fill_ = fill;
  update();
}

ScreenPlacement ScreenWidget::placement() const {
  return placeScreen(devicePixelRatioF(), size(), fill_ ? kFillWidget : scale_);
}

void ScreenWidget::setShownText(const QString& text) {
  shownText_ = text;
  // Sent also when the text repeats: a page may say what the one before said.
  QAccessibleEvent e(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&e);
  emit textAnnounced(text);
}

void ScreenWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  const ScreenPlacement at = placement();
  // From here on one unit is one device pixel, counted from the first whole device
  // pixel of the widget: at a ratio of 1.5 a widget at y = 19 begins at device row
  // 28.5, so the picture starts on row 29, where the pointer mapping puts it too.
  const QTransform toDevice = p.deviceTransform();
  const QPointF origin = toDevice.map(QPointF(0, 0));
  const QPointF whole(std::ceil(origin.x() - 1e-4), std::ceil(origin.y() - 1e-4));
  p.setWorldTransform(QTransform::fromTranslate(whole.x(), whole.y()) * toDevice.inverted());
  const Bitmap& b = game_.screen();
  if (!game_.screenVisible() || b.empty() || !b.is32() || b.pixels.empty()) return;
  // B, G, R, X bytes are QImage's RGB32 on a little-endian machine; the fourth byte is ignored.
  const QImage image(b.pixels.data(), b.width, b.height, b.stride, QImage::Format_RGB32);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QRect(at.deviceRect.topLeft(), QSize(b.width, b.height) * at.devicePerPixel), image);
}

void ScreenWidget::deliver(PointerAction action, Qt::MouseButton qtButton, QMouseEvent* e) {
  MouseButton button = MouseButton::Left;
  if (action != PointerAction::Move && !toGameButton(qtButton, button)) return;
  const QPoint at = screenPointAt(placement(), e->position());
  if (onPointer) onPointer(PointerEvent{action, button, at.x(), at.y()});
}

void ScreenWidget::mousePressEvent(QMouseEvent* e) { deliver(PointerAction::Press, e->button(), e); }

// The second press of a double click is an ordinary press for the game.
void ScreenWidget::mouseDoubleClickEvent(QMouseEvent* e) { deliver(PointerAction::Press, e->button(), e); }

void ScreenWidget::mouseMoveEvent(QMouseEvent* e) { deliver(PointerAction::Move, Qt::NoButton, e); }

void ScreenWidget::mouseReleaseEvent(QMouseEvent* e) { deliver(PointerAction::Release, e->button(), e); }

}  // namespace shirakaba
