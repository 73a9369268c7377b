// `shirakaba-pack lint`: reads the script of a pack or of a script file and prints
// the lint's problems, one "LINE: message" each.
#include <memory>

#include "base/cp932.h"
#include "engine/pack.h"
#include "engine/script.h"
#include "base/files.h"
#include "base/stream.h"
#include "base/utf8.h"
#include "tools/pack/lint.h"

namespace shirakaba {

Result<std::vector<std::string>> readLintInput(const std::string& path, bool* utf8Block, Plates* plates) {
  Result<std::unique_ptr<Stream>> opened = openFile(path, kMaxPackBytes, "a pack or a script");
  if (!opened) return fail(opened.error());
  Stream& f = *opened.value();
  // A pack holds its pictures before ScriptOffset; a script file is far smaller.
  const bool pack = f.size() >= static_cast<uint64_t>(ScriptOffset);
  if (plates) *plates = pack ? platesOf(f) : Plates{};
  if (pack && !f.seek(static_cast<uint64_t>(ScriptOffset))) return fail("cannot read the script block of " + path);
  std::string bytes(static_cast<size_t>(f.remaining()), '\0');
  bytes.resize(f.read(bytes.data(), bytes.size()));
  // The NUL ends the text before decoding: it is never part of a character.
  if (const size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  // Only a block with the byte-order mark stays UTF-8 in a pack.
  if (utf8Block) *utf8Block = startsWithUtf8Bom(bytes);
  // A script file may also be UTF-8 without the byte-order mark.
  if (pack || startsWithUtf8Bom(bytes) || !isValidUtf8(bytes)) bytes = decodeScriptBlock(bytes);
  return splitLines(bytes);
}

int packLint(const std::string& path, std::ostream& out, std::ostream& err) {
  bool utf8Block = false;
  Plates plates;
  const Result<std::vector<std::string>> lines = readLintInput(path, &utf8Block, &plates);
  if (!lines) {
    err << "lint: " << lines.error() << "\n";
    return 2;
  }
  const Result<std::shared_ptr<FontFace>> font = findGameFont();
  if (!font) err << "lint: note: no game font found (" << font.error() << "); the characters were not checked\n";
  const std::vector<LintProblem> problems = lintScript(lines.value(), font ? font.value().get() : nullptr, utf8Block, plates);
  for (const LintProblem& p : problems) out << p.line << ": " << p.message << "\n";
  if (problems.empty()) out << path << ": no problems\n";
  else err << "lint: " << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  return problems.empty() ? 0 : 1;
}

}  // namespace shirakaba
