// The calendar screen: the road of a new game through the opening, the first night
// and the first morning, the evening menus, and the steps that move on without a
// wipe or without a click.
#include "calendar_fixture.h"
#include "engine/layouts.h"

using namespace calendar_test;

namespace {

const std::string kScript = gameScript(
    "*op\nBG=部屋\nopening text\nEND3=\n\n"
    "*A_Yoru2\nlate evening hint\nEND\n"
    "*A_Asa_0\nfirst morning hint\nEND\n"
    "*ohayou0\nBG=部屋\ngood morning\nEND3=\n\n"
    "*A_Befor_1\nchoose a job\nEND\n"
    "*A_Befor_Seled\nconfirm the job\nEND\n"
    "*job_k1\nBG=部屋\nhousework explained\nEND3=\n\n"
    "*op2\nBG=部屋\nfirst lunch\nEND3=\n\n"
    "*A_Hiru\nlunch hint\nEND\n");

Point centre(int slot, const LayoutRec& l) {
  const Rect r = SlotRect(slot, l);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct NewGame : Game {
  NewGame() : Game(makeGame(kScript)) { form.ResetGame(1); }
  void press(Point p) { click(p.x, p.y); }
  // Click through the running scene until the calendar is back and ready.
  void finishScene() {
    settle();
    for (int i = 0; i < 20 && form.GameMode == 6; ++i) {
      click(320, 240);
      settle();
    }
  }
};

}  // namespace

TEST(NewGame, OpeningStartsInTheFirstComposeWithEveryoneAtOne) {
  NewGame g;
  EXPECT_EQ(g.form.GameMode, 4);
  ASSERT_TRUE(g.form.clock.fireNext(INT64_MAX));  // the tick's phase 0
  EXPECT_EQ(g.form.GameMode, 6);
  EXPECT_EQ(g.form.scene.SceneNo, 1);
  EXPECT_EQ(g.adv().SceneLabel, "*op");
  EXPECT_GT(g.form.scene.ScriptPos, 0) << "the scene's first command ran in the compose";
  EXPECT_EQ(g.form.events.EventState[1], 3);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(g.form.train.CharaStat[k].Affection, 1) << k;
  EXPECT_EQ(g.adv().Met[1], 1);
  EXPECT_EQ(g.adv().TrainStep, 16);
  g.settle();
  EXPECT_EQ(g.form.shown.Page, (std::vector<std::string>{"opening text"}));
}

TEST(NewGame, AfterTheOpeningTheLateEveningMenuHasNoWalk) {
  NewGame g;
  g.finishScene();
  ASSERT_EQ(g.form.GameMode, 4);
  EXPECT_EQ(g.adv().TrainStep, 16);
  EXPECT_EQ(g.adv().Day, 1);
  const uint8_t* on = g.form.btn.ButtonOn;
  EXPECT_EQ(on[1], 1);
  EXPECT_EQ(on[2], 1);
  EXPECT_EQ(on[3], 0);
  EXPECT_EQ(on[4], 1);
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"late evening hint"}));
}

TEST(NewGame, SleepPassesWithoutAClickIntoTheFirstMorning) {
  NewGame g;
  g.finishScene();
  g.press(centre(0, BarBtnLayout));  // sleep
  EXPECT_EQ(g.adv().TrainStep, 9);
  EXPECT_EQ(g.adv().Day, 2);
  EXPECT_EQ(g.form.events.EventState[4], 2) << "day 2 arms the first meetings";
  EXPECT_TRUE(g.form.Cha_Timer.Enabled());
  g.settle();  // the dark picture, then at once the morning
  EXPECT_EQ(g.form.GameMode, 4);
  EXPECT_EQ(g.adv().TrainStep, 1);
  EXPECT_EQ(g.adv().Half, 1);
  EXPECT_EQ(g.adv().Place, 5);
  EXPECT_EQ(g.form.scene.WindowBaked, 1);
  EXPECT_TRUE(g.form.Text_Timer.Enabled());
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"first morning hint"}));
}

TEST(NewGame, FirstDayJobChoiceCancelIntroductionAndFirstLunch) {
  NewGame g;
  g.finishScene();
  g.press(centre(0, BarBtnLayout));
  g.settle();
  // Morning: any click plays the day-2 greeting and moves to the job choice.
  g.click(10, 10);
  EXPECT_EQ(g.adv().TrainStep, 2);
  EXPECT_EQ(g.adv().SceneLabel, "*ohayou0");
  g.finishScene();
  ASSERT_EQ(g.adv().TrainStep, 2);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(g.form.btn.ButtonOn[i], 1);
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"choose a job"}));

  // Job 3, then back to the list: in place, without a wipe.
  g.click(225, 250);  // job 3: the grid's second row, first column
  EXPECT_EQ(g.adv().TrainStep, 3);
  EXPECT_EQ(g.form.train.Job, 3);
  EXPECT_FALSE(g.form.Cha_Timer.Enabled());
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"confirm the job"}));
  setPixel32(g.form.draw.ImageBa, 5, 100, 0x123456);
  g.press(centre(1, Step3Layout));
  EXPECT_EQ(g.adv().TrainStep, 2);
  EXPECT_EQ(g.form.train.Job, 0);
  EXPECT_FALSE(g.form.Cha_Timer.Enabled()) << "no transition";
  EXPECT_EQ(getPixel32(g.form.draw.ImageBa, 5, 100), getPixel32(g.form.draw.BackBuffer, 5, 100))
      << "the screen was redrawn from the BackBuffer at once";
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(g.form.btn.ButtonOn[i], 1);
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"choose a job"}));

  // Job 3 confirmed: its introduction plays instead of the bar, then the first lunch.
  g.click(225, 250);  // job 3: the grid's second row, first column
  g.press(centre(0, Step3Layout));
  EXPECT_EQ(g.adv().TrainStep, 4);
  g.settle();
  EXPECT_EQ(g.form.scene.SceneNo, 13);
  EXPECT_EQ(g.adv().TrainStep, 15);
  EXPECT_EQ(g.adv().Half, 2);
  EXPECT_FALSE(g.form.J_Timer.Enabled());
  g.click(320, 240);  // the introduction ends; the first lunch break plays its event
  g.settle();
  EXPECT_EQ(g.form.scene.SceneNo, 2);
  EXPECT_EQ(g.form.shown.Page, (std::vector<std::string>{"first lunch"}));
  g.finishScene();
  EXPECT_EQ(g.form.GameMode, 4);
  EXPECT_EQ(g.adv().TrainStep, 15);
  EXPECT_EQ(g.form.shown.Hint, (std::vector<std::string>{"lunch hint"}));
  for (int i : {1, 2, 3, 6}) EXPECT_EQ(g.form.btn.ButtonOn[i], 1) << i;
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(g.form.train.Ability[k], 0) << "an introduction gives nothing";
}

TEST(Calendar, LeavingTheResultScreen) {
  Bare b({"BG=1", "*oyasumi", "BG=x", "text", "END3="});
  b.adv().TrainStep = 12;
  b.adv().Half = 1;
  b.adv().Outcome = 3;
  b.form.train.Job = 2;
  b.form.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, 15);
  EXPECT_EQ(b.adv().Half, 2);
  EXPECT_EQ(b.adv().Outcome, 0);
  EXPECT_EQ(b.form.train.Job, 0);
  EXPECT_EQ(b.form.GameMode, 4);
  EXPECT_TRUE(b.form.Cha_Timer.Enabled());

  b.form.Cha_Timer.setEnabled(false);
  b.adv().TrainStep = 12;
  b.form.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, 8);
  EXPECT_EQ(b.adv().SceneLabel, "*oyasumi");
  EXPECT_EQ(b.form.GameMode, 6);
  EXPECT_EQ(b.form.scene.ScriptPos, 3) << "the end-of-work scene started at once";
  EXPECT_TRUE(b.form.Cha_Timer.Enabled());
}

TEST(Calendar, PressFeedbackAndDeadRegions) {
  Bare b;
  b.adv().TrainStep = 8;
  b.form.btn.ButtonOn[2] = 1;
  b.form.btn.PressedBtn = 3;
  b.form.CalendarPress();
  EXPECT_EQ(b.form.btn.PressedBtn, 0);
  EXPECT_TRUE(b.takeSounds().empty()) << "the calendar refuses without a sound";
  b.form.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, 8);
  EXPECT_FALSE(b.form.Cha_Timer.Enabled());
  b.form.btn.PressedBtn = 2;
  b.form.CalendarPress();
  EXPECT_EQ(b.takeSounds(), (std::vector<std::string>{"data/wav/h_1.wav"}));

  b.adv().TrainStep = 5;
  b.form.btn.PressedBtn = 2;
  b.form.CalendarPress();
  EXPECT_EQ(b.form.btn.PressedBtn, 0);
  b.adv().TrainStep = 4;
  b.form.J_Timer.setEnabled(true);
  b.form.CalendarPress();
  EXPECT_TRUE(b.takeSounds().empty());
  b.form.CalendarRelease();
  EXPECT_FALSE(b.form.Cha_Timer.Enabled());
}

TEST(Calendar, EveningMenuChoices) {
  Bare b;
  auto release = [&](int32_t step, int button) {
    b.form.GameMode = 4;
    b.form.Cha_Timer.setEnabled(false);
    b.adv().TrainStep = step;
    b.form.btn.PressedBtn = button;
    b.form.CalendarRelease();
    return b.adv().TrainStep;
  };
  EXPECT_EQ(release(8, 1), 17);
  EXPECT_EQ(release(8, 2), 20);
  EXPECT_EQ(release(16, 2), 21);
  b.adv().Met[2] = 1;
  b.adv().Area = 2;
  EXPECT_EQ(release(8, 3), 10);
  EXPECT_EQ(b.adv().Place, 5);
  EXPECT_EQ(b.adv().Area, 0);
  EXPECT_EQ(b.adv().Met[2], 0);
  EXPECT_TRUE(b.form.Cha_Timer.Enabled());
  EXPECT_EQ(release(16, 4), 16);
  EXPECT_EQ(b.form.GameMode, 10);
  EXPECT_EQ(release(17, 1), 11);
  b.adv().Day = 3;
  EXPECT_EQ(release(17, 2), 9);
  EXPECT_EQ(b.adv().Day, 4);
  EXPECT_EQ(release(16, 1), 9);
  EXPECT_EQ(b.adv().Day, 5);
  EXPECT_EQ(release(17, 0), 17);
  EXPECT_FALSE(b.form.Cha_Timer.Enabled());
}

TEST(Calendar, SelfStudyReturnsByActions) {
  Bare b;
  b.adv().TrainStep = 11;
  b.adv().Actions = 1;
  b.form.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, 8);
  b.adv().TrainStep = 11;
  b.adv().Actions = 2;
  b.form.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, 16);
}
