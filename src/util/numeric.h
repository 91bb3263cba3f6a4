// Numeric helpers shared by the whole core: the sign function and the angle constants.
#pragma once

#include <numbers>

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * Pi;
constexpr double DegToRad = Pi / 180.0;

// 1 for a positive value, -1 for a negative one, 0 for zero (and for NaN).
inline double Sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }
