// The lint's width check: every text a player reads, and every translation of a
// program text the game draws on its screen, measured in the game's font as translate
// measures it.
#include "engine/own_texts.h"
#include "tools/pack/lint_internal.h"
#include "tools/pack/po.h"
#include "tools/pack/program_texts.h"
#include "tools/pack/script_texts.h"

namespace shirakaba::lint {

void checkWidths(const std::vector<std::string>& lines, FontFace& font, const Plates& plates, bool utf8Block,
                 Report& r) {
  for (const ScriptText& t : playerTexts(lines))
    if (const std::string over = overflowOf(font, lines[static_cast<size_t>(t.index)], t.room()); !over.empty())
      r.add(t.index, "the text " + over);
  if (!utf8Block) return;  // the game reads no own-text lines there
  const std::vector<ProgramText> program = programTexts(plates);
  for (int i = 0; i < ownTextRegionEnd(lines); ++i) {
    const std::string& line = lines[static_cast<size_t>(i)];
    if (!looksLikeOwnTextLine(line)) continue;
    const Result<OwnTextLine> own = parseOwnTextLine(line);
    const ProgramText* t = own ? findProgramText(program, own->context, own->original) : nullptr;
    if (!t) continue;  // checkOwnTexts says why
    if (const std::string over = overflowOf(font, own->translation, t->room); !over.empty())
      r.add(i, "the translation of " + quotedForMessage(own->original) + " " + over);
  }
}

}  // namespace shirakaba::lint
