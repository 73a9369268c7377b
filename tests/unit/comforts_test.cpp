// The player's aids: rolling back and forth over clicks, skipping pages, auto mode,
// the pages read and the history. With none of them asked for, the game is played
// exactly as without them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "comforts/comforts.h"
#include "game/game_state.h"
#include "support/pack_fixture.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

// A demo game with its aids, started and on the title.
struct AidedGame {
  GameCore game;
  Comforts aids;
  explicit AidedGame(const GameSetup& setup = demoSetup()) : game(setup), aids(game) {
    game.start();
    aids.advance(2500);
  }
  void click(int x, int y) {
    aids.press(MouseButton::Left, x, y);
    aids.release(MouseButton::Left, x, y);
    aids.react();
  }
  void settle() {
    while (game.busy()) game.fireNext(game.now() + 600000);
    aids.react();
  }
  // New game from the title: the opening scene's first page waits.
  void newGame() {
    click(300, 286);
    settle();
  }
};

// Runs the replay's commands through the aids, as the headless mode does.
void runThroughAids(AidedGame& g, const Command& c) {
  switch (c.kind) {
    case CommandKind::Click:
      g.aids.press(c.button, c.x, c.y);
      g.aids.release(c.button, c.x, c.y);
      break;
    case CommandKind::Settle: g.settle(); break;
    case CommandKind::Wait: g.game.advanceTo(g.game.now() + c.ms); break;
    case CommandKind::Menu: g.aids.menuCommand(c.item); break;
    case CommandKind::Down: g.aids.press(c.button, c.x, c.y); break;
    case CommandKind::Up: g.aids.release(c.button, c.x, c.y); break;
    case CommandKind::Move: g.aids.move(c.x, c.y); break;
    default: break;  // expectations and the rest look only
  }
  g.aids.react();
}

bool same(const GameCore& a, const GameCore& b) { return a.snapshot() == b.snapshot() && sameScreen(a, b); }

}  // namespace

// At every fifth click of a whole game the click is rolled back and done again: the
// game then goes on exactly as the game that never rolled back (the same job grades,
// the same random draws), and right after the rollback it stands where it stood
// before the click.
TEST(Rollback, UndoingAndRedoingClicksAllThroughAGameChangesNothing) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  AidedGame plain, rolling;
  int clicks = 0, rolledBack = 0;
  for (size_t i = 0; i < commands.size(); ++i) {
    const Command& c = commands[i];
    const bool taken = c.kind == CommandKind::Click && rolling.game.takesPress();
    const GameSnapshot before = rolling.game.snapshot();
    runThroughAids(plain, c);
    runThroughAids(rolling, c);
    if (taken && ++clicks % 5 == 0) {
      ASSERT_EQ(rolling.aids.rollBack(1), 1) << "command " << i;
      ASSERT_TRUE(rolling.game.snapshot() == before) << "rolled back, command " << i;
      runThroughAids(rolling, c);
      ++rolledBack;
    }
    ASSERT_TRUE(same(rolling.game, plain.game)) << "after command " << i;
  }
  EXPECT_GT(rolledBack, 40);
}

// Forty points back is the game forty clicks earlier; forward again step by step is
// each later one, until the player acts otherwise. The history keeps its last
// points only, and a rollback past them goes as far back as it can.
TEST(Rollback, BackAndForwardThroughThePoints) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  AidedGame g;
  std::vector<GameSnapshot> beforeClick;  // [0]: the click that begins the game, before the history
  for (size_t i = 0; i < commands.size() && beforeClick.size() < 61; ++i) {
    if (commands[i].kind == CommandKind::Click && g.game.takesPress()) beforeClick.push_back(g.game.snapshot());
    runThroughAids(g, commands[i]);
  }
  ASSERT_EQ(g.aids.rollback().points(), 60u);
  const GameSnapshot end = g.game.snapshot();

  EXPECT_EQ(g.aids.rollBack(40), 40);
  EXPECT_TRUE(g.game.snapshot() == beforeClick[21]);
  for (int k = 22; k <= 60; ++k) {
    ASSERT_TRUE(g.aids.rollForward());
    ASSERT_TRUE(g.game.snapshot() == beforeClick[k]) << k;
  }
  ASSERT_TRUE(g.aids.rollForward());
  EXPECT_TRUE(g.game.snapshot() == end);
  EXPECT_FALSE(g.aids.rollForward()) << "nothing ahead any more";

  g.aids.rollBack(3);
  g.click(320, 240);  // acting otherwise ends the way forward
  EXPECT_FALSE(g.aids.rollForward());

  EXPECT_EQ(g.aids.rollBack(1000), 58) << "as far back as the history reaches";
  EXPECT_TRUE(g.game.snapshot() == beforeClick[1]);
  EXPECT_EQ(g.aids.rollBack(1), 0);

  Rollback small(3);
  for (int i = 0; i < 5; ++i) small.record(g.game);
  EXPECT_EQ(small.points(), 3u) << "older points go";
}

TEST(Rollback, ANewGameOrALoadStartsANewHistory) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame g;
  g.newGame();
  g.click(320, 240);
  EXPECT_EQ(g.aids.rollback().points(), 1u) << "the press that began the game is behind the new history";
  g.aids.menuCommand(MenuId::Mes_Btn);  // a dialog: a menu command the game takes
  EXPECT_EQ(g.aids.rollback().points(), 2u);
  g.game.dialogClosed();
  g.aids.startNewHistory();
  EXPECT_EQ(g.aids.rollback().points(), 0u);

  // A load of a save taken on the page on the screen (F5 then F9): that page is
  // still read once; a load after reading on shows it again after the later pages.
  g.settle();
  const GameSnapshot onThisPage = g.game.snapshot();
  const size_t pages = g.aids.history().size();
  auto load = [&] {
    g.game.restore(onThisPage);
    g.aids.startNewHistory();
    g.aids.react();
  };
  load();
  EXPECT_EQ(g.aids.history().size(), pages);
  g.click(320, 240);
  g.settle();
  EXPECT_EQ(g.aids.history().size(), pages + 1);
  load();
  EXPECT_EQ(g.aids.history().size(), pages + 2);
  EXPECT_EQ(g.aids.history().back().page, g.game.pageKey());
}

// Skipping the opening scene ends where clicking through each page ends, with the
// same state, and stops at the first decision.
TEST(Skipping, ASkippedSceneEqualsOneClickedThrough) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame skipped, clicked;
  skipped.newGame();
  clicked.newGame();
  skipped.aids.setSkip(SkipMode::All);
  skipped.aids.advance(skipped.game.now() + 600000);
  EXPECT_EQ(skipped.aids.skip(), SkipMode::Off) << "skipping stopped";
  EXPECT_EQ(skipped.game.waiting(), Waiting::Decision);

  int pages = 0;
  while (clicked.game.waiting() != Waiting::Decision && pages < 1000) {
    if (clicked.game.waiting() == Waiting::Page) {
      clicked.click(320, 240);
      ++pages;
    }
    clicked.settle();
  }
  EXPECT_GT(pages, 3);
  EXPECT_TRUE(same(clicked.game, skipped.game));

  EXPECT_EQ(skipped.aids.history().size(), clicked.aids.history().size());
}

// Skipping while a key is held pauses where it would stop, and goes on in the next
// scene: the same game as turning it on again by hand after each decision.
TEST(Skipping, AHeldSkipPausesAtDecisionsAndGoesOnAfterThem) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame held, byHand;
  held.newGame();
  byHand.newGame();
  held.aids.setSkip(SkipMode::All);
  held.aids.setSkipHeld(true);
  size_t pages = held.aids.history().size();
  for (int round = 0; round < 3; ++round) {
    byHand.aids.setSkip(SkipMode::All);
    const int64_t until = held.game.now() + 600000;
    held.aids.advance(until);
    byHand.aids.advance(until);  // returns where skipping stopped
    byHand.aids.advance(until);
    EXPECT_EQ(held.game.waiting(), Waiting::Decision) << "round " << round;
    EXPECT_EQ(held.aids.skip(), SkipMode::All) << "only paused";
    EXPECT_EQ(byHand.aids.skip(), SkipMode::Off);
    ASSERT_TRUE(same(held.game, byHand.game)) << "round " << round;
    held.click(320, 240);
    byHand.click(320, 240);
  }
  EXPECT_GT(held.aids.history().size(), pages + 3) << "a later scene was skipped too";
}

// Held in "read" mode, skipping passes the pages read and waits on each unread one
// until the player has clicked it.
TEST(Skipping, AHeldReadSkipWaitsOnEachUnreadPage) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame g;
  g.newGame();  // its first page is on the screen: read
  g.aids.setSkip(SkipMode::Read);
  g.aids.setSkipHeld(true);
  g.aids.advance(g.game.now() + 10000);
  const int second = g.game.pageKey();
  EXPECT_EQ(g.aids.history().size(), 2u);
  g.aids.advance(g.game.now() + 10000);
  EXPECT_EQ(g.game.pageKey(), second) << "an unread page waits";
  EXPECT_EQ(g.aids.skip(), SkipMode::Read);
  g.click(320, 400);
  g.aids.advance(g.game.now() + 10000);
  EXPECT_NE(g.game.pageKey(), second);
  EXPECT_EQ(g.aids.history().size(), 3u);
}

// "Read" skipping knows the pages of an earlier run from the user folder: it passes
// them and stops at the first page that run did not show.
TEST(Skipping, ReadPagesAreKnownAgainInALaterRun) {
  ASSERT_FALSE(demoDir().empty());
  const std::string userDir = makeTempDir("read-pages");
  int fourthPage = -1;
  {
    AidedGame first;
    first.aids.keepReadPagesIn(userDir);
    first.newGame();
    for (int k = 0; k < 3; ++k) {
      ASSERT_EQ(first.game.waiting(), Waiting::Page);
      first.click(320, 240);
      first.settle();
    }
    fourthPage = first.game.pageKey();
    EXPECT_EQ(first.aids.readPages().size(), 4u);
  }
  AidedGame second;
  second.aids.keepReadPagesIn(userDir);
  EXPECT_EQ(second.aids.readPages().size(), 4u);
  second.newGame();
  second.aids.setSkip(SkipMode::Read);
  second.aids.advance(second.game.now() + 600000);
  EXPECT_EQ(second.aids.skip(), SkipMode::Off);
  EXPECT_EQ(second.game.waiting(), Waiting::Page);
  EXPECT_EQ(second.game.pageKey(), [&] {
    // The page after the four read ones: the fifth.
    AidedGame third;
    third.newGame();
    for (int k = 0; k < 4; ++k) {
      third.click(320, 240);
      third.settle();
    }
    return third.game.pageKey();
  }());
  EXPECT_NE(second.game.pageKey(), fourthPage);
}

// Auto mode turns a page after 1.5 s and 80 ms for each of its characters, and stops
// where the game waits for a decision.
TEST(AutoMode, TurnsEachPageAfterItsPause) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame g;
  g.newGame();
  ASSERT_EQ(g.game.waiting(), Waiting::Page);
  size_t characters = 0;
  for (const std::string& line : g.game.pageLines()) characters += utf8ToCodepoints(line).size();
  ASSERT_GT(characters, 0u);
  const int64_t shownAt = g.game.now();
  const int firstPage = g.game.pageKey();
  g.aids.setAuto(true);
  const int64_t pause = 1500 + 80 * static_cast<int64_t>(characters);
  g.aids.advance(shownAt + pause - 1);
  EXPECT_EQ(g.game.pageKey(), firstPage) << "not before its pause is over";
  g.aids.advance(shownAt + pause + 2000);
  EXPECT_NE(g.game.pageKey(), firstPage);
  EXPECT_TRUE(g.aids.autoOn());
  g.aids.advance(g.game.now() + 10 * 60000);
  EXPECT_FALSE(g.aids.autoOn()) << "stopped at the first decision";
  EXPECT_EQ(g.game.waiting(), Waiting::Decision);
}

// With no aid asked for, playing through them is playing the game itself; the
// history holds the pages shown.
TEST(Comforts, UnaskedTheyChangeNothing) {
  ASSERT_FALSE(demoDir().empty());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  Player plain(demoSetup());
  AidedGame aided;
  // The aided game was already run to 2500 ms: bring the plain one there too.
  plain.game.advanceTo(2500);
  for (size_t i = 1; i < 200; ++i) {  // command 0 is the replay's opening wait
    plain.run(commands[i], i);
    runThroughAids(aided, commands[i]);
    ASSERT_TRUE(same(plain.game, aided.game)) << "after command " << i;
  }
  ASSERT_FALSE(aided.aids.history().empty());
  EXPECT_LE(aided.aids.history().size(), Comforts::kHistoryPages);
  EXPECT_FALSE(aided.aids.history().back().lines.empty());
}

// The history follows a rollback: the pages undone leave it, the page gone back to is
// in it once, and clicking on shows the next pages again.
TEST(Comforts, TheHistoryFollowsARollback) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame g;
  g.newGame();
  for (int k = 0; k < 4; ++k) {
    g.click(320, 240);
    g.settle();
  }
  ASSERT_EQ(g.aids.history().size(), 5u);
  const std::vector<HistoryEntry> five(g.aids.history().begin(), g.aids.history().end());
  EXPECT_EQ(g.aids.rollBack(3), 3);
  g.aids.react();
  ASSERT_EQ(g.aids.history().size(), 2u);
  EXPECT_EQ(g.aids.history().back(), five[1]);
  for (int k = 0; k < 3; ++k) {
    g.click(320, 240);
    g.settle();
  }
  EXPECT_EQ(std::vector<HistoryEntry>(g.aids.history().begin(), g.aids.history().end()), five);
}

// What Ctrl+C copies: the text on the screen, whichever kind it is, and nothing where
// none is shown (a page of a scene left behind is not on the calendar's screen).
TEST(Comforts, TheTextOnTheScreenIsWhatThePlayerReads) {
  AidedGame g;
  EXPECT_EQ(g.aids.screenText(), "") << "the title shows no text";
  bool sawPage = false, sawHint = false, sawChoice = false;
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  ASSERT_FALSE(commands.empty());
  for (const Command& c : commands) {
    runThroughAids(g, c);
    if (g.game.busy() || !g.game.screenVisible()) continue;
    const GameMode mode = g.game.snapshot().state().shell.GameMode;
    const std::string text = g.aids.screenText();
    if (mode == GameMode::Scene) {
      EXPECT_EQ(text, g.aids.pageText());
      sawPage = sawPage || !text.empty();
    } else if (mode == GameMode::Choice) {
      const auto choices = g.game.choiceTexts();
      ASSERT_EQ(choices.size(), 2u);
      EXPECT_EQ(text, choices[0] + "\n" + choices[1]);
      sawChoice = true;
    } else if (mode == GameMode::Calendar && !g.game.snapshot().state().shown.Hint.empty()) {
      EXPECT_NE(text, g.aids.pageText()) << "the calendar shows its hint, not the last page";
      EXPECT_EQ(text.substr(0, text.find('\n')), g.game.snapshot().state().shown.Hint.front());
      sawHint = true;
    } else if (mode == GameMode::Title || mode == GameMode::Closing) {
      EXPECT_EQ(text, "");
    }
  }
  EXPECT_TRUE(sawPage);
  EXPECT_TRUE(sawHint);
  EXPECT_TRUE(sawChoice);
}
