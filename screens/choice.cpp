// The two-way choice inside a script scene. The script block after the command
// holds the two choice texts and then the value of each choice.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/form.h"
#include "engine/layouts.h"
#include "screens/live.h"

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

void TXP_Form::ChoiceMenu(int step) {
  auto writeChoice = [this](int k) {
    const Rect slot = SlotRect(k - 1, ChoiceLayout);
    TextOut(draw, kToScreen, slot.left, slot.top, Script.at(scene.ScriptPos + k - 1));
  };
  switch (step) {
    case 1:
      if (Text_Timer.Enabled()) Text_Timer.setEnabled(false);  // the page prompt stops
      DarkenWindow();
      SetTextFont(draw, 0, 12, kWhite);
      ClearButtons();
      train.Adv.Outcome = 0;
      for (int k = 1; k <= ChoiceLayout.Cols; ++k) {
        btn.ButtonOn[k] = 1;
        writeChoice(k);
      }
      break;
    case 2:
      if (btn.PressedBtn == 0) return;
      if (!isLive(btn, btn.PressedBtn)) {
        btn.PressedBtn = 0;
        return;
      }
      PlaySE(1);
      SetTextFont(draw, 2, 12, kBlack);  // black on a white band
      writeChoice(btn.PressedBtn);
      break;
    case 3: {
      if (btn.PressedBtn == 0) return;
      const int k = btn.PressedBtn;
      train.Adv.Outcome = k;
      std::string& label = train.Adv.SceneLabel;
      if (label.empty()) {
        SetMode(4);  // back to the calendar; the value lines are not read
        return;
      }
      ChoiceMenu(4);
      label += "_" + std::to_string(k);
      scene.ScriptPos = 0;
      SetMode(6);
      break;
    }
    case 4: {
      const int k = btn.PressedBtn;
      const int32_t v = valueOfLine(Script.at(scene.ScriptPos + k + 1));
      const int n = scene.SceneNo;
      if (n < 1 || n > kEvents) return;
      const int c = EventTable[n].Chara;
      if (c < 1 || c > kCharacters) return;  // an event without a character
      train.CharaStat[c].RatingB = addSaturated(train.CharaStat[c].RatingB, v);
      break;
    }
    default: break;
  }
}

}  // namespace shirakaba
