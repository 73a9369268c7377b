// The program's texts: taken from the game's own tables where they are shared, written
// out here where only a screen or the window holds them.
#include "tools/pack/program_texts.h"

#include <algorithm>

#include "engine/menu.h"
#include "screens/labels.h"

namespace shirakaba {
namespace {

void add(std::vector<ProgramText>& out, const std::string& context, const std::string& text, const std::string& note) {
  if (text.empty()) return;
  const bool known = std::any_of(out.begin(), out.end(),
                                 [&](const ProgramText& t) { return t.context == context && t.text == text; });
  if (!known) out.push_back({context, text, note});
}

}  // namespace

std::vector<ProgramText> programTexts() {
  std::vector<ProgramText> out;
  for (int i = 0; i < kMenuItems; ++i)
    if (!menuDef(i).separator) add(out, "program:menu", menuDef(i).caption, "A caption of the menu bar.");
  add(out, "program:menu", "効果音 OFF", "The sound effects item of the menu while they are off.");

  const std::string status = "program:status";
  for (int i = 1; i <= 6; ++i) add(out, status, TimeLabels[i], "The part of the day on the status display.");
  for (const char* mark : MarkLabels) add(out, status, mark, "How much a job trains an ability.");
  for (int i = 1; i <= 4; ++i) add(out, status, GradeLabels[i], "The grade of a job.");
  for (int i = 1; i <= 4; ++i) add(out, status, JobNames[i], "The name of a job.");
  add(out, status, "自習", "Self-study, on the status display.");

  add(out, "program:closing", "この後は本編でお楽しみ下さい", "The line of the closing screen.");
  add(out, "program:about", "白樺館  見習い日誌 体験版", "The caption of the game's window.");
  add(out, "program:about", "バージョン情報", "The title of the version box.");
  add(out, "program:about", "白樺館\n  見習い日誌 体験版", "The product name in the version box.");
  add(out, "program:about", "お読みください", "The title of the readme window.");
  add(out, "program:about", "閉じる", "The button that closes the readme window.");
  add(out, "program:start-up", "ファイルが足りません", "The message when the game data is missing.");
  add(out, "program:start-up", "テキストを読み込めませんでした", "The message when the script cannot be read again.");
  return out;
}

}  // namespace shirakaba
