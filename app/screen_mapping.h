// Where the 640 x 480 screen lies in the widget, in whole device pixels: each
// screen pixel becomes an exact square of device pixels, so a display with a
// device pixel ratio of 1.5 or 2 shows it as sharp as one with 1; the rest of the
// widget is a black letterbox. The pointer is mapped back through the same squares.
#pragma once
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace shirakaba {

// As `scale`: the largest whole zoom that fits the widget (full screen).
constexpr int kFillWidget = 0;

struct ScreenPlacement {
  qreal dpr = 1;              // device pixels per logical pixel
  int devicePerPixel = 1;     // device pixels per screen pixel, a whole number >= 1
  QRect deviceRect;           // the screen's picture, in the widget's device pixels
  QSize deviceSize;           // the whole widget, in device pixels
  QRectF logicalRect() const {
    return QRectF(deviceRect.x() / dpr, deviceRect.y() / dpr, deviceRect.width() / dpr, deviceRect.height() / dpr);
  }
};

// Zoom N asks for N logical pixels per screen pixel: N * dpr device pixels, rounded
// to the nearest whole number (halves up, never below 1).
int devicePixelsForZoom(qreal dpr, int scale);
// The window's widget for zoom N: just large enough for that many device pixels
// per screen pixel (at a ratio of 1.5, zoom 1 gives 2 device pixels: 854 x 640).
QSize windowedWidgetSize(qreal dpr, int scale);
// The largest zoom from 1 to maxScale whose windowed widget, with `chrome` around it
// (the menu bar, the window's frame), fits `available`; 1 when none does.
int largestWindowedZoom(qreal dpr, QSize available, QSize chrome, int maxScale);
// devicePixelsForZoom, reduced to what fits the widget (never below 1);
// kFillWidget takes the largest number that fits. The picture is centred.
ScreenPlacement placeScreen(qreal dpr, QSize widgetLogical, int scale);
// A widget position (logical pixels, as mouse events give it) in screen pixels;
// floor division, so positions in the bars lie outside 0..639 / 0..479.
QPoint screenPointAt(const ScreenPlacement& placement, QPointF widgetPos);

}  // namespace shirakaba
