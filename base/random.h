// The game's random draws: forced values for replays, a fixed seed, or the clock.
// A plain value: copying it copies the sequence still to come.
#pragma once
#include <cstdint>
#include <optional>

namespace shirakaba {

class RandomSource {
 public:
  // Seeded from the clock.
  RandomSource();
  explicit RandomSource(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  void seed(uint64_t s) { state_ = s ? s : 0x9E3779B97F4A7C15ull; }
  // The next draw gives v (replaces an earlier forced value not yet drawn).
  void force(int v) { forced_ = v; }
  // Uniform integer in 0..bound-1.
  int below(int bound);

  // The generator's inner state and the forced draw still to come, for save files.
  uint64_t rawState() const { return state_; }
  std::optional<int> pendingForced() const { return forced_; }
  void setRaw(uint64_t state, std::optional<int> forced) {
    state_ = state;
    forced_ = forced;
  }

  bool operator==(const RandomSource&) const = default;

 private:
  uint64_t next();
  uint64_t state_;
  std::optional<int> forced_;
};

}  // namespace shirakaba
