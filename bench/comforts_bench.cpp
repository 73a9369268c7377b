// The player's aids on the demo data: taking a rollback point (done at every click),
// one rollback step at the closing screen of the last day, the memory the last 200
// points take, and skipping the opening scene in virtual time.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "comforts/comforts.h"
#include "support/whole_game.h"

using namespace shirakaba;

namespace {

struct AidedGame {
  GameCore game;
  Comforts aids;
  AidedGame() : game(test::demoSetup()), aids(game) { game.start(); }
  void run(const Command& c) {
    switch (c.kind) {
      case CommandKind::Click:
        aids.press(c.button, c.x, c.y);
        aids.release(c.button, c.x, c.y);
        break;
      case CommandKind::Settle:
        while (game.busy()) game.fireNext(game.now() + kSettleLimitMs);
        break;
      case CommandKind::Wait: game.advanceTo(game.now() + c.ms); break;
      case CommandKind::Menu: aids.menuCommand(c.item); break;
      default: break;
    }
    aids.react();
  }
};

// The whole game played through the aids up to its closing screen: every click of
// the last days is in the history.
std::unique_ptr<AidedGame> atClosingScreen(benchmark::State& state) {
  if (test::demoDir().empty()) {
    state.SkipWithError("cannot draw the demo data");
    return nullptr;
  }
  auto g = std::make_unique<AidedGame>();
  for (const Command& c : test::replayCommands("whole_game.replay")) {
    g->run(c);
    if (g->game.describe({})["GameMode"] == 7 && !g->game.busy()) break;
  }
  return g;
}

void BM_TakeRollbackPoint(benchmark::State& state) {
  auto g = atClosingScreen(state);
  if (!g) return;
  Rollback history;
  for (auto _ : state) history.record(g->game);
}
BENCHMARK(BM_TakeRollbackPoint)->Unit(benchmark::kMillisecond);

// One step back and one forward again, at the closing screen of the last day.
void BM_RollbackStepAtTheClosingScreen(benchmark::State& state) {
  auto g = atClosingScreen(state);
  if (!g) return;
  state.counters["points"] = static_cast<double>(g->aids.rollback().points());
  state.counters["MiB_kept"] = static_cast<double>(g->aids.rollback().bytes()) / (1 << 20);
  for (auto _ : state) {
    g->aids.rollBack(1);
    g->aids.rollForward();
  }
  state.SetItemsProcessed(state.iterations() * 2);  // steps
}
BENCHMARK(BM_RollbackStepAtTheClosingScreen)->Unit(benchmark::kMillisecond);

// Skipping the opening scene from its first page to its first decision.
void BM_SkipTheOpeningScene(benchmark::State& state) {
  if (test::demoDir().empty()) return state.SkipWithError("cannot draw the demo data");
  for (auto _ : state) {
    state.PauseTiming();
    AidedGame g;
    g.game.advanceTo(2500);
    g.aids.press(MouseButton::Left, 300, 286);
    g.aids.release(MouseButton::Left, 300, 286);
    while (g.game.busy()) g.game.fireNext(g.game.now() + kSettleLimitMs);
    g.aids.setSkip(SkipMode::All);
    state.ResumeTiming();
    g.aids.advance(g.game.now() + kSettleLimitMs);
  }
}
BENCHMARK(BM_SkipTheOpeningScene)->Unit(benchmark::kMillisecond);

}  // namespace
