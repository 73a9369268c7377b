// The rollback history: the game as it was just before each of the player's last
// actions, kept compressed, so that the player can go back and forth through them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "comforts/page_history.h"
#include "game/core.h"

namespace shirakaba {

class Rollback {
 public:
  static constexpr size_t kDefaultPoints = 200;
  explicit Rollback(size_t keep = kDefaultPoints) : keep_(keep) {}

  // The game is about to act on a player's action: remember it as it is now, with the
  // history of pages that led to it. A new action ends the way forward.
  void record(const GameCore& core, const PageHistory& history = {});
  // Back to just before the n-th last action (as far as the history reaches); the
  // number of points gone back. `history`, when given, is the history of the game as
  // it is now (kept for the way forward) and becomes the one of the point gone back to.
  int back(GameCore& core, int n, PageHistory* history = nullptr);
  // Forward again through actions that were rolled back, `history` as for back();
  // false when there is none.
  bool forward(GameCore& core, PageHistory* history = nullptr);
  // A new game or a load starts a new history.
  void clear();

  size_t points() const { return past_.size(); }
  size_t pointsAhead() const { return future_.size(); }
  // The memory the kept points take.
  size_t bytes() const;

 private:
  struct Point {
    std::vector<uint8_t> frame;  // the encoded state, zstd-compressed
    uint64_t size = 0;           // its size unpacked
    PageHistory history;
  };
  static Point take(const GameCore& core, const PageHistory* history);
  static bool put(GameCore& core, const Point& p);

  size_t keep_;
  std::deque<Point> past_;
  std::vector<Point> future_;  // the states rolled back from, the latest last
};

}  // namespace shirakaba
