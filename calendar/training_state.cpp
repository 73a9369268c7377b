// The training state as a whole: the new game, the new day, the day count, the
// stat changes with the clamp that keeps every value within 0..100, and the job
// arithmetic behind them.
#include "calendar/training_state.h"

#include <algorithm>

#include "calendar/status_labels.h"
#include "calendar/training_rules.h"

namespace shirakaba {

namespace {

constexpr int32_t kStatMax = 100;

int32_t clampStat(int32_t v) { return LimitValue(kStatMax, LimitValue(0, v)); }

bool isCharacter(int c) { return c >= 1 && c <= kCharacters; }

// Of equal highest values the one with the highest number wins.
template <typename Value>
int highestIndex(int count, Value value) {
  int best = 1;
  for (int i = 2; i <= count; ++i)
    if (value(i) >= value(best)) best = i;
  return best;
}

}  // namespace

bool isTrainStep(int32_t s) {
  return (s >= 1 && s <= 5) || (s >= 8 && s <= 12) || (s >= 15 && s <= 18) || s == 20 || s == 21;
}

int32_t LimitValue(int32_t l, int32_t v) { return l == 0 ? std::max(v, 0) : std::min(v, l); }

void NextDay(TrainingState& train) {
  TAdv_Rec& a = train.Adv;
  a.Day = a.Day + 1;
  a.Month = a.Day / 30 + 1;
  a.WeekDay = static_cast<uint8_t>(a.Day % 7);
}

int32_t JobRule(const TrainingState& train, JobRuleKind kind, int i) {
  const int job = train.Job;
  auto weight = [job](int a) {
    return job >= 1 && job <= 4 && a >= 1 && a <= kAbilities ? JobSkillTable[job][a] : 0;
  };
  switch (kind) {
    case JobRuleKind::Weight: return weight(i);
    case JobRuleKind::GradedGain: {
      const int32_t w = weight(i);
      if (train.Grade == 4) return -1;              // "不可" costs every ability a point
      if (train.Grade == 3) return w == 1 ? 0 : w;  // "可" keeps only the main weight
      return w;
    }
    case JobRuleKind::BestAbility: return highestIndex(kAbilities, [&train](int a) { return train.Ability[a]; });
    case JobRuleKind::OutcomeBonus:
      switch (train.Adv.Outcome) {
        case 1: return weight(i) == 2 ? 2 : 0;
        case 2: return weight(i) == 2 ? 1 : 0;
        case 4: return i == 4 ? 1 : 0;
        case 5: return i >= 1 && i <= kAbilities ? 1 : 0;
        default: return 0;
      }
    case JobRuleKind::BestLiked:
      return highestIndex(kCharacters, [&train](int k) { return train.CharaStat[k].Affection; });
  }
  return 0;
}

TrainingRules::TrainingRules(TrainingState& t, EventStateRec& ev, SceneState& sc, const ButtonState& b,
                             const ShellState& sh, RandomSource& r)
    : train(t), events(ev), scene(sc), btn(b), shell(sh), random(r) {}

void TrainingRules::ResetAdv(AdvReset kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case AdvReset::NewGame:
      a.Day = 1;
      a.Month = 1;
      a.WeekDay = 1;
      a.Place = 0;
      a.TrainStep = TrainStep::LateEvening;
      a.Outcome = 0;
      scene.SceneLabel = "*op";
      a.Half = 1;
      a.Area = 0;
      a.Actions = 0;
      a.Partner = 0;
      for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
      for (int k = 1; k <= kCharacters; ++k) train.CharaStat[k] = TCharaStat{};
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] = 0;
      train.Job = 0;
      train.Grade = 0;
      ResetAdv(AdvReset::Values);
      break;
    case AdvReset::NewDay:
      a.TrainStep = TrainStep::Morning;
      a.Outcome = 0;
      a.Half = 1;
      a.Place = 5;
      a.Actions = 0;
      a.Partner = 0;
      for (int k = 1; k <= kCharacters; ++k) a.Met[k] = 0;
      train.Job = 0;
      train.Grade = 0;
      break;
    case AdvReset::Values:
      // The first character starts at 0: the opening scene's bonus brings her to 1.
      train.CharaStat[1] = TCharaStat{0, 0, 0, 0};
      train.CharaStat[3] = TCharaStat{1, 0, 0, 0};
      train.CharaStat[2] = TCharaStat{1, 0, 0, 0};
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] = InitAbility[i];
      break;
  }
}

void TrainingRules::ApplyStats(Stats kind) {
  TAdv_Rec& a = train.Adv;
  switch (kind) {
    case Stats::JobGain:
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] += JobRule(train, JobRuleKind::GradedGain, i);
      break;
    case Stats::JobEnd: {
      int32_t& ratingB = train.CharaStat[1].RatingB;
      switch (train.Grade) {
        case 1: ratingB += 2; break;
        case 2: ratingB += 1; break;
        case 4: ratingB -= 1; break;
        default: break;
      }
      a.Outcome = DrawGrade(GradeDraw::Rescue);
      for (int i = 1; i <= kAbilities; ++i) train.Ability[i] += JobRule(train, JobRuleKind::OutcomeBonus, i);
      break;
    }
    case Stats::EventStart: {
      const int n = scene.SceneNo;
      if (n < 1 || n > kEvents) return;
      const TEvent_Rec& row = EventTable[n];
      if (row.Chara == 0) return;  // no character: nothing changes, not even the clamp
      if (isCharacter(row.Chara)) train.CharaStat[row.Chara].Affection += row.Bonus;
      break;
    }
    case Stats::EveningTalk:
      if (isCharacter(a.Partner)) {
        TCharaStat& s = train.CharaStat[a.Partner];
        if (btn.SelectedBtn == 2) s.RatingB += 1;
        if (btn.SelectedBtn == 3) s.RatingC += 1;
        // Actions already counts this conversation: +2, +1, then nothing.
        s.Affection += 3 - static_cast<int32_t>(a.Actions);
      }
      break;
    case Stats::LunchTalk:
      if (btn.SelectedBtn >= 1 && btn.SelectedBtn <= 3) train.Ability[btn.SelectedBtn] += 1;
      if (isCharacter(a.Partner)) train.CharaStat[a.Partner].Affection += 1;
      break;
    case Stats::SelfStudy: {
      const int best = JobRule(train, JobRuleKind::BestAbility, 0);
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
