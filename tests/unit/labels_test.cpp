// Follow-up scenes, hint blocks and the information label, and the tables that list
// every label the calendar can build.
#include <algorithm>
#include <set>

#include "calendar/tables.h"
#include "calendar_fixture.h"
#include "base/text.h"

using namespace calendar_test;

namespace {

std::string follow(Bare& b, TrainStep step) {
  b.adv().TrainStep = step;
  b.mode() = GameMode::Calendar;
  b.calendar.FollowScene();
  return b.label();
}

std::string hintLabelShown(Bare& b) {
  // Every block of the script below has one line naming its own label.
  b.calendar.HintText();
  return b.shown.Hint.empty() ? "" : b.shown.Hint.front();
}

// A script in which each label is followed by one line equal to the label, then "END".
std::vector<std::string> labelledBlocks(const std::vector<std::string>& labels) {
  std::vector<std::string> s{"first line"};
  for (const std::string& l : labels) {
    s.push_back(l);
    s.push_back(l);
    s.push_back("END");
  }
  return s;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

}  // namespace

TEST(FollowScene, MorningGreetingByDayAndAffection) {
  Bare b;
  b.adv().Day = 2;
  b.chara(1).Affection = 35;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou0");
  EXPECT_EQ(b.mode(), GameMode::Scene);
  EXPECT_EQ(b.scene.ScriptPos, 0);
  b.adv().Day = 3;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou2");
  b.chara(1).Affection = 40;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou3");
  b.chara(1).Affection = 29;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou");
  b.chara(1).Affection = 39;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou2");
  b.chara(1).Affection = 100;
  EXPECT_EQ(follow(b, TrainStep::JobChoice), "*ohayou3");
}

TEST(FollowScene, GoodNightAfterJobLunchAndPlace) {
  Bare b;
  b.chara(1).Affection = 30;
  EXPECT_EQ(follow(b, TrainStep::Evening), "*oyasumi2");
  b.chara(1).Affection = 41;
  EXPECT_EQ(follow(b, TrainStep::LateEvening), "*oyasumi3");
  b.chara(1).Affection = 0;
  EXPECT_EQ(follow(b, TrainStep::LateEvening), "*oyasumi");
  b.adv().Outcome = 5;
  EXPECT_EQ(follow(b, TrainStep::JobResult), "*A_After_5");
  b.btn.SelectedBtn = 2;
  EXPECT_EQ(follow(b, TrainStep::Lunch), "*hiru_2");
  b.adv().Place = 11;
  EXPECT_EQ(follow(b, TrainStep::EveningWalk), "*Ido_11");
}

TEST(FollowScene, OtherStepsClearTheLabelAndKeepTheMode) {
  Bare b;
  b.label() = "*old";
  b.scene.ScriptPos = 7;
  EXPECT_EQ(follow(b, TrainStep::JobConfirm), "");
  EXPECT_EQ(b.mode(), GameMode::Calendar);
  EXPECT_EQ(b.scene.ScriptPos, 7);
}

TEST(InfoLabel, BestLikedCharacterWithTiesToTheHigherNumber) {
  Bare b;
  auto set = [&](int a1, int a2, int a3) {
    b.chara(1).Affection = a1;
    b.chara(2).Affection = a2;
    b.chara(3).Affection = a3;
    return b.rules.InfoLabel();
  };
  EXPECT_EQ(set(20, 20, 20), "*A_Joho_m1");
  EXPECT_EQ(set(10, 10, 10), "*A_Joho");
  EXPECT_EQ(set(14, 0, 0), "*A_Joho");
  EXPECT_EQ(set(15, 0, 0), "*A_Joho_k1");
  EXPECT_EQ(set(30, 0, 0), "*A_Joho_k2");
  EXPECT_EQ(set(39, 0, 0), "*A_Joho_k2");
  EXPECT_EQ(set(40, 0, 0), "*A_Joho_k");
  EXPECT_EQ(set(20, 20, 10), "*A_Joho_s1");
  EXPECT_EQ(set(0, 35, 10), "*A_Joho_s2");
  EXPECT_EQ(set(0, 100, 10), "*A_Joho_s");
  EXPECT_EQ(set(0, 0, 24), "*A_Joho_m1");
  EXPECT_EQ(set(0, 0, 25), "*A_Joho_m2");
  EXPECT_EQ(set(0, 0, 40), "*A_Joho_m");
}

TEST(HintText, LabelByStep) {
  const std::vector<std::string> labels{"*Save",    "*A_Asa_0",  "*A_Asa",  "*A_Befor_1", "*A_Befor_2",
                                        "*A_Befor_Seled", "*A_Job2", "*A_Yoru", "*kaiwa_yoru", "*A_Ido1",
                                        "*kyouka",  "*A_Kekka",  "*kaiwa_hiru", "*A_Hiru", "*A_Yoru2",
                                        "*A_Heya",  "*A_Hiru2",  "*A_Joho_m1", "*A_0"};
  Bare b(labelledBlocks(labels));
  TAdv_Rec& a = b.adv();
  a.Day = 3;
  auto at = [&](TrainStep step) {
    a.TrainStep = step;
    return hintLabelShown(b);
  };
  EXPECT_EQ(at(TrainStep::Morning), "*A_Asa");
  a.Day = 2;
  EXPECT_EQ(at(TrainStep::Morning), "*A_Asa_0");
  a.Half = 2;
  EXPECT_EQ(at(TrainStep::JobChoice), "*A_Befor_2");
  EXPECT_EQ(at(TrainStep::JobConfirm), "*A_Befor_Seled");
  EXPECT_EQ(at(TrainStep::JobFinished), "*A_Job2");
  EXPECT_EQ(at(TrainStep::Evening), "*A_Yoru");
  EXPECT_EQ(at(TrainStep::EveningWalk), "*A_Ido1");
  EXPECT_EQ(at(TrainStep::SelfStudy), "*kyouka");
  EXPECT_EQ(at(TrainStep::JobResult), "*A_Kekka");
  EXPECT_EQ(at(TrainStep::Lunch), "*A_Hiru");
  EXPECT_EQ(at(TrainStep::LateEvening), "*A_Yoru2");
  EXPECT_EQ(at(TrainStep::OwnRoom), "*A_Heya");
  EXPECT_EQ(at(TrainStep::LunchWalk), "*A_Hiru2");
  EXPECT_EQ(at(TrainStep::JobRunning), "*A_0");
  a.Partner = 1;
  EXPECT_EQ(at(TrainStep::EveningWalk), "*kaiwa_yoru");
  EXPECT_EQ(at(TrainStep::Lunch), "*kaiwa_hiru");
  EXPECT_EQ(at(TrainStep::Evening), "*A_Yoru") << "a partner changes only the conversation steps";
  a.Partner = 0;
  for (int k = 1; k <= 3; ++k) b.chara(k).Affection = 20;
  EXPECT_EQ(at(TrainStep::InfoEvening), "*A_Joho_m1");
  EXPECT_EQ(at(TrainStep::InfoLate), "*A_Joho_m1");
  b.mode() = GameMode::Status;
  EXPECT_EQ(at(TrainStep::Evening), "*Save");
}

TEST(HintText, WritesFromTheLineAfterTheLabelUpToEnd) {
  Bare b({"top", "*A_Yoru", "one", "two", "END", "after"});
  b.adv().TrainStep = TrainStep::Evening;
  b.calendar.HintText();
  EXPECT_EQ(b.shown.Hint, (std::vector<std::string>{"one", "two"}));
  b.engine.Script.lines = {"top", "*A_Yoru", "only", "END"};
  b.calendar.HintText();
  EXPECT_EQ(b.shown.Hint, (std::vector<std::string>{"only"})) << "replaced, not appended";
}

TEST(HintText, LabelFollowedByEndWritesEndAndGoesOn) {
  Bare b({"*A_Yoru", "END", "next", "END"});
  b.adv().TrainStep = TrainStep::Evening;
  b.calendar.HintText();
  EXPECT_EQ(b.shown.Hint, (std::vector<std::string>{"END", "next"}));
}

TEST(HintText, MissingLabelStartsAtLineZeroAndStopsAtTheLastLine) {
  Bare b({"zero", "one", "END", "three"});
  b.adv().TrainStep = TrainStep::Evening;
  b.calendar.HintText();
  EXPECT_EQ(b.shown.Hint, (std::vector<std::string>{"zero", "one"}));
  b.engine.Script.lines = {"*A_Yoru", "a", "b"};
  b.calendar.HintText();
  EXPECT_EQ(b.shown.Hint, (std::vector<std::string>{"a", "b"})) << "no END: the script's end";
  b.engine.Script.lines = {"x", "*A_Yoru"};
  b.calendar.HintText();
  EXPECT_TRUE(b.shown.Hint.empty()) << "a label on the last line writes nothing";
}

TEST(HintText, LinesAreWrittenAt170From420In20PixelRows) {
  Bare b({"*A_Yoru", "■■■■", "■■■■", "■■■■", "END"});
  b.engine.draw.font = findGameFont().value();
  if (!b.engine.draw.font) GTEST_SKIP() << "no Japanese font installed";
  b.adv().TrainStep = TrainStep::Evening;
  b.calendar.HintText();
  auto inked = [&](int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += getPixel32(b.surfaces.ImageBa, x, y) != kBlack;
    return n;
  };
  EXPECT_EQ(inked(0, 0, 640, 420), 0);
  EXPECT_EQ(inked(0, 420, 170, 480), 0) << "nothing left of x 170";
  EXPECT_GT(inked(170, 420, 240, 440), 0);
  EXPECT_GT(inked(170, 440, 240, 460), 0);
  EXPECT_GT(inked(170, 460, 240, 480), 0);
}

TEST(LabelTables, EveryBuildableSceneLabelOnce) {
  const std::vector<std::string> all = allBuildableSceneLabels();
  EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
  for (const char* l : {"*op", "*job_h1", "*ohayou0", "*ohayou3", "*oyasumi2", "*A_After_1", "*A_After_5",
                        "*hiru_0", "*Ido_4", "*Ido_11", "*Jimu_01", "*R_mae_01", "*R_naka_01", "*So_4_01",
                        "*So_1_02", "*So_4_02", "*kaiwa_hiru_3_2", "*kaiwa_hiru_1_4", "*kaiwa_yoru_4_1",
                        "*kaiwa_yoru_2_4", "*kaiwa_yoru_3_1"})
    EXPECT_TRUE(contains(all, l)) << l;
  // Never built: room 1 is always closed, rooms 2 and 3 always hold their resident,
  // topic 3 is always locked, the lunch walk has no scene for its return tile.
  for (const char* l : {"*K_heya_01", "*S_heya_01", "*M_heya_01", "*kaiwa_hiru_1_3", "*kaiwa_yoru_2_3",
                        "*R_naka_02", "*Ido_5", "*Ido_1", "*kaiwa_yoru_1_1", "*A_After_0"})
    EXPECT_FALSE(contains(all, l)) << l;
}

TEST(LabelTables, HintLabelsWithoutTheLockedBlocks) {
  const std::vector<std::string> all = allHintLabels();
  for (const char* l : {"*Save", "*A_Asa", "*A_Asa_0", "*A_Befor_1", "*A_Befor_2", "*A_Befor_Seled", "*A_Job2",
                        "*A_Yoru", "*A_Ido1", "*kaiwa_yoru", "*kyouka", "*A_Kekka", "*A_Hiru", "*kaiwa_hiru",
                        "*A_Yoru2", "*A_Heya", "*A_Hiru2", "*A_Joho", "*A_Joho_k", "*A_Joho_k1", "*A_Joho_k2",
                        "*A_Joho_s", "*A_Joho_s1", "*A_Joho_s2", "*A_Joho_m", "*A_Joho_m1", "*A_Joho_m2"})
    EXPECT_TRUE(contains(all, l)) << l;
  // The locks need events that have no row, so these blocks can never be chosen.
  for (const char* l : {"*A_Asa_m", "*A_Hiru_m1", "*A_Joho_m3", "*A_0"}) EXPECT_FALSE(contains(all, l)) << l;
}

TEST(LabelTables, ResolvedDefinitionNames) {
  const auto bg = allResolvedBackgroundNames();
  for (const char* n : {"夜春未", "昼春未", "実習室", "暗春未", "夜廊下1F", "屋敷昼休み", "昼本宅", "夜プール",
                        "夜寮前", "机前", "鏡子リビング", "明事務所", "夜鈴菜", "夜麻由"})
    EXPECT_TRUE(contains(bg, n)) << n;
  const auto sprites = allResolvedSpriteNames();
  for (const char* n : {"春未", "春未料理", "春未作法2", "春未優", "春未不可", "春未私服", "鏡子", "麻由私服"})
    EXPECT_TRUE(contains(sprites, n)) << n;
  EXPECT_EQ(allResolvedFaceNames(), (std::vector<std::string>{"春未顔", "春未顔私服", "鏡子顔"}));
}
