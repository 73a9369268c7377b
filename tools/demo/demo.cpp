// `shirakaba-pack demo OUTDIR`: paints the 128 pictures, converts the script and
// readme, synthesises the sounds and lays them out as a game folder:
// OUTDIR/data/lumora.red, OUTDIR/data/wav/h_{1,3,4}.wav and OUTDIR/readme.txt.
// Nothing depends on the clock or on hashing, so every run writes the same bytes.
#include "tools/demo/demo.h"

#include <filesystem>
#include <iostream>

#include "base/bmp.h"
#include "base/cp932.h"
#include "base/files.h"
#include "tools/demo/demo_data.h"
#include "tools/demo/labels.h"
#include "tools/pack/pack_tool.h"
#include "tools/pack/script_texts.h"
#include "tools/pack/pack_builder.h"

namespace shirakaba {
namespace demo {
namespace {

// CR LF line ends, as the text files of the original platform have them.
std::string toCp932Lines(const char* utf8) {
  std::string crlf;
  for (const char* p = utf8; *p; ++p) {
    if (*p == '\n') crlf += '\r';
    crlf += *p;
  }
  Result<std::string> cp932 = utf8ToCp932(crlf);
  if (!cp932) {
    std::cerr << "demo: text holds " << cp932.error() << "\n";
    return {};
  }
  return std::move(cp932).value();
}

}  // namespace

std::string scriptCp932() { return toCp932Lines(kScriptUtf8); }
std::string readmeCp932() { return toCp932Lines(kReadmeUtf8); }
std::string readmeEnglish() { return toCp932Lines(kReadmeEnglish); }

Bitmap makePicture(int n) {
  if (n >= 0 && n <= 29) return makeInterfacePicture(n);
  if ((n >= 30 && n <= 59) || n == 120) return makeBackground(n);
  if (n >= 60 && n <= 95) return makeSprite(n);
  if (n >= 96 && n <= 119) return makeFace(n);
  if (n >= 121 && n <= 127) return makeCG(n);
  return {};
}

// The Japanese pack translated by en.po, as `translate` would write it.
Result<std::vector<uint8_t>> translated(std::vector<uint8_t> pack) {
  Result<PackScript> script = packScriptOf(std::move(pack), "the demo pack");
  if (!script) return fail(script.error());
  TranslationCount count;
  return translatePack(std::move(script).value(), "the demo pack", kEnglishPo, "en.po", std::cerr, count);
}

}  // namespace demo

int runDemo(const std::string& outDir, DemoLanguage language) {
  namespace fs = std::filesystem;
  const bool english = language == DemoLanguage::English;
  const demo::PaintLanguage painting(english ? demo::Lang::En : demo::Lang::Ja);
  PackContents contents;
  for (int n = 0; n < kPictureCount; ++n) {
    contents.pictures[n] = encodeBmp(demo::makePicture(n));
    if (static_cast<int64_t>(contents.pictures[n].size()) > PictureSlotSize(n)) {
      std::cerr << "demo: picture " << n << " takes " << contents.pictures[n].size() << " bytes, its place "
                << PictureSlotSize(n) << "\n";
      return 1;
    }
  }
  contents.scriptCp932 = demo::scriptCp932();
  const std::string readme = english ? demo::readmeEnglish() : demo::readmeCp932();
  if (contents.scriptCp932.empty() || readme.empty()) return 1;

  Result<std::vector<uint8_t>> pack = buildPack(contents);
  if (pack && english) pack = demo::translated(std::move(pack).value());
  if (!pack) {
    std::cerr << "demo: " << pack.error() << "\n";
    return 1;
  }
  std::error_code ec;
  const fs::path root(outDir);
  fs::create_directories(root / "data" / "wav", ec);
  if (ec) {
    std::cerr << "demo: cannot create " << (root / "data" / "wav").string() << ": " << ec.message() << "\n";
    return 1;
  }
  bool ok = writeFile((root / "data" / "lumora.red").string(), pack.value()).ok();
  for (int kind : {1, 3, 4})
    ok = ok && writeFile((root / "data" / "wav" / ("h_" + std::to_string(kind) + ".wav")).string(),
                         demo::makeSound(kind)).ok();
  ok = ok && writeFile((root / "readme.txt").string(), std::vector<uint8_t>(readme.begin(), readme.end())).ok();
  if (!ok) {
    std::cerr << "demo: cannot write the files under " << outDir << "\n";
    return 1;
  }
  return 0;
}

}  // namespace shirakaba
