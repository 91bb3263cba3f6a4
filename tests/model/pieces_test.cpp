// Fillets, annular sectors and radial blocks against closed forms and against
// direct integration over the region.
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/program_state.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "support/core_test.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class PiecesTest : public CoreTest {};

// Moments of a region given in polar strips: for each angle, the radii [lo, hi].
// Integrates A, first and second moments about the origin numerically.
struct Moments {
  double a = 0, sx = 0, sy = 0, xx = 0, yy = 0, xy = 0;
};

Moments IntegrateRegion(double u0, double u1, double v0, double v1,
                        const std::function<bool(double, double)>& inside) {
  // Midpoint rule on a fine grid; exact enough for a relative check of 1e-4.
  const int n = 1500;
  double du = (u1 - u0) / n, dv = (v1 - v0) / n;
  Moments m;
  for (int i = 0; i < n; ++i) {
    double x = u0 + (i + 0.5) * du;
    for (int j = 0; j < n; ++j) {
      double y = v0 + (j + 0.5) * dv;
      if (!inside(x, y)) continue;
      double da = du * dv;
      m.a += da;
      m.sx += x * da;
      m.sy += y * da;
      m.xx += y * y * da;
      m.yy += x * x * da;
      m.xy += x * y * da;
    }
  }
  return m;
}

void ExpectMatches(const PropertySet& p, const Moments& m, double tol) {
  EXPECT_NEAR(p.A, m.a, tol * m.a);
  double xb = m.sx / m.a, yb = m.sy / m.a;
  EXPECT_NEAR(p.xBar, xb, tol * 10);
  EXPECT_NEAR(p.yBar, yb, tol * 10);
  double scale = m.xx + m.yy;
  EXPECT_NEAR(p.Ixx, m.xx - m.a * yb * yb, tol * scale);
  EXPECT_NEAR(p.Iyy, m.yy - m.a * xb * xb, tol * scale);
  EXPECT_NEAR(p.Ixy, m.xy - m.a * xb * yb, tol * scale);
}

TEST_F(PiecesTest, FilletAtAConvexCornerOfTheUnitSquare) {
  AddPolygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  SetFillet(0.2, 2);
  const auto& c = Table.params[2].c;
  EXPECT_EQ(c[0], 1);
  EXPECT_NEAR(c[1], 0.8, 1e-6);
  EXPECT_NEAR(c[2], 0.2, 1e-6);
  EXPECT_FLOAT_EQ(c[3], 0.2f);
  EXPECT_NEAR(c[4], -90, 1e-4);
  EXPECT_NEAR(c[5], 0, 1e-4);
  EXPECT_NEAR(c[6], 0.8, 1e-6);
  EXPECT_NEAR(c[7], 0, 1e-6);
  EXPECT_NEAR(c[8], 1, 1e-6);
  EXPECT_NEAR(c[9], 0.2, 1e-6);
  EXPECT_NEAR(Compute().A, 1 - (0.04 - 0.01 * kPi), 1e-6);
  EXPECT_NEAR(Calc.props.A, 0.991416, 5e-7);
}

TEST_F(PiecesTest, FilletOnAClockwiseSquareHasNegativeSignAndSameArea) {
  AddPolygon({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
  SetFillet(0.2, 4);  // the corner (1, 0)
  EXPECT_EQ(Table.params[4].c[0], -1);
  EXPECT_NEAR(Compute().A, 0.991416, 5e-7);
  // The filleted square matches direct integration of its shape.
  Moments m = IntegrateRegion(0, 1, 0, 1, [](double x, double y) {
    if (x > 0.8 && y < 0.2) return (x - 0.8) * (x - 0.8) + (y - 0.2) * (y - 0.2) <= 0.04;
    return true;
  });
  ExpectMatches(Calc.props, m, 2e-4);
}

TEST_F(PiecesTest, ReentrantFilletAddsMaterialInEitherDirection) {
  const double r = 0.5;
  for (bool clockwise : {false, true}) {
    ResetTables();
    // L-shape; the re-entrant corner is (2, 2).
    if (clockwise)
      AddPolygon({{0, 0}, {0, 6}, {2, 6}, {2, 2}, {6, 2}, {6, 0}});
    else
      AddPolygon({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}});
    int corner = clockwise ? 4 : 4;
    ASSERT_EQ(Table.nodes[corner].x, 2);
    ASSERT_EQ(Table.nodes[corner].y, 2);
    double plain = Compute().A;
    SetFillet(r, corner);
    EXPECT_EQ(Table.params[corner].c[0], clockwise ? 1 : -1);
    EXPECT_NEAR(Compute().A - plain, r * r * (1 - kPi / 4), 1e-6);
  }
}

TEST_F(PiecesTest, ISectionWithRootFilletsMatchesTextbookArea) {
  const double b = 200, h = 300, tf = 15, tw = 10, r = 12;
  AddPolygon({{-b / 2, 0}, {b / 2, 0}, {b / 2, tf}, {tw / 2, tf}, {tw / 2, h - tf},
              {b / 2, h - tf}, {b / 2, h}, {-b / 2, h}, {-b / 2, h - tf}, {-tw / 2, h - tf},
              {-tw / 2, tf}, {-b / 2, tf}});
  for (int n : {4, 5, 10, 11}) SetFillet(r, n);
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, 2 * b * tf + (h - 2 * tf) * tw + (4 - kPi) * r * r, 1e-3);
  EXPECT_NEAR(p.xBar, 0, 1e-6);
  EXPECT_NEAR(p.yBar, h / 2, 1e-6);
  // Textbook Ixx of the plain I plus the four spandrels, each of area (1 - π/4) r²
  // with its centroid 0.2234 r from both edges (their own moments are negligible).
  double plain = b * h * h * h / 12 - (b - tw) * std::pow(h - 2 * tf, 3) / 12;
  double spandrel = (1 - kPi / 4) * r * r;
  double offset = (10 - 3 * kPi) / (3 * (4 - kPi)) * r;
  double arm = h / 2 - tf - offset;
  EXPECT_NEAR(p.Ixx, plain + 4 * spandrel * arm * arm, 2e-5 * p.Ixx);
}

TEST_F(PiecesTest, FilletIsSkippedWhereEdgesRunStraightOn) {
  AddPolygon({{0, 0}, {1, 0}, {2, 0}, {2, 1}});
  SetFillet(0.2, 2);
  EXPECT_EQ(Table.params[2].c[3], 0);
  SetFillet(0.2, 3);
  EXPECT_NE(Table.params[3].c[3], 0);
  SetFillet(0, 3);  // radius 0 removes it
  for (float v : Table.params[3].c) EXPECT_EQ(v, 0);
}

// Fillets at the 60° corners of an equilateral triangle and the 120° corners of a
// regular hexagon: tangent length r/tan(θ/2), tangent points on the edges, the centre
// r/sin(θ/2) from the corner along the bisector, and the area each removes,
// r²(1/tan(θ/2) − (π − θ)/2).
TEST_F(PiecesTest, FilletsAtAcuteAndObtuseCornersMatchClosedForms) {
  struct Case {
    const char* name;
    int corners;
    double theta, side, r;
  };
  for (Case c : {Case{"triangle", 3, kPi / 3, 2, 0.3}, Case{"hexagon", 6, 2 * kPi / 3, 1, 0.4}}) {
    SCOPED_TRACE(c.name);
    ResetTables();
    std::vector<std::pair<double, double>> corners;
    const double circumradius = c.side / (2 * std::sin(kPi / c.corners));
    for (int i = 0; i < c.corners; ++i) {
      const double a = 2 * kPi * i / c.corners + 0.3;  // turned off the axes
      corners.push_back({1 + circumradius * std::cos(a), -2 + circumradius * std::sin(a)});
    }
    AddPolygon(corners);
    const double plain = Compute().A;
    const double h = c.theta / 2, q = c.r / std::tan(h);
    for (int n = 1; n <= c.corners; ++n) {
      SCOPED_TRACE(n);
      EXPECT_NEAR(TangentLength(c.r, n), q, 1e-6);
      SetFillet(c.r, n);
      const auto& row = Table.params[n].c;
      const auto& [px, py] = corners[n - 1];
      const auto& [bx, by] = corners[(n + c.corners - 2) % c.corners];
      const auto& [fx, fy] = corners[n % c.corners];
      const double ub[] = {(bx - px) / c.side, (by - py) / c.side};
      const double uf[] = {(fx - px) / c.side, (fy - py) / c.side};
      // The centre lies r/sin(θ/2) along the bisector ub + uf.
      const double d = c.r / std::sin(h) / std::hypot(ub[0] + uf[0], ub[1] + uf[1]);
      for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(row[6 + i], (i ? py : px) + q * ub[i], 1e-5);
        EXPECT_NEAR(row[8 + i], (i ? py : px) + q * uf[i], 1e-5);
        EXPECT_NEAR(row[1 + i], (i ? py : px) + d * (ub[i] + uf[i]), 1e-5);
      }
    }
    const double removed = c.r * c.r * (1 / std::tan(h) - (kPi - c.theta) / 2);
    EXPECT_NEAR(plain - Compute().A, c.corners * removed, 1e-6);
  }
}

TEST_F(PiecesTest, AnnularSectorMomentAcrossItsSymmetryLine) {
  // tau = 0.5, alpha = 0.7 rad, symmetric about the x axis: Iyy is the moment about
  // the centroidal axis across the symmetry line.
  double alphaDeg = 0.7 * 180 / kPi;
  AddArcSegment(0, 0, 1, -alphaDeg, alphaDeg, 0.5);
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.Iyy, 0.0105528, 2e-7);
  EXPECT_NEAR(p.yBar, 0, 1e-7);
  EXPECT_NEAR(p.Ixy, 0, 1e-7);
}

TEST_F(PiecesTest, AnnularSectorsMatchIntegration) {
  struct Case {
    double xc, yc, r, a1, a2, t;
  };
  for (Case c : {Case{1, 2, 3, 20, 150, 1}, Case{0, 0, 2, 300, 40, 0.5},
                 Case{-1, 1, 1.5, 100, 100 + 359, 0.3}, Case{0, 0, 2, 10, 260, 0}}) {
    SCOPED_TRACE(c.a1);
    ResetTables();
    AddArcSegment(c.xc, c.yc, c.r, c.a1, c.a2, c.t);
    double a1 = c.a1 * kPi / 180, a2 = c.a2 * kPi / 180;
    if (a2 < a1) a1 -= 2 * kPi;
    double rho = c.t == 0 ? 0 : c.r - c.t;
    Moments m = IntegrateRegion(c.xc - c.r, c.xc + c.r, c.yc - c.r, c.yc + c.r,
                                [&](double x, double y) {
                                  double dx = x - c.xc, dy = y - c.yc;
                                  double d2 = dx * dx + dy * dy;
                                  if (d2 > c.r * c.r || d2 < rho * rho) return false;
                                  double th = std::atan2(dy, dx);
                                  while (th < a1) th += 2 * kPi;
                                  return th <= a2;
                                });
    ExpectMatches(Compute(), m, 3e-4);
  }
}

TEST_F(PiecesTest, RadialBlocksMatchIntegration) {
  struct Case {
    double xc, yc, r, angle, w, t;
  };
  // The last three lie outside the usual range: the parallel line misses the inner
  // circle, the thickness reaches the centre, the line misses the outer circle.
  for (Case c : {Case{0, 0, 10, 0, 3, 2}, Case{2, -1, 5, 70, -2, 1.5}, Case{1, 1, 5, 30, 4, 3},
                 Case{0, 0, 4, 200, 1, 4}, Case{0, 0, 3, 45, -5, 1}}) {
    SCOPED_TRACE(c.angle);
    ResetTables();
    AddRadialBlock(c.xc, c.yc, c.r, c.angle, c.w, c.t);
    double b = c.angle * kPi / 180;
    double rho = c.r - c.t;
    Moments m = IntegrateRegion(c.xc - c.r, c.xc + c.r, c.yc - c.r, c.yc + c.r,
                                [&](double x, double y) {
                                  double dx = x - c.xc, dy = y - c.yc;
                                  double d2 = dx * dx + dy * dy;
                                  if (d2 > c.r * c.r || d2 < rho * rho) return false;
                                  double u = dx * std::cos(b) + dy * std::sin(b);
                                  double v = -dx * std::sin(b) + dy * std::cos(b);
                                  if (c.w < 0) v = -v;
                                  return u >= 0 && v >= 0 && v <= std::fabs(c.w);
                                });
    ExpectMatches(Compute(), m, 3e-4);
  }
}

TEST_F(PiecesTest, OutOfRangeShapesStayFinite) {
  AddRadialBlock(0, 0, 5, 30, 4, 3);    // |w| beyond the inner radius
  AddRadialBlock(0, 0, 5, 30, -7, 1);   // |w| beyond the outer radius
  AddArcSegment(0, 0, 2, 0, 90, 5);     // thickness beyond the centre
  AddArcSegment(0, 0, 0, 0, 90, 1);     // no radius
  const PropertySet& p = Compute();
  for (double v : {p.A, p.xBar, p.yBar, p.Ixx, p.Iyy, p.Ixy, p.Imax, p.Imin, p.angle})
    EXPECT_TRUE(std::isfinite(v));
  // A thickness beyond the centre is the full sector.
  ResetTables();
  AddArcSegment(0, 0, 2, 0, 90, 5);
  double over = Compute().A;
  ResetTables();
  AddArcSegment(0, 0, 2, 0, 90, 0);
  EXPECT_DOUBLE_EQ(over, Compute().A);
}

// Angles are directions: typed with whole turns added, a piece is the one without
// them. A chord segment's typed order decides its arc, so its difference keeps its
// sign; a radial block's line at 1e10 degrees (exact in a float) is the one at 280.
TEST_F(PiecesTest, WholeTurnsInAnglesGiveTheSamePiece) {
  struct Case {
    double a1, a2, b1, b2, t;  // a with whole turns, b the same piece without them
    bool block = false;
  };
  auto props = [this](const Case& c, double a1, double a2) {
    ResetTables();
    c.block ? AddRadialBlock(1, 2, 5, a1, 2, c.t) : AddArcSegment(1, 2, 3, a1, a2, c.t);
    return Compute();
  };
  for (Case c : {Case{-90, 450, 270, 90, 1}, Case{720, 90, 0, 90, 1}, Case{0, 720, 10, 10, 1.5},
                 Case{0, -360, 0, 0, 0}, Case{1020, -330, 300, 30, 0},
                 Case{100, 100 + 3 * 360 - 1, 100, 99, 0.5}, Case{330, 390, -30, 30, -1},
                 Case{0, 390, 0, 30, -1}, Case{-3610, -3650, 350, 310, -1},
                 Case{1e10, 0, 280, 0, 1, true}}) {
    SCOPED_TRACE(testing::Message() << c.a1 << ", " << c.a2 << ", " << c.t);
    const PropertySet x = props(c, c.a1, c.a2), y = props(c, c.b1, c.b2);
    const double moments = std::fabs(y.Ixx) + std::fabs(y.Iyy);
    for (auto [u, v, scale] : {std::tuple{x.A, y.A, y.A}, {x.xBar, y.xBar, y.xBar},
                               {x.yBar, y.yBar, y.yBar}, {x.Ixx, y.Ixx, moments},
                               {x.Iyy, y.Iyy, moments}, {x.Ixy, y.Ixy, moments}})
      EXPECT_NEAR(u, v, 1e-9 * std::max(1.0, std::fabs(scale)));
  }
}

TEST_F(PiecesTest, ToPolarCoversAllQuadrants) {
  EXPECT_NEAR(ToPolar(1, 1).angle, kPi / 4, 1e-15);
  EXPECT_NEAR(ToPolar(-1, 1).angle, 3 * kPi / 4, 1e-15);
  EXPECT_NEAR(ToPolar(-1, -1).angle, 5 * kPi / 4, 1e-15);
  EXPECT_NEAR(ToPolar(1, -1).angle, 7 * kPi / 4, 1e-15);
  EXPECT_NEAR(ToPolar(0, -2).angle, 3 * kPi / 2, 1e-15);
  EXPECT_EQ(ToPolar(0, 0).angle, 0);
  EXPECT_DOUBLE_EQ(ToPolar(3, 4).length, 5);
}

}  // namespace
