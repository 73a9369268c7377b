// The player's aids in the window, around Comforts: rollback (wheel, Page Up and
// Page Down), skipping (Tab, Ctrl held alone), auto mode (A), the history window (H),
// copying pages (Ctrl+C, or each page as it comes) and their entries in the right
// button's menu. Nothing here acts unless the player asks for it.
#pragma once
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "app/window_settings.h"
#include "comforts/comforts.h"

class QAction;
class QKeyEvent;
class QMenu;
class QWheelEvent;
class QWidget;

namespace shirakaba {

class CtrlHold;
class HistoryWindow;

class WindowAids : public QObject {
  Q_OBJECT
 public:
  // While skipping, the game's clock runs this many times as fast as the wall clock.
  static constexpr int kSkipSpeed = 8;

  // changed() runs after the aids moved the game or turned something on or off: the
  // window refreshes (which reacts) and shows the state. Skip mode and auto speed come
  // from the settings; copying each page from the options (it is written only when the
  // player changes it).
  WindowAids(GameCore& game, WindowSettings& settings, QWidget* window, bool copyEachPage,
             std::function<void()> changed);
  ~WindowAids() override;
  // The player's pointer and menu commands go through here.
  Comforts& comforts() { return comforts_; }
  void keepReadPagesIn(const std::string& userDir) { comforts_.keepReadPagesIn(userDir); }

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
  // skipping and auto mode act.
  void react();
  // While skipping, time runs in here instead of in the game's catch-up: every timer
  // fires at its own time, so the game does exactly what it does at its own pace, only
  // sooner; it stops where skipping stops.
  void advance(int64_t until) { comforts_.advance(until); }
  // When the clock must wake next: the game's next timer or auto mode's next look.
  int64_t nextWake(int64_t gameDue) const;
  int clockSpeed() const { return skipping() ? kSkipSpeed : 1; }
  // After a load, with the history of pages the save kept.
  void startNewHistory(const std::vector<HistoryEntry>& saved);

  // ---- The player's commands ----
  bool rollBack();
  bool rollForward();
  bool skipping() const { return comforts_.skip() != SkipMode::Off; }
  void setSkipping(bool on);
  bool autoOn() const { return comforts_.autoOn(); }
  void setAuto(bool on);
  SkipMode skipMode() const { return skipMode_; }  // what skipping skips: Read or All
  void setSkipMode(SkipMode mode);
  AutoPace autoPace() const { return pace_; }
  void setAutoPace(AutoPace pace);
  bool copiesEachPage() const { return copyEachPage_; }
  void setCopyEachPage(bool on);
  // The page on the screen to the clipboard; false when there is none.
  bool copyPage();
  HistoryWindow* openHistory();
  HistoryWindow* historyWindow() const { return history_; }
  const CtrlHold& ctrlHold() const { return *ctrl_; }

  // What the title adds while skipping or in auto mode ("" otherwise).
  QString titleMark() const;

 private:
  void stopActing();
  void syncMenu();

  Comforts comforts_;
  WindowSettings& settings_;
  QWidget* window_;
  std::function<void()> changed_;
  CtrlHold* ctrl_ = nullptr;
  bool skippingByCtrl_ = false;
  SkipMode skipMode_ = SkipMode::Read;
  AutoPace pace_ = AutoPace::Normal;
  bool copyEachPage_ = false;
  int64_t autoWake_ = -1;
  int wheelSteps_ = 0;  // eighths of a degree turned and not yet acted on
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
