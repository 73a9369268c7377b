// shirakaba-monkey: a long seeded random walk through a game, for the runs too long
// for the unit tests.
//   shirakaba-monkey --data DIR [--seed N] [--events M] [--no-escape] [--progress K] [--replay-out FILE]
// Exit status: 0 when every invariant held, 1 on a failure, 2 for bad options.
#include <charconv>
#include <chrono>
#include <iostream>
#include <string>

#include "base/files.h"
#include "tools/monkey/monkey.h"

namespace {

bool parseCount(const std::string& text, uint64_t& out) {
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && p == text.data() + text.size();
}

int usage(const std::string& why) {
  std::cerr << "shirakaba-monkey: " << why
            << "\nusage: shirakaba-monkey --data DIR [--seed N] [--events M] [--no-escape] [--progress K]"
               " [--replay-out FILE]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace shirakaba::monkey;
  MonkeyOptions o;
  o.gameDir.clear();
  o.events = 1000000;
  o.progressEvery = 100000;
  std::string replayOut;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool valued = arg == "--data" || arg == "--seed" || arg == "--events" || arg == "--progress" ||
                        arg == "--replay-out";
    if (arg == "--no-escape") {
      o.checkEscape = false;
      continue;
    }
    if (!valued) return usage("unknown option " + arg);
    if (i + 1 >= argc) return usage(arg + " needs a value");
    const std::string value = argv[++i];
    if (arg == "--data") {
      o.gameDir = value;
    } else if (arg == "--replay-out") {
      replayOut = value;
      o.keepReplay = true;
    } else {
      uint64_t n = 0;
      if (!parseCount(value, n)) return usage(arg + " needs a non-negative whole number, got " + value);
      (arg == "--seed" ? o.seed : arg == "--events" ? o.events : o.progressEvery) = n;
    }
  }
  if (o.gameDir.empty()) return usage("--data DIR is required");

  const auto start = std::chrono::steady_clock::now();
  const auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  o.progress = [&](const MonkeyReport& r) {
    std::cout << "  " << r.events << " events, " << r.escapes << " escape checks, " << r.restarts << " restarts, "
              << r.coverage.size() << " pairs, " << seconds() << " s" << std::endl;
  };
  std::cout << "monkey: seed " << o.seed << ", " << o.events << " events on " << o.gameDir << std::endl;
  const MonkeyReport r = runMonkey(o);
  std::cout << "monkey: " << r.events << " events in " << seconds() << " s, " << r.escapes << " escape checks, "
            << r.restarts << " restarts\n" << coverageText(r) << "\n";
  if (!replayOut.empty()) {
    std::string text = "#! seed " + std::to_string(r.formSeed) + "\n";
    for (const std::string& line : r.replay) text += line + "\n";
    if (const shirakaba::Result<void> written = shirakaba::writeFile(replayOut, {text.begin(), text.end()}); !written)
      std::cerr << "monkey: " << written.error() << "\n";
    std::cout << "replay of the last window: " << replayOut << " (shirakaba --headless --seed " << r.formSeed
              << " --replay FILE)\n";
  }
  if (r.failure.empty()) {
    std::cout << "monkey: no failure\n";
    return 0;
  }
  std::cout << "FAILURE: " << r.failure << "\nlast events, oldest first:\n";
  for (const std::string& e : r.lastEvents) std::cout << "  " << e << "\n";
  return 1;
}
