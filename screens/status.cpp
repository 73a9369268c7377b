// The trainee's progress as labels (time of day, marks, grades, stars), the panels
// that write them at fixed places, the job arithmetic, and the status screen.
#include <algorithm>
#include <string>

#include "engine/form.h"
#include "engine/layouts.h"
#include "screens/labels.h"
#include "screens/live.h"

namespace shirakaba {

namespace {

constexpr int kAbilities = 4;
constexpr int kReturnItem = 3;  // the status screen's only live button

// The gain of a job as shown: " 0", "-1", "+2".
std::string gainText(int32_t g) {
  if (g == 0) return " 0";
  if (g < 0) return std::to_string(g);
  return "+" + std::to_string(g);
}

// Of equal highest values the one with the highest number wins.
template <typename Value>
int highestIndex(int count, Value value) {
  int best = 1;
  for (int i = 2; i <= count; ++i)
    if (value(i) >= value(best)) best = i;
  return best;
}

}  // namespace

int32_t LimitValue(int32_t l, int32_t v) { return l == 0 ? std::max(v, 0) : std::min(v, l); }

int TXP_Form::TimeSlotOf(int32_t step) const {
  const TAdv_Rec& a = train.Adv;
  switch (step) {
    case 1: return 1;
    case 15:
    case 18: return 3;
    case 10:
    case 19: return a.Area == 2 ? 3 : 5;
    case 8:
    case 11:
    case 17: return 5;
    case 9:
    case 16: return 6;
    default: return a.Half == 1 ? 2 : 4;
  }
}

std::string TXP_Form::AbilityText(int i) const {
  const int32_t v = i >= 1 && i <= kAbilities ? train.Ability[i] : 0;
  const std::string digits = std::to_string(v);
  return v >= 0 && v <= 9 ? " " + digits : digits;
}

std::string TXP_Form::StarText(int kind, int k) const {
  const TCharaStat none;
  const TCharaStat& c = k >= 1 && k <= kCharacters ? train.CharaStat[k] : none;
  if (kind == 1) {
    static const char* const rows[] = {"○",      "☆",        "★",        "★☆",         "★★",        "★★☆",
                                       "★★★", "★★★☆", "★★★★", "★★★★☆"};
    const int32_t v = c.Affection;
    // Five points a half star; anything outside 0..49 takes the last row.
    return v >= 0 && v <= 49 ? rows[v / 5] : "★★★★★";
  }
  if (kind == 2 || kind == 3) {
    static const char* const rows[] = {"○", "☆", "☆☆", "☆☆☆", "☆☆☆☆"};
    const int32_t v = kind == 2 ? c.RatingB : c.RatingC;
    const int step = kind == 2 && k == 1 ? 3 : 2;  // character 1's rating fills more slowly
    if (v == 0) return rows[0];
    if (v >= 1 && v <= 4 * step) return rows[(v - 1) / step + 1];
    return "☆☆☆☆☆";
  }
  return "-";
}

int32_t TXP_Form::JobRule(int kind, int i) const {
  const int job = train.Job;
  auto weight = [job](int a) {
    return job >= 1 && job <= 4 && a >= 1 && a <= kAbilities ? JobSkillTable[job][a] : 0;
  };
  switch (kind) {
    case 0: return weight(i);
    case 1: {
      const int32_t w = weight(i);
      if (train.Grade == 4) return -1;          // "不可" costs every ability a point
      if (train.Grade == 3) return w == 1 ? 0 : w;  // "可" keeps only the main weight
      return w;
    }
    case 2: return highestIndex(kAbilities, [this](int a) { return train.Ability[a]; });
    case 3:
      switch (train.Adv.Outcome) {
        case 1: return weight(i) == 2 ? 2 : 0;
        case 2: return weight(i) == 2 ? 1 : 0;
        case 4: return i == 4 ? 1 : 0;
        case 5: return i >= 1 && i <= kAbilities ? 1 : 0;
        default: return 0;
      }
    case 4: return highestIndex(kCharacters, [this](int k) { return train.CharaStat[k].Affection; });
    default: return 0;
  }
}

void TXP_Form::StatusPanel(int view) {
  const TAdv_Rec& a = train.Adv;
  auto jobName = [this] {
    SetTextFont(draw, 0, 16, kWhite);
    TextOut(draw, kToScreen, 100, 100, JobName(train.Job));
  };
  switch (view) {
    case 0:  // the time panel of the calendar screens
      SetTextFont(draw, 0, 12, kWhite);
      BlendPic(draw, 6, 7, pic::TimePanel, pic::TimePanelMask, draw.BackBuffer);
      DrawNum2(draw, 11, 13, a.Day, kToBack);
      TextOut(draw, kToBack, 106, 17, TimeLabel(TimeSlotOf(a.TrainStep)));
      break;
    case 2:  // the status screen; the time label keeps the font the hint text left
      DrawNum2(draw, 104, 196, a.Day, kToScreen);
      TextOut(draw, kToScreen, 199, 202, TimeLabel(TimeSlotOf(a.TrainStep)));
      for (int i = 1; i <= kAbilities; ++i) {
        SetTextFont(draw, 0, 14, kWhite);
        TextOut(draw, kToScreen, 220, 251 + 20 * (i - 1), AbilityText(i));
      }
      break;
    case 3:  // the job preview
      jobName();
      SetTextFont(draw, 0, 14, kWhite);
      for (int i = 1; i <= kAbilities; ++i) TextOut(draw, kToScreen, 210, 125 + 20 * i, MarkLabel(JobRule(0, i)));
      break;
    case 4:  // the job result; no grade yet writes no grade label
      jobName();
      SetTextFont(draw, 0, 14, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, kToScreen, 210, 125 + 20 * i, gainText(JobRule(1, i) + JobRule(3, i)));
      SetTextFont(draw, 0, 14, kWhite);
      TextOut(draw, kToScreen, 210, 100, GradeLabel(train.Grade));
      break;
    case 5: {  // self-study: the highest ability gains
      const int best = JobRule(2, 0);
      SetTextFont(draw, 0, 16, kWhite);
      TextOut(draw, kToScreen, 100, 100, "自習");
      SetTextFont(draw, 0, 14, kWhite);
      for (int i = 1; i <= kAbilities; ++i)
        TextOut(draw, kToScreen, 180, 125 + 20 * i, AbilityText(i) + (i == best ? " + 1" : ""));
      break;
    }
    case 6:  // relations: three rows of stars per character
      SetTextFont(draw, 0, 14, kWhite);
      for (int k = 1; k <= kCharacters; ++k) {
        const int y = 116 + 87 * (k - 1);
        for (int kind = 1; kind <= 3; ++kind) TextOut(draw, kToScreen, 155, y + 19 * (kind - 1), StarText(kind, k));
      }
      break;
    default: break;
  }
}

void TXP_Form::StatusScreen(int step) {
  int& pressed = btn.PressedBtn;
  switch (step) {
    case 0:
      DrawBackground("夜春未", kToBack);
      PlaceSprite(2, "春未", kToBack);
      BlendPic(draw, 322, 70, pic::StatusPlate, pic::StatusPlateMask, draw.BackBuffer);
      ClearButtons();
      BlendPic(draw, 84, 182, pic::StatusTable, pic::StatusTableMask, draw.BackBuffer);
      break;
    case 1:
      ShadeRect(draw, 1, MesRect);
      HintText();
      StatusPanel(2);
      btn.ButtonOn[kReturnItem] = 1;
      DrawModeBtn(0, kReturnItem, kToScreen);
      break;
    case 2:
      if (pressed == 0) return;
      if (!isLive(btn, pressed)) {
        pressed = 0;
        PlaySE(4);  // items 1 and 2 are never live
        return;
      }
      PlaySE(1);
      DrawModeBtn(1, pressed, kToScreen);
      break;
    case 3:
      if (pressed == kReturnItem) SetMode(4);
      break;
    default: break;
  }
}

}  // namespace shirakaba
