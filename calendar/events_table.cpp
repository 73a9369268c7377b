#include "calendar/events.h"

namespace shirakaba {

const TEvent_Rec EventTable[kEvents + 1] = {
    {TrainStep::None, TrainStep::None, 0, 0, 0, "", 0, 0},
    {TrainStep::None, TrainStep::None, 1, 0, 1, "*op", 2, 0},
    {TrainStep::Lunch, TrainStep::None, 0, 0, 0, "*op2", 2, 0},
    {TrainStep::JobChoice, TrainStep::None, 0, 0, 0, "*end", 0, 1},
    {TrainStep::Evening, TrainStep::None, 0, 0, 1, "*harumi_1", 1, 1},
    {TrainStep::EveningWalk, TrainStep::LateEvening, 1, 4, 2, "*kyouko_1", 1, 2},
    {TrainStep::Lunch, TrainStep::JobChoice, 1, 0, 2, "*kyouko_2", 0, 5},
    {TrainStep::EveningWalk, TrainStep::LateEvening, 2, 2, 2, "*suzuna_1", 1, 2},
    {TrainStep::Lunch, TrainStep::JobChoice, 2, 0, 2, "*suzuna_2", 0, 5},
    {TrainStep::EveningWalk, TrainStep::LateEvening, 3, 3, 2, "*mayu_1", 1, 2},
    {TrainStep::EveningWalk, TrainStep::LateEvening, 3, 3, 2, "*mayu_2", 0, 2},
    {TrainStep::JobRunning, TrainStep::JobResult, 0, 0, 0, "*job_r1", 2, 6},
    {TrainStep::JobRunning, TrainStep::JobResult, 0, 0, 0, "*job_s1", 2, 7},
    {TrainStep::JobRunning, TrainStep::JobResult, 0, 0, 0, "*job_k1", 2, 8},
    {TrainStep::JobRunning, TrainStep::JobResult, 0, 0, 0, "*job_h1", 2, 9},
};

int FindEvent(const std::string& label) {
  for (int n = 1; n <= kEvents; ++n)
    if (label == EventTable[n].Label) return n;
  return 0;
}

}  // namespace shirakaba
