// Byte streams the pictures are decoded from: a file opened read-only, or memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

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

class FileStream final : public Stream {
 public:
  // Opens the file read-only; ok() tells whether that worked.
  explicit FileStream(const std::string& path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  bool ok() const { return f_ != nullptr; }
  size_t read(void* dst, size_t n) override;
  bool seek(uint64_t p) override;
  uint64_t position() const override { return pos_; }
  uint64_t size() const override { return size_; }

 private:
  std::FILE* f_ = nullptr;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
};

bool fileExists(const std::string& path);
// The whole file, or an Error "cannot read PATH: REASON". Only a regular file (or a
// link to one) is read, and only when it holds at most maxBytes: the size is checked
// before anything is allocated, and `what` names the kind of file in the refusal
// ("... more than the 8 MiB a record of pages read can be"). Never blocks: a FIFO or
// a device is refused without waiting for a writer.
Result<std::vector<uint8_t>> readFile(const std::string& path, uint64_t maxBytes,
                                      std::string_view what = "such a file");
// "512 bytes", "3 KiB", "64 MiB": whole units, rounded up.
std::string sizeInWords(uint64_t bytes);
// Replaces the file with data, or returns an Error "cannot write PATH: REASON". The
// bytes go to a temporary file in the same folder that is flushed to the disk and
// then renamed over the target, so a failed or interrupted write leaves the old file
// (or none) and never a part of the new one.
Result<void> writeFile(const std::string& path, const std::vector<uint8_t>& data);

}  // namespace shirakaba
