// What the form asks of the window system, done with Qt: the game's modal message
// box and side dialogs, sound effects, and closing the main window.
#pragma once
#include <QString>
#include <functional>
#include <string>

#include "app/sound_player.h"
#include "engine/host.h"

class QDialog;
class QWidget;

namespace shirakaba {

class TXP_Form;
class TAboutBox;
class TMes_Form;

// Shows a dialog modally and returns when it is closed. The window uses exec(),
// whose nested event loop keeps the game's timers firing; tests put in one that
// only records what would have been shown.
using ModalRunner = std::function<void(QDialog&)>;

class QtHost : public Host {
 public:
  explicit QtHost(ModalRunner runner = {});
  void attach(TXP_Form* form, QWidget* window) {
    form_ = form;
    window_ = window;
  }
  void setDialogs(TAboutBox* about, TMes_Form* readme) {
    about_ = about;
    readme_ = readme;
  }
  // Runs before a dialog opens and after the form has been told it closed: the
  // window mirrors the menu, repaints and re-arms its timer.
  std::function<void()> refresh;

  void showDialog(DialogKind kind, const std::string& text) override;
  void playSound(const std::string& path) override;
  void closeWindow() override;

  static QString applicationTitle() { return QStringLiteral("白樺館"); }

 private:
  void runModal(QDialog& dialog);
  ModalRunner runner_;
  TXP_Form* form_ = nullptr;
  QWidget* window_ = nullptr;
  TAboutBox* about_ = nullptr;
  TMes_Form* readme_ = nullptr;
  SoundPlayer sound_;
};

}  // namespace shirakaba
