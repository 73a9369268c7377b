// Jobs: the grade draw with its corrections, the progress bar on J_Timer, the job
// screens and the result screen.
#include "calendar_fixture.h"

using namespace calendar_test;

namespace {

int drawWith(Bare& b, int r) {
  b.random.force(r);
  return b.rules.DrawGrade(GradeDraw::Draw);
}

constexpr Colour kSegment = 0x2080F0;

// A game whose interface sheet is one colour, so each bar segment shows as it.
std::string barGame() {
  return makeGame(gameScript("*op\nBG=部屋\ntext\nEND3=\n"), {{pic::MainSheet, test::solid32(200, 60, kSegment)}});
}

// Segments of the bar on the screen, counted from the left.
int segmentsShown(const PackGame& g) {
  int n = 0;
  while (n < 30 && getPixel32(g.surfaces.ImageBa, 40 + 15 * n + 7, 430) == kSegment) ++n;
  return n;
}

// A new game that has played its opening and stands at a job's progress bar.
struct AtTheBar : PackGame {
  explicit AtTheBar(int job, int forcedDraw) : PackGame(barGame()) {
    engine.ResetGame(Reset::NewGame);
    for (int n = 1; n <= kEvents; ++n) events.EventState[n] = 3;  // no event breaks in
    settle();
    adv().TrainStep = TrainStep::JobRunning;
    adv().Half = 1;
    train.Job = static_cast<uint8_t>(job);
    random.force(forcedDraw);
    mode() = GameMode::Calendar;
    engine.ArmTick(Tick::Start);
    settle();
    host.takeSounds();
  }
  // Fires the next J_Timer tick.
  void tick() {
    const int64_t due = game.state.timers.J_Timer.due;
    engine.clock.advanceTo(due);
  }
};

}  // namespace

TEST(DrawGrade, RandomThresholds) {
  Bare b;
  b.train.Job = 0;  // no job: no correction
  EXPECT_EQ(drawWith(b, 0), 1);
  EXPECT_EQ(drawWith(b, 9), 1);
  EXPECT_EQ(drawWith(b, 10), 2);
  EXPECT_EQ(drawWith(b, 39), 2);
  EXPECT_EQ(drawWith(b, 40), 3);
  EXPECT_EQ(drawWith(b, 89), 3);
  EXPECT_EQ(drawWith(b, 90), 4);
  EXPECT_EQ(drawWith(b, 99), 4);
}

TEST(DrawGrade, MainAbilityCorrections) {
  Bare b;
  b.train.Job = 1;  // main ability 2
  int32_t& a = b.train.Ability[2];
  a = 19;
  EXPECT_EQ(drawWith(b, 5), 2);
  a = 20;
  EXPECT_EQ(drawWith(b, 5), 1);
  a = 79;
  EXPECT_EQ(drawWith(b, 20), 2);
  a = 80;
  EXPECT_EQ(drawWith(b, 20), 1);
  a = 39;
  EXPECT_EQ(drawWith(b, 50), 3);
  a = 40;
  EXPECT_EQ(drawWith(b, 50), 2);
  a = 19;
  EXPECT_EQ(drawWith(b, 95), 4);
  a = 20;
  EXPECT_EQ(drawWith(b, 95), 3);
  a = 100;
  EXPECT_EQ(drawWith(b, 95), 3) << "one step of correction only";
}

TEST(DrawGrade, EachJobIsCorrectedByItsOwnMainAbility) {
  Bare b;
  const int mainOf[5] = {0, 2, 4, 1, 3};
  for (int job = 1; job <= 4; ++job) {
    b.train.Job = static_cast<uint8_t>(job);
    for (int i = 1; i <= 4; ++i) b.train.Ability[i] = i == mainOf[job] ? 0 : 100;
    EXPECT_EQ(drawWith(b, 95), 4) << "job " << job;
    b.train.Ability[mainOf[job]] = 20;
    EXPECT_EQ(drawWith(b, 95), 3) << "job " << job;
  }
}

TEST(DrawGrade, RescuedFailureNeedsAbilityTwoAtFortyAndAffectionThirty) {
  Bare b;
  b.train.Grade = 4;
  b.train.Ability[2] = 40;
  b.chara(1).Affection = 30;
  EXPECT_EQ(b.rules.DrawGrade(GradeDraw::Rescue), 5);
  b.chara(1).Affection = 29;
  EXPECT_EQ(b.rules.DrawGrade(GradeDraw::Rescue), 4);
  b.chara(1).Affection = 30;
  b.train.Ability[2] = 39;
  EXPECT_EQ(b.rules.DrawGrade(GradeDraw::Rescue), 4);
  b.train.Grade = 3;
  b.train.Ability[2] = 100;
  EXPECT_EQ(b.rules.DrawGrade(GradeDraw::Rescue), 3);
}

TEST(JobBar, FailureStopsAfterFifteenSegmentsWithSoundFour) {
  AtTheBar g(1, 95);  // ability 2 is 0: grade 4 stays
  ASSERT_TRUE(g.engine.J_Timer.Enabled());
  EXPECT_EQ(g.engine.J_Timer.Interval(), 100);
  const int64_t start = g.now();
  for (int t = 0; t < 5; ++t) g.tick();
  EXPECT_EQ(g.train.Grade, 0) << "nothing drawn before the sixth tick";
  g.tick();
  EXPECT_EQ(g.train.Grade, 4);
  for (int t = 6; t < 15; ++t) g.tick();
  EXPECT_EQ(segmentsShown(g), 15);
  EXPECT_TRUE(g.host.sounds.empty());
  g.tick();  // tick 15: the bar ends
  EXPECT_EQ(g.now() - start, 1600);
  EXPECT_EQ(segmentsShown(g), 15);
  EXPECT_EQ(g.engine.J_Timer.Tag, 100);
  EXPECT_EQ(g.host.sounds, (std::vector<std::string>{"data/wav/h_4.wav"}));
  g.tick();
  EXPECT_EQ(g.now() - start, 1700);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobFinished);
  EXPECT_EQ(g.engine.J_Timer.Interval(), 300);
  g.tick();
  EXPECT_EQ(g.now() - start, 2000);
  EXPECT_EQ(g.engine.J_Timer.Interval(), 100);
  EXPECT_EQ(g.adv().Outcome, 0) << "stats change one tick after the stamp";
  g.tick();
  EXPECT_EQ(g.now() - start, 2100);
  EXPECT_FALSE(g.engine.J_Timer.Enabled());
  EXPECT_EQ(g.engine.J_Timer.Tag, 0);
  EXPECT_EQ(g.adv().Outcome, 4);
  EXPECT_EQ(g.train.Ability[4], 1);
}

TEST(JobBar, OtherGradesFillTwentySegmentsWithSoundThree) {
  AtTheBar g(3, 50);  // grade 3
  const int64_t start = g.now();
  for (int t = 0; t < 20; ++t) g.tick();
  EXPECT_EQ(segmentsShown(g), 20);
  EXPECT_TRUE(g.host.sounds.empty());
  g.tick();
  EXPECT_EQ(g.now() - start, 2100);
  EXPECT_EQ(segmentsShown(g), 20);
  EXPECT_EQ(g.host.sounds, (std::vector<std::string>{"data/wav/h_3.wav"}));
  EXPECT_EQ(g.train.Grade, 3);
}

TEST(JobBar, ClicksWhileTheBarRunsAreIgnoredThenTheAfterJobSceneFollows) {
  AtTheBar g(2, 5);  // grade 1, ability 4 at 0: corrected to 2
  for (int t = 0; t < 22; ++t) g.tick();
  ASSERT_EQ(g.adv().TrainStep, TrainStep::JobFinished);
  ASSERT_TRUE(g.engine.J_Timer.Enabled());
  g.click(320, 240);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobFinished);
  EXPECT_FALSE(g.engine.Cha_Timer.Enabled());
  g.tick();
  g.tick();
  ASSERT_FALSE(g.engine.J_Timer.Enabled());
  EXPECT_EQ(g.adv().Outcome, 2);
  g.click(320, 240);
  EXPECT_EQ(g.adv().TrainStep, TrainStep::JobResult);
  EXPECT_EQ(g.label(), "*A_After_2");
  EXPECT_EQ(g.mode(), GameMode::Scene);
  EXPECT_TRUE(g.engine.Cha_Timer.Enabled());
}

TEST(JobScreen, ChoosingAJobShowsTheConfirmationInPlace) {
  Bare b;
  b.adv().TrainStep = TrainStep::JobChoice;
  b.calendar.CalendarReady();  // the job list
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(b.btn.ButtonOn[i], 1);
  b.btn.PressedBtn = 4;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.train.Job, 4);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::JobConfirm);
  EXPECT_EQ(b.btn.ButtonOn[1], 1);
  EXPECT_EQ(b.btn.ButtonOn[2], 1);
  EXPECT_EQ(b.btn.ButtonOn[3], 0);
  EXPECT_FALSE(b.engine.Cha_Timer.Enabled());
}

TEST(JobResultScreen, AppliesTheGainsAndClearsTheOutcome) {
  Bare b;
  b.train.Job = 3;  // weights 2, 1, 0, 0
  b.train.Grade = 2;
  b.adv().Outcome = 2;
  b.adv().TrainStep = TrainStep::JobResult;
  b.calendar.CalendarReady();  // the result screen
  EXPECT_EQ(b.train.Ability[1], 2);
  EXPECT_EQ(b.train.Ability[2], 1);
  EXPECT_EQ(b.adv().Outcome, 0);
  EXPECT_EQ(b.scene.WindowBaked, 1);
  EXPECT_TRUE(b.engine.Text_Timer.Enabled());
}
