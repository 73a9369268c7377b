#include "game/state_codec.h"

#include <algorithm>
#include <limits>
#include <string>
#include <type_traits>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "calendar/tables.h"

namespace shirakaba {

namespace {

constexpr size_t kMaxText = 64 * 1024;  // one line, caption or dialog text
constexpr uint32_t kMaxLines = 4096;    // lines of a page or a hint block
constexpr int kMaxSide = 8192;          // the widest picture the decoder accepts
constexpr uint64_t kMaxPixelBytes = 256ull << 20;

// Every field of the state, in file order. One list for both directions, so that
// writing and reading can never disagree.
template <typename IO, typename S>
void visitState(IO& io, S& s) {
  io(s.shell.GameMode);
  io(s.shell.dialog);
  io(s.shell.dialogText);
  io(s.shell.closed);
  for (auto* t : {&s.timers.Cha_Timer, &s.timers.CG_Timer, &s.timers.J_Timer, &s.timers.Ani_Timer,
                  &s.timers.Text_Timer}) {
    io(t->Enabled);
    io(t->Interval);
    io(t->Tag);
    io(t->due);
  }
  for (auto& item : s.menu.items) {
    io(item.Caption);
    io(item.Checked);
    io(item.Enabled);
    io(item.Visible);
  }
  io(s.surfaces.BackBuffer);
  io(s.surfaces.backBufferCreated);
  io(s.surfaces.ImageBa);
  io(s.surfaces.imageBaVisible);
  io(s.surfaces.ImageCG);
  for (auto* f : {&s.surfaces.backFont, &s.surfaces.screenFont}) {
    io(f->points);
    io(f->colour);
    io(f->brush);
  }
  io(s.btn.ButtonOn);
  io(s.btn.PressedBtn);
  io(s.btn.SelectedBtn);
  io(s.scene.SceneNo);
  io(s.scene.SceneLabel);
  io(s.scene.ScriptPos);
  io(s.scene.CGNo);
  io(s.scene.WindowBaked);
  io(s.scene.TestMode);
  io(s.pan.PanX);
  io(s.pan.PanY);
  io(s.record.CGSpeed);
  io(s.record.CGSeen);
  io(s.shown.Page);
  io(s.shown.Hint);
  io(s.shown.Notice);
  io(s.random);
  auto& a = s.train.Adv;
  io(a.Day);
  io(a.Month);
  io(a.WeekDay);
  io(a.Place);
  io(a.TrainStep);
  io(a.Outcome);
  io(a.Half);
  io(a.Area);
  io(a.Actions);
  io(a.Partner);
  io(a.Met);
  for (auto& c : s.train.CharaStat) {
    io(c.Affection);
    io(c.RatingB);
    io(c.RatingC);
    io(c.Reserve);
  }
  io(s.train.Ability);
  io(s.train.Job);
  io(s.train.Grade);
  io(s.events.EventState);
  io(s.events.EventWait);
}

struct Writer {
  std::vector<uint8_t>& o;

  void operator()(bool v) { put8(o, v ? 1 : 0); }
  void operator()(uint8_t v) { put8(o, v); }
  void operator()(int32_t v) { put32(o, static_cast<uint32_t>(v)); }
  void operator()(uint32_t v) { put32(o, v); }
  void operator()(int64_t v) { put64(o, static_cast<uint64_t>(v)); }
  void operator()(const std::string& v) { putString(o, v); }
  template <typename E>
    requires std::is_enum_v<E>
  void operator()(E v) {
    put32(o, static_cast<uint32_t>(static_cast<std::underlying_type_t<E>>(v)));
  }
  template <typename T, size_t N>
  void operator()(const T (&a)[N]) {
    for (const T& v : a) (*this)(v);
  }
  void operator()(const std::vector<std::string>& lines) {
    put32(o, static_cast<uint32_t>(lines.size()));
    for (const auto& l : lines) (*this)(l);
  }
  void operator()(const std::optional<std::string>& v) {
    (*this)(v.has_value());
    if (v) (*this)(*v);
  }
  void operator()(const RandomSource& r) {
    put64(o, r.rawState());
    (*this)(r.pendingForced().has_value());
    put32(o, static_cast<uint32_t>(r.pendingForced().value_or(0)));
  }
  void operator()(const Bitmap& b) {
    put32(o, static_cast<uint32_t>(b.width));
    put32(o, static_cast<uint32_t>(b.height));
    put8(o, static_cast<uint8_t>(b.format));
    for (uint32_t m : b.masks) put32(o, m);
    put32(o, static_cast<uint32_t>(b.palette.size()));
    for (uint32_t c : b.palette) put32(o, c);
    put64(o, b.pixels.size());
    putBytes(o, b.pixels.data(), b.pixels.size());
  }
};

// Reads the fields back; a value that cannot be stored (a count past its limit, a
// bitmap whose size does not fit its format) fails the reader at once.
struct Reader {
  ByteReader& in;

  void operator()(bool& v) {
    const uint8_t b = in.u8();
    if (b > 1) in.reject();
    v = b == 1;
  }
  void operator()(uint8_t& v) { v = in.u8(); }
  void operator()(int32_t& v) { v = in.i32(); }
  void operator()(uint32_t& v) { v = in.u32(); }
  void operator()(int64_t& v) { v = in.i64(); }
  void operator()(std::string& v) { v = in.string(kMaxText); }
  template <typename E>
    requires std::is_enum_v<E>
  void operator()(E& v) {
    using U = std::underlying_type_t<E>;
    const int64_t raw = in.i32();
    if (raw < std::numeric_limits<U>::min() || raw > std::numeric_limits<U>::max()) in.reject();
    v = static_cast<E>(static_cast<U>(raw));
  }
  template <typename T, size_t N>
  void operator()(T (&a)[N]) {
    for (T& v : a) (*this)(v);
  }
  void operator()(std::vector<std::string>& lines) {
    const uint32_t n = in.u32();
    if (n > kMaxLines) return in.reject();
    lines.resize(n);
    for (auto& l : lines) (*this)(l);
  }
  void operator()(std::optional<std::string>& v) {
    bool has = false;
    (*this)(has);
    std::string text;
    if (has) (*this)(text);
    v = has ? std::optional<std::string>(std::move(text)) : std::nullopt;
  }
  void operator()(RandomSource& r) {
    const uint64_t state = in.u64();
    bool hasForced = false;
    (*this)(hasForced);
    const int32_t forced = in.i32();
    if (state == 0) in.reject();  // the generator would draw zeros for ever
    r.setRaw(state, hasForced ? std::optional<int>(forced) : std::nullopt);
  }
  void operator()(Bitmap& b) {
    b = Bitmap{};
    const int32_t w = in.i32(), h = in.i32();
    const uint8_t format = in.u8();
    for (uint32_t& m : b.masks) m = in.u32();
    if (w < 0 || h < 0 || w > kMaxSide || h > kMaxSide || format > static_cast<uint8_t>(PixelFormat::Bgrx32))
      return in.reject();
    b.format = static_cast<PixelFormat>(format);
    const uint32_t colours = in.u32();
    if (colours > 256 || colours * 4ull > in.remaining()) return in.reject();
    b.palette.resize(colours);
    for (uint32_t& c : b.palette) c = in.u32();
    const uint64_t bytes = in.u64();
    if (w == 0 || h == 0) {
      if (bytes != 0) in.reject();
      return;
    }
    const int stride = Bitmap::strideFor(b.format, w);
    if (bytes != static_cast<uint64_t>(stride) * h || bytes > kMaxPixelBytes || bytes > in.remaining())
      return in.reject();
    b.width = w;
    b.height = h;
    b.stride = stride;
    auto px = in.take(bytes);
    b.pixels.assign(px.begin(), px.end());
  }
};

bool is32At(const Bitmap& b, int w, int h) { return b.is32() && b.width == w && b.height == h; }
bool inRange(int64_t v, int64_t lo, int64_t hi) { return v >= lo && v <= hi; }

// The first field outside what the game can produce, or nullptr.
const char* firstBadField(const GameState& s, const StateLimits& limits) {
  if (s.shell.dialog != DialogKind::None) return "an open dialog";
  if (s.shell.closed) return "a closed window";
  for (const TimerState* t : {&s.timers.Cha_Timer, &s.timers.CG_Timer, &s.timers.J_Timer, &s.timers.Ani_Timer,
                              &s.timers.Text_Timer}) {
    if (!inRange(t->Interval, 0, 600000)) return "a timer's interval";
    if (!inRange(t->due, -86400000, 86400000)) return "a timer's due time";
  }
  // The handlers count with these tags: a transition's tick (0..21) and the job bar's
  // (its 20 segments, then the three closing stages 100..102, calendar/jobs.cpp).
  if (!inRange(s.timers.Cha_Timer.Tag, 0, 21)) return "the transition's tick";
  const int32_t job = s.timers.J_Timer.Tag;
  if (!inRange(job, 0, 20) && !inRange(job, 100, 102)) return "the job bar's tick";
  if (!is32At(s.surfaces.ImageBa, kScreenW, kScreenH)) return "the screen";
  if (!s.surfaces.BackBuffer.empty() && !is32At(s.surfaces.BackBuffer, kScreenW, kScreenH))
    return "the back buffer";
  if (s.surfaces.backBufferCreated && s.surfaces.BackBuffer.empty()) return "the back buffer";
  if (!s.surfaces.ImageCG.empty() && !s.surfaces.ImageCG.is32()) return "the CG";
  for (const CanvasFont* f : {&s.surfaces.backFont, &s.surfaces.screenFont}) {
    if (!inRange(f->points, 1, 200)) return "a font size";
    if (static_cast<uint8_t>(f->brush) > static_cast<uint8_t>(Brush::White)) return "a text brush";
  }
  // A press picks one of a screen's regions: at most the scene list's fourteen entries.
  if (!inRange(s.btn.PressedBtn, 0, kEvents) || !inRange(s.btn.SelectedBtn, 0, kEvents)) return "the button pressed";
  // A pan stays within the CG (no wider than kMaxSide) and a step beyond.
  if (!inRange(s.pan.PanX, -kMaxSide, kMaxSide) || !inRange(s.pan.PanY, -kMaxSide, kMaxSide)) return "the CG's pan";
  if (!inRange(s.scene.SceneNo, 0, kEvents)) return "the scene number";
  if (!inRange(s.scene.ScriptPos, 0, limits.scriptLines)) return "the script position";
  if (s.scene.CGNo > kCGs) return "the CG number";
  if (!inRange(s.record.CGSpeed, 0, 3)) return "the CG speed";  // 0 before the settings are read, then 1..3
  for (int i = 0; i <= kCGs; ++i)
    if (!inRange(s.record.CGSeen[i], 0, 2)) return "the CGs seen";
  const TAdv_Rec& a = s.train.Adv;
  if (toInt(a.TrainStep) != 0 && !isTrainStep(toInt(a.TrainStep))) return "the step of the day";
  if (!inRange(a.Day, 0, 1000000) || !inRange(a.Month, 0, 1000000) || a.WeekDay > 6) return "the day";
  if (a.Place >= kPlaces) return "the place";
  if (a.Half > 2 || a.Area > 2 || a.Partner > kCharacters) return "the training record";
  for (int32_t m : a.Met)
    if (!inRange(m, 0, 1)) return "the training record";
  // Values far beyond the game's 0..100 could overflow as the game adds to them.
  for (const TCharaStat& c : s.train.CharaStat)
    for (int32_t v : {c.Affection, c.RatingB, c.RatingC, c.Reserve})
      if (!inRange(v, -1000000, 1000000)) return "a character's values";
  for (int32_t v : s.train.Ability)
    if (!inRange(v, -1000000, 1000000)) return "an ability";
  if (s.train.Job > 4 || s.train.Grade > 4) return "the job";
  // An event's state is 0..3 or the arming kind of its row (up to job 4 + 5).
  int32_t highestState = 3;
  for (const TEvent_Rec& row : EventTable) highestState = std::max<int32_t>(highestState, row.Kind);
  for (int32_t v : s.events.EventState)
    if (!inRange(v, 0, highestState)) return "an event's state";
  return nullptr;
}

}  // namespace

std::vector<uint8_t> encodeState(const GameState& state) {
  std::vector<uint8_t> out;
  out.reserve(4 * (state.surfaces.ImageBa.pixels.size() + state.surfaces.BackBuffer.pixels.size()) / 3 +
              state.surfaces.ImageCG.pixels.size() + 4096);
  Writer w{out};
  visitState(w, state);
  return out;
}

Result<GameState> decodeState(std::span<const uint8_t> bytes, const StateLimits& limits) {
  GameState s;
  ByteReader in(bytes);
  Reader r{in};
  visitState(r, s);
  if (!in.ok()) return fail("the saved game is damaged (cut short or malformed)");
  if (in.remaining() != 0) return fail("the saved game is damaged (data after its end)");
  if (const char* bad = firstBadField(s, limits)) return fail(std::string("the saved game is damaged (") + bad + ")");
  return s;
}

}  // namespace shirakaba
