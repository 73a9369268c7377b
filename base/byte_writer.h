// Little-endian integers appended to a byte vector, for the file formats we write.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace shirakaba {

inline void put8(std::vector<uint8_t>& o, uint32_t v) { o.push_back(static_cast<uint8_t>(v)); }
inline void put16(std::vector<uint8_t>& o, uint32_t v) {
  o.push_back(static_cast<uint8_t>(v));
  o.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& o, uint32_t v) {
  put16(o, v & 0xFFFF);
  put16(o, v >> 16);
}
inline void put64(std::vector<uint8_t>& o, uint64_t v) {
  put32(o, static_cast<uint32_t>(v));
  put32(o, static_cast<uint32_t>(v >> 32));
}
inline void putBytes(std::vector<uint8_t>& o, const uint8_t* data, size_t n) { o.insert(o.end(), data, data + n); }
// A 32-bit length, then the bytes.
inline void putString(std::vector<uint8_t>& o, std::string_view s) {
  put32(o, static_cast<uint32_t>(s.size()));
  putBytes(o, reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

}  // namespace shirakaba
