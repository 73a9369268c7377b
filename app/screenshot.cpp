#include "app/screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "game/core.h"

namespace shirakaba {

namespace {

constexpr int kMaxShots = 9999;

// The context translators see these texts in.
class Texts {
  Q_DECLARE_TR_FUNCTIONS(Screenshot)
};

}  // namespace

QImage screenImage(const GameCore& game) {
  const Bitmap& b = game.screen();
  if (!game.screenVisible() || b.empty() || !b.is32() || b.pixels.empty() || b.width != kGameWidth ||
      b.height != kGameHeight) {
    QImage black(kGameWidth, kGameHeight, QImage::Format_RGB888);
    black.fill(Qt::black);
    return black;
  }
  // The fourth byte of each pixel is unused; RGB888 leaves it out of the file.
  const QImage view(b.pixels.data(), b.width, b.height, b.stride, QImage::Format_RGB32);
  return view.convertToFormat(QImage::Format_RGB888);
}

QString nextShotPath(const QString& dir) {
  const QDir d(dir);
  for (int n = 1; n <= kMaxShots; ++n) {
    const QString path = d.filePath(QStringLiteral("shirakaba-%1.png").arg(n, 4, 10, QLatin1Char('0')));
    if (!QFileInfo::exists(path)) return path;
  }
  return QString();
}

QString defaultShotsDir() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return pictures.isEmpty() ? QDir::homePath() : pictures;
}

Result<QString> saveScreenshot(const GameCore& game, const QString& dir) {
  const auto failure = [](const QString& why) { return fail(why.toStdString()); };
  if (!QDir().mkpath(dir)) return failure(Texts::tr("cannot create %1").arg(dir));
  const QString path = nextShotPath(dir);
  if (path.isEmpty()) return failure(Texts::tr("%1 holds %2 screenshots already").arg(dir).arg(kMaxShots));
  if (!screenImage(game).save(path, "PNG")) return failure(Texts::tr("cannot write %1").arg(path));
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace shirakaba
