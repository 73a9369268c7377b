#include "app/window_settings.h"

#include <QDir>
#include <QSettings>
#include <sstream>
#include <string>

namespace shirakaba {

namespace {

// The settings' names in their text and the keys of the ini file.
struct Key {
  const char* name;
  QString key;
};
const Key kKeys[] = {{"zoom", QStringLiteral("window/scale")},
                     {"fullScreen", QStringLiteral("window/fullScreen")},
                     {"speak", QStringLiteral("window/speak")},
                     {"copyEachPage", QStringLiteral("aids/copyEachPage")},
                     {"skip", QStringLiteral("aids/skip")},
                     {"autoSpeed", QStringLiteral("aids/autoSpeed")}};
const QString kPosition = QStringLiteral("window/position");

}  // namespace

WindowSettings::WindowSettings(const QString& userDir)
    : file_(std::make_unique<QSettings>(fileIn(userDir), QSettings::IniFormat)) {}

WindowSettings::~WindowSettings() = default;

QString WindowSettings::fileIn(const QString& userDir) { return QDir(userDir).filePath(QStringLiteral("settings.ini")); }

QString WindowSettings::path() const { return file_->fileName(); }

FrontSettings WindowSettings::read() const {
  std::string text;
  for (const Key& k : kKeys) {
    const std::string value = file_->value(k.key).toString().toStdString();
    if (value.find('\n') == std::string::npos) text += std::string(k.name) + '=' + value + '\n';
  }
  return settingsFromText(text);
}

void WindowSettings::fillIn(AppOptions& options) const {
  const FrontSettings s = read();
  if (!options.scaleGiven) {
    if (s.zoom > 0) options.scale = s.zoom;
    if (!options.fullscreen) options.fullscreen = s.fullScreen;
  }
  if (!options.speak) options.speak = s.speak;
  if (!options.copyEachPage) options.copyEachPage = s.copyEachPage;
}

std::optional<QPoint> WindowSettings::position() const {
  const QVariant v = file_->value(kPosition);
  if (v.typeId() != QMetaType::QPoint) return std::nullopt;  // missing, or not written by us
  return v.toPoint();
}

void WindowSettings::setScale(int scale) { write("zoom", [&](FrontSettings& s) { s.zoom = scale; }); }
void WindowSettings::setFullScreen(bool on) { write("fullScreen", [&](FrontSettings& s) { s.fullScreen = on; }); }
void WindowSettings::setSpeak(bool on) { write("speak", [&](FrontSettings& s) { s.speak = on; }); }
void WindowSettings::setCopyEachPage(bool on) { write("copyEachPage", [&](FrontSettings& s) { s.copyEachPage = on; }); }
void WindowSettings::setSkipMode(SkipMode mode) { write("skip", [&](FrontSettings& s) { s.skipMode = mode; }); }
void WindowSettings::setAutoPace(AutoPace pace) { write("autoSpeed", [&](FrontSettings& s) { s.autoPace = pace; }); }

// Written at once: a run that ends abruptly keeps what was chosen before.
void WindowSettings::setPosition(QPoint topLeft) {
  file_->setValue(kPosition, topLeft);
  file_->sync();
}

void WindowSettings::write(const std::string& name, const std::function<void(FrontSettings&)>& set) {
  FrontSettings settings;
  set(settings);
  std::istringstream lines(settingsToText(settings));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(name + '=', 0) != 0) continue;
    for (const Key& k : kKeys)
      if (name == k.name) file_->setValue(k.key, QString::fromStdString(line.substr(name.size() + 1)));
  }
  file_->sync();
}

}  // namespace shirakaba
