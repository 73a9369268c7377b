// A monkey player: a seeded random stream of presses, releases, moves, waits, menu
// commands, forced draws, saves and loads played on a whole game, with the game's
// invariants checked after every event and, now and then, a check that a new game can
// still be started from wherever the monkey stands.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace shirakaba::monkey {

struct MonkeyReport {
  uint64_t events = 0;
  std::string failure;                  // empty if fine
  std::vector<std::string> lastEvents;  // the last 50, oldest first, on failure
  // How often each (GameMode, TrainStep) pair was seen after an event.
  std::map<std::pair<int32_t, int32_t>, uint64_t> coverage;
  uint64_t escapes = 0;   // escape checks passed
  uint64_t restarts = 0;  // windows closed and opened again
  uint64_t failedAt = 0;  // index of the failing event (from 1)
  uint64_t formSeed = 0;  // the game's random seed of the window that failed
  // With MonkeyOptions::keepReplay: the commands since that window opened, as a
  // headless replay (run it with --seed formSeed) that ends in the failure.
  std::vector<std::string> replay;
  // Saves and loads done, by kind ("save to a slot", "load at once", "hostile cut", ...).
  std::map<std::string, uint64_t> saves;
  std::string userDir;  // where the saves went
};

struct MonkeyOptions {
  std::string gameDir;
  uint64_t seed = 1;
  uint64_t events = 10000;
  bool checkEscape = true;
  uint64_t escapeEvery = 997;
  bool keepReplay = false;
  uint64_t progressEvery = 0;  // 0: no progress calls
  // About one save or load in this many actions; 0: none.
  uint64_t saveEvery = 600;
  // Where the saves go; empty: a temporary folder, removed when the program ends
  // (kept with SHIRAKABA_KEEP_TEMP set).
  std::string userDir;
  std::function<void(const MonkeyReport&)> progress;
};

MonkeyReport runMonkey(const MonkeyOptions& options);
MonkeyReport runMonkey(const std::string& gameDir, uint64_t seed, uint64_t events, bool checkEscape = true);

// The pairs reached, and the calendar steps and game modes among the wanted ones
// that were never reached.
std::string coverageText(const MonkeyReport& report);
// The wanted pairs and modes not reached.
std::vector<std::string> coverageGaps(const MonkeyReport& report);

}  // namespace shirakaba::monkey
