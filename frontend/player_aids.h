// The player's aids as every front end offers them, around Comforts: rollback (the
// wheel, Page Up and Page Down), skipping (Tab, Ctrl held alone), auto mode (A), what
// skipping skips and auto mode's pace, and copying each page. The front end turns its
// keys, wheel and menu into these calls and shows the state; nothing here acts unless
// the player asks for it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "comforts/comforts.h"
#include "frontend/ctrl_hold.h"
#include "frontend/front_settings.h"

namespace shirakaba {

class PlayerAids {
 public:
  // While skipping, the game's clock runs this many times as fast as the wall clock.
  static constexpr int kSkipSpeed = 8;
  // One notch of an ordinary wheel, in eighths of a degree.
  static constexpr int kWheelStep = 120;

  // Skip mode, auto pace and copying each page as the settings have them.
  PlayerAids(GameCore& game, const FrontSettings& settings);
  // The player's pointer and menu commands go through here, so that each one the game
  // takes leaves a rollback point.
  Comforts& comforts() { return comforts_; }
  const Comforts& comforts() const { return comforts_; }
  void keepReadPagesIn(const std::string& userDir) { comforts_.keepReadPagesIn(userDir); }

  // ---- Keys (wall time in milliseconds) ----
  // Ctrl and every other key: starts or ends skipping while Ctrl is held alone.
  void keyPressed(bool ctrl, bool otherModifiers, bool repeat, int64_t wall);
  void keyReleased(bool ctrl, bool repeat);
  // The front end lost the keyboard: a held Ctrl is let go.
  void keyboardLost();
  // The wall time at which a held Ctrl begins to skip, or -1.
  int64_t ctrlWakeAt() const { return ctrl_.startsAt(); }
  void wakeCtrl(int64_t wall);
  // A turn of the wheel in eighths of a degree (up positive): rolls back or forward
  // one point per notch.
  void wheel(int delta);

  // ---- Time ----
  // After every input and every catch-up of the clock: pages read, the history, and
  // skipping and auto mode act.
  void react();
  // When copying each page: the page shown anew since the last call, if any.
  std::optional<std::string> takePageToCopy() { return std::exchange(pageToCopy_, std::nullopt); }
  // While skipping, time runs in here instead of the game's catch-up.
  void advance(int64_t until) { comforts_.advance(until); }
  // When the clock must wake next (game time): the game's next timer or auto mode's next look.
  int64_t nextWake(int64_t gameDue) const;
  int clockSpeed() const { return skipping() ? kSkipSpeed : 1; }
  // After a load (with the save's history of pages) or a new game data: the history
  // starts anew and the aids stop.
  void startNewHistory(const std::vector<SavedPage>& pages = {});

  // ---- The player's commands ----
  bool rollBack();
  bool rollForward();
  bool skipping() const { return comforts_.skip() != SkipMode::Off; }
  void setSkipping(bool on);
  bool autoOn() const { return comforts_.autoOn(); }
  void setAuto(bool on) { comforts_.setAuto(on); }
  SkipMode skipMode() const { return skipMode_; }  // what skipping skips: Read or All
  void setSkipMode(SkipMode mode);
  AutoPace autoPace() const { return pace_; }
  void setAutoPace(AutoPace pace);
  bool copiesEachPage() const { return copyEachPage_; }
  void setCopyEachPage(bool on) { copyEachPage_ = on; }

 private:
  void stopActing();

  Comforts comforts_;
  CtrlHold ctrl_;
  bool skippingByCtrl_ = false;
  SkipMode skipMode_;
  AutoPace pace_;
  bool copyEachPage_;
  int64_t autoWake_ = -1;
  std::optional<std::string> pageToCopy_;
  int wheelSteps_ = 0;  // eighths of a degree turned and not yet acted on
};

}  // namespace shirakaba
