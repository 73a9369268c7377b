// The script lint on any bytes: read as the game reads a script block (CP932, or
// UTF-8 after the byte-order mark with its own-text lines; split at CR, LF or CR LF, a
// NUL ends it), every line is linted without the font and, for short scripts, with
// it. Problems come in line order and name a real line; the own texts read as the
// game reads them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/cp932.h"
#include "base/utf8.h"
#include "engine/own_texts.h"
#include "engine/script.h"
#include "base/text.h"
#include "tools/pack/lint.h"

using namespace shirakaba;

namespace {
void require(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  const std::string raw(reinterpret_cast<const char*>(data), size);
  ScriptLines script;
  script.lines = splitLines(decodeScriptBlock(raw));
  script.utf8 = startsWithUtf8Bom(raw);
  const std::vector<std::string>& lines = script.lines;
  static const std::shared_ptr<FontFace> font = findGameFont().value();
  const auto problems = lintScript(lines, size <= 4096 ? font.get() : nullptr, script.utf8);
  const OwnTexts own = OwnTexts::read(script);
  require(own.text(own::Menu, "設定").size() <= kOwnTextLineMax);
  int last = 0;
  for (const LintProblem& p : problems) {
    require(p.line >= 0 && p.line <= static_cast<int>(lines.size()));
    require(p.line >= last);
    require(!p.message.empty());
    last = p.line;
  }
  return 0;
}
