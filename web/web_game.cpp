#include "web/web_game.h"

#include <algorithm>
#include <cstdio>

#include "frontend/readme_text.h"
#include "web/web_json.h"

namespace shirakaba {

namespace {

GameSetup gameSetupOf(const WebSetup& s) {
  GameSetup setup;
  setup.gameDir = s.gameDir;
  setup.seed = s.seed;
  return setup;
}

// `settle` gives up after this much virtual time, as the headless mode does.
constexpr int64_t kSettleLimitMs = 10 * 60 * 1000;

}  // namespace

WebGame::WebGame(const WebSetup& setup, int64_t wall)
    : game_(gameSetupOf(setup)), aids_(game_, setup.settings), saves_(game_, setup.userDir, setup.saveReasons) {
  if (!setup.virtualTime) time_ = std::make_unique<RealTime>(game_, aids_, wall);
  game_.start();
  aids_.keepReadPagesIn(setup.userDir);
  refresh(wall);
}

void WebGame::beforeInput(int64_t wall) {
  if (time_) time_->catchUp(wall);
}

void WebGame::refresh(int64_t wall) {
  if (!game_.closed()) aids_.react();
  if (std::optional<std::string> page = aids_.takePageToCopy()) events_.push_back({{"type", "copy"}, {"text", *page}});
  if (const std::optional<std::string> problem = aids_.comforts().takeReadPagesProblem())
    events_.push_back({{"type", "readPagesProblem"}, {"text", *problem}});
  dispatchEvents(game_, *this);
  if (time_) time_->followAids(wall);
}

void WebGame::wake(int64_t wall) {
  aids_.wakeCtrl(wall);
  if (time_) time_->catchUp(wall);
  refresh(wall);
}

int64_t WebGame::sleepFrom(int64_t wall) const {
  const int64_t game = time_ ? time_->sleepFrom(wall) : -1;
  const int64_t ctrlAt = aids_.ctrlWakeAt();
  if (ctrlAt < 0) return game;
  const int64_t ctrl = std::max<int64_t>(1, ctrlAt - wall);
  return game < 0 ? ctrl : std::min(game, ctrl);
}

void WebGame::pointer(int action, MouseButton button, int x, int y, int64_t wall) {
  if (game_.closed()) return;
  beforeInput(wall);
  Comforts& input = aids_.comforts();  // each press the game takes leaves a rollback point
  if (action == 0) input.press(button, x, y);
  else if (action == 1) input.move(x, y);
  else input.release(button, x, y);
  refresh(wall);
}

void WebGame::menuCommand(MenuId id, int64_t wall) {
  if (game_.closed()) return;
  beforeInput(wall);
  if (const std::optional<SaveFile> autosave = saves_.runMenuCommand(aids_, id)) {
    const Result<void> written = saves_.writeAutosave(*autosave);
    if (written) events_.push_back({{"type", "saved"}, {"path", saves_.saveSlots()->pathOf(SaveSlot::autosave())}});
    else log("the autosave was not written: " + written.error());
  }
  refresh(wall);
}

void WebGame::waitFor(int64_t ms) {
  Comforts& c = aids_.comforts();
  if (c.active()) c.advance(game_.now() + ms);
  else game_.advanceTo(game_.now() + ms);
  refresh(0);
}

bool WebGame::settle() {
  const int64_t limit = game_.now() + kSettleLimitMs;
  Comforts& c = aids_.comforts();
  if (c.active()) c.advance(limit);
  bool rested = !c.active();
  while (rested && game_.busy() && !game_.closed()) rested = game_.fireNext(limit);
  refresh(0);
  return rested;
}

Json WebGame::takeNews() {
  Json news = {{"events", std::move(events_)}};
  events_ = Json::array();
  if (!menuSent_ || *menuSent_ != game_.menu()) {
    menuSent_ = game_.menu();
    news["menu"] = menuJson(game_.menu());
  }
  news["mark"] = aids_.skipping() ? "skip" : aids_.autoOn() ? "auto" : "";
  news["underWay"] = game_.gameUnderWay();
  news["closed"] = game_.closed();
  news["dialog"] = static_cast<int>(game_.dialog());
  return news;
}

const uint8_t* WebGame::frameIfChanged() {
  constexpr size_t kRow = kGameWidth * 4;
  const Bitmap& screen = game_.screen();
  const bool visible = game_.screenVisible() && screen.is32() && screen.width == kGameWidth &&
                       screen.height == kGameHeight && screen.stride == static_cast<int>(kRow);
  // A hidden screen is black, as the window shows it.
  static const std::vector<uint8_t> black(kRow * kGameHeight, 0);
  const std::vector<uint8_t>& now = visible ? screen.pixels : black;
  const bool first = shown_.empty();
  if (first) {
    shown_ = now;
    rgba_.assign(kRow * kGameHeight, 255);
  }
  int top = first ? 0 : kGameHeight, bottom = first ? kGameHeight : -1;
  int left = first ? 0 : kGameWidth, right = first ? kGameWidth : -1;
  if (!first) {
    for (int y = 0; y < kGameHeight; ++y) {
      const uint8_t* a = now.data() + y * kRow;
      const uint8_t* b = shown_.data() + y * kRow;
      if (std::equal(a, a + kRow, b)) continue;
      top = std::min(top, y);
      bottom = y + 1;
      int x0 = 0, x1 = kGameWidth;
      while (std::equal(a + x0 * 4, a + x0 * 4 + 4, b + x0 * 4)) ++x0;
      while (std::equal(a + x1 * 4 - 4, a + x1 * 4, b + x1 * 4 - 4)) --x1;
      left = std::min(left, x0);
      right = std::max(right, x1);
    }
    if (bottom < 0) return nullptr;
  }
  for (int y = top; y < bottom; ++y) {
    const uint8_t* from = now.data() + y * kRow + left * 4;
    uint8_t* was = shown_.data() + y * kRow + left * 4;
    uint8_t* to = rgba_.data() + y * kRow + left * 4;
    std::copy(from, from + (right - left) * 4, was);
    for (int x = left; x < right; ++x, from += 4, to += 4) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  changed_ = {left, top, right - left, bottom - top};
  return rgba_.data();
}

Result<std::string> WebGame::writeAutosave() {
  const std::optional<SaveFile> save = saves_.takeAutosave(aids_);
  if (!save) return std::string();
  const Result<void> written = saves_.writeAutosave(*save);
  if (!written) return fail(written.error());
  return saves_.saveSlots()->pathOf(SaveSlot::autosave());
}

Json WebGame::slotList(bool saving) const {
  const Result<SaveSlots> all = saves_.saveSlots();
  if (!all) return {{"error", all.error()}};
  if (const Result<void> may = saves_.mayTakeSave(); saving && !may) return {{"error", may.error()}};
  return {{"slots", slotsJson(all.value(), saving)}};
}

std::string WebGame::readmeText() const { return shirakaba::readmeText(game_.gamePath("readme.txt")); }

// ---- What the game asked for ----

void WebGame::playSound(const SoundStarted& sound) { events_.push_back({{"type", "sound"}, {"path", sound.path}}); }

void WebGame::openDialog(const DialogOpened& dialog) {
  events_.push_back({{"type", "dialog"}, {"kind", static_cast<int>(dialog.kind)}, {"text", dialog.text}});
}

void WebGame::showText(const std::string& text) { events_.push_back({{"type", "text"}, {"text", text}}); }

void WebGame::closeWindow() { events_.push_back({{"type", "close"}}); }

void WebGame::log(const std::string& line) {
  std::fprintf(stderr, "shirakaba: %s\n", line.c_str());
  events_.push_back({{"type", "log"}, {"text", line}});
}

}  // namespace shirakaba
