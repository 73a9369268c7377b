#include "app/screen_mapping.h"

#include <algorithm>
#include <cmath>

#include "game/core.h"

namespace shirakaba {

namespace {

// Products such as 853.333 * 1.5 land a hair below the whole number they stand for.
constexpr double kSlack = 1e-4;

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int toDevice(double logical, qreal dpr) { return static_cast<int>(std::floor(logical * dpr + kSlack)); }

qreal validRatio(qreal dpr) { return dpr > 0 ? dpr : 1; }

}  // namespace

int devicePixelsForZoom(qreal dpr, int scale) {
  return std::max(1, static_cast<int>(std::floor(scale * validRatio(dpr) + 0.5)));
}

QSize windowedWidgetSize(qreal dpr, int scale) {
  const qreal r = validRatio(dpr);
  const int k = devicePixelsForZoom(r, scale);
  return QSize(static_cast<int>(std::ceil(kGameWidth * k / r - kSlack)),
               static_cast<int>(std::ceil(kGameHeight * k / r - kSlack)));
}

int largestWindowedZoom(qreal dpr, QSize available, QSize chrome, int maxScale) {
  for (int scale = maxScale; scale > 1; --scale) {
    const QSize window = windowedWidgetSize(dpr, scale) + chrome;
    if (window.width() <= available.width() && window.height() <= available.height()) return scale;
  }
  return 1;
}

ScreenPlacement placeScreen(qreal dpr, QSize widgetLogical, int scale) {
  ScreenPlacement p;
  p.dpr = validRatio(dpr);
  p.deviceSize = QSize(toDevice(widgetLogical.width(), p.dpr), toDevice(widgetLogical.height(), p.dpr));
  const int fits = std::min(p.deviceSize.width() / kGameWidth, p.deviceSize.height() / kGameHeight);
  int k = scale == kFillWidget ? fits : devicePixelsForZoom(p.dpr, scale);
  if (scale != kFillWidget && fits >= 1) k = std::min(k, fits);
  p.devicePerPixel = std::max(k, 1);
  const int w = kGameWidth * p.devicePerPixel, h = kGameHeight * p.devicePerPixel;
  p.deviceRect = QRect((p.deviceSize.width() - w) / 2, (p.deviceSize.height() - h) / 2, w, h);
  return p;
}

QPoint screenPointAt(const ScreenPlacement& p, QPointF widgetPos) {
  const int x = static_cast<int>(std::floor(widgetPos.x() * p.dpr + kSlack));
  const int y = static_cast<int>(std::floor(widgetPos.y() * p.dpr + kSlack));
  return QPoint(floorDiv(x - p.deviceRect.x(), p.devicePerPixel), floorDiv(y - p.deviceRect.y(), p.devicePerPixel));
}

}  // namespace shirakaba
