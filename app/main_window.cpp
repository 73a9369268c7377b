#include "app/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/menu_mirror.h"
#include "app/mes_form.h"
#include "app/real_clock.h"
#include "app/save_dialog.h"
#include "app/screen_accessible.h"
#include "app/screen_mapping.h"
#include "app/screen_widget.h"
#include "app/screenshot.h"
#include "app/slot_view.h"
#include "app/text_speaker.h"
#include "app/window_aids.h"
#include "app/window_settings.h"
#include "frontend/game_saves.h"

namespace shirakaba {

namespace {

// The context translators see these texts in.
class SaveTexts {
  Q_DECLARE_TR_FUNCTIONS(WindowSaves)

 public:
  static SaveReasons reasons() {
    return {tr("there is no game data (%1)").toStdString(),
            tr("no game is under way yet; start or load one first").toStdString(), tr("it is empty").toStdString()};
  }
};

}  // namespace

MainWindow::MainWindow(const AppOptions& options, std::shared_ptr<FontFace> font, ModalRunner modalRunner)
    : options_(options), runner_(std::move(modalRunner)) {
  if (!runner_) runner_ = [](QDialog& d) { d.exec(); };
  // A single border: system menu and minimise, no maximise, not resizable.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromStdString(GameCore::originalWindowTexts().caption));
  setWindowIcon(appIcon());

  GameSetup setup;
  setup.gameDir = options.gameDir;
  setup.font = std::move(font);
  game_ = std::make_unique<GameCore>(setup);
  const QString userDir = userDirFor(options);
  saves_ = std::make_unique<GameSaves>(*game_, userDir.toStdString(), SaveTexts::reasons());
  settings_ = std::make_unique<WindowSettings>(userDir);
  aids_ = std::make_unique<WindowAids>(*game_, *settings_, this, options.copyEachPage, [this] { refresh(); });
  if (options.speak) speaker_ = new TextSpeaker(this);
  titleTimer_.setSingleShot(true);
  titleTimer_.setInterval(kTitleNoticeMs);
  connect(&titleTimer_, &QTimer::timeout, this, [this] {
    notice_.clear();
    updateTitle();
  });

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
  clock_ = std::make_unique<RealClock>(*game_, aids_->shared(), [this] { refresh(); });

  about_ = new TAboutBox(this);
  mes_ = new TMes_Form(game_->gamePath("readme.txt"), this);
  buildSaveMenu();

  clock_->catchUp();
  game_->start();
  // The game data has been read: its translations of the window's texts apply now.
  const WindowTexts texts = game_->windowTexts();
  about_->setTexts(QString::fromStdString(texts.aboutTitle), QString::fromStdString(texts.productName));
  mes_->setTexts(QString::fromStdString(texts.readmeTitle), QString::fromStdString(texts.readmeClose));
  aids_->keepReadPagesIn(userDir.toStdString());
  refresh();
}

MainWindow::~MainWindow() { clock_->stop(); }

void MainWindow::present() {
  if (options_.fullscreen) {
    setFullScreenShown(true);
  } else {
    fitZoomToScreen();
    adjustSize();
    // Where the window was left, if that place is still on a screen.
    const std::optional<QPoint> at = settings_->position();
    if (at && QGuiApplication::screenAt(*at + QPoint(8, 8))) move(*at);
    else centreOnScreen(this);
    show();
  }
}

int MainWindow::largestFittingZoom() const {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return kMaxScale;
  // The frame is known once the window is shown (none before).
  const QSize chrome = frameGeometry().size() - geometry().size() + QSize(0, menuBar()->sizeHint().height());
  return largestWindowedZoom(devicePixelRatioF(), s->availableGeometry().size(), chrome, kMaxScale);
}

// A zoom too large for the screen (asked for, or remembered from a larger screen) gives
// way to the largest that fits; the settings keep what was asked.
void MainWindow::fitZoomToScreen() {
  const int fits = largestFittingZoom();
  if (screen_->scale() <= fits) return;
  const QSize available = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry().size();
  const QString notice = tr("zoom %1 does not fit the screen (%2 x %3 available); zoom %4 is used instead")
                             .arg(screen_->scale())
                             .arg(available.width())
                             .arg(available.height())
                             .arg(fits);
  std::fprintf(stderr, "shirakaba: %s\n", notice.toLocal8Bit().constData());
  screen_->setScale(fits);
  screen_->setFixedSize(screen_->windowedSize());
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

void MainWindow::toggleFullScreen() {
  setFullScreenShown(!fullScreen_);
  settings_->setFullScreen(fullScreen_);
}

void MainWindow::setZoom(int scale) {
  if (scale < 1 || scale > kMaxScale) return;
  screen_->setScale(scale);
  if (!fullScreen_) {
    screen_->setFixedSize(screen_->windowedSize());
    adjustSize();
  }
  settings_->setScale(scale);
}

void MainWindow::setSpeaking(bool on) {
  if (on && !speaker_) speaker_ = new TextSpeaker(this);
  if (!on && speaker_) {
    delete speaker_;
    speaker_ = nullptr;
  }
  settings_->setSpeak(on);
}

QString MainWindow::takeScreenshot() {
  const QString dir = options_.shotsDir.empty() ? defaultShotsDir() : QString::fromStdString(options_.shotsDir);
  const Result<QString> saved = saveScreenshot(*game_, dir);
  if (!saved) {
    showInTitle(tr("Screenshot failed: %1").arg(QString::fromStdString(saved.error())));
    return QString();
  }
  showInTitle(tr("Screenshot saved: %1").arg(saved.value()));
  return saved.value();
}

QString MainWindow::caption() const { return QString::fromStdString(game_->windowTexts().caption); }

void MainWindow::showInTitle(const QString& notice) {
  notice_ = notice;
  updateTitle();
  titleTimer_.start();  // a second notice restarts the wait
}

// The caption or a notice, and whether skipping or auto mode is on: never drawn on the
// game's screen.
void MainWindow::updateTitle() {
  const QString title = (notice_.isEmpty() ? caption() : notice_) + aids_->titleMark();
  if (title != windowTitle()) setWindowTitle(title);
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  const bool plain = mods == Qt::NoModifier, ctrl = mods == Qt::ControlModifier;
  // Holding a key down does one thing, once.
  const bool once = !e->isAutoRepeat();
  if (!windowClosed_ && aids_->keyPress(e)) {
    e->accept();
    return;
  }
  if ((e->key() == Qt::Key_F11 && plain) || (enter && mods == Qt::AltModifier)) {
    if (once) toggleFullScreen();
  } else if (e->key() == Qt::Key_F12 && plain) {
    if (once) takeScreenshot();
  } else if (e->key() == Qt::Key_F5 && plain) {
    if (once) saveTo(SaveSlot::quick());
  } else if (e->key() == Qt::Key_F9 && plain) {
    if (once) loadFrom(SaveSlot::quick());
  } else if (e->key() == Qt::Key_S && ctrl) {
    if (once) openSaveDialog();
  } else if (e->key() == Qt::Key_L && ctrl) {
    if (once) openLoadDialog();
  } else {
    QMainWindow::keyPressEvent(e);
    return;
  }
  e->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, e);
  const auto* key = static_cast<QKeyEvent*>(e);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  const bool saveKey = (key->key() == Qt::Key_F5 && mods == Qt::NoModifier) ||
                       (key->key() == Qt::Key_S && mods == Qt::ControlModifier);
  if (!saveKey) return false;
  if (!key->isAutoRepeat())
    tellFailure(tr("Nothing was saved: close the window \"%1\" first").arg(dialog->windowTitle()));
  return true;
}

void MainWindow::keyReleaseEvent(QKeyEvent* e) {
  aids_->keyRelease(e);
  QMainWindow::keyReleaseEvent(e);
}

void MainWindow::wheelEvent(QWheelEvent* e) {
  if (!windowClosed_) aids_->wheel(e);
}

void MainWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && !isActiveWindow()) aids_->keyboardLost();
  QMainWindow::changeEvent(e);
}

void MainWindow::refresh() {
  if (!game_) return;
  if (!game_->closed()) aids_->react();
  dispatchEvents(*game_, *this);
  if (const std::optional<std::string> problem = aids_->comforts().takeReadPagesProblem())
    tellFailure(tr("The pages read are not remembered: %1").arg(QString::fromStdString(*problem)));
  mirror_->sync(game_->menu());
  clock_->followAids();
  updateTitle();
  screen_->update();
  if (windowClosed_ || game_->closed()) clock_->stop();
  else clock_->rearm();
}

// ---- What the game asked for ----

void MainWindow::playSound(const SoundStarted& sound) { sound_.play(QString::fromStdString(sound.path)); }

void MainWindow::showText(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  screen_->setShownText(shown);
  if (speaker_) speaker_->say(shown);
}

void MainWindow::closeWindow() { close(); }

void MainWindow::log(const std::string& line) { std::fprintf(stderr, "shirakaba: %s\n", line.c_str()); }

void MainWindow::openDialog(const DialogOpened& d) {
  // The screen and the menu as they are now, and the clock armed for the timers that
  // run on while the dialog is open.
  mirror_->sync(game_->menu());
  screen_->update();
  clock_->rearm();
  // While it is open the keys go to it: the save keys say there why they save nothing.
  const auto run = [this](QDialog& dialog) {
    dialog.installEventFilter(this);
    runner_(dialog);
    dialog.removeEventFilter(this);
  };
  switch (d.kind) {
    case DialogKind::Message: {
      // Before the main window is shown (the start-up message) the box stands alone.
      const QString title = QString::fromStdString(game_->windowTexts().messageTitle);
      QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(d.text), QMessageBox::Ok,
                      isVisible() ? this : nullptr);
      box.setTextFormat(Qt::PlainText);
      run(box);
      break;
    }
    case DialogKind::About: run(*about_); break;
    case DialogKind::Readme: run(*mes_); break;
    case DialogKind::None: return;
  }
  game_->dialogClosed();
}

void MainWindow::deliverPointer(const PointerEvent& e) {
  if (windowClosed_) return;
  // The game plays with the left button only; the right one opens the save menu.
  if (e.button == MouseButton::Right && e.action != PointerAction::Move) return;
  clock_->catchUp();
  Comforts& input = aids_->comforts();  // each press the game takes leaves a rollback point
  switch (e.action) {
    case PointerAction::Press: input.press(e.button, e.x, e.y); break;
    case PointerAction::Move: input.move(e.x, e.y); break;
    case PointerAction::Release: input.release(e.button, e.x, e.y); break;
  }
  refresh();
}

void MainWindow::deliverMenu(MenuId id) {
  if (windowClosed_) return;
  clock_->catchUp();
  // "おわる" gives back the autosave it took before shutting the game down.
  if (std::optional<SaveFile> autosave = saves_->runMenuCommand(aids_->shared(), id)) writeAutosave(*autosave);
  refresh();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!windowClosed_) {
    windowClosed_ = true;
    if (isVisible() && !fullScreen_) settings_->setPosition(pos());
    // The close box during a game keeps it in the autosave.
    if (std::optional<SaveFile> autosave = saves_->takeAutosave(aids_->shared())) writeAutosave(*autosave);
    game_->closeWindow();  // the close box; "おわる" has shut the game down itself
    clock_->stop();
  }
  e->accept();
}

// ---- Saves ----

QString MainWindow::userDirFor(const AppOptions& options) {
  if (!options.userDir.empty()) return QString::fromStdString(options.userDir);
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void MainWindow::buildSaveMenu() {
  saveMenu_ = new QMenu(this);
  // The keys are only shown here (after the tab); keyPressEvent acts on them.
  saveMenu_->addAction(tr("Quick save\tF5"), this, [this] { saveTo(SaveSlot::quick()); });
  QAction* quickLoad = saveMenu_->addAction(tr("Quick load\tF9"), this, [this] { loadFrom(SaveSlot::quick()); });
  saveMenu_->addSeparator();
  saveMenu_->addAction(tr("Save…\tCtrl+S"), this, &MainWindow::openSaveDialog);
  saveMenu_->addAction(tr("Load…\tCtrl+L"), this, &MainWindow::openLoadDialog);
  saveMenu_->addSeparator();
  aids_->addMenuEntries(saveMenu_);
  saveMenu_->addSeparator();
  addWindowEntries(saveMenu_);
  connect(saveMenu_, &QMenu::aboutToShow, this, [this, quickLoad] {
    const Result<SaveSlots> all = saves_->saveSlots();
    quickLoad->setEnabled(all && all->exists(SaveSlot::quick()));
  });
  screen_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(screen_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (!windowClosed_) saveMenu_->popup(screen_->mapToGlobal(at));
  });
}

void MainWindow::addWindowEntries(QMenu* menu) {
  QMenu* zoom = menu->addMenu(tr("Zoom"));
  auto* zoomGroup = new QActionGroup(zoom);
  QAction* zooms[kMaxScale] = {};
  for (int n = 1; n <= kMaxScale; ++n) {
    zooms[n - 1] = zoom->addAction(tr("%1×").arg(n), this, [this, n] { setZoom(n); });
    zooms[n - 1]->setCheckable(true);
    zoomGroup->addAction(zooms[n - 1]);
  }
  QAction* full = menu->addAction(tr("Full screen\tF11"), this, &MainWindow::toggleFullScreen);
  full->setCheckable(true);
  QAction* speak = menu->addAction(tr("Read aloud"));
  speak->setCheckable(true);
  connect(speak, &QAction::triggered, this, &MainWindow::setSpeaking);
  connect(menu, &QMenu::aboutToShow, this, [this, zooms, full, speak] {
    // A zoom whose window would not fit the screen is not offered.
    const int fits = largestFittingZoom();
    for (int n = 1; n <= kMaxScale; ++n) {
      zooms[n - 1]->setChecked(screen_->scale() == n);
      zooms[n - 1]->setEnabled(n <= fits);
    }
    full->setChecked(fullScreen_);
    speak->setChecked(speaking());
  });
}

bool MainWindow::saveTo(SaveSlot slot) {
  if (windowClosed_) return false;
  clock_->catchUp();
  const Result<SaveInfo> saved = saves_->save(slot, aids_->comforts().history().entries());
  const QString where = SlotTexts::inSentence(slot);
  if (saved) showInTitle(tr("Saved to %1").arg(where));
  else tellFailure(tr("Cannot save to %1: %2").arg(where, QString::fromStdString(saved.error())));
  refresh();
  return saved.ok();
}

bool MainWindow::loadFrom(SaveSlot slot) {
  if (windowClosed_) return false;
  clock_->catchUp();
  std::vector<SavedPage> history;
  const Result<SaveInfo> loaded = saves_->load(slot, &history);
  const QString where = SlotTexts::inSentence(slot);
  if (loaded) aids_->startNewHistory(history);
  if (loaded) showInTitle(tr("Loaded %1").arg(where));
  else tellFailure(tr("Cannot load %1: %2").arg(where, QString::fromStdString(loaded.error())));
  refresh();
  return loaded.ok();
}

// In the title for a few seconds, and on stderr for longer.
void MainWindow::tellFailure(const QString& notice) {
  showInTitle(notice);
  std::fprintf(stderr, "shirakaba: %s\n", notice.toLocal8Bit().constData());
}

bool MainWindow::continueFromAutosave() { return loadFrom(SaveSlot::autosave()); }

void MainWindow::openSaveDialog() { openSlotDialog(true); }
void MainWindow::openLoadDialog() { openSlotDialog(false); }

void MainWindow::openSlotDialog(bool saving) {
  if (windowClosed_) return;
  Result<SaveSlots> all = saves_->saveSlots();
  if (Result<void> may = saves_->mayTakeSave(); saving && all && !may) all = fail(may.error());
  if (!all) {
    const QString reason = QString::fromStdString(all.error());
    tellFailure(saving ? tr("Cannot save: %1").arg(reason) : tr("Cannot load: %1").arg(reason));
    return;
  }
  SaveDialog dialog(saving ? SaveDialog::Mode::Save : SaveDialog::Mode::Load, all.value(), runner_, this);
  runner_(dialog);
  // The game ran on while the dialog was open; it may have ended meanwhile.
  if (const std::optional<SaveSlot> chosen = dialog.chosenSlot()) {
    if (saving) saveTo(*chosen);
    else loadFrom(*chosen);
  }
}

void MainWindow::writeAutosave(const SaveFile& save) {
  const Result<void> written = saves_->writeAutosave(save);
  if (!written) std::fprintf(stderr, "shirakaba: the autosave was not written: %s\n", written.error().c_str());
}

}  // namespace shirakaba
