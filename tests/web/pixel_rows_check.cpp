// The WebAssembly build's own pixel rows (vector blend, shade, row copy and widening)
// against the plain loops, over every weight, the lengths around each vector step and
// runs of the weights 0 and 255 that the blend takes a short way. No test framework is built for
// WebAssembly: prints the first difference and exits 1.
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "base/pixel_rows.h"
#include "engine/blend_rows.h"

using namespace shirakaba;

namespace {

std::mt19937 random(9);

std::vector<uint8_t> noise(size_t n) {
  std::vector<uint8_t> v(n);
  for (uint8_t& b : v) b = static_cast<uint8_t>(random());
  return v;
}

// Weights for n pixels of `rows` rows: all 256 values in turn, or runs of 0 and 255.
std::vector<uint8_t> weights(int n, int rows, int kind) {
  std::vector<uint8_t> m = noise(static_cast<size_t>(n) * rows);
  for (size_t i = 0; i < m.size(); ++i) {
    if (kind == 0) m[i] = static_cast<uint8_t>(i * 7);
    if (kind == 1) m[i] = (i / 8 + i / 13) % 3 == 0 ? 0 : (i / 8 + i / 13) % 3 == 1 ? 255 : m[i];
  }
  return m;
}

bool check(bool same, const char* what, int n, int kind) {
  if (!same) std::printf("%s differs from the plain loop: %d pixels a row, weights of kind %d\n", what, n, kind);
  return same;
}

bool blendsAsPlain(int n, int kind) {
  const int rows = 3, stride = 4 * n + 12;  // a gap after each row, which must stay
  const std::vector<uint8_t> s = noise(static_cast<size_t>(stride) * rows), m = weights(n, rows, kind);
  std::vector<uint8_t> d = noise(static_cast<size_t>(stride) * rows), plain = d;
  blendRows(d.data(), stride, s.data(), stride, m.data(), n, n, rows);
  for (int y = 0; y < rows; ++y) blendRowPlain(plain.data() + y * stride, s.data() + y * stride, m.data() + y * n, n);
  if (!check(d == plain, "blendRows", n, kind)) return false;
  shadeRows(d.data(), stride, s.data(), stride, n, rows);
  for (int y = 0; y < rows; ++y) shadeRowPlain(plain.data() + y * stride, s.data() + y * stride, n);
  return check(d == plain, "shadeRows", n, kind);
}

bool copiesAsMemcpy(size_t bytes, size_t offset) {
  const std::vector<uint8_t> from = noise(bytes + 40);
  std::vector<uint8_t> to = noise(bytes + 40), want = to;
  copyRow(to.data() + offset, from.data() + 3, bytes);
  std::memcpy(want.data() + offset, from.data() + 3, bytes);
  if (to != want) std::printf("copyRow differs from memcpy: %zu bytes at offset %zu\n", bytes, offset);
  return to == want;
}

bool widensAsPlain(int n) {
  const std::vector<uint8_t> in = noise(3 * static_cast<size_t>(n));  // nothing after it to read
  std::vector<uint8_t> out = noise(4 * static_cast<size_t>(n) + 8), plain = out;
  expandRgb24(out.data(), in.data(), n);
  expandRgb24Plain(plain.data(), in.data(), n);
  if (out != plain) std::printf("expandRgb24 differs from the plain loop: %d pixels\n", n);
  putRgb24(out.data() + 4, in.data(), n);
  putRgb24Plain(plain.data() + 4, in.data(), n);
  if (out != plain) std::printf("putRgb24 differs from the plain loop: %d pixels\n", n);
  return out == plain;
}

}  // namespace

int main() {
  for (int kind = 0; kind < 3; ++kind)
    for (int n : {0, 1, 3, 4, 7, 8, 9, 15, 16, 17, 31, 32, 33, 85, 256, 640})
      if (!blendsAsPlain(n, kind)) return 1;
  for (size_t bytes = 0; bytes <= 1100; ++bytes)
    if (!copiesAsMemcpy(bytes, bytes % 5)) return 1;
  for (int n = 0; n <= 70; ++n)
    if (!widensAsPlain(n)) return 1;
  std::printf("the pixel rows equal the plain loops\n");
  return 0;
}
