// The labels and the job arithmetic of the status display: band edges of the time
// slots, stars and gains, ties of the "highest" rules, and the clamp.
#include <gtest/gtest.h>

#include "base/text.h"
#include "calendar/status_labels.h"
#include "calendar/status_panel.h"
#include "game/game.h"
#include "support/recording_host.h"

using namespace shirakaba;

namespace {
struct Labels : ::testing::Test {
  test::RecordingHost host;
  Game game{host};
  TrainingState& t = game.state.train;
  Surfaces& surfaces = game.state.surfaces;
  std::string time(TrainStep step) { return TimeLabel(TimeSlotOf(t, step)); }
  void abilities(int a, int b, int c, int d) {
    t.Ability[1] = a, t.Ability[2] = b, t.Ability[3] = c, t.Ability[4] = d;
  }
  std::vector<int> rule(JobRuleKind kind) {
    std::vector<int> g;
    for (int i = 1; i <= 4; ++i) g.push_back(JobRule(t, kind, i));
    return g;
  }
  std::vector<int> gains() {
    std::vector<int> g;
    for (int i = 1; i <= 4; ++i)
      g.push_back(JobRule(t, JobRuleKind::GradedGain, i) + JobRule(t, JobRuleKind::OutcomeBonus, i));
    return g;
  }
};
}  // namespace

TEST_F(Labels, TimeSlotsBySteps) {
  t.Adv.Half = 1;
  EXPECT_EQ(time(TrainStep::Morning), " 朝");
  EXPECT_EQ(time(TrainStep::Lunch), " 昼");
  EXPECT_EQ(time(TrainStep::LunchWalk), " 昼");
  EXPECT_EQ(time(TrainStep::Evening), " 夜");
  EXPECT_EQ(time(TrainStep::SelfStudy), " 夜");
  EXPECT_EQ(time(TrainStep::OwnRoom), " 夜");
  EXPECT_EQ(time(TrainStep::Sleep), "深夜");
  EXPECT_EQ(time(TrainStep::LateEvening), "深夜");
  EXPECT_EQ(time(TrainStep::JobConfirm), "午前");
  t.Adv.Half = 2;
  EXPECT_EQ(time(TrainStep::JobConfirm), "午後");
  EXPECT_EQ(time(TrainStep::None), "午後") << "any other step goes by the work period";
}

TEST_F(Labels, WalkStepsDependOnTheArea) {
  // Step 19 is never set, but it counts as a walk.
  for (TrainStep step : {TrainStep::EveningWalk, static_cast<TrainStep>(19)}) {
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
  EXPECT_EQ(AbilityText(t, 1), " 0");
  EXPECT_EQ(AbilityText(t, 2), " 9");
  EXPECT_EQ(AbilityText(t, 3), "10");
  EXPECT_EQ(AbilityText(t, 4), "100");
  t.Ability[1] = -3;
  EXPECT_EQ(AbilityText(t, 1), "-3");
  EXPECT_EQ(AbilityText(t, 0), " 0");
  EXPECT_EQ(AbilityText(t, 5), " 0");
}

TEST_F(Labels, AffectionStarsBandEdges) {
  const std::pair<int, const char*> cases[] = {{0, "○"},      {4, "○"},        {5, "☆"},         {9, "☆"},
                                               {10, "★"},     {15, "★☆"},     {44, "★★★★"}, {45, "★★★★☆"},
                                               {49, "★★★★☆"}, {50, "★★★★★"}, {100, "★★★★★"}, {-1, "★★★★★"}};
  for (auto [v, text] : cases) {
    t.CharaStat[2].Affection = v;
    EXPECT_EQ(StarText(t, StarRow::Affection, 2), text) << v;
  }
}

TEST_F(Labels, RatingStarsFillMoreSlowlyForTheFirstCharacter) {
  t.CharaStat[1].RatingB = 3;
  t.CharaStat[2].RatingB = 3;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 1), "☆");
  EXPECT_EQ(StarText(t, StarRow::RatingB, 2), "☆☆");
  t.CharaStat[1].RatingB = 4;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 1), "☆☆");
  t.CharaStat[1].RatingB = 12;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 1), "☆☆☆☆");
  t.CharaStat[1].RatingB = 13;
  t.CharaStat[2].RatingB = 9;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 1), "☆☆☆☆☆");
  EXPECT_EQ(StarText(t, StarRow::RatingB, 2), "☆☆☆☆☆");
  t.CharaStat[2].RatingB = 8;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 2), "☆☆☆☆");
  t.CharaStat[3].RatingB = -2;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 3), "☆☆☆☆☆") << "below every band: the last row";
  t.CharaStat[1].RatingB = 0;
  EXPECT_EQ(StarText(t, StarRow::RatingB, 1), "○");
}

TEST_F(Labels, ThirdKindUsesRatingCWithTheNarrowBandsForEveryone) {
  t.CharaStat[1].RatingC = 3;
  t.CharaStat[1].RatingB = 0;
  EXPECT_EQ(StarText(t, StarRow::RatingC, 1), "☆☆");
  t.CharaStat[3].RatingC = 7;
  EXPECT_EQ(StarText(t, StarRow::RatingC, 3), "☆☆☆☆");
  EXPECT_EQ(StarText(t, static_cast<StarRow>(0), 1), "-");
  EXPECT_EQ(StarText(t, static_cast<StarRow>(4), 1), "-");
}

// The relation view writes each character's three rows of stars at x 155: character k's
// block at y 116 + 87 (k - 1), the kinds 19 pixels apart. Every cell here holds a
// different text, so rows written in the wrong cell or one pixel off show as a difference
// from the same texts written at those places.
TEST_F(Labels, RelationViewWritesTheNineRowsInTheirCells) {
  constexpr Colour kPaper = 0x00563412;  // a background no glyph colour equals
  game.engine.draw.font = findGameFont().value();
  ASSERT_NE(game.engine.draw.font, nullptr);
  surfaces.ImageBa = Bitmap::create32(640, 480, kPaper);
  surfaces.BackBuffer = Bitmap::create32(640, 480, kPaper);
  t.CharaStat[1].Affection = 10, t.CharaStat[1].RatingB = 1, t.CharaStat[1].RatingC = 3;
  t.CharaStat[2].Affection = 25, t.CharaStat[2].RatingB = 5, t.CharaStat[2].RatingC = 7;
  t.CharaStat[3].Affection = 45, t.CharaStat[3].RatingB = 9, t.CharaStat[3].RatingC = 0;
  host.texts.clear();
  StatusPanel(game.engine.draw, game.engine.ownTexts, t, StatusView::Relations);

  struct Cell {
    int y;
    const char* text;
  };
  const Cell cells[9] = {{116, "★"},     {135, "☆"},          {154, "☆☆"},
                         {203, "★★☆"},  {222, "☆☆☆"},       {241, "☆☆☆☆"},
                         {290, "★★★★☆"}, {309, "☆☆☆☆☆"}, {328, "○"}};
  std::vector<std::string> texts;
  for (const Cell& c : cells) texts.push_back(c.text);
  EXPECT_EQ(host.texts, texts) << "character by character, kind by kind";

  // The same texts written at exactly those places, in the view's font.
  DrawContext ref;
  ref.font = game.engine.draw.font;
  ref.ImageBa = Bitmap::create32(640, 480, kPaper);
  SetTextFont(ref, TextBrush::Clear, 14, kWhite);
  for (const Cell& c : cells) TextOut(ref, Target::Screen, 155, c.y, c.text);
  int differing = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (getPixel32(surfaces.ImageBa, x, y) != getPixel32(ref.ImageBa, x, y)) ++differing;
  EXPECT_EQ(differing, 0);

  // Each cell (19 pixels high at 14 points) has ink, and there is none outside the cells.
  const int h = pointsToPixels(14);
  auto inCell = [&](const Cell& c, int x, int y) {
    return x >= 155 && x < 155 + game.engine.draw.font->advance(c.text, h) && y >= c.y && y < c.y + h;
  };
  int inkPerCell[9] = {}, outside = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      if (getPixel32(surfaces.ImageBa, x, y) == kPaper) continue;
      bool found = false;
      for (int i = 0; i < 9 && !found; ++i)
        if (inCell(cells[i], x, y)) ++inkPerCell[i], found = true;
      outside += found ? 0 : 1;
    }
  for (int i = 0; i < 9; ++i) EXPECT_GT(inkPerCell[i], 0) << cells[i].text;
  EXPECT_EQ(outside, 0);
  int backInk = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) backInk += getPixel32(surfaces.BackBuffer, x, y) != kPaper;
  EXPECT_EQ(backInk, 0) << "written on the screen only";
}

TEST_F(Labels, JobPreviewMarks) {
  t.Job = 1;
  std::vector<std::string> marks;
  for (int w : rule(JobRuleKind::Weight)) marks.push_back(MarkLabel(w));
  EXPECT_EQ(marks, (std::vector<std::string>{"－", "◎", "○", "－"}));
  t.Job = 0;
  EXPECT_EQ(rule(JobRuleKind::Weight), (std::vector<int>{0, 0, 0, 0}));
  t.Job = 9;
  EXPECT_EQ(rule(JobRuleKind::Weight), (std::vector<int>{0, 0, 0, 0})) << "no such job";
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
  EXPECT_EQ(rule(JobRuleKind::OutcomeBonus), (std::vector<int>{0, 0, 0, 1}));
  t.Adv.Outcome = 4;
  EXPECT_EQ(rule(JobRuleKind::OutcomeBonus), (std::vector<int>{0, 0, 0, 1}));
  t.Adv.Outcome = 5;
  EXPECT_EQ(rule(JobRuleKind::OutcomeBonus), (std::vector<int>{1, 1, 1, 1}));
  t.Adv.Outcome = 3;
  EXPECT_EQ(rule(JobRuleKind::OutcomeBonus), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(Labels, HighestAbilityAndAffectionTiesGoToTheHigherNumber) {
  abilities(5, 9, 9, 3);
  EXPECT_EQ(JobRule(t, JobRuleKind::BestAbility, 0), 3);
  abilities(0, 0, 0, 0);
  EXPECT_EQ(JobRule(t, JobRuleKind::BestAbility, 7), 4);
  abilities(10, 0, 0, 0);
  EXPECT_EQ(JobRule(t, JobRuleKind::BestAbility, 0), 1);
  t.CharaStat[1].Affection = 4;
  t.CharaStat[2].Affection = 4;
  t.CharaStat[3].Affection = 1;
  EXPECT_EQ(JobRule(t, JobRuleKind::BestLiked, 0), 2);
  t.CharaStat[3].Affection = 4;
  EXPECT_EQ(JobRule(t, JobRuleKind::BestLiked, 0), 3);
  EXPECT_EQ(JobRule(t, static_cast<JobRuleKind>(5), 1), 0) << "no such rule";
  EXPECT_EQ(JobRule(t, static_cast<JobRuleKind>(-1), 1), 0);
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
