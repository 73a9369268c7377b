#include "tools/monkey/temp_dir.h"

#include <stdlib.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace shirakaba {

namespace {
std::vector<std::string>& madeDirs() {
  static std::vector<std::string> dirs;
  return dirs;
}
void removeMadeDirs() {
  if (std::getenv("SHIRAKABA_KEEP_TEMP")) return;
  std::error_code ec;
  for (const std::string& d : madeDirs()) std::filesystem::remove_all(d, ec);
}
}  // namespace

std::string makeTempDir(const std::string& tag) {
  std::string safe;
  for (char c : tag) safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
  std::string pattern = (std::filesystem::temp_directory_path() / ("shirakaba-" + safe + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) return {};
  if (madeDirs().empty()) std::atexit(removeMadeDirs);
  madeDirs().push_back(pattern);
  return pattern;
}

}  // namespace shirakaba
