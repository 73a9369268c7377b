// Packs for the fuzz targets, held in memory: only the pictures and the script a
// target sets hold bytes; every other byte of the 51 MB reads as zero (no "BM", so
// those pictures are broken), exactly as from a sparse file of that length.
#pragma once
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/bitmap.h"
#include "base/bmp.h"
#include "base/sparse_bytes.h"
#include "engine/pack.h"

namespace shirakaba::fuzz {

// Where a piece of bytes goes.
struct Piece {
  int64_t at;
  const uint8_t* data;
  size_t size;
};

// A pack `length` bytes long: every piece at its position, in order (cut at the end),
// zero elsewhere.
inline PackFile memoryPack(int64_t length, const std::vector<Piece>& pieces) {
  SparseBytes bytes(static_cast<uint64_t>(length));
  for (const Piece& p : pieces) bytes.write(static_cast<uint64_t>(p.at), p.data, p.size);
  return PackFile(std::move(bytes));
}

// The BMP bytes of a small picture of one colour, or of an 8-bit mask of one weight.
// A mask is read byte for byte, so one palette entry serves: decoding the 256 of a
// full palette took a tenth of every wipe step.
inline std::vector<uint8_t> tinyPicture(int w, int h, Colour c) { return encodeBmp(Bitmap::create32(w, h, c)); }
inline std::vector<uint8_t> tinyMask(int w, int h, uint8_t v) {
  Bitmap b;
  b.width = w;
  b.height = h;
  b.format = PixelFormat::Indexed8;
  b.stride = Bitmap::strideFor(b.format, w);
  b.pixels.assign(static_cast<size_t>(b.stride) * h, v);
  b.palette = {0x808080};
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

// The pictures of a hostile pack: the input cut at "#PIC" into pieces that land at
// the offsets of pictures 0..11, 120 and 121, with a one-line script after them.
constexpr int kHostilePictures[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 120, 121};

inline PackFile hostilePicturePack(const uint8_t* data, size_t size) {
  static const std::string script = "*op\n";
  const auto parts = splitAt(data, size, "#PIC", std::size(kHostilePictures));
  std::vector<Piece> pieces;
  for (size_t i = 0; i < parts.size(); ++i)
    pieces.push_back({PackOffsets[kHostilePictures[i]], parts[i].first, parts[i].second});
  pieces.push_back({ScriptOffset, reinterpret_cast<const uint8_t*>(script.data()), script.size()});
  return memoryPack(ScriptOffset + static_cast<int64_t>(script.size()), pieces);
}

}  // namespace shirakaba::fuzz
