// The Qt window: options, the screen's zoom and mouse mapping, the menu bar as a
// mirror of the form's menu, the side dialogs and the start-up without a pack.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>
#include <QTimer>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/about_box.h"
#include "app/app_options.h"
#include "app/main_window.h"
#include "app/menu_mirror.h"
#include "app/mes_form.h"
#include "app/real_clock.h"
#include "app/screen_mapping.h"
#include "app/screen_widget.h"
#include "app/sound_player.h"
#include "base/cp932.h"
#include "game_font.h"
#include "game_state_edit.h"
#include "support/hostile_files.h"
#include "support/memory_limit.h"
#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

using namespace shirakaba;

namespace {

// The QApplication of the run (made in qt_test_main.cpp).
QApplication& app() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

bool parse(std::vector<const char*> args, AppOptions& out) {
  args.insert(args.begin(), "shirakaba");
  const Result<AppOptions> parsed = parseAppOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()));
  if (parsed) out = parsed.value();
  return parsed.ok();
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

// Records every dialog the window would show instead of running it.
struct DialogLog {
  std::vector<QString> titles, texts;
  std::vector<QDialog*> dialogs;
  ModalRunner runner() {
    return [this](QDialog& d) {
      dialogs.push_back(&d);
      titles.push_back(d.windowTitle());
      auto* box = qobject_cast<QMessageBox*>(&d);
      texts.push_back(box ? box->text() : QString());
    };
  }
};

using test::gameFont;

AppOptions optionsFor(const std::string& dir, int scale = 1) {
  AppOptions o;
  o.gameDir = dir;
  o.scale = scale;
  return o;
}

}  // namespace

// ---- Command line ----

TEST(AppOptions, ReadsDataScaleAndFullscreen) {
  AppOptions o;
  ASSERT_TRUE(parse({"--data", "/games/x", "--scale", "3", "--fullscreen"}, o));
  EXPECT_EQ(o.gameDir, "/games/x");
  EXPECT_EQ(o.scale, 3);
  EXPECT_TRUE(o.fullscreen);
  AppOptions p;
  ASSERT_TRUE(parse({"--scale=4", "--data=d"}, p));
  EXPECT_EQ(p.scale, 4);
  EXPECT_EQ(p.gameDir, "d");
  AppOptions defaults;
  ASSERT_TRUE(parse({}, defaults));
  EXPECT_EQ(defaults.gameDir, ".");
  EXPECT_EQ(defaults.scale, 1);
}

TEST(AppOptions, RejectsBadValuesAndUnknownOptions) {
  AppOptions o;
  for (const char* bad : {"0", "5", "x", "12", ""}) EXPECT_FALSE(parse({"--scale", bad}, o)) << bad;
  EXPECT_FALSE(parse({"--scale"}, o));
  EXPECT_FALSE(parse({"--data"}, o));
  EXPECT_FALSE(parse({"--nosuch"}, o));
  EXPECT_FALSE(parse({"stray"}, o));
  const char* argv[] = {"shirakaba", "--scale", "9"};
  const Result<AppOptions> parsed = parseAppOptions(3, const_cast<char**>(argv));
  ASSERT_FALSE(parsed);
  EXPECT_NE(parsed.error().find("1 to 4"), std::string::npos);
}

// ---- Zoom and mouse mapping ----

TEST(ScreenMapping, LetterboxCentresTheZoomedScreen) {
  EXPECT_EQ(screenRectIn(QSize(1280, 960), 2), QRect(0, 0, 1280, 960));
  EXPECT_EQ(screenRectIn(QSize(1920, 1080), 2), QRect(320, 60, 1280, 960));
  const QRect r = screenRectIn(QSize(1920, 1080), 2);
  EXPECT_EQ(widgetToScreen(QPoint(320, 60), r, 2), QPoint(0, 0));
  EXPECT_EQ(widgetToScreen(QPoint(321, 61), r, 2), QPoint(0, 0));
  EXPECT_EQ(widgetToScreen(QPoint(322, 62), r, 2), QPoint(1, 1));
  EXPECT_EQ(widgetToScreen(QPoint(1599, 1019), r, 2), QPoint(639, 479));
  EXPECT_EQ(widgetToScreen(QPoint(1600, 1020), r, 2), QPoint(640, 480));
  // In the black bars the position lies outside the screen, rounded towards minus infinity.
  EXPECT_EQ(widgetToScreen(QPoint(319, 59), r, 2), QPoint(-1, -1));
  EXPECT_EQ(widgetToScreen(QPoint(0, 0), r, 2), QPoint(-160, -30));
  EXPECT_EQ(widgetToScreen(QPoint(-5, 2), QRect(0, 0, 1920, 1440), 3), QPoint(-2, 0));
}

TEST(ScreenMapping, FullscreenTakesTheLargestWholeZoom) {
  EXPECT_EQ(largestScaleFitting(QSize(1920, 1080 - 30)), 2);
  EXPECT_EQ(largestScaleFitting(QSize(2560, 1440 - 30)), 2);
  EXPECT_EQ(largestScaleFitting(QSize(2560, 1440)), 3);
  EXPECT_EQ(largestScaleFitting(QSize(1024, 738)), 1);
  EXPECT_EQ(largestScaleFitting(QSize(600, 400)), 1);  // too small: unzoomed, clipped
  EXPECT_EQ(largestScaleFitting(QSize(7680, 4320)), 4);
}

TEST(ScreenWidget, MouseArrivesInScreenPixelsAtScaleTwo) {
  app();
  GameCore game(GameSetup{});
  ScreenWidget w(game, 2);
  w.resize(1280, 960);
  std::vector<PointerEvent> got;
  w.onPointer = [&](const PointerEvent& e) { got.push_back(e); };

  sendMouse(&w, QEvent::MouseButtonPress, QPoint(201, 101), Qt::LeftButton, Qt::LeftButton);
  sendMouse(&w, QEvent::MouseMove, QPoint(-7, 1000), Qt::NoButton, Qt::LeftButton);  // held, outside
  sendMouse(&w, QEvent::MouseButtonRelease, QPoint(-7, 1000), Qt::LeftButton, Qt::NoButton);
  sendMouse(&w, QEvent::MouseButtonPress, QPoint(10, 10), Qt::RightButton, Qt::RightButton);
  sendMouse(&w, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::MiddleButton, Qt::NoButton);
  sendMouse(&w, QEvent::MouseButtonDblClick, QPoint(4, 6), Qt::LeftButton, Qt::LeftButton);
  sendMouse(&w, QEvent::MouseButtonPress, QPoint(4, 6), Qt::BackButton, Qt::BackButton);  // not a game button
  sendMouse(&w, QEvent::MouseMove, QPoint(1279, 959), Qt::NoButton, Qt::NoButton);

  ASSERT_EQ(got.size(), 7u);
  auto is = [&](size_t i, PointerAction a, MouseButton b, int x, int y) {
    EXPECT_EQ(got[i].action, a) << i;
    EXPECT_EQ(got[i].button, b) << i;
    EXPECT_EQ(got[i].x, x) << i;
    EXPECT_EQ(got[i].y, y) << i;
  };
  is(0, PointerAction::Press, MouseButton::Left, 100, 50);
  is(1, PointerAction::Move, MouseButton::Left, -4, 500);
  is(2, PointerAction::Release, MouseButton::Left, -4, 500);
  is(3, PointerAction::Press, MouseButton::Right, 5, 5);
  is(4, PointerAction::Release, MouseButton::Middle, 5, 5);
  is(5, PointerAction::Press, MouseButton::Left, 2, 3);  // the second press of a double click
  is(6, PointerAction::Move, MouseButton::Left, 639, 479);
  EXPECT_TRUE(w.hasMouseTracking());
}

TEST(ScreenWidget, PaintsTheScreenPixelExactOrBlackWhenHidden) {
  app();
  GameCore game(GameSetup{});
  test::editState(game, [](GameState& s) {
    setPixel32(s.surfaces.ImageBa, 0, 0, 0x0000FF);  // red (0x00BBGGRR)
    setPixel32(s.surfaces.ImageBa, 1, 0, 0xFF0000);  // blue
    setPixel32(s.surfaces.ImageBa, 639, 479, 0x00FF00);
  });
  ScreenWidget w(game, 2);
  w.resize(1280 + 40, 960 + 20);  // 20 and 10 pixels of black bar around
  QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(20, 10), qRgb(255, 0, 0));
  EXPECT_EQ(shot.pixel(21, 11), qRgb(255, 0, 0));
  EXPECT_EQ(shot.pixel(22, 10), qRgb(0, 0, 255));
  EXPECT_EQ(shot.pixel(23, 11), qRgb(0, 0, 255));
  EXPECT_EQ(shot.pixel(24, 10), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(20 + 1279, 10 + 959), qRgb(0, 255, 0));
  EXPECT_EQ(shot.pixel(20 + 1278, 10 + 958), qRgb(0, 255, 0));
  EXPECT_EQ(shot.pixel(20 + 1280, 10 + 959), qRgb(0, 0, 0));

  test::editState(game, [](GameState& s) { s.surfaces.imageBaVisible = false; });
  shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shot.pixel(20, 10), qRgb(0, 0, 0));
}

TEST(MenuText, DoublesAmpersandsSoNoMnemonicIsMade) {
  EXPECT_EQ(menuText("はじめる"), QStringLiteral("はじめる"));
  EXPECT_EQ(menuText("A&B&&"), QStringLiteral("A&&B&&&&"));
}

// ---- The window without a pack ----

class WindowWithoutPack : public ::testing::Test {
 protected:
  void SetUp() override {
    app();
    ASSERT_TRUE(gameFont());
    dir = test::makeTempDir("nopack");
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string dir;
  DialogLog log;
};

TEST_F(WindowWithoutPack, ShowsTheMissingFileMessageOnceAndStaysBlack) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  ASSERT_EQ(log.titles.size(), 1u);
  EXPECT_EQ(log.titles[0], QStringLiteral("白樺館"));
  EXPECT_EQ(log.texts[0], QStringLiteral("ファイルが足りません\n"));
  EXPECT_EQ(w.game().dialog(), DialogKind::None);  // told that the box closed
  EXPECT_FALSE(w.game().screenVisible());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("白樺館  見習い日誌 体験版"));
  EXPECT_FALSE(w.realClock().armed());  // nothing runs: no busy loop
}

TEST_F(WindowWithoutPack, ClientAreaIsFixedAndHasNoMaximiseButton) {
  const int zoom = std::min(2, largestWindowedZoom(1, QGuiApplication::primaryScreen()->availableGeometry().size(),
                                                   QSize(0, 40), kMaxScale));
  MainWindow w(optionsFor(dir, zoom), gameFont(), log.runner());
  w.present();
  EXPECT_EQ(w.screenWidget()->size(), QSize(640, 480) * zoom);
  EXPECT_EQ(w.size().width(), 640 * zoom);
  EXPECT_EQ(w.size().height(), 480 * zoom + w.menuBar()->height());
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
  w.close();
}

// A zoom whose window would not fit the screen's available area falls back to the
// largest that fits, says so on the terminal, and is not offered in the Zoom menu.
TEST_F(WindowWithoutPack, AZoomThatDoesNotFitTheScreenFallsBackAndIsNotOffered) {
  AppOptions options = optionsFor(dir, kMaxScale);
  options.scaleGiven = true;
  MainWindow w(options, gameFont(), log.runner());
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(available.height(), 480 * kMaxScale) << "a screen too small for the largest zoom";
  testing::internal::CaptureStderr();
  w.present();
  const std::string told = testing::internal::GetCapturedStderr();
  const int fits = w.largestFittingZoom();
  EXPECT_LT(fits, kMaxScale);
  EXPECT_EQ(w.screenWidget()->scale(), fits);
  EXPECT_TRUE(available.contains(w.frameGeometry())) << w.frameGeometry().height();
  EXPECT_NE(told.find("zoom 4 does not fit the screen"), std::string::npos) << told;

  QMenu* zoom = nullptr;
  for (QAction* a : w.saveMenu()->actions())
    if (a->menu() && a->text() == QStringLiteral("Zoom")) zoom = a->menu();
  ASSERT_TRUE(zoom);
  emit w.saveMenu()->aboutToShow();
  for (int n = 1; n <= kMaxScale; ++n) EXPECT_EQ(zoom->actions()[n - 1]->isEnabled(), n <= fits) << n;
  w.close();
}

TEST(ScreenMapping, TheLargestWindowedZoomFitsWithTheMenuBarAndFrame) {
  EXPECT_EQ(largestWindowedZoom(1, QSize(1280, 1024), QSize(0, 30), 4), 2);  // --scale 3 on 1280 x 1024
  EXPECT_EQ(largestWindowedZoom(1, QSize(1280, 960), QSize(0, 30), 4), 1);   // the menu bar does not fit
  EXPECT_EQ(largestWindowedZoom(1, QSize(1920, 1440 + 30), QSize(0, 30), 4), 3);
  // At a ratio of 1.25, zoom 2 takes 3 device pixels a pixel: 1536 x 1152 logical.
  EXPECT_EQ(largestWindowedZoom(1, QSize(1400, 1100), QSize(0, 30), 4), 2);
  EXPECT_EQ(largestWindowedZoom(1.25, QSize(1400, 1100), QSize(0, 30), 4), 1);
  EXPECT_EQ(largestWindowedZoom(1, QSize(600, 400), QSize(), 4), 1);
  EXPECT_EQ(largestWindowedZoom(1, QSize(7680, 4320), QSize(10, 40), 4), 4);
}

TEST_F(WindowWithoutPack, MenuBarMirrorsTheFormMenu) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  const MenuState& menu = w.game().menu();
  MenuMirror& mirror = w.menuMirror();
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItemDef& def = menuDef(i);
    const MenuItemState& item = menu.items[i];
    QAction* a = mirror.action(static_cast<MenuId>(i));
    ASSERT_TRUE(a) << def.name;
    EXPECT_EQ(a->isSeparator(), def.separator) << def.name;
    if (!def.separator) {
      EXPECT_EQ(a->text(), menuText(item.Caption)) << def.name;
    }
    EXPECT_EQ(a->isChecked(), item.Checked) << def.name;
    EXPECT_EQ(a->isEnabled(), item.Enabled) << def.name;
    EXPECT_EQ(a->isVisible(), item.Visible) << def.name;
    EXPECT_TRUE(a->shortcut().isEmpty()) << def.name;
  }
  // The menu bar: GAME, 設定, ヘルプ and the two hidden development items.
  QStringList top;
  for (QAction* a : w.menuBar()->actions()) top << a->text();
  EXPECT_EQ(top, (QStringList{"GAME", "設定", "ヘルプ", "テキスト読込", "テスト用"}));
  EXPECT_FALSE(mirror.action(MenuId::Text_Btn)->isVisible());
  EXPECT_FALSE(mirror.action(MenuId::Test_Btn)->isVisible());
  EXPECT_FALSE(mirror.action(MenuId::ReStart_Btn)->isVisible());
  EXPECT_FALSE(mirror.action(MenuId::Start_Btn)->isEnabled());  // no pack: no game to start
  // Nested: 設定 > 効果音 ON > ON / OFF, ticked ON only.
  QMenu* sound = mirror.submenu(MenuId::BGM_Btn);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->menuAction()->text(), QStringLiteral("効果音 ON"));
  EXPECT_EQ(sound->actions(), (QList<QAction*>{mirror.action(MenuId::ON1), mirror.action(MenuId::OFF1)}));
  EXPECT_TRUE(mirror.submenu(MenuId::Set_Btn)->actions().contains(mirror.action(MenuId::CG_Btn)));
  EXPECT_TRUE(mirror.action(MenuId::ON1)->isChecked());
  EXPECT_FALSE(mirror.action(MenuId::OFF1)->isCheckable());
  QList<QAction*> game = mirror.submenu(MenuId::Game)->actions();
  ASSERT_EQ(game.size(), 5);
  EXPECT_TRUE(game[3]->isSeparator());
}

TEST_F(WindowWithoutPack, ChoosingAnItemReachesTheFormAndTheMirrorFollows) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  MenuMirror& mirror = w.menuMirror();
  mirror.action(MenuId::OFF1)->trigger();
  EXPECT_FALSE(w.game().menu()[MenuId::ON1].Checked);
  EXPECT_TRUE(w.game().menu()[MenuId::OFF1].Checked);
  EXPECT_TRUE(mirror.action(MenuId::OFF1)->isChecked());
  EXPECT_FALSE(mirror.action(MenuId::ON1)->isChecked());
  EXPECT_EQ(mirror.submenu(MenuId::BGM_Btn)->menuAction()->text(), QStringLiteral("効果音 OFF"));
  // Clicking the ticked item again changes nothing, even though Qt toggled its own mark.
  mirror.action(MenuId::OFF1)->trigger();
  EXPECT_TRUE(mirror.action(MenuId::OFF1)->isChecked());
  mirror.action(MenuId::CG_O)->trigger();
  EXPECT_EQ(mirror.submenu(MenuId::CG_Btn)->menuAction()->text(), QStringLiteral("CG 遅"));

  // A change of the game's menu shows after the next event the game handles.
  test::editState(w.game(), [](GameState& s) {
    s.menu[MenuId::Test_Btn].Visible = true;
    s.menu[MenuId::Test_Btn].Caption = "R&D";
  });
  EXPECT_FALSE(mirror.action(MenuId::Test_Btn)->isVisible());
  sendMouse(w.screenWidget(), QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(mirror.action(MenuId::Test_Btn)->isVisible());
  EXPECT_EQ(mirror.action(MenuId::Test_Btn)->text(), QStringLiteral("R&&D"));
}

TEST_F(WindowWithoutPack, HelpItemsOpenTheSideDialogsModally) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  log.dialogs.clear();
  w.menuMirror().action(MenuId::About_Btn)->trigger();
  w.menuMirror().action(MenuId::Mes_Btn)->trigger();
  ASSERT_EQ(log.dialogs.size(), 2u);
  EXPECT_EQ(log.dialogs[0], w.aboutBox());
  EXPECT_EQ(log.dialogs[1], w.mesForm());
  EXPECT_EQ(w.game().dialog(), DialogKind::None);
  EXPECT_TRUE(w.mesForm()->Mes_Memo->toPlainText().isEmpty());  // no readme.txt
}

TEST_F(WindowWithoutPack, ClosingTheWindowClosesTheForm) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  w.present();
  w.menuMirror().action(MenuId::Exit_Btn)->trigger();
  EXPECT_TRUE(w.game().closed());
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.realClock().armed());
}

// ---- The window with a pack ----

class WindowWithPack : public WindowWithoutPack {
 protected:
  void SetUp() override {
    WindowWithoutPack::SetUp();
    ASSERT_TRUE(test::writeTestPack(dir, {}, "*op\nテスト\n"));
  }
};

TEST_F(WindowWithPack, PressesReachTheFormOnlyForTheLeftButton) {
  MainWindow w(optionsFor(dir, 2), gameFont(), log.runner());
  EXPECT_TRUE(log.dialogs.empty());
  test::editState(w.game(), [](GameState& s) {
    s.timers.Cha_Timer.Enabled = false;             // between transitions
    s.shell.GameMode = static_cast<GameMode>(3);   // a screen with no press step: only the bookkeeping runs
    s.btn.PressedBtn = 7;
    s.btn.SelectedBtn = 5;
  });
  sendMouse(w.screenWidget(), QEvent::MouseButtonPress, QPoint(300, 300), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(test::stateOf(w.game())["PressedBtn"], 7);
  sendMouse(w.screenWidget(), QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(test::stateOf(w.game())["PressedBtn"], 0);
  EXPECT_EQ(test::stateOf(w.game())["SelectedBtn"], 0);
}

TEST_F(WindowWithPack, TheClockRunsTheModeTickInRealTime) {
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  const auto tick = [&] { return test::stateOf(w.game())["timers"]["Cha_Timer"]; };
  ASSERT_TRUE(tick()["enabled"].get<bool>());
  ASSERT_TRUE(w.realClock().armed());
  EXPECT_GT(w.realClock().armedInMs(), 300);  // the logo's first tick is 500 ms away
  EXPECT_LE(w.realClock().armedInMs(), 500);
  QEventLoop loop;
  QTimer poll, deadline;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (tick()["tag"].get<int>() >= 1) loop.quit();
  });
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(10);
  deadline.start(3000);
  loop.exec();
  EXPECT_GE(tick()["tag"].get<int>(), 1);  // the first tick ran: the logo
  EXPECT_EQ(test::stateOf(w.game())["GameMode"], 0);
  EXPECT_TRUE(w.realClock().armed());  // and the next one is waited for
}

TEST_F(WindowWithPack, AClickOnTheTitlesLastButtonEndsTheProgram) {
  MainWindow w(optionsFor(dir, 2), gameFont(), log.runner());
  w.present();
  const auto onTitle = [&] {
    const auto s = test::stateOf(w.game());
    return s["GameMode"] == 1 && !s["timers"]["Cha_Timer"]["enabled"].get<bool>();
  };
  // Logo, then the title wipes in; its buttons are live once the tick has stopped.
  QEventLoop loop;
  QTimer poll, deadline;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (onTitle()) loop.quit();
  });
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(10);
  deadline.start(5000);
  loop.exec();
  ASSERT_TRUE(onTitle());
  EXPECT_FALSE(w.realClock().armed());  // idle on the title: nothing is waited for
  // Title button 4 is the fourth 59 x 22 slot from (290, 275), 26 pixels apart.
  const int k = w.screenWidget()->scale();  // 2, or less where the screen is smaller
  const QPoint at(k * (290 + 10), k * (275 + 3 * 26 + 5));
  sendMouse(w.screenWidget(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(test::stateOf(w.game())["PressedBtn"], 4);
  sendMouse(w.screenWidget(), QEvent::MouseButtonRelease, at + QPoint(300, 0), Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(w.game().closed());
  EXPECT_FALSE(w.isVisible());
}

// ---- Side dialogs ----

TEST(AboutBox, LayoutAndTexts) {
  app();
  TAboutBox box;
  EXPECT_EQ(box.size(), QSize(257, 167));
  EXPECT_EQ(box.windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(box.Panel1->geometry(), QRect(7, 7, 242, 122));
  EXPECT_EQ(box.ProgramIcon->parentWidget(), box.Panel1);
  EXPECT_EQ(box.ProgramIcon->geometry(), QRect(7, 7, 32, 32));
  EXPECT_TRUE(box.ProgramIcon->hasScaledContents());
  EXPECT_EQ(box.ProductName->pos(), QPoint(49, 7));
  EXPECT_EQ(box.ProductName->text(), QStringLiteral("白樺館\n  見習い日誌 体験版"));
  EXPECT_EQ(box.Version->pos(), QPoint(89, 45));
  EXPECT_EQ(box.Version->text(), QStringLiteral("Version 1.0"));
  EXPECT_EQ(box.MakerLabel->pos(), QPoint(63, 68));
  EXPECT_EQ(box.MakerLabel->palette().color(QPalette::WindowText), QColor(255, 0, 255));
  EXPECT_EQ(box.Comments->pos(), QPoint(23, 87));
  EXPECT_TRUE(box.Comments->wordWrap());
  EXPECT_EQ(box.Comments->text().count('\n'), 1);
  EXPECT_LE(box.Comments->geometry().right(), box.Panel1->width());
  EXPECT_EQ(box.OKButton->geometry(), QRect(94, 136, 69, 25));
  EXPECT_TRUE(box.OKButton->isDefault());
  box.show();
  box.OKButton->click();
  EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, PanelIsWhiteWithATwoPixelBevel) {
  app();
  BevelPanel panel;
  panel.resize(40, 30);
  const QImage img = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(0, 0), qRgb(0x80, 0x80, 0x80));   // lowered outer: dark top-left
  EXPECT_EQ(img.pixel(39, 29), qRgb(255, 255, 255));    // light bottom-right
  EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));      // raised inner: light top-left
  EXPECT_EQ(img.pixel(37, 27), qRgb(0x80, 0x80, 0x80)); // dark bottom-right
  EXPECT_EQ(img.pixel(20, 15), qRgb(255, 255, 255));
}

// The window's own texts come from the game data: the English demo's caption, menu bar,
// version box and readme window are in English.
TEST(TranslatedWindow, TheEnglishDemoShowsItsOwnTextsInEnglish) {
  app();
  const std::string dir = test::makeTempDir("window_english");
  ASSERT_EQ(runDemo(dir, DemoLanguage::English), 0);
  DialogLog log;
  MainWindow w(optionsFor(dir), gameFont(), log.runner());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Shirakaba Manor  An Apprentice's Diary (Demo)"));
  const auto action = [&](const char* name) { return w.menuBar()->findChild<QAction*>(QString::fromLatin1(name)); };
  ASSERT_TRUE(action("Start_Btn") && action("Set_Btn") && action("About_Btn"));
  EXPECT_EQ(action("Start_Btn")->text(), QStringLiteral("Start"));
  EXPECT_EQ(action("Set_Btn")->text(), QStringLiteral("Settings"));
  EXPECT_EQ(action("BGM_Btn")->text(), QStringLiteral("Sound ON"));
  EXPECT_EQ(w.aboutBox()->windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(w.aboutBox()->ProductName->text(), QStringLiteral("Shirakaba Manor\n  An Apprentice's Diary (Demo)"));
  EXPECT_EQ(w.mesForm()->windowTitle(), QStringLiteral("Read Me"));
  EXPECT_EQ(w.mesForm()->Button1->text(), QStringLiteral("Close"));
  EXPECT_TRUE(w.mesForm()->Mes_Memo->toPlainText().startsWith(QStringLiteral("A Week at Shirakaba Manor")));
  w.close();
  std::filesystem::remove_all(dir);
}

TEST(MesForm, LayoutAndReadmeReadOnceFromShiftJis) {
  app();
  const std::string dir = test::makeTempDir("readme");
  const std::string path = dir + "/readme.txt";
  const Result<std::string> converted = utf8ToCp932("お読み\r\n二行目\r三行目\n\n最後");
  ASSERT_TRUE(converted) << converted.error();
  const std::string& sjis = converted.value();
  {
    std::ofstream out(path, std::ios::binary);
    const std::string tail("\0hidden", 7);
    out << sjis << tail;
  }
  TMes_Form form(path);
  EXPECT_EQ(form.size(), QSize(532, 304));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("お読みください"));
  EXPECT_EQ(form.Mes_Memo->geometry(), QRect(5, 5, 532 + 6 - 15, 250));
  EXPECT_EQ(form.Mes_Memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(form.Mes_Memo->isReadOnly());
  EXPECT_EQ(form.Button1->geometry(), QRect(448, 266, 75, 25));
  EXPECT_EQ(form.Button1->text(), QStringLiteral("閉じる"));
  EXPECT_EQ(form.Mes_Memo->toPlainText(), QStringLiteral("お読み\n二行目\n三行目\n\n最後"));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowContextHelpButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  std::filesystem::remove_all(dir);
}

TEST(MesForm, MissingOrBrokenReadme) {
  EXPECT_TRUE(loadReadmeText("/nonexistent/readme.txt").isEmpty());
  const std::string dir = test::makeTempDir("readme2");
  {
    std::ofstream out(dir + "/readme.txt", std::ios::binary);
    out << "ok\xff\x81\r\n";  // a lone lead byte and an invalid byte
  }
  const QString text = loadReadmeText(dir + "/readme.txt");
  EXPECT_TRUE(text.startsWith(QStringLiteral("ok")));
  EXPECT_FALSE(text.endsWith('\n'));
  std::filesystem::remove_all(dir);
}

// Neither waits for a FIFO's writer nor reads a file far larger than a readme.
TEST(MesForm, AReadmeThatIsNoReadmeIsNotRead) {
  const std::string dir = test::makeTempDir("readme3");
  const std::string fifo = dir + "/fifo.txt", huge = dir + "/huge.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  test::makeHuge(huge);
  EXPECT_TRUE(test::withoutWaiting([&] { return loadReadmeText(fifo).isEmpty(); }, {fifo}));
  const test::AddressSpaceLimit limit(512 << 20);
  if (limit.active()) {  // else a fault would fill the memory
    EXPECT_TRUE(loadReadmeText(huge).isEmpty());
  }
  std::filesystem::remove_all(dir);
}

// ---- Sound ----

TEST(SoundPlayer, MissingOrUndecodableFilesAreSilent) {
  app();
  const std::string dir = test::makeTempDir("sound");
  {
    std::ofstream out(dir + "/h_1.wav", std::ios::binary);
    out << "RIFF\x04\0\0\0WAVEjunk";
  }
  SoundPlayer player;
  player.play(QString::fromStdString(dir + "/none.wav"));
  player.play(QString::fromStdString(dir));  // a folder is not a sound
  player.play(QString::fromStdString(dir + "/h_1.wav"));
  player.play(QString::fromStdString(dir + "/h_1.wav"));  // again: restarts, no second copy
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();  // the decoder's error arrives here and is ignored
  std::filesystem::remove_all(dir);
  SUCCEED();
}
