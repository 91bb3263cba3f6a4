// The property calculation: nine sums per section, weighted totals, centroidal and
// principal values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct PropertySet {
  double A, xBar, yBar, Ixx, Iyy, Ixy, Imax, Imin, angle;
  friend bool operator==(const PropertySet&, const PropertySet&) = default;
};

// Nine double sums, index 1..9 (index 0 unused), in this order.
enum PropertySum : int {
  SumA = 1,  // A
  SumAx,     // Σ x dA
  SumAy,     // Σ y dA
  SumAxx,    // Σ A x²
  SumAyy,    // Σ A y²
  SumAxy,    // Σ A x y
  OwnIxx,    // the pieces' own Ixx, Iyy, Ixy about their centroids
  OwnIyy,
  OwnIxy,
};
using SectionProps = std::array<double, 10>;

enum CalcMode : std::uint8_t { CalcIdle = 0, CalcReport = 1, CalcSilent = 2 };

struct CalcState {
  PropertySet props{};          // the stored results; survive table resets
  SectionProps totals{};        // weighted sums of the last calculation
  std::uint8_t calcMode = CalcIdle;
  std::array<std::string, 13> reportLines;  // rebuilt by every calculation
  // Each section's factor in the last calculation: the sign of its own area times
  // its weight, 0 for sections off or deleted. Index 1..100.
  std::array<float, 101> factors{};
  friend bool operator==(const CalcState&, const CalcState&) = default;
};

extern CalcState Calc;

// The calculation itself: sums every section that is neither off nor deleted into
// Calc.totals and derives Calc.props from them. No check, no report lines.
void ComputePropertySet();

// The calculation behind About Centroid: computes the properties of a finished table
// (or, while ResultsCurrent, keeps them) and rebuilds the report lines. True when the
// report is to be shown; false for an unfinished last section or the silent mode
// (which it ends). Showing is app's ComputeProperties.
bool PrepareReport();
