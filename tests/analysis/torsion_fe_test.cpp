// Torsion, warping and shear by finite elements against closed forms and a worked
// example, on structured meshes; and the curved 6-node element itself.
#include "analysis/torsion_fe.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/tri6.h"
#include "support/structured_mesh.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A curved element: corners counter-clockwise, mid-sides pushed off the straight
// sides (one outwards, one inwards, one along the side).
const std::array<MeshNode, 6> kCurved = {{{1, 0.5}, {4, 1}, {2, 3.5}, {2.6, 0.3}, {3.4, 2.6}, {1.3, 1.9}}};

// The integral of x^a y^b over an element by Green's theorem along its three
// parabolic sides (x^(a+1) y^b / (a+1) dy), with 5-point Gauss-Legendre.
double BoundaryMoment(const std::array<MeshNode, 6>& e, int a, int b) {
  const double t[5] = {0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640, 0.9061798459386640};
  const double w[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                       0.2369268850561891, 0.2369268850561891};
  double sum = 0;
  for (int side = 0; side < 3; ++side) {
    const MeshNode p0 = e[side], m = e[side + 3], p1 = e[(side + 1) % 3];
    for (int k = 0; k < 5; ++k) {
      const double s = (t[k] + 1) / 2;
      const double n0 = (1 - s) * (1 - 2 * s), nm = 4 * s * (1 - s), n1 = s * (2 * s - 1);
      const double x = n0 * p0.x + nm * m.x + n1 * p1.x;
      const double dy = (4 * s - 3) * p0.y + (4 - 8 * s) * m.y + (4 * s - 1) * p1.y;
      sum += w[k] / 2 * std::pow(x, a + 1) * std::pow(n0 * p0.y + nm * m.y + n1 * p1.y, b) / (a + 1) * dy;
    }
  }
  return sum;
}

TEST(Tri6Test, CurvedElementReproducesLinearFieldsAndIntegratesMomentsExactly) {
  for (const TriangleRulePoint& q : Tri6Rule()) {
    const Tri6Point p = EvaluateTri6(kCurved, q.xi, q.eta);
    ASSERT_GT(p.detJ, 0);
    // u = 2 - 3x + 5y at the nodes: the same field and its exact gradient inside;
    // a constant field has no gradient (the rigid mode of the stiffness).
    double u = 0, ux = 0, uy = 0, cx = 0, cy = 0;
    for (int i = 0; i < 6; ++i) {
      const double ui = 2 - 3 * kCurved[i].x + 5 * kCurved[i].y;
      u += p.n[i] * ui;
      ux += p.dx[i] * ui;
      uy += p.dy[i] * ui;
      cx += p.dx[i];
      cy += p.dy[i];
    }
    EXPECT_NEAR(u, 2 - 3 * p.x + 5 * p.y, 1e-13);
    EXPECT_NEAR(ux, -3, 1e-13);
    EXPECT_NEAR(uy, 5, 1e-13);
    EXPECT_NEAR(cx, 0, 1e-13);
    EXPECT_NEAR(cy, 0, 1e-13);
  }
  for (auto [a, b] : {std::pair{0, 0}, {1, 0}, {0, 1}, {2, 0}, {1, 1}, {0, 2}}) {
    double sum = 0;
    for (const TriangleRulePoint& q : Tri6Rule()) {
      const Tri6Point p = EvaluateTri6(kCurved, q.xi, q.eta);
      sum += q.weight * p.detJ / 2 * std::pow(p.x, a) * std::pow(p.y, b);
    }
    EXPECT_NEAR(sum, BoundaryMoment(kCurved, a, b), 1e-12 * std::abs(sum)) << a << " " << b;
  }
}

// J = beta b t^3 from the series; A/As = 1.2 both ways for nu = 0; the shear centres
// at the centroid of the doubly symmetric section.
TEST(TorsionFeTest, RectangleMatchesTheSeries) {
  const double b = 2, t = 1;
  const TorsionResult r = SolveTorsion(RectangleMesh(3, -1, b, t, 32, 16), 0);
  ASSERT_TRUE(r.ok) << r.reason;
  double series = 0;
  for (int n = 1; n < 100; n += 2) series += std::tanh(n * kPi * b / (2 * t)) / std::pow(n, 5);
  EXPECT_NEAR(r.J, b * t * t * t / 3 * (1 - 192 / std::pow(kPi, 5) * (t / b) * series), 1e-5);
  EXPECT_NEAR(r.A / r.Asx, 1.2, 1e-5);
  EXPECT_NEAR(r.A / r.Asy, 1.2, 1e-5);
  EXPECT_NEAR(r.xs, 4, 1e-9);
  EXPECT_NEAR(r.ys, -0.5, 1e-9);
  EXPECT_NEAR(r.xsT, 4, 1e-9);
  EXPECT_NEAR(r.ysT, -0.5, 1e-9);
  EXPECT_GT(r.Iw, 0);
}

// Curved sides: J = pi r^4 / 2 with no warping and the shear centre at the centre;
// A/As with Poisson's ratio from the exact flexure stresses of a circle,
// tau = (3+2nu)/(8(1+nu)) V/I (r^2 - s^2 - (1-2nu)/(3+2nu) t^2) along the force,
// -(1+2nu)/(4(1+nu)) V/I s t across it.
TEST(TorsionFeTest, DiscAndRingMatchClosedForms) {
  const double nu = 0.3;
  const TorsionResult disc = SolveTorsion(AnnulusMesh(1, 2, 0, 1, 8, 32), nu);
  ASSERT_TRUE(disc.ok) << disc.reason;
  EXPECT_NEAR(disc.J, kPi / 2, 2e-5);
  EXPECT_NEAR(disc.Iw, 0, 1e-20);
  EXPECT_NEAR(disc.xs, 1, 1e-9);
  EXPECT_NEAR(disc.ys, 2, 1e-9);
  EXPECT_NEAR(disc.xsT, 1, 1e-9);
  EXPECT_NEAR(disc.ysT, 2, 1e-9);
  const double c1 = (3 + 2 * nu) / (8 * (1 + nu)), c2 = (1 - 2 * nu) / (3 + 2 * nu);
  const double c3 = (1 + 2 * nu) / (4 * (1 + nu));
  const double shear = 16 * (c1 * c1 * (5.0 / 8 - c2 / 2 + c2 / 12 + c2 * c2 / 8) + c3 * c3 / 24);
  EXPECT_NEAR(disc.A / disc.Asx, shear, 1e-5);
  EXPECT_NEAR(disc.A / disc.Asy, shear, 1e-5);

  const TorsionResult ring = SolveTorsion(AnnulusMesh(0, 0, 0.5, 1, 4, 32), nu);
  ASSERT_TRUE(ring.ok) << ring.reason;
  EXPECT_NEAR(ring.J, kPi / 2 * (1 - std::pow(0.5, 4)), 2e-5);
}

// The channel of Pilkey's worked example (thickness 1, web at x = 0, flanges to x = 8,
// nu = 1/3). The book's values come from a coarse mesh; this one is finer, so each
// agrees to about 1e-3 (J here 11.279, converging to about 11.27).
TEST(TorsionFeTest, ChannelMatchesTheWorkedExample) {
  const MeshGrid grid{{-0.5, 0.5, 8}, {-9.5, -8.5, 8.5, 9.5}, {4, 30}, {4, 68, 4}};
  const TorsionResult r = SolveTorsion(GridMesh(grid, [](int i, int j) { return i == 0 || j != 1; }), 1.0 / 3);
  ASSERT_TRUE(r.ok) << r.reason;
  EXPECT_NEAR(r.A, 34, 1e-10);
  EXPECT_NEAR(r.J, 11.27, 0.01);
  EXPECT_NEAR(r.Iw, 12763.15, 5);
  EXPECT_NEAR(r.xs, -2.86769, 1e-3);
  EXPECT_NEAR(r.xsT, -2.86759, 1e-3);
  EXPECT_NEAR(r.xs - r.xsT, -0.00010, 0.00002);  // the book's difference from nu
  EXPECT_NEAR(r.ys, 0, 1e-9);
  EXPECT_NEAR(r.ysT, 0, 1e-9);
  EXPECT_NEAR(r.A / r.Asx, 3.40789, 3e-3);
  EXPECT_NEAR(r.A / r.Asy, 2.15337, 1e-3);
}

// A strip of weight 2 is twice as stiff in every sense, with its centres in place.
TEST(TorsionFeTest, WeightScalesAStrip) {
  SectionMesh mesh = RectangleMesh(0, 0, 10, 1, 20, 2);
  const TorsionResult one = SolveTorsion(mesh, 0.3);
  for (MeshElement& e : mesh.elements) e.weight = 2;
  const TorsionResult two = SolveTorsion(mesh, 0.3);
  ASSERT_TRUE(one.ok && two.ok);
  EXPECT_NEAR(two.J, 2 * one.J, 1e-12 * one.J);
  EXPECT_NEAR(two.Iw, 2 * one.Iw, 1e-12 * one.Iw);
  EXPECT_NEAR(two.Asx, 2 * one.Asx, 1e-12 * one.Asx);
  EXPECT_NEAR(two.Asy, 2 * one.Asy, 1e-12 * one.Asy);
  EXPECT_NEAR(two.xs, one.xs, 1e-12);
  EXPECT_NEAR(two.ysT, one.ysT, 1e-12);
}

TEST(TorsionFeTest, RefusesMeshesItCannotSolve) {
  EXPECT_EQ(SolveTorsion({}, 0.3).reason, "the mesh has no elements");
  SectionMesh clockwise = RectangleMesh(0, 0, 1, 1, 1, 1);
  std::swap(clockwise.elements[0].nodes[1], clockwise.elements[0].nodes[2]);
  std::swap(clockwise.elements[0].nodes[3], clockwise.elements[0].nodes[5]);
  EXPECT_EQ(SolveTorsion(clockwise, 0.3).reason, "a mesh element is folded or not counter-clockwise");
  SectionMesh apart = RectangleMesh(0, 0, 1, 1, 1, 1);
  SectionMesh other = RectangleMesh(2, 0, 1, 1, 1, 1);
  for (MeshElement e : other.elements) {
    for (int& n : e.nodes) n += static_cast<int>(apart.nodes.size());
    apart.elements.push_back(e);
  }
  apart.nodes.insert(apart.nodes.end(), other.nodes.begin(), other.nodes.end());
  const TorsionResult r = SolveTorsion(apart, 0.3);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.reason, "the net material is in separate pieces");
}

}  // namespace
