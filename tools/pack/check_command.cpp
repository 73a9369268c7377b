// `check PACK`: every picture decodes and fits its slot, masks are 8-bit,
// full-screen pictures are 640 x 480, and the script is clean CP932 (or clean UTF-8
// after its byte-order mark).
#include <algorithm>

#include "base/cp932.h"
#include "base/files.h"
#include "base/stream.h"
#include "base/utf8.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {
namespace {

void checkPicture(const std::vector<uint8_t>& pack, int i, std::vector<std::string>& problems) {
  const std::string name = "picture " + std::to_string(i) + ": ";
  MemoryStream s(pack.data(), static_cast<size_t>(ScriptOffset));  // a picture never reaches into the script
  s.seek(static_cast<uint64_t>(PackOffsets[static_cast<size_t>(i)]));
  BmpInfo info;
  auto r = decodeBmp(s, &info);
  if (!r.ok()) {
    problems.push_back(name + r.error());
    return;
  }
  const Bitmap& b = r.value();
  if (info.extent > static_cast<uint64_t>(PictureSlotSize(i)))
    problems.push_back(name + "takes " + std::to_string(info.extent) + " bytes, more than its slot of " +
                       std::to_string(PictureSlotSize(i)) + " bytes");
  if (isWeightMask(i) && b.format != PixelFormat::Indexed8)
    problems.push_back(name + "a weight mask must be an 8-bit BMP, this one is " +
                       std::to_string(info.bitCount) + "-bit");
  if (isFullScreen(i) && (b.width != 640 || b.height != 480))
    problems.push_back(name + "a full-screen picture must be 640x480, this one is " + std::to_string(b.width) +
                       "x" + std::to_string(b.height));
}

// Lines split at CR, LF or CR LF, as the game reads them; each in the block's encoding.
void checkScript(const std::string& script, std::vector<std::string>& problems) {
  const bool utf8 = startsWithUtf8Bom(script);
  size_t line = 1, start = 0;
  for (size_t i = 0; i <= script.size(); ++i) {
    const bool end = i == script.size();
    if (!end && script[i] != '\r' && script[i] != '\n' && script[i] != '\0') continue;
    const std::string text = script.substr(start, i - start);
    if (utf8 && !isValidUtf8(text))
      problems.push_back("script line " + std::to_string(line) + ": bytes that are not UTF-8");
    if (!utf8 && cp932ToUtf8(text).find(codepointToUtf8(kReplacementChar)) != std::string::npos)
      problems.push_back("script line " + std::to_string(line) + ": bytes that are not CP932");
    if (end) break;
    if (script[i] == '\0') {
      problems.push_back("script line " + std::to_string(line) + ": a NUL byte, where the game stops reading");
      break;
    }
    if (script[i] == '\r' && i + 1 < script.size() && script[i + 1] == '\n') ++i;
    start = i + 1;
    ++line;
  }
}

}  // namespace

std::vector<std::string> checkPack(const std::vector<uint8_t>& pack) {
  std::vector<std::string> problems;
  if (pack.size() < static_cast<size_t>(ScriptOffset)) {
    problems.push_back("the pack holds " + std::to_string(pack.size()) + " bytes, fewer than the " +
                       std::to_string(ScriptOffset) + " before its script");
    return problems;
  }
  for (int i = 0; i < kPictureCount; ++i) checkPicture(pack, i, problems);
  checkScript(std::string(pack.begin() + ScriptOffset, pack.end()), problems);
  return problems;
}

int packCheck(const std::string& packPath, std::ostream& out, std::ostream& err) {
  const Result<std::vector<uint8_t>> pack = readFile(packPath, kMaxPackBytes, "a pack");
  if (!pack) {
    err << "check: " << pack.error() << "\n";
    return 1;
  }
  const auto problems = checkPack(pack.value());
  for (const auto& p : problems) out << p << "\n";
  if (problems.empty()) out << packPath << ": no problems\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace shirakaba
