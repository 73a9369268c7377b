// The main window XP_Form as Qt shows it: the caption, a fixed 640 x 480 client area
// (times the zoom) under the menu bar, the screen widget, the real-time clock, and
// the game behind them. Every call into the game ends in refresh(), which plays what
// the game asked for (sounds, dialogs, closing) and shows the result.
#pragma once
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "app/modal_runner.h"
#include "app/sound_player.h"
#include "frontend/game_events.h"
#include "game/core.h"
#include "saves/save_slots.h"

class QDialog;
class QMenu;

namespace shirakaba {

class MenuMirror;
class RealClock;
class ScreenWidget;
class TAboutBox;
class TMes_Form;
class GameSaves;
class TextSpeaker;
class WindowAids;
class WindowSettings;
struct PointerEvent;

class MainWindow : public QMainWindow, private FrontEndHost {
  Q_OBJECT
 public:
  // Runs the game's start-up; a missing pack shows its message box from in here.
  MainWindow(const AppOptions& options, std::shared_ptr<FontFace> font, ModalRunner modalRunner = {});
  ~MainWindow() override;

  // The window's caption in the language of the game data.
  QString caption() const;
  // The title of a message box shown before there is a game.
  static QString applicationTitle() { return QString::fromStdString(GameCore::originalWindowTexts().messageTitle); }

  GameCore& game() { return *game_; }
  ScreenWidget* screenWidget() const { return screen_; }
  MenuMirror& menuMirror() { return *mirror_; }
  RealClock& realClock() { return *clock_; }
  WindowAids& aids() { return *aids_; }
  WindowSettings& settings() { return *settings_; }
  TAboutBox* aboutBox() const { return about_; }
  TMes_Form* mesForm() const { return mes_; }

  // Shows the window centred on the screen, or full-screen.
  void present();
  // F11 and Alt+Enter: the window's own keys (the game reacts to none).
  bool isFullScreenShown() const { return fullScreen_; }
  void setFullScreenShown(bool on);
  // The player's choices from the keys and the menu, remembered in the settings.
  void toggleFullScreen();
  void setZoom(int scale);
  // The largest zoom whose window fits the screen's available area.
  int largestFittingZoom() const;
  void setSpeaking(bool on);
  bool speaking() const { return speaker_ != nullptr; }
  // F12: the screen as a PNG; the title says where for a few seconds. The file's path, or "".
  QString takeScreenshot();
  static constexpr int kTitleNoticeMs = 3000;
  // After every call into the game: what it asked for is done, the menu bar mirrors
  // its menu, the screen repaints and the clock is re-armed.
  void refresh();
  void deliverPointer(const PointerEvent& e);
  void deliverMenu(MenuId id);

  // ---- Saves (F5, F9, Ctrl+S, Ctrl+L and the right button's menu) ----
  // Each tells in the title how it went; a refused load leaves the game as it was.
  bool saveTo(SaveSlot slot);
  bool loadFrom(SaveSlot slot);
  // The save or load dialog; the slot chosen there is saved or loaded when it closes.
  void openSaveDialog();
  void openLoadDialog();
  // --continue: loads the autosave; when that fails the game goes on from the start
  // and the title and stderr say why.
  bool continueFromAutosave();
  // The right button's menu over the screen: saves, the player's aids, the window.
  QMenu* saveMenu() const { return saveMenu_; }
  // Where the saves go: --user-dir, else the toolkit's per-user data folder.
  static QString userDirFor(const AppOptions& options);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  // F5 and Ctrl+S pressed in one of the game's dialogs: the title says why nothing is saved.
  bool eventFilter(QObject* watched, QEvent* e) override;
  void changeEvent(QEvent* e) override;
  // Tab is the skipping key, not a move of the focus.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  // What the game asked for (frontend/game_events.h). A dialog runs modally in here;
  // the clock keeps firing the game's timers meanwhile, and their events are handled
  // by the refresh that follows each tick.
  void playSound(const SoundStarted& sound) override;
  void openDialog(const DialogOpened& d) override;
  void showText(const std::string& text) override;
  void closeWindow() override;
  void log(const std::string& line) override;
  void showInTitle(const QString& notice);
  void tellFailure(const QString& notice);
  void buildSaveMenu();
  void addWindowEntries(QMenu* menu);
  void fitZoomToScreen();
  void updateTitle();
  void openSlotDialog(bool saving);
  void writeAutosave(const SaveFile& save);

  AppOptions options_;
  ModalRunner runner_;
  SoundPlayer sound_;
  std::unique_ptr<GameCore> game_;
  ScreenWidget* screen_ = nullptr;
  std::unique_ptr<MenuMirror> mirror_;
  std::unique_ptr<RealClock> clock_;
  TAboutBox* about_ = nullptr;
  TMes_Form* mes_ = nullptr;
  bool windowClosed_ = false;
  bool fullScreen_ = false;
  QTimer titleTimer_;                    // brings the caption back after a notice
  QString notice_;                  // in the title instead of the caption for a while
  TextSpeaker* speaker_ = nullptr;  // only with --speak
  std::unique_ptr<GameSaves> saves_;
  std::unique_ptr<WindowSettings> settings_;
  std::unique_ptr<WindowAids> aids_;
  QMenu* saveMenu_ = nullptr;
};

}  // namespace shirakaba
