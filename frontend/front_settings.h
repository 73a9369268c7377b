// The settings a front end remembers between runs, as a plain struct: each front end
// keeps it where its platform keeps such things (the window in an ini file, the page
// in the browser). The game's own settings (sound effects, the speed of large
// pictures) are not among them: the game starts those afresh on every run.
#pragma once
#include <optional>
#include <string>

#include "comforts/comforts.h"

namespace shirakaba {

enum class AutoPace { Slow, Normal, Fast };
AutoSpeed autoSpeedOf(AutoPace pace);

constexpr int kMaxZoom = 4;

struct FrontSettings {
  int zoom = 0;  // 1..kMaxZoom; 0: the largest that fits
  bool fullScreen = false;
  bool speak = false;
  bool copyEachPage = false;
  SkipMode skipMode = SkipMode::Read;  // what skipping skips: Read or All
  AutoPace autoPace = AutoPace::Normal;
  std::string language;                // "ja", "en"; empty: the system's
  bool operator==(const FrontSettings&) const = default;
};

// As lines "key=value"; reading ignores what it does not know and keeps the default
// of a value it cannot read, so an old or damaged text never stops a start.
std::string settingsToText(const FrontSettings& settings);
FrontSettings settingsFromText(const std::string& text);

}  // namespace shirakaba
