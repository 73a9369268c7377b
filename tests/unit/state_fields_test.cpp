// The descriptions of what a save keeps (the game state, the save's description, the
// history of pages), tried at every bound they declare: generated from the
// descriptions themselves, so that a bound added later is tried too.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/field_codec.h"
#include "game/state_codec.h"
#include "saves/save_file.h"
#include "support/whole_game.h"

using namespace shirakaba;
using namespace shirakaba::test;

namespace {

enum class Kind { Number, Count, Text, Picture };

// One bounded part of a record, as its description declares it.
struct Bound {
  Kind kind;
  std::string path;
  Field field;
  int64_t typeMin = 0, typeMax = 0;  // numbers: what their type can hold at all
};

// A change of the n-th bounded part: a number (or a count), a text, a picture's size.
struct Change {
  size_t ordinal = 0;
  int64_t number = 0;
  std::string text;
  int width = 0, height = 0;
};

// Without a change, lists the bounded parts of a record in visiting order; with one,
// makes it.
class Probe : public FieldVisitor<Probe> {
 public:
  explicit Probe(std::optional<Change> change = std::nullopt) : change_(std::move(change)) {}
  std::vector<Bound> bounds;

  template <typename T>
    requires kIsNumber<T>
  void visit(const Field& f, T& v) {
    if (f.rangeCount == 0) return;  // any value of its type
    using Held = typename std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>::type;
    const int64_t lo = std::is_same_v<T, bool> ? 0 : static_cast<int64_t>(std::numeric_limits<Held>::min());
    const int64_t hi = std::is_same_v<T, bool> ? 1 : static_cast<int64_t>(std::numeric_limits<Held>::max());
    if (hit(Kind::Number, f, lo, hi)) v = static_cast<T>(static_cast<Held>(change_->number));
  }
  void visit(const Field& f, std::string& text) {
    if (hit(Kind::Text, f)) text = change_->text;
  }
  void visit(const Field& f, std::vector<std::string>& lines) {
    if (hit(Kind::Count, f.rangeCount ? f : f.within(0, kMaxTextLines))) lines.assign(change_->number, "a");
    if (hit(Kind::Text, f)) lines = {change_->text};
  }
  void visit(const Field& f, std::optional<std::string>& text) {
    if (hit(Kind::Text, f)) text = change_->text;
  }
  void visit(const Field& f, Bitmap& b) {
    if (hit(Kind::Picture, f)) b = Bitmap::create32(change_->width, change_->height);
  }
  void visit(const Field&, RandomSource&) {}
  template <typename T, typename Each>
  void records(const Field& f, std::vector<T>& items, Each&& each) {
    if (hit(Kind::Count, f)) items.resize(change_->number, items.back());
    group(f.key, [&] {
      for (size_t i = 0; i < items.size(); ++i) group(indexKey(i), [&] { each(items[i]); });
    });
  }

 private:
  bool hit(Kind kind, const Field& f, int64_t typeMin = 0, int64_t typeMax = std::numeric_limits<int64_t>::max()) {
    const size_t n = ordinal_++;
    if (!change_) bounds.push_back({kind, pathOf(f.key), f, typeMin, typeMax});
    return change_ && n == change_->ordinal;
  }
  std::optional<Change> change_;
  size_t ordinal_ = 0;
};

struct Edge {
  Change change;
  bool allowed;
  std::string what;
};

// The last values allowed and the first ones past them, for each bound.
std::vector<Edge> edgesOf(const Bound& b, size_t ordinal) {
  std::vector<Edge> edges;
  const auto number = [&](int64_t v) {
    if (v >= b.typeMin && v <= b.typeMax) edges.push_back({{ordinal, v, {}, 0, 0}, b.field.allows(v), std::to_string(v)});
  };
  const auto text = [&](std::string t, bool allowed, std::string what) {
    edges.push_back({{ordinal, 0, std::move(t)}, allowed, std::move(what)});
  };
  const auto picture = [&](int w, int h, bool allowed) {
    edges.push_back({{ordinal, 0, {}, w, h}, allowed, std::to_string(w) + " x " + std::to_string(h)});
  };
  switch (b.kind) {
    case Kind::Number:
    case Kind::Count:
      for (int i = 0; i < b.field.rangeCount; ++i) {
        const ValueRange r = b.field.ranges[i];
        for (int64_t v : {r.lo, r.hi}) number(v);
        if (r.lo > std::numeric_limits<int64_t>::min()) number(r.lo - 1);
        if (r.hi < std::numeric_limits<int64_t>::max()) number(r.hi + 1);
      }
      break;
    case Kind::Text:
      text(std::string(kMaxTextBytes, 'a'), true, "the longest text");
      text(std::string(kMaxTextBytes + 1, 'a'), false, "a byte longer");
      text("ok\xE3\x81", false, "cut UTF-8");
      break;
    case Kind::Picture:
      picture(0, 0, b.field.mayBeEmpty);
      if (b.field.width > 0) {
        picture(b.field.width, b.field.height, true);
        picture(b.field.width + 1, b.field.height, false);
        picture(b.field.width, b.field.height - 1, false);
      } else {
        picture(kMaxPictureSide, 1, true);
        picture(kMaxPictureSide + 1, 1, false);
        picture(1, kMaxPictureSide, true);
        picture(1, kMaxPictureSide + 1, false);
      }
      break;
  }
  return edges;
}

// Every bound of the record's description at its edges: the last value allowed goes
// through its writer and its reader, the first one past it is refused by the name of
// the field. `roundTrip` writes a record and reads it back.
template <typename Record, typename Describe>
void expectEveryBoundHolds(const Record& base, Describe describe,
                           const std::function<std::optional<std::string>(const Record&)>& roundTrip,
                           size_t atLeast) {
  ASSERT_EQ(roundTrip(base), std::nullopt) << "the record to start from";
  Probe lister;
  Record listed = base;
  describe(lister, listed);
  ASSERT_GE(lister.bounds.size(), atLeast);
  size_t tried = 0;
  for (size_t i = 0; i < lister.bounds.size(); ++i) {
    const Bound& b = lister.bounds[i];
    for (const Edge& e : edgesOf(b, i)) {
      Record r = base;
      Probe poke(e.change);
      describe(poke, r);
      const std::optional<std::string> error = roundTrip(r);
      ++tried;
      if (e.allowed) {
        EXPECT_EQ(error, std::nullopt) << b.path << " = " << e.what << " is allowed";
      } else {
        ASSERT_NE(error, std::nullopt) << b.path << " = " << e.what << " is past its bound";
        EXPECT_NE(error->find(b.path), std::string::npos) << *error << " (for " << b.path << " = " << e.what << ")";
      }
    }
  }
  EXPECT_GE(tried, 2 * atLeast);
}

constexpr int kScriptLines = 100000;

// A state the game produced (a page of a scene on day 1), its timers running or not,
// all due now: so that a changed interval or a timer started or stopped is no conflict.
GameState gameState() {
  Player p(demoSetup());
  const std::vector<Command> commands = replayCommands("whole_game.replay");
  for (size_t i = 0; i < 40; ++i) p.run(commands[i], i);
  GameState s = p.game.snapshot().state();
  for (TimerState* t : {&s.timers.Cha_Timer, &s.timers.CG_Timer, &s.timers.J_Timer, &s.timers.Ani_Timer,
                        &s.timers.Text_Timer})
    t->due = 0;
  s.shown.Notice = "a notice";
  s.surfaces.ImageCG = Bitmap::create32(4, 4);
  return s;
}

}  // namespace

TEST(StateFields, EveryBoundOfTheGameStateHoldsAtItsEdge) {
  ASSERT_FALSE(demoDir().empty());
  const StateLimits limits{kScriptLines};
  expectEveryBoundHolds<GameState>(
      gameState(), [&](auto& v, GameState& s) { stateFields(v, s, limits); },
      [&](const GameState& s) -> std::optional<std::string> {
        auto back = decodeState(encodeState(s), limits);
        if (!back) return back.error();
        if (!(back.value() == s)) return "read back otherwise";
        return std::nullopt;
      },
      130);
}

TEST(StateFields, EveryBoundOfTheSavesDescriptionAndHistoryHoldsAtItsEdge) {
  SaveFile save;
  save.info = {1765000000000, 3, "午前", "*kyouko_1", 3723000, 0x0123456789abcdefull, "「おはよう」", 2, {0x89, 'P'}};
  save.state = {1, 2, 3};
  save.history = {{{"一行目", "二行目"}, false, 120}, {{"はい"}, true, -1}};
  expectEveryBoundHolds<SaveInfo>(
      save.info, [](auto& v, SaveInfo& info) { infoFields(v, info); },
      [&](const SaveInfo& info) -> std::optional<std::string> {
        SaveFile s = save;
        s.info = info;
        auto back = decodeSaveFile(encodeSaveFile(s));
        if (!back) return back.error();
        if (back->info != info) return "read back otherwise";
        return std::nullopt;
      },
      5);
  expectEveryBoundHolds<std::vector<SavedPage>>(
      save.history, [](auto& v, std::vector<SavedPage>& pages) { historyFields(v, pages); },
      [&](const std::vector<SavedPage>& pages) -> std::optional<std::string> {
        auto back = decodeHistory(encodeHistory(pages), kSaveFormatVersion);
        if (!back) return back.error();
        if (back.value() != pages) return "read back otherwise";
        return std::nullopt;
      },
      7);
}

// The way a field comes in with a later format, on a record of a later program's own:
// each format writes what it has, and reads back what it wrote; what an older save
// lacks gets the value its field says.
namespace {

struct Diary {
  int32_t day = 0;
  std::string note;
  uint8_t mood = 0;
  std::vector<std::string> lines;
  bool operator==(const Diary&) const = default;
};

template <typename V, typename D>
void diaryFields(V& v, D& d) {
  v(Field("day").within(0, 99), d.day);
  v(Field("note"), d.note);
  v(Field("mood").since(2, 3).within(0, 5), d.mood);  // saves of format 1 were all in the mood 3
  v(Field("lines").since(3), d.lines);
}

std::vector<uint8_t> diaryBytes(const Diary& d, uint32_t version) {
  std::vector<uint8_t> out;
  FieldWriter writer(out, version);
  diaryFields(writer, d);
  return out;
}

std::optional<Diary> readDiary(const std::vector<uint8_t>& bytes, uint32_t version) {
  Diary d;
  ByteReader in(bytes);
  FieldReader reader(in, version);
  diaryFields(reader, d);
  if (!in.ok() || in.remaining() != 0) return std::nullopt;
  return d;
}

}  // namespace

TEST(StateFields, AFieldOfALaterFormatIsGivenItsOlderValueInOlderSaves) {
  const Diary full{7, "晴れ", 5, {"一", "二"}};
  EXPECT_EQ(readDiary(diaryBytes(full, 1), 1), (Diary{7, "晴れ", 3, {}}));
  EXPECT_EQ(readDiary(diaryBytes(full, 2), 2), (Diary{7, "晴れ", 5, {}}));
  EXPECT_EQ(readDiary(diaryBytes(full, 3), 3), full);
  EXPECT_LT(diaryBytes(full, 1).size(), diaryBytes(full, 2).size());
  // Each format's bytes are that format's only.
  EXPECT_EQ(readDiary(diaryBytes(full, 1), 2), std::nullopt);
  EXPECT_EQ(readDiary(diaryBytes(full, 3), 2), std::nullopt);

  // The save's own: the first line of the page came with format 2, the history too.
  SaveFile save;
  save.info.pageLine = "「おはよう」";
  save.info.thumbnailPng = {1};
  save.state = {1, 2, 3};
  save.history = {{{"はい"}, true, -1}};
  auto old = decodeSaveFile(encodeSaveFile(save, 1));
  ASSERT_TRUE(old) << old.error();
  EXPECT_EQ(old->info.formatVersion, 1u);
  EXPECT_EQ(old->info.pageLine, "");
  EXPECT_TRUE(old->history.empty());
  EXPECT_EQ(old->state, save.state);
  auto now = decodeSaveFile(encodeSaveFile(save));
  ASSERT_TRUE(now) << now.error();
  EXPECT_EQ(now->info.pageLine, save.info.pageLine);
  EXPECT_EQ(now->history, save.history);
}
