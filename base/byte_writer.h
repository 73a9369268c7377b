// Little-endian integers appended to a byte vector, for the file formats we write.
#pragma once
#include <cstdint>
#include <vector>

namespace shirakaba {

inline void put16(std::vector<uint8_t>& o, uint32_t v) {
  o.push_back(static_cast<uint8_t>(v));
  o.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& o, uint32_t v) {
  put16(o, v & 0xFFFF);
  put16(o, v >> 16);
}

}  // namespace shirakaba
