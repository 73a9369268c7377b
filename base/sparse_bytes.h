// The bytes of a file held in memory the way a sparse file holds them: pieces at
// offsets within a size of its own. What no piece covers reads as zero and nothing
// lies past the size, so a 51 MB pack of small pictures takes only their bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "base/stream.h"

namespace shirakaba {

class SparseBytes {
 public:
  explicit SparseBytes(uint64_t size = 0) : size_(size) {}
  uint64_t size() const { return size_; }
  // Writes n bytes at `at` over whatever lies there; what falls past the size is
  // dropped, as a file cut at that size would drop it.
  void write(uint64_t at, const void* data, size_t n);
  void write(uint64_t at, const std::vector<uint8_t>& bytes) { write(at, bytes.data(), bytes.size()); }
  // Copies up to n bytes from `at` into dst: fewer at the end, none from the end on.
  size_t read(uint64_t at, void* dst, size_t n) const;

 private:
  uint64_t size_;
  std::map<uint64_t, std::vector<uint8_t>> extents_;  // by first byte; never touching each other
};

// A stream over shared, unchanging sparse bytes; it keeps them alive while it reads.
class SparseStream final : public Stream {
 public:
  explicit SparseStream(std::shared_ptr<const SparseBytes> bytes) : bytes_(std::move(bytes)) {}
  size_t read(void* dst, size_t n) override;
  bool seek(uint64_t p) override;
  uint64_t position() const override { return pos_; }
  uint64_t size() const override { return bytes_->size(); }

 private:
  std::shared_ptr<const SparseBytes> bytes_;
  uint64_t pos_ = 0;
};

}  // namespace shirakaba
