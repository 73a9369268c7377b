// The lint's check of the own-text lines that carry translations of the program's texts.
#include <set>

#include "engine/own_texts.h"
#include "tools/pack/lint_internal.h"
#include "tools/pack/program_texts.h"

namespace shirakaba::lint {

void checkOwnTexts(const std::vector<std::string>& lines, bool utf8Block, Report& r) {
  std::set<std::pair<std::string, std::string>> seen;
  const int end = ownTextRegionEnd(lines);
  for (int i = 0; i < end; ++i) {
    const std::string& line = lines[static_cast<size_t>(i)];
    if (!looksLikeOwnTextLine(line)) continue;
    if (!utf8Block) {
      r.add(i, "own-text line in a script that is not UTF-8: the game reads these only from a script that begins "
               "with the UTF-8 byte-order mark");
      continue;
    }
    const Result<OwnTextLine> t = parseOwnTextLine(line);
    if (!t) {
      r.add(i, "own-text line the game skips: " + t.error());
      continue;
    }
    if (!isProgramText(t->context, t->original))
      r.add(i, "own-text line for \"" + t->original + "\" under " + t->context +
                   ", which is no text of the program (see the program: entries of shirakaba-pack strings)");
    else if (!seen.emplace(t->context, t->original).second)
      r.add(i, "own-text line for \"" + t->original + "\" under " + t->context +
                   " again: the first one counts");
  }
}

}  // namespace shirakaba::lint
