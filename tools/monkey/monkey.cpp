#include "tools/monkey/monkey.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <memory>
#include <sstream>

#include "game/game.h"
#include "tools/monkey/monkey_checks.h"
#include "tools/monkey/monkey_rng.h"
#include "tools/monkey/monkey_saves.h"
#include "tools/monkey/monkey_targets.h"
#include "tools/monkey/temp_dir.h"

namespace shirakaba::monkey {

namespace {

// Dialogs, sounds and closes are only counted; nothing ever blocks.
class CountingHost : public NullHost {
 public:
  uint64_t dialogs = 0;
  void showDialog(DialogKind, const std::string&) override { ++dialogs; }
};

constexpr size_t kLastEvents = 50;
constexpr int64_t kEscapeSettleMs = 10 * 60 * 1000;  // as long as a headless settle
constexpr int64_t kRandomSettleMs = 60 * 1000;

// Unwinds out of an action once the failure is recorded.
struct Stop {};

const char* buttonName(MouseButton b) {
  return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "middle";
}

class Monkey {
 public:
  explicit Monkey(const MonkeyOptions& o) : opt_(o), rng_(o.seed) {}

  MonkeyReport run() {
    try {
      if (opt_.saveEvery > 0) {
        report_.userDir = opt_.userDir.empty() ? makeTempDir("monkey-saves") : opt_.userDir;
        saves_ = std::make_unique<MonkeySaves>(opt_.gameDir, report_.userDir);
      }
      openForm();
      uint64_t nextEscape = opt_.escapeEvery, nextProgress = opt_.progressEvery;
      while (report_.events < opt_.events) {
        act();
        if (opt_.checkEscape && opt_.escapeEvery > 0 && report_.events >= nextEscape) {
          escapeCheck();
          nextEscape = report_.events + opt_.escapeEvery;
        }
        if (opt_.progress && opt_.progressEvery > 0 && report_.events >= nextProgress) {
          opt_.progress(report_);
          nextProgress = report_.events + opt_.progressEvery;
        }
      }
      if (opt_.checkEscape) escapeCheck();
    } catch (const Stop&) {
    } catch (const std::exception& e) {
      try {
        fail(std::string("exception: ") + e.what());
      } catch (const Stop&) {
      }
    }
    if (saves_) report_.saves = saves_->counts();
    if (opt_.keepReplay && form_) {
      // The replay checks itself: it ends where the monkey stood.
      report_.replay = replay_;
      const Game& g = *form_;
      for (const std::string& e : {"t " + std::to_string(g.engine.clock.now()),
                                   "GameMode " + std::to_string(toInt(g.state.shell.GameMode)),
                                   "Adv.TrainStep " + std::to_string(toInt(g.state.train.Adv.TrainStep)),
                                   "Adv.Day " + std::to_string(g.state.train.Adv.Day),
                                   "ScriptPos " + std::to_string(g.state.scene.ScriptPos)})
        report_.replay.push_back("expect " + e);
    }
    return std::move(report_);
  }

 private:
  Game& f() { return *form_; }

  // ---- The window ----

  void openForm() {
    form_.reset();
    report_.formSeed = rng_.next() >> 1;
    form_ = std::make_unique<Game>(host_, EngineConfig{opt_.gameDir});
    form_->state.random.seed(report_.formSeed);
    form_->engine.FormCreate();
    pressed_ = false;
    replay_.clear();
    std::ostringstream note;
    note << "# new window, game seed " << report_.formSeed;
    replay_.push_back(note.str());
    remember(note.str());
  }

  // ---- Recording and checking ----

  void remember(const std::string& line) {
    last_.push_back(line);
    if (last_.size() > kLastEvents) last_.pop_front();
  }

  void fail(const std::string& why) {
    if (!report_.failure.empty()) return;
    std::ostringstream s;
    s << why << " (event " << report_.events << ", monkey seed " << opt_.seed << ", game seed "
      << report_.formSeed << ")";
    if (form_) s << "; " << stateSummary(f());
    report_.failure = s.str();
    report_.failedAt = report_.events;
    report_.lastEvents.assign(last_.begin(), last_.end());
    throw Stop{};
  }

  // The state after a timer tick or an event: the invariants hold, and the pair counts.
  void check(const char* when) {
    const std::string broken = brokenInvariant(f());
    if (!broken.empty()) fail(std::string(when) + ": " + broken);
    ++report_.coverage[{toInt(f().state.shell.GameMode), toInt(f().state.train.Adv.TrainStep)}];
  }

  // One event done: logged, counted, checked; a closed window opens again.
  void done(const std::string& command) {
    ++report_.events;
    if (opt_.keepReplay) replay_.push_back(command);
    std::ostringstream line;
    line << "#" << report_.events << " " << command << "  -> " << stateSummary(f());
    remember(line.str());
    check("after the event");
    if (f().state.shell.closed) {
      ++report_.restarts;
      openForm();
    }
  }

  // ---- Primitive events, each one line of a headless replay ----

  void down(MouseButton b, Point p) {
    const uint64_t dialogs = host_.dialogs;
    f().mouseDown(b, p.x, p.y);
    if (b == MouseButton::Left) pressed_ = true;
    done("down " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + buttonName(b));
    closeNewDialog(dialogs);
  }
  void up(MouseButton b, Point p) {
    const uint64_t dialogs = host_.dialogs;
    f().mouseUp(b, p.x, p.y);
    if (b == MouseButton::Left) pressed_ = false;
    done("up " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + buttonName(b));
    closeNewDialog(dialogs);
  }
  void click(MouseButton b, Point p) {
    const uint64_t dialogs = host_.dialogs;
    f().mouseDown(b, p.x, p.y);
    f().mouseUp(b, p.x, p.y);
    if (b == MouseButton::Left) pressed_ = false;
    done("click " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + buttonName(b));
    closeNewDialog(dialogs);
  }
  void move(Point p) {
    f().mouseMove(p.x, p.y);
    done("move " + std::to_string(p.x) + " " + std::to_string(p.y));
  }
  // Tick by tick, so that the invariants are checked after every timer event.
  void wait(int ms) {
    int64_t from = f().engine.clock.now();
    const int64_t until = from + ms;
    while (f().engine.clock.fireNext(until)) {
      check("during a wait");
      saveMidway(from);
    }
    f().engine.clock.advanceTo(until);
    done("wait " + std::to_string(until - from));
  }
  // Job bars (and pans, in a game whose CGs pan) run inside waits and settles: now and
  // then one is cut there by a save or load. The wait so far becomes a replay line of
  // its own (never between two ticks due at the same moment, which a replayed wait
  // would fire together).
  void saveMidway(int64_t& from) {
    const Engine& e = f().engine;
    if (!saves_ || escaping_ || f().state.shell.closed) return;
    if (!e.CG_Timer.Enabled() && !e.J_Timer.Enabled()) return;
    if (e.clock.nextDue() == e.clock.now()) return;
    if (rng_.below(static_cast<int>(std::max<uint64_t>(opt_.saveEvery / 4, 2))) != 0) return;
    done("wait " + std::to_string(e.clock.now() - from));
    saveOrLoad();
    from = f().engine.clock.now();
  }
  // Until Cha_Timer, CG_Timer and J_Timer are all off, as a headless settle; a game
  // that does not come to rest within the limit is a wait of the whole limit.
  void settle(int64_t limitMs) {
    const Engine& e = f().engine;
    const auto busy = [&e] { return e.Cha_Timer.Enabled() || e.CG_Timer.Enabled() || e.J_Timer.Enabled(); };
    int64_t from = e.clock.now();
    const int64_t limit = from + limitMs;
    bool rest = true;
    while (busy()) {
      if (!f().engine.clock.fireNext(limit)) {
        rest = false;
        break;
      }
      check("during a settle");
      saveMidway(from);
    }
    if (rest) {
      done("settle");
    } else {
      f().engine.clock.advanceTo(limit);
      done("wait " + std::to_string(limit - from));
    }
  }
  void menu(MenuId id) {
    const uint64_t dialogs = host_.dialogs;
    f().engine.menuClick(id);
    done(std::string("menu ") + menuDef(id).name);
    closeNewDialog(dialogs);
  }
  void call(MenuId id) {
    const uint64_t dialogs = host_.dialogs;
    const std::string name = menuDef(id).name;
    f().engine.callHandler(id);
    // Items without a handler cannot be named in a replay; calling them does nothing.
    done((menuDef(id).hasHandler ? "call " : "# call ") + name);
    closeNewDialog(dialogs);
  }
  void mode(int32_t m) {
    f().engine.SetMode(static_cast<GameMode>(m));
    done("mode " + std::to_string(m));
  }
  void force(int v) {
    f().state.random.force(v);
    done("rand " + std::to_string(v));
  }
  void closeDialog() {
    f().engine.dialogClosed();
    done("dialog close");
  }
  // Half the dialogs are closed at once; the others wait for a close drawn at random.
  void closeNewDialog(uint64_t before) {
    if (host_.dialogs != before && dialogOpen() && rng_.chance(500)) closeDialog();
  }

  // ---- The random walk ----

  bool busy() { return f().engine.Cha_Timer.Enabled() || f().engine.J_Timer.Enabled(); }
  bool dialogOpen() { return f().state.shell.dialog != DialogKind::None; }

  // A live button, but the title's quit button only now and then.
  Point target() {
    Point p = pickTarget(f(), rng_);
    if (f().state.shell.GameMode == GameMode::Title && regionAt(f(), p.x, p.y) == 4 && rng_.chance(900)) p = pickTarget(f(), rng_);
    return p;
  }

  // One step of saving or loading: the save's own checks, then the game's.
  bool saveStep(const SaveStep& s) {
    if (!s.broken.empty()) {
      remember("#" + std::to_string(report_.events + 1) + " " + s.command);
      fail(s.broken);
    }
    done(s.command);
    return s.saved;
  }

  // A save (loaded back at once half the time), a load, or a hostile file.
  void saveOrLoad() {
    const int r = rng_.below(100);
    if (r < 40) {
      if (saveStep(saves_->save(f(), rng_, static_cast<int64_t>(report_.events))) && rng_.chance(500))
        saveStep(saves_->loadLast(f()));
    } else if (r < 75) {
      saveStep(saves_->loadSaved(f(), rng_));
    } else {
      saveStep(saves_->loadHostile(f(), rng_));
    }
  }

  // Saves and loads come at any moment, more often at those that last only a few
  // events: a job's progress bar, a conversation, and most often an open dialog (which
  // refuses them).
  bool timeToSave() {
    if (!saves_) return false;
    const bool brief = f().engine.J_Timer.Enabled() || f().state.shell.GameMode == GameMode::Talk;
    const uint64_t every = dialogOpen() ? 4 : brief ? std::max<uint64_t>(opt_.saveEvery / 10, 2) : opt_.saveEvery;
    return rng_.below(static_cast<int>(every)) == 0;
  }

  void act() {
    if (dialogOpen() && rng_.chance(400)) return closeDialog();
    if (timeToSave()) return saveOrLoad();
    // A press held down: moves, in and out of the surface, until the release.
    if (pressed_ && rng_.chance(300)) {
      if (rng_.chance(600)) return move(pickAnywhere(rng_));
      return up(MouseButton::Left, rng_.chance(500) ? target() : pickAnywhere(rng_));
    }
    // While a transition or the job bar runs, clicks do nothing: mostly let time pass.
    if (busy() && rng_.chance(500)) {
      if (rng_.chance(300)) return settle(kRandomSettleMs);
      return wait(rng_.range(0, 100));
    }
    int r = rng_.below(1000);
    if ((r -= 340) < 0) return click(MouseButton::Left, target());
    if ((r -= 60) < 0) return click(MouseButton::Left, pickAnywhere(rng_));
    if ((r -= 40) < 0) return drag();
    if ((r -= 20) < 0) return down(MouseButton::Left, rng_.chance(500) ? target() : pickAnywhere(rng_));
    if ((r -= 20) < 0) return up(MouseButton::Left, pickAnywhere(rng_));
    if ((r -= 20) < 0) return otherButton();
    if ((r -= 60) < 0) return move(pickAnywhere(rng_));
    if ((r -= 180) < 0) return wait(rng_.chance(600) ? rng_.range(0, 200) : rng_.range(0, 3000));
    if ((r -= 150) < 0) return settle(kRandomSettleMs);
    if ((r -= 30) < 0) return force(rng_.range(0, 99));
    if ((r -= 60) < 0) return menu(randomMenuItem());
    if ((r -= 15) < 0) return call(randomHandler());
    if ((r -= 3) < 0) {
      if (!f().engine.Cha_Timer.Enabled()) return mode(2);
      return wait(0);
    }
    return click(MouseButton::Left, target());
  }

  // A press, a few moves (some outside the surface), and a release somewhere else.
  void drag() {
    down(MouseButton::Left, rng_.chance(700) ? target() : pickAnywhere(rng_));
    for (int n = rng_.range(1, 3); n > 0; --n) move(pickAnywhere(rng_));
    up(MouseButton::Left, rng_.chance(500) ? target() : pickAnywhere(rng_));
  }

  void otherButton() {
    const MouseButton b = rng_.chance(500) ? MouseButton::Right : MouseButton::Middle;
    const Point p = rng_.chance(500) ? target() : pickAnywhere(rng_);
    switch (rng_.below(3)) {
      case 0: return down(b, p);
      case 1: return up(b, p);
      default: return click(b, p);
    }
  }

  MenuId randomMenuItem() {
    const int r = rng_.below(1000);
    if (r < 3) return MenuId::Exit_Btn;
    if (r < 12) return MenuId::ReSet_Btn;
    if (r < 20) return MenuId::ReStart_Btn;
    // はじめる is live only on the title, where it is worth trying often.
    if (r < 150 || (f().state.shell.GameMode == GameMode::Title && r < 400)) return MenuId::Start_Btn;
    static constexpr MenuId kSettings[] = {MenuId::ON1, MenuId::OFF1, MenuId::CG_H, MenuId::CG_F,
                                           MenuId::CG_O, MenuId::Mes_Btn, MenuId::About_Btn,
                                           MenuId::Text_Btn, MenuId::Test_Btn};
    return kSettings[rng_.below(static_cast<int>(std::size(kSettings)))];
  }

  // Handlers called whatever their item's state: the hidden ones and the disabled game items.
  MenuId randomHandler() {
    const int r = rng_.below(100);
    if (r < 45) return MenuId::Text_Btn;
    if (r < 55) return MenuId::Test_Btn;
    if (r < 70) return MenuId::Start_Btn;
    if (r < 78) return MenuId::ReStart_Btn;
    if (r < 90) return MenuId::ReSet_Btn;
    if (r < 92) return MenuId::Exit_Btn;
    static constexpr MenuId kNoHandler[] = {MenuId::Game, MenuId::N1, MenuId::Set_Btn, MenuId::BGM_Btn,
                                            MenuId::CG_Btn, MenuId::Help_Btn};
    return kNoHandler[rng_.below(static_cast<int>(std::size(kNoHandler)))];
  }

  // ---- Never stuck: from here, 戻る and はじめる must lead to a new game ----

  void escapeCheck() {
    // No load may take the game elsewhere before it is seen where 戻る and はじめる led.
    escaping_ = true;
    remember("# escape check from " + stateSummary(f()));
    if (opt_.keepReplay) replay_.push_back("# escape check");
    if (dialogOpen()) closeDialog();
    settle(kEscapeSettleMs);
    if (f().engine.Cha_Timer.Enabled()) fail("stuck: the transition never ends");
    menu(MenuId::ReSet_Btn);
    settle(kEscapeSettleMs);
    menu(MenuId::Start_Btn);
    settle(kEscapeSettleMs);
    if (!newGameStarted(f())) fail("stuck: 戻る then はじめる did not start a new game");
    escaping_ = false;
    ++report_.escapes;
  }

  MonkeyOptions opt_;
  MonkeyRng rng_;
  CountingHost host_;
  std::unique_ptr<Game> form_;
  std::unique_ptr<MonkeySaves> saves_;
  MonkeyReport report_;
  std::deque<std::string> last_;
  std::vector<std::string> replay_;
  bool pressed_ = false;
  bool escaping_ = false;
};

}  // namespace

MonkeyReport runMonkey(const MonkeyOptions& options) { return Monkey(options).run(); }

MonkeyReport runMonkey(const std::string& gameDir, uint64_t seed, uint64_t events, bool checkEscape) {
  MonkeyOptions o;
  o.gameDir = gameDir;
  o.seed = seed;
  o.events = events;
  o.checkEscape = checkEscape;
  return runMonkey(o);
}

}  // namespace shirakaba::monkey
