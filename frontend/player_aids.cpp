#include "frontend/player_aids.h"

#include <algorithm>

namespace shirakaba {

PlayerAids::PlayerAids(GameCore& game, const FrontSettings& settings)
    : comforts_(game),
      skipMode_(settings.skipMode == SkipMode::All ? SkipMode::All : SkipMode::Read),
      pace_(settings.autoPace),
      copyEachPage_(settings.copyEachPage) {
  comforts_.setAutoSpeed(autoSpeedOf(pace_));
}

void PlayerAids::keyPressed(bool ctrl, bool otherModifiers, bool repeat, int64_t wall) {
  if (ctrl_.keyPressed(ctrl, otherModifiers, repeat, wall) == CtrlHold::Change::Ended && skippingByCtrl_)
    setSkipping(false);
}

void PlayerAids::keyReleased(bool ctrl, bool repeat) {
  if (ctrl_.keyReleased(ctrl, repeat) == CtrlHold::Change::Ended && skippingByCtrl_) setSkipping(false);
}

void PlayerAids::keyboardLost() {
  if (ctrl_.cancel() == CtrlHold::Change::Ended && skippingByCtrl_) setSkipping(false);
}

void PlayerAids::wakeCtrl(int64_t wall) {
  if (ctrl_.wake(wall) != CtrlHold::Change::Started) return;
  comforts_.setSkip(skipMode_);
  comforts_.setSkipHeld(true);
  skippingByCtrl_ = true;
}

void PlayerAids::wheel(int delta) {
  // A turn the other way forgets what was left of the last one.
  if ((delta > 0) != (wheelSteps_ > 0)) wheelSteps_ = 0;
  wheelSteps_ += delta;
  for (; wheelSteps_ >= kWheelStep; wheelSteps_ -= kWheelStep) rollBack();
  for (; wheelSteps_ <= -kWheelStep; wheelSteps_ += kWheelStep) rollForward();
}

void PlayerAids::react() {
  autoWake_ = comforts_.react();
  if (!skipping()) skippingByCtrl_ = false;  // it stopped by itself: Ctrl's release is no longer its end
  std::optional<std::string> page = comforts_.takeNewPage();
  if (page && copyEachPage_) pageToCopy_ = std::move(page);
}

int64_t PlayerAids::nextWake(int64_t gameDue) const {
  if (autoWake_ < 0) return gameDue;
  if (gameDue < 0) return autoWake_;
  return std::min(gameDue, autoWake_);
}

void PlayerAids::startNewHistory(const std::vector<SavedPage>& pages) {
  comforts_.startNewHistory(pages);
  stopActing();
}

// Going back and forth is for reading: skipping and auto mode stop.
void PlayerAids::stopActing() {
  comforts_.setSkip(SkipMode::Off);
  comforts_.setAuto(false);
  skippingByCtrl_ = false;
}

bool PlayerAids::rollBack() {
  if (comforts_.rollBack(1) == 0) return false;
  stopActing();
  return true;
}

bool PlayerAids::rollForward() {
  if (!comforts_.rollForward()) return false;
  stopActing();
  return true;
}

void PlayerAids::setSkipping(bool on) {
  skippingByCtrl_ = false;
  comforts_.setSkip(on ? skipMode_ : SkipMode::Off);
}

void PlayerAids::setSkipMode(SkipMode mode) {
  if (mode == SkipMode::Off) return;
  skipMode_ = mode;
  if (skipping()) comforts_.setSkip(mode);
}

void PlayerAids::setAutoPace(AutoPace pace) {
  pace_ = pace;
  comforts_.setAutoSpeed(autoSpeedOf(pace));
}

}  // namespace shirakaba
