#include "frontend/game_events.h"

namespace shirakaba {

namespace {
constexpr const char* kPagePrompt = "▼";
}

std::string shownTextOf(const std::vector<std::string>& written) {
  std::string text;
  for (const std::string& s : written) {
    if (s == kPagePrompt) continue;
    if (!text.empty()) text += '\n';
    text += s;
  }
  return text;
}

void dispatchEvents(GameCore& game, FrontEndHost& host) {
  std::vector<std::string> written;
  for (GameEvent& event : game.takeEvents()) {
    if (auto* sound = std::get_if<SoundStarted>(&event)) host.playSound(*sound);
    else if (auto* text = std::get_if<TextShown>(&event)) written.push_back(std::move(text->text));
    else if (auto* dialog = std::get_if<DialogOpened>(&event)) host.openDialog(*dialog);
    else if (std::holds_alternative<WindowClosed>(event)) host.closeWindow();
    else if (auto* line = std::get_if<LogLine>(&event)) host.log(line->text);
  }
  const std::string shown = shownTextOf(written);
  if (!shown.empty()) host.showText(shown);
}

}  // namespace shirakaba
