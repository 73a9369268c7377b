// The game in the page: the game, its aids, its saves and its clock, driven by the
// page's JavaScript through web_api.cpp. Everything the game asks for (sounds,
// dialogs, texts, closing) is kept as JSON for the page to take after each call.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "frontend/front_settings.h"
#include "frontend/game_events.h"
#include "frontend/game_saves.h"
#include "frontend/player_aids.h"
#include "frontend/real_time.h"
#include "game/core.h"

namespace shirakaba {

using Json = nlohmann::ordered_json;

struct WebSetup {
  std::string gameDir;   // holds data/lumora.red, data/wav/, readme.txt
  std::string userDir;   // saves/ and read/ as in the window's user folder
  FrontSettings settings;
  SaveReasons saveReasons;  // in the page's language
  std::optional<uint64_t> seed;
  // Time driven by the caller (waitFor, settle) instead of the wall clock: for tests.
  bool virtualTime = false;
};

class WebGame : private FrontEndHost {
 public:
  WebGame(const WebSetup& setup, int64_t wall);
  GameCore& game() { return game_; }
  PlayerAids& aids() { return aids_; }
  GameSaves& saves() { return saves_; }
  bool virtualTime() const { return !time_; }

  // Every input is preceded by a catch-up of the clock and followed by the aids'
  // reaction (each ends in refresh()).
  void beforeInput(int64_t wall);
  void refresh(int64_t wall);
  // The page's timer fired.
  void wake(int64_t wall);
  // Milliseconds until the page must wake next, or -1.
  int64_t sleepFrom(int64_t wall) const;

  void pointer(int action, MouseButton button, int x, int y, int64_t wall);
  // "おわる" leaves the game: its autosave is taken before and written if it ended.
  void menuCommand(MenuId id, int64_t wall);

  // Virtual time, as a replay's wait and settle.
  void waitFor(int64_t ms);
  bool settle();

  // What happened since the last call, for the page: {"events": [...], "menu": ...
  // (only when it changed), "mark": "skip"|"auto"|"", "underWay", "closed"}.
  Json takeNews();
  // The screen as RGBA when it changed since the last call, else nullptr; only the
  // rectangle changedArea() names is new (a blinking prompt redraws a few pixels).
  const uint8_t* frameIfChanged();
  struct Area {
    int32_t x = 0, y = 0, width = 0, height = 0;
  };
  const Area& changedArea() const { return changed_; }

  // The autosave, written now if a game is under way: its path, "" when none was due.
  Result<std::string> writeAutosave();
  Json slotList(bool saving) const;
  std::string readmeText() const;

 private:
  void playSound(const SoundStarted& sound) override;
  void openDialog(const DialogOpened& dialog) override;
  void showText(const std::string& text) override;
  void closeWindow() override;
  void log(const std::string& line) override;

  GameCore game_;
  PlayerAids aids_;
  GameSaves saves_;
  std::unique_ptr<RealTime> time_;  // none with virtual time
  Json events_ = Json::array();
  std::optional<MenuState> menuSent_;
  std::vector<uint8_t> shown_;  // the screen as last sent, as the game keeps it
  std::vector<uint8_t> rgba_;   // the same for the canvas
  Area changed_;
};

}  // namespace shirakaba
