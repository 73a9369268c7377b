// Writes the BMP files our tools put into packs: 8-bit palettised for indexed
// weight masks, 24-bit for everything else. The bytes depend only on the bitmap.
#include <algorithm>

#include "base/bmp.h"
#include "base/byte_writer.h"

namespace shirakaba {
namespace {

// File header and 40-byte info header; the pixel rows follow the palette.
void putHeaders(std::vector<uint8_t>& o, const Bitmap& b, int bitCount, uint32_t paletteEntries,
                uint32_t imageBytes) {
  const uint32_t offBits = 14 + 40 + paletteEntries * 4;
  o.push_back('B');
  o.push_back('M');
  put32(o, offBits + imageBytes);  // bfSize
  put32(o, 0);                     // reserved
  put32(o, offBits);
  put32(o, 40);
  put32(o, static_cast<uint32_t>(b.width));
  put32(o, static_cast<uint32_t>(b.height));  // positive: bottom-up
  put16(o, 1);                                // planes
  put16(o, static_cast<uint32_t>(bitCount));
  put32(o, 0);  // BI_RGB
  put32(o, imageBytes);
  put32(o, 0);  // pixels per metre, x and y
  put32(o, 0);
  put32(o, paletteEntries);  // colours used
  put32(o, 0);               // colours important
}

uint32_t paddedRow(int width, int bitCount) {
  return static_cast<uint32_t>(((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4);
}

std::vector<uint8_t> encodeIndexed8(const Bitmap& b) {
  const uint32_t rowBytes = paddedRow(b.width, 8);
  const uint32_t entries = b.palette.empty() ? 256u : static_cast<uint32_t>(std::min<size_t>(b.palette.size(), 256));
  std::vector<uint8_t> o;
  o.reserve(14 + 40 + entries * 4 + static_cast<size_t>(rowBytes) * b.height);
  putHeaders(o, b, 8, entries, rowBytes * static_cast<uint32_t>(b.height));
  for (uint32_t i = 0; i < entries; ++i) {
    const uint32_t rgb = b.palette.empty() ? (i << 16) | (i << 8) | i : b.palette[i];
    o.push_back(static_cast<uint8_t>(rgb));        // blue
    o.push_back(static_cast<uint8_t>(rgb >> 8));   // green
    o.push_back(static_cast<uint8_t>(rgb >> 16));  // red
    o.push_back(0);
  }
  for (int y = b.height - 1; y >= 0; --y) {
    const uint8_t* r = b.row(y);
    o.insert(o.end(), r, r + b.width);
    o.insert(o.end(), rowBytes - static_cast<uint32_t>(b.width), 0);
  }
  return o;
}

std::vector<uint8_t> encodeRgb24(const Bitmap& b) {
  const uint32_t rowBytes = paddedRow(b.width, 24);
  std::vector<uint8_t> o;
  o.reserve(14 + 40 + static_cast<size_t>(rowBytes) * b.height);
  putHeaders(o, b, 24, 0, rowBytes * static_cast<uint32_t>(b.height));
  for (int y = b.height - 1; y >= 0; --y) {
    for (int x = 0; x < b.width; ++x) {
      const Colour c = b.colourAt(x, y);  // 0x00BBGGRR
      o.push_back(static_cast<uint8_t>(c >> 16));
      o.push_back(static_cast<uint8_t>(c >> 8));
      o.push_back(static_cast<uint8_t>(c));
    }
    o.insert(o.end(), rowBytes - static_cast<uint32_t>(b.width) * 3, 0);
  }
  return o;
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Bitmap& b) {
  // Nothing to write for an empty bitmap, or one whose rows do not hold its pixels.
  if (b.empty() || b.width > kMaxBmpDimension || b.height > kMaxBmpDimension) return {};
  if (b.stride < Bitmap::strideFor(b.format, b.width) ||
      b.pixels.size() < static_cast<size_t>(b.stride) * static_cast<size_t>(b.height))
    return {};
  if (b.format == PixelFormat::Indexed8) return encodeIndexed8(b);
  return encodeRgb24(b);
}

}  // namespace shirakaba
