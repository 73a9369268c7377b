// The program's texts: taken from the game's own tables where they are shared, from
// engine/own_texts.h where only a screen or the window holds them.
#include "tools/pack/program_texts.h"

#include <algorithm>

#include "base/bmp.h"
#include "calendar/status_labels.h"
#include "calendar/text_places.h"
#include "engine/layouts.h"
#include "engine/menu.h"
#include "engine/own_texts.h"
#include "engine/pack.h"

namespace shirakaba {
namespace {

// A text of one context is listed once; drawn in two places, it gets the smaller room.
void add(std::vector<ProgramText>& out, const std::string& context, const std::string& text, const std::string& note,
         const TextRoom& room = {}) {
  if (text.empty()) return;
  const auto known = std::find_if(out.begin(), out.end(),
                                  [&](const ProgramText& t) { return t.context == context && t.text == text; });
  if (known == out.end())
    out.push_back({context, text, note, room});
  else if (room.points > 0 && (known->room.points == 0 || room.pixels < known->room.pixels))
    known->room = room;
}

// The room of a label drawn at x: up to the plate's right edge, or to the screen's
// where the plate is unknown or ends before the label begins.
TextRoom onPlate(const TextPlace& place, int plateRight) {
  if (plateRight > place.at.x) return {place.points, plateRight - place.at.x, "its plate"};
  return {place.points, ScreenRect.right - place.at.x, "the screen"};
}

int rightEdge(Stream& pack, int picture, Point at) {
  if (!pack.seek(static_cast<uint64_t>(PackOffsets[static_cast<size_t>(picture)]))) return 0;
  const Result<BmpInfo> info = probeBmp(pack);
  return info ? at.x + info->width : 0;
}

}  // namespace

Plates platesOf(Stream& pack) {
  return {rightEdge(pack, pic::TimePanel, kTimePanelAt), rightEdge(pack, pic::StatusTable, kStatusTableAt),
          rightEdge(pack, pic::Panel, kPanelAt)};
}

Plates platesOf(const std::vector<uint8_t>& pack) {
  MemoryStream s(pack.data(), std::min(pack.size(), static_cast<size_t>(ScriptOffset)));
  return platesOf(s);
}

std::vector<ProgramText> programTexts(const Plates& plates) {
  std::vector<ProgramText> out;
  for (int i = 0; i < kMenuItems; ++i)
    if (!menuDef(i).separator) add(out, own::Menu, menuDef(i).caption, "A caption of the menu bar.");
  add(out, own::Menu, "効果音 OFF", "The sound effects item of the menu while they are off.");
  // The CG speed item shows "CG " and the speed chosen.
  add(out, own::Menu, "CG 早", "The CG speed item of the menu while CGs pan fast.");
  add(out, own::Menu, "CG 遅", "The CG speed item of the menu while CGs pan slowly.");

  const std::string status = own::Status;
  // The part of the day is drawn on the time panel and on the status screen's table;
  // a job's name has the room up to the grade beside it.
  const TextRoom onPanel = onPlate(kTimeLabelOnPanel, plates.timePanel);
  const TextRoom onTable = onPlate(kTimeLabelOnStatusScreen, plates.statusTable);
  const TextRoom time = onTable.pixels < onPanel.pixels ? onTable : onPanel;
  const TextRoom heading = onPlate(kJobHeading, plates.panel);
  const TextRoom beforeGrade{kJobHeading.points, kGradeLabel.at.x - kJobHeading.at.x, "the grade beside it"};
  const TextRoom jobName = beforeGrade.pixels < heading.pixels ? beforeGrade : heading;
  const TextRoom mark = onPlate({{kMarkColumnX, 0}, kMarkPoints}, plates.panel);
  for (int i = 1; i <= 6; ++i) add(out, status, TimeLabels[i], "The part of the day on the status display.", time);
  for (const char* m : MarkLabels) add(out, status, m, "How much a job trains an ability.", mark);
  for (int i = 1; i <= 4; ++i)
    add(out, status, GradeLabels[i], "The grade of a job.", onPlate(kGradeLabel, plates.panel));
  for (int i = 1; i <= 4; ++i) add(out, status, JobNames[i], "The name of a job, as a heading.", jobName);
  add(out, status, kSelfStudyLabel, "Self-study, as a heading on the status display.", heading);

  add(out, own::Closing, own::ClosingLine, "The line of the closing screen.",
      {kClosingLine.points, ScreenRect.right - kClosingLine.at.x, "the screen"});
  add(out, own::About, own::WindowCaption, "The caption of the game's window.");
  add(out, own::About, own::MessageTitle, "The title of the game's message boxes.");
  add(out, own::About, own::AboutTitle, "The title of the version box.");
  add(out, own::About, own::ProductName, "The product name in the version box.");
  add(out, own::About, own::ReadmeTitle, "The title of the readme window.");
  add(out, own::About, own::ReadmeClose, "The button that closes the readme window.");
  // The message about missing files is left out: it shows only when there is no pack.
  add(out, own::StartUp, own::ReloadFailed, "The message when the script cannot be read again.");
  for (ProgramText& t : out)
    if (t.room.points > 0) t.note += " " + describeRoom(t.room);
  return out;
}

const ProgramText* findProgramText(const std::vector<ProgramText>& texts, const std::string& context,
                                   const std::string& text) {
  const auto it = std::find_if(texts.begin(), texts.end(),
                               [&](const ProgramText& t) { return t.context == context && t.text == text; });
  return it == texts.end() ? nullptr : &*it;
}

bool isProgramText(const std::string& context, const std::string& text) {
  static const std::vector<ProgramText> all = programTexts();
  return findProgramText(all, context, text) != nullptr;
}

}  // namespace shirakaba
