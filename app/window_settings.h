// The window's own settings, kept between runs in USERDIR/settings.ini. Only what the
// player changes in the window is written; an option on the command line counts for
// its run only. The game's own settings (sound effects, the speed of large pictures)
// are not kept: the game starts them afresh on every run, as it always has.
#pragma once
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

#include "app/app_options.h"
#include "comforts/comforts.h"

class QSettings;
class QVariant;

namespace shirakaba {

enum class AutoPace { Slow, Normal, Fast };
AutoSpeed autoSpeedOf(AutoPace pace);

class WindowSettings {
 public:
  explicit WindowSettings(const QString& userDir);
  ~WindowSettings();
  static QString fileIn(const QString& userDir);
  QString path() const;

  // Takes from the file what the command line left open: the zoom unless --scale
  // named one, full screen unless --scale or --fullscreen, speech, copying each page.
  void fillIn(AppOptions& options) const;
  SkipMode skipMode() const;  // Read or All: what skipping skips
  AutoPace autoPace() const;
  std::optional<QPoint> position() const;

  void setScale(int scale);
  void setFullScreen(bool on);
  void setSpeak(bool on);
  void setCopyEachPage(bool on);
  void setSkipMode(SkipMode mode);
  void setAutoPace(AutoPace pace);
  void setPosition(QPoint topLeft);

 private:
  void write(const QString& key, const QVariant& value);
  std::unique_ptr<QSettings> file_;
};

}  // namespace shirakaba
