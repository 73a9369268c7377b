// What the save dialog shows of a slot, in the player's words: its name, the day and
// part of day, the first line of the page on the screen, when it was saved, the play
// time and the thumbnail, or why its file cannot be read.
#pragma once
#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <cstdint>
#include <string>

#include "saves/save_slots.h"

namespace shirakaba {

struct SlotView {
  enum class State { Empty, Filled, Unreadable };
  SaveSlot slot;
  State state = State::Empty;
  QString title;      // "Quick save", "Autosave", "Slot 3"
  QString day;        // "Day 3, 午前", or "Before a new game"
  QString pageLine;   // the first line of the page on the screen, or empty (a calendar screen, an older save)
  QString savedAt;    // local time, "2024-05-01 14:03"
  int64_t savedAtMs = 0;
  QString playTime;   // "1:02:03"
  QString problem;    // why the file cannot be read (Unreadable only)
  QPixmap thumbnail;  // 160 x 120; null unless Filled with a readable picture
};

// Reads the slot's description (not its game state).
SlotView describeSlot(const SaveSlots& saveSlots, SaveSlot slot);

// The texts, translatable as one context.
class SlotTexts {
  Q_DECLARE_TR_FUNCTIONS(SlotTexts)
 public:
  // As a list heading: "Quick save", "Autosave", "Slot 3".
  static QString title(SaveSlot slot);
  // Inside a sentence: "the quick slot", "the autosave", "slot 3".
  static QString inSentence(SaveSlot slot);
  // h:mm:ss, the hours unbounded; below zero counts as zero.
  static QString playTime(int64_t ms);
  static QString day(int day, const std::string& partOfDay);
  // In local time.
  static QString savedAt(int64_t msSinceEpochUtc);
};

}  // namespace shirakaba
