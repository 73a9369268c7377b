// The seven CGs: event pictures that may be larger than the screen and pan.
#pragma once
#include <cstdint>
#include <string>

namespace shirakaba {

struct CGRec {
  int32_t PicNo;     // CG picture n: pack picture 120 + n
  int32_t LinkedCG;  // drawn instead of the rest view when the display ends; 0 none
  int32_t StepX, StepY;  // pixels per CG_Timer tick; both 0: no pan
  const char* FileName;  // the name the script uses
};

constexpr int kCGs = 7;
// Rows 1..7; row 0 is unused. The game passes this table; tests pass their own.
extern const CGRec GameCGTable[kCGs + 1];

}  // namespace shirakaba
