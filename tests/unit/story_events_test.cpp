// The story events: arming, waits at bedtime, the checks by step and the start of an
// event, and the option locks.
#include <memory>

#include "calendar/events.h"
#include "calendar_fixture.h"

using namespace calendar_test;

namespace {

constexpr int kOp = 1, kOp2 = 2, kEnd = 3, kHarumi1 = 4, kKyouko1 = 5, kKyouko2 = 6, kSuzuna1 = 7, kSuzuna2 = 8,
              kMayu1 = 9, kMayu2 = 10, kJobR1 = 11, kJobK1 = 13;
// The kinds of a scene's event line: it waits (the wait line follows), or it arms now.
constexpr int kWaits = 0, kArmsNow = 1;

}  // namespace

TEST(ArmEvent, ByKind) {
  Bare b;
  b.state(kEnd) = 0;  // kind 1 arms from 0 or 1
  b.story.ArmEvent("*end");
  EXPECT_EQ(b.state(kEnd), 2);
  b.state(kKyouko1) = 0;  // kind 2 arms only from 1
  b.story.ArmEvent("*kyouko_1");
  EXPECT_EQ(b.state(kKyouko1), 0);
  b.state(kKyouko1) = 1;
  b.story.ArmEvent("*kyouko_1");
  EXPECT_EQ(b.state(kKyouko1), 2);
  b.state(kKyouko2) = 1;  // kind 5 arms for a lunch visit
  b.story.ArmEvent("*kyouko_2");
  EXPECT_EQ(b.state(kKyouko2), 5);
  b.story.ArmEvent("*nothing");
  EXPECT_EQ(b.state(0), 0);
}

TEST(ArmEvent, DoneEventStaysDone) {
  Bare b;
  b.state(kHarumi1) = 3;
  b.story.ArmEvent("*harumi_1");
  EXPECT_EQ(b.state(kHarumi1), 3);
  b.state(kEnd) = 3;
  b.story.ArmEvent("*end");
  EXPECT_EQ(b.state(kEnd), 3);
}

TEST(DayEvents, WaitUnlocksAtTheWthBedtimeAndStaysAtOne) {
  Bare b;
  b.events.EventWait[kMayu2] = 3;
  b.events.EventWait[kKyouko2] = 0;
  b.story.DayEvents(DayEventsKind::CountDown);
  EXPECT_EQ(b.events.EventWait[kMayu2], 2);
  EXPECT_EQ(b.state(kMayu2), 0);
  b.story.DayEvents(DayEventsKind::CountDown);
  EXPECT_EQ(b.events.EventWait[kMayu2], 1);
  EXPECT_EQ(b.state(kMayu2), 0);
  b.story.DayEvents(DayEventsKind::CountDown);
  EXPECT_EQ(b.state(kMayu2), 1) << "third bedtime";
  EXPECT_EQ(b.events.EventWait[kMayu2], 1);
  EXPECT_EQ(b.state(kKyouko2), 0) << "a wait of 0 never unlocks";
  b.state(kMayu2) = 3;
  b.story.DayEvents(DayEventsKind::CountDown);
  EXPECT_EQ(b.state(kMayu2), 3) << "only a locked event unlocks";
}

TEST(DayEvents, DayTwoArmsTheFirstMeetingsAndDaySevenTheEnd) {
  Bare b;
  b.adv().Day = 2;
  b.story.DayEvents(DayEventsKind::Arm);
  for (int n : {kHarumi1, kKyouko1, kSuzuna1, kMayu1}) EXPECT_EQ(b.state(n), 2) << n;
  EXPECT_EQ(b.state(kEnd), 0);
  b.adv().Day = 7;
  b.story.DayEvents(DayEventsKind::Arm);
  EXPECT_EQ(b.state(kEnd), 2);
}

TEST(DayEvents, SecondMeetingsNeedAffectionTen) {
  Bare b;
  b.adv().Day = 3;
  b.state(kKyouko2) = 1;
  b.state(kMayu2) = 1;
  b.chara(1).Affection = 10;
  b.chara(3).Affection = 9;
  b.story.DayEvents(DayEventsKind::Arm);
  EXPECT_EQ(b.state(kKyouko2), 5);
  EXPECT_EQ(b.state(kMayu2), 1);
}

// Each character's second meeting is armed by that character's own affection: at 10, not
// at 9, whatever the other two have. The first two are armed for a lunch visit (5), the
// third for the walk (2).
TEST(DayEvents, EachSecondMeetingArmsAtAffectionTenOfItsOwnCharacter) {
  const int second[4] = {0, kKyouko2, kSuzuna2, kMayu2};
  const int32_t armed[4] = {0, 5, 5, 2};
  auto dayWith = [](int a1, int a2, int a3) {
    auto b = std::make_unique<Bare>();
    b->adv().Day = 3;
    for (int n : {kKyouko2, kSuzuna2, kMayu2}) b->state(n) = 1;
    b->chara(1).Affection = a1;
    b->chara(2).Affection = a2;
    b->chara(3).Affection = a3;
    b->story.DayEvents(DayEventsKind::Arm);
    return b;
  };
  {
    auto b = dayWith(9, 9, 9);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(b->state(second[k]), 1) << "character " << k << " at 9";
  }
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    // Only character k at 10; the others just below.
    auto b = dayWith(k == 1 ? 10 : 9, k == 2 ? 10 : 9, k == 3 ? 10 : 9);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(b->state(second[j]), j == k ? armed[j] : 1) << "character " << j;
    // Character k just below while the others are at 10.
    b = dayWith(k == 1 ? 9 : 10, k == 2 ? 9 : 10, k == 3 ? 9 : 10);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(b->state(second[j]), j == k ? 1 : armed[j]) << "character " << j;
  }
}

TEST(EventScript, EmptyWaitLineMeansOneNight) {
  Bare b({"N=2", "*s", "END3=", "kyouko_2", "", "x"});
  b.scene.ScriptPos = 3;  // at the event line
  b.story.EventScript(kWaits, "*kyouko_2");
  EXPECT_EQ(b.events.EventWait[kKyouko2], 1);
  EXPECT_EQ(b.state(kKyouko2), 0) << "scheduling leaves the state";
}

TEST(EventScript, WaitLineIsADefinitionName) {
  Bare b({"N=2", "*s", "END3=", "mayu_2", "N", "M"});
  b.scene.ScriptPos = 3;
  b.story.EventScript(kWaits, "*mayu_2");
  EXPECT_EQ(b.events.EventWait[kMayu2], 2);
  b.scene.ScriptPos = 4;  // wait line "M" has no definition: never unlocks
  b.story.EventScript(kWaits, "*mayu_2");
  EXPECT_EQ(b.events.EventWait[kMayu2], 0);
  b.story.EventScript(kWaits, "*unknown");
  EXPECT_EQ(b.events.EventWait[0], 0);
}

TEST(EventScript, MakeAvailableNowArmsOnlyLockedOrUnlocked) {
  Bare b;
  b.state(kMayu2) = 0;
  b.story.EventScript(kArmsNow, "*mayu_2");
  EXPECT_EQ(b.state(kMayu2), 2);
  b.state(kKyouko2) = 5;
  b.story.EventScript(kArmsNow, "*kyouko_2");
  EXPECT_EQ(b.state(kKyouko2), 5);
  b.state(kHarumi1) = 3;
  b.story.EventScript(kArmsNow, "*harumi_1");
  EXPECT_EQ(b.state(kHarumi1), 3);
}

TEST(EventScript, ScheduledSecondMeetingIsArmedForLunchTheSameNight) {
  Bare b({"*s", "END3=", "kyouko_2", ""});
  b.scene.ScriptPos = 2;
  b.story.EventScript(kWaits, "*kyouko_2");
  b.chara(1).Affection = 10;
  b.adv().Day = 3;
  b.adv().TrainStep = TrainStep::LateEvening;
  b.btn.PressedBtn = 1;  // going to sleep
  b.calendar.CalendarRelease();
  EXPECT_EQ(b.state(kKyouko2), 5);
  EXPECT_EQ(b.adv().Day, 4);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Sleep);
}

TEST(CheckArmed, NewGameStartsTheOpeningInAnyStep) {
  Bare b;
  b.adv().TrainStep = TrainStep::LateEvening;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kOp);
  EXPECT_EQ(b.label(), "*op");
  EXPECT_EQ(b.state(kOp), 3);
  EXPECT_EQ(b.adv().Met[1], 1);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(b.chara(k).Affection, 1) << k;
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(b.mode(), GameMode::Scene);
  EXPECT_EQ(b.scene.ScriptPos, 0);
}

TEST(CheckArmed, JobChoiceNeedsTheAfternoon) {
  Bare b;
  b.state(kOp) = 3;
  b.state(kEnd) = 2;
  b.adv().TrainStep = TrainStep::JobChoice;
  b.adv().Half = 1;
  b.label() = "*left";
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, 0);
  EXPECT_EQ(b.label(), "") << "the check clears the label";
  b.adv().Half = 2;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kEnd);
}

TEST(CheckArmed, JobStepMatchesTheChosenJobsIntroduction) {
  Bare b;
  b.state(kOp) = 3;
  b.adv().TrainStep = TrainStep::JobRunning;
  b.train.Job = 3;
  b.train.Grade = 2;
  b.adv().Outcome = 2;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kJobK1);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Lunch) << "morning: the lunch break follows";
  EXPECT_EQ(b.adv().Half, 2);
  EXPECT_EQ(b.train.Job, 0);
  EXPECT_EQ(b.adv().Outcome, 0);
  EXPECT_EQ(b.state(kJobR1), 2);

  b.scene.SceneNo = 0;
  b.adv().TrainStep = TrainStep::JobRunning;
  b.train.Job = 1;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kJobR1);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::Evening) << "afternoon: the evening follows";

  b.scene.SceneNo = 0;
  b.adv().TrainStep = TrainStep::JobRunning;
  b.train.Job = 3;  // its introduction is done: the bar runs
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, 0);
}

TEST(CheckArmed, WalkStepsNeedThePlace) {
  Bare b;
  b.state(kOp) = 3;
  b.state(kKyouko1) = 2;
  b.adv().TrainStep = TrainStep::EveningWalk;
  b.adv().Place = 2;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, 0);
  b.adv().Place = 4;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kKyouko1);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::LateEvening);
  EXPECT_EQ(b.adv().Met[1], 1);
  EXPECT_EQ(b.chara(1).Affection, 2);
}

TEST(CheckArmed, EveningMenuEventAndLunchEvent) {
  Bare b;
  b.state(kOp) = 3;
  b.state(kHarumi1) = 2;
  b.adv().TrainStep = TrainStep::Lunch;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kOp2) << "the first lunch";
  EXPECT_EQ(b.adv().Met[1], 0);
  b.scene.SceneNo = 0;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, 0) << "the second lunch plays nothing";
  b.adv().TrainStep = TrainStep::Evening;
  b.story.CheckArmed();
  EXPECT_EQ(b.scene.SceneNo, kHarumi1);
}

TEST(CheckVisit, LunchVisitOfTheChosenCharacter) {
  Bare b;
  b.state(kKyouko2) = 5;
  b.adv().TrainStep = TrainStep::Lunch;
  b.btn.SelectedBtn = 2;
  b.story.CheckVisit();
  EXPECT_EQ(b.scene.SceneNo, 0);
  b.btn.SelectedBtn = 1;
  b.story.CheckVisit();
  EXPECT_EQ(b.scene.SceneNo, kKyouko2);
  EXPECT_EQ(b.adv().TrainStep, TrainStep::JobChoice);
  EXPECT_EQ(b.adv().Met[1], 0) << "no meeting is counted at lunch";
  EXPECT_EQ(b.state(kKyouko2), 3);
}

TEST(CheckTalk, AnswerMatchesStateMinusFive) {
  Bare b;
  b.state(kMayu2) = 7;  // armed for answer 2
  b.adv().TrainStep = TrainStep::EveningWalk;
  b.adv().Partner = 3;
  b.adv().Place = 3;
  b.btn.SelectedBtn = 1;
  b.story.CheckTalk();
  EXPECT_EQ(b.scene.SceneNo, 0);
  b.btn.SelectedBtn = 2;
  b.story.CheckTalk();
  EXPECT_EQ(b.scene.SceneNo, kMayu2);
}

TEST(OptionLocked, WithoutTheStoryEventsTopicThreeIsAlwaysLocked) {
  Bare b;
  b.mode() = GameMode::Calendar;
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(b.rules.OptionLocked(i), 0) << i;
  b.mode() = GameMode::Talk;
  b.adv().TrainStep = TrainStep::Lunch;
  EXPECT_EQ(b.rules.OptionLocked(3), 1);
  EXPECT_EQ(b.rules.OptionLocked(2), 0);
  b.adv().TrainStep = TrainStep::EveningWalk;
  for (int p = 0; p <= 3; ++p) {
    b.adv().Partner = static_cast<uint8_t>(p);
    EXPECT_EQ(b.rules.OptionLocked(3), 1) << p;
    EXPECT_EQ(b.rules.OptionLocked(4), 0) << p;
  }
  b.mode() = GameMode::Status;
  EXPECT_EQ(b.rules.OptionLocked(3), 0);
}
