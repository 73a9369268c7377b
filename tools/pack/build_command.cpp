// `build DIR OUT`: numbered BMP files and a script into one pack; the script goes in
// as CP932, or as UTF-8 when its file begins with the UTF-8 byte-order mark.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/cp932.h"
#include "base/files.h"
#include "base/stream.h"
#include "base/utf8.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

std::string pictureFileName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d.bmp", i);
  return name;
}

Result<std::string> scriptToCp932(const std::string& text) {
  if (!isValidUtf8(text)) return text;
  const bool bom = text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0;
  // Line by line, so that the message can name the line.
  std::string out;
  int line = 1;
  for (size_t start = bom ? 3 : 0; start < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    const Result<std::string> converted = utf8ToCp932(text.substr(start, end - start));
    if (!converted) return fail("script.txt line " + std::to_string(line) + ": a character that CP932 cannot hold");
    out += converted.value();
    start = end;
  }
  return out;
}

Result<std::string> scriptBlockOf(const std::string& text) {
  if (!startsWithUtf8Bom(text)) return scriptToCp932(text);
  int line = 1;
  for (size_t start = 0; start < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    if (!isValidUtf8(text.substr(start, end - start)))
      return fail("script.txt line " + std::to_string(line) +
                  ": bytes that are not UTF-8 (the file begins with a UTF-8 byte-order mark)");
    start = end;
  }
  return text;
}

Result<PackContents> readPackSources(const std::string& dir, std::ostream& notes) {
  namespace fs = std::filesystem;
  PackContents contents;
  for (int i = 0; i < kPictureCount; ++i) {
    const std::string name = pictureFileName(i);
    const std::string path = (fs::path(dir) / name).string();
    Result<std::vector<uint8_t>> file = readFile(path, ScriptOffset, "a picture");
    if (!file) return fail("picture " + std::to_string(i) + ": " + file.error());
    const std::vector<uint8_t>& bytes = contents.pictures[static_cast<size_t>(i)] = std::move(file).value();
    const int64_t slot = PictureSlotSize(i);
    if (static_cast<int64_t>(bytes.size()) > slot)
      return fail("picture " + std::to_string(i) + " (" + name + ") takes " + std::to_string(bytes.size()) +
                  " bytes, more than its slot of " + std::to_string(slot) + " bytes");
    MemoryStream s(bytes);
    auto probe = probeBmp(s);
    if (!probe.ok()) return fail("picture " + std::to_string(i) + " (" + name + "): " + probe.error());
    if (probe.value().extent < bytes.size())
      notes << name << ": " << bytes.size() - probe.value().extent
            << " bytes after the picture's end are packed but not extracted again\n";
  }
  const std::string scriptPath = (fs::path(dir) / "script.txt").string();
  const Result<std::vector<uint8_t>> script = readFile(scriptPath, kMaxScriptBlockBytes, "a script");
  if (!script) return fail(script.error());
  Result<std::string> block = scriptBlockOf(std::string(script->begin(), script->end()));
  if (!block) return fail(block.error());
  contents.scriptCp932 = std::move(block).value();
  return contents;
}

int packBuild(const std::string& dir, const std::string& outPath, std::ostream& out, std::ostream& err) {
  const auto failed = [&](const std::string& message) {
    err << "build: " << message << "\n";
    return 1;
  };
  const Result<PackContents> contents = readPackSources(dir, out);
  if (!contents) return failed(contents.error());
  const Result<std::vector<uint8_t>> pack = buildPack(contents.value());
  if (!pack) return failed(pack.error());
  if (const Result<void> written = writeOutputFile(outPath, pack.value()); !written) return failed(written.error());
  return 0;
}

}  // namespace shirakaba
