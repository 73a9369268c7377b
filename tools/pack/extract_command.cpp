// `extract PACK DIR [--utf8]`: a pack back into numbered BMP files and a script.
#include <filesystem>

#include "base/cp932.h"
#include "base/files.h"
#include "base/utf8.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

int packExtract(const std::string& packPath, const std::string& dir, bool utf8, std::ostream& out,
                std::ostream& err) {
  namespace fs = std::filesystem;
  const auto failed = [&](const std::string& message) {
    err << "extract: " << message << "\n";
    return 1;
  };
  const Result<std::vector<uint8_t>> pack = readFile(packPath, kMaxPackBytes, "a pack");
  if (!pack) return failed(pack.error());
  const Result<PackContents> contents = splitPack(pack.value());
  if (!contents) return failed(contents.error());
  std::error_code ec;
  fs::create_directories(dir, ec);
  for (int i = 0; i < kPictureCount; ++i) {
    const std::string path = (fs::path(dir) / pictureFileName(i)).string();
    if (const Result<void> written = writeFile(path, contents->pictures[static_cast<size_t>(i)]); !written)
      return failed(written.error());
  }
  // A UTF-8 block is written as it is, byte-order mark included, so that build packs
  // it as UTF-8 again.
  const std::string& block = contents->scriptCp932;
  const std::string text = utf8 && !startsWithUtf8Bom(block) ? cp932ToUtf8(block) : block;
  const std::string scriptPath = (fs::path(dir) / "script.txt").string();
  if (const Result<void> written = writeFile(scriptPath, std::vector<uint8_t>(text.begin(), text.end())); !written)
    return failed(written.error());
  return 0;
}

}  // namespace shirakaba
