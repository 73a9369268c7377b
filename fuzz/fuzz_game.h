// ==== Driving the game ====
// The one place where the fuzz targets make the game on a pack, start it, click it,
// run it in virtual time and read where it stands. (The picture-screen and CG targets
// also call a few of the game's routines directly, each in a section marked
// "Driving the game".)
//
// The game is made once per target and set back to its started state for every
// input: the state is one value, so restoring the state taken right after start-up
// and reading the new pack's script is exactly a fresh start, only without two new
// 640 x 480 surfaces per input (fresh memory is most of what an input would cost).
#pragma once
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "game/game.h"

namespace shirakaba::fuzz {

class FuzzGame {
 public:
  // No game folder: the sounds and the readme are missing, as a pack alone has none.
  explicit FuzzGame(const CGRec* cgTable = GameCGTable)
      : game(host_, EngineConfig{"/nonexistent/shirakaba-fuzz", cgTable}) {}

  Game game;

  // A new start on this pack, as at program start.
  void start(PackFile pack) {
    Engine& e = game.engine;
    e.draw.pack = std::move(pack);
    if (!started_) {
      e.FormCreate();  // a pack in memory always exists, so the start-up does not depend on it
      started_ = game.snapshot();
      return;
    }
    game.restore(*started_);
    (void)LoadScript(e.draw.pack, e.Script);
  }
  // Goes on from a point reached earlier with another pack whose pictures were the
  // same, where nothing yet depended on the script: the state restored, the script
  // read from this pack.
  void resume(PackFile pack, const GameState& point) {
    Engine& e = game.engine;
    e.draw.pack = std::move(pack);
    game.restore(point);
    (void)LoadScript(e.draw.pack, e.Script);
  }
  void close() { game.engine.FormClose(); }

  void advanceTo(int64_t t) { game.engine.clock.advanceTo(t); }
  int64_t now() const { return game.engine.clock.now(); }
  // Runs the timers until no transition, pan or job animation is under way, or until
  // `enough` says so (at most `limit` ticks).
  void settle(const std::function<bool()>& enough = {}, int limit = 3000) {
    const Engine& e = game.engine;
    for (int i = 0; i < limit; ++i) {
      if (!e.Cha_Timer.Enabled() && !e.CG_Timer.Enabled() && !e.J_Timer.Enabled()) return;
      if (enough && enough()) return;
      if (!game.engine.clock.fireNext(INT64_MAX)) return;
    }
  }
  void click(int x, int y, const std::function<bool()>& enough = {}) {
    game.mouseDown(MouseButton::Left, x, y);
    game.mouseUp(MouseButton::Left, x, y);
    settle(enough);
  }
  // A menu item's handler, whatever the item's state.
  void menu(MenuId id) {
    game.engine.callHandler(id);
    settle();
  }

  GameMode mode() const { return game.state.shell.GameMode; }
  int scriptPos() const { return game.state.scene.ScriptPos; }
  const Bitmap& screen() const { return game.state.surfaces.ImageBa; }
  const Bitmap& back() const { return game.state.surfaces.BackBuffer; }

 private:
  NullHost host_;
  std::optional<GameState> started_;
};

}  // namespace shirakaba::fuzz
