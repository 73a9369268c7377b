// The BMP decoder. It takes the picture's extent from its own headers, checks every
// size against what the stream holds before reading, and reports anything it cannot
// read as an error value.
//
// Extent: for uncompressed pictures bfOffBits + stored row size x height; for RLE
// pictures bfOffBits + biSizeImage when that is given, otherwise bfOffBits + the
// bytes up to and including the end-of-bitmap marker.
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "base/bmp.h"
#include "base/pixel_rows.h"

namespace shirakaba {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

uint32_t le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Everything the headers say, checked against the stream.
struct Layout {
  BmpInfo info;
  uint64_t start = 0;      // stream position of "BM"
  uint64_t available = 0;  // bytes from start to the stream's end
  uint32_t offBits = 0;
  uint32_t sizeImage = 0;
  uint32_t masks[3] = {0, 0, 0};
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  uint64_t rowBytes = 0;          // a stored row with its padding (uncompressed)
  PixelFormat format = PixelFormat::Bgrx32;
  bool rle() const { return info.compression == kBiRle8 || info.compression == kBiRle4; }
};

bool isMaskContiguous(uint32_t m) {
  if (m == 0) return false;
  while ((m & 1) == 0) m >>= 1;
  return (m & (m + 1)) == 0;
}

std::string checkMasks(const uint32_t m[3], int bitCount) {
  const uint64_t limit = bitCount == 16 ? 0xFFFFull : 0xFFFFFFFFull;
  for (int i = 0; i < 3; ++i) {
    if (!isMaskContiguous(m[i])) return "a colour mask is empty or not one run of bits";
    if (m[i] > limit) return "a colour mask lies outside the pixel's bits";
  }
  if ((m[0] & m[1]) || (m[0] & m[2]) || (m[1] & m[2])) return "colour masks overlap";
  return {};
}

std::string checkDepth(bool core, int bitCount, uint32_t compression, bool topDown) {
  if (core) {
    if (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24) return {};
    return "bit count " + std::to_string(bitCount) + " is not readable with a 12-byte header";
  }
  switch (compression) {
    case kBiRgb:
      if (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
          bitCount == 32)
        return {};
      return "unsupported bit count " + std::to_string(bitCount);
    case kBiRle8:
    case kBiRle4:
      if (bitCount != (compression == kBiRle8 ? 8 : 4))
        return "RLE compression with bit count " + std::to_string(bitCount);
      if (topDown) return "RLE compression with top-down rows";
      return {};
    case kBiBitfields:
      if (bitCount == 16 || bitCount == 32) return {};
      return "bit fields with bit count " + std::to_string(bitCount);
    default: return "unsupported compression " + std::to_string(compression);
  }
}

PixelFormat formatFor(int bitCount) {
  switch (bitCount) {
    case 1: return PixelFormat::Indexed1;
    case 4: return PixelFormat::Indexed4;
    case 8: return PixelFormat::Indexed8;
    case 16: return PixelFormat::Rgb16;
    case 24: return PixelFormat::Rgb24;
    default: return PixelFormat::Bgrx32;
  }
}

// Reads and checks the headers and the palette. Leaves the stream anywhere.
std::string readLayout(Stream& s, Layout& l) {
  l.start = s.position();
  l.available = s.size() > l.start ? s.size() - l.start : 0;
  uint8_t fh[14];
  if (!s.readExact(fh, sizeof fh)) return "truncated file header";
  if (fh[0] != 'B' || fh[1] != 'M') return "not a BMP file (no \"BM\" signature)";
  l.info.fileSize = le32(fh + 2);
  l.offBits = le32(fh + 10);

  uint8_t ih[124];
  if (!s.readExact(ih, 4)) return "truncated info header";
  const uint32_t headerSize = le32(ih);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    return "unsupported info header size " + std::to_string(headerSize);
  if (!s.readExact(ih + 4, headerSize - 4)) return "truncated info header";

  const bool core = headerSize == 12;
  int64_t width, height;
  uint32_t planes, clrUsed = 0;
  if (core) {
    width = le16(ih + 4);
    height = le16(ih + 6);
    planes = le16(ih + 8);
    l.info.bitCount = static_cast<int>(le16(ih + 10));
  } else {
    width = static_cast<int32_t>(le32(ih + 4));
    height = static_cast<int32_t>(le32(ih + 8));
    planes = le16(ih + 12);
    l.info.bitCount = static_cast<int>(le16(ih + 14));
    l.info.compression = le32(ih + 16);
    l.sizeImage = le32(ih + 20);
    clrUsed = le32(ih + 32);
  }
  if (planes != 1) return "plane count " + std::to_string(planes) + " is not 1";
  if (width <= 0) return "width " + std::to_string(width) + " is not positive";
  if (height == 0) return "height is zero";
  l.info.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (width > kMaxBmpDimension || height > kMaxBmpDimension)
    return "size " + std::to_string(width) + "x" + std::to_string(height) + " exceeds the limit of " +
           std::to_string(kMaxBmpDimension);
  l.info.width = static_cast<int>(width);
  l.info.height = static_cast<int>(height);
  const int bpp = l.info.bitCount;
  if (std::string e = checkDepth(core, bpp, l.info.compression, l.info.topDown); !e.empty()) return e;
  l.format = formatFor(bpp);

  uint64_t headersEnd = 14 + headerSize;
  if (l.info.compression == kBiBitfields) {
    uint8_t mb[12];
    if (headerSize == 40) {
      if (!s.readExact(mb, sizeof mb)) return "truncated colour masks";
      headersEnd += 12;
    } else {
      std::memcpy(mb, ih + 40, sizeof mb);
    }
    for (int i = 0; i < 3; ++i) l.masks[i] = le32(mb + 4 * i);
    if (std::string e = checkMasks(l.masks, bpp); !e.empty()) return e;
  } else if (bpp == 16) {
    l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
  } else if (bpp == 32) {
    l.masks[0] = 0xFF0000, l.masks[1] = 0xFF00, l.masks[2] = 0xFF;
  }

  if (l.offBits < headersEnd) return "pixel data offset " + std::to_string(l.offBits) + " lies inside the headers";
  if (l.offBits > l.available)
    return "pixel data offset " + std::to_string(l.offBits) + " lies past the end of the stream";

  if (bpp <= 8) {
    const uint32_t maxEntries = 1u << bpp;
    const uint32_t entries = clrUsed ? clrUsed : maxEntries;
    if (entries > maxEntries)
      return "palette of " + std::to_string(entries) + " entries for a " + std::to_string(bpp) + "-bit picture";
    const uint32_t entrySize = core ? 3 : 4;
    if (headersEnd + uint64_t{entries} * entrySize > l.offBits)
      return "palette of " + std::to_string(entries) + " entries runs into the pixel data";
    std::vector<uint8_t> raw(static_cast<size_t>(entries) * entrySize);
    if (!s.seek(l.start + headersEnd) || !s.readExact(raw.data(), raw.size())) return "truncated palette";
    l.palette.resize(entries);
    // Plain pointers: in the sanitizer builds each operator[] is a call of its own.
    const uint8_t* p = raw.data();
    uint32_t* entry = l.palette.data();
    for (uint32_t i = 0; i < entries; ++i, p += entrySize)
      entry[i] = p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
  }

  // Blending and the CG display turn a picture into 32 bits per pixel, so the limit holds
  // for that size too: a small RLE or 1-bit file must not stand for a gigabyte.
  const uint64_t outBytes = uint64_t{4} * static_cast<uint64_t>(l.info.width) * static_cast<uint64_t>(l.info.height);
  l.rowBytes = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
  if (l.rowBytes == 0 || l.rowBytes > kMaxBmpPixelBytes) return "row size overflows";
  if (outBytes > kMaxBmpPixelBytes) return "picture of " + std::to_string(outBytes) + " bytes exceeds the limit";
  if (l.rle()) {
    if (l.sizeImage > kMaxBmpPixelBytes)
      return "compressed data of " + std::to_string(l.sizeImage) + " bytes exceeds the limit";
    if (l.offBits + uint64_t{l.sizeImage} > l.available)
      return "compressed data runs past the end of the stream";
    l.info.extent = l.sizeImage ? l.offBits + uint64_t{l.sizeImage} : 0;  // else found by walking
  } else {
    const uint64_t pixelBytes = l.rowBytes * static_cast<uint64_t>(height);
    if (pixelBytes > kMaxBmpPixelBytes)
      return "pixel data of " + std::to_string(pixelBytes) + " bytes exceeds the limit";
    if (l.offBits + pixelBytes > l.available)
      return "truncated pixel rows: " + std::to_string(pixelBytes) + " bytes needed, " +
             std::to_string(l.available - l.offBits) + " present";
    l.info.extent = l.offBits + pixelBytes;
  }
  return {};
}

// Bytes of compressed data, read through a small buffer and never past `limit`.
class ByteSource {
 public:
  ByteSource(Stream& s, uint64_t limit) : s_(s), left_(limit) {}
  bool next(uint8_t& b) {
    if (pos_ == len_) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof buf_, left_));
      len_ = want ? s_.read(buf_, want) : 0;
      left_ -= len_;
      pos_ = 0;
      if (len_ == 0) return false;
    }
    b = buf_[pos_++];
    ++consumed_;
    return true;
  }
  uint64_t consumed() const { return consumed_; }

 private:
  Stream& s_;
  uint64_t left_;
  uint8_t buf_[4096];
  size_t pos_ = 0, len_ = 0;
  uint64_t consumed_ = 0;
};

void putIndex(Bitmap* out, int bpp, int64_t x, int64_t yFromBottom, uint8_t v) {
  if (!out) return;
  uint8_t* r = out->row(out->height - 1 - static_cast<int>(yFromBottom));
  if (bpp == 8) {
    r[x] = v;
  } else {
    uint8_t& b = r[x >> 1];
    b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | (v << 4));
  }
}

// Runs the RLE4/RLE8 commands up to the end-of-bitmap marker, writing indices into
// `out` when given. Anything that would land outside the picture is an error.
std::string walkRle(ByteSource& src, int bpp, int64_t width, int64_t height, Bitmap* out) {
  int64_t x = 0, y = 0;
  uint8_t a, b;
  for (;;) {
    if (!src.next(a) || !src.next(b)) return "RLE data ends before its end-of-bitmap marker";
    if (a > 0) {
      if (y >= height || x + a > width) return "RLE run past the picture";
      for (int i = 0; i < a; ++i)
        putIndex(out, bpp, x + i, y, bpp == 8 ? b : ((i & 1) ? (b & 0x0F) : (b >> 4)));
      x += a;
    } else if (b == 0) {  // end of line
      x = 0;
      if (++y > height) return "RLE end of line past the last row";
    } else if (b == 1) {  // end of bitmap
      return {};
    } else if (b == 2) {  // delta
      uint8_t dx, dy;
      if (!src.next(dx) || !src.next(dy)) return "RLE data ends inside a delta";
      x += dx;
      y += dy;
      if (x > width || y > height) return "RLE delta moves past the picture";
    } else {  // absolute run of b pixels, padded to a 16-bit boundary
      if (y >= height || x + b > width) return "RLE literal run past the picture";
      const int bytes = bpp == 8 ? b : (b + 1) / 2;
      uint8_t v = 0;
      for (int i = 0; i < b; ++i) {
        if (bpp == 8 || (i & 1) == 0)
          if (!src.next(v)) return "RLE data ends inside a literal run";
        putIndex(out, bpp, x + i, y, bpp == 8 ? v : ((i & 1) ? (v & 0x0F) : (v >> 4)));
      }
      if (bytes & 1)
        if (!src.next(v)) return "RLE data ends inside a literal run";
      x += b;
    }
  }
}

// Spreads a masked channel over 0..255.
uint8_t expand(uint32_t value, uint32_t mask) {
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const uint64_t m = mask >> shift;
  const uint64_t v = (value & mask) >> shift;
  return static_cast<uint8_t>((v * 255 + m / 2) / m);
}

// A stored row taken over as it is, then put right in place: bits past the width
// cleared in a packed row, a 32-bit pixel's channels taken through its masks and its
// fourth byte cleared.
void finishRow(const Layout& l, uint8_t* row, int stride) {
  const int w = l.info.width;
  if (l.format != PixelFormat::Bgrx32) {
    const int usedBits = (w * bitsPerPixel(l.format)) % 8;
    if (usedBits) row[stride - 1] &= static_cast<uint8_t>(0xFF << (8 - usedBits));  // no stray bits past the width
    return;
  }
  const bool standard = l.masks[0] == 0xFF0000 && l.masks[1] == 0xFF00 && l.masks[2] == 0xFF;
  for (int x = 0; x < w; ++x) {
    uint8_t* q = row + 4 * x;
    if (!standard) {
      const uint32_t v = le32(q);
      q[0] = expand(v, l.masks[2]), q[1] = expand(v, l.masks[1]), q[2] = expand(v, l.masks[0]);
    }
    q[3] = 0;
  }
}

// The picture's size, format and palette (moved out of the layout); its pixels are made
// by the decoding.
Bitmap emptyBitmap(Layout& l) {
  Bitmap b;
  b.width = l.info.width;
  b.height = l.info.height;
  b.format = l.format;
  b.stride = Bitmap::strideFor(l.format, b.width);
  b.palette = std::move(l.palette);
  if (l.format == PixelFormat::Rgb16) std::copy(l.masks, l.masks + 3, b.masks);
  return b;
}

// Room for the stored rows of one picture. Pictures up to this size (the game's are
// far smaller) share one buffer per thread, so that each decode does not ask the system
// for fresh memory; a larger one gets its own.
constexpr size_t kSharedRowBytes = size_t{8} << 20;

uint8_t* storedRowsBuffer(size_t n, std::unique_ptr<uint8_t[]>& own) {
  if (n > kSharedRowBytes) {
    own.reset(new uint8_t[n]);
    return own.get();
  }
  // Pages the system gives only when first written: the unused part costs nothing.
  thread_local const std::unique_ptr<uint8_t[]> shared(new uint8_t[kSharedRowBytes]);
  return shared.get();
}

// All stored rows in one read (their size was checked against the limit and the
// stream), then the bitmap's rows copied out of them top row first, without their
// padding.
std::string decodeRows(Stream& s, const Layout& l, Bitmap& b) {
  if (!s.seek(l.start + l.offBits)) return "cannot reach the pixel data";
  const size_t rowBytes = static_cast<size_t>(l.rowBytes), height = static_cast<size_t>(l.info.height);
  const size_t stride = static_cast<size_t>(b.stride);
  std::unique_ptr<uint8_t[]> own;
  uint8_t* const stored = storedRowsBuffer(rowBytes * height, own);
  if (!s.readExact(stored, rowBytes * height)) return "truncated pixel rows";
  b.pixels.resize(stride * height);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* in = stored + (l.info.topDown ? y : height - 1 - y) * rowBytes;
    // A copy, not a vector insert: under AddressSanitizer that is a byte loop.
    copyRow(b.row(static_cast<int>(y)), in, stride);
    finishRow(l, b.row(static_cast<int>(y)), b.stride);
  }
  return {};
}

std::string runRle(Stream& s, Layout& l, Bitmap* out) {
  if (!s.seek(l.start + l.offBits)) return "cannot reach the pixel data";
  const uint64_t limit =
      l.sizeImage ? l.sizeImage : std::min<uint64_t>(l.available - l.offBits, kMaxBmpPixelBytes);
  ByteSource src(s, limit);
  std::string e = walkRle(src, l.info.bitCount, l.info.width, l.info.height, out);
  if (e.empty() && !l.sizeImage) l.info.extent = l.offBits + src.consumed();
  return e;
}

template <typename T>
Result<T> failure(std::string message) {
  return fail(std::move(message));
}

}  // namespace

Result<BmpInfo> probeBmp(Stream& s) {
  Layout l;
  if (std::string e = readLayout(s, l); !e.empty()) return failure<BmpInfo>(e);
  if (l.rle())  // walked, so that a probe fails wherever a decode would
    if (std::string e = runRle(s, l, nullptr); !e.empty()) return failure<BmpInfo>(e);
  s.seek(l.start + l.info.extent);
  return {l.info};
}

Result<Bitmap> decodeBmp(Stream& s, BmpInfo* info) {
  Layout l;
  if (std::string e = readLayout(s, l); !e.empty()) return failure<Bitmap>(e);
  Bitmap b = emptyBitmap(l);
  if (l.rle()) b.pixels.assign(static_cast<size_t>(b.stride) * b.height, 0);  // runs may skip pixels
  const std::string e = l.rle() ? runRle(s, l, &b) : decodeRows(s, l, b);
  if (!e.empty()) return failure<Bitmap>(e);
  s.seek(l.start + l.info.extent);
  if (info) *info = l.info;
  return {std::move(b)};
}

}  // namespace shirakaba
