// The two-way choice inside a script scene. The script block after the command
// holds the two choice texts and then the value of each choice.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/layouts.h"
#include "engine/live.h"
#include "screens/screens.h"

namespace shirakaba {

namespace {

// A value line that is not a number adds nothing.
int32_t valueOfLine(const std::string& line) {
  int32_t v = 0;
  return parseScriptInt(line, v) ? v : 0;
}

// Choice values are not limited here; the next stat change brings them into range.
// Only the 32-bit overflow of repeated choices is kept out.
int32_t addSaturated(int32_t a, int32_t b) {
  const int64_t s = int64_t(a) + b;
  return static_cast<int32_t>(std::clamp<int64_t>(s, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

void Screens::ChoiceMenu(ChoiceStep step) {
  auto writeChoice = [this](int k) {
    const Rect slot = SlotRect(k - 1, ChoiceLayout);
    TextOut(draw, Target::Screen, slot.left, slot.top, e.Script.at(scene.ScriptPos + k - 1));
  };
  switch (step) {
    case ChoiceStep::Show:
      if (e.Text_Timer.Enabled()) e.Text_Timer.setEnabled(false);  // the page prompt stops
      e.DarkenWindow();
      SetTextFont(draw, TextBrush::Clear, 12, kWhite);
      e.ClearButtons();
      train.Adv.Outcome = 0;
      for (int k = 1; k <= ChoiceLayout.Cols; ++k) {
        btn.ButtonOn[k] = 1;
        writeChoice(k);
      }
      break;
    case ChoiceStep::Press:
      if (btn.PressedBtn == 0) return;
      if (!isLive(btn, btn.PressedBtn)) {
        btn.PressedBtn = 0;
        return;
      }
      e.PlaySE(Sound::Accept);
      SetTextFont(draw, TextBrush::WhiteOnScreen, 12, kBlack);  // black on a white band
      writeChoice(btn.PressedBtn);
      break;
    case ChoiceStep::Release: {
      if (btn.PressedBtn == 0) return;
      const int k = btn.PressedBtn;
      train.Adv.Outcome = k;
      std::string& label = scene.SceneLabel;
      if (label.empty()) {
        e.SetMode(GameMode::Calendar);  // back to the calendar; the value lines are not read
        return;
      }
      ChoiceMenu(ChoiceStep::AddValue);
      label += "_" + std::to_string(k);
      scene.ScriptPos = 0;
      e.SetMode(GameMode::Scene);
      break;
    }
    case ChoiceStep::AddValue: {
      const int k = btn.PressedBtn;
      const int32_t v = valueOfLine(e.Script.at(scene.ScriptPos + k + 1));
      const int n = scene.SceneNo;
      if (n < 1 || n > kEvents) return;
      const int c = EventTable[n].Chara;
      if (c < 1 || c > kCharacters) return;  // an event without a character
      train.CharaStat[c].RatingB = addSaturated(train.CharaStat[c].RatingB, v);
      break;
    }
  }
}

}  // namespace shirakaba
