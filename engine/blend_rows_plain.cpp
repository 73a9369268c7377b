// The rows without vector instructions, for processors that have no file of their own.
#include "engine/blend_rows.h"

namespace shirakaba {

void blendRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, const uint8_t* m, int mStride, int n,
               int rows) {
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride, m += mStride) blendRowPlain(d, s, m, n);
}

void shadeRows(uint8_t* d, int dStride, const uint8_t* s, int sStride, int n, int rows) {
  for (int y = 0; y < rows; ++y, d += dStride, s += sStride) shadeRowPlain(d, s, n);
}

}  // namespace shirakaba
