// The screen painted at a device pixel ratio of 1.5: every screen pixel must be a
// sharp square of whole device pixels, with no blended seams, and the pointer must
// come back on the pixel it is over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <cmath>
#include <vector>

#include "app/screen_widget.h"
#include "game_state_edit.h"

using namespace shirakaba;

namespace {

// Set before main: the factor must be in place before anything of Qt starts.
const bool kRatioSet = [] {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "1.5");
  return true;
}();

QApplication& app() {
  static int argc = 1;
  static char name[] = "hidpi_paint_test";
  static char* argv[] = {name, nullptr};
  (void)kRatioSet;
  // Never destroyed: Qt's own globals made after it would already be gone at exit.
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

// A pattern in which neighbouring pixels always differ, so any smoothing shows.
Colour patternAt(int x, int y) {
  return static_cast<Colour>(((x * 37 + y * 11) & 0xFF) | (((x * 5 + y * 97) & 0xFF) << 8) |
                             ((((x ^ y) * 29) & 0xFF) << 16));
}

QRgb asQRgb(Colour c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace

TEST(HiDpiScreen, EachPixelIsAWholeSquareOfDevicePixels) {
  app();
  GameCore game(GameSetup{});
  test::editState(game, [](GameState& s) {
    for (int y = 0; y < kGameHeight; ++y)
      for (int x = 0; x < kGameWidth; ++x) setPixel32(s.surfaces.ImageBa, x, y, patternAt(x, y));
  });

  for (int scale : {1, 2, 3}) {
    ScreenWidget w(game, scale);
    w.resize(w.windowedSize());
    if (w.devicePixelRatioF() != 1.5) GTEST_SKIP() << "the platform ignored QT_SCALE_FACTOR: ratio " << w.devicePixelRatioF();
    const ScreenPlacement p = w.placement();
    const int k = p.devicePerPixel;
    EXPECT_EQ(k, scale == 1 ? 2 : scale == 2 ? 3 : 5);
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(shot.width(), p.deviceRect.right() + 1) << scale;
    ASSERT_GE(shot.height(), p.deviceRect.bottom() + 1) << scale;
    int wrong = 0;
    for (int dy = 0; dy < shot.height(); ++dy) {
      for (int dx = 0; dx < shot.width(); ++dx) {
        const QPoint rel = QPoint(dx, dy) - p.deviceRect.topLeft();
        const bool inside = p.deviceRect.contains(dx, dy);
        const QRgb want = inside ? asQRgb(patternAt(rel.x() / k, rel.y() / k)) : qRgb(0, 0, 0);
        if (shot.pixel(dx, dy) != want && ++wrong < 5)
          ADD_FAILURE() << "scale " << scale << " device pixel " << dx << "," << dy;
      }
    }
    EXPECT_EQ(wrong, 0) << "scale " << scale;

    // A press on device pixel (d, d) arrives as d / 1.5 in logical pixels.
    std::vector<QPoint> got;
    w.onPointer = [&](const PointerEvent& e) { got.push_back(QPoint(e.x, e.y)); };
    for (int d : {p.deviceRect.x(), p.deviceRect.x() + k - 1, p.deviceRect.x() + k, p.deviceRect.x() + 302 * k - 1}) {
      const QPointF at(d / 1.5, (d - p.deviceRect.x() + p.deviceRect.y()) / 1.5);
      QMouseEvent e(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&w, &e);
    }
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], QPoint(0, 0));
    EXPECT_EQ(got[1], QPoint(0, 0));
    EXPECT_EQ(got[2], QPoint(1, 1));
    EXPECT_EQ(got[3], QPoint(301, 301));
  }
}

// Under a menu bar the widget starts at a fractional device row (19 * 1.5 = 28.5):
// the picture must still start on a whole row, the one the pointer mapping uses.
TEST(HiDpiScreen, AWidgetAtAFractionalDeviceOffsetStaysSharpAndInPlace) {
  app();
  GameCore game(GameSetup{});
  test::editState(game, [](GameState& s) {
    for (int y = 0; y < kGameHeight; ++y)
      for (int x = 0; x < kGameWidth; ++x) setPixel32(s.surfaces.ImageBa, x, y, patternAt(x, y));
  });
  QWidget parent;
  auto* w = new ScreenWidget(game, 1, &parent);
  w->setGeometry(QRect(QPoint(0, 19), w->windowedSize()));
  parent.resize(w->windowedSize() + QSize(0, 19));
  if (parent.devicePixelRatioF() != 1.5) GTEST_SKIP() << "ratio " << parent.devicePixelRatioF();
  const int k = w->placement().devicePerPixel;
  ASSERT_EQ(k, 2);

  // The pointer on window device row Y is at widget logical (Y - 28.5) / 1.5.
  std::vector<QPoint> got;
  w->onPointer = [&](const PointerEvent& e) { got.push_back(QPoint(e.x, e.y)); };
  const int firstRow = static_cast<int>(std::ceil(19 * 1.5));
  for (int deviceY : {firstRow - 1, firstRow, firstRow + 1, firstRow + 2}) {
    const QPointF at(0.0, (deviceY - 19 * 1.5) / 1.5);
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
  }
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].y(), -1);
  EXPECT_EQ(got[1].y(), 0);
  EXPECT_EQ(got[2].y(), 0);
  EXPECT_EQ(got[3].y(), 1);

  // And the picture's screen row 0 is exactly on device rows firstRow and firstRow + 1.
  const QImage shot = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int wrong = 0;
  for (int sy = 0; sy < 200; ++sy)
    for (int sx = 0; sx < kGameWidth; sx += 3)
      for (int d = 0; d < 4; ++d) {
        const int dx = sx * k + d % 2, dy = firstRow + sy * k + d / 2;
        if (shot.pixel(dx, dy) != asQRgb(patternAt(sx, sy)) && ++wrong < 5)
          ADD_FAILURE() << "screen " << sx << "," << sy << " device " << dx << "," << dy;
      }
  EXPECT_EQ(wrong, 0);
}
