// A pack file for the fuzz targets: sparse, in a RAM-backed folder, rewritten for
// every input. Only the pictures and the script a target sets hold bytes; every
// other byte of the 51 MB reads as zero (no "BM", so those pictures are broken).
#pragma once
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/bmp.h"
#include "engine/pack.h"

namespace shirakaba::fuzz {

// A folder of our own under /dev/shm (or the temporary folder), made once per process.
inline const std::string& gameDir() {
  static const std::string dir = [] {
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/shirakaba-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    std::filesystem::create_directories(pattern + "/data");
    return pattern;
  }();
  return dir;
}

inline std::string packPath() { return gameDir() + "/data/lumora.red"; }

// Where a piece of bytes goes.
struct Piece {
  int64_t at;
  const uint8_t* data;
  size_t size;
};

// Rewrites the pack: `length` bytes long, every piece written at its position (cut at
// the end of the file), zero elsewhere.
inline void writeSparsePack(int64_t length, const std::vector<Piece>& pieces) {
  const int fd = ::open(packPath().c_str(), O_RDWR | O_CREAT, 0644);
  if (fd < 0) std::abort();
  if (::ftruncate(fd, 0) != 0 || ::ftruncate(fd, length) != 0) std::abort();
  for (const Piece& p : pieces) {
    if (p.at >= length || p.size == 0) continue;
    const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(p.size), length - p.at));
    if (::pwrite(fd, p.data, n, p.at) != static_cast<ssize_t>(n)) std::abort();
  }
  ::close(fd);
}

// The BMP bytes of a small picture of one colour, or of an 8-bit mask of one weight.
inline std::vector<uint8_t> tinyPicture(int w, int h, Colour c) { return encodeBmp(Bitmap::create32(w, h, c)); }
inline std::vector<uint8_t> tinyMask(int w, int h, uint8_t v) {
  Bitmap b;
  b.width = w;
  b.height = h;
  b.format = PixelFormat::Indexed8;
  b.stride = Bitmap::strideFor(b.format, w);
  b.pixels.assign(static_cast<size_t>(b.stride) * h, v);
  return encodeBmp(b);
}

// Splits data at every occurrence of sep (the pieces in order, the separators dropped).
inline std::vector<std::pair<const uint8_t*, size_t>> splitAt(const uint8_t* data, size_t size, const std::string& sep,
                                                              size_t maxPieces) {
  std::vector<std::pair<const uint8_t*, size_t>> out;
  size_t start = 0;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  while (out.size() + 1 < maxPieces) {
    const size_t at = all.find(sep, start);
    if (at == all.npos) break;
    out.emplace_back(data + start, at - start);
    start = at + sep.size();
  }
  out.emplace_back(data + start, size - start);
  return out;
}

}  // namespace shirakaba::fuzz
