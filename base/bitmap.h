// Bitmaps of the game: a decoded picture keeps the pixel format it was stored in
// (palette indices stay raw) until something converts it to 32 bits per pixel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace shirakaba {

enum class PixelFormat : uint8_t {
  Indexed1,  // 1 bit per pixel, palette indices
  Indexed4,  // 4 bits per pixel, palette indices
  Indexed8,  // 8 bits per pixel, palette indices (weight masks read these raw)
  Rgb16,     // 16 bits per pixel, channels by `masks`
  Rgb24,     // 3 bytes per pixel: blue, green, red
  Bgrx32,    // 4 bytes per pixel: blue, green, red, unused
};

int bitsPerPixel(PixelFormat f);

// A colour as the game writes it: 0x00BBGGRR (red in the low byte).
using Colour = uint32_t;
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

struct Bitmap {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Bgrx32;
  int stride = 0;                 // bytes per row, rows top-down, no padding
  std::vector<uint8_t> pixels;    // height * stride bytes
  std::vector<uint32_t> palette;  // entries as 0x00RRGGBB (blue in the low byte)
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // red, green, blue masks of Rgb16

  // A 32-bit bitmap filled with one colour (0x00BBGGRR).
  static Bitmap create32(int width, int height, Colour fill = kBlack);
  static int strideFor(PixelFormat f, int width);

  bool empty() const { return width <= 0 || height <= 0; }
  bool is32() const { return format == PixelFormat::Bgrx32; }
  uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * stride; }
  const uint8_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * stride; }

  // The pixel at (x, y) as 0x00BBGGRR, whatever the format; (x, y) must lie inside.
  Colour colourAt(int x, int y) const;
  // The pixels of row y at columns xs[0..n) (each inside the row), written to out as a
  // 32-bit row holds them: blue, green, red, 0. A whole row at a time, so that drawing
  // a scaled picture does not decide the format again for every pixel.
  void readRow(int y, const int* xs, int n, uint8_t* out) const;
  // Byte x of row y as stored, 0 outside the rows: how a weight mask is read.
  uint8_t maskByte(int x, int y) const;

  // Turns the bitmap into 32 bits per pixel in place (palettes resolved).
  void convertTo32();
  // Resets to an empty bitmap.
  void clear();

  bool operator==(const Bitmap&) const = default;
};

// The colour of a pixel stored as blue, green, red (as in 24- and 32-bit rows).
inline Colour colourOfBgr(const uint8_t* p) {
  return static_cast<Colour>(p[2]) | (static_cast<Colour>(p[1]) << 8) | (static_cast<Colour>(p[0]) << 16);
}

// Reads and writes one 32-bit pixel as 0x00BBGGRR.
inline Colour getPixel32(const Bitmap& b, int x, int y) { return colourOfBgr(b.row(y) + x * 4); }
inline void setPixel32(Bitmap& b, int x, int y, Colour c) {
  uint8_t* p = b.row(y) + x * 4;
  p[0] = static_cast<uint8_t>(c >> 16);
  p[1] = static_cast<uint8_t>(c >> 8);
  p[2] = static_cast<uint8_t>(c);
}

}  // namespace shirakaba
