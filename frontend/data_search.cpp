#include "frontend/data_search.h"

#include <filesystem>
#include <system_error>

#include "base/files.h"

namespace shirakaba {

namespace fs = std::filesystem;

namespace {

const fs::path kPack = fs::path("data") / "lumora.red";

bool holdsPack(const std::string& dir) { return fileExists((fs::path(dir) / kPack).string()); }

// As the message shows it: absolute, without "." and ".." steps.
std::string shownPath(const fs::path& path) {
  std::error_code ec;
  const fs::path abs = fs::absolute(path, ec);
  return ec ? path.string() : abs.lexically_normal().string();
}

}  // namespace

std::vector<std::string> gameDataPlaces(const std::optional<std::string>& explicitDir, const std::string& exeDir) {
  // A folder the player named is the only one: falling back elsewhere would hide a typo.
  if (explicitDir) return {*explicitDir};
  std::vector<std::string> places = {"."};
  if (!exeDir.empty()) places.push_back((fs::path(exeDir) / kInstalledDemoFromBin).lexically_normal().string());
  return places;
}

Result<std::string> searchGameData(const std::optional<std::string>& explicitDir, const std::string& exeDir) {
  const std::vector<std::string> places = gameDataPlaces(explicitDir, exeDir);
  for (const std::string& dir : places)
    if (holdsPack(dir)) return dir;
  if (explicitDir) return fail("no game data found: " + shownPath(fs::path(*explicitDir) / kPack) + " is missing");
  std::string text = "no game data found; looked for data/lumora.red in:";
  for (const std::string& dir : places) text += "\n  " + shownPath(dir);
  return fail(text);
}

std::string executableDir(const char* argv0) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    if (!argv0 || !*argv0 || std::string(argv0).find('/') == std::string::npos) return "";
    exe = fs::absolute(argv0, ec);
    if (ec) return "";
  }
  return exe.parent_path().string();
}

}  // namespace shirakaba
