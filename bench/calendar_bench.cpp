// The calendar's screen work on the demo data: the compose step of every calendar
// step, the conversation and status screens, one wipe column, one scene page and
// one tick of the job bar. Each must stay well inside one 30 ms tick of the game.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/form.h"
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

// A form on the demo data with a new game's state and every story event done, so
// that no compose is replaced by an event scene.
struct DemoForm {
  NullHost host;
  TXP_Form form;
  explicit DemoForm(const std::string& dir) : form(host, FormConfig{dir}) {
    form.FormCreate();
    form.Cha_Timer.setEnabled(false);
    form.UpdateRecord(1);
    form.ResetAdv(0);
    for (int n = 1; n <= kEvents; ++n) form.events.EventState[n] = 3;
    form.GameMode = 4;
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
void prepareStep(TXP_Form& f, int step) {
  TAdv_Rec& a = f.train.Adv;
  a.TrainStep = step;
  a.Day = 3;
  a.Half = step == 15 || step == 18 ? 2 : 1;
  a.Area = step == 18 ? 2 : 0;
  a.Place = step == 18 ? 7 : step == 10 ? 5 : 0;
  f.train.Job = step >= 3 && step <= 12 ? 1 : 0;
  f.train.Grade = step == 12 ? 2 : 0;
  a.Outcome = step == 12 ? 2 : 0;
  f.GameMode = 4;
}

void CalendarCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    prepareStep(f, step);
    f.CalendarEnter();
    benchmark::DoNotOptimize(f.draw.BackBuffer.pixels.data());
  }
  if (f.GameMode != 4) state.SkipWithError("an event took over the compose");
}
BENCHMARK(CalendarCompose)
    ->ArgName("step")
    ->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Arg(8)->Arg(9)->Arg(10)->Arg(11)->Arg(12)
    ->Arg(15)->Arg(16)->Arg(17)->Arg(18)->Arg(20)->Arg(21)
    ->Unit(benchmark::kMillisecond);

void TalkCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  const int partner = static_cast<int>(state.range(0));
  prepareStep(f, 10);
  f.train.Adv.Place = partner == 1 ? 4 : partner;
  f.GameMode = 13;
  for (auto _ : state) {
    f.train.Adv.Partner = static_cast<uint8_t>(partner);
    f.train.Adv.Actions = 0;
    f.TalkScreen(0);
    benchmark::DoNotOptimize(f.draw.BackBuffer.pixels.data());
  }
}
BENCHMARK(TalkCompose)->ArgName("partner")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void StatusCompose(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  prepareStep(f, 8);
  f.GameMode = 10;
  for (auto _ : state) {
    f.StatusScreen(0);
    benchmark::DoNotOptimize(f.draw.BackBuffer.pixels.data());
  }
}
BENCHMARK(StatusCompose)->Unit(benchmark::kMillisecond);

void WipeColumn(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  prepareStep(f, 8);
  f.CalendarEnter();
  for (auto _ : state) {
    f.WipeStep(10);
    benchmark::DoNotOptimize(f.draw.ImageBa.pixels.data());
  }
}
BENCHMARK(WipeColumn)->Unit(benchmark::kMillisecond);

// A two-line page of the opening scene over its background.
void ScenePage(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  int label = -1;
  for (int i = 0; i < f.Script.count(); ++i)
    if (f.Script.at(i) == "*op") label = i;
  if (label < 0) {
    state.SkipWithError("no opening scene in the demo script");
    return;
  }
  f.GameMode = 6;
  f.scene.SceneNo = 1;
  f.train.Adv.SceneLabel = "*op";
  f.DrawBackground("夕焼け坂道", 1);
  f.WipeStep(20);
  const int firstText = label + 2;  // the label, the background, then the text
  for (auto _ : state) {
    f.scene.ScriptPos = firstText;
    f.NextPage(0);
    benchmark::DoNotOptimize(f.draw.ImageBa.pixels.data());
  }
  if (f.shown.Page.size() != 2) state.SkipWithError("the page is not the two text lines");
}
BENCHMARK(ScenePage)->Unit(benchmark::kMillisecond);

// One segment of the job bar.
void JobBarTick(benchmark::State& state) {
  auto d = makeForm(state);
  if (!d) return;
  TXP_Form& f = d->form;
  prepareStep(f, 4);
  f.CalendarEnter();
  for (auto _ : state) {
    f.J_Timer.Tag = 7;
    f.J_TimerTimer();
    benchmark::DoNotOptimize(f.draw.ImageBa.pixels.data());
  }
  if (f.J_Timer.Tag != 8) state.SkipWithError("the tick did not draw segment 7");
}
BENCHMARK(JobBarTick)->Unit(benchmark::kMillisecond);

}  // namespace
