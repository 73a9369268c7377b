// The C functions the page's JavaScript calls (web/game.js wraps them). Times are the
// page's clock in milliseconds; texts and JSON come back as UTF-8 strings that stay
// valid until the next call that returns one.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "web/web_game.h"

using namespace shirakaba;

namespace {

std::unique_ptr<WebGame> game;
std::string reply;

const char* answer(const Json& j) {
  reply = j.dump();
  return reply.c_str();
}

const char* answer(std::string s) {
  reply = std::move(s);
  return reply.c_str();
}

int64_t ms(double wall) { return static_cast<int64_t>(wall); }

std::optional<SaveSlot> slotNamed(const char* name) { return parseSaveSlot(name ? name : ""); }

const char* saveOutcome(const Result<SaveInfo>& r, const std::string& path) {
  if (!r) return answer(Json{{"ok", false}, {"error", r.error()}});
  return answer(Json{{"ok", true}, {"path", path}});
}

std::string slotPath(SaveSlot slot) {
  const Result<SaveSlots> all = game->saves().saveSlots();
  return all ? all->pathOf(slot) : std::string();
}

// The reasons a save or load is refused, in the page's language: {"noData", "noGame",
// "empty"} ("%1" in noData: why the data cannot be read); English where one is missing.
SaveReasons saveReasonsFrom(const char* json) {
  SaveReasons reasons;
  const Json texts = Json::parse(json ? json : "", nullptr, false);
  if (!texts.is_object()) return reasons;
  for (auto [key, text] : {std::pair{"noData", &reasons.noData}, {"noGame", &reasons.noGame}, {"empty", &reasons.empty}})
    if (texts.contains(key) && texts[key].is_string()) *text = texts[key].get<std::string>();
  return reasons;
}

}  // namespace

extern "C" {

// Starts the game on the data in gameDir with the saves in userDir; seed < 0: from
// the clock; virtualTime: the clock moves only by web_wait and web_settle (tests).
EMSCRIPTEN_KEEPALIVE void web_start(const char* gameDir, const char* userDir, const char* settings,
                                    const char* saveReasons, const char* fonts, double seed, int virtualTime,
                                    double wall) {
  setenv("SHIRAKABA_FONTS", fonts, 1);
  WebSetup setup;
  setup.gameDir = gameDir;
  setup.userDir = userDir;
  setup.settings = settingsFromText(settings);
  setup.saveReasons = saveReasonsFrom(saveReasons);
  if (seed >= 0) setup.seed = static_cast<uint64_t>(seed);
  setup.virtualTime = virtualTime != 0;
  game.reset();
  game = std::make_unique<WebGame>(setup, ms(wall));
}

// ---- Input ----
// action: 0 press, 1 move, 2 release; button: 0 left, 1 right, 2 middle.
EMSCRIPTEN_KEEPALIVE void web_pointer(int action, int button, int x, int y, double wall) {
  const MouseButton b = button == 1 ? MouseButton::Right : button == 2 ? MouseButton::Middle : MouseButton::Left;
  game->pointer(action, b, x, y, ms(wall));
}

EMSCRIPTEN_KEEPALIVE void web_menu(int id, double wall) {
  if (id >= 0 && id < kMenuItems) game->menuCommand(static_cast<MenuId>(id), ms(wall));
}

EMSCRIPTEN_KEEPALIVE void web_dialog_closed(double wall) {
  game->beforeInput(ms(wall));
  game->game().dialogClosed();
  game->refresh(ms(wall));
}

// kind: 0 down, 1 up, 2 the keyboard was lost.
EMSCRIPTEN_KEEPALIVE void web_key(int kind, int ctrl, int otherModifiers, int repeat, double wall) {
  game->beforeInput(ms(wall));
  if (kind == 0) game->aids().keyPressed(ctrl, otherModifiers, repeat, ms(wall));
  else if (kind == 1) game->aids().keyReleased(ctrl, repeat);
  else game->aids().keyboardLost();
  game->refresh(ms(wall));
}

EMSCRIPTEN_KEEPALIVE void web_wheel(int delta, double wall) {
  game->beforeInput(ms(wall));
  game->aids().wheel(delta);
  game->refresh(ms(wall));
}

// The aids' commands: rollback, rollforward, skip, auto (toggles), skip-read,
// skip-all, pace-slow, pace-normal, pace-fast, copy-each-page-on/-off.
EMSCRIPTEN_KEEPALIVE int web_aid(const char* command, double wall) {
  game->beforeInput(ms(wall));
  PlayerAids& aids = game->aids();
  const std::string c = command;
  bool done = true;
  if (c == "rollback") done = aids.rollBack();
  else if (c == "rollforward") done = aids.rollForward();
  else if (c == "skip") aids.setSkipping(!aids.skipping());
  else if (c == "auto") aids.setAuto(!aids.autoOn());
  else if (c == "skip-read") aids.setSkipMode(SkipMode::Read);
  else if (c == "skip-all") aids.setSkipMode(SkipMode::All);
  else if (c == "pace-slow") aids.setAutoPace(AutoPace::Slow);
  else if (c == "pace-normal") aids.setAutoPace(AutoPace::Normal);
  else if (c == "pace-fast") aids.setAutoPace(AutoPace::Fast);
  else if (c == "copy-each-page-on") aids.setCopyEachPage(true);
  else if (c == "copy-each-page-off") aids.setCopyEachPage(false);
  else done = false;
  game->refresh(ms(wall));
  return done;
}

// ---- Time ----
EMSCRIPTEN_KEEPALIVE void web_wake(double wall) { game->wake(ms(wall)); }
EMSCRIPTEN_KEEPALIVE double web_sleep(double wall) { return static_cast<double>(game->sleepFrom(ms(wall))); }
EMSCRIPTEN_KEEPALIVE void web_wait(double ms) { game->waitFor(static_cast<int64_t>(ms)); }
EMSCRIPTEN_KEEPALIVE int web_settle() { return game->settle(); }

// ---- What the page shows ----
EMSCRIPTEN_KEEPALIVE const char* web_news() { return answer(game->takeNews()); }
EMSCRIPTEN_KEEPALIVE const uint8_t* web_frame() { return game->frameIfChanged(); }
// x, y, width, height of what web_frame last changed.
EMSCRIPTEN_KEEPALIVE const int32_t* web_frame_area() { return &game->changedArea().x; }

EMSCRIPTEN_KEEPALIVE const char* web_state() {
  Json aids = {{"skip", game->aids().skipping()},
               {"auto", game->aids().autoOn()},
               {"rollback", game->aids().comforts().rollback().points()},
               {"ahead", game->aids().comforts().rollback().pointsAhead()}};
  Json state = game->game().describe({});
  state["aids"] = aids;
  return answer(state);
}

EMSCRIPTEN_KEEPALIVE const char* web_window_texts() {
  const WindowTexts t = game->game().windowTexts();
  return answer(Json{{"caption", t.caption}, {"messageTitle", t.messageTitle}, {"aboutTitle", t.aboutTitle},
                     {"productName", t.productName}, {"readmeTitle", t.readmeTitle},
                     {"readmeClose", t.readmeClose}});
}

EMSCRIPTEN_KEEPALIVE const char* web_readme() { return answer(game->readmeText()); }
EMSCRIPTEN_KEEPALIVE const char* web_screen_text() { return answer(game->aids().comforts().screenText()); }

EMSCRIPTEN_KEEPALIVE const char* web_history() {
  Json list = Json::array();
  for (const HistoryEntry& e : game->aids().comforts().history().entries())
    list.push_back({{"lines", e.lines}, {"choice", e.choice}});
  return answer(list);
}

EMSCRIPTEN_KEEPALIVE const char* web_settings() {
  FrontSettings s;
  s.skipMode = game->aids().skipMode();
  s.autoPace = game->aids().autoPace();
  s.copyEachPage = game->aids().copiesEachPage();
  return answer(settingsToText(s));
}

// ---- Saves: {"ok": true, "path"} or {"ok": false, "error"} ----
EMSCRIPTEN_KEEPALIVE const char* web_slots(int saving) { return answer(game->slotList(saving != 0)); }

EMSCRIPTEN_KEEPALIVE const char* web_save(const char* name, double wall) {
  const std::optional<SaveSlot> slot = slotNamed(name);
  if (!slot) return saveOutcome(fail("there is no such slot"), "");
  game->beforeInput(ms(wall));
  const Result<SaveInfo> saved = game->saves().save(*slot, game->aids().comforts().history().entries());
  game->refresh(ms(wall));
  return saveOutcome(saved, slotPath(*slot));
}

EMSCRIPTEN_KEEPALIVE const char* web_load(const char* name, double wall) {
  const std::optional<SaveSlot> slot = slotNamed(name);
  if (!slot) return saveOutcome(fail("there is no such slot"), "");
  game->beforeInput(ms(wall));
  std::vector<SavedPage> history;
  const Result<SaveInfo> loaded = game->saves().load(*slot, &history);
  if (loaded) game->aids().startNewHistory(history);
  game->refresh(ms(wall));
  return saveOutcome(loaded, slotPath(*slot));
}

// A save file the player brought (written to the file system by the page).
EMSCRIPTEN_KEEPALIVE const char* web_load_file(const char* path, double wall) {
  game->beforeInput(ms(wall));
  std::vector<SavedPage> history;
  const Result<SaveInfo> loaded = game->saves().loadFile(path, &history);
  if (loaded) game->aids().startNewHistory(history);
  game->refresh(ms(wall));
  return saveOutcome(loaded, path);
}

EMSCRIPTEN_KEEPALIVE const char* web_slot_path(const char* name) {
  const std::optional<SaveSlot> slot = slotNamed(name);
  return answer(slot ? slotPath(*slot) : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* web_delete(const char* name) {
  const std::optional<SaveSlot> slot = slotNamed(name);
  const Result<SaveSlots> all = game->saves().saveSlots();
  if (!slot || !all) return saveOutcome(fail(all ? "there is no such slot" : all.error()), "");
  const Result<void> removed = all->remove(*slot);
  if (!removed) return saveOutcome(fail(removed.error()), "");
  return saveOutcome(SaveInfo{}, all->pathOf(*slot));
}

// Takes a save and writes it to a scratch file: the browser compiles the game's code on
// its first use, and so the player's first save waits for that no more (called once a
// game is under way).
EMSCRIPTEN_KEEPALIVE void web_prepare_saves() {
  constexpr const char* kScratch = "/tmp/prepare.sav";
  if (const std::optional<SaveFile> save = game->saves().takeAutosave(game->aids())) {
    (void)writeSave(kScratch, *save);
    std::remove(kScratch);
  }
}

// The autosave when the page is hidden or left: {"ok", "path"} ("" when no game is under way).
EMSCRIPTEN_KEEPALIVE const char* web_autosave() {
  const Result<std::string> written = game->writeAutosave();
  if (!written) return answer(Json{{"ok", false}, {"error", written.error()}});
  return answer(Json{{"ok", true}, {"path", written.value()}});
}

// The file the pages read are kept in ("" while none is).
EMSCRIPTEN_KEEPALIVE const char* web_read_pages_path() { return answer(game->aids().comforts().readPages().path()); }
EMSCRIPTEN_KEEPALIVE int web_read_pages_count() { return static_cast<int>(game->aids().comforts().readPages().size()); }

}  // extern "C"

extern "C" {

// "" when dir holds game data the game can read, else why not.
EMSCRIPTEN_KEEPALIVE const char* web_check_data(const char* dir) {
  GameSetup setup;
  setup.gameDir = dir;
  const GameCore core(setup);
  const Result<uint64_t> identity = core.dataIdentity();
  return answer(identity ? std::string() : withoutPath(identity.error(), core.gamePath("data/lumora.red")));
}

}  // extern "C"
