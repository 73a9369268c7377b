// The save file: one file per save, in a format of our own.
//
//   magic "SKBSAVE" 0x1A, format version (u32)
//   chunks, each a four-letter tag, a u32 length and that many bytes:
//     "INFO"  when it was saved, the day and part of the day, the scene, the play time,
//             the identity of the game data it belongs to
//     "THMB"  a PNG thumbnail of the screen, 160 x 120
//     "STAT"  the game state: its u32 length, then a zstd frame of it
//   CRC-32 (u32) of every byte before it
//
// All integers are little-endian. A reader skips chunks it does not know, so later
// versions may add some; every length is checked before it is used.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace shirakaba {

constexpr uint32_t kSaveFormatVersion = 1;

// What a list of saves shows, read without decompressing the game state.
struct SaveInfo {
  int64_t savedAt = 0;     // milliseconds since 1970-01-01 UTC
  int32_t day = 0;         // 0 before a new game
  std::string partOfDay;   // "朝", "午前", ...
  std::string scene;       // the scene under way, or empty
  int64_t playTimeMs = 0;  // time played in this run of saves
  uint64_t dataIdentity = 0;
  uint32_t formatVersion = kSaveFormatVersion;
  std::vector<uint8_t> thumbnailPng;
  bool operator==(const SaveInfo&) const = default;
};

struct SaveFile {
  SaveInfo info;
  std::vector<uint8_t> state;  // the game state's bytes, uncompressed
};

// The bytes of the file.
std::vector<uint8_t> encodeSaveFile(const SaveFile& save);
// The save, or an Error saying why these bytes are not one: not a save, written by
// a newer version, damaged.
Result<SaveFile> decodeSaveFile(std::span<const uint8_t> bytes);
// The same checks, without decompressing the game state (which stays empty).
Result<SaveInfo> decodeSaveInfo(std::span<const uint8_t> bytes);

}  // namespace shirakaba
