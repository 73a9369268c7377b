// A strict decoder of Windows BMP files and the encoder our tools write them with.
// The decoder never throws and never reads outside what it was given: anything
// malformed comes back as an error value.
#pragma once
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/result.h"
#include "base/stream.h"

namespace shirakaba {

struct BmpInfo {
  int width = 0, height = 0;
  int bitCount = 0;
  uint32_t compression = 0;
  uint32_t fileSize = 0;    // bfSize as written
  // Bytes the picture really occupies from its first byte: bfOffBits + the stored
  // rows; for RLE bfOffBits + biSizeImage, or up to the end-of-bitmap marker when
  // biSizeImage is 0.
  uint64_t extent = 0;
  bool topDown = false;     // rows stored top row first (negative height); height stays positive
};

constexpr int kMaxBmpDimension = 16384;
constexpr uint64_t kMaxBmpPixelBytes = 256ull << 20;

// Decodes one BMP from the stream, positioned at the picture's first byte ("BM").
// The picture keeps its stored format: 1/4/8-bit pictures stay indexed with their
// palette, 16-bit stays Rgb16, 24-bit Rgb24, 32-bit becomes Bgrx32.
Result<Bitmap> decodeBmp(Stream& s, BmpInfo* info = nullptr);
// Reads only the headers and tells the picture's extent.
Result<BmpInfo> probeBmp(Stream& s);

// Writes a BMP file: Indexed8 pictures as 8-bit with their palette (256 grey
// entries when the palette is empty), everything else as 24-bit, bottom-up.
std::vector<uint8_t> encodeBmp(const Bitmap& b);

}  // namespace shirakaba
