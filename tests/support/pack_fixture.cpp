#include "support/pack_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "base/bmp.h"
#include "base/cp932.h"
#include "base/stream.h"
#include "engine/pack.h"

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
  const Result<std::string> converted = utf8ToCp932(scriptUtf8);
  if (!converted) return false;
  const std::string& script = converted.value();
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(gameDir) / "data", ec);
  if (ec) return false;
  // The pack is written sparse: pictures at their offsets, holes for the zero padding,
  // so that each test's 51 MB pack takes almost no disk.
  const std::string path = (std::filesystem::path(gameDir) / "data" / "lumora.red").string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  const std::vector<uint8_t> filler = encodeBmp(Bitmap::create32(1, 1));
  for (int i = 0; i < kPictureCount && ok; ++i) {
    auto it = pictures.find(i);
    const std::vector<uint8_t> bytes = it == pictures.end() ? filler : encodeBmp(it->second);
    if (bytes.empty() || static_cast<int64_t>(bytes.size()) > PictureSlotSize(i)) ok = false;
    ok = ok && std::fseek(f, PackOffsets[i], SEEK_SET) == 0 && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  ok = ok && std::fseek(f, static_cast<long>(ScriptOffset), SEEK_SET) == 0 &&
       std::fwrite(script.data(), 1, script.size(), f) == script.size();
  if (script.empty() && ok) ok = ftruncate(fileno(f), ScriptOffset) == 0;
  return std::fclose(f) == 0 && ok;
}

}  // namespace shirakaba::test
