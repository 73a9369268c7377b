#include "app/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

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
    : options_(options), runner_(std::move(modalRunner)) {
  if (!runner_) runner_ = [](QDialog& d) { d.exec(); };
  // A single border: system menu and minimise, no maximise, not resizable.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(caption());
  setWindowIcon(appIcon());

  GameSetup setup;
  setup.gameDir = options.gameDir;
  setup.font = std::move(font);
  game_ = std::make_unique<GameCore>(setup);
  if (options.speak) speaker_ = new TextSpeaker(this);
  titleTimer_.setSingleShot(true);
  titleTimer_.setInterval(kTitleNoticeMs);
  connect(&titleTimer_, &QTimer::timeout, this, [this] { setWindowTitle(caption()); });

  screen_ = new ScreenWidget(*game_, options.scale, this);
  screen_->onPointer = [this](const PointerEvent& e) { deliverPointer(e); };
  setCentralWidget(screen_);
  if (!options.fullscreen) {
    screen_->setFixedSize(screen_->windowedSize());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  // Full screen keeps the menu bar: it is the game's second way in.
  screen_->setFocusPolicy(Qt::StrongFocus);

  mirror_ = std::make_unique<MenuMirror>(menuBar(), [this](MenuId id) { deliverMenu(id); });
  mirror_->build(game_->menu());
  clock_ = std::make_unique<RealClock>([this](int64_t wallNow) { game_->catchUp(wallNow); },
                                       [this] { return game_->nextDue(); }, [this] { refresh(); });

  about_ = new TAboutBox(this);
  mes_ = new TMes_Form(game_->gamePath("readme.txt"), this);

  clock_->catchUp();
  game_->start();
  refresh();
}

MainWindow::~MainWindow() { clock_->stop(); }

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
  const Result<QString> saved = saveScreenshot(*game_, dir);
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
  if (!game_) return;
  handleEvents();
  mirror_->sync(game_->menu());
  publishScreenText();
  screen_->update();
  if (windowClosed_ || game_->closed()) clock_->stop();
  else clock_->rearm();
}

// What the game asked for during the last call, in order. A dialog runs modally in
// here; the clock keeps firing the game's timers meanwhile, and their events are
// handled by the refresh that follows each tick.
void MainWindow::handleEvents() {
  for (GameEvent& event : game_->takeEvents()) {
    if (auto* sound = std::get_if<SoundStarted>(&event)) {
      sound_.play(QString::fromStdString(sound->path));
    } else if (auto* text = std::get_if<TextShown>(&event)) {
      screenText_.push_back(std::move(text->text));
    } else if (auto* dialog = std::get_if<DialogOpened>(&event)) {
      runDialog(*dialog);
    } else if (std::holds_alternative<WindowClosed>(event)) {
      close();
    } else if (auto* line = std::get_if<LogLine>(&event)) {
      std::fprintf(stderr, "shirakaba: %s\n", line->text.c_str());
    }
  }
}

void MainWindow::runDialog(const DialogOpened& d) {
  // The screen and the menu as they are now, and the clock armed for the timers that
  // run on while the dialog is open.
  mirror_->sync(game_->menu());
  screen_->update();
  clock_->rearm();
  switch (d.kind) {
    case DialogKind::Message: {
      // Before the main window is shown (the start-up message) the box stands alone.
      QMessageBox box(QMessageBox::NoIcon, applicationTitle(), QString::fromStdString(d.text), QMessageBox::Ok,
                      isVisible() ? this : nullptr);
      box.setTextFormat(Qt::PlainText);
      runner_(box);
      break;
    }
    case DialogKind::About: runner_(*about_); break;
    case DialogKind::Readme: runner_(*mes_); break;
    case DialogKind::None: return;
  }
  game_->dialogClosed();
}

void MainWindow::deliverPointer(const PointerEvent& e) {
  if (windowClosed_) return;
  clock_->catchUp();
  switch (e.action) {
    case PointerAction::Press: game_->pointerPress(e.button, e.x, e.y); break;
    case PointerAction::Move: game_->pointerMove(e.x, e.y); break;
    case PointerAction::Release: game_->pointerRelease(e.button, e.x, e.y); break;
  }
  refresh();
}

void MainWindow::deliverMenu(MenuId id) {
  if (windowClosed_) return;
  clock_->catchUp();
  game_->menuCommand(id);
  refresh();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!windowClosed_) {
    windowClosed_ = true;
    game_->closeWindow();  // the close box; "おわる" has shut the game down itself
    clock_->stop();
  }
  e->accept();
}

}  // namespace shirakaba
