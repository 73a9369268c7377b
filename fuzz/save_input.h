// The input of save_loader_fuzz, shared with the program that writes its seeds: a few
// bytes that steer the target, then the bytes of a save file.
//
//   byte 0      flags: kReseal makes the CRC trailer right before decoding, so that
//               mutations get past the checksum to the chunks, zstd and the game state;
//               kEdit applies the edits below to the game state once unpacked, so that
//               they reach the state decoder and the game without going through zstd
//   bytes 1-8   four clicks after the load: x, y, each 0..255 scaled to the screen
//   byte 9      the number of edits (at most 16), then 3 bytes each: u16 where, u8 value;
//               bits 0-9 of where are the distance from the state's first byte, or with
//               bit 15 set from its last (the small fields lie within 1 KiB of either
//               end, the pictures between)
//   the rest    the save file
#pragma once
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace shirakaba::fuzz {

constexpr uint8_t kReseal = 1, kEdit = 2;
constexpr uint16_t kFromEnd = 0x8000;
constexpr size_t kClicks = 4, kMaxEdits = 16;
constexpr size_t kFixedHead = 1 + 2 * kClicks + 1, kLongestHead = kFixedHead + 3 * kMaxEdits;

struct StateEdit {
  uint16_t where = 0;
  uint8_t value = 0;
};

struct SaveInput {
  uint8_t flags = 0;
  uint8_t clicks[2 * kClicks] = {};
  std::vector<StateEdit> edits;
  std::span<const uint8_t> save;
};

inline std::optional<SaveInput> readSaveInput(std::span<const uint8_t> in) {
  if (in.size() < kFixedHead) return std::nullopt;
  SaveInput s;
  s.flags = in[0];
  for (size_t i = 0; i < 2 * kClicks; ++i) s.clicks[i] = in[1 + i];
  const size_t edits = in[kFixedHead - 1] % (kMaxEdits + 1);
  if (in.size() < kFixedHead + 3 * edits) return std::nullopt;
  for (size_t i = 0; i < edits; ++i) {
    const uint8_t* e = &in[kFixedHead + 3 * i];
    s.edits.push_back({static_cast<uint16_t>(e[0] | e[1] << 8), e[2]});
  }
  s.save = in.subspan(kFixedHead + 3 * edits);
  return s;
}

inline std::vector<uint8_t> writeSaveInput(const SaveInput& s, std::span<const uint8_t> save) {
  std::vector<uint8_t> out{s.flags};
  out.insert(out.end(), std::begin(s.clicks), std::end(s.clicks));
  out.push_back(static_cast<uint8_t>(s.edits.size()));
  for (const StateEdit& e : s.edits) out.insert(out.end(), {uint8_t(e.where), uint8_t(e.where >> 8), e.value});
  out.insert(out.end(), save.begin(), save.end());
  return out;
}

inline void applyEdits(std::vector<uint8_t>& state, const std::vector<StateEdit>& edits) {
  for (const StateEdit& e : edits) {
    const size_t distance = e.where & 0x03FF;
    if (distance >= state.size()) continue;
    state[(e.where & kFromEnd) ? state.size() - 1 - distance : distance] = e.value;
  }
}

// The bytes before the save file: the flags, the clicks, the edits.
inline size_t headSize(std::span<const uint8_t> in) {
  if (in.size() < kFixedHead) return in.size();
  return std::min(in.size(), kFixedHead + 3 * (in[kFixedHead - 1] % (kMaxEdits + 1)));
}

// The CRC-32 trailer of a save made right for the bytes before it.
inline void resealSave(std::vector<uint8_t>& file) {
  if (file.size() < 4) return;
  const size_t body = file.size() - 4;
  const uint32_t crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), file.data(), static_cast<uInt>(body)));
  for (int i = 0; i < 4; ++i) file[body + i] = static_cast<uint8_t>(crc >> (8 * i));
}

}  // namespace shirakaba::fuzz
