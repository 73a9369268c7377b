// The script lint: finds script lines the game cannot run as their writer meant,
// from the labels the calendar builds to the glyphs the game's font lacks.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/text.h"
#include "tools/pack/program_texts.h"

namespace shirakaba {

struct LintProblem {
  int line = 0;  // 1-based; 0 when the problem has no line (a missing label or definition)
  std::string message;
};

// Every problem of the script, ordered by line (those without a line first). The
// glyph and width checks are skipped when font is null. utf8Block: the script is (or
// packs into) a UTF-8 block, where the game reads own-text lines. plates: where the
// status labels' plates end in the pack (unknown for a script file).
std::vector<LintProblem> lintScript(const std::vector<std::string>& linesUtf8, FontFace* font,
                                    bool utf8Block = false, const Plates& plates = {});

// The distinct characters of the lines that the font has no glyph for, in the order
// they first occur.
std::vector<char32_t> missingGlyphs(const std::vector<std::string>& lines, FontFace& font);

// The script of a pack (its block from ScriptOffset, as the game reads it) or of a
// script text file (UTF-8, else CP932), as UTF-8 lines; an Error when it cannot be read.
// utf8Block, when given, tells whether it is (or packs into) a UTF-8 block; plates,
// where the plates of a pack end.
Result<std::vector<std::string>> readLintInput(const std::string& path, bool* utf8Block = nullptr,
                                               Plates* plates = nullptr);

// `shirakaba-pack lint PACK|SCRIPT`: one "LINE: message" per problem on out, or "PATH:
// no problems"; exit status 1 when there is any, 2 when the file cannot be read.
int packLint(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace shirakaba
