// What only the window system can do. The engine calls these; the game's front door
// (game/core.h) turns them into events for the front ends, and tests record them.
#pragma once
#include <cstdio>
#include <string>

namespace shirakaba {

enum class DialogKind { None, Message, About, Readme };

class Host {
 public:
  virtual ~Host() = default;
  // A modal dialog is open from now until Engine::dialogClosed; the timers go on.
  virtual void showDialog(DialogKind kind, const std::string& text) = 0;
  // Starts a WAV file asynchronously, cutting off the one playing: `file` as the game
  // names it ("data/wav/h_1.wav"), `path` where it lies.
  virtual void playSound(const std::string& file, const std::string& path) = 0;
  // Closes the main window; the program ends.
  virtual void closeWindow() = 0;
  // Text written on the screen, to be read (pages, hints, choices, notices).
  virtual void textShown(const std::string& text) {}
  // A new game has begun (the training state was reset for one).
  virtual void gameStarted() {}
  // A note for whoever runs the program (not shown to the player).
  virtual void log(const std::string& line) { std::fprintf(stderr, "shirakaba: %s\n", line.c_str()); }
};

// A host that does nothing: for tests and tools that need none.
class NullHost : public Host {
 public:
  void showDialog(DialogKind, const std::string&) override {}
  void playSound(const std::string&, const std::string&) override {}
  void closeWindow() override {}
  void log(const std::string&) override {}
};

}  // namespace shirakaba
