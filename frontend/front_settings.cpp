#include "frontend/front_settings.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace shirakaba {

namespace {

const char* const kPaceNames[] = {"slow", "normal", "fast"};

const char* onOff(bool on) { return on ? "true" : "false"; }

}  // namespace

AutoSpeed autoSpeedOf(AutoPace pace) {
  switch (pace) {
    case AutoPace::Slow: return AutoSpeed{2250, 120};
    case AutoPace::Normal: return AutoSpeed{1500, 80};
    case AutoPace::Fast: return AutoSpeed{750, 40};
  }
  return AutoSpeed{};
}

std::string settingsToText(const FrontSettings& s) {
  std::ostringstream out;
  out << "zoom=" << s.zoom << '\n'
      << "fullScreen=" << onOff(s.fullScreen) << '\n'
      << "speak=" << onOff(s.speak) << '\n'
      << "copyEachPage=" << onOff(s.copyEachPage) << '\n'
      << "skip=" << (s.skipMode == SkipMode::All ? "all" : "read") << '\n'
      << "autoSpeed=" << kPaceNames[static_cast<int>(s.autoPace)] << '\n'
      << "language=" << s.language << '\n';
  return out.str();
}

FrontSettings settingsFromText(const std::string& text) {
  FrontSettings s;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "zoom") {
      int zoom = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), zoom);
      if (ec == std::errc() && end == value.data() + value.size()) s.zoom = std::clamp(zoom, 0, kMaxZoom);
    } else if (key == "fullScreen") {
      s.fullScreen = value == "true";
    } else if (key == "speak") {
      s.speak = value == "true";
    } else if (key == "copyEachPage") {
      s.copyEachPage = value == "true";
    } else if (key == "skip") {
      s.skipMode = value == "all" ? SkipMode::All : SkipMode::Read;
    } else if (key == "autoSpeed") {
      for (int i = 0; i < 3; ++i)
        if (value == kPaceNames[i]) s.autoPace = static_cast<AutoPace>(i);
    } else if (key == "language") {
      if (value.size() <= 16) s.language = value;
    }
  }
  return s;
}

}  // namespace shirakaba
