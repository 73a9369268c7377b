// The state of one play-through of the calendar.
#pragma once
#include <cstdint>
#include <string>

namespace shirakaba {

struct TAdv_Rec {
  int32_t Day = 0;
  int32_t Month = 0;
  uint8_t WeekDay = 0;
  uint8_t Place = 0;      // place code of the trainee (PlaceCodes)
  int32_t TrainStep = 0;  // step of the calendar day
  int32_t Outcome = 0;    // outcome of the job just done, or the choice taken
  std::string SceneLabel; // label of the next scene; empty: "*e_" + SceneNo
  uint8_t Half = 0;       // 1 morning job, 2 afternoon job
  uint8_t Area = 0;       // 0 corridor at night, 1 outside at night, 2 outside at lunch
  uint8_t Actions = 0;    // evening activities done today
  uint8_t Partner = 0;    // character being talked to
  int32_t Met[4] = {};    // [1..3]: met this evening
};

struct TCharaStat {
  int32_t Affection = 0, RatingB = 0, RatingC = 0, Reserve = 0;
};

// Characters: 1 鏡子, 2 鈴菜, 3 麻由.
constexpr int kCharacters = 3;
constexpr int32_t InitAbility[5] = {0, 0, 0, 0, 0};  // [1..4]

// TrainStep values that are ever set.
bool isTrainStep(int32_t step);

}  // namespace shirakaba
