// Little-endian integers read from bytes of outside data. Every read is checked
// against the end: past it the reader fails, gives zeros from then on and says so in
// ok(), so a decoder reads a whole record and checks once.
#pragma once
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace shirakaba {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : b_(bytes) {}

  bool ok() const { return ok_; }
  size_t remaining() const { return ok_ ? b_.size() - pos_ : 0; }
  size_t position() const { return pos_; }

  uint8_t u8() { return static_cast<uint8_t>(le(1)); }
  uint16_t u16() { return static_cast<uint16_t>(le(2)); }
  uint32_t u32() { return static_cast<uint32_t>(le(4)); }
  uint64_t u64() { return le(8); }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  int64_t i64() { return static_cast<int64_t>(u64()); }

  // The next n bytes, or an empty span (and failure) when fewer remain.
  std::span<const uint8_t> take(size_t n) {
    if (!ok_ || n > b_.size() - pos_) {
      ok_ = false;
      return {};
    }
    auto s = b_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  // A 32-bit length, then that many bytes; fails when the length exceeds `limit`.
  std::string string(size_t limit) {
    const uint32_t n = u32();
    if (n > limit) {
      ok_ = false;
      return {};
    }
    auto s = take(n);
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
  }
  // Marks the data as malformed (a value outside its range).
  void reject() { ok_ = false; }

 private:
  uint64_t le(size_t n) {
    auto s = take(n);
    uint64_t v = 0;
    for (size_t i = 0; i < s.size(); ++i) v |= static_cast<uint64_t>(s[i]) << (8 * i);
    return v;
  }
  std::span<const uint8_t> b_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace shirakaba
