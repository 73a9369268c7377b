// The engine: what every screen of the game stands on. It runs the mode tick that
// drives each screen change, the menu bar and its settings, the wipe and the CG
// display, sound effects, sprite-sheet buttons, the script interpreter and the
// message window.
//
// The engine owns no state of its own: it acts on an EngineState held by the game,
// reads the script and the pack, reaches the window through its Host and the game's
// rules through GameHooks. What the game above it calls is public; the rest is the
// engine's own. The routines keep the names the game has always had and live in
// files by subsystem:
//   shell.cpp          start-up and shutdown, the mode tick, resets and records, dialogs
//   menu_handlers.cpp  the menu bar's handlers and settings (MenuHandlers, menu_handlers.h)
//   transitions.cpp    the wipe, CG display and panning
//   sound.cpp          sound effects
//   buttons.cpp        sprite-sheet buttons of the title, gallery, viewer, status and talk screens
//   interpreter.cpp    script commands;  message.cpp  the message window
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/timers.h"
#include "engine/cg.h"
#include "engine/draw.h"
#include "engine/hooks.h"
#include "engine/host.h"
#include "engine/menu_handlers.h"
#include "engine/own_texts.h"
#include "engine/script.h"
#include "engine/state.h"

namespace shirakaba {

// Where the game's files are and which CG table it shows (tests pass their own).
struct EngineConfig {
  std::string gameDir = ".";            // the game's working directory
  const CGRec* cgTable = GameCGTable;   // rows 1..7
  std::optional<PackFile> pack = std::nullopt;  // the pack from elsewhere (memory); else gameDir's
};

// ---- The arguments of the routines, by name ----
enum class Buffers { Create = 0, Free = 1 };
// ArmTick: start a transition; or end one, enabling the menu item of the new screen.
enum class Tick { Start = 0, End = 1 };
// ModeStep: phase 0 composes the new screen, phase 1 shows it after the wipe.
enum class Phase { Compose = 0, Show = 1 };
enum class Reset { StartUp = 0, NewGame = 1, Resume = 2, ToTitle = 3, SceneList = 4 };
enum class RecordUpdate { StartUp = 0, NewGame = 1, CGShown = 3, EventStarted = 4 };
enum class Sound { Accept = 1, JobDone = 3, Refuse = 4 };
// A button's look: the third one is the title's hover look, the gallery's "not seen
// yet" and the inactive look everywhere else.
enum class Look { Normal = 0, Pressed = 1, Hover = 2, Unseen = 2, Inactive = 2 };
// NextPage: the page at the usual place, or indented beside a face.
enum class PageIndent { Plain = 0, BesideFace = 1 };
// ShowFace: with the next page, or the face alone over the text already there.
enum class FaceWith { Page = 0, NoPage = 1 };
enum class Prompt { Start = 0, Draw = 1, Bob = 2, StartBesideFace = 4 };

class Engine {
  // Declared first: the members below are made from the configuration.
  EngineConfig config;
  Host& host;
  GameHooks& hooks;

 public:
  Engine(EngineState& state, EngineConfig config, Host& host, GameHooks& hooks);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // ---- What the engine works with ----
  TimerClock clock;
  Timer Cha_Timer, CG_Timer, J_Timer, Text_Timer;
  DrawContext draw;
  ScriptLines Script;  // read at start-up; "テキスト読込" reads it again
  OwnTexts ownTexts;   // the translations of the game's own texts the script carries

  std::string gamePath(const std::string& relative) const;
  bool modalOpen() const { return shell.dialog != DialogKind::None; }

  // ---- Start-up, the mode tick, resets (shell.cpp) ----
  void FormCreate();
  void FormClose();
  void SetMode(GameMode mode);
  void ArmTick(Tick kind);
  void ResetGame(Reset variant);
  void UpdateRecord(RecordUpdate kind);
  void ClearButtons();
  void dialogClosed();

  // ---- The menu bar; its handlers are a unit of their own (menu_handlers.h) ----
  // A player's click on a menu item: nothing when it or a parent is disabled or hidden.
  void menuClick(MenuId id) { menus.menuClick(id); }
  // The item's click handler, whatever the item's state.
  void callHandler(MenuId id) { menus.callHandler(id); }

  // ---- Transitions and CGs (transitions.cpp) ----
  void WipeStep(int t);
  void ShowCG();
  void EndCG();
  void CG_TimerTimer();
  const CGRec& CGTable(int n) const;

  // ---- Sound (sound.cpp) ----
  void PlaySE(Sound kind);

  // ---- Buttons (buttons.cpp) ----
  // kind: title items 1..4; 6 the gallery entry of CGNo; 7 the gallery's back
  // button; 50 the viewer's panel (Hover takes it away), 51..54 its buttons.
  void DrawBtn(Look look, int kind, Target target);
  // The status screen's buttons 1..5, or a conversation's topics 1..4, by GameMode.
  void DrawModeBtn(Look look, int item, Target target);

  // ---- Script (interpreter.cpp) ----
  int32_t ScriptInt(const std::string& name) const;
  // Starts the scene: its first line after the label is run as a command.
  void RunCommand();
  void DrawBackground(const std::string& name, Target target);
  void PlaceSprite(int slot, const std::string& name, Target target);

  // ---- Message window (message.cpp) ----
  void NextPage(PageIndent indent);
  void ShowFace(FaceWith kind, const std::string& name);
  void DarkenWindow();
  void TextPrompt(Prompt kind);

 private:
  friend class MenuHandlers;  // the handlers act on the engine as its own routines do

  Timer Ani_Timer;  // its handler does nothing
  // The parts of the state, by the names the routines use.
  ShellState& shell;
  MenuState& menu;
  ButtonState& btn;
  SceneState& scene;
  PanState& pan;
  RunRecord& record;
  ShownText& shown;
  MenuHandlers menus;

  std::string packPath() const;
  // shell.cpp
  void closeMainWindow();  // FormClose, then the window closes (menu "おわる")
  void SetupBuffers(Buffers kind);
  void ModeStep(Phase phase);
  void Cha_TimerTimer();
  void MarkCGSeen(int n);
  void showModal(DialogKind kind, const std::string& text = {});
  void logMissingGlyphs();
  // interpreter.cpp
  std::string GetSceneLabel() const;
  int FindScene() const;
  ScriptCommand CommandAt(int index) const;
  int FindCG(const std::string& text) const;
  void RunCommand(ScriptCommand command);
  void RunStep(ScriptCommand command, bool first);
  void endScene(bool armNow);
  // message.cpp
  void Text_TimerTimer();
  void ShowNotice(int row, const std::string& text);
};

// The gallery's grid: row (what 0), x (1) or y (2) of entry n.
int GalleryPos(int what, int n);

}  // namespace shirakaba
