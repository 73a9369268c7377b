// The pack tool's reading side (`extract` and `check`) on hostile packs. A sound
// pack of small pictures is built once; each input overwrites some of its pictures
// and its script, and may cut it short. The input is cut at "#PIC": the first piece
// steers the cut, the next ones land at the pictures below, the last is the script.
// splitPack and checkPack must agree, and what splitPack gives back must be whole.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "base/bmp.h"
#include "base/cp932.h"
#include "base/stream.h"
#include "fuzz/fuzz_pack.h"
#include "tools/pack/pack_builder.h"
#include "tools/pack/pack_tool.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

constexpr int kTargets[] = {0, 2, 12, 60, 78, 119, 120, 121, 127};

const std::vector<uint8_t>& soundPack() {
  static const std::vector<uint8_t> pack = [] {
    PackContents c;
    for (int i = 0; i < kPictureCount; ++i)
      c.pictures[i] = isWeightMask(i) ? fuzz::tinyMask(4, 4, 9) : fuzz::tinyPicture(4, 4, 0x123456);
    Result<std::vector<uint8_t>> out = buildPack(c);
    require(out.ok());
    return std::move(out).value();
  }();
  return pack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t>& base = soundPack();
  static std::vector<uint8_t> work = base;
  const auto parts = fuzz::splitAt(data, size, "#PIC", std::size(kTargets) + 2);

  // The pieces over the sound pack; the script piece is the last one after the pictures.
  std::vector<std::pair<size_t, size_t>> touched;  // ranges to restore afterwards
  const size_t pictures = parts.size() >= 2 ? parts.size() - 2 : 0;
  for (size_t i = 0; i < pictures; ++i) {
    const size_t at = static_cast<size_t>(PackOffsets[kTargets[i]]);
    const size_t n = std::min(parts[i + 1].second, base.size() - at);
    std::memcpy(work.data() + at, parts[i + 1].first, n);
    touched.emplace_back(at, n);
  }
  if (parts.size() >= 2) {
    const auto& s = parts.back();
    work.resize(base.size() + s.second);
    std::memcpy(work.data() + base.size(), s.first, s.second);
  }
  // A first piece of two bytes or more with its top bit set cuts the pack near a picture.
  const auto& steer = parts.front();
  if (parts.size() >= 2 && steer.second >= 2 && (steer.first[0] & 0x80)) {
    const size_t cut = static_cast<size_t>(PackOffsets[steer.first[0] % kPictureCount]) + steer.first[1] * 61u;
    if (cut < work.size()) work.resize(cut);
  }

  const Result<PackContents> split = splitPack(work);
  const std::vector<std::string> problems = checkPack(work);
  if (split) {
    const PackContents& contents = split.value();
    for (int i = 0; i < kPictureCount; ++i) {
      const auto& p = contents.pictures[i];
      require(!p.empty() && static_cast<int64_t>(p.size()) <= PictureSlotSize(i));
      MemoryStream s(p);
      require(probeBmp(s).ok());
    }
    require(contents.scriptCp932.size() == work.size() - static_cast<size_t>(ScriptOffset));
    // The script as `extract --utf8` writes it, and back as `build` reads it.
    (void)scriptToCp932(cp932ToUtf8(contents.scriptCp932));
  } else {
    require(!split.error().empty());
    require(!problems.empty());  // what extract refuses, check reports
  }
  for (const std::string& p : problems) require(!p.empty());

  // Back to the sound pack for the next input.
  if (work.size() < base.size()) {
    const size_t from = work.size();
    work.resize(base.size());
    std::memcpy(work.data() + from, base.data() + from, base.size() - from);
  }
  work.resize(base.size());
  for (const auto& [at, n] : touched) std::memcpy(work.data() + at, base.data() + at, n);
  return 0;
}
