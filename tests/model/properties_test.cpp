// Property calculation against closed forms.
#include <cmath>

#include "app/report_window.h"
#include "app/program_state.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "support/core_test.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class PropertiesTest : public CoreTest {};

TEST_F(PropertiesTest, SquareGivesSameResultInEitherDirection) {
  for (bool clockwise : {false, true}) {
    ResetTables();
    if (clockwise)
      AddPolygon({{0, 0}, {0, 10}, {10, 10}, {10, 0}});
    else
      AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const PropertySet& p = Compute();
    EXPECT_DOUBLE_EQ(p.A, 100);
    EXPECT_DOUBLE_EQ(p.xBar, 5);
    EXPECT_DOUBLE_EQ(p.yBar, 5);
    EXPECT_NEAR(p.Ixx, 10000.0 / 12, 1e-9);
    EXPECT_NEAR(p.Iyy, 10000.0 / 12, 1e-9);
    EXPECT_NEAR(p.Ixy, 0, 1e-9);
    EXPECT_NEAR(p.Imax, 10000.0 / 12, 1e-9);
    EXPECT_NEAR(p.Imin, 10000.0 / 12, 1e-9);
    EXPECT_EQ(p.angle, 0);
  }
}

TEST_F(PropertiesTest, RectanglesAwayFromOriginGiveCentroidalMoments) {
  AddPolygon({{3, -2}, {23, -2}, {23, 8}, {3, 8}});  // 20 wide, 10 high
  const PropertySet& p = Compute();
  EXPECT_DOUBLE_EQ(p.A, 200);
  EXPECT_NEAR(p.xBar, 13, 1e-12);
  EXPECT_NEAR(p.yBar, 3, 1e-12);
  EXPECT_NEAR(p.Ixx, 20.0 * 1000 / 12, 1e-8);
  EXPECT_NEAR(p.Iyy, 10.0 * 8000 / 12, 1e-8);
  EXPECT_NEAR(p.Ixy, 0, 1e-8);
}

// The angle is the direction of the Imax axis: a tall section has its largest moment
// about the x axis (angle 0), a wide one about the y axis (angle 90).
TEST_F(PropertiesTest, PrincipalAngleFollowsTheImaxAxis) {
  AddPolygon({{0, 0}, {10, 0}, {10, 20}, {0, 20}});
  EXPECT_EQ(Compute().angle, 0);
  ResetTables();
  AddPolygon({{0, 0}, {20, 0}, {20, 10}, {0, 10}});
  EXPECT_EQ(Compute().angle, 90);
  EXPECT_NEAR(Calc.props.Imax, Calc.props.Iyy, 1e-9);
}

// Holes alone give negative moments; the angle still follows the algebraically
// larger one, which is then the smaller in magnitude.
TEST_F(PropertiesTest, NegativeTotalsFollowTheImaxAxisToo) {
  AddPolygon({{0, 0}, {10, 0}, {10, 20}, {0, 20}}, -1.0f);  // 10 wide, 20 high
  const PropertySet& p = Compute();
  ASSERT_LT(p.Ixx, p.Iyy);
  ASSERT_LT(p.Iyy, 0);
  EXPECT_NEAR(p.Imax, p.Iyy, 1e-9);
  EXPECT_EQ(p.angle, 90);
  ResetTables();
  AddPolygon({{0, 0}, {20, 0}, {20, 10}, {0, 10}}, -1.0f);  // 20 wide, 10 high
  EXPECT_EQ(Compute().angle, 0);
  // A small square on the centroid of a larger hole of weight -2.
  ResetTables();
  AddPolygon({{8, 3}, {12, 3}, {12, 7}, {8, 7}});
  AddPolygon({{0, 0}, {20, 0}, {20, 10}, {0, 10}}, -2.0f);
  ASSERT_LT(Compute().A, 0);
  EXPECT_NEAR(Calc.props.Imax, Calc.props.Ixx, 1e-9);
  EXPECT_EQ(Calc.props.angle, 0);
}

TEST_F(PropertiesTest, RotatedSquareHasNoPrincipalDirection) {
  double c = std::cos(30 * kPi / 180), s = std::sin(30 * kPi / 180);
  AddPolygon({{0, 0}, {10 * c, 10 * s}, {10 * c - 10 * s, 10 * s + 10 * c}, {-10 * s, 10 * c}});
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, 100, 1e-4);
  EXPECT_NEAR(p.Ixx, p.Iyy, 1e-3);
  EXPECT_EQ(p.angle, 0);
}

TEST_F(PropertiesTest, SymmetricLShapeGivesFortyFiveDegrees) {
  // Legs along the axes: material below and left of the centroid, so Ixy < 0.
  AddPolygon({{0, 0}, {10, 0}, {10, 2}, {2, 2}, {2, 10}, {0, 10}});
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.Ixx, p.Iyy, 1e-9);
  ASSERT_LT(p.Ixy, 0);
  EXPECT_EQ(p.angle, 45);
  // Mirrored in x the product changes sign.
  ResetTables();
  AddPolygon({{0, 0}, {0, 10}, {-2, 10}, {-2, 2}, {-10, 2}, {-10, 0}});
  ASSERT_GT(Compute().Ixy, 0);
  EXPECT_EQ(Calc.props.angle, -45);
}

TEST_F(PropertiesTest, GeneralAngleLiesOnTheImaxAxis) {
  AddPolygon({{0, 0}, {12, 0}, {12, 2}, {2, 2}, {2, 7}, {0, 7}});  // unequal L
  const PropertySet& p = Compute();
  double th = p.angle * kPi / 180;
  double c = std::cos(th), s = std::sin(th);
  // Moment about the axis in direction th equals Imax.
  double iu = c * c * p.Ixx - 2 * s * c * p.Ixy + s * s * p.Iyy;
  EXPECT_NEAR(iu, p.Imax, 1e-9 * p.Imax);
  EXPECT_GE(p.angle, -45);
  EXPECT_LE(p.angle, 135);
}

TEST_F(PropertiesTest, NegativeWeightMakesAHole) {
  AddPolygon({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
  AddPolygon({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, -1.0f);  // clockwise as well
  const PropertySet& p = Compute();
  EXPECT_DOUBLE_EQ(p.A, 300);
  EXPECT_NEAR(p.xBar, (400 * 10 - 100 * 5) / 300.0, 1e-12);
  double ixxOrigin = 20.0 * 8000 / 3 - 10.0 * 1000 / 3;
  EXPECT_NEAR(p.Ixx, ixxOrigin - 300 * p.yBar * p.yBar, 1e-8);
}

TEST_F(PropertiesTest, WeightScalesEveryTerm) {
  AddCircle(1, 2, 3, 2.5f);
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, 2.5 * kPi * 9, 1e-9);
  EXPECT_NEAR(p.Ixx, 2.5 * kPi * 81 / 4, 1e-9);
  EXPECT_DOUBLE_EQ(p.xBar, 1);
}

TEST_F(PropertiesTest, CircleAndRing) {
  AddCircle(0, 0, 1);
  EXPECT_NEAR(Compute().A, kPi, 1e-12);
  EXPECT_NEAR(Calc.props.Ixx, kPi / 4, 1e-12);
  EXPECT_NEAR(Calc.props.Iyy, kPi / 4, 1e-12);

  ResetTables();
  AddArcSegment(3, -4, 2, 30, 30, 1);  // a1 = a2: full ring, inner radius 1
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, kPi * (4 - 1), 1e-9);
  EXPECT_NEAR(p.xBar, 3, 1e-9);
  EXPECT_NEAR(p.yBar, -4, 1e-9);
  EXPECT_NEAR(p.Ixx, kPi * (16 - 1) / 4, 1e-9);
  EXPECT_NEAR(p.Iyy, kPi * (16 - 1) / 4, 1e-9);
  EXPECT_NEAR(p.Ixy, 0, 1e-9);
}

TEST_F(PropertiesTest, QuarterDiscSector) {
  AddArcSegment(0, 0, 1, 0, 90, 0);
  const PropertySet& p = Compute();
  double c = 4 / (3 * kPi);
  EXPECT_NEAR(p.A, kPi / 4, 1e-12);
  EXPECT_NEAR(p.xBar, c, 1e-12);
  EXPECT_NEAR(p.yBar, c, 1e-12);
  EXPECT_NEAR(p.Ixx, kPi / 16 - kPi / 4 * c * c, 1e-12);
  EXPECT_NEAR(p.Ixy, 1.0 / 8 - kPi / 4 * c * c, 1e-12);
}

TEST_F(PropertiesTest, ChordSegment) {
  AddArcSegment(0, 0, 1, 0, 90, -1);
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, kPi / 4 - 0.5, 1e-7);
  // K1 is held in single precision, to the bit: results in files depend on it.
  const double half = 90 * DegToRad / 2;
  EXPECT_EQ(p.A, static_cast<float>(half - std::sin(half) * std::cos(half)));
  // The segment's centroid lies on the 45-degree line, at 2/3 sin³α / (α - sinα cosα).
  double a = kPi / 4, s = std::sin(a);
  double d = (2.0 / 3) * s * s * s / (a - s * std::cos(a));
  EXPECT_NEAR(p.xBar, d / std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(p.yBar, p.xBar, 1e-12);
  // The sector minus the triangle (0,0),(1,0),(0,1) about the origin.
  double ixxOrigin = kPi / 16 - 1.0 / 12;
  EXPECT_NEAR(p.Ixx + p.A * p.yBar * p.yBar, ixxOrigin, 1e-7);
}

TEST_F(PropertiesTest, ChordSegmentWithEqualAnglesIsReportedAndSkipped) {
  AddArcSegment(0, 0, 1, 40, 40, -1);
  AddCircle(5, 0, 1);
  const PropertySet& p = Compute();
  auto boxes = EventsOfKind(PlatformEvent::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error calculating chord segment");
  EXPECT_EQ(boxes[0].caption, "Chord Segment");
  EXPECT_EQ(boxes[0].style, 16);
  EXPECT_NEAR(p.A, kPi, 1e-12);  // the calculation went on without the segment
  EXPECT_TRUE(Shared.ResultsCurrent);
}

TEST_F(PropertiesTest, RadialBlockOfWidthZeroReportsBothArcs) {
  AddRadialBlock(0, 0, 2, 10, 0, 1);
  Compute();
  EXPECT_EQ(EventsOfKind(PlatformEvent::MessageBox).size(), 2u);
  EXPECT_EQ(Calc.props.A, 0);
}

TEST_F(PropertiesTest, MergeDataAlone) {
  AddMergeData(2, 3, 4, 5, 6, 7);
  const PropertySet& p = Compute();
  EXPECT_DOUBLE_EQ(p.A, 4);
  EXPECT_DOUBLE_EQ(p.xBar, 2);
  EXPECT_DOUBLE_EQ(p.yBar, 3);
  EXPECT_DOUBLE_EQ(p.Ixx, 5);
  EXPECT_DOUBLE_EQ(p.Iyy, 6);
  EXPECT_DOUBLE_EQ(p.Ixy, 7);
}

TEST_F(PropertiesTest, AllSectionsOffGiveZerosAndKeepTheCentroid) {
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  Compute();
  ASSERT_DOUBLE_EQ(Calc.props.xBar, 2);
  Table.sections[1].flags |= Off;
  Shared.ResultsCurrent = false;
  const PropertySet& p = Compute();
  EXPECT_EQ(p.A, 0);
  EXPECT_EQ(p.Ixx, 0);
  EXPECT_EQ(p.Iyy, 0);
  EXPECT_EQ(p.Ixy, 0);
  EXPECT_EQ(p.Imax, 0);
  EXPECT_EQ(p.Imin, 0);
  EXPECT_EQ(p.angle, 0);
  EXPECT_DOUBLE_EQ(p.xBar, 2);
  EXPECT_DOUBLE_EQ(p.yBar, 1);
}

TEST_F(PropertiesTest, DeletedAndZeroAreaSectionsContributeNothing) {
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  AddCircle(50, 50, 10);
  Table.sections[2].flags |= Deleted;
  AddMergeData(9, 9, 0, 100, 100, 100);  // zero area: own moments ignored too
  AddMergeData(9, 9, 0, INFINITY, 1, 0);  // even one that is not finite
  const PropertySet& p = Compute();
  EXPECT_DOUBLE_EQ(p.A, 8);
  EXPECT_NEAR(p.Ixx, 4.0 * 8 / 12, 1e-12);
}

TEST_F(PropertiesTest, ImaxZeroWithNonzeroProductGivesAFiniteAngle) {
  AddMergeData(0, 0, 1, -1, -1, 1);  // R = 2, Imax = 0
  const PropertySet& p = Compute();
  EXPECT_EQ(p.Imax, 0);
  EXPECT_EQ(p.angle, -45);
  ResetTables();
  AddMergeData(0, 0, 1, -2, 0, 0);  // Imax = 0 = Iyy, Ixy = 0
  EXPECT_EQ(Compute().angle, 90);
}

TEST_F(PropertiesTest, UnfinishedLastPolygonSkipsTheCalculation) {
  AddCircle(0, 0, 1);
  AddPolygon({{0, 0}, {1, 0}}, 1.0f, false);
  Calc.props.A = 42;
  ComputeProperties();
  EXPECT_EQ(Calc.props.A, 42);
  EXPECT_FALSE(Shared.ResultsCurrent);
  EXPECT_TRUE(OutputWindows().empty());
  // An empty table is the same case.
  ResetTables();
  ComputeProperties();
  EXPECT_TRUE(OutputWindows().empty());
}

TEST_F(PropertiesTest, ReportTwiceComputesOnce) {
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ComputeProperties();
  // A change that bypasses the flag shows whether the second request recomputes.
  Table.nodes[3] = {20, 20};
  ComputeProperties();
  auto windows = OutputWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0].lines, windows[1].lines);
  EXPECT_DOUBLE_EQ(Calc.props.A, 100);
  EXPECT_EQ(Calc.calcMode, CalcReport);
}

TEST_F(PropertiesTest, SilentCallerLeavesNoSilentModeBehind) {
  AddCircle(0, 0, 1);
  ComputePropertiesSilently();
  EXPECT_TRUE(OutputWindows().empty());
  EXPECT_TRUE(Shared.ResultsCurrent);
  ComputePropertiesSilently();  // results current: nothing computed
  EXPECT_EQ(Calc.calcMode, CalcIdle);
  ComputeProperties();
  EXPECT_EQ(OutputWindows().size(), 1u);
}

}  // namespace
