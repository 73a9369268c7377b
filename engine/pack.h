// The pack file: 128 BMP pictures at offsets compiled into the program, then the
// script block from ScriptOffset to the end. No header, no directory, no names.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "base/bitmap.h"
#include "base/bmp.h"
#include "base/files.h"
#include "base/sparse_bytes.h"

namespace shirakaba {

constexpr int kPictureCount = 128;
constexpr int64_t ScriptOffset = 51283840;
// The most a pack may hold: the pictures, then a script block of about 15 MiB, far
// more than any script needs (the original's is well under 1 MiB).
constexpr uint64_t kMaxPackBytes = 64ull << 20;
constexpr uint64_t kMaxScriptBlockBytes = kMaxPackBytes - ScriptOffset;
extern const std::array<int32_t, kPictureCount> PackOffsets;

// Bytes a picture may take: the distance from its offset to the next higher one
// (picture 120, stored last, ends at ScriptOffset).
int64_t PictureSlotSize(int pic);
bool validPicture(int pic);

// What each picture is for.
namespace pic {
constexpr int Logo = 0;            // at (170, 220) on the screen at start-up
constexpr int Backdrop = 1;        // full screen: logo backdrop, CG backdrop, blend source
constexpr int WipeStrip = 2;       // 8-bit weights, 32 x 480
constexpr int Digits = 3;          // eleven 21 x 21 cells: 0..9 and a blank
constexpr int Title = 4;
constexpr int TitleSheet = 5;      // 3 states x 4 items of 59 x 22
constexpr int GalleryBack = 6;     // also the scene test list
constexpr int GallerySheet = 7;    // 46 x 22 entry cells
constexpr int ViewerSheet = 8;     // 130 x 28 panel, 29 x 22 buttons
constexpr int MainSheet = 9;       // bars, buttons, tiles
constexpr int TimePanel = 10, TimePanelMask = 11;
constexpr int CalendarMaskA = 12;  // full-screen 8-bit weights
constexpr int PlaceSheet = 13;     // 110 x 82 place tiles
constexpr int CalendarMaskB = 14;  // full-screen 8-bit weights
constexpr int BarFrame = 15, BarFrameMask = 16;
constexpr int Panel = 17, PanelMask = 18;
constexpr int Stamp = 19;          // through mask 19 + grade (20..23)
constexpr int StatusPlate = 24, StatusPlateMask = 25;
constexpr int StatusTable = 26, StatusTableMask = 27;
constexpr int InfoPanel = 28, InfoPanelMask = 29;
constexpr int BackgroundBase = 29;  // background n is picture n + 29 (30..59)
constexpr int SpriteBase = 59;      // sprite n is picture n + 59 (60..77)
constexpr int SpriteMaskBase = 77;  // its mask n + 77 (78..95)
constexpr int FaceBase = 95;        // face n is picture n + 95 (96..107)
constexpr int FaceMaskBase = 107;   // its mask n + 107 (108..119)
constexpr int Ending = 120;
constexpr int CGBase = 120;         // CG n is picture 120 + n (121..127)
}  // namespace pic

// Pictures that are read as weight masks and must be 8-bit.
bool isWeightMask(int pic);
// Pictures that fill the screen and must be 640 x 480.
bool isFullScreen(int pic);

// The archive: a file on disk, or the same bytes held in memory. The game never
// changes it, so copies are cheap and share the bytes. A game reads pictures
// thousands of times: the file is opened on the first picture read and kept open for
// this PackFile and its copies, as long as it is there (a file removed takes its
// pictures with it; one that cannot be opened is tried again on the next read).
class PackFile {
 public:
  PackFile() = default;  // no source: exists() is false
  explicit PackFile(std::string path) : path_(std::move(path)) {}
  explicit PackFile(SparseBytes bytes) : memory_(std::make_shared<const SparseBytes>(std::move(bytes))) {}
  // The file's path; empty for bytes in memory.
  const std::string& path() const { return path_; }
  void setPath(std::string p) { *this = PackFile(std::move(p)); }
  // True for a file that is there, and for bytes in memory (even none).
  bool exists() const;
  // A new stream over the whole pack, at its first byte.
  Result<std::unique_ptr<Stream>> open() const;
  // Decodes picture pic; an error when the file is missing, pic is outside
  // 0..127 or the picture is malformed.
  Result<Bitmap> readPicture(int pic) const;
  // Reads picture a and then b from one open stream.
  bool readPair(int a, int b, Bitmap& first, Bitmap& second) const;

 private:
  struct OpenedFile {
    std::unique_ptr<Stream> stream;  // null until opened
    FileVersion version;             // of the file the stream reads
  };
  // The stream the pictures are read from, opened once.
  Result<Stream*> pictureStream() const;

  std::string path_;
  std::shared_ptr<const SparseBytes> memory_;
  std::shared_ptr<OpenedFile> opened_ = std::make_shared<OpenedFile>();  // shared by the copies
};

// A fingerprint of the game data: a 64-bit FNV-1a hash over the head of every
// picture (its file and info headers, where sizes and formats stand) and the whole
// script block. Another game or another translation gives another value; saves use
// it to know which data they belong to. An error when the pack cannot be read.
Result<uint64_t> packIdentity(const PackFile& pack);

}  // namespace shirakaba
