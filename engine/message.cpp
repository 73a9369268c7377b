// The message window: pages of two lines in the darkened band at the foot of the
// screen, face pages, the bobbing page prompt and the notice bar. Text goes to the
// screen only; the BackBuffer keeps the plain picture so the band can be redrawn.
#include <string>

#include "engine/form.h"

namespace shirakaba {

namespace {

constexpr int kPageX = 100, kFacePageX = 170;
constexpr int kPageY = 420, kLinePitch = 20;
constexpr int kScriptPoints = 12;
constexpr Point kFaceAt{0, 280};
constexpr const char* kPrompt = "▼";

bool pictureIndex(int64_t n) { return n >= 0 && n < kPictureCount; }

}  // namespace

void TXP_Form::DarkenWindow() { ShadeRect(draw, 1, MesRect); }

void TXP_Form::NextPage(int indent) {
  if (scene.ScriptPos == 0 && scene.SceneNo > 0) scene.ScriptPos = FindScene();
  // No scene to go on with: its label is missing, or the scene ran off the end of
  // the script without an end command. The notice stays until "戻る".
  if (scene.ScriptPos <= 0 || scene.ScriptPos >= Script.count()) {
    ShowNotice(0, GetSceneLabel());
    return;
  }
  const int pos = scene.ScriptPos;
  if (isCommandLine(Script.at(pos))) {
    const int32_t command = CommandAt(pos);
    RunCommand(command == kNoCommand ? 0 : command);  // a defined INT_MIN must not restart the scene
    return;
  }

  SetTextFont(draw, 0, kScriptPoints, kWhite);
  const int x = indent == 0 ? kPageX : kFacePageX;
  DarkenWindow();
  shown.Page.clear();
  int drawn = 0;
  for (int i = 0; i < 2; ++i) {
    const std::string& line = Script.at(pos + i);
    TextOut(draw, kToScreen, x, kPageY + kLinePitch * i, line);
    shown.Page.push_back(line);
    ++drawn;
    const int next = pos + i + 1;
    if (next >= Script.count() || isCommandLine(Script.at(next)) || Script.at(next) == kPageBreak) break;
  }
  TextPrompt(indent == 0 ? 0 : 4);
  scene.ScriptPos = pos + drawn;
  if (Script.at(scene.ScriptPos) == kPageBreak) ++scene.ScriptPos;
}

void TXP_Form::ShowFace(int kind, const std::string& name) {
  if (scene.WindowBaked == 0) {
    copyRect(draw.BackBuffer, FaceRect, draw.ImageBa, FaceRect);
    copyRect(draw.BackBuffer, MesRect, draw.ImageBa, MesRect);
  }
  if (kind == 0) NextPage(1);
  const int32_t n = ScriptInt(name);
  const int64_t face = int64_t{n} + pic::FaceBase, mask = int64_t{n} + pic::FaceMaskBase;
  if (n > 0 && pictureIndex(face) && pictureIndex(mask))
    BlendPic(draw, kFaceAt.x, kFaceAt.y, static_cast<int>(face), static_cast<int>(mask), draw.ImageBa);
  scene.WindowBaked = kind;
}

void TXP_Form::TextPrompt(int kind) {
  switch (kind) {
    case 0:
    case 4:
      // Nothing is drawn yet: the first tick, one interval later, draws the prompt.
      Text_Timer.Tag = kind;
      Text_Timer.setInterval(400);
      if (!Text_Timer.Enabled()) Text_Timer.setEnabled(true);
      break;
    case 1:
      if (scene.WindowBaked == 0)
        ShadeRect(draw, 1, PromptRect);
      else
        copyRect(draw.BackBuffer, PromptRect, draw.ImageBa, PromptRect);
      SetTextFont(draw, 0, kScriptPoints, kWhite);
      TextOut(draw, kToScreen, PromptRect.left, PromptRect.top + 5 * (Text_Timer.Tag % 2), kPrompt,
              /*announce=*/false);
      break;
    case 2:
      switch (Text_Timer.Tag) {
        case 0: Text_Timer.Tag = 1; break;
        case 1: Text_Timer.Tag = 0; break;
        case 4: Text_Timer.Tag = 5; break;
        case 5: Text_Timer.Tag = 4; break;
        default: Text_Timer.Tag = 0; break;
      }
      break;
    default:
      break;
  }
}

void TXP_Form::Text_TimerTimer() {
  TextPrompt(1);
  TextPrompt(2);
}

void TXP_Form::ShowNotice(int row, const std::string& text) {
  const int y = 50 + 20 * row;
  const Rect bar{50, y, 550, y + 20};
  ShadeRect(draw, 1, bar);
  ShadeRect(draw, 0, bar);
  SetTextFont(draw, 0, kScriptPoints, kWhite);
  TextOut(draw, kToScreen, 60, y, text);
  TextOut(draw, kToBack, 60, y, text);
  shown.Notice = text;
}

}  // namespace shirakaba
