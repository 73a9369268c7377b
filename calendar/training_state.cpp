// The training state as a whole: the new game, the new day, the day count and the
// stat changes with the clamp that keeps every value within 0..100.
#include "engine/form.h"

namespace shirakaba {

namespace {

constexpr int kAbilities = 4;
constexpr int32_t kStatMax = 100;

int32_t clampStat(int32_t v) { return LimitValue(kStatMax, LimitValue(0, v)); }

bool isCharacter(int c) { return c >= 1 && c <= kCharacters; }

}  // namespace

bool isTrainStep(int32_t s) {
  return (s >= 1 && s <= 5) || (s >= 8 && s <= 12) || (s >= 15 && s <= 18) || s == 20 || s == 21;
}

void TXP_Form::ResetAdv(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 0:
      a.Day = 1;
      a.Month = 1;
      a.WeekDay = 1;
      a.Place = 0;
      a.TrainStep = 16;
      a.Outcome = 0;
      a.SceneLabel = "*op";
      a.Half = 1;
      a.Area = 0;
      a.Actions = 0;
      a.Partner = 0;
      for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
      for (int k = 1; k <= kCharacters; ++k) train.CharaStat[k] = TCharaStat{};
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] = 0;
      train.Job = 0;
      train.Grade = 0;
      ResetAdv(2);
      break;
    case 1:
      a.TrainStep = 1;
      a.Outcome = 0;
      a.Half = 1;
      a.Place = 5;
      a.Actions = 0;
      a.Partner = 0;
      for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
      train.Job = 0;
      train.Grade = 0;
      break;
    case 2:
      // The first character starts at 0: the opening scene's bonus brings her to 1.
      train.CharaStat[1] = TCharaStat{0, 0, 0, 0};
      train.CharaStat[3] = TCharaStat{1, 0, 0, 0};
      train.CharaStat[2] = TCharaStat{1, 0, 0, 0};
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] = InitAbility[i];
      break;
    default: break;
  }
}

void TXP_Form::NextDay() {
  TAdv_Rec& a = train.Adv;
  a.Day = a.Day + 1;
  a.Month = a.Day / 30 + 1;
  a.WeekDay = static_cast<uint8_t>(a.Day % 7);
}

void TXP_Form::ApplyStats(int kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case 1:
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] += JobRule(1, i);
      break;
    case 2: {
      int32_t& ratingB = train.CharaStat[1].RatingB;
      switch (train.Grade) {
        case 1: ratingB += 2; break;
        case 2: ratingB += 1; break;
        case 4: ratingB -= 1; break;
        default: break;
      }
      a.Outcome = DrawGrade(1);
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] += JobRule(3, i);
      break;
    }
    case 4: {
      const int n = scene.SceneNo;
      if (n < 1 || n > kEvents) return;
      const TEvent_Rec& row = EventTable[n];
      if (row.Chara == 0) return;  // no character: nothing changes, not even the clamp
      if (isCharacter(row.Chara)) train.CharaStat[row.Chara].Affection += row.Bonus;
      break;
    }
    case 6:
      if (isCharacter(a.Partner)) {
        TCharaStat& s = train.CharaStat[a.Partner];
        if (btn.SelectedBtn == 2) s.RatingB += 1;
        if (btn.SelectedBtn == 3) s.RatingC += 1;
        // Actions already counts this conversation: +2, +1, then nothing.
        s.Affection += 3 - static_cast<int32_t>(a.Actions);
      }
      break;
    case 7:
      if (btn.SelectedBtn >= 1 && btn.SelectedBtn <= 3) train.Ability[btn.SelectedBtn] += 1;
      if (isCharacter(a.Partner)) train.CharaStat[a.Partner].Affection += 1;
      break;
    case 8: {
      const int best = JobRule(2, 0);
      if (best >= 1 && best <= kAbilities) train.Ability[best] += 1;
      break;
    }
    default: return;
  }
  for (int i = 1; i <= kAbilities; ++i) train.Ability[i] = clampStat(train.Ability[i]);
  for (int k = 1; k <= kCharacters; ++k) {
    TCharaStat& s = train.CharaStat[k];
    s.Affection = clampStat(s.Affection);
    s.RatingB = clampStat(s.RatingB);
    s.RatingC = clampStat(s.RatingC);
    s.Reserve = clampStat(s.Reserve);
  }
}

}  // namespace shirakaba
