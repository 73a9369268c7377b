#include "tools/pack/pack_builder.h"

#include <algorithm>
#include <cstring>

#include "base/files.h"
#include "base/stream.h"

namespace shirakaba {

Result<std::vector<uint8_t>> buildPack(const PackContents& in) {
  for (int i = 0; i < kPictureCount; ++i) {
    const auto& p = in.pictures[static_cast<size_t>(i)];
    const int64_t slot = PictureSlotSize(i);
    if (p.empty())
      return fail("picture " + std::to_string(i) + " is missing (its slot holds " + std::to_string(slot) + " bytes)");
    if (static_cast<int64_t>(p.size()) > slot)
      return fail("picture " + std::to_string(i) + " takes " + std::to_string(p.size()) +
                  " bytes, more than its slot of " + std::to_string(slot) + " bytes");
  }
  // What the game would refuse to read is not written.
  if (const uint64_t size = ScriptOffset + in.scriptCp932.size(); size > kMaxPackBytes)
    return fail("the script is too long: " + tooLarge("the pack", size, kMaxPackBytes, "a pack"));
  std::vector<uint8_t> out(static_cast<size_t>(ScriptOffset) + in.scriptCp932.size(), 0);
  for (int i = 0; i < kPictureCount; ++i) {
    const auto& p = in.pictures[static_cast<size_t>(i)];
    std::memcpy(out.data() + PackOffsets[static_cast<size_t>(i)], p.data(), p.size());
  }
  std::memcpy(out.data() + ScriptOffset, in.scriptCp932.data(), in.scriptCp932.size());
  return out;
}

Result<PackContents> splitPack(const std::vector<uint8_t>& pack) {
  if (pack.size() < static_cast<size_t>(ScriptOffset))
    return fail("the pack holds " + std::to_string(pack.size()) + " bytes, fewer than the " +
                std::to_string(ScriptOffset) + " before its script");
  PackContents out;
  MemoryStream s(pack);
  for (int i = 0; i < kPictureCount; ++i) {
    const uint64_t at = static_cast<uint64_t>(PackOffsets[static_cast<size_t>(i)]);
    s.seek(at);
    auto probe = probeBmp(s);
    if (!probe.ok()) return fail("picture " + std::to_string(i) + ": " + probe.error());
    const uint64_t extent = probe.value().extent;
    if (extent > static_cast<uint64_t>(PictureSlotSize(i)))
      return fail("picture " + std::to_string(i) + " takes " + std::to_string(extent) +
                  " bytes, more than its slot of " + std::to_string(PictureSlotSize(i)) + " bytes");
    out.pictures[static_cast<size_t>(i)].assign(pack.begin() + static_cast<ptrdiff_t>(at),
                                                pack.begin() + static_cast<ptrdiff_t>(at + extent));
  }
  out.scriptCp932.assign(reinterpret_cast<const char*>(pack.data()) + ScriptOffset,
                         pack.size() - static_cast<size_t>(ScriptOffset));
  return out;
}

}  // namespace shirakaba
