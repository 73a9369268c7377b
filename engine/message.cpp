// The message window: pages of two lines in the darkened band at the foot of the
// screen, face pages, the bobbing page prompt and the notice bar. Text goes to the
// screen only; the BackBuffer keeps the plain picture so the band can be redrawn.
#include <string>

#include "engine/engine.h"

namespace shirakaba {

namespace {

constexpr int kPageY = 420, kLinePitch = 20;
constexpr int kScriptPoints = 12;
constexpr Point kFaceAt{0, 280};
constexpr const char* kPrompt = "▼";

bool pictureIndex(int64_t n) { return n >= 0 && n < kPictureCount; }

}  // namespace

void Engine::DarkenWindow() { ShadeRect(draw, Shade::OntoScreen, MesRect); }

void Engine::NextPage(PageIndent indent) {
  if (scene.ScriptPos == 0 && scene.SceneNo > 0) scene.ScriptPos = FindScene();
  // No scene to go on with: its label is missing, or the scene ran off the end of
  // the script without an end command. The notice stays until "戻る".
  if (scene.ScriptPos <= 0 || scene.ScriptPos >= Script.count()) {
    ShowNotice(0, GetSceneLabel());
    return;
  }
  const int pos = scene.ScriptPos;
  if (isCommandLine(Script.at(pos))) {
    RunCommand(CommandAt(pos));
    return;
  }

  SetTextFont(draw, TextBrush::Clear, kScriptPoints, kWhite);
  const int x = indent == PageIndent::Plain ? PageTextX : FacePageTextX;
  DarkenWindow();
  shown.Page.clear();
  int drawn = 0;
  for (int i = 0; i < 2; ++i) {
    const std::string& line = Script.at(pos + i);
    TextOut(draw, Target::Screen, x, kPageY + kLinePitch * i, line);
    shown.Page.push_back(line);
    ++drawn;
    const int next = pos + i + 1;
    if (next >= Script.count() || isCommandLine(Script.at(next)) || Script.at(next) == kPageBreak) break;
  }
  TextPrompt(indent == PageIndent::Plain ? Prompt::Start : Prompt::StartBesideFace);
  scene.ScriptPos = pos + drawn;
  if (Script.at(scene.ScriptPos) == kPageBreak) ++scene.ScriptPos;
}

void Engine::ShowFace(FaceWith kind, const std::string& name) {
  if (scene.WindowBaked == 0) {
    copyRect(draw.BackBuffer, FaceRect, draw.ImageBa, FaceRect);
    copyRect(draw.BackBuffer, MesRect, draw.ImageBa, MesRect);
  }
  if (kind == FaceWith::Page) NextPage(PageIndent::BesideFace);
  const int32_t n = ScriptInt(name);
  const int64_t face = int64_t{n} + pic::FaceBase, mask = int64_t{n} + pic::FaceMaskBase;
  if (n > 0 && pictureIndex(face) && pictureIndex(mask))
    BlendPic(draw, kFaceAt.x, kFaceAt.y, static_cast<int>(face), static_cast<int>(mask), draw.ImageBa);
  scene.WindowBaked = static_cast<int32_t>(kind);
}

void Engine::TextPrompt(Prompt kind) {
  switch (kind) {
    case Prompt::Start:
    case Prompt::StartBesideFace:
      // Nothing is drawn yet: the first tick, one interval later, draws the prompt.
      Text_Timer.Tag = static_cast<int32_t>(kind);
      Text_Timer.setInterval(400);
      if (!Text_Timer.Enabled()) Text_Timer.setEnabled(true);
      break;
    case Prompt::Draw:
      if (scene.WindowBaked == 0)
        ShadeRect(draw, Shade::OntoScreen, PromptRect);
      else
        copyRect(draw.BackBuffer, PromptRect, draw.ImageBa, PromptRect);
      SetTextFont(draw, TextBrush::Clear, kScriptPoints, kWhite);
      TextOut(draw, Target::Screen, PromptRect.left, PromptRect.top + 5 * (Text_Timer.Tag % 2), kPrompt,
              /*announce=*/false);
      break;
    case Prompt::Bob:
      switch (Text_Timer.Tag) {
        case 0: Text_Timer.Tag = 1; break;
        case 1: Text_Timer.Tag = 0; break;
        case 4: Text_Timer.Tag = 5; break;
        case 5: Text_Timer.Tag = 4; break;
        default: Text_Timer.Tag = 0; break;
      }
      break;
  }
}

void Engine::Text_TimerTimer() {
  TextPrompt(Prompt::Draw);
  TextPrompt(Prompt::Bob);
}

void Engine::ShowNotice(int row, const std::string& text) {
  const int y = 50 + 20 * row;
  const Rect bar{50, y, 550, y + 20};
  ShadeRect(draw, Shade::OntoScreen, bar);
  ShadeRect(draw, Shade::OntoBack, bar);
  SetTextFont(draw, TextBrush::Clear, kScriptPoints, kWhite);
  TextOut(draw, Target::Screen, 60, y, text);
  TextOut(draw, Target::Back, 60, y, text);
  shown.Notice = text;
}

}  // namespace shirakaba
