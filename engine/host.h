// What only the window system can do. The core calls these; the Qt window and the
// headless driver implement them.
#pragma once
#include <cstdio>
#include <string>

namespace shirakaba {

enum class DialogKind { None, Message, About, Readme };

class Host {
 public:
  virtual ~Host() = default;
  // Opens a modal dialog. The host tells the form when it closes
  // (TXP_Form::dialogClosed); a host may block inside this call until then.
  virtual void showDialog(DialogKind kind, const std::string& text) = 0;
  // Starts a WAV file asynchronously, cutting off the one playing.
  virtual void playSound(const std::string& path) = 0;
  // Closes the main window; the program ends.
  virtual void closeWindow() = 0;
  // A note for whoever runs the program (not shown to the player).
  virtual void log(const std::string& line) { std::fprintf(stderr, "shirakaba: %s\n", line.c_str()); }
};

// A host that does nothing: for tests that need none.
class NullHost : public Host {
 public:
  void showDialog(DialogKind, const std::string&) override {}
  void playSound(const std::string&) override {}
  void closeWindow() override {}
  void log(const std::string&) override {}
};

}  // namespace shirakaba
