// `build DIR OUT`: numbered BMP files and a script into one pack.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/cp932.h"
#include "base/stream.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {

std::string pictureFileName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d.bmp", i);
  return name;
}

bool scriptToCp932(const std::string& text, std::string& out, std::string& error) {
  if (!isValidUtf8(text)) {
    out = text;
    return true;
  }
  const bool bom = text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0;
  const std::string body = bom ? text.substr(3) : text;
  size_t bad = 0;
  if (utf8ToCp932(body, out, &bad)) return true;
  const size_t line = 1 + static_cast<size_t>(std::count(body.begin(), body.begin() + std::min(bad, body.size()), '\n'));
  error = "script.txt line " + std::to_string(line) + ": a character that CP932 cannot hold";
  return false;
}

bool readPackSources(const std::string& dir, PackContents& out, std::string& error, std::ostream& notes) {
  namespace fs = std::filesystem;
  for (int i = 0; i < kPictureCount; ++i) {
    const std::string name = pictureFileName(i);
    const std::string path = (fs::path(dir) / name).string();
    auto& bytes = out.pictures[static_cast<size_t>(i)];
    if (!fileExists(path) || !readFile(path, bytes)) {
      error = "picture " + std::to_string(i) + ": " + name + " is missing";
      return false;
    }
    const int64_t slot = PictureSlotSize(i);
    if (static_cast<int64_t>(bytes.size()) > slot) {
      error = "picture " + std::to_string(i) + " (" + name + ") takes " + std::to_string(bytes.size()) +
              " bytes, more than its slot of " + std::to_string(slot) + " bytes";
      return false;
    }
    MemoryStream s(bytes);
    auto probe = probeBmp(s);
    if (!probe.ok()) {
      error = "picture " + std::to_string(i) + " (" + name + "): " + probe.error();
      return false;
    }
    if (probe.value().extent < bytes.size())
      notes << name << ": " << bytes.size() - probe.value().extent
            << " bytes after the picture's end are packed but not extracted again\n";
  }
  std::vector<uint8_t> script;
  const std::string scriptPath = (fs::path(dir) / "script.txt").string();
  if (!fileExists(scriptPath) || !readFile(scriptPath, script)) {
    error = "script.txt is missing";
    return false;
  }
  return scriptToCp932(std::string(script.begin(), script.end()), out.scriptCp932, error);
}

int packBuild(const std::string& dir, const std::string& outPath, std::ostream& out, std::ostream& err) {
  PackContents contents;
  std::string error;
  std::vector<uint8_t> pack;
  if (!readPackSources(dir, contents, error, out) || !buildPack(contents, pack, error)) {
    err << "build: " << error << "\n";
    return 1;
  }
  if (!writeFile(outPath, pack)) {
    err << "build: cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace shirakaba
