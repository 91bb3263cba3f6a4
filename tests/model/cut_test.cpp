// The cut engine against quadrature: each piece kind, cut by lines that miss it,
// touch it, cross it through its centre and its corners, and contain it; and the
// net weight at points against the shape's own.
#include "model/cut.h"

#include <cmath>
#include <functional>
#include <vector>

#include "model/net_material.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "support/core_test.h"
#include "util/numeric.h"

namespace {

// A membership test written from the shape's description, independently of the
// outlines the program builds: the weight of the material at (x, y).
using Density = std::function<double(double, double)>;

double AngleOf(double x, double y) {
  double a = std::atan2(y, x);
  return a < 0 ? a + TwoPi : a;
}

bool InArc(double a, double a1, double a2) {  // degrees, counter-clockwise from a1
  double d = std::fmod(a / DegToRad - a1 + 720.0, 360.0);
  return d <= std::fmod(a2 - a1 + 720.0, 360.0);
}

bool InPolygon(const std::vector<std::pair<double, double>>& p, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    auto [xi, yi] = p[i];
    auto [xj, yj] = p[j];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

// Midpoint quadrature of the density over a fine grid of the box, kept as points so
// that every cut sums the same samples.
struct Quadrature {
  struct Sample {
    double x, y, w;
  };
  std::vector<Sample> samples;
  double cell;
  Density density;
  double x0, y0, x1, y1;
  Quadrature(Density d, double ax, double ay, double bx, double by, int n = 900)
      : density(std::move(d)), x0(ax), y0(ay), x1(bx), y1(by) {
    const double hx = (bx - ax) / n, hy = (by - ay) / n;
    cell = hx * hy;
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        double x = ax + (i + 0.5) * hx, y = ay + (j + 0.5) * hy;
        double w = density(x, y);
        if (w != 0) samples.push_back({x, y, w});
      }
  }
  // The length of the line inside the material, from fine samples along it.
  double Width(double nx, double ny, double c) const {
    const double ux = ny, uy = -nx;
    const double span = 2 * std::hypot(x1 - x0, y1 - y0);
    const double mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    const double base = nx * mx + ny * my;
    const int m = 40000;
    double width = 0;
    for (int k = 0; k < m; ++k) {
      double s = -span / 2 + (k + 0.5) * span / m;
      double x = mx + nx * (c - base) + s * ux, y = my + ny * (c - base) + s * uy;
      width += density(x, y) * span / m;
    }
    return width;
  }
  CutPart Cut(double nx, double ny, double c) const {
    CutPart p;
    for (const Sample& s : samples) {
      if (nx * s.x + ny * s.y < c) continue;
      p.A += s.w * cell;
      p.Sx += s.w * s.x * cell;
      p.Sy += s.w * s.y * cell;
    }
    return p;
  }
};

class CutTest : public CoreTest {
 protected:
  // Cuts the table in several directions at lines that miss the material, touch its
  // extremes, pass through the centroid and through each given point, and contain
  // it, and compares with the quadrature of the density.
  void CheckAgainst(const Quadrature& q, const std::vector<PlanePoint>& corners = {}) {
    const PropertySet& props = Compute();
    const SectionProps totals = Calc.totals;
    const CutModel model = BuildCutModel();
    ASSERT_FALSE(model.elements.empty());
    const double size = std::hypot(q.x1 - q.x0, q.y1 - q.y0);
    const double tolA = 2e-3 * std::fabs(props.A) + 1e-4 * size * size;
    const double h = std::sqrt(0.5);
    const std::pair<double, double> normals[] = {
        {1, 0}, {0, 1}, {-h, h}, {std::cos(33 * DegToRad), std::sin(33 * DegToRad)},
        {std::cos(250 * DegToRad), std::sin(250 * DegToRad)}};
    for (auto [nx, ny] : normals) {
      const double deg = std::atan2(ny, nx) / DegToRad;
      const CutDirection d = ProjectCut(model, nx, ny);
      std::vector<double> levels = {d.vmin - 0.5, d.vmin, d.vmin + 0.31 * (d.vmax - d.vmin),
                                    nx * props.xBar + ny * props.yBar,
                                    d.vmin + 0.83 * (d.vmax - d.vmin), d.vmax, d.vmax + 0.5};
      for (const PlanePoint& p : corners) levels.push_back(nx * p.x + ny * p.y);
      for (double c : levels) {
        SCOPED_TRACE(testing::Message() << "normal at " << deg << " degrees, c = " << c);
        const CutPart got = CutAt(d, c);
        const CutPart want = q.Cut(nx, ny, c);
        EXPECT_NEAR(got.A, want.A, tolA);
        EXPECT_NEAR(got.Sx, want.Sx, tolA * size);
        EXPECT_NEAR(got.Sy, want.Sy, tolA * size);
        // Where an edge lies along the line the width jumps; either side's is right.
        const double eps = 1e-9 * size;
        const double wa = q.Width(nx, ny, c + eps), wb = q.Width(nx, ny, c - eps);
        EXPECT_TRUE(std::fabs(got.width - wa) < 2e-3 * size || std::fabs(got.width - wb) < 2e-3 * size)
            << "width " << got.width << " against " << wa << " above and " << wb << " below";
        // The moment about the line is the first moments seen from it.
        EXPECT_NEAR(got.Sline, nx * got.Sx + ny * got.Sy - c * got.A, 1e-9 * size * size * size);
      }
      // Beyond the material: nothing; before it: exactly what the calculation counts.
      const CutPart none = CutAt(d, d.vmax + 1e-9);
      EXPECT_EQ(none.A, 0);
      EXPECT_EQ(none.width, 0);
      const CutPart all = CutAt(d, d.vmin - 1e-9);
      // (The calculation holds a segment's area factor in single precision.)
      EXPECT_NEAR(all.A, totals[1], 1e-8 * size * size);
      EXPECT_NEAR(all.Sx, totals[2], 1e-8 * size * size * size);
      EXPECT_NEAR(all.Sy, totals[3], 1e-8 * size * size * size);
      EXPECT_NEAR(all.width, 0, 1e-11 * size);
      // The two sides of a line make up the whole.
      const double mid = d.vmin + 0.4 * (d.vmax - d.vmin);
      const CutPart above = CutAt(d, mid);
      const CutPart below = CutSection(model, -nx, -ny, -mid);
      EXPECT_NEAR(above.A + below.A, all.A, 1e-11 * size * size);
      EXPECT_NEAR(above.Sx + below.Sx, all.Sx, 1e-10 * size * size * size);
      EXPECT_NEAR(above.width, below.width, 1e-11 * size);
    }
    // The net weight at points across the box is the shape's own.
    const NetMaterial net = BuildNetMaterial(model);
    for (int i = 0; i < 41; ++i)
      for (int j = 0; j < 41; ++j) {
        const double x = q.x0 + (i + 0.37) * (q.x1 - q.x0) / 41;
        const double y = q.y0 + (j + 0.61) * (q.y1 - q.y0) / 41;
        EXPECT_NEAR(NetWeightAt(net, x, y), q.density(x, y), 1e-6) << "at " << x << ", " << y;
      }
  }
};

TEST_F(CutTest, PolygonWithARoundedCorner) {
  int s = AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  SetFillet(0.5, Table.sections[s].firstNode + 1);
  Quadrature q(
      [](double x, double y) {
        if (x < 0 || x > 4 || y < 0 || y > 2) return 0.0;
        if (x > 3.5 && y < 0.5 && std::hypot(x - 3.5, y - 0.5) > 0.5) return 0.0;
        return 1.0;
      },
      -0.5, -0.5, 4.5, 2.5);
  CheckAgainst(q, {{4, 2}, {0, 2}, {3.5, 0}, {4, 0.5}});
}

TEST_F(CutTest, ClockwiseLWithAFilletInTheReentrantCorner) {
  int s = AddPolygon({{0, 0}, {0, 3}, {1, 3}, {1, 1}, {3, 1}, {3, 0}});
  SetFillet(0.4, Table.sections[s].firstNode + 3);
  Quadrature q(
      [](double x, double y) {
        if (InPolygon({{0, 0}, {0, 3}, {1, 3}, {1, 1}, {3, 1}, {3, 0}}, x, y)) return 1.0;
        if (x > 1 && x < 1.4 && y > 1 && y < 1.4 && std::hypot(x - 1.4, y - 1.4) > 0.4) return 1.0;
        return 0.0;
      },
      -0.5, -0.5, 3.5, 3.5);
  CheckAgainst(q, {{1, 3}, {3, 1}, {1, 1.4}, {1.4, 1}});
}

TEST_F(CutTest, Circle) {
  AddCircle(1, -0.5, 1.5);
  Quadrature q([](double x, double y) { return std::hypot(x - 1, y + 0.5) <= 1.5 ? 1.0 : 0.0; },
               -1, -2.5, 3, 1.5);
  CheckAgainst(q, {{1, -0.5}});
}

TEST_F(CutTest, AnnularSectorAndFullRing) {
  AddArcSegment(0.5, 0.2, 2, 20, 250, 0.8);
  AddArcSegment(5, 0, 1, 0, 0, 0.25);
  Quadrature q(
      [](double x, double y) {
        double d = std::hypot(x - 0.5, y - 0.2);
        double w = 0;
        if (d >= 1.2 && d <= 2 && InArc(AngleOf(x - 0.5, y - 0.2), 20, 250)) w += 1;
        double e = std::hypot(x - 5, y);
        if (e >= 0.75 && e <= 1) w += 1;
        return w;
      },
      -2, -2, 6.5, 2.5, 1400);
  CheckAgainst(q, {{0.5 + 2 * std::cos(20 * DegToRad), 0.2 + 2 * std::sin(20 * DegToRad)},
                   {0.5 + 1.2 * std::cos(250 * DegToRad), 0.2 + 1.2 * std::sin(250 * DegToRad)},
                   {0.5, 0.2}, {5, 0}});
}

TEST_F(CutTest, SectorToTheCentreTypedBackwards) {
  AddArcSegment(0, 0, 1.5, 300, 40, 0);
  Quadrature q(
      [](double x, double y) {
        return std::hypot(x, y) <= 1.5 && InArc(AngleOf(x, y), 300, 40) ? 1.0 : 0.0;
      },
      -0.5, -1.6, 1.6, 1.6);
  CheckAgainst(q, {{0, 0}});
}

TEST_F(CutTest, CircularSegment) {
  AddArcSegment(0, 0, 2, 30, 160, -1);
  const double m = 95 * DegToRad, half = 65 * DegToRad;
  Quadrature q(
      [=](double x, double y) {
        return std::hypot(x, y) <= 2 && x * std::cos(m) + y * std::sin(m) >= 2 * std::cos(half)
                   ? 1.0
                   : 0.0;
      },
      -2.1, -0.5, 2.1, 2.1);
  CheckAgainst(q, {{2 * std::cos(30 * DegToRad), 2 * std::sin(30 * DegToRad)},
                   {2 * std::cos(160 * DegToRad), 2 * std::sin(160 * DegToRad)}});
}

TEST_F(CutTest, RadialBlocksOnBothSidesOfTheirRadialLine) {
  AddRadialBlock(0, 0, 3, 30, 1.2, 1);
  AddRadialBlock(1, 0, 2, 200, -0.7, 0.6);
  auto block = [](double x, double y, double xc, double yc, double r, double deg, double w,
                  double t) {
    const double a = deg * DegToRad, dx = x - xc, dy = y - yc, d = std::hypot(dx, dy);
    const double along = dx * std::cos(a) + dy * std::sin(a);
    const double across = (-dx * std::sin(a) + dy * std::cos(a)) * Sign(w);
    return d <= r && d >= r - t && along > 0 && across >= 0 && across <= std::fabs(w);
  };
  Quadrature q(
      [=](double x, double y) {
        return (block(x, y, 0, 0, 3, 30, 1.2, 1) ? 1.0 : 0.0) +
               (block(x, y, 1, 0, 2, 200, -0.7, 0.6) ? 1.0 : 0.0);
      },
      -1.5, -1.2, 3, 2.5, 1400);
  CheckAgainst(q, {{0, 0}, {3 * std::cos(30 * DegToRad), 3 * std::sin(30 * DegToRad)}});
}

// Weights, holes, sections off and deleted, and a polygon entered clockwise.
TEST_F(CutTest, WeightsHolesOffAndDeleted) {
  AddPolygon({{0, 0}, {0, 3}, {4, 3}, {4, 0}}, 2.0f);
  AddCircle(1.5, 1.5, 0.8, -1.0f);
  int off = AddCircle(3, 2, 0.5);
  Table.sections[off].flags |= Off;
  int gone = AddPolygon({{-3, -3}, {-1, -3}, {-1, -1}});
  Table.sections[gone].flags |= Deleted;
  Quadrature q(
      [](double x, double y) {
        double w = x >= 0 && x <= 4 && y >= 0 && y <= 3 ? 2.0 : 0.0;
        if (std::hypot(x - 1.5, y - 1.5) <= 0.8) w -= 1;
        return w;
      },
      -0.5, -0.5, 4.5, 3.5);
  CheckAgainst(q, {{1.5, 1.5}, {4, 3}});
}

TEST_F(CutTest, MergeDataHasNoShape) {
  AddPolygon({{0, 0}, {1, 0}, {1, 1}});
  AddMergeData(2, 3, 4, 5, 6, 7);
  Compute();
  EXPECT_TRUE(BuildCutModel().shapeless);
  int m = Table.sectionCount;
  Table.sections[m].flags |= Off;
  Compute();
  EXPECT_FALSE(BuildCutModel().shapeless);
}

}  // namespace
