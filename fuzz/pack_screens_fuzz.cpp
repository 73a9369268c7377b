// The screens of the game composed from the pictures of a hostile pack: the title,
// the gallery, the scene list, the status panel and the ending. The input is the one
// of pack_pictures_fuzz (pieces cut at "#PIC" for pictures 0..11, 120 and 121).
// Nothing may crash or read out of bounds, and the surfaces keep their size.
#include <cstdint>
#include <cstdlib>

#include "calendar/status_panel.h"
#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_pack.h"

using namespace shirakaba;

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

void requireScreens(const fuzz::FuzzGame& g) {
  for (const Bitmap* b : {&g.back(), &g.screen()}) {
    require(b->width == kScreenW && b->height == kScreenH && b->is32());
    require(b->pixels.size() == static_cast<size_t>(b->stride) * b->height);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::FuzzGame g;
  g.start(fuzz::hostilePicturePack(data, size));
  requireScreens(g);

  // ---- Driving the game: each screen drawn once by its own routine ----
  Screens& s = g.game.screens;
  s.TitleMenu(TitleStep::Compose);
  s.TitleMenu(TitleStep::Show);
  s.GalleryScreen(GalleryStep::Compose);
  s.SceneListScreen(SceneListStep::Compose);
  StatusPanel(g.game.engine.draw, g.game.engine.ownTexts, g.game.state.train, StatusView::TimePanel);
  s.EndScreen(EndStep::Compose);
  s.EndScreen(EndStep::Show);
  // ----

  requireScreens(g);
  return 0;
}
