// Lunch break, walks, self-study, the information screen and conversations.
#include "calendar/buttons.h"
#include "calendar_fixture.h"

using namespace calendar_test;

namespace {

constexpr int kKyouko1 = 5, kKyouko2 = 6;

// The calendar at an evening walk in the corridor, with the opening played.
struct EveningWalk : Bare {
  EveningWalk() {
    state(1) = 3;
    adv().TrainStep = TrainStep::EveningWalk;
    adv().Place = 5;
    adv().Area = 0;
  }
};

// A walk tile chosen: the press picked it, the release acts on it.
void choose(Bare& b, int button) {
  b.btn.PressedBtn = button;
  b.calendar.CalendarRelease();
}

}  // namespace

TEST(PlaceOfButton, CorridorAndOutsideTables) {
  Bare b;
  b.adv().Area = 0;
  for (int i = 0; i <= 6; ++i) EXPECT_EQ(PlaceOfButton(b.train, i), i);
  EXPECT_EQ(PlaceOfButton(b.train, 7), 0) << "outside the table";
  for (uint8_t area : {1, 2}) {
    b.adv().Area = area;
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(PlaceOfButton(b.train, i), 6 + i);
    EXPECT_EQ(PlaceOfButton(b.train, 6), 0);
  }
}

TEST(PlaceClosed, RoomsAndOffice) {
  Bare b;
  TAdv_Rec& a = b.adv();
  EXPECT_EQ(b.rules.PlaceClosed(1), 1);
  EXPECT_EQ(b.rules.PlaceClosed(2), 0);
  a.Met[2] = 1;
  EXPECT_EQ(b.rules.PlaceClosed(2), 1);
  EXPECT_EQ(b.rules.PlaceClosed(3), 0);
  a.Met[3] = 1;
  EXPECT_EQ(b.rules.PlaceClosed(3), 1);
  EXPECT_EQ(b.rules.PlaceClosed(4), 0);
  a.Actions = 1;
  EXPECT_EQ(b.rules.PlaceClosed(4), 0) << "her first event not yet done";
  b.state(kKyouko1) = 3;
  EXPECT_EQ(b.rules.PlaceClosed(4), 1);
  a.Actions = 0;
  EXPECT_EQ(b.rules.PlaceClosed(4), 0) << "before any activity";
  a.Met[1] = 1;
  EXPECT_EQ(b.rules.PlaceClosed(4), 1);
  for (int p : {0, 5, 6, 7, 10, 11}) EXPECT_EQ(b.rules.PlaceClosed(p), 0) << p;
}

TEST(PlaceLabel, ByAreaAndSchedule) {
  Bare b;
  TAdv_Rec& a = b.adv();
  a.Area = 2;
  EXPECT_EQ(b.rules.PlaceLabel(7), "*So_1_02");
  EXPECT_EQ(b.rules.PlaceLabel(10), "*So_4_02");
  a.Area = 1;
  EXPECT_EQ(b.rules.PlaceLabel(9), "*So_3_01");
  a.Area = 0;
  EXPECT_EQ(b.rules.PlaceLabel(4), "*Jimu_01");
  EXPECT_EQ(b.rules.PlaceLabel(6), "*R_mae_01");
  EXPECT_EQ(b.rules.PlaceLabel(11), "*R_naka_01");
  // Everybody is scheduled at place code 0 in this data: the first one not met is.
  a.Day = 3;
  EXPECT_EQ(b.rules.PlaceLabel(0), "*kyouko_Jishitu0");
  EXPECT_EQ(a.Met[1], 1);
  EXPECT_EQ(b.rules.PlaceLabel(0), "*suzuna_Jishitu0");
  EXPECT_EQ(b.rules.PlaceLabel(0), "*mayu_Jishitu0");
  EXPECT_EQ(b.rules.PlaceLabel(0), "*Jishitu_01");
  a.Met[1] = a.Met[2] = a.Met[3] = 0;
  a.Day = 8;
  EXPECT_EQ(b.rules.PlaceLabel(0), "*Jishitu_01") << "nobody is scheduled after day 7";
}

TEST(WalkScreen, OfficeBeforeAnyActivityOpensAConversationUnlessHerEventPlays) {
  EveningWalk b;
  b.state(kKyouko1) = 2;
  choose(b, 4);
  EXPECT_EQ(b.scene.SceneNo, kKyouko1);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(b.mode(), GameMode::Scene);

  EveningWalk c;
  choose(c, 4);
  EXPECT_EQ(c.mode(), GameMode::Talk);
  EXPECT_EQ(c.adv().Partner, 1);
  EXPECT_EQ(c.adv().Place, 4);
}

TEST(WalkScreen, OfficeAfterAnActivityIsEmpty) {
  EveningWalk b;
  b.adv().Actions = 1;
  choose(b, 4);
  EXPECT_EQ(b.mode(), GameMode::Scene);
  EXPECT_EQ(b.label(), "*Jimu_01");
  EXPECT_EQ(b.scene.ScriptPos, 0);
}

TEST(WalkScreen, OutAndStraightBackInCountsAsAnActivity) {
  EveningWalk b;
  choose(b, 6);
  EXPECT_EQ(b.adv().Area, 1);
  EXPECT_EQ(b.adv().Place, 6);
  EXPECT_EQ(b.label(), "*R_mae_01");
  b.mode() = GameMode::Calendar;
  choose(b, 5);
  EXPECT_EQ(b.adv().Area, 0);
  EXPECT_EQ(b.adv().Place, 11);
  EXPECT_EQ(b.adv().Actions, 1);
  EXPECT_EQ(b.label(), "*R_naka_01");
  b.mode() = GameMode::Calendar;
  choose(b, 4);
  EXPECT_EQ(b.label(), "*Jimu_01") << "the office no longer offers her";
}

TEST(WalkScreen, CorridorTileFiveEndsTheWalkAndLunchTileFiveGoesBackToWork) {
  EveningWalk b;
  choose(b, 5);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(b.mode(), GameMode::Calendar);
  Bare c;
  c.adv().TrainStep = TrainStep::LunchWalk;
  c.adv().Area = 2;
  c.adv().Place = 7;
  choose(c, 5);
  EXPECT_EQ(c.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(c.adv().Place, 0);
  EXPECT_EQ(c.adv().Area, 0);
  EXPECT_EQ(c.mode(), GameMode::Calendar);
  c.adv().TrainStep = TrainStep::LunchWalk;
  c.adv().Area = 2;
  choose(c, 3);
  EXPECT_EQ(c.label(), "*So_3_02");
}

TEST(WalkScreen, MetCurrentAndClosedTilesAreDead) {
  EveningWalk b;
  b.adv().Met[1] = 1;  // after a conversation with character 1
  b.adv().Place = 2;
  b.calendar.CalendarReady();
  const uint8_t* on = b.btn.ButtonOn;
  EXPECT_EQ(on[1], 0) << "her room, always closed";
  EXPECT_EQ(on[2], 0) << "where she stands";
  EXPECT_EQ(on[3], 1);
  EXPECT_EQ(on[4], 0) << "the office after meeting her";
  EXPECT_EQ(on[5], 1);
  EXPECT_EQ(on[6], 1);
  b.engine.ClearButtons();
  b.adv().Area = 1;
  b.adv().Place = 7;
  b.calendar.CalendarReady();
  EXPECT_EQ(on[1], 0);
  EXPECT_EQ(on[2], 1);
  EXPECT_EQ(on[5], 1);
  EXPECT_EQ(on[6], 0) << "no way further out";
}

TEST(TalkScreen, TwoEveningConversationsGiveTwoThenOne) {
  EveningWalk b;
  auto talk = [&](int place, int chara, int topic) {
    b.adv().Place = static_cast<uint8_t>(place);
    b.adv().Partner = static_cast<uint8_t>(chara);
    b.mode() = GameMode::Talk;
    b.calendar.TalkScreen(TalkStep::Compose);
    b.btn.PressedBtn = topic;
    b.calendar.TalkScreen(TalkStep::Release);
  };
  talk(2, 2, 1);
  EXPECT_EQ(b.chara(2).Affection, 3);
  EXPECT_EQ(b.adv().Met[2], 1);
  EXPECT_EQ(b.label(), "*kaiwa_yoru_2_1");
  EXPECT_EQ(b.adv().Partner, 0);
  EXPECT_EQ(b.mode(), GameMode::Scene);
  EXPECT_TRUE(b.engine.Cha_Timer.Enabled());
  talk(3, 3, 4);
  EXPECT_EQ(b.chara(3).Affection, 2);
  EXPECT_EQ(b.label(), "*kaiwa_yoru_3_4");
  EXPECT_EQ(b.adv().Actions, 2);
}

TEST(TalkScreen, AfterSelfStudyTheConversationsGiveOneThenNothing) {
  EveningWalk b;
  b.adv().Actions = 1;
  for (int chara : {2, 3}) {
    b.adv().Place = static_cast<uint8_t>(chara);
    b.adv().Partner = static_cast<uint8_t>(chara);
    b.mode() = GameMode::Talk;
    b.calendar.TalkScreen(TalkStep::Compose);
    b.btn.PressedBtn = 2;
    b.calendar.TalkScreen(TalkStep::Release);
  }
  EXPECT_EQ(b.chara(2).Affection, 2);
  EXPECT_EQ(b.chara(2).RatingB, 1);
  EXPECT_EQ(b.chara(3).Affection, 1);
}

TEST(TalkScreen, LunchTopicRaisesAbilityAndAffection) {
  Bare b;
  b.adv().TrainStep = TrainStep::Lunch;
  b.adv().Partner = 3;
  b.mode() = GameMode::Talk;
  b.calendar.TalkScreen(TalkStep::Compose);
  EXPECT_EQ(b.adv().Actions, 0) << "lunch is no evening activity";
  b.btn.PressedBtn = 2;
  b.calendar.TalkScreen(TalkStep::Release);
  EXPECT_EQ(b.train.Ability[2], 1);
  EXPECT_EQ(b.chara(3).Affection, 2);
  EXPECT_EQ(b.label(), "*kaiwa_hiru_3_2");
  EXPECT_EQ(b.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(b.adv().Partner, 0);
  EXPECT_EQ(b.mode(), GameMode::Scene);
}

TEST(TalkScreen, LockedTopicThreeIsRefused) {
  EveningWalk b;
  b.adv().Partner = 2;
  b.mode() = GameMode::Talk;
  b.calendar.TalkScreen(TalkStep::Ready);
  EXPECT_EQ(b.btn.ButtonOn[1], 1);
  EXPECT_EQ(b.btn.ButtonOn[3], 0);
  EXPECT_EQ(b.btn.ButtonOn[4], 1);
  b.btn.PressedBtn = 3;
  b.calendar.TalkScreen(TalkStep::Press);
  EXPECT_EQ(b.btn.PressedBtn, 0);
  EXPECT_EQ(b.takeSounds(), (std::vector<std::string>{"data/wav/h_4.wav"}));
  b.calendar.TalkScreen(TalkStep::Release);
  EXPECT_EQ(b.mode(), GameMode::Talk) << "the release does nothing";
  b.btn.PressedBtn = 1;
  b.calendar.TalkScreen(TalkStep::Press);
  EXPECT_EQ(b.takeSounds(), (std::vector<std::string>{"data/wav/h_1.wav"}));
}

TEST(TalkScreen, WithoutPartnerComposesNothing) {
  EveningWalk b;
  b.mode() = GameMode::Talk;
  b.btn.ButtonOn[2] = 1;
  b.calendar.TalkScreen(TalkStep::Compose);
  EXPECT_EQ(b.adv().Actions, 0);
  EXPECT_EQ(b.btn.ButtonOn[2], 1);
}

TEST(LunchBreak, SeatsWalkAndVisitEvents) {
  Bare b;
  b.state(1) = 3;
  b.adv().TrainStep = TrainStep::Lunch;
  b.adv().Half = 2;
  b.calendar.CalendarReady();
  for (int i : {1, 2, 3, 6}) EXPECT_EQ(b.btn.ButtonOn[i], 1) << i;
  EXPECT_EQ(b.btn.ButtonOn[4], 0);

  b.btn.PressedBtn = 2;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.mode(), GameMode::Talk);
  EXPECT_EQ(b.adv().Partner, 2);

  b.mode() = GameMode::Calendar;
  b.adv().Partner = 0;
  b.state(kKyouko2) = 5;
  b.adv().Place = 5;
  b.btn.PressedBtn = 1;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.scene.SceneNo, kKyouko2);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(b.adv().Place, 0);
  EXPECT_EQ(b.adv().Partner, 0);

  Bare c;
  c.adv().TrainStep = TrainStep::Lunch;
  c.btn.PressedBtn = 6;
  c.calendar.CalendarRelease();
  EXPECT_EQ(c.adv().TrainStep, TrainStep::LunchWalk);
  EXPECT_EQ(c.adv().Place, 7);
  EXPECT_EQ(c.adv().Area, 2);
}

TEST(StudyScreen, StudyCountsAndReturnsByActions) {
  Bare b;
  b.adv().TrainStep = TrainStep::SelfStudy;
  b.train.Ability[4] = 3;
  b.calendar.CalendarReady();
  EXPECT_EQ(b.train.Ability[4], 4);
  EXPECT_EQ(b.adv().Actions, 1);
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening);
  b.adv().TrainStep = TrainStep::SelfStudy;
  b.calendar.CalendarReady();
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
}

TEST(InfoScreen, ReturnsToTheMenuItCameFrom) {
  Bare b;
  b.adv().TrainStep = TrainStep::InfoEvening;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening);
  b.adv().TrainStep = TrainStep::InfoLate;
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
  b.adv().TrainStep = TrainStep::InfoLate;
  b.calendar.CalendarReady();
  EXPECT_EQ(b.scene.WindowBaked, 1);
  EXPECT_TRUE(b.engine.Text_Timer.Enabled());
}
