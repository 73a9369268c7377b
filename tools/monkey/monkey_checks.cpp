#include "tools/monkey/monkey_checks.h"

#include <sstream>
#include <utility>

#include "tools/monkey/monkey.h"

namespace shirakaba::monkey {

namespace {

constexpr int32_t kModes[] = {0, 1, 2, 4, 5, 6, 7, 8, 10, 11, 12, 13, 100};
constexpr int32_t kCalendarSteps[] = {1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 15, 16, 17, 18, 20, 21};

bool isMode(int32_t m) {
  for (int32_t k : kModes)
    if (k == m) return true;
  return false;
}

bool inRange(int32_t v) { return v >= 0 && v <= 100; }

}  // namespace

std::string brokenInvariant(const Game& g) {
  std::ostringstream why;
  const GameState& s = g.state;
  const int32_t mode = toInt(s.shell.GameMode);
  if (!isMode(mode)) {
    why << "GameMode " << mode << " is not a screen of the game";
    return why.str();
  }
  const TAdv_Rec& a = s.train.Adv;
  const int32_t step = toInt(a.TrainStep);
  // Before the first new game the training state is still all zero.
  if (!isTrainStep(step) && !(step == 0 && a.Day == 0)) {
    why << "TrainStep " << step << " is not a step of the day (Day " << a.Day << ")";
    return why.str();
  }
  if (g.engine.Cha_Timer.Enabled() && g.engine.CG_Timer.Enabled()) return "Cha_Timer and CG_Timer are both enabled";
  if (s.shell.GameMode == GameMode::Calendar && !g.engine.Cha_Timer.Enabled()) {
    for (int i = 1; i <= 4; ++i)
      if (!inRange(s.train.Ability[i])) {
        why << "calendar shown with Ability[" << i << "] = " << s.train.Ability[i];
        return why.str();
      }
    for (int k = 1; k <= kCharacters; ++k) {
      const TCharaStat& c = s.train.CharaStat[k];
      const int32_t values[4] = {c.Affection, c.RatingB, c.RatingC, c.Reserve};
      const char* names[4] = {"Affection", "RatingB", "RatingC", "Reserve"};
      for (int v = 0; v < 4; ++v)
        if (!inRange(values[v])) {
          why << "calendar shown with CharaStat[" << k << "]." << names[v] << " = " << values[v];
          return why.str();
        }
    }
  }
  return {};
}

bool newGameStarted(const Game& g) {
  const GameState& s = g.state;
  return (s.shell.GameMode == GameMode::Scene && s.scene.SceneLabel == "*op") ||
         (s.shell.GameMode == GameMode::Calendar && s.train.Adv.Day == 1);
}

std::string stateSummary(const Game& g) {
  std::ostringstream s;
  const GameState& st = g.state;
  const TAdv_Rec& a = st.train.Adv;
  s << "GameMode " << toInt(st.shell.GameMode) << ", TrainStep " << toInt(a.TrainStep) << ", Day " << a.Day;
  if (!st.scene.SceneLabel.empty()) s << ", SceneLabel " << st.scene.SceneLabel;
  s << ", ScriptPos " << st.scene.ScriptPos;
  if (g.engine.Cha_Timer.Enabled()) s << ", Cha_Timer on";
  if (g.engine.CG_Timer.Enabled()) s << ", CG_Timer on";
  if (g.engine.J_Timer.Enabled()) s << ", J_Timer on";
  if (st.shell.dialog != DialogKind::None) s << ", dialog open";
  if (st.shell.closed) s << ", closed";
  return s.str();
}

std::vector<std::string> coverageGaps(const MonkeyReport& r) {
  std::vector<std::string> gaps;
  for (int32_t step : kCalendarSteps)
    if (!r.coverage.count({4, step})) gaps.push_back("calendar step " + std::to_string(step));
  for (int32_t m : kModes) {
    bool seen = false;
    for (const auto& [pair, n] : r.coverage) seen = seen || pair.first == m;
    if (!seen) gaps.push_back("GameMode " + std::to_string(m));
  }
  return gaps;
}

std::string coverageText(const MonkeyReport& r) {
  std::ostringstream s;
  s << r.coverage.size() << " distinct (GameMode, TrainStep) pairs:";
  int32_t mode = INT32_MIN;
  for (const auto& [pair, n] : r.coverage) {
    if (pair.first != mode) {
      mode = pair.first;
      s << "\n  GameMode " << mode << ": ";
    } else {
      s << ", ";
    }
    s << "step " << pair.second << " x" << n;
  }
  const std::vector<std::string> gaps = coverageGaps(r);
  s << "\n  not reached: ";
  if (gaps.empty()) s << "none";
  for (size_t i = 0; i < gaps.size(); ++i) s << (i ? ", " : "") << gaps[i];
  if (!r.saves.empty()) {
    s << "\n  saves and loads: ";
    bool first = true;
    for (const auto& [kind, n] : r.saves) s << (std::exchange(first, false) ? "" : ", ") << kind << " x" << n;
  }
  return s.str();
}

}  // namespace shirakaba::monkey
