// The monkey's own random stream: xorshift64*, the same sequence for a seed on every
// platform and library.
#pragma once
#include <cstdint>

namespace shirakaba::monkey {

class MonkeyRng {
 public:
  explicit MonkeyRng(uint64_t seed) {
    // splitmix64 spreads small seeds over the state and never leaves it zero.
    uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    state_ = (z ^ (z >> 31)) | 1;
  }
  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // Uniform in 0..bound-1 (bound > 0).
  int below(int bound) { return static_cast<int>((next() >> 33) % static_cast<uint64_t>(bound)); }
  // Uniform in lo..hi.
  int range(int lo, int hi) { return lo + below(hi - lo + 1); }
  // True with the chance per mille.
  bool chance(int perMille) { return below(1000) < perMille; }

 private:
  uint64_t state_;
};

}  // namespace shirakaba::monkey
