#include "calendar/tables.h"

#include <algorithm>

#include "calendar/events.h"
#include "calendar/status_labels.h"

namespace shirakaba {

const char* const PlaceCodes[kPlaces] = {"Jishitu", "K_heya", "S_heya", "M_heya", "Jimu",   "Jishitu",
                                         "R_mae",   "So_1",   "So_2",   "So_3",   "So_4",   "R_naka"};
const int CorridorPlaces[kCorridorButtons] = {0, 1, 2, 3, 4, 5, 6};
const int OutsidePlaces[kOutsideButtons] = {6, 7, 8, 9, 10, 11};

// Nobody is scheduled anywhere in this data (place 0 is never a place of a walk).
const int32_t CharaPlaces[kCharacters + 1][kPlanDays + 1] = {};

const char* PlaceCode(int p) { return p >= 0 && p < kPlaces ? PlaceCodes[p] : ""; }

const char* const CharaLabelPrefix[kCharacters + 1] = {"", "*kyouko_", "*suzuna_", "*mayu_"};
const char* const CharaWorkSprite[kCharacters + 1] = {"", "鏡子", "鈴菜", "麻由"};
const char* const CharaPrivateSprite[kCharacters + 1] = {"", "鏡子私服", "鈴菜私服", "麻由私服"};

const char* const kFirstKyoukoEvent = "*kyouko_1";
const char* const kMayuStoryStart = "*mayu_e4";
const char* const kMayuStoryEnd = "*mayu_e8";
const char* const TopicThreeEvent[kCharacters + 1] = {"", "*kyouko_e3", "*suzuna_e3", "*mayu_e2"};
const bool TopicThreeOpensWhenArmed[kCharacters + 1] = {false, true, true, false};

const AffectionLabels GreetingLabels{"*ohayou", "*ohayou2", "*ohayou3"};
const char* const kFirstGreeting = "*ohayou0";
const AffectionLabels GoodNightLabels{"*oyasumi", "*oyasumi2", "*oyasumi3"};
const char* const kAfterJobPrefix = "*A_After_";
const char* const kLunchFollowPrefix = "*hiru_";
const char* const kPlaceFollowPrefix = "*Ido_";

const char* affectionLabel(const AffectionLabels& l, int32_t a) {
  if (a >= 30 && a <= 39) return l.middle;
  if (a >= 40 && a <= 100) return l.high;
  return l.plain;
}

const HintRow HintRows[kHintRows] = {
    {TrainStep::Morning, "*A_Asa", "*A_Asa_m", nullptr},
    {TrainStep::JobConfirm, "*A_Befor_Seled", nullptr, nullptr},
    {TrainStep::JobFinished, "*A_Job2", nullptr, nullptr},
    {TrainStep::Evening, "*A_Yoru", "*A_Yoru_m", nullptr},
    {TrainStep::EveningWalk, "*A_Ido1", "*A_Ido1_m", "*kaiwa_yoru"},
    {TrainStep::SelfStudy, "*kyouka", nullptr, nullptr},
    {TrainStep::JobResult, "*A_Kekka", nullptr, nullptr},
    {TrainStep::Lunch, "*A_Hiru", "*A_Hiru_m1", "*kaiwa_hiru"},
    {TrainStep::LateEvening, "*A_Yoru2", "*A_Yoru2_m", nullptr},
    {TrainStep::OwnRoom, "*A_Heya", "*A_Heya_m", nullptr},
    {TrainStep::LunchWalk, "*A_Hiru2", "*A_Hiru2_m", nullptr},
};

const HintRow* hintRowOf(TrainStep step) {
  for (const HintRow& r : HintRows)
    if (r.step == step) return &r;
  return nullptr;
}

const char* const kStatusHint = "*Save";
const char* const kFirstMorningHint = "*A_Asa_0";
const char* const kJobChoiceHintPrefix = "*A_Befor_";
const char* const kOtherStepHint = "*A_0";

const InfoRow InfoRows[kCharacters + 1] = {
    {0, "", "", ""},
    {30, "*A_Joho_k2", "*A_Joho_k", "*A_Joho_k1"},
    {30, "*A_Joho_s2", "*A_Joho_s", "*A_Joho_s1"},
    {25, "*A_Joho_m2", "*A_Joho_m", "*A_Joho_m1"},
};
const char* const kInfoPlain = "*A_Joho";
const char* const kInfoMayuStory = "*A_Joho_m3";

std::string numberedLabel(const std::string& prefix, int64_t n) { return prefix + std::to_string(n); }

std::string placeVisitLabel(int area, int place) {
  return std::string("*") + PlaceCode(place) + (area == 2 ? "_02" : "_01");
}

std::string scheduledVisitLabel(int chara, int place) {
  const char* prefix = chara >= 1 && chara <= kCharacters ? CharaLabelPrefix[chara] : "";
  return std::string(prefix) + PlaceCode(place) + "0";
}

std::string lunchTalkLabel(int partner, int topic) {
  return numberedLabel(numberedLabel("*kaiwa_hiru_", partner) + "_", topic);
}

std::string eveningTalkLabel(int place, int topic) {
  return numberedLabel(numberedLabel("*kaiwa_yoru_", place) + "_", topic);
}

namespace def {
const char* const MorningRoom = "昼春未";
const char* const Workroom = "実習室";
const char* const EveningRoom = "夜春未";
const char* const DarkRoom = "暗春未";
const char* const Corridor = "夜廊下1F";
const char* const LunchHall = "屋敷昼休み";
const char* const Desk = "机前";
const char* const DormFront = "夜寮前";
const char* const KyoukoLiving = "鏡子リビング";
const char* const Office = "明事務所";
const char* const SuzunaNight = "夜鈴菜";
const char* const MayuNight = "夜麻由";
const char* const NightOutside[4] = {"夜本宅", "夜ベンチ", "夜本宅裏", "夜プール"};
const char* const DayOutside[4] = {"昼本宅", "昼ベンチ", "昼本宅裏", "昼プール"};
const char* const Trainee = "春未";
const char* const TraineePrivate = "春未私服";
const char* const TraineeGood = "春未優";
const char* const TraineeFailed = "春未不可";
const char* const TraineeFace = "春未顔";
const char* const TraineePrivateFace = "春未顔私服";
const char* const InstructorFace = "鏡子顔";
}  // namespace def

std::string jobPoseSprite(int job) { return std::string(def::Trainee) + JobName(job); }
std::string jobWorkSprite(int job) { return jobPoseSprite(job) + "2"; }

// ---- Enumerations ----

namespace {

void addUnique(std::vector<std::string>& out, const std::string& s) {
  if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
}

void addAffectionLabels(std::vector<std::string>& out, const AffectionLabels& l) {
  addUnique(out, l.plain);
  addUnique(out, l.middle);
  addUnique(out, l.high);
}

// The tile of character 1's room is always closed.
bool alwaysClosed(int place) { return place == 1; }

// Whether the third character's story can ever lock her: only when its event has a row.
bool mayuStoryCanLock() { return FindEvent(kMayuStoryStart) != 0; }

}  // namespace

int residentOf(int place) {
  switch (place) {
    case 1: return 1;  // her room, once an activity is done
    case 2: return 2;
    case 3: return 3;
    case 4: return 1;  // the office, before any activity
    default: return 0;
  }
}

std::vector<int> eveningWalkPlaces() {
  std::vector<int> out;
  auto add = [&](int p) {
    if (!alwaysClosed(p) && p != kOwnRoomPlace && std::find(out.begin(), out.end(), p) == out.end())
      out.push_back(p);
  };
  for (int b = 1; b <= kWalkTiles; ++b) add(CorridorPlaces[b]);
  add(CorridorPlaces[kGoOutsideButton]);
  for (int b = 1; b <= kWalkTiles; ++b) add(OutsidePlaces[b]);
  return out;
}

std::vector<int> lunchWalkPlaces() {
  std::vector<int> out;
  for (int b = 1; b < kBackToWorkButton; ++b) out.push_back(OutsidePlaces[b]);
  return out;
}

std::vector<int> lunchTopics() { return {1, 2, 4}; }  // topic 3 is always locked at lunch

std::vector<int> eveningTopics(int partner) {
  if (partner >= 1 && partner <= kCharacters && FindEvent(TopicThreeEvent[partner]) != 0) return {1, 2, 3, 4};
  return {1, 2, 4};
}

std::vector<std::string> allBuildableSceneLabels() {
  std::vector<std::string> out;
  for (int n = 1; n <= kEvents; ++n) addUnique(out, EventTable[n].Label);
  // Follow-up scenes.
  addUnique(out, kFirstGreeting);
  addAffectionLabels(out, GreetingLabels);
  addAffectionLabels(out, GoodNightLabels);
  for (int outcome = 1; outcome <= 5; ++outcome) addUnique(out, numberedLabel(kAfterJobPrefix, outcome));
  // A scene ending with command 5 during the lunch break: SelectedBtn is 0 after any
  // click in a scene; 1..3 are the lunch partners the rule is named for.
  for (int b = 0; b <= kCharacters; ++b) addUnique(out, numberedLabel(kLunchFollowPrefix, b));
  const std::vector<int> evening = eveningWalkPlaces();
  for (int p : evening) addUnique(out, numberedLabel(kPlaceFollowPrefix, p));
  // Place visits without a meeting. Rooms 2 and 3 always hold their unmet resident
  // while their tiles are open; the office is empty after an evening activity.
  for (int p : evening) {
    const bool residentAlwaysThere = p == 2 || p == 3;
    if (!residentAlwaysThere) addUnique(out, placeVisitLabel(0, p));
  }
  for (int p : lunchWalkPlaces()) addUnique(out, placeVisitLabel(2, p));
  // Meetings where a character is scheduled.
  for (int c = 1; c <= kCharacters; ++c)
    for (int d = 1; d <= kPlanDays; ++d) {
      const int p = CharaPlaces[c][d];
      if (std::find(evening.begin(), evening.end(), p) != evening.end())
        addUnique(out, scheduledVisitLabel(c, p));
    }
  // Conversations.
  for (int partner = 1; partner <= kCharacters; ++partner)
    for (int topic : lunchTopics()) addUnique(out, lunchTalkLabel(partner, topic));
  for (int p : evening) {
    const int r = residentOf(p);
    if (r == 0) continue;
    for (int topic : eveningTopics(r)) addUnique(out, eveningTalkLabel(p, topic));
  }
  return out;
}

std::vector<std::string> allHintLabels() {
  std::vector<std::string> out;
  addUnique(out, kStatusHint);
  addUnique(out, kFirstMorningHint);
  for (int half = 1; half <= 2; ++half) addUnique(out, numberedLabel(kJobChoiceHintPrefix, half));
  const bool lockable = mayuStoryCanLock();
  for (const HintRow& r : HintRows) {
    addUnique(out, r.plain);
    if (r.locked && lockable) addUnique(out, r.locked);
    if (r.talking) addUnique(out, r.talking);
  }
  addUnique(out, kInfoPlain);
  for (int c = 1; c <= kCharacters; ++c) {
    addUnique(out, InfoRows[c].middle);
    addUnique(out, InfoRows[c].high);
    addUnique(out, InfoRows[c].low);
  }
  if (lockable) addUnique(out, kInfoMayuStory);
  return out;
}

std::vector<std::string> allResolvedBackgroundNames() {
  std::vector<std::string> out;
  for (const char* n : {def::MorningRoom, def::Workroom, def::EveningRoom, def::DarkRoom, def::Corridor,
                        def::LunchHall, def::Desk, def::DormFront, def::KyoukoLiving, def::Office,
                        def::SuzunaNight, def::MayuNight})
    addUnique(out, n);
  for (const char* n : def::NightOutside) addUnique(out, n);
  for (const char* n : def::DayOutside) addUnique(out, n);
  return out;
}

std::vector<std::string> allResolvedSpriteNames() {
  std::vector<std::string> out;
  for (const char* n : {def::Trainee, def::TraineePrivate, def::TraineeGood, def::TraineeFailed}) addUnique(out, n);
  for (int job = 1; job <= 4; ++job) {
    addUnique(out, jobPoseSprite(job));
    addUnique(out, jobWorkSprite(job));
  }
  for (int c = 1; c <= kCharacters; ++c) {
    addUnique(out, CharaWorkSprite[c]);
    addUnique(out, CharaPrivateSprite[c]);
  }
  return out;
}

std::vector<std::string> allResolvedFaceNames() {
  return {def::TraineeFace, def::TraineePrivateFace, def::InstructorFace};
}

}  // namespace shirakaba
