// What every front end shares: the Ctrl-hold rule, real time at the aids' speed, the
// settings' text, the texts shown and the reasons of a save.
#include <gtest/gtest.h>

#include "frontend/ctrl_hold.h"
#include "frontend/front_settings.h"
#include "frontend/game_events.h"
#include "frontend/game_saves.h"
#include "frontend/player_aids.h"
#include "frontend/real_time.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;

using Change = CtrlHold::Change;

TEST(CtrlHoldRule, CtrlAloneHoldsAfterTheDelayAndAShortcutNever) {
  CtrlHold hold;
  EXPECT_EQ(hold.keyPressed(true, false, false, 1000), Change::None);
  EXPECT_EQ(hold.startsAt(), 1000 + CtrlHold::kDelayMs);
  EXPECT_EQ(hold.wake(1399), Change::None);
  EXPECT_EQ(hold.keyPressed(true, false, true, 1200), Change::None);  // its repetition changes nothing
  EXPECT_EQ(hold.wake(1400), Change::Started);
  EXPECT_EQ(hold.keyPressed(false, false, false, 1500), Change::Ended);  // a key after it began ends it
  // Ctrl+C before the delay: no hold, ever.
  hold.keyPressed(true, false, false, 2000);
  hold.keyPressed(false, false, false, 2100);
  EXPECT_EQ(hold.startsAt(), -1);
  EXPECT_EQ(hold.wake(5000), Change::None);
  // Ctrl with Shift held: a shortcut too.
  hold.keyPressed(true, true, false, 6000);
  EXPECT_EQ(hold.startsAt(), -1);
  hold.keyPressed(true, false, false, 7000);
  hold.wake(7400);
  EXPECT_EQ(hold.keyReleased(true, false), Change::Ended);
}

// The front end's timer: woken each time RealTime asks, up to the wall time `until`.
void runUntil(RealTime& time, int64_t& wall, int64_t until) {
  for (int64_t sleep = time.sleepFrom(wall); sleep >= 0 && wall + sleep <= until; sleep = time.sleepFrom(wall)) {
    wall += sleep;
    time.catchUp(wall);
  }
  wall = until;
  time.catchUp(wall);
}

TEST(RealTime, HoldingCtrlSkipsFasterAndTheClockNeverGoesBack) {
  GameCore game(demoSetup());
  FrontSettings settings;
  settings.skipMode = SkipMode::All;
  PlayerAids aids(game, settings);
  RealTime time(game, aids, 0);
  game.start();
  int64_t wall = 0;
  runUntil(time, wall, 2500);
  aids.comforts().press(MouseButton::Left, 300, 286);  // a new game: its first page waits
  aids.comforts().release(MouseButton::Left, 300, 286);
  runUntil(time, wall, 6000);
  ASSERT_EQ(game.waiting(), Waiting::Page);
  const int key = game.pageKey();

  aids.keyPressed(true, false, false, 6000);
  EXPECT_EQ(aids.ctrlWakeAt(), 6400);
  aids.wakeCtrl(6400);
  time.followAids(6400);
  EXPECT_EQ(time.speed(), PlayerAids::kSkipSpeed);
  const int64_t before = game.now();
  runUntil(time, wall, 6450);
  EXPECT_NE(game.pageKey(), key);  // pages turned by themselves
  EXPECT_GT(game.now(), before);
  EXPECT_LE(game.now(), before + 50 * PlayerAids::kSkipSpeed);

  aids.keyReleased(true, false);
  time.followAids(6450);
  EXPECT_EQ(time.speed(), 1);
  const int64_t atRelease = game.now();
  time.catchUp(6460);
  EXPECT_EQ(game.now(), atRelease + 10);
}

TEST(FrontSettingsText, ComesBackAndADamagedTextKeepsTheDefaults) {
  FrontSettings s;
  s.zoom = 3;
  s.copyEachPage = true;
  s.skipMode = SkipMode::All;
  s.autoPace = AutoPace::Fast;
  s.language = "en";
  EXPECT_EQ(settingsFromText(settingsToText(s)), s);
  const FrontSettings damaged = settingsFromText("zoom=99x\nautoSpeed=warp\nskip\n\xff=\nzoom=9\n");
  EXPECT_EQ(damaged.zoom, kMaxZoom);
  EXPECT_EQ(damaged.autoPace, AutoPace::Normal);
  EXPECT_EQ(damaged.skipMode, SkipMode::Read);
}

TEST(ClockScale, RunsFasterFromTheGamesTimeAndWaitsInWallTime) {
  ClockScale c;
  EXPECT_EQ(c.gameAt(1000), 1000);
  c.restart(8, 1000, 950);  // the game stood at 950
  EXPECT_EQ(c.gameAt(1000), 950);
  EXPECT_EQ(c.gameAt(1010), 1030);
  EXPECT_EQ(c.wallUntil(1033, 1010), 1);  // rounded up: never woken early
  EXPECT_EQ(c.wallUntil(1038, 1010), 1);
  EXPECT_EQ(c.wallUntil(1039, 1010), 2);
  EXPECT_EQ(c.wallUntil(1000, 1010), 0);
  c.restart(1, 1010, 1030);
  EXPECT_EQ(c.gameAt(1020), 1040);
  c.restart(0, 1020, 1040);  // a speed below 1 runs at 1
  EXPECT_EQ(c.gameAt(1030), 1050);
}

TEST(ScreenText, JoinsTheLinesOfOneEventAndLeavesOutThePrompt) {
  EXPECT_EQ(shownTextOf({"line one", "line two"}), "line one\nline two");
  EXPECT_EQ(shownTextOf({"▼"}), "");
  EXPECT_EQ(shownTextOf({"はい", "▼", "いいえ"}), "はい\nいいえ");
  EXPECT_EQ(shownTextOf({}), "");
}

TEST(SaveReasons, AreTheMessagesWithoutThePath) {
  EXPECT_EQ(withoutPath("/u/quick.sav: the save file is damaged", "/u/quick.sav"), "the save file is damaged");
  EXPECT_EQ(withoutPath("/u/quick.sav: x", "/u/slot01.sav"), "/u/quick.sav: x");
  EXPECT_EQ(withoutPath("/u/quick.sav", "/u/quick.sav"), "/u/quick.sav");
}
