// The fixed label tables of the status display, shared with the calendar screens.
#pragma once
#include <cstdint>

namespace shirakaba {

// Index 1..6 (TimeSlotOf); index 0 is unused and empty.
extern const char* const TimeLabels[7];
// How much a job trains an ability, -2..2, stored at index mark + 2.
extern const char* const MarkLabels[5];
// Index 1..4 (Grade); index 0, no grade yet, is empty.
extern const char* const GradeLabels[5];
// Index 0..4 (Job); 0 is no job. Also part of the trainee's sprite names: never translated there.
extern const char* const JobNames[5];
// The status display's heading of a self-study evening.
inline constexpr const char* kSelfStudyLabel = "自習";
// Weight 0..2 of each job (rows 1..4) for each ability (columns 1..4); row and column 0 are 0.
extern const int32_t JobSkillTable[5][5];

// The entries by their own index; an index outside a table gives "".
const char* TimeLabel(int slot);
const char* MarkLabel(int mark);
const char* GradeLabel(int grade);
const char* JobName(int job);

}  // namespace shirakaba
