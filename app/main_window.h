// The main window XP_Form as Qt shows it: the caption, a fixed 640 x 480 client area
// (times the zoom) under the menu bar, the screen widget, the real-time clock, and
// the form behind them. Every event handed to the form ends in refresh().
#pragma once
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "app/qt_host.h"
#include "engine/form.h"

namespace shirakaba {

class MenuMirror;
class RealClock;
class ScreenWidget;
class TAboutBox;
class TMes_Form;
class TextSpeaker;
struct PointerEvent;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the form's start-up; a missing pack shows its message box from in here.
  MainWindow(const AppOptions& options, std::shared_ptr<FontFace> font, ModalRunner modalRunner = {});
  ~MainWindow() override;

  static QString caption() { return QStringLiteral("白樺館  見習い日誌 体験版"); }

  TXP_Form& form() { return *form_; }
  ScreenWidget* screenWidget() const { return screen_; }
  MenuMirror& menuMirror() { return *mirror_; }
  RealClock& realClock() { return *clock_; }
  TAboutBox* aboutBox() const { return about_; }
  TMes_Form* mesForm() const { return mes_; }

  // Shows the window centred on the screen, or full-screen.
  void present();
  // F11 and Alt+Enter: the window's own keys (the game reacts to none).
  bool isFullScreenShown() const { return fullScreen_; }
  void setFullScreenShown(bool on);
  // F12: the screen as a PNG; the title says where for a few seconds. The file's path, or "".
  QString takeScreenshot();
  static constexpr int kTitleNoticeMs = 3000;
  // After every event the form handled: the menu bar mirrors the form's menu, the
  // screen repaints and the clock is re-armed.
  void refresh();
  void deliverPointer(const PointerEvent& e);
  void deliverMenu(MenuId id);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  AppOptions options_;
  QtHost host_;
  std::unique_ptr<TXP_Form> form_;
  ScreenWidget* screen_ = nullptr;
  std::unique_ptr<MenuMirror> mirror_;
  std::unique_ptr<RealClock> clock_;
  TAboutBox* about_ = nullptr;
  TMes_Form* mes_ = nullptr;
  bool formClosed_ = false;
  bool fullScreen_ = false;
  void showInTitle(const QString& notice);
  void publishScreenText();
  QTimer titleTimer_;                    // brings the caption back after a notice
  std::vector<std::string> screenText_;  // written on the screen during the current event
  TextSpeaker* speaker_ = nullptr;       // only with --speak
};

}  // namespace shirakaba
