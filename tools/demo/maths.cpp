#include "tools/demo/maths.h"

#include <cmath>

namespace shirakaba::demo {
namespace {

// pi / 2 in three parts; the first two have 33 significant bits, so that k times them
// is exact for any |k| below 2^20.
constexpr double kHalfPi1 = 1.57079632673412561417e+00;
constexpr double kHalfPi2 = 6.07710050630396597660e-11;
constexpr double kHalfPi3 = 2.02226624879595063154e-21;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;

// Taylor series on |r| <= pi / 4; the first term left out is below 1e-19.
double sinePoly(double r) {
  const double r2 = r * r;
  double sum = 1;
  for (int n = 17; n >= 3; n -= 2) sum = 1 - r2 / (n * (n - 1)) * sum;
  return r * sum;
}

double cosinePoly(double r) {
  const double r2 = r * r;
  double sum = 1;
  for (int n = 18; n >= 2; n -= 2) sum = 1 - r2 / (n * (n - 1)) * sum;
  return sum;
}

// sin(x + quarter * pi / 2) for a reduced argument.
double quadrant(double r, long quarter) {
  switch (quarter & 3) {
    case 0: return sinePoly(r);
    case 1: return cosinePoly(r);
    case 2: return -sinePoly(r);
    default: return -cosinePoly(r);
  }
}

double reduced(double x, long* quarter) {
  const double k = std::nearbyint(x * kTwoOverPi);
  *quarter = static_cast<long>(k);
  return ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
}

}  // namespace

float sine(float x) {
  long q;
  const double r = reduced(x, &q);
  return static_cast<float>(quadrant(r, q));
}

float cosine(float x) {
  long q;
  const double r = reduced(x, &q);
  return static_cast<float>(quadrant(r, q + 1));
}

float exponential(float x) {
  constexpr double kLn2Hi = 6.93147180369123816490e-01, kLn2Lo = 1.90821492927058770002e-10;
  constexpr double kInvLn2 = 1.44269504088896338700e+00;
  const double k = std::nearbyint(x * kInvLn2);
  const double r = (x - k * kLn2Hi) - k * kLn2Lo;  // |r| <= ln 2 / 2
  double sum = 1;
  for (int n = 16; n >= 1; --n) sum = 1 + r / n * sum;
  return static_cast<float>(std::ldexp(sum, static_cast<int>(k)));
}

}  // namespace shirakaba::demo
