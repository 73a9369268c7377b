// A host that records what the game asks of the window, for tests to look at.
#pragma once
#include <string>
#include <vector>

#include "engine/host.h"

namespace shirakaba::test {

class RecordingHost : public Host {
 public:
  std::vector<DialogKind> dialogs;
  std::vector<std::string> dialogTexts;
  std::vector<std::string> sounds;  // as the game names them: "data/wav/h_1.wav"
  std::vector<std::string> soundPaths;
  std::vector<std::string> texts;   // written on the screen
  std::vector<std::string> logs;
  int closes = 0;

  void showDialog(DialogKind kind, const std::string& text) override {
    dialogs.push_back(kind);
    dialogTexts.push_back(text);
  }
  void playSound(const std::string& file, const std::string& path) override {
    sounds.push_back(file);
    soundPaths.push_back(path);
  }
  void closeWindow() override { ++closes; }
  void textShown(const std::string& text) override { texts.push_back(text); }
  void log(const std::string& line) override { logs.push_back(line); }

  // The sounds since the last call.
  std::vector<std::string> takeSounds() {
    std::vector<std::string> s;
    s.swap(sounds);
    soundPaths.clear();
    return s;
  }
};

}  // namespace shirakaba::test
