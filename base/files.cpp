// What every platform's files share: how sizes are told.
#include "base/files.h"

namespace shirakaba {

std::string sizeInWords(uint64_t bytes) {
  constexpr uint64_t kKiB = 1024, kMiB = 1024 * kKiB;
  if (bytes < kKiB) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  if (bytes < kMiB) return std::to_string((bytes + kKiB - 1) / kKiB) + " KiB";
  return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
}

std::string tooLarge(std::string_view subject, uint64_t size, uint64_t maxBytes, std::string_view what) {
  std::string is = sizeInWords(size), limit = sizeInWords(maxBytes);
  if (is == limit) {  // rounded to the same words: say it exactly
    is = std::to_string(size) + " bytes";
    limit = std::to_string(maxBytes) + " bytes";
  }
  return std::string(subject) + " is " + is + ", more than the " + limit + " " + std::string(what) + " can be";
}

}  // namespace shirakaba
