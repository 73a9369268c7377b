// The window's own conveniences: full screen by F11 and Alt+Enter, F12 screenshots
// with a notice in the title, and the screen's text for screen readers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QFile>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/app_options.h"
#include "app/main_window.h"
#include "app/screen_accessible.h"
#include "app/screen_widget.h"
#include "app/screenshot.h"
#include "game_font.h"
#include "game_state_edit.h"
#include "support/pack_fixture.h"

using namespace shirakaba;

namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "window_comfort_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: Qt's own globals made after it would already be gone at exit.
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

using test::gameFont;

ModalRunner noDialogs() {
  return [](QDialog&) {};
}

void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods);
  QCoreApplication::sendEvent(w, &release);
}

void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class WindowComfort : public ::testing::Test {
 protected:
  void SetUp() override {
    app();
    ASSERT_TRUE(gameFont());
    dir = test::makeTempDir("comfort");
    options.gameDir = dir;
    options.dataGiven = true;
    options.shotsDir = dir + "/shots";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string dir;
  AppOptions options;
};

}  // namespace

TEST_F(WindowComfort, F11AndAltEnterToggleFullScreenAndBack) {
  options.scale = 1;
  MainWindow w(options, gameFont(), noDialogs());
  w.present();
  ScreenWidget* screen = w.screenWidget();
  EXPECT_FALSE(w.isFullScreenShown());

  pressKey(screen, Qt::Key_F11);  // the screen widget does not take it: it reaches the window
  EXPECT_TRUE(w.isFullScreenShown());
  EXPECT_TRUE(screen->fillsWidget());
  EXPECT_NE(w.minimumSize(), w.maximumSize());  // no longer fixed
  pressKey(&w, Qt::Key_Return, Qt::AltModifier);
  EXPECT_FALSE(w.isFullScreenShown());
  EXPECT_FALSE(screen->fillsWidget());
  EXPECT_EQ(screen->size(), QSize(640, 480));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  pressKey(&w, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_TRUE(w.isFullScreenShown());
  pressKey(&w, Qt::Key_F11);
  EXPECT_FALSE(w.isFullScreenShown());

  // Other keys, and these with other modifiers, do nothing.
  pressKey(&w, Qt::Key_Return);
  pressKey(&w, Qt::Key_F11, Qt::ShiftModifier);
  pressKey(&w, Qt::Key_Space);
  EXPECT_FALSE(w.isFullScreenShown());
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&w, &repeat);
  EXPECT_FALSE(w.isFullScreenShown());  // holding the key does not flicker
  w.close();
}

TEST_F(WindowComfort, StartsFullScreenAndLeavesIt) {
  options.fullscreen = true;
  MainWindow w(options, gameFont(), noDialogs());
  w.present();
  EXPECT_TRUE(w.isFullScreenShown());
  EXPECT_TRUE(w.screenWidget()->fillsWidget());
  pressKey(&w, Qt::Key_F11);
  EXPECT_EQ(w.screenWidget()->size(), QSize(640, 480));
  w.close();
}

TEST_F(WindowComfort, F12SavesTheScreenAsNumberedPngsAndSaysSoInTheTitle) {
  MainWindow w(options, gameFont(), noDialogs());  // no pack: the screen is hidden
  w.present();
  const QString shots = QString::fromStdString(options.shotsDir);

  pressKey(w.screenWidget(), Qt::Key_F12);
  const QString first = QDir(shots).filePath("shirakaba-0001.png");
  ASSERT_TRUE(QFileInfo::exists(first));
  QImage black = QImage(first).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(black.size(), QSize(640, 480));
  EXPECT_EQ(black.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(black.pixel(639, 479), qRgb(0, 0, 0));
  EXPECT_TRUE(w.windowTitle().contains(QFileInfo(first).absoluteFilePath())) << w.windowTitle().toStdString();

  // The core's screen, pixel for pixel (colours are 0x00BBGGRR).
  const auto pattern = [](int x, int y) { return static_cast<Colour>(x ^ (y << 9) ^ (x << 17)); };
  test::editState(w.game(), [&](GameState& s) {
    s.surfaces.imageBaVisible = true;
    for (int y = 0; y < kGameHeight; ++y)
      for (int x = 0; x < kGameWidth; ++x) setPixel32(s.surfaces.ImageBa, x, y, pattern(x, y));
  });
  pressKey(&w, Qt::Key_F12);
  const QString second = QDir(shots).filePath("shirakaba-0002.png");
  ASSERT_TRUE(QFileInfo::exists(second));
  const QImage png = QImage(second).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(png.size(), QSize(640, 480));
  int wrong = 0;
  for (int y = 0; y < kGameHeight; ++y)
    for (int x = 0; x < kGameWidth; ++x) {
      const Colour c = getPixel32(w.game().screen(), x, y);
      if (png.pixel(x, y) != qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);

  // A gap in the numbers is filled first.
  QFile::remove(first);
  EXPECT_EQ(nextShotPath(shots), first);

  // The caption comes back exactly, a few seconds after the last notice.
  EXPECT_NE(w.windowTitle(), w.caption());
  spin(MainWindow::kTitleNoticeMs + 300);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("白樺館  見習い日誌 体験版"));
  w.close();
}

TEST_F(WindowComfort, ScreenshotFailureIsToldInTheTitle) {
  std::filesystem::create_directories(dir);
  { std::ofstream(dir + "/file") << "x"; }
  options.shotsDir = dir + "/file/below";  // cannot be made: a file is in the way
  MainWindow w(options, gameFont(), noDialogs());
  EXPECT_TRUE(w.takeScreenshot().isEmpty());
  EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Screenshot failed"))) << w.windowTitle().toStdString();
}

// ---- Screen readers ----

namespace {

std::vector<std::pair<QAccessible::Event, QObject*>>& accessEvents() {
  static std::vector<std::pair<QAccessible::Event, QObject*>> events;
  return events;
}

void recordAccessEvent(QAccessibleEvent* e) { accessEvents().emplace_back(e->type(), e->object()); }

// Counts the announcements; where a screen reader bridge is active (not on the
// offscreen platform), each must also have reached Qt's accessibility as a name change.
struct Announcements {
  explicit Announcements(ScreenWidget* w) : screen(w) {
    QObject::connect(w, &ScreenWidget::textAnnounced, [this](const QString& t) { texts.push_back(t); });
  }
  int count() const {
    if (QAccessible::isActive()) {
      int n = 0;
      for (const auto& [type, object] : accessEvents()) n += type == QAccessible::NameChanged && object == screen;
      EXPECT_EQ(n, static_cast<int>(texts.size()));
    }
    return static_cast<int>(texts.size());
  }
  ScreenWidget* screen;
  std::vector<QString> texts;
};

}  // namespace

TEST_F(WindowComfort, EachEventsTextIsPublishedForScreenReaders) {
  ASSERT_TRUE(test::writeTestPack(dir, {}, "bg=1\n*e_1\nbg=0\nline one\nline two\n＜\nline three\nend=3\n"));
  MainWindow w(options, gameFont(), noDialogs());
  ScreenWidget* screen = w.screenWidget();
  QAccessible::installUpdateHandler(recordAccessEvent);
  QAccessible::setActive(true);
  accessEvents().clear();
  Announcements announced(screen);

  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(screen);
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::StaticText);

  // A page: the message window writes its two lines, the window publishes them once.
  // The scene stands at "line one" (line 3); a click shows the next page.
  GameCore& game = w.game();
  test::editState(game, [](GameState& s) {
    s.timers.Cha_Timer.Enabled = false;
    s.shell.GameMode = GameMode::Scene;
    s.scene.SceneNo = 1;
    s.scene.ScriptPos = 3;
  });
  const auto click = [&] {
    game.pointerPress(MouseButton::Left, 320, 240);
    game.pointerRelease(MouseButton::Left, 320, 240);
  };
  click();
  EXPECT_EQ(announced.count(), 0);  // not before the event is over
  w.refresh();
  EXPECT_EQ(screen->shownText(), QStringLiteral("line one\nline two"));
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("line one\nline two"));
  EXPECT_EQ(announced.count(), 1);

  // The blinking prompt is no news.
  game.advanceTo(game.now() + 400);
  w.refresh();
  EXPECT_EQ(announced.count(), 1);
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("line one\nline two"));
  // An event that writes nothing changes nothing.
  w.refresh();
  EXPECT_EQ(announced.count(), 1);

  // The next page, ended early by "＜", then the notice bar of a scene that ran off
  // the end of the script.
  click();
  w.refresh();
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("line three"));
  test::editState(game, [](GameState& s) { s.scene.ScriptPos = 100; });
  click();
  w.refresh();
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("*e_1"));
  EXPECT_EQ(announced.count(), 3);

  QAccessible::installUpdateHandler(nullptr);
  w.close();
}

TEST_F(WindowComfort, SpeakWithoutAVoiceIsSilent) {
  options.speak = true;
  MainWindow w(options, gameFont(), noDialogs());  // no engine or no Japanese voice here: no error, no crash
  w.refresh();
  w.close();
}
