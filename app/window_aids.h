// The player's aids in the window, around Comforts: rollback (wheel, Page Up and
// Page Down), skipping (Tab, Ctrl held alone), auto mode (A), the history window (H),
// copying pages (Ctrl+C, or each page as it comes) and their entries in the right
// button's menu. Nothing here acts unless the player asks for it.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

#include "app/window_settings.h"
#include "frontend/player_aids.h"

class QAction;
class QKeyEvent;
class QMenu;
class QWheelEvent;
class QWidget;

namespace shirakaba {

class HistoryWindow;

class WindowAids : public QObject {
  Q_OBJECT
 public:
  // While skipping, the game's clock runs this many times as fast as the wall clock.
  static constexpr int kSkipSpeed = PlayerAids::kSkipSpeed;

  // changed() runs after the aids moved the game or turned something on or off: the
  // window refreshes (which reacts) and shows the state. Skip mode and auto speed come
  // from the settings; copying each page from the options (it is written only when the
  // player changes it).
  WindowAids(GameCore& game, WindowSettings& settings, QWidget* window, bool copyEachPage,
             std::function<void()> changed);
  ~WindowAids() override;
  // The aids every front end shares (the real-time clock runs them).
  PlayerAids& shared() { return aids_; }
  // The player's pointer and menu commands go through here.
  Comforts& comforts() { return aids_.comforts(); }
  void keepReadPagesIn(const std::string& userDir) { aids_.keepReadPagesIn(userDir); }

  // ---- Input ----
  // Every key press the window sees; true when it was one of the aids' keys.
  bool keyPress(QKeyEvent* e);
  void keyRelease(QKeyEvent* e);
  void wheel(QWheelEvent* e);
  // The window lost the keyboard (another window, a menu): a held Ctrl is let go.
  void keyboardLost();
  void addMenuEntries(QMenu* menu);

  // ---- Time ----
  // After every input and every catch-up of the clock: pages read, the history, and
  // skipping and auto mode act; a new page goes to the clipboard when copying each page.
  void react();
  int clockSpeed() const { return aids_.clockSpeed(); }
  // After a load, with the history of pages the save kept.
  void startNewHistory(const std::vector<HistoryEntry>& saved) { aids_.startNewHistory(saved); }

  // ---- The player's commands ----
  bool rollBack();
  bool rollForward();
  bool skipping() const { return aids_.skipping(); }
  void setSkipping(bool on);
  bool autoOn() const { return aids_.autoOn(); }
  void setAuto(bool on);
  SkipMode skipMode() const { return aids_.skipMode(); }  // what skipping skips: Read or All
  void setSkipMode(SkipMode mode);
  AutoPace autoPace() const { return aids_.autoPace(); }
  void setAutoPace(AutoPace pace);
  bool copiesEachPage() const { return aids_.copiesEachPage(); }
  void setCopyEachPage(bool on);
  // The page on the screen to the clipboard; false when there is none.
  bool copyPage();
  HistoryWindow* openHistory();
  HistoryWindow* historyWindow() const { return history_; }

  // What the title adds while skipping or in auto mode ("" otherwise).
  QString titleMark() const;

 private:
  // Wakes the Ctrl-hold rule when a held Ctrl is due to begin skipping.
  void armCtrl();
  void syncMenu();

  PlayerAids aids_;
  WindowSettings& settings_;
  QWidget* window_;
  std::function<void()> changed_;
  QElapsedTimer wall_;
  QTimer ctrlTimer_;
  HistoryWindow* history_ = nullptr;
  QAction* skipAction_ = nullptr;
  QAction* autoAction_ = nullptr;
  QAction* backAction_ = nullptr;
  QAction* forwardAction_ = nullptr;
  QAction* eachPageAction_ = nullptr;
  QAction* skipModeActions_[2] = {};
  QAction* paceActions_[3] = {};
};

}  // namespace shirakaba
