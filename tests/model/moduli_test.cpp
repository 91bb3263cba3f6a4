// Radii, elastic and plastic moduli, plastic neutral axes, perimeter and shear flow
// against the closed forms of standard shapes.
#include "model/moduli.h"

#include <algorithm>
#include <cmath>

#include "app/program_state.h"
#include "model/pieces.h"
#include "support/core_test.h"
#include "util/numeric.h"

namespace {

class ModuliTest : public CoreTest {
 protected:
  ModuliSet Moduli() {
    Compute();
    return ComputeModuli();
  }
};

void ExpectRel(double got, double want, double rel = 1e-12) {
  EXPECT_NEAR(got, want, rel * std::fabs(want)) << "relative tolerance " << rel;
}

TEST_F(ModuliTest, Rectangle) {
  const double b = 4, h = 6;
  AddPolygon({{1, 2}, {1 + b, 2}, {1 + b, 2 + h}, {1, 2 + h}});
  const ModuliSet m = Moduli();
  EXPECT_TRUE(m.unavailable.empty());
  ExpectRel(m.WelxTop, b * h * h / 6);
  ExpectRel(m.WelxBottom, b * h * h / 6);
  ExpectRel(m.WelyLeft, h * b * b / 6);
  ExpectRel(m.WelyRight, h * b * b / 6);
  ExpectRel(m.Wplx, b * h * h / 4);
  ExpectRel(m.Wply, h * b * b / 4);
  ExpectRel(m.yPNA, 2 + h / 2);
  ExpectRel(m.xPNA, 1 + b / 2);
  ExpectRel(m.rx, h / std::sqrt(12.0));
  ExpectRel(m.ry, b / std::sqrt(12.0));
  // Taller than wide: the Imax axis is x, so u is x and v is y.
  ExpectRel(m.rmax, m.rx);
  ExpectRel(m.rmin, m.ry);
  ExpectRel(m.Welu, b * h * h / 6);
  ExpectRel(m.Welv, h * b * b / 6);
  ExpectRel(m.Wplu, b * h * h / 4);
  ExpectRel(m.Wplv, h * b * b / 4);
  ExpectRel(m.perimeter, 2 * (b + h));
}

TEST_F(ModuliTest, RectangleTurnedByThirtyDegreesKeepsItsPrincipalModuli) {
  const double b = 2, h = 5, a = 30 * DegToRad, c = std::cos(a), s = std::sin(a);
  auto at = [&](double x, double y) { return std::pair{3 + x * c - y * s, -1 + x * s + y * c}; };
  AddPolygon({at(0, 0), at(b, 0), at(b, h), at(0, h)});
  const ModuliSet m = Moduli();
  ExpectRel(m.Welu, b * h * h / 6, 1e-6);
  ExpectRel(m.Welv, h * b * b / 6, 1e-6);
  ExpectRel(m.Wplu, b * h * h / 4, 1e-6);
  ExpectRel(m.Wplv, h * b * b / 4, 1e-6);
  // About x the extreme fibres are the corners.
  const double top = std::max({at(0, 0).second, at(b, 0).second, at(b, h).second, at(0, h).second});
  ExpectRel(m.yTop + Calc.props.yBar, top, 1e-6);
}

TEST_F(ModuliTest, CircleAndRing) {
  const double r = 2.5;
  AddCircle(1, 1, r);
  ModuliSet m = Moduli();
  ExpectRel(m.WelxTop, Pi * r * r * r / 4);
  ExpectRel(m.WelyLeft, Pi * r * r * r / 4);
  ExpectRel(m.Wplx, 4 * r * r * r / 3, 1e-10);
  ExpectRel(m.Wplu, 4 * r * r * r / 3, 1e-10);
  ExpectRel(m.yPNA, 1, 1e-12);
  ExpectRel(m.perimeter, 2 * Pi * r);
  ExpectRel(m.rx, r / 2);

  // A ring as a circle with a hole of weight -1, and as a full-ring arc segment.
  const double rho = 1.75;
  AddCircle(1, 1, rho, -1.0f);
  m = Moduli();
  const double wel = Pi * (std::pow(r, 4) - std::pow(rho, 4)) / (4 * r);
  const double wpl = 4 * (std::pow(r, 3) - std::pow(rho, 3)) / 3;
  ExpectRel(m.WelxBottom, wel);
  ExpectRel(m.Wplx, wpl, 1e-10);
  ExpectRel(m.Wply, wpl, 1e-10);
  ExpectRel(m.perimeter, 2 * Pi * (r + rho));
  ResetTables();
  AddArcSegment(-3, 4, r, 45, 45, r - rho);
  m = Moduli();
  ExpectRel(m.WelyRight, wel, 1e-10);
  ExpectRel(m.Wplx, wpl, 1e-10);
  ExpectRel(m.Wply, wpl, 1e-10);
  ExpectRel(m.xPNA, -3, 1e-10);
  ExpectRel(m.perimeter, 2 * Pi * (r + rho), 1e-10);
}

// Flange 10 x 2 on a web 1 x 8: half the area lies 1.4 below the top, in the flange.
TEST_F(ModuliTest, UnequalFlangeTeeHasItsPlasticAxisInTheFlange) {
  AddPolygon({{-0.5, 0}, {0.5, 0}, {0.5, 8}, {5, 8}, {5, 10}, {-5, 10}, {-5, 8}, {-0.5, 8}});
  const ModuliSet m = Moduli();
  ExpectRel(m.yPNA, 8.6);
  ExpectRel(m.Wplx, 10 * 1.4 * 0.7 + 10 * 0.6 * 0.3 + 8 * 4.6);
  EXPECT_NEAR(m.xPNA, 0, 1e-12);  // on the axis of symmetry
  // The elastic moduli differ on the two sides: the centroid lies near the flange.
  const double ybar = (20 * 9 + 8 * 4) / 28.0;
  ExpectRel(m.WelxTop, Calc.props.Ixx / (10 - ybar));
  ExpectRel(m.WelxBottom, Calc.props.Ixx / ybar);
}

// The catalogue formula of a rolled I-section with root fillets.
TEST_F(ModuliTest, ISectionWithRootFillets) {
  const double b = 10, h = 20, tw = 1, tf = 2, r = 1.5;
  const int s = AddPolygon({{-b / 2, 0},
                            {b / 2, 0},
                            {b / 2, tf},
                            {tw / 2, tf},
                            {tw / 2, h - tf},
                            {b / 2, h - tf},
                            {b / 2, h},
                            {-b / 2, h},
                            {-b / 2, h - tf},
                            {-tw / 2, h - tf},
                            {-tw / 2, tf},
                            {-b / 2, tf}});
  for (int k : {3, 4, 9, 10}) SetFillet(r, Table.sections[s].firstNode + k);
  const ModuliSet m = Moduli();
  const double wpl = tw * h * h / 4 + (b - tw) * (h - tf) * tf + (4 - Pi) * r * r * (h - 2 * tf) / 2 +
                     (3 * Pi - 10) * r * r * r / 3;
  // The fillets' tangent points are stored in single precision.
  ExpectRel(m.Wplx, wpl, 1e-6);
  ExpectRel(m.yPNA, h / 2, 1e-7);
  ExpectRel(m.WelxTop, Calc.props.Ixx / (h / 2), 1e-7);
  const double perimeter = 2 * b + 2 * (b - tw) + 2 * (h - 2 * tf) - 8 * r + 4 * (Pi / 2) * r +
                           4 * tf;
  ExpectRel(m.perimeter, perimeter, 1e-6);
}

TEST_F(ModuliTest, MergeDataLeavesTheShapeValuesUnavailable) {
  AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddMergeData(5, 5, 4, 1, 1, 0);
  const ModuliSet m = Moduli();
  EXPECT_EQ(m.unavailable, "merge data carries no shape");
  EXPECT_TRUE(std::isnan(m.Wplx));
  EXPECT_TRUE(std::isnan(m.WelxTop));
  EXPECT_TRUE(std::isnan(m.perimeter));
  EXPECT_TRUE(std::isnan(m.yPNA));
  ExpectRel(m.rx, std::sqrt(Calc.props.Ixx / 8));  // needs no shape
  const std::vector<std::string> lines = ModuliReportLines(m, 3);
  EXPECT_EQ(lines.back(), " Unavailable: merge data carries no shape");
  EXPECT_NE(std::find(lines.begin(), lines.end(), " Wplx \t=   unavailable"), lines.end());
}

// A damaged file may hold a fillet whose angles lie countless turns apart. The
// fillet is the same arc once the whole turns are off: the same properties and
// moduli, where the raw angles counted the segment a million times over and set the
// net material enumerating every half turn.
TEST_F(ModuliTest, AFilletsWholeTurnsDoNotCount) {
  const int s = AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  const int corner = Table.sections[s].firstNode + 1;
  SetFillet(0.5, corner);
  const FilletView f(Table.params[corner]);
  ASSERT_EQ(f.angle1(), -90.0f);
  ASSERT_NEAR(f.angle2(), 0.0f, 1e-9);
  f.angle2() = 0;
  const ModuliSet want = Moduli();
  const PropertySet props = Calc.props;
  f.angle2() = 360.0f * (1 << 20);  // exact in single precision
  const ModuliSet got = Moduli();
  EXPECT_EQ(Calc.props.A, props.A);
  EXPECT_EQ(Calc.props.Ixx, props.Ixx);
  EXPECT_EQ(got.Wplx, want.Wplx);
  EXPECT_EQ(got.perimeter, want.perimeter);
}

TEST_F(ModuliTest, ShearFlowOfARectangle) {
  const double b = 3, h = 8;
  AddPolygon({{0, 0}, {b, 0}, {b, h}, {0, h}});
  const PropertySet& p = Compute();
  const CutModel model = BuildCutModel();
  const CutDirection d = ProjectCut(model, 0, 1);
  const ShearPoint na = ShearAt(d, p, ShearAxis::X, h / 2);
  ExpectRel(na.tauPerV, 1.5 / (b * h));
  ExpectRel(na.width, b);
  // Q = b/2 (h^2/4 - y^2) at y from the centroid.
  const ShearPoint q = ShearAt(d, p, ShearAxis::X, h / 2 + 1.5);
  ExpectRel(q.Q, b / 2 * (h * h / 4 - 1.5 * 1.5));
  const std::vector<ShearPoint> profile = ShearProfile(model, p, ShearAxis::Y, 4);
  ASSERT_EQ(profile.size(), 5u);
  EXPECT_DOUBLE_EQ(profile[2].level, b / 2);
  ExpectRel(profile[2].tauPerV, 1.5 / (b * h));
  EXPECT_NEAR(profile[4].Q, 0, 1e-12);
}

// A 100 x 100 plate whose top 10 are removed by a strip of weight -1: the net
// material is 100 wide and 90 high.
class NetMaterialTest : public ModuliTest {
 protected:
  // The plate and strip turned by `deg` about the origin.
  void PlateLessTopStrip(double deg = 0, double stripLeft = 0, double stripRight = 100,
                         double stripTop = 100) {
    const double a = deg * DegToRad, c = std::cos(a), s = std::sin(a);
    auto at = [&](double x, double y) { return std::pair{x * c - y * s, x * s + y * c}; };
    AddPolygon({at(0, 0), at(100, 0), at(100, 100), at(0, 100)});
    AddPolygon({at(stripLeft, 90), at(stripRight, 90), at(stripRight, stripTop), at(stripLeft, stripTop)},
               -1.0f);
  }
};

TEST_F(NetMaterialTest, ExtremeFibresAreThoseOfTheNetMaterial) {
  PlateLessTopStrip();
  ModuliSet m = Moduli();
  ExpectRel(m.yTop, 45);
  ExpectRel(m.yBottom, 45);
  ExpectRel(m.WelxTop, 135000);
  ExpectRel(m.WelxBottom, 135000);
  ExpectRel(m.WelyLeft, 90 * 100 * 100 / 6.0);

  // A strip drawn past the plate's top: beyond the plate it leaves only negative
  // weight, where no fibre is sought, and between 90 and 100 nothing.
  ResetTables();
  PlateLessTopStrip(0, 0, 100, 120);
  m = Moduli();
  ExpectRel(m.yTop, 90 - Calc.props.yBar);

  // Stacked plates, the upper one less a strip of weight -1 down its right side.
  ResetTables();
  AddPolygon({{0, 0}, {40, 0}, {40, 10}, {0, 10}});
  AddPolygon({{0, 10}, {40, 10}, {40, 30}, {0, 30}});
  AddPolygon({{30, 0}, {40, 0}, {40, 30}, {30, 30}}, -1.0f);
  m = Moduli();
  ExpectRel(m.xLeft + m.xRight, 30);
  ExpectRel(m.yTop + m.yBottom, 30);
  ExpectRel(m.WelyRight, Calc.props.Iyy / 15);
}

// Turned, the net material's extent across the principal axes is that of the net
// rectangle: u is the Imax axis, across which it reaches 50, v the Imin axis (45).
TEST_F(NetMaterialTest, PrincipalFibresOfATurnedPlateLessAStrip) {
  PlateLessTopStrip(30);
  const ModuliSet m = Moduli();
  ExpectRel(m.uFibre, 50, 1e-6);
  ExpectRel(m.vFibre, 45, 1e-6);
  ExpectRel(m.Welu, 90 * 100 * 100 / 6.0, 1e-6);
  ExpectRel(m.Welv, 135000, 1e-6);
}

TEST_F(NetMaterialTest, PerimeterIsTheBoundaryOfTheNetMaterial) {
  PlateLessTopStrip();
  ExpectRel(Moduli().perimeter, 380);

  // An I of three abutting rectangles: the faces they share are no surface.
  ResetTables();
  AddPolygon({{-50, 0}, {50, 0}, {50, 10}, {-50, 10}});
  AddPolygon({{-4, 10}, {4, 10}, {4, 190}, {-4, 190}});
  AddPolygon({{-50, 190}, {50, 190}, {50, 200}, {-50, 200}});
  ExpectRel(Moduli().perimeter, 2 * 100 + 4 * 10 + 4 * 46 + 2 * 180);

  // Two overlapping squares: their edges cross; where both lie is no boundary.
  ResetTables();
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  AddPolygon({{5, 5}, {15, 5}, {15, 15}, {5, 15}});
  ExpectRel(Moduli().perimeter, 60);

  // A rounded top: a circular segment whose chord lies on the rectangle's top.
  ResetTables();
  AddPolygon({{-4, -6}, {4, -6}, {4, 0}, {-4, 0}});
  AddArcSegment(0, -3, 5, 36.86989764584402, 143.13010235415598, -1);
  const double arc = 5 * (143.13010235415598 - 36.86989764584402) * DegToRad;
  ExpectRel(Moduli().perimeter, 8 + 2 * 6 + arc, 1e-6);

  // A lone piece with arcs: a ring sector, its arcs and its two ends.
  ResetTables();
  AddArcSegment(0.5, 0.2, 2, 20, 250, 0.8);
  ExpectRel(Moduli().perimeter, (2 + 1.2) * 230 * DegToRad + 2 * 0.8, 1e-7);

  // A half-round notch: a segment of weight -1 whose chord lies on the plate's top.
  ResetTables();
  AddPolygon({{0, 0}, {20, 0}, {20, 10}, {0, 10}});
  AddArcSegment(10, 10, 3, 180, 360, -1, -1.0f);
  ExpectRel(Moduli().perimeter, 60 - 6 + Pi * 3, 1e-12);
}

// The cuts run over the net material, and the cuts at its two extreme fibres are
// alike: nothing beyond one, everything beyond the other, Q = 0 at both and the
// width of the face each lies on.
TEST_F(NetMaterialTest, ShearRunsOverTheNetMaterial) {
  PlateLessTopStrip();
  const PropertySet& p = Compute();
  const std::vector<ShearPoint> profile = ShearProfile(BuildCutModel(), p, ShearAxis::X, 9);
  ASSERT_EQ(profile.size(), 10u);
  EXPECT_EQ(profile.front().level, 0);
  EXPECT_EQ(profile[1].level, 10);
  EXPECT_EQ(profile.back().level, 90);
  for (const ShearPoint& end : {profile.front(), profile.back()}) {
    EXPECT_EQ(end.Q, 0);
    EXPECT_EQ(end.tauPerV, 0);
    ExpectRel(end.width, 100);
  }
  ExpectRel(profile[1].Q, 100 * 10 * 40);
}

// The same shape at the scales of 1e-6 and 1e-30 (powers of two, so that the
// nodes' single precision holds them exactly) gives the same values, scaled.
TEST_F(ModuliTest, TinySectionsScaleLikeLargeOnes) {
  for (double s : {std::ldexp(1.0, -20), std::ldexp(1.0, -100)}) {
    SCOPED_TRACE(s);
    ResetTables();
    AddPolygon({{-0.5 * s, 0}, {0.5 * s, 0}, {0.5 * s, 8 * s}, {5 * s, 8 * s}, {5 * s, 10 * s},
                {-5 * s, 10 * s}, {-5 * s, 8 * s}, {-0.5 * s, 8 * s}});
    const ModuliSet m = Moduli();
    EXPECT_EQ(m.unavailable, "");
    ExpectRel(m.yPNA, 8.6 * s, 1e-9);
    ExpectRel(m.Wplx, (10 * 1.4 * 0.7 + 10 * 0.6 * 0.3 + 8 * 4.6) * s * s * s, 1e-9);
    ExpectRel(m.Wply, (2 * 25 + 8 * 0.25) * s * s * s, 1e-9);
    ExpectRel(m.perimeter, 40 * s, 1e-9);
  }
}

}  // namespace
