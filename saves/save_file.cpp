#include "saves/save_file.h"

#include <zlib.h>

#include <cstring>
#include <optional>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "saves/compression.h"

namespace shirakaba {

namespace {

constexpr uint8_t kMagic[8] = {'S', 'K', 'B', 'S', 'A', 'V', 'E', 0x1A};
constexpr size_t kHeadSize = sizeof kMagic + 4;
constexpr size_t kTrailerSize = 4;
constexpr size_t kMaxText = 4096;
// The largest game state a save may hold: the screen, the back buffer and a CG of up
// to 2048 x 2048 fit with room.
constexpr uint32_t kMaxStateBytes = 64u << 20;
constexpr int kCompressionLevel = 3;

uint32_t crcOf(std::span<const uint8_t> bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB a call; a save is far smaller.
  return static_cast<uint32_t>(crc32(crc, bytes.data(), static_cast<uInt>(bytes.size())));
}

void putChunk(std::vector<uint8_t>& o, const char (&tag)[5], const std::vector<uint8_t>& payload) {
  putBytes(o, reinterpret_cast<const uint8_t*>(tag), 4);
  put32(o, static_cast<uint32_t>(payload.size()));
  putBytes(o, payload.data(), payload.size());
}

std::vector<uint8_t> infoPayload(const SaveInfo& info) {
  std::vector<uint8_t> o;
  put64(o, static_cast<uint64_t>(info.savedAt));
  put32(o, static_cast<uint32_t>(info.day));
  putString(o, info.partOfDay);
  putString(o, info.scene);
  put64(o, static_cast<uint64_t>(info.playTimeMs));
  put64(o, info.dataIdentity);
  return o;
}

bool readInfo(std::span<const uint8_t> payload, SaveInfo& info) {
  ByteReader in(payload);
  info.savedAt = in.i64();
  info.day = in.i32();
  info.partOfDay = in.string(kMaxText);
  info.scene = in.string(kMaxText);
  info.playTimeMs = in.i64();
  info.dataIdentity = in.u64();
  return in.ok() && info.day >= 0 && info.playTimeMs >= 0;
}

// The checks every reader makes, and the chunks they found.
struct Chunks {
  SaveInfo info;
  std::span<const uint8_t> state;  // "STAT" payload
};

Result<Chunks> readChunks(std::span<const uint8_t> bytes) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return fail("this is not a save file of this program");
  if (bytes.size() < kHeadSize + kTrailerSize) return fail("the save file is cut short");
  ByteReader head(bytes.subspan(sizeof kMagic, 4));
  const uint32_t version = head.u32();
  if (version > kSaveFormatVersion)
    return fail("this save was written by a newer version of the program (save format " + std::to_string(version) +
                "); update the program to load it");
  if (version == 0) return fail("the save file is damaged (format 0)");
  const auto body = bytes.first(bytes.size() - kTrailerSize);
  ByteReader trailer(bytes.last(kTrailerSize));
  if (crcOf(body) != trailer.u32()) return fail("the save file is damaged (its checksum does not match)");

  Chunks c;
  c.info.formatVersion = version;
  bool haveInfo = false, haveThumb = false, haveState = false;
  ByteReader in(body.subspan(kHeadSize));
  while (in.ok() && in.remaining() > 0) {
    const auto tag = in.take(4);
    const uint32_t length = in.u32();
    const auto payload = in.take(length);
    if (!in.ok()) break;
    const std::string name(reinterpret_cast<const char*>(tag.data()), 4);
    if (name == "INFO") {
      if (!readInfo(payload, c.info)) return fail("the save file is damaged (its description)");
      haveInfo = true;
    } else if (name == "THMB") {
      c.info.thumbnailPng.assign(payload.begin(), payload.end());
      haveThumb = true;
    } else if (name == "STAT") {
      c.state = payload;
      haveState = true;
    }
  }
  if (!in.ok()) return fail("the save file is damaged (a part runs past its end)");
  if (!haveInfo || !haveThumb || !haveState) return fail("the save file is damaged (a part is missing)");
  return c;
}

}  // namespace

std::vector<uint8_t> encodeSaveFile(const SaveFile& save) {
  std::vector<uint8_t> o(kMagic, kMagic + sizeof kMagic);
  put32(o, kSaveFormatVersion);
  putChunk(o, "INFO", infoPayload(save.info));
  putChunk(o, "THMB", save.info.thumbnailPng);

  std::vector<uint8_t> state;
  put32(state, static_cast<uint32_t>(save.state.size()));
  const std::vector<uint8_t> frame = compressBytes(save.state, kCompressionLevel);
  putBytes(state, frame.data(), frame.size());
  putChunk(o, "STAT", state);

  put32(o, crcOf(o));
  return o;
}

Result<SaveInfo> decodeSaveInfo(std::span<const uint8_t> bytes) {
  auto c = readChunks(bytes);
  if (!c.ok()) return fail(c.error());
  return std::move(c.value().info);
}

Result<SaveFile> decodeSaveFile(std::span<const uint8_t> bytes) {
  auto c = readChunks(bytes);
  if (!c.ok()) return fail(c.error());
  ByteReader in(c.value().state);
  const uint32_t size = in.u32();
  const auto frame = in.take(in.remaining());
  if (!in.ok()) return fail("the save file is damaged (the game state's size)");
  auto state = decompressBytes(frame, size, kMaxStateBytes);
  if (!state.ok()) return fail("the save file is damaged (the game state: " + state.error() + ")");
  SaveFile save;
  save.info = std::move(c.value().info);
  save.state = std::move(state).value();
  return save;
}

}  // namespace shirakaba
