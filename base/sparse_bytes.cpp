#include "base/sparse_bytes.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace shirakaba {

void SparseBytes::write(uint64_t at, const void* data, size_t n) {
  if (at >= size_ || n == 0) return;
  n = static_cast<size_t>(std::min<uint64_t>(n, size_ - at));
  uint64_t start = at, end = at + n;
  // The extents that overlap or touch [at, end) become one with the new bytes on top.
  auto first = extents_.upper_bound(at);
  if (first != extents_.begin() && std::prev(first)->first + std::prev(first)->second.size() >= at) --first;
  auto last = first;
  while (last != extents_.end() && last->first <= end) {
    start = std::min(start, last->first);
    end = std::max(end, last->first + last->second.size());
    ++last;
  }
  std::vector<uint8_t> merged(static_cast<size_t>(end - start));
  for (auto it = first; it != last; ++it)
    std::memcpy(merged.data() + (it->first - start), it->second.data(), it->second.size());
  std::memcpy(merged.data() + (at - start), data, n);
  extents_.erase(first, last);
  extents_.emplace(start, std::move(merged));
}

size_t SparseBytes::read(uint64_t at, void* dst, size_t n) const {
  if (at >= size_ || n == 0) return 0;
  n = static_cast<size_t>(std::min<uint64_t>(n, size_ - at));
  const uint64_t end = at + n;
  auto* out = static_cast<uint8_t*>(dst);
  std::memset(out, 0, n);
  auto it = extents_.upper_bound(at);
  if (it != extents_.begin()) --it;
  for (; it != extents_.end() && it->first < end; ++it) {
    const uint64_t from = std::max(at, it->first);
    const uint64_t to = std::min(end, it->first + it->second.size());
    if (from < to) std::memcpy(out + (from - at), it->second.data() + (from - it->first), static_cast<size_t>(to - from));
  }
  return n;
}

size_t SparseStream::read(void* dst, size_t n) {
  const size_t k = bytes_->read(pos_, dst, n);
  pos_ += k;
  return k;
}

bool SparseStream::seek(uint64_t p) {
  if (p > bytes_->size()) return false;
  pos_ = p;
  return true;
}

}  // namespace shirakaba
