// The player's aids: rolling back and forth over clicks, skipping pages, auto mode,
// the pages read and the history. With none of them asked for, the game is played
// exactly as without them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/text.h"
#include "comforts/comforts.h"
#include "game/game_state.h"
#include "saves/save_game.h"
#include "tools/monkey/monkey_rng.h"
#include "support/pack_fixture.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;
using namespace shirakaba::monkey;

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
  g.aids.startNewHistory({});
  EXPECT_EQ(g.aids.rollback().points(), 0u);
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
// until the player has clicked it; the page shown first is unread until then.
TEST(Skipping, AHeldReadSkipWaitsOnEachUnreadPage) {
  ASSERT_FALSE(demoDir().empty());
  AidedGame g;
  g.newGame();
  const int first = g.game.pageKey();
  g.aids.setSkip(SkipMode::Read);
  g.aids.setSkipHeld(true);
  g.aids.advance(g.game.now() + 10000);
  EXPECT_EQ(g.game.pageKey(), first) << "shown is not read";
  EXPECT_EQ(g.aids.skip(), SkipMode::Read);
  g.click(320, 400);
  g.aids.advance(g.game.now() + 10000);
  const int second = g.game.pageKey();
  EXPECT_NE(second, first);
  EXPECT_EQ(g.aids.history().size(), 2u);
  EXPECT_TRUE(g.aids.readPages().contains(first));
  EXPECT_FALSE(g.aids.readPages().contains(second));
}

// Turned on on a page the player has not clicked past, "read" skipping stops at once.
TEST(Skipping, APageShownButNotClickedPastIsNotSkipped) {
  ASSERT_FALSE(demoDir().empty());
  const std::string userDir = makeTempDir("read-first");
  AidedGame g;
  g.aids.keepReadPagesIn(userDir);
  g.newGame();
  const int first = g.game.pageKey();
  g.aids.setSkip(SkipMode::Read);
  g.aids.advance(g.game.now() + 10000);
  EXPECT_EQ(g.game.pageKey(), first);
  EXPECT_EQ(g.aids.skip(), SkipMode::Off);
  EXPECT_EQ(g.aids.readPages().size(), 0u);
  std::filesystem::remove_all(userDir);
}

// "Read" skipping knows the pages of an earlier run from the user folder: it passes
// them and stops at the first page that run did not click past.
TEST(Skipping, ReadPagesAreKnownAgainInALaterRun) {
  ASSERT_FALSE(demoDir().empty());
  const std::string userDir = makeTempDir("read-pages");
  int fourthPage = -1;
  {
    AidedGame first;
    first.newGame();
    for (int k = 0; k < 3; ++k) {
      ASSERT_EQ(first.game.waiting(), Waiting::Page);
      first.click(320, 240);
      first.settle();
      // The pages read before the folder is known are kept in it too.
      if (k == 0) first.aids.keepReadPagesIn(userDir);
    }
    fourthPage = first.game.pageKey();
    EXPECT_EQ(first.aids.readPages().size(), 3u) << "the fourth is shown, not read";
  }
  AidedGame second;
  second.aids.keepReadPagesIn(userDir);
  EXPECT_EQ(second.aids.readPages().size(), 3u);
  second.newGame();
  second.aids.setSkip(SkipMode::Read);
  second.aids.advance(second.game.now() + 600000);
  EXPECT_EQ(second.aids.skip(), SkipMode::Off);
  EXPECT_EQ(second.game.waiting(), Waiting::Page);
  EXPECT_EQ(second.game.pageKey(), fourthPage) << "the first page that run did not click past";
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

namespace {

// What the test knows of the game at one rollback point: the game, the pages and
// choices of the path to it, and how far along the whole game's clicks it is.
struct PathPoint {
  GameSnapshot game;
  std::vector<HistoryEntry> history;
  size_t nextClick = 0;
};

}  // namespace

// Walks through the whole game's clicks with random rollbacks, roll-forwards, saves
// and loads, answering a choice rolled back to now and then the other way: after every
// step (straight after a rollback too, before the aids look at the game) the history
// is the pages and choices of the path that led to the screen shown, as the test kept
// them.
TEST(History, IsAlwaysThePathToTheScreenShown) {
  ASSERT_FALSE(demoDir().empty());
  std::vector<std::pair<int, int>> clicks;
  for (const Command& c : replayCommands("whole_game.replay"))
    if (c.kind == CommandKind::Click) clicks.emplace_back(c.x, c.y);
  const std::string file = makeTempDir("history-walk") + "/walk.sav";
  int rollbacks = 0, otherAnswers = 0;
  for (uint64_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    MonkeyRng rng(seed);
    AidedGame g;
    PathPoint now{GameSnapshot(), {}, 0};
    std::vector<PathPoint> past, ahead;
    std::optional<PathPoint> saved;
    const auto here = [&] { return PathPoint{g.game.snapshot(), now.history, now.nextClick}; };
    const auto goTo = [&](PathPoint point, int step) {
      ASSERT_TRUE(g.game.snapshot() == point.game) << "step " << step;
      now = std::move(point);
      ASSERT_EQ(g.aids.history().entries(), now.history) << "before the aids look, step " << step;
    };
    for (int step = 0; step < 250 && now.nextClick < clicks.size() && !g.game.closed(); ++step) {
      const int kind = rng.below(20);
      if (kind < 14 || past.empty()) {
        // The next click of the whole game, or the other answer: the choice and the page
        // it leads to join the path.
        const std::vector<std::string> choices = g.game.choiceTexts();
        auto [x, y] = clicks[now.nextClick];
        if (!choices.empty() && !ahead.empty() && rng.chance(500)) {  // taken differently after a rollback
          x = x < 255 ? 360 : 150;
          ++otherAnswers;
        }
        const uint64_t games = g.game.gamesStarted();
        if (g.game.takesPress()) {
          past.push_back(here());
          ahead.clear();
        }
        ++now.nextClick;
        g.aids.press(MouseButton::Left, x, y);
        if (rng.chance(500)) g.aids.react();  // as the window does, between press and release
        g.aids.release(MouseButton::Left, x, y);
        g.settle();
        if (!choices.empty() && g.game.choiceTexts().empty())
          now.history.push_back(HistoryEntry{{choices[g.game.choiceTaken() - 1]}, true});
        if (g.game.gamesStarted() != games) past.clear();  // a new game starts a new way back
        if (g.game.waiting() == Waiting::Page)
          now.history.push_back(HistoryEntry{g.game.pageLines(), false, g.game.pageKey()});
      } else if (kind < 17) {
        const int n = rng.range(1, 3);
        const int steps = std::min<int>(n, static_cast<int>(past.size()));
        ahead.push_back(here());
        for (int i = 1; i < steps; ++i) {
          ahead.push_back(std::move(past.back()));
          past.pop_back();
        }
        PathPoint to = std::move(past.back());
        past.pop_back();
        ASSERT_EQ(g.aids.rollBack(n), steps);
        goTo(std::move(to), step);
        ++rollbacks;
      } else if (kind < 19) {
        if (ahead.empty()) continue;
        past.push_back(here());
        ASSERT_TRUE(g.aids.rollForward());
        goTo(std::move(ahead.back()), step);
        ahead.pop_back();
      } else if (!saved || rng.chance(500)) {
        ASSERT_TRUE(saveGame(g.game, file, 0, 0, g.aids.history().entries()));
        saved = here();
      } else {
        std::vector<SavedPage> history;
        ASSERT_TRUE(loadGame(g.game, file, &history));
        g.aids.startNewHistory(history);
        past.clear();
        ahead.clear();
        goTo(*saved, step);
      }
      g.aids.react();
      ASSERT_EQ(g.aids.history().entries(), now.history) << "step " << step;
    }
  }
  EXPECT_GT(rollbacks, 80);
  EXPECT_GT(otherAnswers, 0);
  std::filesystem::remove_all(std::filesystem::path(file).parent_path());
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
