// The script interpreter: finding a scene, the definitions that give names their
// numbers, and one step of a scene, which runs the command at the cursor.
#include <string>

#include "engine/form.h"
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

std::string TXP_Form::GetSceneLabel() const {
  if (!train.Adv.SceneLabel.empty()) return train.Adv.SceneLabel;
  return "*e_" + std::to_string(scene.SceneNo);
}

int TXP_Form::FindScene() const { return Script.indexOf(GetSceneLabel()) + 1; }

int32_t TXP_Form::ScriptInt(const std::string& name) const {
  std::string value;
  int32_t n = 0;
  if (!Script.valueOf(name, value) || !parseScriptInt(value, n)) return 0;
  return n;
}

int32_t TXP_Form::CommandAt(int index) const {
  const std::string& line = Script.at(index);
  return isCommandLine(line) ? ScriptInt(lineName(line)) : 0;
}

int TXP_Form::FindCG(const std::string& text) const {
  for (int n = 1; n <= kCGs; ++n) {
    const char* name = CGTable(n).FileName;
    if (name && text == name) return n;
  }
  return 0;
}

void TXP_Form::DrawBackground(const std::string& name, uint8_t target) {
  const int32_t n = ScriptInt(name);
  int pic = pic::Backdrop;
  if (n != 0 && !pictureIndex(int64_t{n} + pic::BackgroundBase, pic)) return;
  DrawPic(draw, 0, 0, pic, target);
}

void TXP_Form::PlaceSprite(int slot, const std::string& name, uint8_t target) {
  if (slot < 0 || slot > 7) return;
  const int32_t n = ScriptInt(name);
  int pic = 0, mask = 0;
  if (!pictureIndex(int64_t{n} + pic::SpriteBase, pic) || !pictureIndex(int64_t{n} + pic::SpriteMaskBase, mask))
    return;
  BlendPic(draw, SpriteSlots[slot].x, SpriteSlots[slot].y, pic, mask, draw.target(target));
}

// End of a scene (commands 3, 5 and 12): the event line, if any, goes to the story
// events while ScriptPos still points at it, so they can read the wait line after it.
static void endScene(TXP_Form& f, int eventKind) {
  const std::string& eventLine = f.Script.at(f.scene.ScriptPos);
  if (!eventLine.empty()) f.EventScript(eventKind, "*" + eventLine);
  f.scene.ScriptPos = 0;
  f.scene.SceneNo = 0;
  f.train.Adv.SceneLabel.clear();
  f.scene.WindowBaked = 0;
}

void TXP_Form::RunCommand(int command) {
  if (CG_Timer.Tag == 1) return;  // a CG replay from the viewer owns the screen
  bool first = false;
  if (command == kNoCommand) {
    if (scene.ScriptPos > 0) return;
    scene.WindowBaked = 0;
    scene.ScriptPos = FindScene();
    command = CommandAt(scene.ScriptPos);
    first = true;
  }
  ++scene.ScriptPos;
  const std::string argument = lineValue(Script.at(scene.ScriptPos - 1));

  switch (command) {
    case 1:
      DrawBackground(argument, kToBack);
      break;
    case 2: {
      const int n = FindCG(argument);
      scene.CGNo = static_cast<uint8_t>(n);
      if (n == 0) {
        StretchPic(draw, pic::Backdrop, kToBack);
      } else {
        UpdateRecord(3);
        GameMode = 5;
        if (first) ShowCG();
      }
      break;
    }
    case 3:
    case 12:
      endScene(*this, command == 12 ? 1 : 0);
      GameMode = scene.TestMode == 1 ? 100 : 4;
      break;
    case 4:
      train.Adv.SceneLabel = Script.at(scene.ScriptPos);
      scene.ScriptPos = 0;
      scene.WindowBaked = 0;
      GameMode = 7;
      break;
    case 5:
      endScene(*this, 0);
      FollowScene();
      if (train.Adv.SceneLabel.empty()) GameMode = 4;
      if (scene.TestMode == 1) GameMode = 100;
      break;
    case 6:
      PlaceSprite(0, argument, kToBack);
      break;
    case 7:
    case 8:
      PlaceSprite(2, argument, kToBack);
      ++scene.ScriptPos;
      PlaceSprite(3, lineValue(Script.at(scene.ScriptPos - 1)), kToBack);
      break;
    case 9:
      ShowFace(0, argument);  // the face page is shown at once, without a transition
      return;
    case 11:
      GameMode = 12;
      ChoiceMenu(1);  // the choice is drawn at once and waits for a click
      return;
    default:  // 10, 0 and undefined numbers do nothing but the transition
      break;
  }
  if (!first) {
    scene.WindowBaked = 0;
    ArmTick(0);
  }
}

}  // namespace shirakaba
