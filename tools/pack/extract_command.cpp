// `extract PACK DIR [--utf8]`: a pack back into numbered BMP files and a script.
#include <filesystem>

#include "base/cp932.h"
#include "base/stream.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

int packExtract(const std::string& packPath, const std::string& dir, bool utf8, std::ostream& out,
                std::ostream& err) {
  namespace fs = std::filesystem;
  std::vector<uint8_t> pack;
  if (!readFile(packPath, pack)) {
    err << "extract: cannot read " << packPath << "\n";
    return 1;
  }
  PackContents contents;
  std::string error;
  if (!splitPack(pack, contents, error)) {
    err << "extract: " << error << "\n";
    return 1;
  }
  std::error_code ec;
  fs::create_directories(dir, ec);
  for (int i = 0; i < kPictureCount; ++i) {
    const std::string path = (fs::path(dir) / pictureFileName(i)).string();
    if (!writeFile(path, contents.pictures[static_cast<size_t>(i)])) {
      err << "extract: cannot write " << path << "\n";
      return 1;
    }
  }
  const std::string text = utf8 ? cp932ToUtf8(contents.scriptCp932) : contents.scriptCp932;
  const std::string scriptPath = (fs::path(dir) / "script.txt").string();
  if (!writeFile(scriptPath, std::vector<uint8_t>(text.begin(), text.end()))) {
    err << "extract: cannot write " << scriptPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace shirakaba
