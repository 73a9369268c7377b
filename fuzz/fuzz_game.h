// ==== Driving the game ====
// The one place where the fuzz targets make the game on a pack, start it, click it,
// run it in virtual time and read where it stands. (The picture-screen and CG targets
// also call a few of the game's routines directly, each in a section marked
// "Driving the game".) A new game per input keeps every input on its own; its two
// fresh 640 x 480 surfaces are most of what a target that makes one spends per input.
#pragma once
#include <climits>
#include <cstdint>
#include <utility>

#include "engine/form.h"

namespace shirakaba::fuzz {

struct FuzzGame {
  NullHost host;
  TXP_Form form;

  // No game folder: the sounds and the readme are missing, as a pack alone has none.
  explicit FuzzGame(PackFile pack, const CGRec* cgTable = GameCGTable)
      : form(host, FormConfig{"/nonexistent/shirakaba-fuzz", cgTable, std::move(pack)}) {}
  void start() { form.FormCreate(); }
  void close() { form.FormClose(); }

  void advanceTo(int64_t t) { form.advanceTo(t); }
  int64_t now() const { return form.clock.now(); }
  // Runs the timers until no transition, pan or job animation is under way (at most `limit` ticks).
  void settle(int limit = 3000) {
    for (int i = 0; i < limit; ++i) {
      if (!form.Cha_Timer.Enabled() && !form.CG_Timer.Enabled() && !form.J_Timer.Enabled()) return;
      if (!form.clock.fireNext(INT64_MAX)) return;
    }
  }
  void click(int x, int y) {
    form.mouseDown(MouseButton::Left, x, y);
    form.mouseUp(MouseButton::Left, x, y);
    settle();
  }
  // A menu item's handler, whatever the item's state.
  void menu(MenuId id) {
    form.callHandler(id);
    settle();
  }

  int mode() const { return form.GameMode; }
  int scriptPos() const { return form.scene.ScriptPos; }
  const Bitmap& screen() const { return form.draw.ImageBa; }
  const Bitmap& back() const { return form.draw.BackBuffer; }
};

}  // namespace shirakaba::fuzz
