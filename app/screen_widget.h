// The game's visible surface: its 640 x 480 screen zoomed by a whole factor
// with nearest neighbour, centred with black bars when the widget is larger, and
// the mouse mapped back to the screen's own pixels.
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>

#include "app/screen_mapping.h"
#include "game/core.h"

namespace shirakaba {

enum class PointerAction { Press, Move, Release };

struct PointerEvent {
  PointerAction action;
  MouseButton button;  // Left for moves
  int x, y;            // screen pixels; may lie outside 0..639 / 0..479 while a button is held
};

// Where the zoomed screen lies in a widget of `widget` size (one device pixel per
// logical pixel; placeScreen() is the general form).
QRect screenRectIn(QSize widget, int scale);
// A widget position back to screen pixels (floor division, so -1 stays left of 0).
QPoint widgetToScreen(QPoint widgetPos, const QRect& screenRect, int scale);
// The largest whole zoom, 1..4, at which 640 x 480 fits in `available`.
int largestScaleFitting(QSize available);

class ScreenWidget : public QWidget {
  Q_OBJECT
 public:
  ScreenWidget(const GameCore& game, int scale, QWidget* parent = nullptr);
  int scale() const { return scale_; }
  void setScale(int scale);
  // Full screen: the largest whole zoom that fits, whatever the scale.
  bool fillsWidget() const { return fill_; }
  void setFillsWidget(bool fill);
  ScreenPlacement placement() const;
  // The picture in logical pixels (rounded outwards where the ratio is fractional).
  QRect screenRect() const { return placement().logicalRect().toAlignedRect(); }
  // The text the screen shows now, for screen readers: set after every event that
  // wrote text, announced as a name change.
  const QString& shownText() const { return shownText_; }
  void setShownText(const QString& text);
  // The window's size for the zoom, in whole device pixels per screen pixel.
  QSize windowedSize() const { return windowedWidgetSize(devicePixelRatioF(), scale_); }
  QSize sizeHint() const override { return windowedSize(); }
  // After every announcement, also when the text repeats.
  Q_SIGNAL void textAnnounced(const QString& text);
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
  const GameCore& game_;
  int scale_;
  bool fill_ = false;
  QString shownText_;
};

}  // namespace shirakaba
