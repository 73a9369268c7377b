// The left-to-right wipe, CG display and CG panning.
#include "engine/form.h"

namespace shirakaba {

const CGRec& TXP_Form::CGTable(int n) const { return config.cgTable[n >= 1 && n <= kCGs ? n : 0]; }

void TXP_Form::WipeStep(int t) {
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

// The part of the CG shown at the current pan position, and where it goes.
static void cgBand(const Bitmap& cg, int panX, int panY, Rect& src, Rect& dst) {
  if (cg.width >= 640) {
    src = {panX, panY, panX + 640, panY + 480};
    dst = ScreenRect;
  } else {
    src = {panX, panY, panX + 600, panY + 480};
    dst = NarrowRect;
  }
}

void TXP_Form::ShowCG() {
  DrawPic(draw, 0, 0, pic::Backdrop, kToBack);
  const CGRec& row = CGTable(scene.CGNo);
  // A CG that cannot be read leaves ImageCG empty; the display then goes on with nothing to show.
  if (!LoadCG(draw, row.PicNo, 1)) draw.ImageCG.clear();
  if (row.StepX == 0 && row.StepY == 0) {
    EndCG();
    return;
  }
  const Bitmap& cg = draw.ImageCG;
  PanX = 0;
  PanY = 0;
  if (row.StepX < 0) PanX = cg.width - 640;
  if (row.StepY < 0) PanY = cg.height - 480;
  Rect src, dst;
  cgBand(cg, PanX, PanY, src, dst);
  copyRect(cg, src, draw.BackBuffer, dst);
}

void TXP_Form::CG_TimerTimer() {
  const CGRec& row = CGTable(scene.CGNo);
  const Bitmap& cg = draw.ImageCG;
  Rect src, dst;
  cgBand(cg, PanX, PanY, src, dst);
  copyRect(cg, src, draw.ImageBa, dst);
  PanX += row.StepX;
  PanY += row.StepY;
  if (row.StepX != 0 && (PanX <= 0 || PanX > cg.width - 640))
    EndCG();
  else if (row.StepY != 0 && (PanY < 0 || PanY > cg.height - 480))
    EndCG();
}

void TXP_Form::EndCG() {
  if (CG_Timer.Enabled()) CG_Timer.setEnabled(false);
  const CGRec& row = CGTable(scene.CGNo);
  if (row.LinkedCG != 0 && CG_Timer.Tag != 1) {
    LoadCG(draw, row.LinkedCG, 2);
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
    SetMode(6);
  else
    GameMode = 6;  // inside ShowCG: the running cycle wipes the BackBuffer in
}

}  // namespace shirakaba
