// Writing what a command makes: the folder it goes into is made when missing, so that
// `translate PACK ko.po ko/data/lumora.red` works in an empty folder.
#include <filesystem>

#include "base/files.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

Result<void> writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty())
    if (Result<void> made = makeFolders(folder); !made) return fail(made.error() + " (for " + path + ")");
  return writeFile(path, bytes);
}

}  // namespace shirakaba
