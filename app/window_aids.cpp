#include "app/window_aids.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>
#include <algorithm>

#include "app/history_window.h"

namespace shirakaba {

namespace {

// The window's settings as the aids start from them.
FrontSettings aidsSettings(const WindowSettings& settings, bool copyEachPage) {
  FrontSettings s = settings.read();
  s.copyEachPage = copyEachPage;
  return s;
}

}  // namespace

WindowAids::WindowAids(GameCore& game, WindowSettings& settings, QWidget* window, bool copyEachPage,
                       std::function<void()> changed)
    : aids_(game, aidsSettings(settings, copyEachPage)),
      settings_(settings),
      window_(window),
      changed_(std::move(changed)) {
  wall_.start();
  ctrlTimer_.setSingleShot(true);
  ctrlTimer_.setTimerType(Qt::PreciseTimer);
  connect(&ctrlTimer_, &QTimer::timeout, this, [this] {
    aids_.wakeCtrl(wall_.elapsed());
    if (aids_.ctrlWakeAt() < 0) changed_();  // the hold began
    else armCtrl();                          // a timer that fired a little early waits on
  });
}

WindowAids::~WindowAids() = default;

// ---- Input ----

bool WindowAids::keyPress(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  const bool isCtrl = e->key() == Qt::Key_Control;
  const bool others = (mods & ~Qt::ControlModifier) != Qt::NoModifier;
  const bool wasSkipping = skipping();
  aids_.keyPressed(isCtrl, others, e->isAutoRepeat(), wall_.elapsed());
  armCtrl();
  if (skipping() != wasSkipping) changed_();  // another key ended a hold
  if (isCtrl) return false;
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

void WindowAids::keyRelease(QKeyEvent* e) {
  const bool wasSkipping = skipping();
  aids_.keyReleased(e->key() == Qt::Key_Control, e->isAutoRepeat());
  armCtrl();
  if (skipping() != wasSkipping) changed_();
}

void WindowAids::keyboardLost() {
  const bool wasSkipping = skipping();
  aids_.keyboardLost();
  armCtrl();
  if (skipping() != wasSkipping) changed_();
}

void WindowAids::armCtrl() {
  const int64_t at = aids_.ctrlWakeAt();
  if (at < 0) ctrlTimer_.stop();
  else ctrlTimer_.start(static_cast<int>(std::max<int64_t>(1, at - wall_.elapsed())));
}

void WindowAids::wheel(QWheelEvent* e) {
  const Rollback& rollback = aids_.comforts().rollback();
  const size_t ahead = rollback.pointsAhead(), behind = rollback.points();
  aids_.wheel(e->angleDelta().y());
  if (rollback.pointsAhead() != ahead || rollback.points() != behind) changed_();
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
  backAction_->setEnabled(comforts().rollback().points() > 0);
  forwardAction_->setEnabled(comforts().rollback().pointsAhead() > 0);
  skipAction_->setChecked(skipping());
  skipModeActions_[0]->setChecked(skipMode() == SkipMode::Read);
  skipModeActions_[1]->setChecked(skipMode() == SkipMode::All);
  autoAction_->setChecked(autoOn());
  for (int i = 0; i < 3; ++i) paceActions_[i]->setChecked(static_cast<int>(autoPace()) == i);
  eachPageAction_->setChecked(copiesEachPage());
}

// ---- Time ----

void WindowAids::react() {
  aids_.react();
  if (const std::optional<std::string> page = aids_.takePageToCopy())
    QGuiApplication::clipboard()->setText(QString::fromStdString(*page));
  if (history_ && history_->isVisible()) history_->setHistory(comforts().history());
}

// ---- The player's commands ----

// A roll that moved the game shows it.
bool WindowAids::rollBack() {
  const bool rolled = aids_.rollBack();
  if (rolled) changed_();
  return rolled;
}

bool WindowAids::rollForward() {
  const bool rolled = aids_.rollForward();
  if (rolled) changed_();
  return rolled;
}

void WindowAids::setSkipping(bool on) {
  aids_.setSkipping(on);
  changed_();
}

void WindowAids::setAuto(bool on) {
  aids_.setAuto(on);
  changed_();
}

void WindowAids::setSkipMode(SkipMode mode) {
  if (mode == SkipMode::Off) return;
  aids_.setSkipMode(mode);
  settings_.setSkipMode(mode);
  changed_();
}

void WindowAids::setAutoPace(AutoPace pace) {
  aids_.setAutoPace(pace);
  settings_.setAutoPace(pace);
  changed_();  // auto mode's next look moves
}

void WindowAids::setCopyEachPage(bool on) {
  aids_.setCopyEachPage(on);
  settings_.setCopyEachPage(on);
}

bool WindowAids::copyPage() {
  const std::string text = comforts().screenText();
  if (text.empty()) return false;
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  return true;
}

HistoryWindow* WindowAids::openHistory() {
  if (!history_) history_ = new HistoryWindow(window_);
  history_->setHistory(comforts().history());
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
