#include "app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/menu_mirror.h"
#include "app/mes_form.h"
#include "app/real_clock.h"
#include "app/screen_widget.h"

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

  screen_ = new ScreenWidget(*form_, options.scale, this);
  screen_->onPointer = [this](const PointerEvent& e) { deliverPointer(e); };
  setCentralWidget(screen_);
  if (!options.fullscreen) {
    screen_->setFixedSize(kScreenW * screen_->scale(), kScreenH * screen_->scale());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
  }

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
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect whole = s ? s->geometry() : QRect(0, 0, kScreenW, kScreenH);
    screen_->setScale(largestScaleFitting(whole.size() - QSize(0, menuBar()->sizeHint().height())));
    setGeometry(whole);  // also where no window manager honours the full-screen state
    showFullScreen();
  } else {
    adjustSize();
    centreOnScreen(this);
    show();
  }
}

void MainWindow::refresh() {
  if (!form_) return;
  form_->soundsStarted.clear();  // the window has played them through the host already
  mirror_->sync(form_->menu);
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
