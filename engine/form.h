// TXP_Form: the main window of the game as a model with no toolkit. It owns the
// surfaces, the timers, the menu items, the script and all game state, and talks
// to the window system only through its Host. The caller advances its clock.
//
// The methods are grouped by subsystem and implemented in files of their own:
//   engine/shell.cpp        start-up, the mode tick, resets and records
//   engine/menu_handlers.cpp menus, settings, dialogs
//   engine/transitions.cpp  the wipe, CG display and panning
//   engine/sound.cpp        sound effects
//   engine/buttons.cpp      sprite-sheet buttons
//   engine/interpreter.cpp  script commands;  engine/message.cpp  message window
//   screens/*.cpp           mouse input, title, choice, scene list, gallery, status
//   calendar/*.cpp          training state, calendar, jobs, lunch and walks, events, labels
#pragma once
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/events.h"
#include "calendar/training_state.h"
#include "engine/cg.h"
#include "engine/draw.h"
#include "engine/host.h"
#include "engine/menu.h"
#include "base/random.h"
#include "engine/script.h"
#include "base/timers.h"

namespace shirakaba {

enum class MouseButton { Left, Right, Middle };
constexpr int kNoCommand = INT_MIN;  // RunCommand with no command: start the scene

// Flags of the on-screen buttons and the regions of the last press.
struct ButtonState {
  uint8_t ButtonOn[15] = {};  // [1..14]; [0] always 0
  int32_t PressedBtn = 0;
  int32_t SelectedBtn = 0;
};

// Which scene runs and where the script cursor stands (SceneLabel is Adv.SceneLabel).
struct SceneState {
  int32_t SceneNo = 0;
  int32_t ScriptPos = 0;
  uint8_t CGNo = 0;
  int32_t WindowBaked = 0;
  int32_t TestMode = 0;
};

// Records kept for the whole run.
struct RunRecord {
  int32_t CGSpeed = 0;
  int32_t CGSeen[kCGs + 1] = {};          // [1..7]
};

// The story events' state, reset by every new game.
struct EventStateRec {
  int32_t EventState[kEvents + 1] = {};  // [0..14]; [0] always 0
  int32_t EventWait[kEvents + 1] = {};   // [1..14]
};

// The training state of a play-through.
struct TrainingState {
  TAdv_Rec Adv;
  TCharaStat CharaStat[kCharacters + 1];  // [1..3]
  int32_t Ability[5] = {};                // [1..4]
  uint8_t Job = 0;
  uint8_t Grade = 0;
};

// What the message window and the screens last showed, for the headless state,
// the text log and screen readers.
struct ShownText {
  std::vector<std::string> Page;  // the lines of the last page
  std::vector<std::string> Hint;  // the lines of the last hint block
  std::optional<std::string> Notice;
};

struct FormConfig {
  std::string gameDir = ".";             // the game's working directory
  const CGRec* cgTable = GameCGTable;    // rows 1..7
  // The pack to read instead of gameDir/data/lumora.red (bytes in memory, for one).
  std::optional<PackFile> pack;
};

class TXP_Form {
 public:
  explicit TXP_Form(Host& host, FormConfig config = {});
  TXP_Form(const TXP_Form&) = delete;
  TXP_Form& operator=(const TXP_Form&) = delete;

  // ---- Driving the form from outside ----
  TimerClock clock;
  void advanceTo(int64_t t) { clock.advanceTo(t); }
  void mouseDown(MouseButton b, int x, int y);
  void mouseUp(MouseButton b, int x, int y);
  void mouseMove(int x, int y);
  // A player's click on a menu item: nothing when it or a parent is disabled or hidden.
  void menuClick(MenuId id);
  // The item's click handler, whatever the item's state.
  void callHandler(MenuId id);
  void dialogClosed();
  DialogKind dialog() const { return dialog_; }
  const std::string& dialogText() const { return dialogText_; }
  bool closed() const { return closed_; }
  // The picture the window shows (black where ImageBa is hidden is the host's job).
  const Bitmap& screen() const { return draw.ImageBa; }
  std::string packPath() const;
  std::string gamePath(const std::string& relative) const;

  // ---- Components and state ----
  Host& host;
  FormConfig config;
  DrawContext draw;
  Menu menu;
  RandomSource random;
  ScriptLines Script;  // ScriptLines
  Timer Cha_Timer, CG_Timer, J_Timer, Ani_Timer, Text_Timer;

  int32_t GameMode = 0;
  ButtonState btn;
  SceneState scene;
  RunRecord record;
  EventStateRec events;
  TrainingState train;
  int32_t PanX = 0, PanY = 0;
  ShownText shown;
  std::vector<std::string> soundsStarted;  // since the host last took them

  // ---- Start-up, the mode tick, resets (shell.cpp) ----
  void FormCreate();
  void FormClose();
  void SetupBuffers(int kind);
  void SetMode(int32_t mode);
  void ArmTick(int kind);
  void ModeStep(int phase);
  void Cha_TimerTimer();
  void ResetGame(int variant);
  void UpdateRecord(int kind);
  void MarkCGSeen(int n);
  void ClearButtons();

  // ---- Menus, settings, dialogs (menu_handlers.cpp) ----
  void Start_BtnClick();
  void ReStart_BtnClick();
  void ReSet_BtnClick();
  void Exit_BtnClick();
  void ON1Click(MenuId item);
  void CG_FClick(MenuId item);
  void Mes_BtnClick();
  void About_BtnClick();
  void Text_BtnClick();
  void Test_BtnClick();
  void SetCGSpeed(int n);
  void InitSettings();
  void showModal(DialogKind kind, const std::string& text = {});
  // Runs FormClose and closes the window (menu "おわる", title button 4).
  void closeMainWindow();
  void logMissingGlyphs();

  // ---- Transitions and CGs (transitions.cpp) ----
  void WipeStep(int t);
  void ShowCG();
  void EndCG();
  void CG_TimerTimer();
  const CGRec& CGTable(int n) const;

  // ---- Sound (sound.cpp) ----
  void PlaySE(int kind);

  // ---- Buttons (buttons.cpp) ----
  void DrawBtn(int state, int kind, uint8_t target);
  void DrawModeBtn(int state, int item, uint8_t target);
  void DrawCalBtn(int state, int item, uint8_t target);
  void DrawBtnBar(int kind);

  // ---- Script (interpreter.cpp) ----
  std::string GetSceneLabel() const;
  int FindScene() const;
  int32_t ScriptInt(const std::string& name) const;
  int32_t CommandAt(int index) const;
  int FindCG(const std::string& text) const;
  void RunCommand(int command = kNoCommand);
  void DrawBackground(const std::string& name, uint8_t target);
  void PlaceSprite(int slot, const std::string& name, uint8_t target);

  // ---- Message window (message.cpp) ----
  void NextPage(int indent);
  void ShowFace(int kind, const std::string& name);
  void DarkenWindow();
  void TextPrompt(int kind);
  void Text_TimerTimer();
  void ShowNotice(int row, const std::string& text);

  // ---- Mouse input (screens/input.cpp) ----
  void ImageBaMouseDown(MouseButton b, int x, int y);
  void ImageBaMouseUp(MouseButton b, int x, int y);
  void ImageBaMouseMove(int x, int y);
  int HitTest(int x, int y) const;

  // ---- Screens (screens/*.cpp) ----
  void OpeningScreen();
  void TitleMenu(int step);
  void EndScreen(int step);
  void ChoiceMenu(int step);
  void SceneListScreen(int step);
  void GalleryScreen(int step);
  void StatusPanel(int view);
  void StatusScreen(int step);
  int TimeSlotOf(int32_t step) const;
  std::string AbilityText(int i) const;
  std::string StarText(int kind, int k) const;
  int32_t JobRule(int kind, int i) const;

  // ---- Training calendar (calendar/*.cpp) ----
  void ResetAdv(int kind);
  void NextDay();
  void ApplyStats(int kind);
  void CalendarEnter();
  void CalendarReady();
  void CalendarPress();
  void CalendarRelease();
  void RedrawCalendar();
  void NightMenu(int kind);
  void JobScreen(int kind);
  void JobAnim(int kind);
  void J_TimerTimer();
  int DrawGrade(int kind);
  void JobResultScreen(int kind);
  void LunchBreak(int kind);
  void WalkScreen(int kind);
  void StudyScreen(int kind);
  void InfoScreen(int kind);
  void TalkScreen(int kind);
  int PlaceOfButton(int b) const;
  int PlaceClosed(int p) const;
  std::string PlaceLabel(int p);
  void ArmEvent(const std::string& label);
  void DayEvents(int kind);
  void EventScript(int kind, const std::string& label);
  void CheckArmed();
  void CheckVisit();
  void CheckTalk();
  void StartEvent(int n);
  int OptionLocked(int i) const;
  void FollowScene();
  void HintText();
  std::string InfoLabel() const;

 private:
  bool modalOpen() const { return dialog_ != DialogKind::None; }
  DialogKind dialog_ = DialogKind::None;
  std::string dialogText_;
  bool closed_ = false;
};

// Free routines of the screens and the calendar.
int32_t LimitValue(int32_t l, int32_t v);
int GalleryPos(int what, int n);
int HitLayout(int kind, int x, int y, LayoutRec layout);
int HitColumns(int count, int x, int y, LayoutRec layout);
int HitGallery(int x, int y);
int PointInRect(int x, int y, const Rect& r);

}  // namespace shirakaba
