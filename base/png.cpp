#include "base/png.h"

#include <png.h>

#include <algorithm>
#include <vector>

#include "base/files.h"

namespace shirakaba {

namespace {

// The RGB rows of the picture, ready for libpng.
std::vector<uint8_t> rgbRows(const Bitmap& image, bool visible, int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3, 0);
  if (!visible || image.empty()) return rgb;
  if (image.stride < Bitmap::strideFor(image.format, image.width) ||
      image.pixels.size() < static_cast<size_t>(image.stride) * image.height)
    return rgb;  // an inconsistent bitmap is shown as black rather than read out of bounds
  const int w = std::min(width, image.width), h = std::min(height, image.height);
  for (int y = 0; y < h; ++y) {
    uint8_t* out = rgb.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < w; ++x) {
      const Colour c = image.colourAt(x, y);  // 0x00BBGGRR
      out[x * 3 + 0] = static_cast<uint8_t>(c);
      out[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
      out[x * 3 + 2] = static_cast<uint8_t>(c >> 16);
    }
  }
  return rgb;
}

// The encoded file and, when encoding failed, libpng's message.
struct PngOutput {
  std::vector<uint8_t> bytes;
  std::string failure;
};

void onPngError(png_structp png, png_const_charp message) {
  static_cast<PngOutput*>(png_get_error_ptr(png))->failure = message;
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void appendToOutput(png_structp png, png_bytep data, png_size_t length) {
  auto& bytes = static_cast<PngOutput*>(png_get_io_ptr(png))->bytes;
  bytes.insert(bytes.end(), data, data + length);
}

void flushNothing(png_structp) {}

// Encodes the rows into memory. libpng reports errors by a long jump back into this
// function, so it keeps no local that changes after setjmp.
bool encodeRgb(int width, int height, png_bytep* rows, PngOutput& output) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, onPngError, onPngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &output, appendToOutput, flushNothing);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

Result<std::vector<uint8_t>> encodeScreenPng(const Bitmap& image, bool visible, int width, int height) {
  if (width <= 0 || height <= 0) return fail("empty picture");
  std::vector<uint8_t> rgb = rgbRows(image, visible, width, height);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y) rows[y] = rgb.data() + static_cast<size_t>(y) * width * 3;

  PngOutput output;
  if (!encodeRgb(width, height, rows.data(), output))
    return fail(output.failure.empty() ? "out of memory" : output.failure);
  return std::move(output.bytes);
}

Result<void> writeScreenPng(const std::string& path, const Bitmap& image, bool visible, int width, int height) {
  auto png = encodeScreenPng(image, visible, width, height);
  if (!png) return fail("cannot write " + path + ": " + png.error());
  return writeFile(path, png.value());
}

}  // namespace shirakaba
