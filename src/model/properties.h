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

// Nine double sums, index 1..9 (index 0 unused): A, Σx dA, Σy dA, Σ A x², Σ A y²,
// Σ A x y, then the pieces' own Ixx, Iyy, Ixy about their centroids.
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

// Computes (or, while ResultsCurrent, reports again) the properties of the table.
// Silent when the caller has set Calc.calcMode to CalcSilent.
void ComputeProperties();

// Convenience for callers that need current results without a report: sets the
// silent mode and computes only when the stored results are stale.
void ComputePropertiesSilently();
