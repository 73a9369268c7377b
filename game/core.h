// The one door through which a front end (the Qt window, the headless mode) plays
// the game: it passes the pointer, the menu and the clock in, and takes the screen,
// the menu bar and what happened (sounds, dialogs, texts, the window closing) out.
// Nothing else of the game is visible from here.
//
// Time is the caller's: in a window it follows the wall clock (catchUp), in tests
// and replays it is virtual (advanceTo, fireNext). Between two calls nothing happens.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "base/bitmap.h"
#include "base/result.h"
#include "base/save_limits.h"
#include "base/text.h"
#include "engine/host.h"
#include "engine/menu.h"
#include "game/pointer.h"

namespace shirakaba {

struct GameState;

// The game's screen in pixels.
constexpr int kGameWidth = 640, kGameHeight = 480;

struct GameSetup {
  std::string gameDir = ".";             // holds data/lumora.red, data/wav/, readme.txt
  std::optional<uint64_t> seed;          // the random draws; without it, from the clock
  std::shared_ptr<FontFace> font;        // without it, the game's font from fontconfig
};

// ---- What happened since the front end last asked ----
struct SoundStarted {
  std::string file;  // as the game names it: "data/wav/h_1.wav"
  std::string path;  // where it lies
};
// A modal dialog opened; it stays open until dialogClosed().
struct DialogOpened {
  DialogKind kind;
  std::string text;  // the message box's text
};
// Text written on the screen, to be read (pages, hints, choices, notices).
struct TextShown {
  std::string text;
};
// The game closed its window ("おわる"); the program ends.
struct WindowClosed {};
// A note for whoever runs the program.
struct LogLine {
  std::string text;
};
using GameEvent = std::variant<SoundStarted, DialogOpened, TextShown, WindowClosed, LogLine>;

// The whole game at one moment, to be restored later (also into another GameCore of
// the same game data). Copies share their contents.
class GameSnapshot {
 public:
  GameSnapshot();
  // A snapshot of a state made elsewhere (read from a file, or edited by a test); its
  // timers' due times count from the moment it is restored.
  explicit GameSnapshot(GameState state);
  ~GameSnapshot();
  GameSnapshot(const GameSnapshot&);
  GameSnapshot& operator=(const GameSnapshot&);
  bool empty() const { return !state_; }
  friend bool operator==(const GameSnapshot& a, const GameSnapshot& b);
  // The state itself, for what is built on snapshots (tests, and files of saves).
  const GameState& state() const;

 private:
  friend class GameCore;
  explicit GameSnapshot(std::shared_ptr<const GameState> s);
  std::shared_ptr<const GameState> state_;
};

// Where the game stands, in the words a list of saves shows.
struct GameSummary {
  int day = 0;            // the day as the status display shows it (capped at 99); 0 before a new game
  std::string partOfDay;  // the status display's time label ("朝", "午前", ...); empty before a new game
  std::string scene;      // the label of the scene under way ("*op"), or empty outside scenes
  std::string pageLine;   // the first line of the page on the screen, or empty
};

// The game's own texts that the window shows around the screen, in the language of
// the game data (the originals unless its script translates them).
struct WindowTexts {
  std::string caption;       // the main window's
  std::string messageTitle;  // the title of the game's message boxes
  std::string aboutTitle, productName;  // the version box's title and product name
  std::string readmeTitle, readmeClose; // the readme window's title and button
};

// What the game waits for, for the player's aids (skipping, auto mode).
enum class Waiting {
  Busy,      // a transition, a panning CG or a job's progress bar runs: time moves it on
  Page,      // a page of a scene (or a CG replay that has ended) waits for a click
  Decision,  // anything else: a choice, a menu, a screen of buttons, a dialog, the end
};

class GameCore {
 public:
  explicit GameCore(GameSetup setup);
  ~GameCore();
  GameCore(const GameCore&) = delete;
  GameCore& operator=(const GameCore&) = delete;

  // Creates the main window's contents at the clock's present time: the start-up
  // logo, or the game's message about missing files.
  void start();

  // ---- Input ----
  // The pointer on the 640 x 480 screen; while a button is held the screen keeps the
  // mouse, so moves and the release may lie outside it.
  void pointerPress(MouseButton button, int x, int y);
  void pointerMove(int x, int y);
  void pointerRelease(MouseButton button, int x, int y);
  // A player's click on a menu item: nothing when it or a parent is disabled or hidden.
  void menuCommand(MenuId id);
  // The item's handler, whatever the item's state (replays use it to reach hidden items).
  void callHandler(MenuId id);
  // The modal dialog that DialogOpened announced has been closed.
  void dialogClosed();
  // The window's close box: the game shuts down as when its window closes.
  void closeWindow();

  // ---- Time ----
  int64_t now() const;
  // Fires every timer due up to t, each at its own time, and sets the clock to t.
  void advanceTo(int64_t t);
  // Fires only the earliest timer due at or before `until`; false when none is.
  bool fireNext(int64_t until);
  // Real time: fires, once each, the timers due at wallNow.
  void catchUp(int64_t wallNow);
  // The next time a timer is due, or -1 when none runs.
  int64_t nextDue() const;
  // A screen change, a panning CG or a job's progress bar is under way: what `settle`
  // waits for. (The blinking page prompt does not count.)
  bool busy() const;

  // ---- What the front end shows ----
  const Bitmap& screen() const;
  // False while the screen is hidden (the game data is missing): show black.
  bool screenVisible() const;
  // The menu bar as the player sees it, captions in the language of the game data.
  const MenuState& menu() const;
  // Read once the game has started, as the translations come with the game data.
  WindowTexts windowTexts() const;
  // The texts as the program holds them, for what is shown before the game starts.
  static WindowTexts originalWindowTexts();
  DialogKind dialog() const;
  bool closed() const;
  std::string gamePath(const std::string& relative) const;
  // Everything that happened since the last call, in order.
  std::vector<GameEvent> takeEvents();

  // ---- The whole game as a value ----
  GameSnapshot snapshot() const;
  void restore(const GameSnapshot& snapshot);

  // ---- For the player's aids (rollback, skipping, auto mode, history) ----
  Waiting waiting() const;
  // Where the waiting page stands in the script: the same page gives the same key in
  // every run of the same game data.
  int pageKey() const;
  // The lines of the page last shown.
  std::vector<std::string> pageLines() const;
  // The texts of the choice on the screen (empty when none is).
  std::vector<std::string> choiceTexts() const;
  // The text a player reads on the screen now: a scene's page, a choice's two texts,
  // the calendar's or the status screen's hint; empty where none is shown.
  std::vector<std::string> textOnScreen() const;
  // The choice the last click took, 1 or 2; 0 for none.
  int choiceTaken() const;
  // Whether the game would act on a left press now (no dialog, no transition), and on
  // this menu command (a player can reach it and it has a handler).
  bool takesPress() const;
  bool takesMenuCommand(MenuId id) const;
  // How many new games this object has begun (it is not part of the state).
  uint64_t gamesStarted() const;

  // ---- Saves ----
  // False while a modal dialog is open or the window has closed: no save is taken then.
  bool canSave() const;
  // False on the start-up logo and the title screen: no game is under way to keep.
  bool gameUnderWay() const;
  GameSummary summary() const;
  // The fingerprint of the game data; an Error when the pack cannot be read.
  Result<uint64_t> dataIdentity() const;
  // A snapshot as bytes, and back, in a save format (an older one only for tests).
  // Decoding checks every field against this game's data, so a state read from a file
  // never leads the game outside its tables.
  static std::vector<uint8_t> encodeSnapshot(const GameSnapshot& snapshot, uint32_t formatVersion = kSaveFormatVersion);
  Result<GameSnapshot> decodeSnapshot(std::span<const uint8_t> bytes, uint32_t formatVersion = kSaveFormatVersion) const;
  // Whether a save could keep the snapshot and load it again; if not, which field it
  // could not keep (a text longer than a save holds, ...).
  Result<void> checkSnapshot(const GameSnapshot& snapshot) const;

  // ---- For replays and tests ----
  // The next random draw gives v.
  void forceRandom(int v);
  // Stores a GameMode (any number) and starts a transition to it.
  void setMode(int32_t mode);
  // The state as JSON, by the game's own names; `sounds` are the sounds the caller
  // has seen started since it last asked.
  nlohmann::ordered_json describe(const std::vector<std::string>& sounds) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace shirakaba
