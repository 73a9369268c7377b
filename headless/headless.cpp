#include "headless/headless.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "frontend/data_search.h"
#include "headless/replay.h"
#include "headless/session.h"
#include "game/core.h"

namespace shirakaba {

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUnreadable = 2;
// A replay of a whole game takes 8 KiB; this leaves room for any walk a test records.
constexpr uint64_t kMaxReplayBytes = 16 << 20;

struct Options {
  std::optional<std::string> data;  // --data; without it the usual places are searched
  std::optional<uint64_t> seed;
  std::string replay;
  std::string shots = ".";
  std::string textLog;
  std::string userDir;  // --user-dir; without it the default user folder
};

const char* const kUsage =
    "usage: shirakaba --headless [--data DIR] [--seed N] --replay FILE|- [--shots DIR] [--text-log FILE]\n"
    "                           [--user-dir DIR]\n";

Result<Options> parseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--headless") continue;
    const bool takesValue =
        arg == "--data" || arg == "--seed" || arg == "--replay" || arg == "--shots" || arg == "--text-log" ||
        arg == "--user-dir";
    if (!takesValue) return fail("unknown option " + arg);
    if (i + 1 >= argc) return fail(arg + " needs a value");
    const std::string value = argv[++i];
    if (arg == "--data") o.data = value;
    else if (arg == "--replay") o.replay = value;
    else if (arg == "--shots") o.shots = value;
    else if (arg == "--text-log") o.textLog = value;
    else if (arg == "--user-dir") o.userDir = value;
    else {
      uint64_t seed = 0;
      auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), seed);
      if (value.empty() || ec != std::errc() || p != value.data() + value.size())
        return fail("--seed needs a non-negative whole number, got " + value);
      o.seed = seed;
    }
  }
  if (o.replay.empty()) return fail("--replay is required");
  return o;
}

int exitCodeOf(StepResult r) { return r == StepResult::Failed ? kExitFailed : 0; }

// A file is read and checked whole before anything runs, so a typo near its end
// does not cost a long run.
int runFile(ReplaySession& session, std::istream& in) {
  std::vector<Command> commands;
  std::vector<int> lineNumbers;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    Result<Command> command = parseReplayLine(line);
    if (!command) {
      std::cerr << "line " << n << ": " << command.error() << '\n';
      return kExitUnreadable;
    }
    if (command->kind == CommandKind::Blank) continue;
    commands.push_back(std::move(command).value());
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
    const Result<Command> command = parseReplayLine(line);
    if (!command) {
      std::cerr << "line " << n << ": " << command.error() << '\n';
      return kExitUnreadable;
    }
    const StepResult r = session.run(command.value(), n);
    if (r != StepResult::Continue) return exitCodeOf(r);
  }
  return 0;
}

// Whether the replay has a `rollback` line (its first word).
bool replayRollsBack(const std::string& text) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const Result<Command> c = parseReplayLine(line);
    if (c && c->kind == CommandKind::Rollback) return true;
  }
  return false;
}

}  // namespace

bool wantsHeadless(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--headless") return true;
  return false;
}

int runHeadless(int argc, char** argv) {
  const Result<Options> parsed = parseOptions(argc, argv);
  if (!parsed) {
    std::cerr << parsed.error() << '\n' << kUsage;
    return kExitUnreadable;
  }
  const Options& options = parsed.value();

  // A file is read whole; commands from a pipe come through "-" and run as they arrive.
  std::string replay;
  const bool fromStdin = options.replay == "-";
  if (!fromStdin) {
    const Result<std::vector<uint8_t>> bytes = readFile(options.replay, kMaxReplayBytes, "a replay");
    if (!bytes) {
      std::cerr << bytes.error() << " (--replay - reads the commands from standard input)\n";
      return kExitUnreadable;
    }
    replay.assign(bytes->begin(), bytes->end());
  }
  std::ofstream textLog;
  if (!options.textLog.empty()) {
    textLog.open(options.textLog, std::ios::binary | std::ios::trunc);
    if (!textLog) {
      std::cerr << "cannot write text log " << options.textLog << '\n';
      return kExitUnreadable;
    }
  }

  const Result<std::string> search = searchGameData(options.data, executableDir(argv[0]));
  // Without a pack the run goes on: the game shows its own message, which replays check.
  if (!search) std::cerr << "shirakaba: " << search.error() << '\n';
  GameSetup setup;
  setup.gameDir = search ? search.value() : options.data.value_or(".");
  setup.seed = options.seed;
  GameCore game(setup);
  game.start();  // virtual time 0

  ReplaySession session(game, std::cout, std::cerr, options.shots, textLog.is_open() ? &textLog : nullptr);
  session.setUserDir(options.userDir);
  session.setRollbackRecording(fromStdin || replayRollsBack(replay));
  if (fromStdin) return runStream(session, std::cin);
  std::istringstream file(replay);
  return runFile(session, file);
}

}  // namespace shirakaba
