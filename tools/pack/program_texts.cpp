// The program's texts: taken from the game's own tables where they are shared, from
// engine/own_texts.h where only a screen or the window holds them.
#include "tools/pack/program_texts.h"

#include <algorithm>

#include "engine/menu.h"
#include "engine/own_texts.h"
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
    if (!menuDef(i).separator) add(out, own::Menu, menuDef(i).caption, "A caption of the menu bar.");
  add(out, own::Menu, "効果音 OFF", "The sound effects item of the menu while they are off.");
  // The CG speed item shows "CG " and the speed chosen.
  add(out, own::Menu, "CG 早", "The CG speed item of the menu while CGs pan fast.");
  add(out, own::Menu, "CG 遅", "The CG speed item of the menu while CGs pan slowly.");

  const std::string status = own::Status;
  const std::string fixed = " Drawn at a fixed place: keep it about as wide as the original.";
  for (int i = 1; i <= 6; ++i)
    add(out, status, TimeLabels[i], "The part of the day on the status display." + fixed);
  for (const char* mark : MarkLabels) add(out, status, mark, "How much a job trains an ability." + fixed);
  for (int i = 1; i <= 4; ++i) add(out, status, GradeLabels[i], "The grade of a job." + fixed);
  for (int i = 1; i <= 4; ++i) add(out, status, JobNames[i], "The name of a job, as a heading." + fixed);
  add(out, status, kSelfStudyLabel, "Self-study, as a heading on the status display." + fixed);

  add(out, own::Closing, own::ClosingLine, "The line of the closing screen.");
  add(out, own::About, own::WindowCaption, "The caption of the game's window.");
  add(out, own::About, own::MessageTitle, "The title of the game's message boxes.");
  add(out, own::About, own::AboutTitle, "The title of the version box.");
  add(out, own::About, own::ProductName, "The product name in the version box.");
  add(out, own::About, own::ReadmeTitle, "The title of the readme window.");
  add(out, own::About, own::ReadmeClose, "The button that closes the readme window.");
  // The message about missing files is left out: it shows only when there is no pack.
  add(out, own::StartUp, own::ReloadFailed, "The message when the script cannot be read again.");
  return out;
}

bool isProgramText(const std::string& context, const std::string& text) {
  static const std::vector<ProgramText> all = programTexts();
  return std::any_of(all.begin(), all.end(),
                     [&](const ProgramText& t) { return t.context == context && t.text == text; });
}

}  // namespace shirakaba
