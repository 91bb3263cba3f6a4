// Torsion, warping and shear of the net material by finite elements on meshes of
// the exact geometry, refined until the torsion constant is as exact as asked.
#pragma once

#include <string>
#include <vector>

#include "model/cut.h"

struct TorsionAnalysis {
  bool ok = false;
  std::string reason;  // why nothing could be worked out, when not ok
  double A = 0;        // the weighted area the mesh covers
  double J = 0;        // Saint-Venant torsion constant (weighted, as Ixx)
  double Iw = 0;       // warping constant about the shear centre
  double xs = 0, ys = 0;    // elastic shear centre (from the shear functions, with ν)
  double xsT = 0, ysT = 0;  // Trefftz's shear centre
  double Asx = 0, Asy = 0;  // shear areas for shear forces along x and along y
  double Jerr = 0;     // estimated relative error of J
  int elements = 0;    // elements of the finest mesh
  double poisson = 0;  // the Poisson's ratio it was worked out with
};

inline constexpr double DefaultPoisson = 0.3;
inline constexpr double DefaultTorsionAccuracy = 1e-4;

// The analysis of the counted sections (a model from BuildCutModel) with Poisson's
// ratio poisson, meshes refined until the estimated relative error of J is below
// accuracy (or the finest mesh allowed is reached; Jerr then says how far it got).
TorsionAnalysis AnalyseTorsion(const CutModel& model, double poisson, double accuracy);

// The output window's lines of a result: the values with digits decimals, A/As
// beside the shear areas.
std::vector<std::string> TorsionReportLines(const TorsionAnalysis& result, int digits);
