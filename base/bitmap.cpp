#include "base/bitmap.h"

#include <cstring>
#include <numeric>

#include "base/pixel_rows.h"

namespace shirakaba {

int bitsPerPixel(PixelFormat f) {
  switch (f) {
    case PixelFormat::Indexed1: return 1;
    case PixelFormat::Indexed4: return 4;
    case PixelFormat::Indexed8: return 8;
    case PixelFormat::Rgb16: return 16;
    case PixelFormat::Rgb24: return 24;
    case PixelFormat::Bgrx32: return 32;
  }
  return 32;
}

int Bitmap::strideFor(PixelFormat f, int width) {
  return static_cast<int>((static_cast<int64_t>(width) * bitsPerPixel(f) + 7) / 8);
}

Bitmap Bitmap::create32(int width, int height, Colour fill) {
  Bitmap b;
  if (width <= 0 || height <= 0) return b;
  b.width = width;
  b.height = height;
  b.format = PixelFormat::Bgrx32;
  b.stride = width * 4;
  // Blue, green, red, 0 in memory order: one 32-bit word per pixel.
  const uint32_t word = ((fill >> 16) & 0xFF) | (fill & 0xFF00) | ((fill & 0xFF) << 16);
  b.pixels.resize(static_cast<size_t>(b.stride) * height);
  if (word != 0) {
    uint8_t* p = b.pixels.data();
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i, p += 4) std::memcpy(p, &word, 4);
  }
  return b;
}

namespace {

// A channel of a 16-bit pixel scaled from its mask's width to 0..255.
struct ChannelScale {
  uint32_t mask = 0, max = 0;
  int shift = 0;
  explicit ChannelScale(uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    max = mask >> shift;
  }
  uint8_t operator()(uint32_t value) const {
    if (mask == 0) return 0;
    const uint32_t v = (value & mask) >> shift;
    return static_cast<uint8_t>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
  }
};

// Palette entry `index` (0x00RRGGBB; none is black) as blue, green, red, 0.
void putPaletteEntry(const std::vector<uint32_t>& palette, unsigned index, uint8_t* out) {
  const uint32_t rgb = index < palette.size() ? palette[index] : 0;
  out[0] = static_cast<uint8_t>(rgb);
  out[1] = static_cast<uint8_t>(rgb >> 8);
  out[2] = static_cast<uint8_t>(rgb >> 16);
  out[3] = 0;
}

}  // namespace

void Bitmap::readRow(int y, const int* xs, int n, uint8_t* out) const {
  const uint8_t* r = row(y);
  switch (format) {
    case PixelFormat::Indexed1:
      for (int i = 0; i < n; ++i, out += 4) putPaletteEntry(palette, (r[xs[i] >> 3] >> (7 - (xs[i] & 7))) & 1, out);
      return;
    case PixelFormat::Indexed4:
      for (int i = 0; i < n; ++i, out += 4) {
        const uint8_t pair = r[xs[i] >> 1];
        putPaletteEntry(palette, (xs[i] & 1) ? (pair & 0x0F) : (pair >> 4), out);
      }
      return;
    case PixelFormat::Indexed8:
      for (int i = 0; i < n; ++i, out += 4) putPaletteEntry(palette, r[xs[i]], out);
      return;
    case PixelFormat::Rgb16: {
      const ChannelScale red(masks[0]), green(masks[1]), blue(masks[2]);
      for (int i = 0; i < n; ++i, out += 4) {
        const uint32_t v = r[xs[i] * 2] | (r[xs[i] * 2 + 1] << 8);
        out[0] = blue(v), out[1] = green(v), out[2] = red(v), out[3] = 0;
      }
      return;
    }
    case PixelFormat::Rgb24:
    case PixelFormat::Bgrx32: {
      const int bytes = format == PixelFormat::Rgb24 ? 3 : 4;
      for (int i = 0; i < n; ++i, out += 4) {
        const uint8_t* p = r + xs[i] * bytes;
        out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = 0;
      }
      return;
    }
  }
}

Colour Bitmap::colourAt(int x, int y) const {
  uint8_t p[4] = {};
  readRow(y, &x, 1, p);
  return colourOfBgr(p);
}

uint8_t Bitmap::maskByte(int x, int y) const {
  if (y < 0 || y >= height || x < 0 || x >= stride) return 0;
  return row(y)[x];
}

void Bitmap::convertTo32() {
  if (format == PixelFormat::Bgrx32 || empty()) {
    format = PixelFormat::Bgrx32;
    return;
  }
  Bitmap out = create32(width, height);
  if (format == PixelFormat::Rgb24) {  // the pictures as stored: a row at a time
    for (int y = 0; y < height; ++y) expandRgb24(out.row(y), row(y), width);
    *this = std::move(out);
    return;
  }
  std::vector<int> columns(static_cast<size_t>(width));
  std::iota(columns.begin(), columns.end(), 0);
  for (int y = 0; y < height; ++y) readRow(y, columns.data(), width, out.row(y));
  *this = std::move(out);
}

void Bitmap::clear() { *this = Bitmap{}; }

}  // namespace shirakaba
