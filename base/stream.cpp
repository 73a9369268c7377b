#include "base/stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
  // A folder opens too, and claims a size of 2^63 bytes.
  struct stat st;
  if (::fstat(fileno(f_), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f_);
    f_ = nullptr;
    return;
  }
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

namespace {

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

std::string reason(int error) { return std::strerror(error); }

// 0, or the error number of the failure.
int writeAll(int fd, const std::vector<uint8_t>& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// A name for the temporary file, unique among the writes of all processes.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.parent_path() /
         (".shirakaba-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

}  // namespace

std::string sizeInWords(uint64_t bytes) {
  constexpr uint64_t kKiB = 1024, kMiB = 1024 * kKiB;
  if (bytes < kKiB) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  if (bytes < kMiB) return std::to_string((bytes + kKiB - 1) / kKiB) + " KiB";
  return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
}

namespace {

std::string whatItIs(mode_t mode) {
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

std::string tooLarge(uint64_t size, uint64_t maxBytes, std::string_view what) {
  std::string is = sizeInWords(size), limit = sizeInWords(maxBytes);
  if (is == limit) {  // rounded to the same words: say it exactly
    is = std::to_string(size) + " bytes";
    limit = std::to_string(maxBytes) + " bytes";
  }
  return "it is " + is + ", more than the " + limit + " " + std::string(what) + " can be";
}

}  // namespace

Result<std::vector<uint8_t>> readFile(const std::string& path, uint64_t maxBytes, std::string_view what) {
  const auto failure = [&](const std::string& why) { return fail("cannot read " + path + ": " + why); };
  // Looked at before it is opened: opening a device may already do something.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return failure(reason(errno));
  if (S_ISDIR(st.st_mode)) return failure(reason(EISDIR));
  if (!S_ISREG(st.st_mode)) return failure("it is " + whatItIs(st.st_mode) + ", not a regular file");
  // Without blocking, in case it was replaced by a FIFO since.
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) return failure(reason(errno));
  if (::fstat(file.fd, &st) != 0) return failure(reason(errno));
  if (!S_ISREG(st.st_mode)) return failure("it is not a regular file");
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > maxBytes) return failure(tooLarge(size, maxBytes, what));
  std::vector<uint8_t> data(static_cast<size_t>(size));
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::read(file.fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failure(reason(errno));
    if (n == 0) return failure("the file was cut short while it was read");
    done += static_cast<size_t>(n);
  }
  return data;
}

Result<void> writeFile(const std::string& path, const std::vector<uint8_t>& data) {
  namespace fs = std::filesystem;
  const auto failure = [&](int error) { return fail("cannot write " + path + ": " + reason(error)); };
  // Through a link the file it names is replaced and the link kept, as a plain write would.
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec))
    if (fs::path resolved = fs::canonical(target, ec); !ec) target = resolved;

  const fs::path temporary = temporaryBeside(target);
  Descriptor file{::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
  if (file.fd < 0) return failure(errno);
  struct stat old;
  // A replaced file keeps its permissions.
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) (void)::fchmod(file.fd, old.st_mode & 07777);
  int error = writeAll(file.fd, data);
  if (error == 0 && ::fsync(file.fd) != 0) error = errno;
  const int fd = file.fd;
  file.fd = -1;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return failure(error);
  }
  return {};
}

}  // namespace shirakaba
