#include "headless/headless.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "headless/data_search.h"
#include "headless/replay.h"
#include "headless/session.h"
#include "game/core.h"

namespace shirakaba {

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUnreadable = 2;

struct Options {
  std::optional<std::string> data;  // --data; without it the usual places are searched
  std::optional<uint64_t> seed;
  std::string replay;
  std::string shots = ".";
  std::string textLog;
};

const char* const kUsage =
    "usage: shirakaba --headless [--data DIR] [--seed N] --replay FILE|- [--shots DIR] [--text-log FILE]\n";

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--headless") continue;
    const bool takesValue =
        arg == "--data" || arg == "--seed" || arg == "--replay" || arg == "--shots" || arg == "--text-log";
    if (!takesValue) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 >= argc) {
      error = arg + " needs a value";
      return false;
    }
    const std::string value = argv[++i];
    if (arg == "--data") o.data = value;
    else if (arg == "--replay") o.replay = value;
    else if (arg == "--shots") o.shots = value;
    else if (arg == "--text-log") o.textLog = value;
    else {
      uint64_t seed = 0;
      auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), seed);
      if (value.empty() || ec != std::errc() || p != value.data() + value.size()) {
        error = "--seed needs a non-negative whole number, got " + value;
        return false;
      }
      o.seed = seed;
    }
  }
  if (o.replay.empty()) {
    error = "--replay is required";
    return false;
  }
  return true;
}

int exitCodeOf(StepResult r) { return r == StepResult::Failed ? kExitFailed : 0; }

// A file is read and checked whole before anything runs, so a typo near its end
// does not cost a long run.
int runFile(ReplaySession& session, std::istream& in) {
  std::vector<Command> commands;
  std::vector<int> lineNumbers;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    ParsedLine p = parseReplayLine(line);
    if (!p.ok) {
      std::cerr << "line " << n << ": " << p.error << '\n';
      return kExitUnreadable;
    }
    if (p.command.kind == CommandKind::Blank) continue;
    commands.push_back(std::move(p.command));
    lineNumbers.push_back(n);
  }
  for (size_t i = 0; i < commands.size(); ++i) {
    const StepResult r = session.run(commands[i], lineNumbers[i]);
    if (r != StepResult::Continue) return exitCodeOf(r);
  }
  return 0;
}

// Commands from a pipe run as each line arrives.
int runStream(ReplaySession& session, std::istream& in) {
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    const ParsedLine p = parseReplayLine(line);
    if (!p.ok) {
      std::cerr << "line " << n << ": " << p.error << '\n';
      return kExitUnreadable;
    }
    const StepResult r = session.run(p.command, n);
    if (r != StepResult::Continue) return exitCodeOf(r);
  }
  return 0;
}

}  // namespace

int runHeadless(int argc, char** argv) {
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, options, error)) {
    std::cerr << error << '\n' << kUsage;
    return kExitUnreadable;
  }

  std::ifstream file;
  const bool fromStdin = options.replay == "-";
  if (!fromStdin) {
    file.open(options.replay, std::ios::binary);
    if (!file) {
      std::cerr << "cannot open replay " << options.replay << '\n';
      return kExitUnreadable;
    }
  }
  std::ofstream textLog;
  if (!options.textLog.empty()) {
    textLog.open(options.textLog, std::ios::binary | std::ios::trunc);
    if (!textLog) {
      std::cerr << "cannot write text log " << options.textLog << '\n';
      return kExitUnreadable;
    }
  }

  const DataSearch search = searchGameData(options.data, executableDir(argv[0]));
  // A replay that names its folder checks the missing pack itself; a search says where it looked.
  if (!search.found && !options.data) std::cerr << "shirakaba: " << describeMissingData(search);
  GameSetup setup;
  setup.gameDir = search.found ? *search.found : search.looked.front();
  setup.seed = options.seed;
  GameCore game(setup);
  game.start();  // virtual time 0

  ReplaySession session(game, std::cout, std::cerr, options.shots, textLog.is_open() ? &textLog : nullptr);
  return fromStdin ? runStream(session, std::cin) : runFile(session, file);
}

}  // namespace shirakaba
