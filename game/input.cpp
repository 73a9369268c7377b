// The mouse on the screen: a left press becomes the number of the region under the
// pointer for the current screen (the mode table's hit test), the release acts on
// what the press picked, and pointer moves light up the title buttons.
#include "game/game.h"
#include "game/mode_table.h"

namespace shirakaba {

void Game::mouseDown(MouseButton b, int x, int y) {
  if (state.shell.closed || engine.modalOpen() || !state.surfaces.imageBaVisible) return;
  ImageBaMouseDown(b, x, y);
}

void Game::mouseUp(MouseButton b, int x, int y) {
  if (state.shell.closed || engine.modalOpen() || !state.surfaces.imageBaVisible) return;
  ImageBaMouseUp(b, x, y);
}

void Game::mouseMove(int x, int y) {
  if (state.shell.closed || engine.modalOpen() || !state.surfaces.imageBaVisible) return;
  ImageBaMouseMove(x, y);
}

int Game::HitTest(int x, int y) const {
  const ModeRoutines* r = routinesOf(state.shell.GameMode);
  return r && r->hit ? r->hit(*this, x, y) : 0;
}

void Game::ImageBaMouseDown(MouseButton b, int x, int y) {
  if (b != MouseButton::Left || engine.Cha_Timer.Enabled()) return;
  ButtonState& btn = state.btn;
  btn.PressedBtn = 0;
  btn.SelectedBtn = 0;
  const ModeRoutines* r = routinesOf(state.shell.GameMode);
  if (!r || !r->press) return;
  btn.PressedBtn = HitTest(x, y);
  r->press(*this);
}

void Game::ImageBaMouseUp(MouseButton b, int x, int y) {
  if (b != MouseButton::Left || engine.Cha_Timer.Enabled()) return;
  if (state.shell.GameMode == GameMode::Logo) return;
  // The release acts on what the press picked, wherever the pointer is now.
  const ModeRoutines* r = routinesOf(state.shell.GameMode);
  if (r && r->release) r->release(*this);
  state.btn.PressedBtn = 0;
}

void Game::ImageBaMouseMove(int x, int y) {
  if (x < 1 || x > kScreenW || y < 1 || y > kScreenH) return;
  if (engine.Cha_Timer.Enabled() || engine.J_Timer.Enabled()) return;
  if (state.btn.PressedBtn > 0 || state.shell.GameMode != GameMode::Title) return;
  screens.TitleMenu(TitleStep::Show);  // every live button back to normal
  int n = HitTest(x, y);
  if (n < 1 || n > 14 || state.btn.ButtonOn[n] == 0) n = 0;
  if (n > 0) engine.DrawBtn(Look::Hover, n, Target::Screen);
}

}  // namespace shirakaba
