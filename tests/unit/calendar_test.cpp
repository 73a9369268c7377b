// The calendar screen: the road of a new game through the opening, the first night
// and the first morning, the evening menus, and the steps that move on without a
// wipe or without a click.
#include "calendar_fixture.h"
#include "calendar/layouts.h"

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

struct NewGame : PackGame {
  NewGame() : PackGame(makeGame(kScript)) { engine.ResetGame(Reset::NewGame); }
  void press(Point p) { click(p.x, p.y); }
  // Click through the running scene until the calendar is back and ready.
  void finishScene() {
    settle();
    for (int i = 0; i < 20 && mode() == GameMode::Scene; ++i) {
      click(320, 240);
      settle();
    }
  }
};

}  // namespace

TEST(NewGame, OpeningStartsInTheFirstComposeWithEveryoneAtOne) {
  NewGame g;
  EXPECT_EQ(g.mode(), GameMode::Calendar);
  ASSERT_TRUE(g.engine.clock.fireNext(INT64_MAX));  // the tick's phase 0
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_EQ(g.scene.SceneNo, 1);
  EXPECT_EQ(g.label(), "*op");
  EXPECT_GT(g.scene.ScriptPos, 0) << "the scene's first command ran in the compose";
  EXPECT_EQ(g.events.EventState[1], 3);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(g.train.CharaStat[k].Affection, 1) << k;
  EXPECT_EQ(g.adv().Met[1], 1);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::LateEvening);
  g.settle();
  EXPECT_EQ(g.shown.Page, (std::vector<std::string>{"opening text"}));
}

TEST(NewGame, AfterTheOpeningTheLateEveningMenuHasNoWalk) {
  NewGame g;
  g.finishScene();
  ASSERT_EQ(g.mode(), GameMode::Calendar);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(g.adv().Day, 1);
  const uint8_t* on = g.btn.ButtonOn;
  EXPECT_EQ(on[1], 1);
  EXPECT_EQ(on[2], 1);
  EXPECT_EQ(on[3], 0);
  EXPECT_EQ(on[4], 1);
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"late evening hint"}));
}

TEST(NewGame, SleepPassesWithoutAClickIntoTheFirstMorning) {
  NewGame g;
  g.finishScene();
  g.press(centre(0, BarBtnLayout));  // sleep
  EXPECT_EQ(g.adv().TrainStep, TrainStep::Sleep);
  EXPECT_EQ(g.adv().Day, 2);
  EXPECT_EQ(g.events.EventState[4], 2) << "day 2 arms the first meetings";
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
  g.settle();  // the dark picture, then at once the morning
  EXPECT_EQ(g.mode(), GameMode::Calendar);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::Morning);
  EXPECT_EQ(g.adv().Half, 1);
  EXPECT_EQ(g.adv().Place, 5);
  EXPECT_EQ(g.scene.WindowBaked, 1);
  EXPECT_TRUE(g.engine.Text_Timer.Enabled());
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"first morning hint"}));
}

TEST(NewGame, FirstDayJobChoiceCancelIntroductionAndFirstLunch) {
  NewGame g;
  g.finishScene();
  g.press(centre(0, BarBtnLayout));
  g.settle();
  // Morning: any click plays the day-2 greeting and moves to the job choice.
  g.click(10, 10);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(g.label(), "*ohayou0");
  g.finishScene();
  ASSERT_EQ(g.adv().TrainStep, TrainStep::JobChoice);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(g.btn.ButtonOn[i], 1);
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"choose a job"}));

  // Job 3, then back to the list: in place, without a wipe.
  g.click(225, 250);  // job 3: the grid's second row, first column
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobConfirm);
  EXPECT_EQ(g.train.Job, 3);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"confirm the job"}));
  setPixel32(g.surfaces.ImageBa, 5, 100, 0x123456);
  g.press(centre(1, Step3Layout));
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(g.train.Job, 0);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled()) << "no transition";
  EXPECT_EQ(getPixel32(g.surfaces.ImageBa, 5, 100), getPixel32(g.surfaces.BackBuffer, 5, 100))
      << "the screen was redrawn from the BackBuffer at once";
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(g.btn.ButtonOn[i], 1);
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"choose a job"}));

  // Job 3 confirmed: its introduction plays instead of the bar, then the first lunch.
  g.click(225, 250);  // job 3: the grid's second row, first column
  g.press(centre(0, Step3Layout));
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobRunning);
  g.settle();
  EXPECT_EQ(g.scene.SceneNo, 13);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::Lunch);
  EXPECT_EQ(g.adv().Half, 2);
  EXPECT_FALSE(g.engine.J_Timer.Enabled());
  g.click(320, 240);  // the introduction ends; the first lunch break plays its event
  g.settle();
  EXPECT_EQ(g.scene.SceneNo, 2);
  EXPECT_EQ(g.shown.Page, (std::vector<std::string>{"first lunch"}));
  g.finishScene();
  EXPECT_EQ(g.mode(), GameMode::Calendar);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::Lunch);
  EXPECT_EQ(g.shown.Hint, (std::vector<std::string>{"lunch hint"}));
  for (int i : {1, 2, 3, 6}) EXPECT_EQ(g.btn.ButtonOn[i], 1) << i;
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(g.train.Ability[k], 0) << "an introduction gives nothing";
}

TEST(Calendar, LeavingTheResultScreen) {
  Bare b({"BG=1", "*oyasumi", "BG=x", "text", "END3="});
  b.adv().TrainStep = TrainStep::JobResult;
  b.adv().Half = 1;
  b.adv().Outcome = 3;
  b.train.Job = 2;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Lunch);
  EXPECT_EQ(b.adv().Half, 2);
  EXPECT_EQ(b.adv().Outcome, 0);
  EXPECT_EQ(b.train.Job, 0);
  EXPECT_EQ(b.mode(), GameMode::Calendar);
  EXPECT_TRUE(b.engine.Cha_Timer.Enabled());

  b.engine.Cha_Timer.setEnabled(false);
  b.adv().TrainStep = TrainStep::JobResult;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening);
  EXPECT_EQ(b.label(), "*oyasumi");
  EXPECT_EQ(b.mode(), GameMode::Scene);
  EXPECT_EQ(b.scene.ScriptPos, 3) << "the end-of-work scene started at once";
  EXPECT_TRUE(b.engine.Cha_Timer.Enabled());
}

TEST(Calendar, PressFeedbackAndDeadRegions) {
  Bare b;
  b.adv().TrainStep = TrainStep::Evening;
  b.btn.ButtonOn[2] = 1;
  b.btn.PressedBtn = 3;
  b.calendar.CalendarPress();
  EXPECT_EQ(b.btn.PressedBtn, 0);
  EXPECT_TRUE(b.takeSounds().empty()) << "the calendar refuses without a sound";
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening);
  EXPECT_FALSE(b.engine.Cha_Timer.Enabled());
  b.btn.PressedBtn = 2;
  b.calendar.CalendarPress();
  EXPECT_EQ(b.takeSounds(), (std::vector<std::string>{"data/wav/h_1.wav"}));

  b.adv().TrainStep = TrainStep::JobFinished;
  b.btn.PressedBtn = 2;
  b.calendar.CalendarPress();
  EXPECT_EQ(b.btn.PressedBtn, 0);
  b.adv().TrainStep = TrainStep::JobRunning;
  b.engine.J_Timer.setEnabled(true);
  b.calendar.CalendarPress();
  EXPECT_TRUE(b.takeSounds().empty());
  b.calendar.CalendarRelease();
  EXPECT_FALSE(b.engine.Cha_Timer.Enabled());
}

TEST(Calendar, EveningMenuChoices) {
  Bare b;
  auto release = [&](TrainStep step, int button) {
    b.mode() = GameMode::Calendar;
    b.engine.Cha_Timer.setEnabled(false);
    b.adv().TrainStep = step;
    b.btn.PressedBtn = button;
    b.calendar.CalendarRelease();
    return b.adv().TrainStep;
  };
  EXPECT_EQ(release(TrainStep::Evening, 1), TrainStep::OwnRoom);
  EXPECT_EQ(release(TrainStep::Evening, 2), TrainStep::InfoEvening);
  EXPECT_EQ(release(TrainStep::LateEvening, 2), TrainStep::InfoLate);
  b.adv().Met[2] = 1;
  b.adv().Area = 2;
  EXPECT_EQ(release(TrainStep::Evening, 3), TrainStep::EveningWalk);
  EXPECT_EQ(b.adv().Place, 5);
  EXPECT_EQ(b.adv().Area, 0);
  EXPECT_EQ(b.adv().Met[2], 0);
  EXPECT_TRUE(b.engine.Cha_Timer.Enabled());
  EXPECT_EQ(release(TrainStep::LateEvening, 4), TrainStep::LateEvening);
  EXPECT_EQ(b.mode(), GameMode::Status);
  EXPECT_EQ(release(TrainStep::OwnRoom, 1), TrainStep::SelfStudy);
  b.adv().Day = 3;
  EXPECT_EQ(release(TrainStep::OwnRoom, 2), TrainStep::Sleep);
  EXPECT_EQ(b.adv().Day, 4);
  EXPECT_EQ(release(TrainStep::LateEvening, 1), TrainStep::Sleep);
  EXPECT_EQ(b.adv().Day, 5);
  EXPECT_EQ(release(TrainStep::OwnRoom, 0), TrainStep::OwnRoom);
  EXPECT_FALSE(b.engine.Cha_Timer.Enabled());
}

TEST(Calendar, SelfStudyReturnsByActions) {
  Bare b;
  b.adv().TrainStep = TrainStep::SelfStudy;
  b.adv().Actions = 1;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening);
  b.adv().TrainStep = TrainStep::SelfStudy;
  b.adv().Actions = 2;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
}
