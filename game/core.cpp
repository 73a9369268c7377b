#include "game/core.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "calendar/status_labels.h"
#include "calendar/status_panel.h"
#include "engine/pack.h"
#include "game/game.h"
#include "game/state_codec.h"
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
  void gameStarted() override { ++gamesStarted; }
  uint64_t gamesStarted = 0;
};

}  // namespace

struct GameCore::Impl {
  EventQueue queue;
  Game game;
  mutable MenuState shownMenu;  // the menu with translated captions, made when asked
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
  Game& g = impl_->game;
  if (g.state.shell.closed) return;
  g.engine.FormClose();
  g.state.shell.closed = true;
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
const MenuState& GameCore::menu() const {
  const OwnTexts& texts = impl_->game.engine.ownTexts;
  if (texts.empty()) return impl_->game.state.menu;
  impl_->shownMenu = texts.menu(impl_->game.state.menu);
  return impl_->shownMenu;
}

namespace {

WindowTexts windowTextsOf(const OwnTexts& t) {
  return {t.text(own::About, own::WindowCaption), t.text(own::About, own::MessageTitle),
          t.text(own::About, own::AboutTitle),    t.text(own::About, own::ProductName),
          t.text(own::About, own::ReadmeTitle),   t.text(own::About, own::ReadmeClose)};
}

}  // namespace

WindowTexts GameCore::windowTexts() const { return windowTextsOf(impl_->game.engine.ownTexts); }
WindowTexts GameCore::originalWindowTexts() { return windowTextsOf(OwnTexts()); }
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

Waiting GameCore::waiting() const {
  const Game& g = impl_->game;
  if (closed() || dialog() != DialogKind::None || !screenVisible()) return Waiting::Decision;
  if (busy()) return Waiting::Busy;
  return g.state.shell.GameMode == GameMode::Scene ? Waiting::Page : Waiting::Decision;
}

uint64_t GameCore::gamesStarted() const { return impl_->queue.gamesStarted; }

int GameCore::pageKey() const { return impl_->game.state.scene.ScriptPos; }

std::vector<std::string> GameCore::pageLines() const { return impl_->game.state.shown.Page; }

std::vector<std::string> GameCore::choiceTexts() const {
  const Game& g = impl_->game;
  if (g.state.shell.GameMode != GameMode::Choice) return {};
  std::vector<std::string> texts;
  for (int k = 0; k < 2; ++k) texts.push_back(g.engine.Script.at(g.state.scene.ScriptPos + k));
  return texts;
}

std::vector<std::string> GameCore::textOnScreen() const {
  const Game& g = impl_->game;
  if (!screenVisible()) return {};
  switch (g.state.shell.GameMode) {
    case GameMode::Scene: return g.state.shown.Page;
    case GameMode::Choice: return choiceTexts();
    case GameMode::Calendar:
    case GameMode::Status: return g.state.shown.Hint;
    default: return {};
  }
}

int GameCore::choiceTaken() const { return impl_->game.state.train.Adv.Outcome; }

bool GameCore::takesPress() const {
  const Game& g = impl_->game;
  return !closed() && dialog() == DialogKind::None && screenVisible() && !g.engine.Cha_Timer.Enabled();
}

bool GameCore::takesMenuCommand(MenuId id) const {
  return !closed() && dialog() == DialogKind::None && menu().reachable(id) && menuDef(id).hasHandler;
}

bool GameCore::canSave() const { return dialog() == DialogKind::None && !closed(); }

bool GameCore::gameUnderWay() const {
  const GameMode m = impl_->game.state.shell.GameMode;
  return m != GameMode::Logo && m != GameMode::Title;
}

namespace {

bool inScene(GameMode m) { return m == GameMode::Scene || m == GameMode::CGDisplay || m == GameMode::Choice; }

// The label line at or above the script cursor: the scene it stands in.
std::string labelAbove(const ScriptLines& script, int pos) {
  for (int i = std::min(pos, script.count() - 1); i >= 0; --i) {
    const std::string& line = script.at(i);
    if (!line.empty() && line[0] == '*') return line;
  }
  return {};
}

std::string trimmed(std::string t) {
  const size_t b = t.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : t.substr(b);
}

}  // namespace

GameSummary GameCore::summary() const {
  const Game& g = impl_->game;
  GameSummary s;
  const TAdv_Rec& a = g.state.train.Adv;
  if (a.TrainStep != TrainStep::None) {
    s.day = std::clamp(a.Day, 0, 99);
    s.partOfDay = trimmed(g.engine.ownTexts.text(own::Status, TimeLabel(TimeSlotOf(g.state.train, a.TrainStep))));
  }
  if (inScene(g.state.shell.GameMode)) {
    s.scene = labelAbove(g.engine.Script, g.state.scene.ScriptPos);
    if (!g.state.shown.Page.empty()) s.pageLine = g.state.shown.Page.front();
  }
  return s;
}

Result<uint64_t> GameCore::dataIdentity() const { return packIdentity(impl_->game.engine.draw.pack); }

std::vector<uint8_t> GameCore::encodeSnapshot(const GameSnapshot& snapshot, uint32_t formatVersion) {
  return snapshot.empty() ? std::vector<uint8_t>{} : encodeState(snapshot.state(), formatVersion);
}

Result<GameSnapshot> GameCore::decodeSnapshot(std::span<const uint8_t> bytes, uint32_t formatVersion) const {
  auto state = decodeState(bytes, StateLimits{impl_->game.engine.Script.count()}, formatVersion);
  if (!state.ok()) return fail(state.error());
  return GameSnapshot(std::move(state).value());
}

Result<void> GameCore::checkSnapshot(const GameSnapshot& snapshot) const {
  if (snapshot.empty()) return fail("there is no game to keep");
  if (auto bad = stateProblem(snapshot.state(), StateLimits{impl_->game.engine.Script.count()})) return fail(*bad);
  return {};
}

void GameCore::forceRandom(int v) { impl_->game.state.random.force(v); }
void GameCore::setMode(int32_t mode) { impl_->game.engine.SetMode(static_cast<GameMode>(mode)); }

nlohmann::ordered_json GameCore::describe(const std::vector<std::string>& sounds) const {
  return describeState(impl_->game, sounds);
}

}  // namespace shirakaba
