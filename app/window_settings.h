// The window's own settings (frontend/front_settings.h), kept between runs in
// USERDIR/settings.ini, and where the window was left. Only what the player changes in
// the window is written; an option on the command line counts for its run only. The
// game's own settings (sound effects, the speed of large pictures) are not kept: the
// game starts them afresh on every run, as it always has.
#pragma once
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app/app_options.h"
#include "frontend/front_settings.h"

class QSettings;

namespace shirakaba {

class WindowSettings {
 public:
  explicit WindowSettings(const QString& userDir);
  ~WindowSettings();
  static QString fileIn(const QString& userDir);
  QString path() const;

  // What the file holds; what the window did not write there gives the defaults.
  FrontSettings read() const;
  // Takes from the file what the command line left open: the zoom unless --scale
  // named one, full screen unless --scale or --fullscreen, speech, copying each page.
  void fillIn(AppOptions& options) const;
  SkipMode skipMode() const { return read().skipMode; }  // Read or All: what skipping skips
  AutoPace autoPace() const { return read().autoPace; }
  std::optional<QPoint> position() const;

  void setScale(int scale);
  void setFullScreen(bool on);
  void setSpeak(bool on);
  void setCopyEachPage(bool on);
  void setSkipMode(SkipMode mode);
  void setAutoPace(AutoPace pace);
  void setPosition(QPoint topLeft);

 private:
  // Writes the one setting `name` (as the settings' text names it), as `set` makes it.
  void write(const std::string& name, const std::function<void(FrontSettings&)>& set);
  std::unique_ptr<QSettings> file_;
};

}  // namespace shirakaba
