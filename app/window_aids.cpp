#include "app/window_aids.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

#include "app/ctrl_hold.h"
#include "app/history_window.h"

namespace shirakaba {

namespace {
constexpr int kWheelStep = 120;  // one notch of an ordinary wheel, in eighths of a degree
}

WindowAids::WindowAids(GameCore& game, WindowSettings& settings, QWidget* window, bool copyEachPage,
                       std::function<void()> changed)
    : comforts_(game),
      settings_(settings),
      window_(window),
      changed_(std::move(changed)),
      skipMode_(settings.skipMode()),
      pace_(settings.autoPace()),
      copyEachPage_(copyEachPage) {
  comforts_.setAutoSpeed(autoSpeedOf(pace_));
  ctrl_ = new CtrlHold(
      [this] {
        comforts_.setSkip(skipMode_);
        comforts_.setSkipHeld(true);
        skippingByCtrl_ = true;
        changed_();
      },
      [this] {
        if (skippingByCtrl_) setSkipping(false);
      },
      this);
}

WindowAids::~WindowAids() = default;

// ---- Input ----

bool WindowAids::keyPress(QKeyEvent* e) {
  ctrl_->keyPressed(*e);
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  const bool plain = mods == Qt::NoModifier, ctrl = mods == Qt::ControlModifier;
  const bool once = !e->isAutoRepeat();  // holding Page Up rolls on; the toggles act once
  switch (e->key()) {
    case Qt::Key_PageUp:
      if (!plain) return false;
      rollBack();
      return true;
    case Qt::Key_PageDown:
      if (!plain) return false;
      rollForward();
      return true;
    case Qt::Key_Tab:
      if (!plain) return false;
      if (once) setSkipping(!skipping());
      return true;
    case Qt::Key_A:
      if (!plain) return false;
      if (once) setAuto(!autoOn());
      return true;
    case Qt::Key_H:
      if (!plain) return false;
      if (once) openHistory();
      return true;
    case Qt::Key_C:
      if (!ctrl) return false;
      if (once) copyPage();
      return true;
    default: return false;
  }
}

void WindowAids::keyRelease(QKeyEvent* e) { ctrl_->keyReleased(*e); }

void WindowAids::keyboardLost() { ctrl_->cancel(); }

void WindowAids::wheel(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  // A turn the other way forgets what was left of the last one.
  if ((delta > 0) != (wheelSteps_ > 0)) wheelSteps_ = 0;
  wheelSteps_ += delta;
  for (; wheelSteps_ >= kWheelStep; wheelSteps_ -= kWheelStep) rollBack();
  for (; wheelSteps_ <= -kWheelStep; wheelSteps_ += kWheelStep) rollForward();
  e->accept();
}

void WindowAids::addMenuEntries(QMenu* menu) {
  backAction_ = menu->addAction(tr("Roll back\tPage Up"), this, [this] { rollBack(); });
  forwardAction_ = menu->addAction(tr("Roll forward\tPage Down"), this, [this] { rollForward(); });
  menu->addSeparator();

  skipAction_ = menu->addAction(tr("Skip\tTab"));
  skipAction_->setCheckable(true);
  connect(skipAction_, &QAction::triggered, this, [this](bool on) { setSkipping(on); });
  QMenu* skipMenu = menu->addMenu(tr("Skip mode"));
  auto* skipGroup = new QActionGroup(skipMenu);
  const std::pair<QString, SkipMode> skipModes[] = {{tr("Read pages only"), SkipMode::Read},
                                                    {tr("All pages"), SkipMode::All}};
  for (int i = 0; i < 2; ++i) {
    const SkipMode mode = skipModes[i].second;
    skipModeActions_[i] = skipMenu->addAction(skipModes[i].first, this, [this, mode] { setSkipMode(mode); });
    skipModeActions_[i]->setCheckable(true);
    skipGroup->addAction(skipModeActions_[i]);
  }

  autoAction_ = menu->addAction(tr("Auto mode\tA"));
  autoAction_->setCheckable(true);
  connect(autoAction_, &QAction::triggered, this, [this](bool on) { setAuto(on); });
  QMenu* paceMenu = menu->addMenu(tr("Auto speed"));
  auto* paceGroup = new QActionGroup(paceMenu);
  const QString paceNames[] = {tr("Slow"), tr("Normal"), tr("Fast")};
  for (int i = 0; i < 3; ++i) {
    const auto pace = static_cast<AutoPace>(i);
    paceActions_[i] = paceMenu->addAction(paceNames[i], this, [this, pace] { setAutoPace(pace); });
    paceActions_[i]->setCheckable(true);
    paceGroup->addAction(paceActions_[i]);
  }
  menu->addSeparator();

  menu->addAction(tr("History…\tH"), this, [this] { openHistory(); });
  menu->addAction(tr("Copy text\tCtrl+C"), this, [this] { copyPage(); });
  eachPageAction_ = menu->addAction(tr("Copy each page"));
  eachPageAction_->setCheckable(true);
  connect(eachPageAction_, &QAction::triggered, this, [this](bool on) { setCopyEachPage(on); });

  connect(menu, &QMenu::aboutToShow, this, [this] {
    keyboardLost();  // the menu takes the keys: Ctrl's release would not be seen
    syncMenu();
  });
  syncMenu();
}

void WindowAids::syncMenu() {
  if (!skipAction_) return;
  backAction_->setEnabled(comforts_.rollback().points() > 0);
  forwardAction_->setEnabled(comforts_.rollback().pointsAhead() > 0);
  skipAction_->setChecked(skipping());
  skipModeActions_[0]->setChecked(skipMode_ == SkipMode::Read);
  skipModeActions_[1]->setChecked(skipMode_ == SkipMode::All);
  autoAction_->setChecked(autoOn());
  for (int i = 0; i < 3; ++i) paceActions_[i]->setChecked(static_cast<int>(pace_) == i);
  eachPageAction_->setChecked(copyEachPage_);
}

// ---- Time ----

void WindowAids::react() {
  autoWake_ = comforts_.react();
  if (!skipping()) skippingByCtrl_ = false;  // it stopped by itself: Ctrl's release is no longer its end
  const std::optional<std::string> page = comforts_.takeNewPage();
  if (page && copyEachPage_) QGuiApplication::clipboard()->setText(QString::fromStdString(*page));
  if (history_ && history_->isVisible()) history_->setHistory(comforts_.history());
}

int64_t WindowAids::nextWake(int64_t gameDue) const {
  if (autoWake_ < 0) return gameDue;
  if (gameDue < 0) return autoWake_;
  return std::min(gameDue, autoWake_);
}

void WindowAids::startNewHistory(const std::vector<HistoryEntry>& saved) {
  comforts_.startNewHistory(saved);
  stopActing();
}

// ---- The player's commands ----

// Going back and forth is for reading: skipping and auto mode stop.
void WindowAids::stopActing() {
  comforts_.setSkip(SkipMode::Off);
  comforts_.setAuto(false);
  skippingByCtrl_ = false;
}

bool WindowAids::rollBack() {
  if (comforts_.rollBack(1) == 0) return false;
  stopActing();
  changed_();
  return true;
}

bool WindowAids::rollForward() {
  if (!comforts_.rollForward()) return false;
  stopActing();
  changed_();
  return true;
}

void WindowAids::setSkipping(bool on) {
  skippingByCtrl_ = false;
  comforts_.setSkip(on ? skipMode_ : SkipMode::Off);
  changed_();
}

void WindowAids::setAuto(bool on) {
  comforts_.setAuto(on);
  changed_();
}

void WindowAids::setSkipMode(SkipMode mode) {
  if (mode == SkipMode::Off) return;
  skipMode_ = mode;
  settings_.setSkipMode(mode);
  if (skipping()) comforts_.setSkip(mode);
  changed_();
}

void WindowAids::setAutoPace(AutoPace pace) {
  pace_ = pace;
  comforts_.setAutoSpeed(autoSpeedOf(pace));
  settings_.setAutoPace(pace);
  changed_();  // auto mode's next look moves
}

void WindowAids::setCopyEachPage(bool on) {
  copyEachPage_ = on;
  settings_.setCopyEachPage(on);
}

bool WindowAids::copyPage() {
  const std::string text = comforts_.screenText();
  if (text.empty()) return false;
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  return true;
}

HistoryWindow* WindowAids::openHistory() {
  if (!history_) history_ = new HistoryWindow(window_);
  history_->setHistory(comforts_.history());
  history_->show();
  history_->raise();
  history_->activateWindow();
  return history_;
}

QString WindowAids::titleMark() const {
  if (skipping()) return QStringLiteral("  ") + tr("[Skip]");
  if (autoOn()) return QStringLiteral("  ") + tr("[Auto]");
  return QString();
}

}  // namespace shirakaba
