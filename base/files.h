// The program's whole use of the file system. Each platform implements it in one
// file (base/files_posix.cpp); nothing else touches files directly, so another
// platform adds its own implementation file and nothing more.
//
// Every reader takes a size limit fitting what it reads and reads only regular files
// (a link to one is fine), without ever waiting: a FIFO or a device is refused.
// Every writer replaces a file whole or not at all.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/stream.h"

namespace shirakaba {

// A regular file (or a link to one) is at path.
bool fileExists(const std::string& path);
// Anything is at path: a file, a folder, a FIFO, a link (even one to nothing).
bool anythingAt(const std::string& path);

// What tells one version of a file from another: a file replaced (even by a rename)
// or rewritten in place compares unequal.
struct FileVersion {
  uint64_t device = 0, inode = 0, size = 0;
  int64_t modifiedNs = 0;
  bool operator==(const FileVersion&) const = default;
};
// The version of the regular file (or link to one) at path; nothing when there is none.
std::optional<FileVersion> fileVersion(const std::string& path);

// The whole file, or an Error "cannot read PATH: REASON". Only a file of at most
// maxBytes is read: its size is checked before anything is allocated, and `what`
// names the kind of file in the refusal ("it is 20 MiB, more than the 8 MiB a
// record of pages read can be").
Result<std::vector<uint8_t>> readFile(const std::string& path, uint64_t maxBytes,
                                      std::string_view what = "such a file");
// The file as a stream, read as it is needed, with the same checks as readFile.
Result<std::unique_ptr<Stream>> openFile(const std::string& path, uint64_t maxBytes,
                                         std::string_view what = "such a file");

// Replaces the file with data, or returns an Error "cannot write PATH: REASON". The
// bytes go to a temporary file in the same folder that is flushed to the disk and
// then renamed over the target (and the folder flushed too), so a failed or
// interrupted write leaves the old file (or none) and never a part of the new one.
// Through a link, the regular file it names is replaced and the link kept; a link
// to anything else or to nothing, and anything but a regular file, is refused and
// left as it is. Temporary files that killed writers left in the folder are removed.
Result<void> writeFile(const std::string& path, const std::vector<uint8_t>& data);

// The names in the folder (without "." and ".."), sorted.
Result<std::vector<std::string>> listFolder(const std::string& path);
// Makes the folder and any missing folders above it; an Error "cannot make the
// folder PATH: REASON".
Result<void> makeFolders(const std::string& path);
// Removes the file (a file that is not there is no error); an Error "cannot delete
// PATH: REASON".
Result<void> removeFile(const std::string& path);

// "512 bytes", "3 KiB", "64 MiB": whole units, rounded up.
std::string sizeInWords(uint64_t bytes);
// Why `size` bytes are too many: "SUBJECT is 20 MiB, more than the 8 MiB WHAT can be".
std::string tooLarge(std::string_view subject, uint64_t size, uint64_t maxBytes, std::string_view what);

}  // namespace shirakaba
