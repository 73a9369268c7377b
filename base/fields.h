// How the records of a save are described: each field once, with its name, the values
// the game can give it and the save format it first appears in. A record's fields
// are listed in one function that any visitor walks (the state's: state_fields.h);
// writing, reading, checking and the state dump are visitors of that one list, so
// they cannot disagree, and a field is added in one place.
//
// A field added later says `since(N, older)`: a save of an earlier format has no bytes
// for it and gets `older` (numbers) or the field's default (other kinds) instead.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "base/save_limits.h"

namespace shirakaba {

struct ValueRange {
  int64_t lo, hi;
};

struct Field {
  const char* key;                    // its name in the state dump and in a refusal
  std::array<ValueRange, 4> ranges{};  // numbers: the values allowed; counts: how many
  int rangeCount = 0;                 // 0: any value of its type
  uint32_t sinceVersion = 1;          // the save format it first appears in
  int64_t older = 0;
  bool shown = true;                  // in the state dump
  size_t firstUsed = 0;               // arrays: entries below it are never used and stay 0
  int width = 0, height = 0;          // pictures: their size; 0: any up to kMaxPictureSide
  bool mayBeEmpty = false;            // pictures: or none at all

  constexpr explicit Field(const char* k) : key(k) {}
  // Adds a range of values allowed (several make a set: 0..20 and 100..102).
  constexpr Field within(int64_t lo, int64_t hi) const {
    Field f = *this;
    f.ranges[f.rangeCount++] = {lo, hi};
    return f;
  }
  constexpr Field only(int64_t v) const { return within(v, v); }
  constexpr Field since(uint32_t version, int64_t olderValue = 0) const {
    Field f = *this;
    f.sinceVersion = version;
    f.older = olderValue;
    return f;
  }
  constexpr Field hidden() const {
    Field f = *this;
    f.shown = false;
    return f;
  }
  constexpr Field usedFrom(size_t first) const {
    Field f = *this;
    f.firstUsed = first;
    return f;
  }
  constexpr Field sized(int w, int h) const {
    Field f = *this;
    f.width = w;
    f.height = h;
    return f;
  }
  constexpr Field orEmpty() const {
    Field f = *this;
    f.mayBeEmpty = true;
    return f;
  }
  constexpr bool allows(int64_t v) const {
    if (rangeCount == 0) return true;
    for (int i = 0; i < rangeCount; ++i)
      if (v >= ranges[i].lo && v <= ranges[i].hi) return true;
    return false;
  }
  constexpr int64_t highest() const {
    int64_t h = ranges[0].hi;
    for (int i = 1; i < rangeCount; ++i) h = ranges[i].hi > h ? ranges[i].hi : h;
    return h;
  }
};

// Names for the entries of arrays: "0", "1", ...
const char* indexKey(size_t i);

// What every visitor of a description shares: the path of groups down to a field, the
// entries of arrays, and the fields a save of an older format lacks. `Derived` defines
// visit(field, value) for each kind of value, and absent(field, value).
template <typename Derived>
class FieldVisitor {
 public:
  explicit FieldVisitor(uint32_t version = kSaveFormatVersion) : version_(version) {}
  uint32_t version() const { return version_; }

  // Fields under a common name ("timers", "Cha_Timer"). An unused group (an entry of an
  // array that the game never uses) holds only zeros and is not shown.
  template <typename Body>
  void group(const char* key, Body&& body, bool used = true) {
    path_.push_back(key);
    unused_ += used ? 0 : 1;
    body();
    unused_ -= used ? 0 : 1;
    path_.pop_back();
  }

  template <typename T, size_t N>
  void operator()(const Field& f, T (&entries)[N]) {
    group(f.key, [&] {
      for (size_t i = 0; i < N; ++i) {
        Field entry = f;
        entry.key = indexKey(i);
        const int unused = i < f.firstUsed ? 1 : 0;
        unused_ += unused;
        (*this)(entry, entries[i]);
        unused_ -= unused;
      }
    });
  }

  template <typename T>
  void operator()(const Field& f, T& value) {
    const Field used = unused_ > 0 ? Field(f.key).only(0).hidden().since(f.sinceVersion, f.older) : f;
    if (used.sinceVersion > version_) return self().absent(used, value);
    self().visit(used, value);
  }

  // "timers.Cha_Timer.interval"
  std::string pathOf(const char* key) const {
    std::string p;
    for (const char* k : path_) p.append(k).push_back('.');
    return p + key;
  }

  // What a save of an older format gets for a field it lacks: its default.
  template <typename T>
  void absent(const Field&, T&) {}

 protected:
  Derived& self() { return static_cast<Derived&>(*this); }

  std::vector<const char*> path_;
  int unused_ = 0;
  uint32_t version_;
};

// Numbers as the checks and the dump see them.
template <typename T>
constexpr int64_t asNumber(T v) {
  if constexpr (std::is_enum_v<T>) return static_cast<int64_t>(static_cast<std::underlying_type_t<T>>(v));
  else return static_cast<int64_t>(v);
}

template <typename T>
constexpr bool kIsNumber = std::is_integral_v<T> || std::is_enum_v<T>;

}  // namespace shirakaba
