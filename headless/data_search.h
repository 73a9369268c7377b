// Where the game's data is looked for: the directory named on the command line
// (only that one), otherwise the working directory and then the demo installed
// beside the program (../share/shirakaba/demo from the executable's folder, so a
// moved installation still finds it). A place counts when it holds data/lumora.red.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace shirakaba {

// The installed demo, relative to the folder holding the executable.
constexpr const char* kInstalledDemoFromBin = "../share/shirakaba/demo";

struct DataSearch {
  std::vector<std::string> looked;  // every place tried, in order
  std::optional<std::string> found;  // the first that holds the pack
};

// explicitDir: the --data value, if any; exeDir: the executable's folder ("" when unknown).
DataSearch searchGameData(const std::optional<std::string>& explicitDir, const std::string& exeDir);
// The folder of the running executable (from /proc/self/exe, else argv0), "" when unknown.
std::string executableDir(const char* argv0);
// "no game data found; looked for data/lumora.red in:\n  A\n  B\n"
std::string describeMissingData(const DataSearch& search);

}  // namespace shirakaba
