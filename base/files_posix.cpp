// The file system on POSIX systems (Linux, the BSDs, macOS) and under node in the
// WebAssembly build, whose C library passes these calls to node's fs module.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "base/files.h"

namespace shirakaba {

namespace {

// Closes a file descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
  Descriptor& operator=(Descriptor&&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::string reason(int error) { return std::strerror(error); }

std::string whatItIs(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

// ---- Reading ----

struct OpenedFile {
  Descriptor file;
  uint64_t size = 0;
};

// The regular file at path opened for reading, when it holds at most maxBytes.
Result<OpenedFile> openRegular(const std::string& path, uint64_t maxBytes, std::string_view what) {
  const auto failure = [&](const std::string& why) { return fail("cannot read " + path + ": " + why); };
  // Looked at before it is opened: opening a device may already do something.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return failure(reason(errno));
  if (S_ISDIR(st.st_mode)) return failure(reason(EISDIR));
  if (!S_ISREG(st.st_mode)) return failure("it is " + whatItIs(st.st_mode) + ", not a regular file");
  // Without blocking, in case it was replaced by a FIFO since.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return failure(reason(errno));
  if (::fstat(file.get(), &st) != 0) return failure(reason(errno));
  if (!S_ISREG(st.st_mode)) return failure("it is " + whatItIs(st.st_mode) + ", not a regular file");
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > maxBytes) return failure(tooLarge("it", size, maxBytes, what));
  return OpenedFile{std::move(file), size};
}

// Read with pread at a position of its own, so that a seek costs no call; small reads
// (a picture's headers and palette) come from a buffer filled in one call, large ones
// (its rows) go straight where they are wanted. Under node every call into the file
// system costs microseconds, and a game reads thousands of pictures.
class FileStream final : public Stream {
 public:
  FileStream(Descriptor file, uint64_t size) : file_(std::move(file)), size_(size) {}
  size_t read(void* dst, size_t n) override {
    auto* out = static_cast<uint8_t*>(dst);
    size_t done = 0;
    while (done < n) {
      if (pos_ >= bufferAt_ && pos_ < bufferAt_ + buffered_) {
        const size_t k = std::min<uint64_t>(n - done, bufferAt_ + buffered_ - pos_);
        std::memcpy(out + done, buffer_ + (pos_ - bufferAt_), k);
        done += k, pos_ += k;
        continue;
      }
      const bool direct = n - done >= sizeof buffer_;
      const ssize_t k = readAt(direct ? out + done : buffer_, direct ? n - done : sizeof buffer_);
      if (k <= 0) break;  // the end of the file, or an error: fewer bytes than asked
      if (direct) {
        done += static_cast<size_t>(k), pos_ += static_cast<uint64_t>(k);
      } else {
        bufferAt_ = pos_, buffered_ = static_cast<size_t>(k);
      }
    }
    return done;
  }
  bool seek(uint64_t p) override {
    if (p > size_) return false;
    pos_ = p;
    return true;
  }
  uint64_t position() const override { return pos_; }
  uint64_t size() const override { return size_; }

 private:
  ssize_t readAt(uint8_t* to, size_t n) {
    ssize_t k;
    do k = ::pread(file_.get(), to, n, static_cast<off_t>(pos_));
    while (k < 0 && errno == EINTR);
    return k;
  }

  Descriptor file_;
  uint64_t size_;
  uint64_t pos_ = 0;
  uint8_t buffer_[4096];
  uint64_t bufferAt_ = 0;  // the file's bytes [bufferAt_, bufferAt_ + buffered_) are in buffer_
  size_t buffered_ = 0;
};

// ---- Writing ----

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

// Where a write lands: the folder, opened, and the name in it of the regular file to
// replace (which may not be there yet). Working inside the opened folder keeps the
// temporary file's name short however long the path is.
struct Destination {
  Descriptor folder;
  std::string name;
};

Result<Destination> destinationOf(const std::string& path) {
  std::string target = path;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) {
      // Through a link the file it names is replaced and the link kept, as a plain write would.
      char resolved[PATH_MAX];
      if (!::realpath(path.c_str(), resolved))
        return fail(errno == ENOENT ? "it is a link to nothing" : reason(errno));
      if (::stat(resolved, &st) != 0) return fail(reason(errno));
      if (!S_ISREG(st.st_mode)) return fail("it is a link to " + whatItIs(st.st_mode) + ", not to a regular file");
      target = resolved;
    } else if (S_ISDIR(st.st_mode)) {
      return fail(reason(EISDIR));
    } else if (!S_ISREG(st.st_mode)) {
      return fail("it is " + whatItIs(st.st_mode) + ", not a regular file");
    }
  } else if (errno != ENOENT) {
    return fail(reason(errno));
  }
  const size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.empty()) return fail(reason(EISDIR));
  Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return fail(reason(errno));
  return Destination{std::move(dir), std::move(name)};
}

constexpr std::string_view kTemporaryPrefix = ".shirakaba-", kTemporarySuffix = ".tmp";

// ".shirakaba-PID-RANDOM.tmp": the random part keeps two writers (or a writer and
// what a killed one left) apart even when their process ids are the same.
std::string temporaryName() {
  static std::atomic<uint64_t> counter{0};
  uint64_t random = 0;
  if (::getentropy(&random, sizeof random) != 0)
    random = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  random ^= counter++ * 0x9E3779B97F4A7C15ull;
  char name[64];
  std::snprintf(name, sizeof name, "%s%ld-%016llx%s", kTemporaryPrefix.data(), static_cast<long>(::getpid()),
                static_cast<unsigned long long>(random), kTemporarySuffix.data());
  return name;
}

// The process id in a name of our temporary files, or 0 for any other name.
pid_t writerOf(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return 0;
  name = name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
  const size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == name.size()) return 0;
  const std::string_view id = name.substr(0, dash), rest = name.substr(dash + 1);
  if (id.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  if (rest.find_first_not_of("0123456789abcdef") != std::string_view::npos) return 0;
  return static_cast<pid_t>(std::stol(std::string(id)));
}

// A temporary file of ours that no write will finish: one whose writer no longer runs
// (killed, or the machine went down), or one too old for any write to be under way.
bool isStaleTemporary(std::string_view name, const struct stat& st) {
  const pid_t writer = writerOf(name);
  if (writer <= 0 || !S_ISREG(st.st_mode)) return false;
  const time_t age = std::time(nullptr) - st.st_mtime;
  if (age > 60 * 60) return true;
  // A minute's grace: a writer elsewhere (another machine on a shared folder) may have
  // an id this machine does not run.
  return writer != ::getpid() && age > 60 && ::kill(writer, 0) != 0 && errno == ESRCH;
}

void removeStaleTemporaries(int folder) {
  DIR* dir = ::fdopendir(::dup(folder));
  if (!dir) return;
  ::rewinddir(dir);
  while (const dirent* entry = ::readdir(dir)) {
    struct stat st;
    if (writerOf(entry->d_name) > 0 && ::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        isStaleTemporary(entry->d_name, st))
      (void)::unlinkat(folder, entry->d_name, 0);
  }
  ::closedir(dir);
}

// A new temporary file in the folder, its name in `name`; -1 with errno on failure.
int createTemporary(int folder, std::string& name) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    name = temporaryName();
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// 0, or the error number of the failure; the temporary file is gone either way.
int replaceWith(const Destination& to, const std::vector<uint8_t>& data) {
  const int folder = to.folder.get();
  std::string temporary;
  Descriptor file(createTemporary(folder, temporary));
  if (file.get() < 0) return errno;
  struct stat old;
  // A replaced file keeps its permissions.
  if (::fstatat(folder, to.name.c_str(), &old, 0) == 0 && S_ISREG(old.st_mode))
    (void)::fchmod(file.get(), old.st_mode & 07777);
  int error = writeAll(file.get(), data);
  if (error == 0 && ::fsync(file.get()) != 0) error = errno;
  if (::close(file.release()) != 0 && error == 0) error = errno;
  if (error == 0 && ::renameat(folder, temporary.c_str(), folder, to.name.c_str()) != 0) error = errno;
  if (error != 0) {
    (void)::unlinkat(folder, temporary.c_str(), 0);
    return error;
  }
  // The new name must reach the disk too, or a power cut may bring the old file back.
  if (::fsync(folder) != 0 && errno != EINVAL && errno != ENOTSUP) return errno;
  return 0;
}

}  // namespace

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<FileVersion> fileVersion(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileVersion{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                     static_cast<uint64_t>(st.st_size),
                     static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool anythingAt(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

Result<std::vector<uint8_t>> readFile(const std::string& path, uint64_t maxBytes, std::string_view what) {
  Result<OpenedFile> opened = openRegular(path, maxBytes, what);
  if (!opened) return fail(opened.error());
  const int fd = opened->file.get();
  std::vector<uint8_t> data(static_cast<size_t>(opened->size));
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail("cannot read " + path + ": " + reason(errno));
    if (n == 0) return fail("cannot read " + path + ": the file was cut short while it was read");
    done += static_cast<size_t>(n);
  }
  return data;
}

Result<std::unique_ptr<Stream>> openFile(const std::string& path, uint64_t maxBytes, std::string_view what) {
  Result<OpenedFile> opened = openRegular(path, maxBytes, what);
  if (!opened) return fail(opened.error());
  return std::unique_ptr<Stream>(std::make_unique<FileStream>(std::move(opened->file), opened->size));
}

Result<void> writeFile(const std::string& path, const std::vector<uint8_t>& data) {
  const Result<Destination> to = destinationOf(path);
  if (!to) return fail("cannot write " + path + ": " + to.error());
  // First, as they may be what fills the disk.
  removeStaleTemporaries(to->folder.get());
  if (const int error = replaceWith(to.value(), data); error != 0) return fail("cannot write " + path + ": " + reason(error));
  return {};
}

Result<std::vector<std::string>> listFolder(const std::string& path) {
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return fail("cannot list the folder " + path + ": " + reason(errno));
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

Result<void> makeFolders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec) return fail("cannot make the folder " + path + ": " + ec.message());
  return {};
}

Result<void> removeFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return fail("cannot delete " + path + ": " + reason(errno));
  return {};
}

}  // namespace shirakaba
