#include "app/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/menu_mirror.h"
#include "app/mes_form.h"
#include "app/real_clock.h"
#include "app/screen_accessible.h"
#include "app/screen_widget.h"
#include "app/screenshot.h"
#include "app/text_speaker.h"

namespace shirakaba {

MainWindow::MainWindow(const AppOptions& options, std::shared_ptr<FontFace> font, ModalRunner modalRunner)
    : options_(options), host_(std::move(modalRunner)) {
  // A single border: system menu and minimise, no maximise, not resizable.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(caption());
  setWindowIcon(appIcon());

  FormConfig config;
  config.gameDir = options.gameDir;
  form_ = std::make_unique<TXP_Form>(host_, config);
  form_->draw.font = std::move(font);
  // Collected during each event and announced once it is over (publishScreenText).
  form_->draw.onScreenText = [this](const std::string& text) { screenText_.push_back(text); };
  if (options.speak) speaker_ = new TextSpeaker(this);
  titleTimer_.setSingleShot(true);
  titleTimer_.setInterval(kTitleNoticeMs);
  connect(&titleTimer_, &QTimer::timeout, this, [this] { setWindowTitle(caption()); });

  screen_ = new ScreenWidget(*form_, options.scale, this);
  screen_->onPointer = [this](const PointerEvent& e) { deliverPointer(e); };
  setCentralWidget(screen_);
  if (!options.fullscreen) {
    screen_->setFixedSize(screen_->windowedSize());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  // Full screen keeps the menu bar: it is the game's second way in.
  screen_->setFocusPolicy(Qt::StrongFocus);

  mirror_ = std::make_unique<MenuMirror>(menuBar(), [this](MenuId id) { deliverMenu(id); });
  mirror_->build(form_->menu);
  clock_ = std::make_unique<RealClock>(form_->clock, [this] { refresh(); });

  host_.attach(form_.get(), this);
  host_.refresh = [this] { refresh(); };

  clock_->catchUp();
  form_->FormCreate();
  refresh();

  about_ = new TAboutBox(this);
  mes_ = new TMes_Form(form_->gamePath("readme.txt"), this);
  host_.setDialogs(about_, mes_);
}

MainWindow::~MainWindow() {
  clock_->stop();
  host_.refresh = nullptr;
}

void MainWindow::present() {
  if (options_.fullscreen) {
    setFullScreenShown(true);
  } else {
    adjustSize();
    centreOnScreen(this);
    show();
  }
}

void MainWindow::setFullScreenShown(bool on) {
  if (on == fullScreen_ && isVisible()) return;
  fullScreen_ = on;
  if (on) {
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    screen_->setMinimumSize(0, 0);
    screen_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    screen_->setFillsWidget(true);
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) setGeometry(s->geometry());  // also where no window manager honours the full-screen state
    showFullScreen();
  } else {
    screen_->setFillsWidget(false);
    showNormal();
    screen_->setFixedSize(screen_->windowedSize());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen(this);
  }
  screen_->update();
}

QString MainWindow::takeScreenshot() {
  const QString dir = options_.shotsDir.empty() ? defaultShotsDir() : QString::fromStdString(options_.shotsDir);
  const Result<QString> saved = saveScreenshot(*form_, dir);
  if (!saved) {
    showInTitle(QStringLiteral("Screenshot failed: %1").arg(QString::fromStdString(saved.error())));
    return QString();
  }
  showInTitle(QStringLiteral("Screenshot saved: %1").arg(saved.value()));
  return saved.value();
}

void MainWindow::showInTitle(const QString& notice) {
  setWindowTitle(notice);
  titleTimer_.start();  // a second notice restarts the wait
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if ((e->key() == Qt::Key_F11 && mods == Qt::NoModifier) || (enter && mods == Qt::AltModifier)) {
    if (!e->isAutoRepeat()) setFullScreenShown(!fullScreen_);
  } else if (e->key() == Qt::Key_F12 && mods == Qt::NoModifier) {
    if (!e->isAutoRepeat()) takeScreenshot();
  } else {
    QMainWindow::keyPressEvent(e);
    return;
  }
  e->accept();
}

void MainWindow::publishScreenText() {
  if (screenText_.empty()) return;
  const QString text = shownTextOf(screenText_);
  screenText_.clear();
  if (text.isEmpty()) return;
  screen_->setShownText(text);
  if (speaker_) speaker_->say(text);
}

void MainWindow::refresh() {
  if (!form_) return;
  form_->soundsStarted.clear();  // the window has played them through the host already
  mirror_->sync(form_->menu);
  publishScreenText();
  screen_->update();
  if (formClosed_) clock_->stop();
  else clock_->rearm();
}

void MainWindow::deliverPointer(const PointerEvent& e) {
  if (formClosed_) return;
  clock_->catchUp();
  switch (e.action) {
    case PointerAction::Press: form_->mouseDown(e.button, e.x, e.y); break;
    case PointerAction::Move: form_->mouseMove(e.x, e.y); break;
    case PointerAction::Release: form_->mouseUp(e.button, e.x, e.y); break;
  }
  refresh();
}

void MainWindow::deliverMenu(MenuId id) {
  if (formClosed_) return;
  clock_->catchUp();
  form_->menuClick(id);
  refresh();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!formClosed_) {
    formClosed_ = true;
    if (!form_->closed()) form_->FormClose();  // the close box; "おわる" has closed the form itself
    clock_->stop();
  }
  e->accept();
}

}  // namespace shirakaba
