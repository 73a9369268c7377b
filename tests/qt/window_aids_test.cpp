// The player's aids in the window: rollback by Page Up/Down and the wheel, skipping
// by Tab and by Ctrl held alone (never by a Ctrl that is part of a shortcut), auto
// mode, the history window, the clipboard, the title's indicator and the settings
// the window remembers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/app_options.h"
#include "app/history_window.h"
#include "app/main_window.h"
#include "app/menu_mirror.h"
#include "app/real_clock.h"
#include "app/screen_widget.h"
#include "app/screenshot.h"
#include "app/window_aids.h"
#include "app/window_settings.h"
#include "game_font.h"
#include "game_state_edit.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
namespace fs = std::filesystem;

namespace {

using test::gameFont;

ModalRunner noDialogs() {
  return [](QDialog&) {};
}

// Three pages, a transition before the third, then a choice; the first answer's scene
// ends in the calendar.
constexpr const char* kScript =
    "bg=1\nchoose=11\nend=3\n"
    "*e_1\nbg=0\npage one\n＜\npage two\nbg=0\npage three\nchoose=\nyes\nno\n0\n0\n"
    "*e_1_1\nbg=0\ntook yes\nend=\n\n";
constexpr int kPageOne = 5;  // the script line of "page one"

void sendKey(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, bool autoRepeat = false) {
  QKeyEvent e(type, key, mods, QString(), autoRepeat);
  QCoreApplication::sendEvent(w, &e);
}

void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  sendKey(w, QEvent::KeyPress, key, mods);
  sendKey(w, QEvent::KeyRelease, key, mods);
}

// To the window itself: Qt hands a wheel event that is not the system's own to no parent.
void turnWheel(QWidget* w, int delta) {
  const QPointF at(320, 240);
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                false);
  QCoreApplication::sendEvent(w, &e);
}

// A click of the left button on the screen, as the player makes it.
void clickAt(MainWindow& w, QPoint at = QPoint(320, 400)) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), w.screenWidget()->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w.screenWidget(), &e);
  }
}

void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop until done() holds (checked every few milliseconds) or the
// deadline passes; whether it came.
bool spinUntil(const std::function<bool()>& done, int deadlineMs = 5000) {
  QEventLoop loop;
  QTimer poll, deadline;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(5);
  deadline.start(deadlineMs);
  if (!done()) loop.exec();
  return done();
}

std::vector<std::string> pageOf(MainWindow& w) { return w.game().pageLines(); }

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

// The screen widget shows the game's screen and nothing else.
bool showsTheGamesScreen(MainWindow& w) {
  const QImage shown = w.screenWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  return shown == screenImage(w.game()).convertToFormat(QImage::Format_RGB32);
}

QAction* menuEntry(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions()) {
    if (a->text() == text) return a;
    if (a->menu())
      if (QAction* inner = menuEntry(a->menu(), text)) return inner;
  }
  return nullptr;
}

class WindowAidsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gameFont());
    dir = test::makeTempDir("qtaids");
    ASSERT_TRUE(test::writeTestPack(dir, {}, kScript));
    options.gameDir = dir;
    options.dataGiven = true;
    options.userDir = dir + "/user";
  }
  void TearDown() override { fs::remove_all(dir); }

  // Into the scene, between transitions; the first click shows page one.
  void startScene(MainWindow& w) {
    test::editState(w.game(), [](GameState& s) {
      s.timers.Cha_Timer.Enabled = false;
      s.timers.Cha_Timer.Interval = 30;  // the transitions' pace after the logo
      s.shell.GameMode = GameMode::Scene;
      s.scene.SceneNo = 1;
      s.scene.SceneLabel = "*e_1";
      s.scene.ScriptPos = kPageOne;
      s.train.Adv.TrainStep = TrainStep::Morning;
      s.train.Adv.Day = 3;
    });
    clickAt(w);
    ASSERT_EQ(pageOf(w), std::vector<std::string>{"page one"});
  }

  std::string dir;
  AppOptions options;
};

const std::vector<std::string> kOne{"page one"}, kTwo{"page two"}, kThree{"page three"};

}  // namespace

// ---- Rollback ----

TEST_F(WindowAidsTest, PageUpAndTheWheelGoBackToTheScreenBeforeAClickAndForwardAgain) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  const Bitmap onPageOne = w.game().screen();
  clickAt(w);
  ASSERT_EQ(pageOf(w), kTwo);
  const Bitmap onPageTwo = w.game().screen();

  pressKey(w.screenWidget(), Qt::Key_PageUp);
  EXPECT_EQ(w.game().screen(), onPageOne);
  EXPECT_EQ(pageOf(w), kOne);
  pressKey(w.screenWidget(), Qt::Key_PageDown);
  EXPECT_EQ(w.game().screen(), onPageTwo);
  pressKey(w.screenWidget(), Qt::Key_PageDown);  // nothing further ahead
  EXPECT_EQ(w.game().screen(), onPageTwo);

  // The wheel likewise: one notch a step, half notches add up, the other way forgets them.
  turnWheel(&w, 120);
  EXPECT_EQ(w.game().screen(), onPageOne);
  turnWheel(&w, -60);
  turnWheel(&w, 60);
  turnWheel(&w, -60);
  EXPECT_EQ(w.game().screen(), onPageOne);
  turnWheel(&w, -60);
  EXPECT_EQ(w.game().screen(), onPageTwo);

  // Back to the first page: before it there is the press that showed it, no further.
  turnWheel(&w, 120);
  turnWheel(&w, 120);
  EXPECT_NE(pageOf(w), kOne);
  turnWheel(&w, 120);
  pressKey(w.screenWidget(), Qt::Key_PageDown);
  EXPECT_EQ(w.game().screen(), onPageOne);

  // Acting otherwise ends the way forward: the click shows page two anew.
  clickAt(w);
  EXPECT_EQ(pageOf(w), kTwo);
  pressKey(w.screenWidget(), Qt::Key_PageUp);
  pressKey(w.screenWidget(), Qt::Key_PageUp, Qt::ShiftModifier);  // not the key
  EXPECT_EQ(pageOf(w), kOne);
  clickAt(w);
  const Bitmap again = w.game().screen();
  pressKey(w.screenWidget(), Qt::Key_PageDown);
  EXPECT_EQ(w.game().screen(), again);
}

// A load brings the save's history of pages, not the one played since.
TEST_F(WindowAidsTest, ALoadStartsANewHistory) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  pressKey(w.screenWidget(), Qt::Key_F5);
  const std::vector<HistoryEntry> saved = w.aids().comforts().history().entries();
  ASSERT_FALSE(saved.empty());
  clickAt(w);
  pressKey(w.screenWidget(), Qt::Key_F9);
  ASSERT_EQ(pageOf(w), kOne);
  EXPECT_EQ(w.aids().comforts().history().entries(), saved);
  EXPECT_EQ(w.aids().comforts().rollback().points(), 0u);
  pressKey(w.screenWidget(), Qt::Key_PageUp);  // nothing to go back to
  EXPECT_EQ(pageOf(w), kOne);
}

// ---- Skipping ----

TEST_F(WindowAidsTest, TabSkipsFastUntilADecisionAndTheTitleSaysSo) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  w.aids().setSkipMode(SkipMode::All);
  ASSERT_TRUE(showsTheGamesScreen(w));
  const QString caption = w.caption();
  ASSERT_EQ(w.windowTitle(), caption);

  pressKey(w.screenWidget(), Qt::Key_Tab);
  // Pages one and two at once; the transition before page three runs on the fast clock.
  EXPECT_TRUE(w.aids().skipping());
  EXPECT_EQ(w.windowTitle(), caption + "  [Skip]");
  EXPECT_EQ(w.realClock().speed(), WindowAids::kSkipSpeed);
  EXPECT_TRUE(showsTheGamesScreen(w));
  pressKey(w.screenWidget(), Qt::Key_Tab);  // off in the middle, and on again
  EXPECT_FALSE(w.aids().skipping());
  EXPECT_EQ(w.windowTitle(), caption);
  EXPECT_EQ(w.realClock().speed(), 1);
  pressKey(w.screenWidget(), Qt::Key_Tab);
  ASSERT_TRUE(spinUntil([&] { return !w.aids().skipping(); }));
  EXPECT_FALSE(w.game().choiceTexts().empty());  // it stopped at the choice
  EXPECT_EQ(w.windowTitle(), caption);
  EXPECT_EQ(w.realClock().speed(), 1);
  EXPECT_TRUE(showsTheGamesScreen(w));

  // At a decision Tab has nothing to do.
  pressKey(w.screenWidget(), Qt::Key_Tab);
  EXPECT_FALSE(w.aids().skipping());
  EXPECT_EQ(w.windowTitle(), caption);
}

TEST_F(WindowAidsTest, CtrlHeldAloneSkipsUntilItIsLetGo) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  w.aids().setSkipMode(SkipMode::All);
  QWidget* screen = w.screenWidget();

  sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(pageOf(w), kOne);  // not at once: it might become a shortcut
  ASSERT_TRUE(spinUntil([&] { return w.aids().skipping(); }, 3000));
  // Held, it repeats; that changes nothing.
  sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, true);
  EXPECT_TRUE(w.aids().skipping());
  EXPECT_EQ(w.windowTitle(), w.caption() + "  [Skip]");
  sendKey(screen, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  EXPECT_FALSE(w.aids().skipping());
  EXPECT_EQ(w.windowTitle(), w.caption());
  ASSERT_TRUE(spinUntil([&] { return pageOf(w) == kThree; }));
  spin(100);
  EXPECT_EQ(pageOf(w), kThree);

  // Tab's skipping, not held, stops at the choice.
  pressKey(screen, Qt::Key_Tab);
  ASSERT_TRUE(spinUntil([&] { return !w.game().choiceTexts().empty(); }, 3000));
  EXPECT_FALSE(w.aids().skipping());

  // Held at the choice, it only pauses there ...
  sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  ASSERT_TRUE(spinUntil([&] { return w.aids().skipping(); }, 3000));
  spin(100);
  EXPECT_FALSE(w.game().choiceTexts().empty());
  EXPECT_TRUE(w.aids().skipping());
  // ... and skips the answer's scene, pausing again where it ends.
  clickAt(w, QPoint(150, 399));
  const std::vector<std::string> answer{"took yes"};
  ASSERT_TRUE(spinUntil([&] { return w.aids().comforts().history().back().lines == answer; }));
  ASSERT_TRUE(spinUntil([&] { return w.game().waiting() == Waiting::Decision; }));
  EXPECT_TRUE(w.aids().skipping());
  sendKey(screen, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  EXPECT_FALSE(w.aids().skipping());
}

TEST_F(WindowAidsTest, ACtrlThatIsPartOfAShortcutSkipsNothing) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  w.aids().setSkipMode(SkipMode::All);
  QWidget* screen = w.screenWidget();
  bool everSkipped = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] { everSkipped = everSkipped || w.aids().skipping(); });
  watch.start(5);

  // Ctrl+C, Ctrl+S (its dialog answered at once), Ctrl+Shift, each held well past the delay.
  const std::pair<int, Qt::KeyboardModifiers> shortcuts[] = {
      {Qt::Key_C, Qt::ControlModifier},
      {Qt::Key_S, Qt::ControlModifier},
      {Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier}};
  for (const auto& [key, mods] : shortcuts) {
    sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    spin(CtrlHold::kDelayMs / 4);
    sendKey(screen, QEvent::KeyPress, key, mods);
    spin(CtrlHold::kDelayMs * 2);
    sendKey(screen, QEvent::KeyRelease, key, mods);
    sendKey(screen, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  }
  // Shift held first, then Ctrl.
  sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier | Qt::ShiftModifier);
  spin(CtrlHold::kDelayMs * 2);
  sendKey(screen, QEvent::KeyRelease, Qt::Key_Control, Qt::ShiftModifier);
  EXPECT_FALSE(everSkipped);
  EXPECT_EQ(pageOf(w), kOne);
  EXPECT_EQ(clipboardText(), QStringLiteral("page one"));

  // A Ctrl whose release went to a dialog counts afresh when it is pressed again.
  sendKey(screen, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_TRUE(spinUntil([&] { return w.aids().skipping(); }, 3000));
  sendKey(screen, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
}

// ---- Auto mode ----

TEST_F(WindowAidsTest, AutoModeTurnsThePageOnTimeAndATogglesIt) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  w.aids().setAutoPace(AutoPace::Fast);
  // No game timer runs (the prompt does not blink): only auto mode wakes the clock.
  test::editState(w.game(), [](GameState& s) { s.timers.Text_Timer.Enabled = false; });
  w.refresh();
  ASSERT_FALSE(w.realClock().armed());

  pressKey(w.screenWidget(), Qt::Key_A);
  EXPECT_TRUE(w.aids().autoOn());
  EXPECT_EQ(w.windowTitle(), w.caption() + "  [Auto]");
  EXPECT_TRUE(showsTheGamesScreen(w));
  ASSERT_TRUE(w.realClock().armed());
  const AutoSpeed fast = autoSpeedOf(AutoPace::Fast);
  EXPECT_LE(w.realClock().armedInMs(), fast.baseMs + fast.perCharacterMs * 8);
  EXPECT_TRUE(spinUntil([&] { return pageOf(w) == kTwo; }, 4000));
  EXPECT_TRUE(w.aids().autoOn());

  pressKey(w.screenWidget(), Qt::Key_A);
  EXPECT_FALSE(w.aids().autoOn());
  EXPECT_EQ(w.windowTitle(), w.caption());
  spin(static_cast<int>(fast.baseMs + fast.perCharacterMs * 8) + 300);
  EXPECT_EQ(pageOf(w), kTwo);
  pressKey(w.screenWidget(), Qt::Key_A, Qt::ControlModifier);  // not the key
  EXPECT_FALSE(w.aids().autoOn());
}

// ---- History and clipboard ----

TEST_F(WindowAidsTest, TheHistoryWindowListsThePagesAndTheChoiceTakenAndFollows) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  clickAt(w);
  clickAt(w);
  ASSERT_TRUE(spinUntil([&] { return pageOf(w) == kThree; }));
  clickAt(w);
  ASSERT_FALSE(w.game().choiceTexts().empty());
  clickAt(w, QPoint(150, 399));

  pressKey(w.screenWidget(), Qt::Key_H);
  HistoryWindow* history = w.aids().historyWindow();
  ASSERT_TRUE(history);
  EXPECT_TRUE(history->isVisible());
  EXPECT_EQ(history->text()->toPlainText(), QStringLiteral("page one\n\npage two\n\npage three\n\n[Choice] yes"));
  EXPECT_TRUE(history->text()->isReadOnly());
  EXPECT_TRUE(history->text()->textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_TRUE(history->text()->textInteractionFlags() & Qt::TextSelectableByKeyboard);

  // Open, it follows the game.
  ASSERT_TRUE(spinUntil([&] { return pageOf(w) == std::vector<std::string>{"took yes"}; }));
  EXPECT_TRUE(history->text()->toPlainText().endsWith(QStringLiteral("[Choice] yes\n\ntook yes")));
  history->close();
  pressKey(w.screenWidget(), Qt::Key_H);
  EXPECT_EQ(w.aids().historyWindow(), history);  // the same window again
  EXPECT_TRUE(history->isVisible());
  history->close();
}

TEST(HistoryText, JoinsPagesAndMarksChoices) {
  EXPECT_EQ(historyText({}), QString());
  EXPECT_EQ(historyText({HistoryEntry{{"a", "b"}, false}, HistoryEntry{{"はい"}, true}, HistoryEntry{{}, false},
                         HistoryEntry{{"c"}, false}}),
            QStringLiteral("a\nb\n\n[Choice] はい\n\nc"));
}

TEST_F(WindowAidsTest, CtrlCCopiesThePageAndCopyingEachPageFollowsThePages) {
  MainWindow w(options, gameFont(), noDialogs());
  startScene(w);
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  clickAt(w);
  EXPECT_EQ(clipboardText(), QStringLiteral("before"));  // nothing is copied unasked
  pressKey(w.screenWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboardText(), QStringLiteral("page two"));

  menuEntry(w.saveMenu(), "Copy each page")->trigger();
  pressKey(w.screenWidget(), Qt::Key_PageUp);
  EXPECT_EQ(clipboardText(), QStringLiteral("page one"));
  clickAt(w);
  EXPECT_EQ(clipboardText(), QStringLiteral("page two"));
  menuEntry(w.saveMenu(), "Copy each page")->trigger();
  pressKey(w.screenWidget(), Qt::Key_PageUp);
  EXPECT_EQ(clipboardText(), QStringLiteral("page two"));
}

// ---- Settings ----

TEST_F(WindowAidsTest, TheWindowsSettingsOutliveItButTheGamesOwnDoNot) {
  {
    MainWindow w(options, gameFont(), noDialogs());
    w.present();
    QMenu* menu = w.saveMenu();
    menuEntry(menu, "All pages")->trigger();
    menuEntry(menu, "Fast")->trigger();
    menuEntry(menu, "Copy each page")->trigger();
    menuEntry(menu, "2×")->trigger();
    EXPECT_EQ(w.screenWidget()->size(), QSize(1280, 960));
    menuEntry(menu, "Read aloud")->trigger();
    EXPECT_TRUE(w.speaking());
    w.move(37, 41);
    // The game's own: sound effects off, pictures slow.
    w.menuMirror().action(MenuId::OFF1)->trigger();
    w.menuMirror().action(MenuId::CG_O)->trigger();
    w.close();
  }
  AppOptions next = options;
  WindowSettings(QString::fromStdString(options.userDir)).fillIn(next);
  EXPECT_EQ(next.scale, 2);
  EXPECT_FALSE(next.fullscreen);
  EXPECT_TRUE(next.speak);
  EXPECT_TRUE(next.copyEachPage);
  MainWindow w(next, gameFont(), noDialogs());
  w.present();
  EXPECT_EQ(w.aids().skipMode(), SkipMode::All);
  EXPECT_EQ(w.aids().autoPace(), AutoPace::Fast);
  EXPECT_TRUE(w.aids().copiesEachPage());
  EXPECT_EQ(w.pos(), QPoint(37, 41));
  EXPECT_TRUE(w.game().menu()[MenuId::ON1].Checked);
  EXPECT_FALSE(w.game().menu()[MenuId::OFF1].Checked);
  EXPECT_TRUE(w.game().menu()[MenuId::CG_F].Checked);
  EXPECT_EQ(w.game().menu()[MenuId::CG_Btn].Caption, "CG 普通");
  w.close();
}

TEST_F(WindowAidsTest, CommandLineOptionsWinAndAreNotWritten) {
  const QString userDir = QString::fromStdString(options.userDir);
  {
    MainWindow w(options, gameFont(), noDialogs());
    w.toggleFullScreen();  // F11 and the menu remember full screen
    w.setZoom(3);
    w.close();
  }
  AppOptions given = options;
  given.scale = 2;
  given.scaleGiven = true;  // --scale 2: windowed at 2, whatever was remembered
  WindowSettings(userDir).fillIn(given);
  EXPECT_EQ(given.scale, 2);
  EXPECT_FALSE(given.fullscreen);
  AppOptions remembered = options;
  WindowSettings(userDir).fillIn(remembered);
  EXPECT_EQ(remembered.scale, 3);
  EXPECT_TRUE(remembered.fullscreen);

  // --clipboard and --speak for one run leave the file as it was.
  AppOptions once = options;
  once.copyEachPage = true;
  once.speak = true;
  {
    MainWindow w(once, gameFont(), noDialogs());
    w.close();
  }
  AppOptions after = options;
  WindowSettings(userDir).fillIn(after);
  EXPECT_FALSE(after.copyEachPage);
  EXPECT_FALSE(after.speak);
}

TEST(WindowSettings, ValuesNotWrittenByTheWindowGiveTheDefaults) {
  const std::string dir = test::makeTempDir("qtsettings");
  const QString userDir = QString::fromStdString(dir);
  {
    std::ofstream(WindowSettings::fileIn(userDir).toStdString())
        << "[window]\nscale=9\nfullScreen=maybe\nposition=here\n[aids]\nskip=some\nautoSpeed=warp\n";
  }
  WindowSettings settings(userDir);
  AppOptions o;
  settings.fillIn(o);
  EXPECT_EQ(o.scale, kMaxScale);
  EXPECT_FALSE(o.fullscreen);
  EXPECT_EQ(settings.skipMode(), SkipMode::Read);
  EXPECT_EQ(settings.autoPace(), AutoPace::Normal);
  EXPECT_FALSE(settings.position());
  fs::remove_all(dir);
}
