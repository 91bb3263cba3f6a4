// Numeric helpers shared by the whole core: the sign function, the angle constants
// and rounding to single precision.
#pragma once

#include <numbers>

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * Pi;
constexpr double DegToRad = Pi / 180.0;

// 1 for a positive value, -1 for a negative one, 0 for zero (and for NaN).
inline double Sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// v rounded to single precision, for the values the calculation holds in single
// precision. The rounding goes through a volatile float because GCC 12's SLP
// vectorizer drops it when two such results are stored side by side as doubles.
inline double SinglePrecision(double v) {
  volatile float f = static_cast<float>(v);
  return f;
}
