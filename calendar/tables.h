// The calendar's constant tables that name script labels, places and picture
// definitions, the builders that turn them into labels, and lists of every label and
// definition name the calendar can build or resolve. The calendar and the script lint
// use the same tables, so a label the code can build cannot be missed by the lint.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/training_state.h"

namespace shirakaba {

// ---- Places ----
constexpr int kPlaces = 12;
// Place codes 0..11 as they appear in labels.
extern const char* const PlaceCodes[kPlaces];
// Walk button -> place code: corridor buttons 0..6, outside buttons 0..5.
constexpr int kCorridorButtons = 7, kOutsideButtons = 6;
extern const int CorridorPlaces[kCorridorButtons];
extern const int OutsidePlaces[kOutsideButtons];
constexpr int kOwnRoomPlace = 5;       // a walk starts here; its tile ends the walk
constexpr int kLunchWalkStart = 7;     // the lunch walk starts in front of the main house
constexpr int kBackToWorkButton = 5;   // outside tile 5: back inside, or back to work at lunch
constexpr int kGoOutsideButton = 6;    // corridor tile 6: out in front of the dormitory
constexpr int kWalkTiles = 5;          // tiles 1..5 of every walk screen

// Where each character is scheduled on days 1..7 ([c][day]; row and column 0 unused).
constexpr int kPlanDays = 7;
extern const int32_t CharaPlaces[kCharacters + 1][kPlanDays + 1];

// The place code or "" outside 0..11.
const char* PlaceCode(int p);

// ---- Characters' pictures and label prefixes (index 1..3) ----
extern const char* const CharaLabelPrefix[kCharacters + 1];   // "*kyouko_" ...
extern const char* const CharaWorkSprite[kCharacters + 1];    // "鏡子" ...
extern const char* const CharaPrivateSprite[kCharacters + 1]; // "鏡子私服" ...

// ---- Event labels the calendar asks about (none of them need a row) ----
extern const char* const kFirstKyoukoEvent;   // done: the office closes after an activity
extern const char* const kMayuStoryStart;     // done: the third character's story is under way
extern const char* const kMayuStoryEnd;       // done: ... and over
// Per partner 1..3: the event that opens conversation topic 3 in the evening.
extern const char* const TopicThreeEvent[kCharacters + 1];
// Per partner 1..3: whether that event only needs to be armed (state 2) or must be done (3).
extern const bool TopicThreeOpensWhenArmed[kCharacters + 1];

// ---- Follow-up scenes ----
// A scene chosen by the first character's Affection: 30..39 middle, 40..100 high, else plain.
struct AffectionLabels {
  const char* plain;
  const char* middle;
  const char* high;
};
extern const AffectionLabels GreetingLabels;   // step 2, the morning greeting
extern const char* const kFirstGreeting;       // day 2's greeting
extern const AffectionLabels GoodNightLabels;  // steps 8 and 16
extern const char* const kAfterJobPrefix;      // step 12, + Outcome
extern const char* const kLunchFollowPrefix;   // step 15, + SelectedBtn
extern const char* const kPlaceFollowPrefix;   // step 10, + Place
const char* affectionLabel(const AffectionLabels& l, int32_t affection);

// ---- Hint blocks ----
struct HintRow {
  TrainStep step;
  const char* plain;
  const char* locked;    // while the third character's story locks her; null: none
  const char* talking;   // while a conversation partner is set; null: none
};
constexpr int kHintRows = 11;
extern const HintRow HintRows[kHintRows];
const HintRow* hintRowOf(TrainStep step);
extern const char* const kStatusHint;      // the status screen
extern const char* const kFirstMorningHint;  // step 1 on day 2
extern const char* const kJobChoiceHintPrefix;  // step 2, + Half
extern const char* const kOtherStepHint;   // a step with no block of its own

// Information screen: by the best-liked character c, when her Affection is 15 or more.
struct InfoRow {
  int32_t middleFrom;  // middle band middleFrom..39
  const char* middle;
  const char* high;    // 40..100
  const char* low;     // anything else
};
extern const InfoRow InfoRows[kCharacters + 1];
extern const char* const kInfoPlain;        // nobody is liked enough
extern const char* const kInfoMayuStory;    // c = 3 while her story is under way
constexpr int32_t kInfoAffection = 15;

// ---- Label builders (decimal numbers without leading zeros) ----
std::string numberedLabel(const std::string& prefix, int64_t n);
// A place visited with nobody met: area 2 "_02", else "_01".
std::string placeVisitLabel(int area, int place);
// A character met where she is scheduled today.
std::string scheduledVisitLabel(int chara, int place);
std::string lunchTalkLabel(int partner, int topic);
std::string eveningTalkLabel(int place, int topic);

// ---- What the calendar can build and resolve ----
// Every scene label the calendar's screens can set: event scenes, follow-up scenes,
// place visits and conversations.
std::vector<std::string> allBuildableSceneLabels();
// Every hint block label HintText can choose.
std::vector<std::string> allHintLabels();
// Definition names passed to DrawBackground, PlaceSprite and ShowFace by the calendar
// and the status screen.
std::vector<std::string> allResolvedBackgroundNames();
std::vector<std::string> allResolvedSpriteNames();
std::vector<std::string> allResolvedFaceNames();

// The pieces the lists are made of, for tests and the lint's messages.
// Places the evening walk can move to (tiles that are not always closed).
std::vector<int> eveningWalkPlaces();
// Places of the lunch walk's scene tiles.
std::vector<int> lunchWalkPlaces();
// The character always found at an evening place (when not yet met), 0 if none.
int residentOf(int place);
// Topics a conversation can take: topic 3 only where an event can open it.
std::vector<int> lunchTopics();
std::vector<int> eveningTopics(int partner);

// ---- Picture definitions used by the calendar screens ----
namespace def {
extern const char* const MorningRoom;    // step 1
extern const char* const Workroom;       // job choice and result
extern const char* const EveningRoom;    // evening menus, information, status screen
extern const char* const DarkRoom;       // going to sleep
extern const char* const Corridor;       // the dormitory corridor at night
extern const char* const LunchHall;      // lunch break, job 2
extern const char* const Desk;           // self-study
extern const char* const DormFront;      // out in front of the dormitory at night
extern const char* const KyoukoLiving;   // character 1 in her room
extern const char* const Office;         // character 1 in the office
extern const char* const SuzunaNight;
extern const char* const MayuNight;
// Outside places 7..10 at night and at lunch ([place - 7]).
extern const char* const NightOutside[4];
extern const char* const DayOutside[4];
extern const char* const Trainee;        // sprite
extern const char* const TraineePrivate; // sprite
extern const char* const TraineeGood;    // sprite after grades 1 and 2
extern const char* const TraineeFailed;  // sprite after grade 4
extern const char* const TraineeFace;
extern const char* const TraineePrivateFace;
extern const char* const InstructorFace;
}  // namespace def
// "春未" + job name, and + "2" while the job runs.
std::string jobPoseSprite(int job);
std::string jobWorkSprite(int job);

}  // namespace shirakaba
