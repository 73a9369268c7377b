#include "tools/demo/quantise.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <vector>

namespace shirakaba::demo {
namespace {

struct Entry {
  uint32_t colour;  // 0x00BBGGRR
  uint32_t count;
};
int channel(uint32_t c, int ch) { return static_cast<int>((c >> (8 * ch)) & 255); }

// Splits the box with the widest channel range at its weighted median until
// there are `want` boxes; each box's average becomes a palette colour.
std::vector<uint32_t> medianCut(std::vector<Entry> colours, int want) {
  struct Box {
    size_t begin, end;
  };
  std::vector<Box> boxes{{0, colours.size()}};
  auto range = [&](const Box& b, int& widest) {
    int best = -1;
    for (int ch = 0; ch < 3; ++ch) {
      int lo = 255, hi = 0;
      for (size_t i = b.begin; i < b.end; ++i) lo = std::min(lo, channel(colours[i].colour, ch)), hi = std::max(hi, channel(colours[i].colour, ch));
      if (hi - lo > best) best = hi - lo, widest = ch;
    }
    return best;
  };
  while (static_cast<int>(boxes.size()) < want) {
    int pick = -1, pickCh = 0, pickRange = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      int ch = 0;
      const int r = range(boxes[i], ch);
      if (r > pickRange) pickRange = r, pick = static_cast<int>(i), pickCh = ch;
    }
    if (pick < 0) break;
    Box b = boxes[pick];
    std::sort(colours.begin() + b.begin, colours.begin() + b.end, [&](const Entry& a, const Entry& c) {
      const int va = channel(a.colour, pickCh), vc = channel(c.colour, pickCh);
      return va != vc ? va < vc : a.colour < c.colour;
    });
    uint64_t total = 0, acc = 0;
    for (size_t i = b.begin; i < b.end; ++i) total += colours[i].count;
    size_t mid = b.begin + 1;
    for (size_t i = b.begin; i < b.end - 1; ++i) {
      acc += colours[i].count;
      mid = i + 1;
      if (acc * 2 >= total) break;
    }
    boxes[pick] = {b.begin, mid};
    boxes.push_back({mid, b.end});
  }
  std::vector<uint32_t> palette;
  for (const Box& b : boxes) {
    uint64_t sum[3] = {0, 0, 0}, n = 0;
    for (size_t i = b.begin; i < b.end; ++i) {
      for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<uint64_t>(channel(colours[i].colour, ch)) * colours[i].count;
      n += colours[i].count;
    }
    if (n == 0) continue;
    uint32_t c = 0;
    for (int ch = 0; ch < 3; ++ch) c |= static_cast<uint32_t>((sum[ch] + n / 2) / n) << (8 * ch);
    palette.push_back(c);
  }
  return palette;
}

uint32_t toRrggbb(Colour bbggrr) {
  return ((bbggrr & 255) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 255);
}

}  // namespace

Bitmap quantise(const Bitmap& src, const Colour* key) {
  std::map<uint32_t, uint32_t> histogram;  // ordered: the palette never depends on hashing
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) {
      const Colour c = src.colourAt(x, y);
      if (key && c == *key) continue;
      ++histogram[c];
    }
  std::vector<Entry> colours;
  for (auto [c, n] : histogram) colours.push_back({c, n});
  std::vector<uint32_t> pal = medianCut(colours, key ? 255 : 256);
  if (key) {
    for (uint32_t& c : pal)
      if (c == *key) c ^= 0x010000;  // never a second key entry
    pal.insert(pal.begin(), *key);
  }
  Bitmap out;
  out.width = src.width;
  out.height = src.height;
  out.format = PixelFormat::Indexed8;
  out.stride = Bitmap::strideFor(PixelFormat::Indexed8, src.width);
  out.pixels.assign(static_cast<size_t>(out.stride) * out.height, 0);
  std::unordered_map<uint32_t, uint8_t> nearest;
  const size_t first = key ? 1 : 0;
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) {
      const Colour c = src.colourAt(x, y);
      uint8_t idx = 0;
      if (!(key && c == *key)) {
        auto it = nearest.find(c);
        if (it == nearest.end()) {
          int best = 1 << 30;
          for (size_t i = first; i < pal.size(); ++i) {
            const int dr = channel(c, 0) - channel(pal[i], 0), dg = channel(c, 1) - channel(pal[i], 1),
                      db = channel(c, 2) - channel(pal[i], 2);
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < best) best = d, idx = static_cast<uint8_t>(i);
          }
          nearest.emplace(c, idx);
        } else {
          idx = it->second;
        }
      }
      out.row(y)[x] = idx;
    }
  for (uint32_t c : pal) out.palette.push_back(toRrggbb(c));
  while (out.palette.size() < 256) out.palette.push_back(0);
  return out;
}

}  // namespace shirakaba::demo
