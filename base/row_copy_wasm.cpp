// Short rows by 128-bit vectors within the program, long ones by memory.copy.
#include <wasm_simd128.h>

#include <cstdint>

#include "base/row_copy.h"

namespace shirakaba {

void copyRow(void* to, const void* from, size_t bytes) {
  auto* d = static_cast<uint8_t*>(to);
  const auto* s = static_cast<const uint8_t*>(from);
  if (bytes >= 512) {  // from here on the call out costs less than the copy
    __builtin_memcpy(d, s, bytes);
    return;
  }
  if (bytes < 16) {
    for (size_t i = 0; i < bytes; ++i) d[i] = s[i];
    return;
  }
  for (size_t i = 0; i + 16 < bytes; i += 16) wasm_v128_store(d + i, wasm_v128_load(s + i));
  wasm_v128_store(d + bytes - 16, wasm_v128_load(s + bytes - 16));  // the last 16, overlapping
}

}  // namespace shirakaba
