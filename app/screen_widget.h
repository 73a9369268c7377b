// The game's visible surface: the form's 640 x 480 screen zoomed by a whole factor
// with nearest neighbour, centred with black bars when the widget is larger, and
// the mouse mapped back to the screen's own pixels.
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>

#include "engine/form.h"

namespace shirakaba {

enum class PointerAction { Press, Move, Release };

struct PointerEvent {
  PointerAction action;
  MouseButton button;  // Left for moves
  int x, y;            // screen pixels; may lie outside 0..639 / 0..479 while a button is held
};

// Where the zoomed screen lies in a widget of `widget` size.
QRect screenRectIn(QSize widget, int scale);
// A widget position back to screen pixels (floor division, so -1 stays left of 0).
QPoint widgetToScreen(QPoint widgetPos, const QRect& screenRect, int scale);
// The largest whole zoom, 1..4, at which 640 x 480 fits in `available`.
int largestScaleFitting(QSize available);

class ScreenWidget : public QWidget {
  Q_OBJECT
 public:
  ScreenWidget(const TXP_Form& form, int scale, QWidget* parent = nullptr);
  int scale() const { return scale_; }
  void setScale(int scale);
  QRect screenRect() const { return screenRectIn(size(), scale_); }
  QSize sizeHint() const override { return QSize(kScreenW * scale_, kScreenH * scale_); }
  // Where pointer events go; set by the window.
  std::function<void(const PointerEvent&)> onPointer;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void deliver(PointerAction action, Qt::MouseButton qtButton, QMouseEvent* e);
  const TXP_Form& form_;
  int scale_;
};

}  // namespace shirakaba
