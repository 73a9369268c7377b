// Byte streams the pictures are decoded from: memory here, a file in base/files.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace shirakaba {

class Stream {
 public:
  virtual ~Stream() = default;
  // Reads up to n bytes; returns how many were read (fewer at the end).
  virtual size_t read(void* dst, size_t n) = 0;
  virtual bool seek(uint64_t position) = 0;
  virtual uint64_t position() const = 0;
  virtual uint64_t size() const = 0;
  uint64_t remaining() const { return size() > position() ? size() - position() : 0; }
  bool readExact(void* dst, size_t n) { return read(dst, n) == n; }
};

class MemoryStream final : public Stream {
 public:
  MemoryStream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit MemoryStream(const std::vector<uint8_t>& v) : data_(v.data()), size_(v.size()) {}
  size_t read(void* dst, size_t n) override;
  bool seek(uint64_t p) override;
  uint64_t position() const override { return pos_; }
  uint64_t size() const override { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  uint64_t pos_ = 0;
};

}  // namespace shirakaba
