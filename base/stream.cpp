#include "base/stream.h"

#include <sys/stat.h>

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

FileStream::FileStream(const std::string& path) {
  f_ = std::fopen(path.c_str(), "rb");
  if (!f_) return;
  if (std::fseek(f_, 0, SEEK_END) == 0) {
    const long s = std::ftell(f_);
    size_ = s > 0 ? static_cast<uint64_t>(s) : 0;
  }
  std::fseek(f_, 0, SEEK_SET);
}

FileStream::~FileStream() {
  if (f_) std::fclose(f_);
}

size_t FileStream::read(void* dst, size_t n) {
  if (!f_ || n == 0) return 0;
  const size_t k = std::fread(dst, 1, n, f_);
  pos_ += k;
  return k;
}

bool FileStream::seek(uint64_t p) {
  if (!f_ || p > size_) return false;
  if (std::fseek(f_, static_cast<long>(p), SEEK_SET) != 0) return false;
  pos_ = p;
  return true;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readFile(const std::string& path, std::vector<uint8_t>& out) {
  FileStream s(path);
  if (!s.ok()) return false;
  out.resize(static_cast<size_t>(s.size()));
  return s.readExact(out.data(), out.size());
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace shirakaba
