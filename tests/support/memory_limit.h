// Lets the process take only `headroom` more bytes of address space while it lives,
// so that code which would allocate a file's claimed size fails at once with
// std::bad_alloc instead of filling the machine's memory. Sanitizers reserve
// terabytes of address space, so under them the limit cannot be set (check active()).
#pragma once
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace shirakaba::test {

class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(rlim_t headroom) {
#ifndef SHIRAKABA_SANITIZED
    getrlimit(RLIMIT_AS, &old_);
    rlimit limit = old_;
    limit.rlim_cur = inUse() + headroom;
    active_ = inUse() > 0 && setrlimit(RLIMIT_AS, &limit) == 0;
#else
    (void)headroom;
#endif
  }
  ~AddressSpaceLimit() {
    if (active_) setrlimit(RLIMIT_AS, &old_);
  }
  AddressSpaceLimit(const AddressSpaceLimit&) = delete;
  AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;
  bool active() const { return active_; }

 private:
  // The address space the process holds now, from /proc/self/statm (in pages).
  static rlim_t inUse() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    unsigned long pages = 0;
    const int n = std::fscanf(f, "%lu", &pages);
    std::fclose(f);
    return n == 1 ? static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) : 0;
  }

  rlimit old_{};
  bool active_ = false;
};

}  // namespace shirakaba::test
