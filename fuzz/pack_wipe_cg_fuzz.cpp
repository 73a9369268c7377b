// The wipe and the CG display on the pictures of a hostile pack: every step of the
// wipe through the weight strip, and CGs shown, panned for a bounded number of ticks
// and ended. The input is the one of pack_pictures_fuzz (pieces cut at "#PIC" for
// pictures 0..11, 120 and 121). Nothing may crash or read out of bounds, the surfaces
// keep their size, and a CG never stays loaded after it ends.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

// CG 1 pans right, CG 2 up, CG 3 stands still and links to CG 1; all read picture 121.
const CGRec kPanningCGs[kCGs + 1] = {
    {0, 0, 0, 0, ""},          {1, 0, 8, 0, "a.bmp"}, {1, 0, 0, -8, "b.bmp"}, {1, 1, 0, 0, "c.bmp"},
    {1, 0, -8, 8, "d.bmp"},    {1, 0, 0, 0, "e.bmp"}, {1, 0, 0, 0, "f.bmp"},  {1, 0, 0, 0, "g.bmp"},
};

void requireScreens(const fuzz::FuzzGame& g) {
  for (const Bitmap* b : {&g.back(), &g.screen()}) {
    require(b->width == kScreenW && b->height == kScreenH && b->is32());
    require(b->pixels.size() == static_cast<size_t>(b->stride) * b->height);
  }
}

// ---- Driving the game: the wipe's steps and a CG's display, tick by tick ----
void wipe(Game& g) {
  for (int t = 0; t <= 21; ++t) g.engine.WipeStep(t);
}

// Pans CG n for a bounded number of ticks, then ends it.
void panCG(Game& g, int n) {
  Engine& e = g.engine;
  g.state.scene.CGNo = static_cast<uint8_t>(n);
  g.state.shell.GameMode = GameMode::CGDisplay;
  e.ShowCG();
  for (int i = 0; i < 48 && g.state.shell.GameMode == GameMode::CGDisplay; ++i) e.CG_TimerTimer();
  if (g.state.shell.GameMode == GameMode::CGDisplay) e.EndCG();
  e.Cha_Timer.setEnabled(false);
  require(g.state.surfaces.ImageCG.empty());
}
// ----

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::FuzzGame g(kPanningCGs);
  g.start(fuzz::hostilePicturePack(data, size));
  wipe(g.game);
  requireScreens(g);
  for (int n = 1; n <= 4; ++n) panCG(g.game, n);
  requireScreens(g);
  return 0;
}
