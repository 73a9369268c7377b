// The training state: new game, new day, the day count and the stat changes with
// their clamp.
#include "calendar_fixture.h"

using namespace calendar_test;

TEST(ResetAdv, NewGameSetsArrivalEveningAndFirstCharacterAtZero) {
  Bare b;
  b.adv().Day = 9;
  b.train.Ability[3] = 50;
  b.chara(2).RatingB = 7;
  b.rules.ResetAdv(AdvReset::NewGame);
  const TAdv_Rec& a = b.adv();
  EXPECT_EQ(a.Day, 1);
  EXPECT_EQ(a.Month, 1);
  EXPECT_EQ(a.WeekDay, 1);
  EXPECT_EQ(a.TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(b.label(), "*op");
  EXPECT_EQ(a.Half, 1);
  EXPECT_EQ(a.Place, 0);
  EXPECT_EQ(b.chara(1).Affection, 0);
  EXPECT_EQ(b.chara(2).Affection, 1);
  EXPECT_EQ(b.chara(3).Affection, 1);
  EXPECT_EQ(b.chara(2).RatingB, 0);
  EXPECT_EQ(b.train.Ability[3], 0);
}

TEST(ResetAdv, NewDayKeepsDayAreaLabelAndValues) {
  Bare b;
  TAdv_Rec& a = b.adv();
  a.Day = 4;
  a.Area = 1;
  b.label() = "*x";
  a.TrainStep = TrainStep::Sleep;
  a.Half = 2;
  a.Actions = 3;
  a.Partner = 2;
  a.Met[2] = 1;
  b.train.Job = 3;
  b.train.Grade = 2;
  b.chara(1).Affection = 12;
  b.rules.ResetAdv(AdvReset::NewDay);
  EXPECT_EQ(a.TrainStep, TrainStep::Morning);
  EXPECT_EQ(a.Half, 1);
  EXPECT_EQ(a.Place, 5);
  EXPECT_EQ(a.Actions, 0);
  EXPECT_EQ(a.Partner, 0);
  EXPECT_EQ(a.Met[2], 0);
  EXPECT_EQ(b.train.Job, 0);
  EXPECT_EQ(b.train.Grade, 0);
  EXPECT_EQ(a.Day, 4);
  EXPECT_EQ(a.Area, 1);
  EXPECT_EQ(b.label(), "*x");
  EXPECT_EQ(b.chara(1).Affection, 12);
}

TEST(NextDay, MonthAndWeekDayFollowTheNewDay) {
  Bare b;
  b.adv().Day = 29;
  NextDay(b.train);
  EXPECT_EQ(b.adv().Day, 30);
  EXPECT_EQ(b.adv().Month, 2);
  EXPECT_EQ(b.adv().WeekDay, 2);
  b.adv().Day = 6;
  NextDay(b.train);
  EXPECT_EQ(b.adv().Day, 7);
  EXPECT_EQ(b.adv().Month, 1);
  EXPECT_EQ(b.adv().WeekDay, 0);
}

TEST(ApplyStats, ClampKeepsEveryValueWithinZeroToHundred) {
  Bare b;
  b.train.Ability[1] = 150;
  b.train.Ability[2] = -4;
  b.chara(1).RatingB = 103;
  b.chara(2).RatingC = -1;
  b.chara(3).Reserve = 101;
  b.chara(3).Affection = 100;
  b.adv().Partner = 3;
  b.btn.SelectedBtn = 4;  // topic 4: no ability
  b.rules.ApplyStats(Stats::LunchTalk);
  EXPECT_EQ(b.train.Ability[1], 100);
  EXPECT_EQ(b.train.Ability[2], 0);
  EXPECT_EQ(b.chara(1).RatingB, 100);
  EXPECT_EQ(b.chara(2).RatingC, 0);
  EXPECT_EQ(b.chara(3).Reserve, 100);
  EXPECT_EQ(b.chara(3).Affection, 100) << "100 + 1 comes back to 100";
}

TEST(ApplyStats, JobEndMovesRatingByGradeAndAddsOutcomeBonus) {
  Bare b;
  b.train.Job = 1;  // main ability 2
  b.train.Grade = 3;
  b.chara(1).RatingB = 5;
  b.rules.ApplyStats(Stats::JobEnd);
  EXPECT_EQ(b.chara(1).RatingB, 5) << "grade 3 leaves it";
  EXPECT_EQ(b.adv().Outcome, 3);

  b.train.Grade = 4;
  b.chara(1).RatingB = 0;
  b.rules.ApplyStats(Stats::JobEnd);
  EXPECT_EQ(b.chara(1).RatingB, 0) << "-1 clamped";
  EXPECT_EQ(b.adv().Outcome, 4);
  EXPECT_EQ(b.train.Ability[4], 1) << "outcome 4: +1 on ability 4";

  b.train.Grade = 1;
  b.rules.ApplyStats(Stats::JobEnd);
  EXPECT_EQ(b.chara(1).RatingB, 2);
  EXPECT_EQ(b.train.Ability[2], 2) << "outcome 1: +2 on the main ability";
  b.train.Grade = 2;
  b.rules.ApplyStats(Stats::JobEnd);
  EXPECT_EQ(b.chara(1).RatingB, 3);
  EXPECT_EQ(b.train.Ability[2], 3);
}

TEST(ApplyStats, RescuedFailureGivesOutcomeFiveAndOnePointEverywhere) {
  Bare b;
  b.train.Job = 2;
  b.train.Grade = 4;
  b.train.Ability[2] = 40;
  b.chara(1).Affection = 30;
  b.rules.ApplyStats(Stats::JobEnd);
  EXPECT_EQ(b.adv().Outcome, 5);
  EXPECT_EQ(b.train.Ability[1], 1);
  EXPECT_EQ(b.train.Ability[2], 41);
  EXPECT_EQ(b.train.Ability[4], 1);
}

TEST(ApplyStats, ResultScreenGainsFollowTheGrade) {
  Bare b;
  b.train.Job = 2;  // weights 1, 0, 0, 2
  b.train.Grade = 3;
  b.rules.ApplyStats(Stats::JobGain);
  EXPECT_EQ(b.train.Ability[1], 0) << "weight 1 dropped for grade 3";
  EXPECT_EQ(b.train.Ability[4], 2);
  b.train.Grade = 4;
  b.rules.ApplyStats(Stats::JobGain);
  EXPECT_EQ(b.train.Ability[1], 0) << "-1 clamped";
  EXPECT_EQ(b.train.Ability[4], 1);
}

TEST(ApplyStats, EventBonusGoesToTheRowsCharacterOnly) {
  Bare b;
  b.train.Ability[1] = 150;
  b.scene.SceneNo = 2;  // "*op2": no character
  b.rules.ApplyStats(Stats::EventStart);
  EXPECT_EQ(b.train.Ability[1], 150) << "no change, not even the clamp";
  b.scene.SceneNo = 7;  // "*suzuna_1": character 2, bonus 2
  b.rules.ApplyStats(Stats::EventStart);
  EXPECT_EQ(b.chara(2).Affection, 3);
  EXPECT_EQ(b.train.Ability[1], 100);
  b.scene.SceneNo = 0;
  b.rules.ApplyStats(Stats::EventStart);
  EXPECT_EQ(b.chara(2).Affection, 3);
}

TEST(ApplyStats, EveningAnswerGivesThreeMinusActions) {
  Bare b;
  b.adv().Partner = 2;
  b.btn.SelectedBtn = 2;
  b.adv().Actions = 1;
  b.rules.ApplyStats(Stats::EveningTalk);
  EXPECT_EQ(b.chara(2).Affection, 3);
  EXPECT_EQ(b.chara(2).RatingB, 1);
  b.btn.SelectedBtn = 3;
  b.adv().Actions = 2;
  b.rules.ApplyStats(Stats::EveningTalk);
  EXPECT_EQ(b.chara(2).Affection, 4);
  EXPECT_EQ(b.chara(2).RatingC, 1);
  b.adv().Actions = 3;
  b.rules.ApplyStats(Stats::EveningTalk);
  EXPECT_EQ(b.chara(2).Affection, 4);
  b.adv().Actions = 9;  // -6 clamped at 0
  b.rules.ApplyStats(Stats::EveningTalk);
  EXPECT_EQ(b.chara(2).Affection, 0);
}

TEST(ApplyStats, LunchAnswerAndSelfStudy) {
  Bare b;
  b.adv().Partner = 3;
  b.btn.SelectedBtn = 2;
  b.rules.ApplyStats(Stats::LunchTalk);
  EXPECT_EQ(b.train.Ability[2], 1);
  EXPECT_EQ(b.chara(3).Affection, 2);
  // Self-study: the highest ability, ties to the higher number.
  b.train.Ability[1] = 5;
  b.train.Ability[2] = 9;
  b.train.Ability[3] = 9;
  b.train.Ability[4] = 3;
  b.rules.ApplyStats(Stats::SelfStudy);
  EXPECT_EQ(b.train.Ability[3], 10);
  EXPECT_EQ(b.train.Ability[2], 9);
}

TEST(TrainStep, OnlyTheStepsThatAreEverSet) {
  for (TrainStep s : {TrainStep::Morning, TrainStep::JobChoice, TrainStep::JobConfirm, TrainStep::JobRunning,
                      TrainStep::JobFinished, TrainStep::Evening, TrainStep::Sleep, TrainStep::EveningWalk,
                      TrainStep::SelfStudy, TrainStep::JobResult, TrainStep::Lunch, TrainStep::LateEvening,
                      TrainStep::OwnRoom, TrainStep::LunchWalk, TrainStep::InfoEvening, TrainStep::InfoLate})
    EXPECT_TRUE(isTrainStep(toInt(s))) << toInt(s);
  // None and the numbers the game never uses.
  for (int s : {0, 6, 7, 13, 14, 19, 22, -1}) EXPECT_FALSE(isTrainStep(s)) << s;
}
