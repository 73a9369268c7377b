#include "game/game.h"

#include "game/mode_table.h"

namespace shirakaba {

Game::Game(Host& host, EngineConfig config)
    : engine(state, std::move(config), host, *this),
      rules(state.train, state.events, state.scene, state.btn, state.shell, state.random),
      story(engine, rules, state.train, state.events, state.scene, state.btn, state.shell),
      calendar(engine, rules, story, state.train, state.shell, state.btn, state.scene, state.shown),
      screens(engine, calendar, state.train, state.shell, state.btn, state.scene, state.record) {}

// ---- The whole game as a value ----

namespace {

template <typename F>
void forEachTimer(FormTimers& t, F f) {
  for (TimerState* s : {&t.Cha_Timer, &t.CG_Timer, &t.J_Timer, &t.Ani_Timer, &t.Text_Timer}) f(*s);
}

}  // namespace

GameState Game::snapshot() const {
  GameState s = state;
  const int64_t now = engine.clock.now();
  forEachTimer(s.timers, [now](TimerState& t) { t.due -= now; });
  return s;
}

void Game::restore(const GameState& snapshot) {
  state = snapshot;
  const int64_t now = engine.clock.now();
  forEachTimer(state.timers, [now](TimerState& t) { t.due += now; });
}

// ---- What the engine asks of the game ----

void Game::composeMode(GameMode mode) {
  const ModeRoutines* r = routinesOf(mode);
  if (r && r->compose) r->compose(*this);
}

void Game::showMode(GameMode mode) {
  const ModeRoutines* r = routinesOf(mode);
  if (r && r->show) r->show(*this);
}

void Game::resetTraining() { rules.ResetAdv(AdvReset::NewGame); }

void Game::resetEvents() { story.ResetEvents(); }

void Game::markEventDone(int32_t sceneNo) {
  if (sceneNo >= 1 && sceneNo <= kEvents) state.events.EventState[sceneNo] = 3;
}

void Game::eventLineReached(const std::string& eventLabel, bool armNow) {
  story.EventScript(armNow ? 1 : 0, eventLabel);
}

void Game::followScene() { calendar.FollowScene(); }

void Game::showChoice() { screens.ChoiceMenu(ChoiceStep::Show); }

void Game::jobTimerTick() { calendar.J_TimerTimer(); }

}  // namespace shirakaba
