#include "base/bitmap.h"

#include <cstring>

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

static Colour fromPalette(const Bitmap& b, unsigned index) {
  if (index >= b.palette.size()) return kBlack;
  const uint32_t rgb = b.palette[index];  // 0x00RRGGBB
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

static unsigned expandChannel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const uint32_t m = mask >> shift;
  const uint32_t v = (value & mask) >> shift;
  return static_cast<unsigned>((static_cast<uint64_t>(v) * 255 + m / 2) / m);
}

Colour Bitmap::colourAt(int x, int y) const {
  const uint8_t* r = row(y);
  switch (format) {
    case PixelFormat::Indexed1: return fromPalette(*this, (r[x >> 3] >> (7 - (x & 7))) & 1);
    case PixelFormat::Indexed4: return fromPalette(*this, (x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4));
    case PixelFormat::Indexed8: return fromPalette(*this, r[x]);
    case PixelFormat::Rgb16: {
      const uint32_t v = r[x * 2] | (r[x * 2 + 1] << 8);
      return expandChannel(v, masks[0]) | (expandChannel(v, masks[1]) << 8) | (expandChannel(v, masks[2]) << 16);
    }
    case PixelFormat::Rgb24: return r[x * 3 + 2] | (r[x * 3 + 1] << 8) | (static_cast<Colour>(r[x * 3]) << 16);
    case PixelFormat::Bgrx32: return r[x * 4 + 2] | (r[x * 4 + 1] << 8) | (static_cast<Colour>(r[x * 4]) << 16);
  }
  return kBlack;
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
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = row(y);
    uint8_t* o = out.row(y);
    if (format == PixelFormat::Rgb24) {
      for (int x = 0; x < width; ++x, in += 3, o += 4) {
        o[0] = in[0];
        o[1] = in[1];
        o[2] = in[2];
      }
    } else if (format == PixelFormat::Indexed8) {
      for (int x = 0; x < width; ++x, o += 4) {
        const uint32_t rgb = in[x] < palette.size() ? palette[in[x]] : 0;  // 0x00RRGGBB
        o[0] = static_cast<uint8_t>(rgb);
        o[1] = static_cast<uint8_t>(rgb >> 8);
        o[2] = static_cast<uint8_t>(rgb >> 16);
      }
    } else {
      for (int x = 0; x < width; ++x) setPixel32(out, x, y, colourAt(x, y));
    }
  }
  *this = std::move(out);
}

void Bitmap::clear() { *this = Bitmap{}; }

}  // namespace shirakaba
