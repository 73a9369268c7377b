#include "base/random.h"

#include <chrono>

namespace shirakaba {

RandomSource::RandomSource()
    : RandomSource(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

uint64_t RandomSource::next() {
  // xorshift64*: small, fast, the same sequence on every machine.
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return state_ * 0x2545F4914F6CDD1Dull;
}

int RandomSource::below(int bound) {
  if (forced_) {
    const int v = *forced_;
    forced_.reset();
    return v;
  }
  if (bound <= 0) return 0;
  return static_cast<int>((next() >> 11) % static_cast<uint64_t>(bound));
}

}  // namespace shirakaba
