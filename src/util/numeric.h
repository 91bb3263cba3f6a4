// Numeric helpers shared by the whole core: the sign function, the angle constants,
// whole turns taken off angles and rounding to single precision.
#pragma once

#include <cmath>
#include <numbers>

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * Pi;
constexpr double DegToRad = Pi / 180.0;

// 1 for a positive value, -1 for a negative one, 0 for zero (and for NaN).
inline double Sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// An angle in degrees with its whole turns taken off, keeping its sign: |result| < 360,
// and +0 for any multiple of a turn. Exact: fmod does not round.
inline double WithoutWholeTurns(double degrees) { return std::fmod(degrees, 360.0) + 0.0; }

// An angle in degrees as a direction in [0, 360).
inline double DirectionDegrees(double degrees) {
  double d = WithoutWholeTurns(degrees);
  if (d < 0) d += 360;
  return d < 360 ? d : 0;  // a tiny negative angle moved up a turn may round to 360
}

// The angles of a circular segment with whole turns taken off: the difference a2 - a1
// keeps its sign and drops below a turn, a1 loses its whole turns (needed only for
// precision once |a1| reaches a turn) and a2 follows a1. Angles within a turn of
// each other and of 0 come back unchanged.
struct DegreePair {
  double a1, a2;
};
inline DegreePair ChordAnglesWithoutWholeTurns(double a1, double a2) {
  if (std::fabs(a1) < 360 && std::fabs(a2 - a1) < 360) return {a1, a2};
  const double d = WithoutWholeTurns(a2 - a1);
  const double b1 = WithoutWholeTurns(a1);
  return {b1, b1 + d};
}

// v rounded to single precision, for the values the calculation holds in single
// precision. The rounding goes through a volatile float because GCC 12's SLP
// vectorizer drops it when two such results are stored side by side as doubles.
inline double SinglePrecision(double v) {
  volatile float f = static_cast<float>(v);
  return f;
}
