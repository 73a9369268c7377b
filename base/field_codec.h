// Described fields as bytes and back: integers little-endian in the width of their
// type (enumerations in 32 bits), texts and lists with a 32-bit count before them.
// The reader only takes the bytes apart and refuses what it cannot store (a count or
// a size past its limit); whether the values are ones the game can give is the
// checker's business (field_check.h).
#pragma once
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/random.h"
#include "base/fields.h"

namespace shirakaba {

class FieldWriter : public FieldVisitor<FieldWriter> {
 public:
  // Writes the fields that exist in `version`: an older format, for tests and seeds.
  explicit FieldWriter(std::vector<uint8_t>& out, uint32_t version = kSaveFormatVersion)
      : FieldVisitor(version), out_(out) {}

  template <typename T>
    requires kIsNumber<T>
  void visit(const Field&, T v) {
    if constexpr (std::is_enum_v<T>) put32(out_, static_cast<uint32_t>(asNumber(v)));
    else if constexpr (sizeof(T) == 1) put8(out_, static_cast<uint8_t>(v));
    else if constexpr (sizeof(T) == 8) put64(out_, static_cast<uint64_t>(v));
    else put32(out_, static_cast<uint32_t>(asNumber(v)));
  }
  void visit(const Field&, const std::string& text);
  void visit(const Field&, const std::vector<std::string>& lines);
  void visit(const Field&, const std::optional<std::string>& text);
  void visit(const Field&, const Bitmap& picture);
  void visit(const Field&, const RandomSource& random);

  template <typename T, typename Each>
  void records(const Field& f, const std::vector<T>& items, Each&& each) {
    if (f.sinceVersion > version_) return;
    put32(out_, static_cast<uint32_t>(items.size()));
    group(f.key, [&] {
      for (size_t i = 0; i < items.size(); ++i) group(indexKey(i), [&] { each(items[i]); });
    });
  }

 private:
  std::vector<uint8_t>& out_;
};

class FieldReader : public FieldVisitor<FieldReader> {
 public:
  // Reads what a save of format `version` holds.
  FieldReader(ByteReader& in, uint32_t version) : FieldVisitor(version), in_(in) {}
  // Where the bytes stopped making sense ("Page.3"), or empty.
  const std::string& failedAt() const { return failedAt_; }

  template <typename T>
    requires kIsNumber<T>
  void visit(const Field& f, T& v) {
    if constexpr (std::is_same_v<T, bool>) {
      const uint8_t b = in_.u8();
      if (b > 1) reject(f);
      v = b == 1;
    } else if constexpr (std::is_enum_v<T>) {
      using U = std::underlying_type_t<T>;
      const int64_t raw = in_.i32();
      if (raw < std::numeric_limits<U>::min() || raw > std::numeric_limits<U>::max()) reject(f);
      v = static_cast<T>(static_cast<U>(raw));
    } else if constexpr (sizeof(T) == 1) {
      v = static_cast<T>(in_.u8());
    } else if constexpr (sizeof(T) == 8) {
      v = static_cast<T>(in_.u64());
    } else {
      v = static_cast<T>(in_.u32());
    }
    if (!in_.ok()) reject(f);
  }
  void visit(const Field& f, std::string& text);
  void visit(const Field& f, std::vector<std::string>& lines);
  void visit(const Field& f, std::optional<std::string>& text);
  void visit(const Field& f, Bitmap& picture);
  void visit(const Field& f, RandomSource& random);

  template <typename T>
    requires kIsNumber<T>
  void absent(const Field& f, T& v) {
    v = static_cast<T>(f.older);
  }
  template <typename T>
  void absent(const Field&, T&) {}

  template <typename T, typename Each>
  void records(const Field& f, std::vector<T>& items, Each&& each) {
    if (f.sinceVersion > version_) return;
    const uint32_t n = in_.u32();
    // Each record takes at least a byte: a count past what is left is damage.
    if (!in_.ok() || n > static_cast<uint64_t>(f.highest()) || n > in_.remaining()) return reject(f);
    items.assign(n, T{});
    group(f.key, [&] {
      for (size_t i = 0; i < items.size() && in_.ok(); ++i) group(indexKey(i), [&] { each(items[i]); });
    });
  }

 private:
  void reject(const Field& f);
  ByteReader& in_;
  std::string failedAt_;
};

}  // namespace shirakaba
