#include "saves/save_file.h"

#include <zlib.h>

#include <cstring>
#include <limits>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/field_check.h"
#include "base/field_codec.h"
#include "saves/compression.h"

namespace shirakaba {

namespace {

constexpr uint8_t kMagic[8] = {'S', 'K', 'B', 'S', 'A', 'V', 'E', 0x1A};
constexpr size_t kHeadSize = sizeof kMagic + 4;
constexpr size_t kTrailerSize = 4;
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

// Packed bytes: their u32 size, then a zstd frame of them.
std::vector<uint8_t> packed(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> o;
  put32(o, static_cast<uint32_t>(bytes.size()));
  const std::vector<uint8_t> frame = compressBytes(bytes, kCompressionLevel);
  putBytes(o, frame.data(), frame.size());
  return o;
}

Result<std::vector<uint8_t>> unpacked(std::span<const uint8_t> payload, uint32_t limit, const std::string& what) {
  ByteReader in(payload);
  const uint32_t size = in.u32();
  const auto frame = in.take(in.remaining());
  if (!in.ok()) return fail("the save file is damaged (" + what + "'s size)");
  auto bytes = decompressBytes(frame, size, limit);
  if (!bytes.ok()) return fail("the save file is damaged (" + what + ": " + bytes.error() + ")");
  return bytes;
}

std::optional<std::string> readInfo(std::span<const uint8_t> payload, SaveInfo& info) {
  ByteReader in(payload);
  FieldReader reader(in, info.formatVersion);
  infoFields(reader, info);
  if (!in.ok()) return "cut short or malformed at " + reader.failedAt();
  if (in.remaining() != 0) return "data after its end";
  FieldChecker checker;
  infoFields(checker, info);
  return checker.problem();
}

// The checks every reader makes, and the chunks they found.
struct Chunks {
  SaveInfo info;
  std::span<const uint8_t> state;    // "STAT" payload
  std::span<const uint8_t> history;  // "HIST" payload
};

Result<Chunks> readChunks(std::span<const uint8_t> bytes) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return fail("this is not a save file of this program");
  if (bytes.size() < kHeadSize + kTrailerSize) return fail("the save file is cut short");
  if (bytes.size() > kMaxSaveFileBytes) return fail("the save file is larger than any save (" + std::to_string(bytes.size()) + " bytes)");
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
  bool haveInfo = false, haveThumb = false, haveState = false, haveHistory = false;
  ByteReader in(body.subspan(kHeadSize));
  while (in.ok() && in.remaining() > 0) {
    const auto tag = in.take(4);
    const uint32_t length = in.u32();
    const auto payload = in.take(length);
    if (!in.ok()) break;
    const std::string name(reinterpret_cast<const char*>(tag.data()), 4);
    if (name == "INFO") {
      if (auto bad = readInfo(payload, c.info)) return fail("the save file is damaged (its description: " + *bad + ")");
      haveInfo = true;
    } else if (name == "THMB") {
      c.info.thumbnailPng.assign(payload.begin(), payload.end());
      haveThumb = true;
    } else if (name == "STAT") {
      c.state = payload;
      haveState = true;
    } else if (name == "HIST" && version >= 2) {
      c.history = payload;
      haveHistory = true;
    }
  }
  if (!in.ok()) return fail("the save file is damaged (a part runs past its end)");
  if (!haveInfo || !haveThumb || !haveState || (version >= 2 && !haveHistory))
    return fail("the save file is damaged (a part is missing)");
  return c;
}

}  // namespace

std::vector<uint8_t> encodeSaveFile(const SaveFile& save, uint32_t version) {
  std::vector<uint8_t> o(kMagic, kMagic + sizeof kMagic);
  put32(o, version);
  std::vector<uint8_t> info;
  FieldWriter writer(info, version);
  infoFields(writer, save.info);
  putChunk(o, "INFO", info);
  putChunk(o, "THMB", save.info.thumbnailPng);
  putChunk(o, "STAT", packed(save.state));
  if (version >= 2) putChunk(o, "HIST", packed(encodeHistory(save.history, version)));
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
  SaveFile save;
  save.info = std::move(c.value().info);
  auto state = unpacked(c.value().state, kMaxStateBytes, "the game state");
  if (!state.ok()) return fail(state.error());
  save.state = std::move(state).value();
  if (save.info.formatVersion >= 2) {
    auto history = unpacked(c.value().history, kMaxHistoryBytes, "the history");
    if (!history.ok()) return fail(history.error());
    auto pages = decodeHistory(history.value(), save.info.formatVersion);
    if (!pages.ok()) return fail("the save file is damaged (the history: " + pages.error() + ")");
    save.history = std::move(pages).value();
  }
  return save;
}

}  // namespace shirakaba
