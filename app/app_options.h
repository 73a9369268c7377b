// Command-line options of the windowed game. Parsed without a window system so that
// --help and --version work where no display is available; the help and the errors are
// in the player's language once a translation is installed.
#pragma once
#include <string>

#include "base/result.h"

namespace shirakaba {

struct AppOptions {
  std::string gameDir = ".";  // where data/, data/wav/ and readme.txt live
  bool dataGiven = false;     // --data named gameDir; otherwise the usual places are searched
  std::string shotsDir;       // where F12 saves; empty: the user's pictures folder
  std::string userDir;        // where saves go (USERDIR/saves/...); empty: the toolkit's per-user data folder
  bool continueGame = false;  // load the autosave at start-up
  bool speak = false;         // read the screen's text aloud
  bool copyEachPage = false;  // --clipboard: each page goes to the clipboard as it is shown
  int scale = 1;              // integer zoom of the 640 x 480 screen, 1..4
  bool scaleGiven = false;    // --scale named it (otherwise the remembered zoom counts)
  bool fullscreen = false;    // largest integer zoom that fits, letterboxed
  std::string language;       // --lang: the window's own texts in this language; empty: the system's
  bool help = false;
  bool version = false;
};

constexpr const char* kVersionText = "shirakaba 1.0.0";
constexpr int kMaxScale = 4;

// The options, or an Error for an unknown option or a bad value.
Result<AppOptions> parseAppOptions(int argc, char** argv);
std::string usageText(const char* program);

}  // namespace shirakaba
