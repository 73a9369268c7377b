// Where the game's data is looked for: the directory named on the command line
// (only that one), otherwise the working directory and then the demo installed
// beside the program (../share/shirakaba/demo from the executable's folder, so a
// moved installation still finds it). A place counts when it holds data/lumora.red.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace shirakaba {

// The installed demo, relative to the folder holding the executable.
constexpr const char* kInstalledDemoFromBin = "../share/shirakaba/demo";

// Every place tried, in order. explicitDir: the --data value, if any; exeDir: the
// executable's folder ("" when unknown).
std::vector<std::string> gameDataPlaces(const std::optional<std::string>& explicitDir, const std::string& exeDir);

// The first place that holds the pack, or an Error telling where it was looked for,
// as absolute paths: for a named folder "no game data found: /games/x/data/lumora.red
// is missing", otherwise "no game data found; looked for data/lumora.red in:\n  A\n  B".
Result<std::string> searchGameData(const std::optional<std::string>& explicitDir, const std::string& exeDir);

// The folder of the running executable (from /proc/self/exe, else argv0), "" when unknown.
std::string executableDir(const char* argv0);

}  // namespace shirakaba
