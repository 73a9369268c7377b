// Runs replay commands against the game in virtual time.
#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "comforts/comforts.h"
#include "game/core.h"
#include "headless/replay.h"
#include "saves/save_game.h"

namespace shirakaba {

enum class StepResult { Continue, Quit, Failed };

// `settle` gives up after this much virtual time.
constexpr int64_t kSettleLimitMs = 10 * 60 * 1000;

class ReplaySession {
 public:
  // `state` lines go to out (flushed at once); failures to err; each text written on
  // the screen to textLog when it is given.
  ReplaySession(GameCore& game, std::ostream& out, std::ostream& err, std::string shotsDir,
                std::ostream* textLog = nullptr);
  // Where `save slot:NAME` and `load slot:NAME` keep their files; without it the
  // default user folder.
  void setUserDir(std::string dir);
  // Whether clicks and menu commands leave rollback points (they cost time at every
  // click, so only replays that roll back take them).
  void setRollbackRecording(bool on) { comforts_.setRecording(on); }
  // Runs one command read from line `lineNo` of the replay.
  StepResult run(const Command& cmd, int lineNo);

 private:
  StepResult step(const Command& cmd, int lineNo);
  StepResult settle(int lineNo);
  StepResult wait(int64_t ms);
  // The game's state and the player's aids (skipping, auto mode, rollback, history).
  Json describe() const;
  StepResult expect(const Command& cmd, int lineNo);
  StepResult shot(const Command& cmd, int lineNo);
  void save(const Command& cmd, int lineNo);
  void load(const Command& cmd, int lineNo);
  // The file a save command names: a path as given, or a slot of the user folder.
  Result<std::string> savePath(const std::string& name) const;
  // Takes what the game did: the sounds for the next `state`, the texts for the log.
  void takeEvents();

  GameCore& game_;
  std::ostream& out_;
  std::ostream& err_;
  std::string shotsDir_;
  std::ostream* textLog_;
  std::vector<std::string> sounds_;  // started since the last `state`
  // The state as the last `expect` saw it, kept while nothing else runs: a row of
  // expectations reads one state.
  std::optional<Json> expected_;
  std::string userDir_;
  PlayClock playClock_;
  Comforts comforts_;
};

}  // namespace shirakaba
