// Reflection, rotation and copy checked against the closed-form properties of the
// sections they make.
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/program_state.h"
#include "construct/reflection.h"
#include "construct/rotate_copy.h"
#include "files/section_file.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "support/core_test.h"
#include "support/table_builder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class SectionOpsTest : public CoreTest {
 protected:
  // Equal to a relative tol (the pieces keep some values in single precision).
  void ExpectSame(const PropertySet& a, const PropertySet& b, double tol) {
    EXPECT_NEAR(a.A, b.A, tol * std::max(1.0, std::fabs(b.A)));
    EXPECT_NEAR(a.xBar, b.xBar, tol * std::max(1.0, std::fabs(b.xBar)));
    EXPECT_NEAR(a.yBar, b.yBar, tol * std::max(1.0, std::fabs(b.yBar)));
    EXPECT_NEAR(a.Ixx, b.Ixx, tol * std::max(1.0, std::fabs(b.Ixx)));
    EXPECT_NEAR(a.Iyy, b.Iyy, tol * std::max(1.0, std::fabs(b.Iyy)));
    EXPECT_NEAR(a.Ixy, b.Ixy, tol * std::max(1.0, std::fabs(b.Ixx) + std::fabs(b.Iyy)));
  }
  // An L-shape off the origin: area 28, an Ixy of its own.
  int LShape() { return AddPolygon({{1, 1}, {7, 1}, {7, 3}, {3, 3}, {3, 9}, {1, 9}}); }
};

TEST_F(SectionOpsTest, ReflectedTriangleKeepsItsTurnAndArea) {
  AddPolygon({{0, 0}, {2, 0}, {0, 1}});
  ReflectX();
  ASSERT_EQ(Table.sectionCount, 2);
  const Section& copy = Table.sections[2];
  EXPECT_EQ(copy.flags, Complete | XReflectCopy);
  // (0,-1), (2,0), (0,0) in that slot order.
  EXPECT_EQ(Table.nodes[4].x, 0);
  EXPECT_EQ(Table.nodes[4].y, -1);
  EXPECT_EQ(Table.nodes[5].x, 2);
  EXPECT_EQ(Table.nodes[6].y, 0);
  const PropertySet& p = Compute();
  EXPECT_DOUBLE_EQ(p.A, 2);  // both count positive
  EXPECT_NEAR(p.yBar, 0, 1e-12);
}

TEST_F(SectionOpsTest, ReflectionMirrorsTheCentroidAndProduct) {
  LShape();
  const PropertySet source = Compute();
  for (Axis axis : {Axis::X, Axis::Y}) {
    ResetTables();
    LShape();
    Reflect(axis);
    Table.sections[1].flags |= Deleted;  // the copy alone
    const PropertySet& m = Compute();
    EXPECT_DOUBLE_EQ(m.A, source.A);
    EXPECT_NEAR(m.xBar, axis == Axis::Y ? -source.xBar : source.xBar, 1e-12);
    EXPECT_NEAR(m.yBar, axis == Axis::X ? -source.yBar : source.yBar, 1e-12);
    EXPECT_NEAR(m.Ixx, source.Ixx, 1e-9);
    EXPECT_NEAR(m.Iyy, source.Iyy, 1e-9);
    EXPECT_NEAR(m.Ixy, -source.Ixy, 1e-9);
  }
}

// A 20 x 12 box with a 16 x 8 hole, drawn as its first quadrant (the hole as weight
// -1) and reflected about both axes, is the whole hollow section.
TEST_F(SectionOpsTest, QuarterOfAHollowBoxReflectedTwiceIsTheWholeBox) {
  AddPolygon({{0, 0}, {10, 0}, {10, 6}, {0, 6}});
  AddPolygon({{0, 0}, {8, 0}, {8, 4}, {0, 4}}, -1.0f);
  ReflectX();
  ReflectY();
  EXPECT_EQ(Table.sectionCount, 8);
  const PropertySet& p = Compute();
  EXPECT_NEAR(p.A, 20 * 12 - 16 * 8, 1e-9);
  EXPECT_NEAR(p.xBar, 0, 1e-12);
  EXPECT_NEAR(p.yBar, 0, 1e-12);
  EXPECT_NEAR(p.Ixx, (20 * 12.0 * 12 * 12 - 16 * 8.0 * 8 * 8) / 12, 1e-9);
  EXPECT_NEAR(p.Iyy, (12 * 20.0 * 20 * 20 - 8 * 16.0 * 16 * 16) / 12, 1e-9);
  EXPECT_NEAR(p.Ixy, 0, 1e-9);

  // Undoing the x-reflection deletes the x-copies and the y-copies made of them.
  UndoReflection(Axis::X);
  int deleted = 0;
  for (int s = 1; s <= Table.sectionCount; ++s) deleted += (Table.sections[s].flags & Deleted) != 0;
  EXPECT_EQ(deleted, 4);
  EXPECT_FALSE(Table.xReflected);
  EXPECT_NEAR(Compute().A, 2 * (60 - 32), 1e-9);
}

TEST_F(SectionOpsTest, ReflectedPiecesKeepTheirShape) {
  AddArcSegment(3, 2, 5, 10, 80, 1);
  AddRadialBlock(-4, 1, 6, 20, 1.5, 2);
  AddArcSegment(0, 8, 4, 30, 120, -1);  // a chord segment
  AddMergeData(2, -3, 6, 10, 4, 2);
  const PropertySet before = Compute();
  ReflectY();
  const ParamRow& arc = Table.params[Table.sections[5].firstNode];
  EXPECT_FLOAT_EQ(arc.c[4], 100);
  EXPECT_FLOAT_EQ(arc.c[5], 170);
  for (int s = 1; s <= 4; ++s) Table.sections[s].flags |= Deleted;
  const PropertySet& after = Compute();
  PropertySet mirrored = before;
  mirrored.xBar = -before.xBar;
  mirrored.Ixy = -before.Ixy;
  ExpectSame(after, mirrored, 1e-6);
}

TEST_F(SectionOpsTest, QuarterTurnAboutTheCentroidSwapsTheMoments) {
  LShape();
  const PropertySet p = Compute();
  RotateSection(1, p.xBar, p.yBar, 90);
  const PropertySet& q = Compute();
  EXPECT_NEAR(q.A, p.A, 1e-9);
  EXPECT_NEAR(q.xBar, p.xBar, 1e-5);
  EXPECT_NEAR(q.yBar, p.yBar, 1e-5);
  EXPECT_NEAR(q.Ixx, p.Iyy, 1e-3);
  EXPECT_NEAR(q.Iyy, p.Ixx, 1e-3);
  EXPECT_NEAR(q.Ixy, -p.Ixy, 1e-3);
}

TEST_F(SectionOpsTest, RotationTurnsArcsBlocksAndFillets) {
  AddArcSegment(0, 0, 5, 10, 80, 1);
  RotateSection(1, 0, 0, 30);
  const ParamRow& arc = Table.params[1];
  EXPECT_FLOAT_EQ(arc.c[4], 40);
  EXPECT_FLOAT_EQ(arc.c[5], 110);
  EXPECT_FLOAT_EQ(arc.c[1], 0);

  ResetTables();
  const int s = AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  for (int k : {1, 2, 3}) SetFillet(2, k);
  const PropertySet p = Compute();
  RotateSection(s, 0, 0, 90);  // about its own first node
  for (int k : {1, 2, 3}) EXPECT_FLOAT_EQ(Table.params[k].c[3], 2) << k;
  const PropertySet& q = Compute();
  EXPECT_NEAR(q.A, p.A, 1e-4);
  EXPECT_NEAR(q.Ixx, p.Iyy, 1e-2);
  EXPECT_NEAR(q.xBar, -p.yBar, 1e-5);
}

// Whole turns come off the angle before it turns anything; stored angles are
// directions in [0, 360), a chord segment's second following its first.
TEST_F(SectionOpsTest, RotationTakesWholeTurnsOffFirst) {
  AddArcSegment(0, 0, 5, 10, 80, 1);
  AddArcSegment(0, 0, 5, 350, 380, -1);
  RotateSection(1, 0, 0, 36000000);
  RotateSection(2, 0, 0, -3 * 360 + 90);
  const auto& c = Table.params;
  EXPECT_EQ((std::array{c[1].c[4], c[1].c[5], c[2].c[4], c[2].c[5]}),
            (std::array{10.0f, 80.0f, 80.0f, 110.0f}));
}

// A copy or turn whose values would not be finite in single precision is refused and
// leaves the table as it was, to the byte.
TEST_F(SectionOpsTest, CopyOrTurnOutOfRangeChangesNothing) {
  AddPolygon({{0, 0}, {10, 0}, {10, 4}, {0, 4}});
  SetFillet(1.5, 3);
  AddArcSegment(0, 1e38, 5, 10, 80, 1);
  ASSERT_TRUE(CopySection(1, 3e38, 0));
  Table.CurrentSection = 1;
  const std::vector<std::uint8_t> before = EncodeSectionFile();
  EXPECT_FALSE(CopySection(3, 3e38, 0));  // the copy of the copy
  EXPECT_FALSE(CopySection(2, 0, 3e38));
  EXPECT_FALSE(RotateSection(1, -3e38, -3e38, 90));  // about a far point
  EXPECT_FALSE(RotateSection(2, -3e38, -3e38, 180));
  EXPECT_EQ(EncodeSectionFile(), before);
  EXPECT_EQ(Table.CurrentSection, 1);
}

TEST_F(SectionOpsTest, CopyDoublesTheAreaAndMovesTheCentroidHalfWay) {
  const int s = AddPolygon({{0, 0}, {10, 0}, {10, 4}, {0, 4}});
  SetFillet(1.5, 3);
  const PropertySet p = Compute();
  CopySection(s, 6, -8);
  EXPECT_EQ(Table.nodeCount, 8);
  EXPECT_FLOAT_EQ(Table.params[7].c[3], 1.5);
  EXPECT_FLOAT_EQ(Table.params[7].c[1], Table.params[3].c[1] + 6);  // fillet centre moved
  const PropertySet& q = Compute();
  EXPECT_NEAR(q.A, 2 * p.A, 1e-9);
  EXPECT_NEAR(q.xBar, p.xBar + 3, 1e-9);
  EXPECT_NEAR(q.yBar, p.yBar - 4, 1e-9);
}

// Merge data standing for a polygon follows each operation as the polygon does.
TEST_F(SectionOpsTest, MergeDataFollowsThePolygonItStandsFor) {
  LShape();
  const PropertySet own = Compute();
  auto asMergeData = [&] {
    return AddMergeData(own.xBar, own.yBar, own.A, own.Ixx, own.Iyy, own.Ixy);
  };
  auto run = [&](auto operation) {
    ResetTables();
    LShape();
    operation(1);
    const PropertySet poly = Compute();
    ResetTables();
    asMergeData();
    operation(1);
    const PropertySet merged = Compute();
    ExpectSame(merged, poly, 1e-5);
  };
  run([](int s) { CopySection(s, 5, 7); });
  run([](int) { ReflectX(); });
  run([](int) { ReflectY(); });
  run([](int s) { RotateSection(s, 2, -1, 35); });
}

TEST_F(SectionOpsTest, PipeAsTwoCirclesEqualsTheFullRing) {
  AddCircle(2, 3, 10);
  AddCircle(2, 3, 8, -1.0f);
  const PropertySet circles = Compute();
  ResetTables();
  AddArcSegment(2, 3, 10, 0, 360, 2);
  const PropertySet ring = Compute();
  ExpectSame(ring, circles, 1e-9);
  EXPECT_NEAR(circles.A, kPi * (100 - 64), 1e-9);
  EXPECT_NEAR(circles.Ixx, kPi * (10000 - 4096) / 4, 1e-6);
}

TEST_F(SectionOpsTest, RoomIsCheckedBeforeAnyCopy) {
  for (int i = 0; i < 51; ++i) AddCircle(i, 0, 1);
  EXPECT_FALSE(ReflectionRoomProblem().empty());  // 102 sections
  ResetTables();
  AddPolygon({{0, 0}, {1, 0}, {1, 1}});
  Table.lowestPhantom = 6;  // phantom points from slot 6 up
  EXPECT_FALSE(ReflectionRoomProblem().empty());
  EXPECT_FALSE(CopyRoomProblem(1).empty());
  Table.lowestPhantom = 7;
  EXPECT_TRUE(ReflectionRoomProblem().empty());
}

}  // namespace
