// The story events: fourteen constant rows and the state kept for each.
#pragma once
#include <cstdint>
#include <string>

#include "calendar/training_state.h"

namespace shirakaba {

struct TEvent_Rec {
  TrainStep OnStep;    // TrainStep in which the event may start; None: any
  TrainStep NextStep;  // TrainStep set when it starts; None: unchanged
  uint8_t Chara;       // character 1..3, or 0
  int32_t EventPlace;  // place code required in walk steps
  int32_t Bonus;       // added to Chara's Affection when it starts
  const char* Label;   // label of the event's scene
  uint8_t InitState;   // EventState at a new game
  uint8_t Kind;        // arming kind; job events: job + 5
};

constexpr int kEvents = 14;
// Rows 1..14; row 0 is unused.
extern const TEvent_Rec EventTable[kEvents + 1];

// Row number 1..14 of the label (exact, case-sensitive), 0 when none.
int FindEvent(const std::string& label);

// The story events' state, reset by every new game.
struct EventStateRec {
  int32_t EventState[kEvents + 1] = {};  // [0..14]; [0] always 0
  int32_t EventWait[kEvents + 1] = {};   // [1..14]
  bool operator==(const EventStateRec&) const = default;
};

}  // namespace shirakaba
