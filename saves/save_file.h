// The save file: one file per save, in a format of our own.
//
//   magic "SKBSAVE" 0x1A, format version (u32)
//   chunks, each a four-letter tag, a u32 length and that many bytes:
//     "INFO"  when it was saved, the day and part of the day, the scene, the play time,
//             the identity of the game data it belongs to; from format 2 also the first
//             line of the page on the screen
//     "THMB"  a PNG thumbnail of the screen, 160 x 120
//     "STAT"  the game state: its u32 length, then a zstd frame of it
//     "HIST"  from format 2: the pages read and the choices taken, packed as "STAT"
//   CRC-32 (u32) of every byte before it
//
// All integers are little-endian. The fields of INFO and HIST and of the game state
// are described once each (save_file.cpp, save_history.h, game/state_fields.h), each
// with the format it first appears in, so that a save of any earlier format loads.
// A reader skips chunks it does not know; every length is checked before it is used.
#pragma once
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/save_limits.h"
#include "saves/save_history.h"

namespace shirakaba {

// The largest save file: the packed state and history, the thumbnail and the
// description, with room. A writer refuses a larger one and a reader does not read it.
constexpr uint64_t kMaxSaveFileBytes = 96ull << 20;
static_assert(kMaxSaveFileBytes > uint64_t{kMaxStateBytes} + kMaxHistoryBytes + (8u << 20));

// What a list of saves shows, read without unpacking the game state.
struct SaveInfo {
  int64_t savedAt = 0;     // milliseconds since 1970-01-01 UTC
  int32_t day = 0;         // 0 before a new game
  std::string partOfDay;   // "朝", "午前", ...
  std::string scene;       // the label of the scene under way, or empty
  int64_t playTimeMs = 0;  // time played in this run of saves
  uint64_t dataIdentity = 0;
  std::string pageLine;    // the first line of the page on the screen, or empty (format 2)
  uint32_t formatVersion = kSaveFormatVersion;
  std::vector<uint8_t> thumbnailPng;
  bool operator==(const SaveInfo&) const = default;
};

// Every field of INFO once, with the format it first appears in.
template <typename V, typename I>
void infoFields(V& v, I& info) {
  v(Field("savedAt"), info.savedAt);
  v(Field("day").within(0, 99), info.day);  // as the status display shows it
  v(Field("partOfDay"), info.partOfDay);
  v(Field("scene"), info.scene);
  v(Field("playTime").within(0, std::numeric_limits<int64_t>::max()), info.playTimeMs);
  v(Field("dataIdentity"), info.dataIdentity);
  v(Field("pageLine").since(2), info.pageLine);
}

struct SaveFile {
  SaveInfo info;
  std::vector<uint8_t> state;      // the game state's bytes, unpacked
  std::vector<SavedPage> history;  // empty in saves of format 1
};

// The bytes of the file, in format `version` (an older one only for tests and seeds).
std::vector<uint8_t> encodeSaveFile(const SaveFile& save, uint32_t version = kSaveFormatVersion);
// The save, or an Error saying why these bytes are not one: not a save, written by
// a newer version, damaged. The game state is unpacked but not decoded (that takes
// the game: GameCore::decodeSnapshot, with info.formatVersion).
Result<SaveFile> decodeSaveFile(std::span<const uint8_t> bytes);
// The same checks, without unpacking the game state and the history (which stay empty).
Result<SaveInfo> decodeSaveInfo(std::span<const uint8_t> bytes);

}  // namespace shirakaba
