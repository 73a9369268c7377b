#include "game/core.h"

#include <nlohmann/json.hpp>

#include "game/game.h"
#include "game/state_json.h"

namespace shirakaba {

static_assert(kGameWidth == kScreenW && kGameHeight == kScreenH);

namespace {

// The engine's window services, turned into events for the front end.
class EventQueue : public Host {
 public:
  std::vector<GameEvent> events;
  std::string gameDir;
  void showDialog(DialogKind kind, const std::string& text) override { events.push_back(DialogOpened{kind, text}); }
  void playSound(const std::string& file, const std::string& path) override {
    events.push_back(SoundStarted{file, path});
  }
  void closeWindow() override { events.emplace_back(std::in_place_type<WindowClosed>); }
  void textShown(const std::string& text) override { events.push_back(TextShown{text}); }
  void log(const std::string& line) override { events.push_back(LogLine{line}); }
};

}  // namespace

struct GameCore::Impl {
  EventQueue queue;
  Game game;
  explicit Impl(const GameSetup& setup) : game(queue, EngineConfig{setup.gameDir}) {
    if (setup.seed) game.state.random.seed(*setup.seed);
    if (setup.font) game.engine.draw.font = setup.font;
  }
};

GameSnapshot::GameSnapshot() = default;
GameSnapshot::~GameSnapshot() = default;
GameSnapshot::GameSnapshot(const GameSnapshot&) = default;
GameSnapshot& GameSnapshot::operator=(const GameSnapshot&) = default;
GameSnapshot::GameSnapshot(std::shared_ptr<const GameState> s) : state_(std::move(s)) {}
GameSnapshot::GameSnapshot(GameState state) : state_(std::make_shared<const GameState>(std::move(state))) {}

const GameState& GameSnapshot::state() const { return *state_; }

bool operator==(const GameSnapshot& a, const GameSnapshot& b) {
  if (!a.state_ || !b.state_) return a.state_ == b.state_;
  return *a.state_ == *b.state_;
}

GameCore::GameCore(GameSetup setup) : impl_(std::make_unique<Impl>(setup)) {}
GameCore::~GameCore() = default;

void GameCore::start() { impl_->game.engine.FormCreate(); }

void GameCore::pointerPress(MouseButton button, int x, int y) { impl_->game.mouseDown(button, x, y); }
void GameCore::pointerMove(int x, int y) { impl_->game.mouseMove(x, y); }
void GameCore::pointerRelease(MouseButton button, int x, int y) { impl_->game.mouseUp(button, x, y); }
void GameCore::menuCommand(MenuId id) { impl_->game.engine.menuClick(id); }
void GameCore::callHandler(MenuId id) { impl_->game.engine.callHandler(id); }
void GameCore::dialogClosed() { impl_->game.engine.dialogClosed(); }

void GameCore::closeWindow() {
  Engine& e = impl_->game.engine;
  if (e.shell.closed) return;
  e.FormClose();
  e.shell.closed = true;
}

int64_t GameCore::now() const { return impl_->game.engine.clock.now(); }
void GameCore::advanceTo(int64_t t) { impl_->game.engine.clock.advanceTo(t); }
bool GameCore::fireNext(int64_t until) { return impl_->game.engine.clock.fireNext(until); }
void GameCore::catchUp(int64_t wallNow) { impl_->game.engine.clock.fireDueAt(wallNow); }
int64_t GameCore::nextDue() const { return impl_->game.engine.clock.nextDue(); }

bool GameCore::busy() const {
  const Engine& e = impl_->game.engine;
  return e.Cha_Timer.Enabled() || e.CG_Timer.Enabled() || e.J_Timer.Enabled();
}

const Bitmap& GameCore::screen() const { return impl_->game.state.surfaces.ImageBa; }
bool GameCore::screenVisible() const { return impl_->game.state.surfaces.imageBaVisible; }
const MenuState& GameCore::menu() const { return impl_->game.state.menu; }
DialogKind GameCore::dialog() const { return impl_->game.state.shell.dialog; }
bool GameCore::closed() const { return impl_->game.state.shell.closed; }
std::string GameCore::gamePath(const std::string& relative) const { return impl_->game.engine.gamePath(relative); }

std::vector<GameEvent> GameCore::takeEvents() {
  std::vector<GameEvent> out;
  out.swap(impl_->queue.events);
  return out;
}

GameSnapshot GameCore::snapshot() const {
  return GameSnapshot(std::make_shared<const GameState>(impl_->game.snapshot()));
}

void GameCore::restore(const GameSnapshot& snapshot) {
  if (!snapshot.empty()) impl_->game.restore(snapshot.state());
}

void GameCore::forceRandom(int v) { impl_->game.state.random.force(v); }
void GameCore::setMode(int32_t mode) { impl_->game.engine.SetMode(static_cast<GameMode>(mode)); }

nlohmann::ordered_json GameCore::describe(const std::vector<std::string>& sounds) const {
  return describeState(impl_->game, sounds);
}

}  // namespace shirakaba
