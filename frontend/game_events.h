// What the game asked for, turned into the calls a front end implements: play a
// sound, open a dialog, show a text, close, log. The texts written during one call
// into the game are told as one announcement.
#pragma once
#include <string>
#include <vector>

#include "game/core.h"

namespace shirakaba {

class FrontEndHost {
 public:
  virtual ~FrontEndHost() = default;
  // A WAV file, cutting off the one playing; a missing or unplayable file stays silent.
  virtual void playSound(const SoundStarted& sound) = 0;
  // A modal dialog; the front end calls GameCore::dialogClosed() once the player closed
  // it (the game's timers run on meanwhile).
  virtual void openDialog(const DialogOpened& dialog) = 0;
  // The text on the screen now, for screen readers, speech and the clipboard.
  virtual void showText(const std::string& text) = 0;
  // The game closed its window ("おわる").
  virtual void closeWindow() = 0;
  virtual void log(const std::string& line) = 0;
};

// The texts written during one event as one announcement: one line each, joined with
// line feeds; the blinking page prompt alone is no news and gives "".
std::string shownTextOf(const std::vector<std::string>& written);

// Takes the game's events and hands them to the host, in order; the texts go as one
// announcement after the others (when there is news).
void dispatchEvents(GameCore& game, FrontEndHost& host);

}  // namespace shirakaba
