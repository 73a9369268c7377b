// The calendar's screen work on the demo data: the compose step of every calendar
// step, the conversation and status screens, one wipe column, one scene page and
// one tick of the job bar. Each must stay well inside one 30 ms tick of the game.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "game/game.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

using namespace shirakaba;

namespace {

// The demo game folder, drawn once per run.
const std::string& demoDir() {
  static const std::string dir = [] {
    const std::string d = test::makeTempDir("calendar-bench");
    return runDemo(d) == 0 ? d : std::string();
  }();
  return dir;
}

// A game on the demo data with a new game's state and every story event done, so
// that no compose is replaced by an event scene.
struct DemoForm {
  NullHost host;
  Game game;
  explicit DemoForm(const std::string& dir) : game(host, EngineConfig{dir}) {
    game.engine.FormCreate();
    game.engine.Cha_Timer.setEnabled(false);
    game.engine.UpdateRecord(RecordUpdate::NewGame);
    game.rules.ResetAdv(AdvReset::NewGame);
    for (int n = 1; n <= kEvents; ++n) game.state.events.EventState[n] = 3;
    game.state.shell.GameMode = GameMode::Calendar;
  }
};

std::unique_ptr<DemoForm> makeForm(benchmark::State& state) {
  if (demoDir().empty()) {
    state.SkipWithError("cannot draw the demo data");
    return nullptr;
  }
  return std::make_unique<DemoForm>(demoDir());
}

// The state a step's compose reads.
void prepareStep(Game& g, int step) {
  GameState& s = g.state;
  TAdv_Rec& a = s.train.Adv;
  a.TrainStep = static_cast<TrainStep>(step);
  a.Day = 3;
  a.Half = step == 15 || step == 18 ? 2 : 1;
  a.Area = step == 18 ? 2 : 0;
  a.Place = step == 18 ? 7 : step == 10 ? 5 : 0;
  s.train.Job = step >= 3 && step <= 12 ? 1 : 0;
  s.train.Grade = step == 12 ? 2 : 0;
  a.Outcome = step == 12 ? 2 : 0;
  s.shell.GameMode = GameMode::Calendar;
}

void CalendarCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    prepareStep(g, step);
    g.calendar.CalendarEnter();
    benchmark::DoNotOptimize(g.state.surfaces.BackBuffer.pixels.data());
  }
  if (g.state.shell.GameMode != GameMode::Calendar) state.SkipWithError("an event took over the compose");
}
BENCHMARK(CalendarCompose)
    ->ArgName("step")
    ->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Arg(8)->Arg(9)->Arg(10)->Arg(11)->Arg(12)
    ->Arg(15)->Arg(16)->Arg(17)->Arg(18)->Arg(20)->Arg(21)
    ->Unit(benchmark::kMillisecond);

void TalkCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  const int partner = static_cast<int>(state.range(0));
  prepareStep(g, 10);
  g.state.train.Adv.Place = partner == 1 ? 4 : partner;
  g.state.shell.GameMode = GameMode::Talk;
  for (auto _ : state) {
    g.state.train.Adv.Partner = static_cast<uint8_t>(partner);
    g.state.train.Adv.Actions = 0;
    g.calendar.TalkScreen(TalkStep::Compose);
    benchmark::DoNotOptimize(g.state.surfaces.BackBuffer.pixels.data());
  }
}
BENCHMARK(TalkCompose)->ArgName("partner")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void StatusCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  prepareStep(g, 8);
  g.state.shell.GameMode = GameMode::Status;
  for (auto _ : state) {
    g.screens.StatusScreen(StatusStep::Compose);
    benchmark::DoNotOptimize(g.state.surfaces.BackBuffer.pixels.data());
  }
}
BENCHMARK(StatusCompose)->Unit(benchmark::kMillisecond);

void WipeColumn(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  prepareStep(g, 8);
  g.calendar.CalendarEnter();
  for (auto _ : state) {
    g.engine.WipeStep(10);
    benchmark::DoNotOptimize(g.state.surfaces.ImageBa.pixels.data());
  }
}
BENCHMARK(WipeColumn)->Unit(benchmark::kMillisecond);

// A two-line page of the opening scene over its background.
void ScenePage(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  int label = -1;
  for (int i = 0; i < g.engine.Script.count(); ++i)
    if (g.engine.Script.at(i) == "*op") label = i;
  if (label < 0) {
    state.SkipWithError("no opening scene in the demo script");
    return;
  }
  g.state.shell.GameMode = GameMode::Scene;
  g.state.scene.SceneNo = 1;
  g.state.scene.SceneLabel = "*op";
  g.engine.DrawBackground("夕焼け坂道", Target::Back);
  g.engine.WipeStep(20);
  const int firstText = label + 2;  // the label, the background, then the text
  for (auto _ : state) {
    g.state.scene.ScriptPos = firstText;
    g.engine.NextPage(PageIndent::Plain);
    benchmark::DoNotOptimize(g.state.surfaces.ImageBa.pixels.data());
  }
  if (g.state.shown.Page.size() != 2) state.SkipWithError("the page is not the two text lines");
}
BENCHMARK(ScenePage)->Unit(benchmark::kMillisecond);

// One segment of the job bar.
void JobBarTick(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  Game& g = d->game;
  prepareStep(g, 4);
  g.calendar.CalendarEnter();
  for (auto _ : state) {
    g.engine.J_Timer.Tag = 7;
    g.calendar.J_TimerTimer();
    benchmark::DoNotOptimize(g.state.surfaces.ImageBa.pixels.data());
  }
  if (g.engine.J_Timer.Tag != 8) state.SkipWithError("the tick did not draw segment 7");
}
BENCHMARK(JobBarTick)->Unit(benchmark::kMillisecond);

}  // namespace
