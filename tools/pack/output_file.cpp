// Writing what a command makes: the folder it goes into is made when missing, so that
// `translate PACK ko.po ko/data/lumora.red` works in an empty folder.
#include <filesystem>

#include "base/stream.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

Result<void> writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec) &&
      !std::filesystem::create_directories(folder, ec))
    return fail("cannot make the folder " + folder.string() + " for " + path + ": " + ec.message());
  return writeFile(path, bytes);
}

}  // namespace shirakaba
