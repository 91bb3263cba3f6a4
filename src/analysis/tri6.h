// The curved 6-node triangle: quadratic shape functions on the reference triangle,
// mapped isoparametrically, and the quadrature rule the analysis integrates with.
#pragma once

#include <array>

#include "analysis/section_mesh.h"

// A point of the reference triangle (0,0), (1,0), (0,1) and its weight; the weights
// of a rule sum to 1, so an integral is sum(weight * f * detJ) / 2.
struct TriangleRulePoint {
  double xi, eta, weight;
};

// Dunavant's 12-point rule, exact for polynomials of degree 6: on a curved element
// the area, first and second moments (degree 2, 4 and 6 in xi, eta) come out exact.
const std::array<TriangleRulePoint, 12>& Tri6Rule();

// The element at one point: its place, Jacobian determinant, shape functions and
// their derivatives in x and y.
struct Tri6Point {
  double x = 0, y = 0, detJ = 0;
  std::array<double, 6> n{}, dx{}, dy{};
};

// Node order as in MeshElement: corners, then mid-sides of 0-1, 1-2, 2-0. The
// derivatives are left zero where detJ is not positive (a folded element).
Tri6Point EvaluateTri6(const std::array<MeshNode, 6>& nodes, double xi, double eta);
