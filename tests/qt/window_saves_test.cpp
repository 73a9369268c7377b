// The window's saves: quick save and load by key, the save and load dialog, the
// autosave when the window closes during a game, --continue, and refusals that leave
// the game as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "app/app_options.h"
#include "app/main_window.h"
#include "app/menu_mirror.h"
#include "app/save_dialog.h"
#include "app/screen_widget.h"
#include "app/slot_view.h"
#include "game_font.h"
#include "game_state_edit.h"
#include "saves/save_game.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
namespace fs = std::filesystem;

namespace {

using test::gameFont;

GameSetup setupFor(const std::string& gameDir) {
  GameSetup setup;
  setup.gameDir = gameDir;
  return setup;
}

void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods);
  QCoreApplication::sendEvent(w, &release);
}

void writeBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Plays the player's part in the window's dialogs: what to do in the save dialog,
// and the answers to its questions, in order (no answer left: "No").
struct Player {
  std::function<void(SaveDialog&)> inSaveDialog;
  std::vector<bool> answers;
  std::vector<QString> questions;
  int saveDialogs = 0;
  ModalRunner runner() {
    return [this](QDialog& d) {
      if (auto* box = qobject_cast<QMessageBox*>(&d)) {
        questions.push_back(box->text());
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
      } else if (auto* dialog = qobject_cast<SaveDialog*>(&d)) {
        ++saveDialogs;
        if (inSaveDialog) inSaveDialog(*dialog);
      }
    };
  }
};

// A scene with two pages, so that a click changes the screen.
constexpr const char* kScript = "bg=1\n*e_1\nbg=0\nline one\nline two\n＜\nline three\nend=3\n";

using test::putMidGame;

// Runs the game's clock a minute ahead of the wall clock, so that the window's
// real-time clock fires nothing for a while and the state holds still.
void holdStill(MainWindow& w) {
  w.game().advanceTo(w.game().now() + 60'000);
  w.refresh();
}

void clickScreen(MainWindow& w) {
  GameCore& game = w.game();
  game.pointerPress(MouseButton::Left, 320, 240);
  game.pointerRelease(MouseButton::Left, 320, 240);
  w.refresh();
}

class WindowSavesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gameFont());
    dir = test::makeTempDir("qtsaves");
    ASSERT_TRUE(test::writeTestPack(dir, {}, kScript));
    options.gameDir = dir;
    options.dataGiven = true;
    options.userDir = dir + "/user";
  }
  void TearDown() override { fs::remove_all(dir); }
  SaveSlots slotsOf(const GameCore& game) const { return SaveSlots(options.userDir, game.dataIdentity().value()); }

  std::string dir;
  AppOptions options;
  Player player;
};

}  // namespace

// ---- Texts and options ----

TEST(SlotTexts, PlayTimeAndDay) {
  EXPECT_EQ(SlotTexts::playTime(0), QStringLiteral("0:00:00"));
  EXPECT_EQ(SlotTexts::playTime(59'999), QStringLiteral("0:00:59"));
  EXPECT_EQ(SlotTexts::playTime(3'600'000 - 1), QStringLiteral("0:59:59"));
  EXPECT_EQ(SlotTexts::playTime((123LL * 3600 + 4 * 60 + 5) * 1000), QStringLiteral("123:04:05"));
  EXPECT_EQ(SlotTexts::playTime(-5000), QStringLiteral("0:00:00"));
  EXPECT_EQ(SlotTexts::day(0, ""), QStringLiteral("Before a new game"));
  EXPECT_EQ(SlotTexts::day(3, "午前"), QStringLiteral("Day 3, 午前"));
  EXPECT_EQ(SlotTexts::day(3, ""), QStringLiteral("Day 3"));
}

TEST(AppOptions, ReadsUserDirAndContinue) {
  const char* args[] = {"shirakaba", "--user-dir", "/home/u/saves", "--continue"};
  const Result<AppOptions> o = parseAppOptions(4, const_cast<char**>(args));
  ASSERT_TRUE(o) << o.error();
  EXPECT_EQ(o->userDir, "/home/u/saves");
  EXPECT_TRUE(o->continueGame);
  const char* eq[] = {"shirakaba", "--user-dir=/x"};
  EXPECT_EQ(parseAppOptions(2, const_cast<char**>(eq))->userDir, "/x");
  const char* missing[] = {"shirakaba", "--user-dir"};
  EXPECT_FALSE(parseAppOptions(2, const_cast<char**>(missing)));
  const char* none[] = {"shirakaba"};
  EXPECT_FALSE(parseAppOptions(1, const_cast<char**>(none))->continueGame);
  EXPECT_NE(usageText("shirakaba").find("--user-dir DIR"), std::string::npos);
  EXPECT_NE(usageText("shirakaba").find("--continue"), std::string::npos);
}

// ---- Quick save and quick load ----

TEST_F(WindowSavesTest, F5ThenStepsThenF9RestoresTheScreenExactly) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  clickScreen(w);  // the first page
  const Bitmap saved = w.game().screen();
  const QImage savedImage = w.screenWidget()->grab().toImage();
  pressKey(w.screenWidget(), Qt::Key_F5);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Saved to the quick slot"));
  EXPECT_TRUE(slotsOf(w.game()).exists(SaveSlot::quick()));

  clickScreen(w);  // the next page
  w.game().advanceTo(w.game().now() + 2000);
  w.refresh();
  ASSERT_NE(w.game().screen(), saved);

  pressKey(w.screenWidget(), Qt::Key_F9);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Loaded the quick slot"));
  EXPECT_EQ(w.game().screen(), saved);
  EXPECT_EQ(w.screenWidget()->grab().toImage(), savedImage);
  // And the game goes on from there: the same click shows the same next page.
  clickScreen(w);
  EXPECT_NE(w.game().screen(), saved);
}

TEST_F(WindowSavesTest, ARefusedLoadLeavesTheGameAsItWas) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  clickScreen(w);
  holdStill(w);
  const GameSnapshot before = w.game().snapshot();

  pressKey(w.screenWidget(), Qt::Key_F9);  // nothing saved yet
  EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Cannot load the quick slot: it is empty")))
      << w.windowTitle().toStdString();
  EXPECT_EQ(w.game().snapshot(), before);

  writeBytes(slotsOf(w.game()).pathOf(SaveSlot::quick()), "garbage, not a save");
  pressKey(w.screenWidget(), Qt::Key_F9);
  EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Cannot load"))) << w.windowTitle().toStdString();
  EXPECT_FALSE(w.windowTitle().contains(QStringLiteral("quick.sav")));  // the reason, not the path
  EXPECT_EQ(w.game().snapshot(), before);

  // A good save of other game data is refused as well.
  const std::string other = dir + "/other";
  ASSERT_TRUE(test::writeTestPack(other, {}, "*other\n"));
  GameCore otherGame(setupFor(other));
  otherGame.start();
  ASSERT_TRUE(saveGame(otherGame, slotsOf(w.game()).pathOf(SaveSlot::quick()), 0, 0));
  pressKey(w.screenWidget(), Qt::Key_F9);
  EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("other game data"))) << w.windowTitle().toStdString();
  EXPECT_EQ(w.game().snapshot(), before);
}

TEST_F(WindowSavesTest, NoSaveIsTakenWhileAGameDialogIsOpen) {
  MainWindow* window = nullptr;
  ModalRunner pressF5 = [&](QDialog&) { pressKey(window->screenWidget(), Qt::Key_F5); };
  MainWindow w(options, gameFont(), pressF5);
  window = &w;
  putMidGame(w.game());
  w.menuMirror().action(MenuId::About_Btn)->trigger();  // F5 is pressed while the box is open
  EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Cannot save"))) << w.windowTitle().toStdString();
  EXPECT_FALSE(slotsOf(w.game()).exists(SaveSlot::quick()));
}

// F5 or Ctrl+S pressed in one of the game's dialogs says there why nothing is saved.
TEST_F(WindowSavesTest, TheSaveKeysInAGameDialogSayWhyNothingIsSaved) {
  QStringList titles;
  MainWindow* window = nullptr;
  ModalRunner pressKeys = [&](QDialog& d) {
    for (auto [key, mods] : {std::pair{Qt::Key_F5, Qt::NoModifier}, std::pair{Qt::Key_S, Qt::ControlModifier}}) {
      window->setWindowTitle(QString());
      pressKey(&d, key, mods);
      titles << window->windowTitle();
    }
  };
  MainWindow w(options, gameFont(), pressKeys);
  window = &w;
  putMidGame(w.game());
  w.menuMirror().action(MenuId::About_Btn)->trigger();
  ASSERT_EQ(titles.size(), 2);
  for (const QString& t : titles) EXPECT_TRUE(t.startsWith(QStringLiteral("Nothing was saved: close"))) << t.toStdString();
  EXPECT_FALSE(slotsOf(w.game()).exists(SaveSlot::quick()));
}

// On the logo and the title no game is under way: F5 and the save dialog refuse and say
// so, and the quick slot keeps the player's game.
TEST_F(WindowSavesTest, NothingIsSavedWhereNoGameIsUnderWay) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  ASSERT_TRUE(w.saveTo(SaveSlot::quick()));
  const Result<SaveInfo> kept = slotsOf(w.game()).info(SaveSlot::quick());
  for (GameMode screen : {GameMode::Logo, GameMode::Title}) {
    test::editState(w.game(), [&](GameState& s) { s.shell.GameMode = screen; });
    pressKey(w.screenWidget(), Qt::Key_F5);
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("no game is under way"))) << w.windowTitle().toStdString();
    pressKey(w.screenWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Cannot save: no game"))) << w.windowTitle().toStdString();
  }
  EXPECT_EQ(player.saveDialogs, 0);
  EXPECT_EQ(slotsOf(w.game()).info(SaveSlot::quick())->savedAt, kept->savedAt);
}

// ---- The dialog ----

TEST_F(WindowSavesTest, LoadDialogListsSavedEmptyAndDamagedSlots) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  clickScreen(w);
  ASSERT_TRUE(w.saveTo(SaveSlot::numbered(3)));
  const SaveSlots folder = slotsOf(w.game());
  writeBytes(folder.pathOf(SaveSlot::numbered(5)), "SKBSAVE\x1a but cut short");

  SaveDialog d(SaveDialog::Mode::Load, folder, player.runner());
  ASSERT_EQ(d.list()->count(), SaveDialog::kRows);
  EXPECT_EQ(d.view(0).slot, SaveSlot::quick());
  EXPECT_EQ(d.view(1).slot, SaveSlot::autosave());
  EXPECT_EQ(d.view(SaveDialog::kRows - 1).slot, SaveSlot::numbered(12));

  const int three = d.rowOf(SaveSlot::numbered(3));
  EXPECT_EQ(d.view(three).state, SlotView::State::Filled);
  const QPixmap thumb = d.thumbnailLabel(three)->pixmap();
  ASSERT_FALSE(thumb.isNull());
  EXPECT_EQ(thumb.size(), QSize(160, 120));
  const QString text = d.textLabel(three)->text();
  EXPECT_TRUE(text.contains(QStringLiteral("Slot 3"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Day 3, "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("line one"))) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("*e_1"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Play time 0:00:"))) << text.toStdString();
  EXPECT_EQ(d.list()->currentRow(), three);  // the newest save is chosen first
  EXPECT_TRUE(d.chooseButton()->isEnabled());

  const int four = d.rowOf(SaveSlot::numbered(4));
  EXPECT_TRUE(d.textLabel(four)->text().contains(QStringLiteral("Empty")));
  EXPECT_TRUE(d.thumbnailLabel(four)->pixmap().isNull());
  d.select(SaveSlot::numbered(4));
  EXPECT_FALSE(d.chooseButton()->isEnabled());
  EXPECT_FALSE(d.deleteButton()->isEnabled());

  const int five = d.rowOf(SaveSlot::numbered(5));
  EXPECT_EQ(d.view(five).state, SlotView::State::Unreadable);
  EXPECT_TRUE(d.textLabel(five)->text().contains(QStringLiteral("Cannot be read: "))) << d.textLabel(five)->text().toStdString();
  EXPECT_FALSE(d.view(five).problem.contains(QStringLiteral("slot05.sav")));
  d.select(SaveSlot::numbered(5));
  EXPECT_FALSE(d.chooseButton()->isEnabled());  // cannot be loaded
  EXPECT_TRUE(d.deleteButton()->isEnabled());   // but can be cleared away
  d.chooseSelected();
  EXPECT_FALSE(d.chosenSlot());
}

TEST_F(WindowSavesTest, ChoosingInTheLoadDialogLoadsThatSlot) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  ASSERT_TRUE(w.saveTo(SaveSlot::numbered(7)));
  const GameSnapshot saved = w.game().snapshot();
  clickScreen(w);
  player.inSaveDialog = [](SaveDialog& d) {
    EXPECT_EQ(d.mode(), SaveDialog::Mode::Load);
    d.select(SaveSlot::numbered(7));
    d.chooseButton()->click();
  };
  pressKey(w.screenWidget(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(player.saveDialogs, 1);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Loaded slot 7"));
  EXPECT_EQ(w.game().screen(), saved.state().surfaces.ImageBa);
}

TEST_F(WindowSavesTest, SavingOverASaveAsksFirst) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  ASSERT_TRUE(w.saveTo(SaveSlot::numbered(1)));
  const Result<SaveInfo> first = slotsOf(w.game()).info(SaveSlot::numbered(1));
  ASSERT_TRUE(first);
  clickScreen(w);

  // "No": nothing is written, the dialog stays open.
  bool stillOpen = false;
  player.answers = {false};
  player.inSaveDialog = [&](SaveDialog& d) {
    d.select(SaveSlot::numbered(1));
    d.chooseButton()->click();
    stillOpen = d.result() != QDialog::Accepted && !d.chosenSlot();
  };
  pressKey(w.screenWidget(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(player.questions.size(), 1u);
  EXPECT_TRUE(player.questions[0].startsWith(QStringLiteral("Overwrite slot 1 (Day 3, "))) << player.questions[0].toStdString();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(slotsOf(w.game()).info(SaveSlot::numbered(1)).value(), first.value());

  // "Yes": the slot now holds the game as it is.
  player.answers = {true};
  pressKey(w.screenWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(player.questions.size(), 2u);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Saved to slot 1"));
  EXPECT_NE(slotsOf(w.game()).info(SaveSlot::numbered(1))->thumbnailPng, first->thumbnailPng);

  // An empty slot is saved into without a question.
  player.inSaveDialog = [](SaveDialog& d) {
    d.select(SaveSlot::numbered(2));
    d.chooseButton()->click();
  };
  pressKey(w.screenWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(player.questions.size(), 2u);
  EXPECT_TRUE(slotsOf(w.game()).exists(SaveSlot::numbered(2)));
}

TEST_F(WindowSavesTest, SaveDialogKeepsTheAutosaveRowForClosing) {
  MainWindow w(options, gameFont(), player.runner());
  SaveDialog d(SaveDialog::Mode::Save, slotsOf(w.game()), player.runner());
  EXPECT_EQ(d.list()->currentRow(), d.rowOf(SaveSlot::numbered(1)));  // the first empty numbered slot
  const int autoRow = d.rowOf(SaveSlot::autosave());
  EXPECT_FALSE(d.canChoose(autoRow));
  EXPECT_FALSE(d.list()->item(autoRow)->flags() & Qt::ItemIsSelectable);
  EXPECT_TRUE(d.canChoose(d.rowOf(SaveSlot::quick())));
}

// A row names the save by what the player saw: the page's first line, cut to the
// row's width; a save of the first format, which kept no line, by its day and part of
// day, never by the scene's label.
TEST_F(WindowSavesTest, TheListShowsThePagesLineCutToFitAndNeverALabel) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  clickScreen(w);
  const SaveSlots folder = slotsOf(w.game());
  Result<SaveFile> save = takeSave(w.game(), 0, 0);
  ASSERT_TRUE(save);
  save->info.pageLine = std::string(40, 'x') + "の長い行" + std::string(400, 'y') + "END";
  ASSERT_TRUE(writeSave(folder.pathOf(SaveSlot::numbered(1)), save.value()));
  save->info.day = 2;
  save->info.partOfDay = "午後";
  save->info.scene = "*job_s1";
  const std::vector<uint8_t> first = encodeSaveFile(save.value(), 1);
  writeBytes(folder.pathOf(SaveSlot::numbered(2)), std::string(first.begin(), first.end()));

  SaveDialog d(SaveDialog::Mode::Load, folder, player.runner());
  for (int width : {0, 900}) {
    if (width) {
      d.show();
      d.resize(width, d.height());
      QCoreApplication::processEvents();
    }
    const QStringList lines = d.textLabel(d.rowOf(SaveSlot::numbered(1)))->text().split(QStringLiteral("<br>"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("xxxx"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("…"))) << lines[2].toStdString();
    EXPECT_LE(d.textLabel(0)->fontMetrics().horizontalAdvance(lines[2]), d.textWidth());
    EXPECT_GT(d.textWidth(), width ? 500 : 200);
  }
  const QString older = d.textLabel(d.rowOf(SaveSlot::numbered(2)))->text();
  EXPECT_TRUE(older.contains(QStringLiteral("Day 2, 午後"))) << older.toStdString();
  EXPECT_FALSE(older.contains(QStringLiteral("job_s1"))) << older.toStdString();
}

TEST_F(WindowSavesTest, DeleteAsksThenRemovesTheFile) {
  MainWindow w(options, gameFont(), player.runner());
  putMidGame(w.game());
  ASSERT_TRUE(w.saveTo(SaveSlot::numbered(12)));
  const SaveSlots folder = slotsOf(w.game());
  SaveDialog d(SaveDialog::Mode::Load, folder, player.runner());
  d.select(SaveSlot::numbered(12));

  player.answers = {false};
  d.deleteButton()->click();
  EXPECT_TRUE(folder.exists(SaveSlot::numbered(12)));

  player.answers = {true};
  d.deleteButton()->click();
  EXPECT_EQ(player.questions.size(), 2u);
  EXPECT_FALSE(folder.exists(SaveSlot::numbered(12)));
  const int row = d.rowOf(SaveSlot::numbered(12));
  EXPECT_EQ(d.view(row).state, SlotView::State::Empty);
  EXPECT_TRUE(d.textLabel(row)->text().contains(QStringLiteral("Empty")));
  EXPECT_FALSE(d.chooseButton()->isEnabled());
  EXPECT_FALSE(d.deleteButton()->isEnabled());
}

// ---- The right button's menu ----

TEST_F(WindowSavesTest, TheRightButtonOpensTheSaveMenuInsteadOfReachingTheGame) {
  MainWindow w(options, gameFont(), player.runner());
  QMenu* menu = w.saveMenu();
  QStringList texts;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) texts << a->text();
  // The saves first; the player's aids and the window's settings follow.
  EXPECT_EQ(texts.mid(0, 4), (QStringList{"Quick save\tF5", "Quick load\tF9", "Save…\tCtrl+S", "Load…\tCtrl+L"}));
  EXPECT_EQ(w.screenWidget()->contextMenuPolicy(), Qt::CustomContextMenu);

  emit w.screenWidget()->customContextMenuRequested(QPoint(10, 10));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_FALSE(menu->actions()[1]->isEnabled());  // nothing to quick-load yet
  menu->hide();

  putMidGame(w.game());
  menu->actions()[0]->trigger();
  EXPECT_TRUE(slotsOf(w.game()).exists(SaveSlot::quick()));
  emit w.screenWidget()->customContextMenuRequested(QPoint(10, 10));
  EXPECT_TRUE(menu->actions()[1]->isEnabled());
  menu->hide();
}

// ---- The autosave and --continue ----

TEST_F(WindowSavesTest, ClosingDuringAGameWritesTheAutosaveAndContinueLoadsIt) {
  Bitmap atClose;
  {
    MainWindow w(options, gameFont(), player.runner());
    putMidGame(w.game());
    clickScreen(w);
    w.game().advanceTo(w.game().now() + 90'000);  // a minute and a half of play
    w.refresh();
    atClose = w.game().screen();
    w.present();
    w.close();
    EXPECT_TRUE(w.game().closed());
  }
  GameCore probe(setupFor(dir));
  const SaveSlots folder = slotsOf(probe);
  const Result<SaveInfo> autosave = folder.info(SaveSlot::autosave());
  ASSERT_TRUE(autosave) << autosave.error();
  EXPECT_EQ(autosave->scene, "*e_1");
  EXPECT_GE(autosave->playTimeMs, 90'000);

  options.continueGame = true;
  MainWindow again(options, gameFont(), player.runner());
  ASSERT_TRUE(again.continueFromAutosave());
  EXPECT_EQ(again.windowTitle(), QStringLiteral("Loaded the autosave"));
  EXPECT_EQ(again.game().screen(), atClose);
  // The play time goes on from the save's, not from zero.
  ASSERT_TRUE(again.saveTo(SaveSlot::quick()));
  EXPECT_GE(folder.info(SaveSlot::quick())->playTimeMs, autosave->playTimeMs);
}

TEST_F(WindowSavesTest, ClosingOnTheLogoOrTheTitleWritesNoAutosave) {
  for (GameMode mode : {GameMode::Logo, GameMode::Title}) {
    MainWindow w(options, gameFont(), player.runner());
    test::editState(w.game(), [&](GameState& s) { s.shell.GameMode = mode; });
    w.present();
    w.close();
    EXPECT_FALSE(slotsOf(w.game()).exists(SaveSlot::autosave())) << static_cast<int>(mode);
  }
}

TEST_F(WindowSavesTest, ExitFromTheMenuWritesTheAutosaveOnlyWhenTheGameEnds) {
  MainWindow w(options, gameFont(), player.runner());
  w.present();
  putMidGame(w.game());
  // During a transition "おわる" does nothing, and nothing is written.
  test::editState(w.game(), [](GameState& s) { s.timers.Cha_Timer.Enabled = true; });
  w.menuMirror().action(MenuId::Exit_Btn)->trigger();
  ASSERT_FALSE(w.game().closed());
  EXPECT_FALSE(slotsOf(w.game()).exists(SaveSlot::autosave()));

  test::editState(w.game(), [](GameState& s) { s.timers.Cha_Timer.Enabled = false; });
  const Bitmap before = w.game().screen();
  w.menuMirror().action(MenuId::Exit_Btn)->trigger();
  EXPECT_TRUE(w.game().closed());
  EXPECT_FALSE(w.isVisible());
  GameCore probe(setupFor(dir));
  probe.start();
  ASSERT_TRUE(loadGame(probe, slotsOf(probe).pathOf(SaveSlot::autosave())));
  EXPECT_EQ(probe.screen(), before);
}

TEST_F(WindowSavesTest, ContinueWithoutAnAutosaveStartsNormallyAndSaysWhy) {
  options.continueGame = true;
  MainWindow w(options, gameFont(), player.runner());
  holdStill(w);
  const GameSnapshot start = w.game().snapshot();
  EXPECT_FALSE(w.continueFromAutosave());
  EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Cannot load the autosave: it is empty")))
      << w.windowTitle().toStdString();
  EXPECT_EQ(w.game().snapshot(), start);
  EXPECT_FALSE(w.game().gameUnderWay());
}
