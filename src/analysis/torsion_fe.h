// Torsion, warping and shear of the net material by finite elements on a curved
// 6-node mesh. Each element counts with its weight (modular ratio), as in a composite
// analysis with one Poisson's ratio, so every result is in the units of the
// unweighted section.
#pragma once

#include <string>
#include <vector>

#include "analysis/section_mesh.h"

struct TorsionResult {
  bool ok = false;
  std::string reason;  // why there is no result, when !ok
  // From the mesh, weighted: area, centroid, second moments about the centroid
  // (Ixx = integral of y^2, Iyy of x^2, Ixy of x y).
  double A = 0, xBar = 0, yBar = 0, Ixx = 0, Iyy = 0, Ixy = 0;
  double J = 0;   // Saint-Venant torsion constant (length^4)
  double Iw = 0;  // warping constant about the shear centre (length^6)
  // Shear centre in the drawing's coordinates: elastic (from the shear functions,
  // depends on Poisson's ratio) and Trefftz's (from the warping function).
  double xs = 0, ys = 0, xsT = 0, ysT = 0;
  // Shear areas for a shear force along x and along y (length^2); A / As are the
  // shear deformation coefficients.
  double Asx = 0, Asy = 0;
  // The warping function at each node of the mesh, about the Trefftz shear centre,
  // with zero weighted mean (0 at nodes that no element uses).
  std::vector<double> warping;
};

TorsionResult SolveTorsion(const SectionMesh& mesh, double poisson = 0.3);
