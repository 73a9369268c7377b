#include "comforts/rollback.h"

#include <algorithm>

#include "saves/compression.h"

namespace shirakaba {

namespace {
constexpr int kLevel = 1;  // the fastest: a point is taken at every click
constexpr uint64_t kLimit = 512ull << 20;
}  // namespace

Rollback::Point Rollback::take(const GameCore& core, const PageHistory* history) {
  const std::vector<uint8_t> state = GameCore::encodeSnapshot(core.snapshot());
  return Point{compressBytes(state, kLevel), state.size(), history ? *history : PageHistory()};
}

bool Rollback::put(GameCore& core, const Point& p) {
  auto state = decompressBytes(p.frame, p.size, kLimit);
  if (!state.ok()) return false;
  auto snapshot = core.decodeSnapshot(state.value());
  if (!snapshot.ok()) return false;
  core.restore(snapshot.value());
  return true;
}

void Rollback::record(const GameCore& core, const PageHistory& history) {
  future_.clear();
  past_.push_back(take(core, &history));
  while (past_.size() > keep_) past_.pop_front();
}

int Rollback::back(GameCore& core, int n, PageHistory* history) {
  if (n <= 0 || past_.empty()) return 0;
  const int steps = std::min<int>(n, static_cast<int>(past_.size()));
  future_.push_back(take(core, history));
  for (int i = 1; i < steps; ++i) {
    future_.push_back(std::move(past_.back()));
    past_.pop_back();
  }
  Point target = std::move(past_.back());
  past_.pop_back();
  put(core, target);
  if (history) *history = std::move(target.history);
  return steps;
}

bool Rollback::forward(GameCore& core, PageHistory* history) {
  if (future_.empty()) return false;
  past_.push_back(take(core, history));
  Point next = std::move(future_.back());
  future_.pop_back();
  if (!put(core, next)) return false;
  if (history) *history = std::move(next.history);
  return true;
}

void Rollback::clear() {
  past_.clear();
  future_.clear();
}

size_t Rollback::bytes() const {
  size_t n = 0;
  for (const Point& p : past_) n += p.frame.capacity();
  for (const Point& p : future_) n += p.frame.capacity();
  return n;
}

}  // namespace shirakaba
