// The hidden scene test list: the labels of the story events in columns; a click
// runs that event's scene, whose end brings the list back.
#include "engine/layouts.h"
#include "screens/screens.h"

namespace shirakaba {

namespace {

// Top-left of the place of event row i (from 1): down a column, then the next one.
Point listPlace(int i) {
  const LayoutRec& l = SceneListLayout;
  const int col = (i - 1) / l.Cols, row = (i - 1) % l.Cols;
  return {l.X + col * (l.W + l.GapX), l.Y + row * (l.H + l.GapY)};
}

}  // namespace

void Screens::SceneListScreen(SceneListStep step) {
  switch (step) {
    case SceneListStep::Compose:
      DrawPic(draw, 0, 0, pic::GalleryBack, Target::Back);
      scene.TestMode = 0;
      scene.SceneNo = 0;
      break;
    case SceneListStep::Show:
      for (int i = 1; i <= kEvents; ++i) {
        SetTextFont(draw, TextBrush::Clear, 14, kWhite);
        const Point at = listPlace(i);
        TextOut(draw, Target::Screen, at.x, at.y, EventTable[i].Label);
      }
      break;
    case SceneListStep::Press: {
      // Places without a label select nothing; no sound either way.
      if (btn.PressedBtn > kEvents || btn.PressedBtn < 0) btn.PressedBtn = 0;
      if (btn.PressedBtn == 0) {
        scene.TestMode = 0;
        scene.SceneNo = 0;
        return;
      }
      scene.SceneNo = btn.PressedBtn;
      SetTextFont(draw, TextBrush::Clear, 14, kBlack);
      const Point at = listPlace(scene.SceneNo);
      TextOut(draw, Target::Screen, at.x, at.y, EventTable[scene.SceneNo].Label);
      break;
    }
    case SceneListStep::Release:
      if (btn.PressedBtn == 0) return;
      if (scene.SceneNo < 1 || scene.SceneNo > kEvents) return;
      scene.TestMode = 1;
      scene.SceneLabel = EventTable[scene.SceneNo].Label;
      scene.ScriptPos = 0;
      e.SetMode(GameMode::Scene);
      break;
  }
}

}  // namespace shirakaba
