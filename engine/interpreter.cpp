// The script interpreter: finding a scene, the definitions that give names their
// numbers, and one step of a scene, which runs the command at the cursor.
#include <string>

#include "engine/engine.h"
#include "engine/layouts.h"

namespace shirakaba {

namespace {

// Script numbers plus a picture base may lie anywhere; only 0..127 names a picture.
bool pictureIndex(int64_t n, int& pic) {
  if (n < 0 || n >= kPictureCount) return false;
  pic = static_cast<int>(n);
  return true;
}

}  // namespace

std::string Engine::GetSceneLabel() const {
  if (!scene.SceneLabel.empty()) return scene.SceneLabel;
  return "*e_" + std::to_string(scene.SceneNo);
}

int Engine::FindScene() const { return Script.indexOf(GetSceneLabel()) + 1; }

int32_t Engine::ScriptInt(const std::string& name) const {
  std::string value;
  int32_t n = 0;
  if (!Script.valueOf(name, value) || !parseScriptInt(value, n)) return 0;
  return n;
}

ScriptCommand Engine::CommandAt(int index) const {
  const std::string& line = Script.at(index);
  return static_cast<ScriptCommand>(isCommandLine(line) ? ScriptInt(lineName(line)) : 0);
}

int Engine::FindCG(const std::string& text) const {
  for (int n = 1; n <= kCGs; ++n) {
    const char* name = CGTable(n).FileName;
    if (name && text == name) return n;
  }
  return 0;
}

void Engine::DrawBackground(const std::string& name, Target target) {
  const int32_t n = ScriptInt(name);
  int pic = pic::Backdrop;
  if (n != 0 && !pictureIndex(int64_t{n} + pic::BackgroundBase, pic)) return;
  DrawPic(draw, 0, 0, pic, target);
}

void Engine::PlaceSprite(int slot, const std::string& name, Target target) {
  if (slot < 0 || slot > 7) return;
  const int32_t n = ScriptInt(name);
  int pic = 0, mask = 0;
  if (!pictureIndex(int64_t{n} + pic::SpriteBase, pic) || !pictureIndex(int64_t{n} + pic::SpriteMaskBase, mask))
    return;
  BlendPic(draw, SpriteSlots[slot].x, SpriteSlots[slot].y, pic, mask, draw.target(target));
}

// End of a scene (commands 3, 5 and 12): the event line, if any, goes to the story
// events while ScriptPos still points at it, so they can read the wait line after it.
void Engine::endScene(bool armNow) {
  const std::string& eventLine = Script.at(scene.ScriptPos);
  if (!eventLine.empty()) hooks.eventLineReached("*" + eventLine, armNow);
  scene.ScriptPos = 0;
  scene.SceneNo = 0;
  scene.SceneLabel.clear();
  scene.WindowBaked = 0;
}

void Engine::RunCommand() {
  if (CG_Timer.Tag == 1) return;  // a CG replay from the viewer owns the screen
  if (scene.ScriptPos > 0) return;
  scene.WindowBaked = 0;
  scene.ScriptPos = FindScene();
  // The first line after the label is always run as a command; it needs no
  // transition of its own, since it runs inside the compose step of one.
  const ScriptCommand first = CommandAt(scene.ScriptPos);
  RunStep(first, /*first=*/true);
}

void Engine::RunCommand(ScriptCommand command) {
  if (CG_Timer.Tag == 1) return;
  RunStep(command, /*first=*/false);
}

void Engine::RunStep(ScriptCommand command, bool first) {
  ++scene.ScriptPos;
  const std::string argument = lineValue(Script.at(scene.ScriptPos - 1));

  switch (command) {
    case ScriptCommand::Background:
      DrawBackground(argument, Target::Back);
      break;
    case ScriptCommand::CG: {
      const int n = FindCG(argument);
      scene.CGNo = static_cast<uint8_t>(n);
      if (n == 0) {
        StretchPic(draw, pic::Backdrop, Target::Back);
      } else {
        UpdateRecord(RecordUpdate::CGShown);
        shell.GameMode = GameMode::CGDisplay;
        if (first) ShowCG();
      }
      break;
    }
    case ScriptCommand::End:
    case ScriptCommand::EndArmNow:
      endScene(command == ScriptCommand::EndArmNow);
      shell.GameMode = scene.TestMode == 1 ? GameMode::SceneList : GameMode::Calendar;
      break;
    case ScriptCommand::Closing:
      scene.SceneLabel = Script.at(scene.ScriptPos);
      scene.ScriptPos = 0;
      scene.WindowBaked = 0;
      shell.GameMode = GameMode::Closing;
      break;
    case ScriptCommand::EndFollowUp:
      endScene(false);
      hooks.followScene();
      if (scene.SceneLabel.empty()) shell.GameMode = GameMode::Calendar;
      if (scene.TestMode == 1) shell.GameMode = GameMode::SceneList;
      break;
    case ScriptCommand::Sprite:
      PlaceSprite(0, argument, Target::Back);
      break;
    case ScriptCommand::TwoSprites:
    case ScriptCommand::TwoSpritesAlt:
      PlaceSprite(2, argument, Target::Back);
      ++scene.ScriptPos;
      PlaceSprite(3, lineValue(Script.at(scene.ScriptPos - 1)), Target::Back);
      break;
    case ScriptCommand::Face:
      ShowFace(FaceWith::Page, argument);  // the face page is shown at once, without a transition
      return;
    case ScriptCommand::Choice:
      shell.GameMode = GameMode::Choice;
      hooks.showChoice();  // the choice is drawn at once and waits for a click
      return;
    default:  // 10, 0 and undefined numbers do nothing but the transition
      break;
  }
  if (!first) {
    scene.WindowBaked = 0;
    ArmTick(Tick::Start);
  }
}

}  // namespace shirakaba
