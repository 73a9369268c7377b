#include "headless/data_search.h"

#include <filesystem>
#include <system_error>

namespace shirakaba {

namespace fs = std::filesystem;

namespace {

bool holdsPack(const std::string& dir) {
  std::error_code ec;
  return fs::is_regular_file(fs::path(dir) / "data" / "lumora.red", ec);
}

}  // namespace

DataSearch searchGameData(const std::optional<std::string>& explicitDir, const std::string& exeDir) {
  DataSearch s;
  if (explicitDir) {
    // A folder the player named is the only one: falling back elsewhere would hide a typo.
    s.looked.push_back(*explicitDir);
  } else {
    s.looked.push_back(".");
    if (!exeDir.empty()) s.looked.push_back((fs::path(exeDir) / kInstalledDemoFromBin).lexically_normal().string());
  }
  for (const std::string& dir : s.looked) {
    if (holdsPack(dir)) {
      s.found = dir;
      break;
    }
  }
  return s;
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

std::string describeMissingData(const DataSearch& search) {
  std::string text = "no game data found; looked for data/lumora.red in:\n";
  for (const std::string& dir : search.looked) {
    std::error_code ec;
    const fs::path abs = fs::absolute(dir, ec);
    text += "  " + (ec ? dir : abs.lexically_normal().string()) + "\n";
  }
  return text;
}

}  // namespace shirakaba
