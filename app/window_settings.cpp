#include "app/window_settings.h"

#include <QDir>
#include <QSettings>
#include <algorithm>

namespace shirakaba {

namespace {

const QString kScale = QStringLiteral("window/scale");
const QString kFullScreen = QStringLiteral("window/fullScreen");
const QString kPosition = QStringLiteral("window/position");
const QString kSpeak = QStringLiteral("window/speak");
const QString kCopyEachPage = QStringLiteral("aids/copyEachPage");
const QString kSkip = QStringLiteral("aids/skip");
const QString kAutoSpeed = QStringLiteral("aids/autoSpeed");

const char* const kPaceNames[] = {"slow", "normal", "fast"};

// Only what the window writes counts as on; anything else in the file is off.
bool isOn(const QSettings& file, const QString& key) { return file.value(key).toString() == QStringLiteral("true"); }

}  // namespace

AutoSpeed autoSpeedOf(AutoPace pace) {
  switch (pace) {
    case AutoPace::Slow: return AutoSpeed{2250, 120};
    case AutoPace::Normal: return AutoSpeed{1500, 80};
    case AutoPace::Fast: return AutoSpeed{750, 40};
  }
  return AutoSpeed{};
}

WindowSettings::WindowSettings(const QString& userDir)
    : file_(std::make_unique<QSettings>(fileIn(userDir), QSettings::IniFormat)) {}

WindowSettings::~WindowSettings() = default;

QString WindowSettings::fileIn(const QString& userDir) { return QDir(userDir).filePath(QStringLiteral("settings.ini")); }

QString WindowSettings::path() const { return file_->fileName(); }

void WindowSettings::fillIn(AppOptions& options) const {
  if (!options.scaleGiven) {
    bool ok = false;
    const int scale = file_->value(kScale).toInt(&ok);
    if (ok) options.scale = std::clamp(scale, 1, kMaxScale);
    if (!options.fullscreen) options.fullscreen = isOn(*file_, kFullScreen);
  }
  if (!options.speak) options.speak = isOn(*file_, kSpeak);
  if (!options.copyEachPage) options.copyEachPage = isOn(*file_, kCopyEachPage);
}

SkipMode WindowSettings::skipMode() const {
  return file_->value(kSkip).toString() == QStringLiteral("all") ? SkipMode::All : SkipMode::Read;
}

AutoPace WindowSettings::autoPace() const {
  const QString name = file_->value(kAutoSpeed).toString();
  for (int i = 0; i < 3; ++i)
    if (name == QLatin1String(kPaceNames[i])) return static_cast<AutoPace>(i);
  return AutoPace::Normal;
}

std::optional<QPoint> WindowSettings::position() const {
  const QVariant v = file_->value(kPosition);
  if (v.typeId() != QMetaType::QPoint) return std::nullopt;  // missing, or not written by us
  return v.toPoint();
}

void WindowSettings::setScale(int scale) { write(kScale, scale); }
void WindowSettings::setFullScreen(bool on) { write(kFullScreen, on); }
void WindowSettings::setSpeak(bool on) { write(kSpeak, on); }
void WindowSettings::setCopyEachPage(bool on) { write(kCopyEachPage, on); }
void WindowSettings::setSkipMode(SkipMode mode) {
  write(kSkip, mode == SkipMode::All ? QStringLiteral("all") : QStringLiteral("read"));
}
void WindowSettings::setAutoPace(AutoPace pace) { write(kAutoSpeed, QLatin1String(kPaceNames[static_cast<int>(pace)])); }
void WindowSettings::setPosition(QPoint topLeft) { write(kPosition, topLeft); }

// Written at once: a run that ends abruptly keeps what was chosen before.
void WindowSettings::write(const QString& key, const QVariant& value) {
  file_->setValue(key, value);
  file_->sync();
}

}  // namespace shirakaba
