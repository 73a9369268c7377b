// The labels and the job arithmetic of the status display: band edges of the time
// slots, stars and gains, ties of the "highest" rules, and the clamp.
#include <gtest/gtest.h>

#include "engine/form.h"
#include "screens/labels.h"

using namespace shirakaba;

namespace {
struct Labels : ::testing::Test {
  NullHost host;
  TXP_Form form{host};
  TrainingState& t = form.train;
  std::string time(int step) { return TimeLabel(form.TimeSlotOf(step)); }
  void abilities(int a, int b, int c, int d) {
    t.Ability[1] = a, t.Ability[2] = b, t.Ability[3] = c, t.Ability[4] = d;
  }
  std::vector<int> rule(int kind) {
    std::vector<int> g;
    for (int i = 1; i <= 4; ++i) g.push_back(form.JobRule(kind, i));
    return g;
  }
  std::vector<int> gains() {
    std::vector<int> g;
    for (int i = 1; i <= 4; ++i) g.push_back(form.JobRule(1, i) + form.JobRule(3, i));
    return g;
  }
};
}  // namespace

TEST_F(Labels, TimeSlotsBySteps) {
  t.Adv.Half = 1;
  EXPECT_EQ(time(1), " 朝");
  EXPECT_EQ(time(15), " 昼");
  EXPECT_EQ(time(18), " 昼");
  EXPECT_EQ(time(8), " 夜");
  EXPECT_EQ(time(11), " 夜");
  EXPECT_EQ(time(17), " 夜");
  EXPECT_EQ(time(9), "深夜");
  EXPECT_EQ(time(16), "深夜");
  EXPECT_EQ(time(3), "午前");
  t.Adv.Half = 2;
  EXPECT_EQ(time(3), "午後");
  EXPECT_EQ(time(0), "午後") << "any other step goes by the work period";
}

TEST_F(Labels, WalkStepsDependOnTheArea) {
  for (int step : {10, 19}) {
    t.Adv.Area = 2;
    EXPECT_EQ(time(step), " 昼");
    t.Adv.Area = 0;
    EXPECT_EQ(time(step), " 夜");
    t.Adv.Area = 1;
    EXPECT_EQ(time(step), " 夜");
  }
}

TEST_F(Labels, AbilityTextPadsOnlyOneDigit) {
  abilities(0, 9, 10, 100);
  EXPECT_EQ(form.AbilityText(1), " 0");
  EXPECT_EQ(form.AbilityText(2), " 9");
  EXPECT_EQ(form.AbilityText(3), "10");
  EXPECT_EQ(form.AbilityText(4), "100");
  t.Ability[1] = -3;
  EXPECT_EQ(form.AbilityText(1), "-3");
  EXPECT_EQ(form.AbilityText(0), " 0");
  EXPECT_EQ(form.AbilityText(5), " 0");
}

TEST_F(Labels, AffectionStarsBandEdges) {
  const std::pair<int, const char*> cases[] = {{0, "○"},      {4, "○"},        {5, "☆"},         {9, "☆"},
                                               {10, "★"},     {15, "★☆"},     {44, "★★★★"}, {45, "★★★★☆"},
                                               {49, "★★★★☆"}, {50, "★★★★★"}, {100, "★★★★★"}, {-1, "★★★★★"}};
  for (auto [v, text] : cases) {
    t.CharaStat[2].Affection = v;
    EXPECT_EQ(form.StarText(1, 2), text) << v;
  }
}

TEST_F(Labels, RatingStarsFillMoreSlowlyForTheFirstCharacter) {
  t.CharaStat[1].RatingB = 3;
  t.CharaStat[2].RatingB = 3;
  EXPECT_EQ(form.StarText(2, 1), "☆");
  EXPECT_EQ(form.StarText(2, 2), "☆☆");
  t.CharaStat[1].RatingB = 4;
  EXPECT_EQ(form.StarText(2, 1), "☆☆");
  t.CharaStat[1].RatingB = 12;
  EXPECT_EQ(form.StarText(2, 1), "☆☆☆☆");
  t.CharaStat[1].RatingB = 13;
  t.CharaStat[2].RatingB = 9;
  EXPECT_EQ(form.StarText(2, 1), "☆☆☆☆☆");
  EXPECT_EQ(form.StarText(2, 2), "☆☆☆☆☆");
  t.CharaStat[2].RatingB = 8;
  EXPECT_EQ(form.StarText(2, 2), "☆☆☆☆");
  t.CharaStat[3].RatingB = -2;
  EXPECT_EQ(form.StarText(2, 3), "☆☆☆☆☆") << "below every band: the last row";
  t.CharaStat[1].RatingB = 0;
  EXPECT_EQ(form.StarText(2, 1), "○");
}

TEST_F(Labels, ThirdKindUsesRatingCWithTheNarrowBandsForEveryone) {
  t.CharaStat[1].RatingC = 3;
  t.CharaStat[1].RatingB = 0;
  EXPECT_EQ(form.StarText(3, 1), "☆☆");
  t.CharaStat[3].RatingC = 7;
  EXPECT_EQ(form.StarText(3, 3), "☆☆☆☆");
  EXPECT_EQ(form.StarText(0, 1), "-");
  EXPECT_EQ(form.StarText(4, 1), "-");
}

TEST_F(Labels, JobPreviewMarks) {
  t.Job = 1;
  std::vector<std::string> marks;
  for (int w : rule(0)) marks.push_back(MarkLabel(w));
  EXPECT_EQ(marks, (std::vector<std::string>{"－", "◎", "○", "－"}));
  t.Job = 0;
  EXPECT_EQ(rule(0), (std::vector<int>{0, 0, 0, 0}));
  t.Job = 9;
  EXPECT_EQ(rule(0), (std::vector<int>{0, 0, 0, 0})) << "no such job";
}

TEST_F(Labels, JobGainsByGradeAndOutcome) {
  t.Job = 2;  // weights 1, 0, 0, 2
  t.Grade = 3;
  t.Adv.Outcome = 0;
  EXPECT_EQ(gains(), (std::vector<int>{0, 0, 0, 2}));
  t.Grade = 4;
  EXPECT_EQ(gains(), (std::vector<int>{-1, -1, -1, -1}));
  t.Grade = 1;
  t.Adv.Outcome = 1;
  EXPECT_EQ(gains(), (std::vector<int>{1, 0, 0, 4}));
  t.Adv.Outcome = 2;
  EXPECT_EQ(rule(3), (std::vector<int>{0, 0, 0, 1}));
  t.Adv.Outcome = 4;
  EXPECT_EQ(rule(3), (std::vector<int>{0, 0, 0, 1}));
  t.Adv.Outcome = 5;
  EXPECT_EQ(rule(3), (std::vector<int>{1, 1, 1, 1}));
  t.Adv.Outcome = 3;
  EXPECT_EQ(rule(3), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(Labels, HighestAbilityAndAffectionTiesGoToTheHigherNumber) {
  abilities(5, 9, 9, 3);
  EXPECT_EQ(form.JobRule(2, 0), 3);
  abilities(0, 0, 0, 0);
  EXPECT_EQ(form.JobRule(2, 7), 4);
  abilities(10, 0, 0, 0);
  EXPECT_EQ(form.JobRule(2, 0), 1);
  t.CharaStat[1].Affection = 4;
  t.CharaStat[2].Affection = 4;
  t.CharaStat[3].Affection = 1;
  EXPECT_EQ(form.JobRule(4, 0), 2);
  t.CharaStat[3].Affection = 4;
  EXPECT_EQ(form.JobRule(4, 0), 3);
  EXPECT_EQ(form.JobRule(5, 1), 0);
  EXPECT_EQ(form.JobRule(-1, 1), 0);
}

TEST(LimitValue, RaisesToZeroOrLowersToTheLimit) {
  EXPECT_EQ(LimitValue(0, -5), 0);
  EXPECT_EQ(LimitValue(0, 7), 7);
  EXPECT_EQ(LimitValue(100, 130), 100);
  EXPECT_EQ(LimitValue(100, -5), -5);
  EXPECT_EQ(LimitValue(100, LimitValue(0, -20)), 0);
}

TEST(LabelTables, EntriesAndOutOfRange) {
  EXPECT_STREQ(TimeLabel(1), " 朝");
  EXPECT_STREQ(TimeLabel(6), "深夜");
  EXPECT_STREQ(TimeLabel(0), "");
  EXPECT_STREQ(TimeLabel(7), "");
  EXPECT_STREQ(MarkLabel(-2), "×");
  EXPECT_STREQ(MarkLabel(2), "◎");
  EXPECT_STREQ(MarkLabel(3), "");
  EXPECT_STREQ(GradeLabel(4), "不可");
  EXPECT_STREQ(GradeLabel(0), "");
  EXPECT_STREQ(JobName(0), "***");
  EXPECT_STREQ(JobNames[4], "作法");
  EXPECT_STREQ(JobName(5), "");
  EXPECT_EQ(JobSkillTable[3][1], 2);
}
