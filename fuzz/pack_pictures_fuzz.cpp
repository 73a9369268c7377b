// Pictures of a hostile pack through every routine that draws them. The input is cut
// at "#PIC" into pieces that land at the offsets of pictures 0..11, 120 and 121 of a
// sparse pack; the rest of the pack reads as zeros. Nothing may crash or read out of
// bounds, the surfaces keep their size, and a picture that does not decode draws nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/form.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

constexpr int kTargets[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 120, 121};

// CG 1 pans right, CG 2 up, CG 3 stands still and links to CG 1; all read picture 121.
const CGRec kPanningCGs[kCGs + 1] = {
    {0, 0, 0, 0, ""},          {1, 0, 8, 0, "a.bmp"}, {1, 0, 0, -8, "b.bmp"}, {1, 1, 0, 0, "c.bmp"},
    {1, 0, -8, 8, "d.bmp"},    {1, 0, 0, 0, "e.bmp"}, {1, 0, 0, 0, "f.bmp"},  {1, 0, 0, 0, "g.bmp"},
};

bool same(const Bitmap& a, const Bitmap& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

void requireScreens(const TXP_Form& f) {
  for (const Bitmap* b : {&f.draw.BackBuffer, &f.draw.ImageBa}) {
    require(b->width == kScreenW && b->height == kScreenH && b->is32());
    require(b->pixels.size() == static_cast<size_t>(b->stride) * b->height);
  }
}

// A picture that does not decode leaves both surfaces as they were.
void drawChecked(TXP_Form& f, int x, int y, int pic, uint8_t target) {
  if (f.draw.pack.readPicture(pic).ok()) {
    DrawPic(f.draw, x, y, pic, target);
    return;
  }
  const Bitmap before = f.draw.target(target);
  DrawPic(f.draw, x, y, pic, target);
  require(same(before, f.draw.target(target)));
}

// Pans a CG for a bounded number of ticks, then ends it.
void panCG(TXP_Form& f, int n) {
  f.scene.CGNo = static_cast<uint8_t>(n);
  f.GameMode = 5;
  f.ShowCG();
  for (int i = 0; i < 48 && f.GameMode == 5; ++i) f.CG_TimerTimer();
  if (f.GameMode == 5) f.EndCG();
  f.Cha_Timer.setEnabled(false);
  require(f.draw.ImageCG.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string script = "*op\n";
  const auto parts = fuzz::splitAt(data, size, "#PIC", std::size(kTargets));
  std::vector<fuzz::Piece> pieces;
  for (size_t i = 0; i < parts.size(); ++i)
    pieces.push_back({PackOffsets[kTargets[i]], parts[i].first, parts[i].second});
  pieces.push_back({ScriptOffset, reinterpret_cast<const uint8_t*>(script.data()), script.size()});
  fuzz::writeSparsePack(ScriptOffset + static_cast<int64_t>(script.size()), pieces);

  NullHost host;
  TXP_Form f(host, FormConfig{fuzz::gameDir(), kPanningCGs});
  f.FormCreate();
  requireScreens(f);

  for (int pic : kTargets) {
    drawChecked(f, 0, 0, pic, kToBack);
    drawChecked(f, 170, 220, pic, kToScreen);
    drawChecked(f, -37, -5, pic, kToBack);
    drawChecked(f, 630, 475, pic, kToScreen);
    if (pic == 1 || pic == 121) StretchPic(f.draw, pic, kToBack);  // full screen, scaled: the costly one
    CopyPicRect(f.draw, Rect{0, 0, 59, 22}, Rect{10, 10, 69, 32}, pic, kToScreen);
    CopyPicRect(f.draw, Rect{-20, -20, 700, 30}, Rect{600, 470, 1320, 520}, pic, kToBack);
    CopyPicRect(f.draw, Rect{5, 5, 7, 6}, Rect{0, 0, 64, 48}, pic, kToBack);  // scaled up
    TransPicRect(f.draw, Rect{21, 0, 42, 21}, Rect{100, 100, 121, 121}, pic, kToScreen);
    TransPicRect(f.draw, Rect{-5, -5, 700, 4}, Rect{-10, 470, 690, 490}, pic, kToBack);
  }
  requireScreens(f);

  // Pictures through masks, the masks being whatever the input made them.
  BlendPic(f.draw, 6, 7, 10, 11, f.draw.BackBuffer);
  BlendPic(f.draw, 0, 0, 1, 2, f.draw.BackBuffer);
  BlendPic(f.draw, -3, 400, 2, 1, f.draw.ImageBa);
  BlendPic(f.draw, 600, -100, 120, 121, f.draw.BackBuffer);
  BlendPic(f.draw, 0, 280, 4, 0, f.draw.ImageBa);
  ShadeRect(f.draw, 1, MesRect);
  for (int v : {-5, 0, 7, 42, 150}) DrawNum2(f.draw, 11, 13, v, kToBack);
  requireScreens(f);

  // The screens that draw these pictures.
  f.TitleMenu(0);
  f.TitleMenu(1);
  f.GalleryScreen(0);
  f.SceneListScreen(0);
  f.StatusPanel(0);
  f.EndScreen(0);
  f.EndScreen(1);
  for (int t = 0; t <= 21; ++t) f.WipeStep(t);
  requireScreens(f);

  // CGs: loaded into ImageCG, drawn on the BackBuffer, panned and ended.
  if (LoadCG(f.draw, 1, 1)) require(f.draw.pack.readPicture(121).ok());
  f.draw.ImageCG.clear();
  LoadCG(f.draw, 1, 2);
  require(!LoadCG(f.draw, 0, 1) || f.draw.pack.readPicture(120).ok());
  require(!LoadCG(f.draw, 8, 1));
  f.draw.ImageCG.clear();
  for (int n = 1; n <= 4; ++n) panCG(f, n);
  requireScreens(f);
  f.FormClose();
  return 0;
}
