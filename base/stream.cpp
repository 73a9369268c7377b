#include "base/stream.h"

#include <algorithm>
#include <cstring>

namespace shirakaba {

size_t MemoryStream::read(void* dst, size_t n) {
  if (pos_ >= size_) return 0;
  const size_t k = static_cast<size_t>(std::min<uint64_t>(n, size_ - pos_));
  std::memcpy(dst, data_ + pos_, k);
  pos_ += k;
  return k;
}

bool MemoryStream::seek(uint64_t p) {
  if (p > size_) return false;
  pos_ = p;
  return true;
}

}  // namespace shirakaba
