#include "support/pack_fixture.h"

#include <stdlib.h>

#include <cctype>

#include <filesystem>

#include "engine/bmp.h"
#include "engine/cp932.h"
#include "engine/stream.h"
#include "tools/pack/pack_builder.h"

namespace shirakaba::test {

Bitmap solid32(int w, int h, Colour c) { return Bitmap::create32(w, h, c); }

Bitmap mask8(int w, int h, uint8_t v) {
  Bitmap b;
  if (w <= 0 || h <= 0) return b;
  b.width = w;
  b.height = h;
  b.format = PixelFormat::Indexed8;
  b.stride = Bitmap::strideFor(b.format, w);
  b.pixels.assign(static_cast<size_t>(b.stride) * h, v);
  return b;
}

bool writeTestPack(const std::string& gameDir, const std::map<int, Bitmap>& pictures,
                   const std::string& scriptUtf8) {
  PackContents contents;
  const std::vector<uint8_t> filler = encodeBmp(Bitmap::create32(1, 1));
  for (int i = 0; i < kPictureCount; ++i) {
    auto it = pictures.find(i);
    contents.pictures[static_cast<size_t>(i)] = it == pictures.end() ? filler : encodeBmp(it->second);
  }
  if (!utf8ToCp932(scriptUtf8, contents.scriptCp932)) return false;
  std::vector<uint8_t> pack;
  std::string error;
  if (!buildPack(contents, pack, error)) return false;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(gameDir) / "data", ec);
  if (ec) return false;
  return writeFile((std::filesystem::path(gameDir) / "data" / "lumora.red").string(), pack);
}

std::string makeTempDir(const std::string& tag) {
  std::string safe;
  for (char c : tag) safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
  std::string pattern = (std::filesystem::temp_directory_path() / ("shirakaba-" + safe + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

}  // namespace shirakaba::test
