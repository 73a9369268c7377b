// The screen's placement in whole device pixels and the pointer mapped back through
// it: every zoom and device pixel ratio hits the same screen pixels as zoom 1.
#include <gtest/gtest.h>

#include <cmath>

#include "app/screen_mapping.h"
#include "game/core.h"

using namespace shirakaba;

namespace {

struct Case {
  qreal dpr;
  int scale;
  int devicePerPixel;  // what the picture gets in the window of that zoom
  QSize widget;        // the window's widget, logical pixels
};

const Case kCases[] = {
    {1.0, 1, 1, {640, 480}},   {1.0, 2, 2, {1280, 960}},  {1.0, 3, 3, {1920, 1440}}, {1.0, 4, 4, {2560, 1920}},
    {1.5, 1, 2, {854, 640}},   {1.5, 2, 3, {1280, 960}},  {1.5, 3, 5, {2134, 1600}}, {1.5, 4, 6, {2560, 1920}},
    {2.0, 1, 2, {640, 480}},   {2.0, 2, 4, {1280, 960}},  {2.0, 3, 6, {1920, 1440}}, {2.0, 4, 8, {2560, 1920}},
    {1.25, 2, 3, {1536, 1152}}, {1.75, 1, 2, {732, 549}},
};

ScreenPlacement windowed(const Case& c) { return placeScreen(c.dpr, windowedWidgetSize(c.dpr, c.scale), c.scale); }

}  // namespace

TEST(ScreenPlacement, WholeDevicePixelsPerScreenPixelCentred) {
  for (const Case& c : kCases) {
    const ScreenPlacement p = windowed(c);
    SCOPED_TRACE(testing::Message() << "dpr " << c.dpr << " scale " << c.scale);
    EXPECT_EQ(windowedWidgetSize(c.dpr, c.scale), c.widget);
    EXPECT_EQ(p.devicePerPixel, c.devicePerPixel);
    EXPECT_EQ(p.deviceRect.size(), QSize(640, 480) * c.devicePerPixel);
    // The widget is the picture plus at most one device pixel of rounding.
    EXPECT_LE(p.deviceSize.width() - p.deviceRect.width(), 1);
    EXPECT_LE(p.deviceSize.height() - p.deviceRect.height(), 1);
    // Centred: the bars on both sides differ by at most one device pixel.
    const int left = p.deviceRect.left(), right = p.deviceSize.width() - p.deviceRect.right() - 1;
    const int top = p.deviceRect.top(), bottom = p.deviceSize.height() - p.deviceRect.bottom() - 1;
    EXPECT_GE(left, 0);
    EXPECT_GE(top, 0);
    EXPECT_LE(std::abs(left - right), 1);
    EXPECT_LE(std::abs(top - bottom), 1);
  }
}

// A pointer reports device pixels divided by the ratio; each must land on the
// screen pixel whose square of device pixels it is in, exactly as at zoom 1.
TEST(ScreenPlacement, EveryDevicePixelMapsToTheScreenPixelItShows) {
  for (const Case& c : kCases) {
    const ScreenPlacement p = windowed(c);
    const int k = p.devicePerPixel;
    SCOPED_TRACE(testing::Message() << "dpr " << c.dpr << " scale " << c.scale);
    const int y0 = p.deviceRect.y();
    for (int dx = 0; dx < p.deviceSize.width(); ++dx) {
      const QPoint at = screenPointAt(p, QPointF(dx / c.dpr, y0 / c.dpr));
      const int rel = dx - p.deviceRect.x();
      const int want = rel >= 0 ? rel / k : -((-rel + k - 1) / k);
      ASSERT_EQ(at.x(), want) << "device x " << dx;
      ASSERT_EQ(at.y(), 0);
    }
    const int x0 = p.deviceRect.x();
    for (int dy = 0; dy < p.deviceSize.height(); ++dy) {
      const int rel = dy - p.deviceRect.y();
      const int want = rel >= 0 ? rel / k : -((-rel + k - 1) / k);
      ASSERT_EQ(screenPointAt(p, QPointF(x0 / c.dpr, dy / c.dpr)).y(), want) << "device y " << dy;
    }
  }
}

// The centre of a screen pixel as seen on the display (in logical pixels) maps to
// that pixel at every zoom, as the pixel itself does at zoom 1: so every hit
// region, whose edges are pixel edges, covers the same pixels.
TEST(ScreenPlacement, SameScreenPixelsAsZoomOne) {
  const ScreenPlacement one = placeScreen(1.0, QSize(640, 480), 1);
  for (const Case& c : kCases) {
    const ScreenPlacement p = windowed(c);
    const QRectF r = p.logicalRect();
    const qreal cell = qreal(p.devicePerPixel) / c.dpr;
    SCOPED_TRACE(testing::Message() << "dpr " << c.dpr << " scale " << c.scale);
    for (int x = 0; x < kGameWidth; ++x) {
      const QPoint base = screenPointAt(one, QPointF(x + 0.5, 0.5));
      ASSERT_EQ(screenPointAt(p, QPointF(r.x() + (x + 0.5) * cell, r.y() + 0.5 * cell)), base) << x;
    }
    for (int y = 0; y < kGameHeight; ++y) {
      const QPoint base = screenPointAt(one, QPointF(0.5, y + 0.5));
      ASSERT_EQ(screenPointAt(p, QPointF(r.x() + 0.5 * cell, r.y() + (y + 0.5) * cell)), base) << y;
    }
    // The corners, and one step past them into the bars.
    EXPECT_EQ(screenPointAt(p, r.topLeft()), QPoint(0, 0));
    EXPECT_EQ(screenPointAt(p, r.bottomRight() - QPointF(0.01, 0.01)), QPoint(639, 479));
    EXPECT_EQ(screenPointAt(p, r.bottomRight()), QPoint(640, 480));
    EXPECT_EQ(screenPointAt(p, r.topLeft() - QPointF(0.01, 0.01)), QPoint(-1, -1));
  }
}

TEST(ScreenPlacement, FullScreenTakesTheLargestWholeNumberThatFits) {
  // 1920 x 1080 pixels at ratio 1, and the same panel at 1.5 (1280 x 720 logical).
  ScreenPlacement p = placeScreen(1.0, QSize(1920, 1050), kFillWidget);
  EXPECT_EQ(p.devicePerPixel, 2);
  EXPECT_EQ(p.deviceRect, QRect(320, 45, 1280, 960));
  p = placeScreen(1.5, QSize(1280, 700), kFillWidget);
  EXPECT_EQ(p.devicePerPixel, 2);
  EXPECT_EQ(p.deviceRect, QRect(320, 45, 1280, 960));
  EXPECT_EQ(screenPointAt(p, QPointF(320 / 1.5, 45 / 1.5)), QPoint(0, 0));
  // A 3840 x 2160 panel at ratio 2: four device pixels, more than the logical zoom of 2.
  p = placeScreen(2.0, QSize(1920, 1080), kFillWidget);
  EXPECT_EQ(p.devicePerPixel, 4);
  EXPECT_EQ(p.deviceRect, QRect(640, 120, 2560, 1920));
  EXPECT_EQ(screenPointAt(p, QPointF(1920 - 320 - 0.5, 1080 - 60 - 0.5)), QPoint(639, 479));
}

TEST(ScreenPlacement, ZoomShrinksToFitAndNeverBelowOne) {
  // A zoom of 2 in a widget of 640 x 480 at ratio 1.5: only one device pixel fits.
  EXPECT_EQ(placeScreen(1.5, QSize(640, 480), 2).devicePerPixel, 1);
  // A window's zoom of 3 in a widget that holds only 2.
  EXPECT_EQ(placeScreen(1.0, QSize(1400, 1000), 3).devicePerPixel, 2);
  // Smaller than the screen: unzoomed and clipped, centred.
  ScreenPlacement p = placeScreen(1.0, QSize(600, 400), 2);
  EXPECT_EQ(p.devicePerPixel, 2);
  p = placeScreen(1.0, QSize(600, 400), kFillWidget);
  EXPECT_EQ(p.devicePerPixel, 1);
  EXPECT_EQ(p.deviceRect, QRect(-20, -40, 640, 480));
  EXPECT_EQ(screenPointAt(p, QPointF(0, 0)), QPoint(20, 40));
  // A nonsense ratio counts as 1.
  EXPECT_EQ(placeScreen(0.0, QSize(1280, 960), 2).devicePerPixel, 2);
}
