// The fonts of a platform without fontconfig (the WebAssembly build): font files named
// in the environment variable SHIRAKABA_FONTS, separated by ':', the game face's file
// first and then the files that stand in for the characters it lacks. The build's
// loader names the IPAGothic bundled beside the program there. A front end may instead
// hand its own face to the game (GameSetup::font).
#include <cstdlib>

#include "base/font_face.h"
#include "base/text.h"

namespace shirakaba {
namespace {

std::vector<std::string> namedFontFiles() {
  std::vector<std::string> files;
  const char* list = std::getenv("SHIRAKABA_FONTS");
  std::string rest = list ? list : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    if (colon != 0) files.push_back(rest.substr(0, colon));
    rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
  }
  return files;
}

Result<std::shared_ptr<FontFace>> openNamedFonts() {
  std::vector<std::string> files = namedFontFiles();
  if (files.empty()) return fail("No font for the game's text: SHIRAKABA_FONTS names no font file");
  const std::string game = files.front();
  files.erase(files.begin());
  return openFontFace(game, 0, "", fallbackFontFiles(std::move(files)));
}

}  // namespace

Result<std::shared_ptr<FontFace>> findGameFont() {
  static const Result<std::shared_ptr<FontFace>> found = openNamedFonts();
  return found;
}

}  // namespace shirakaba
