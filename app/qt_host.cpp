#include "app/qt_host.h"

#include <QMessageBox>
#include <QWidget>

#include "app/about_box.h"
#include "app/mes_form.h"
#include "engine/form.h"

namespace shirakaba {

QtHost::QtHost(ModalRunner runner) : runner_(std::move(runner)) {
  if (!runner_) runner_ = [](QDialog& d) { d.exec(); };
}

void QtHost::runModal(QDialog& dialog) {
  if (refresh) refresh();  // a handler may have enabled a timer just before opening it
  runner_(dialog);
}

void QtHost::showDialog(DialogKind kind, const std::string& text) {
  switch (kind) {
    case DialogKind::Message: {
      // Before the main window is shown (the start-up message) the box stands alone.
      QWidget* parent = window_ && window_->isVisible() ? window_ : nullptr;
      QMessageBox box(QMessageBox::NoIcon, applicationTitle(), QString::fromStdString(text), QMessageBox::Ok,
                      parent);
      box.setTextFormat(Qt::PlainText);
      runModal(box);
      break;
    }
    case DialogKind::About:
      if (about_) runModal(*about_);
      break;
    case DialogKind::Readme:
      if (readme_) runModal(*readme_);
      break;
    case DialogKind::None:
      return;
  }
  if (form_) form_->dialogClosed();
  if (refresh) refresh();
}

void QtHost::playSound(const std::string& path) { sound_.play(QString::fromStdString(path)); }

void QtHost::closeWindow() {
  if (window_) window_->close();
}

}  // namespace shirakaba
