// The left-to-right wipe, CG display and CG panning.
#include "engine/engine.h"

namespace shirakaba {

const CGRec& Engine::CGTable(int n) const { return config.cgTable[n >= 1 && n <= kCGs ? n : 0]; }

// Step t copies column t of 32 pixels and blends the next 32 through the weight strip.
void Engine::WipeStep(int t) {
  Bitmap& back = draw.BackBuffer;
  if (t >= 1 && t <= 20) {
    const Rect column{32 * (t - 1), 0, 32 * t, 480};
    copyRect(back, column, draw.ImageBa, column);
  }
  // The soft edge: the next 32 columns blended through the weight strip.
  Bitmap strip;
  auto m = draw.pack.readPicture(pic::WipeStrip);
  if (!m.ok()) return;
  const Bitmap& weights = m.value();
  strip = Bitmap::create32(weights.width, weights.height);
  copyRect(back, Rect{32 * t, 0, 32 * t + 32, 480}, strip, StripRect);
  MaskBlend(draw.ImageBa, Point{32 * t, 0}, strip, weights);
}

namespace {

// The part of the CG shown at the current pan position, and where it goes.
void cgBand(const Bitmap& cg, int panX, int panY, Rect& src, Rect& dst) {
  if (cg.width >= 640) {
    src = {panX, panY, panX + 640, panY + 480};
    dst = ScreenRect;
  } else {
    src = {panX, panY, panX + 600, panY + 480};
    dst = NarrowRect;
  }
}

}  // namespace

void Engine::ShowCG() {
  DrawPic(draw, 0, 0, pic::Backdrop, Target::Back);
  const CGRec& row = CGTable(scene.CGNo);
  // A CG that cannot be read is not reported (the game has no error box of its own
  // for it): ImageCG stays empty, so the display shows the backdrop and a click or
  // the end of the pan goes on with the scene as usual.
  if (!LoadCG(draw, row.PicNo, CGLoad::Hold)) draw.ImageCG.clear();
  if (row.StepX == 0 && row.StepY == 0) {
    EndCG();
    return;
  }
  const Bitmap& cg = draw.ImageCG;
  pan.PanX = 0;
  pan.PanY = 0;
  if (row.StepX < 0) pan.PanX = cg.width - 640;
  if (row.StepY < 0) pan.PanY = cg.height - 480;
  Rect src, dst;
  cgBand(cg, pan.PanX, pan.PanY, src, dst);
  copyRect(cg, src, draw.BackBuffer, dst);
}

void Engine::CG_TimerTimer() {
  const CGRec& row = CGTable(scene.CGNo);
  const Bitmap& cg = draw.ImageCG;
  Rect src, dst;
  cgBand(cg, pan.PanX, pan.PanY, src, dst);
  copyRect(cg, src, draw.ImageBa, dst);
  pan.PanX += row.StepX;
  pan.PanY += row.StepY;
  if (row.StepX != 0 && (pan.PanX <= 0 || pan.PanX > cg.width - 640))
    EndCG();
  else if (row.StepY != 0 && (pan.PanY < 0 || pan.PanY > cg.height - 480))
    EndCG();
}

void Engine::EndCG() {
  if (CG_Timer.Enabled()) CG_Timer.setEnabled(false);
  const CGRec& row = CGTable(scene.CGNo);
  if (row.LinkedCG != 0 && CG_Timer.Tag != 1) {
    LoadCG(draw, row.LinkedCG, CGLoad::ToBack);
  } else {
    const Bitmap& cg = draw.ImageCG;
    if (cg.width > 640)
      copyRect(cg, Rect{cg.width - 640, 0, cg.width, 480}, draw.BackBuffer, ScreenRect);
    else if (cg.width == 640)
      copyRect(cg, ScreenRect, draw.BackBuffer, ScreenRect);
    else
      copyRect(cg, Rect{0, 0, 600, 480}, draw.BackBuffer, NarrowRect);
  }
  draw.ImageCG.clear();
  if (row.StepX != 0 || row.StepY != 0)
    SetMode(GameMode::Scene);
  else
    shell.GameMode = GameMode::Scene;  // inside ShowCG: the running cycle wipes the BackBuffer in
}

}  // namespace shirakaba
