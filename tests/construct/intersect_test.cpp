// The second half of a pending step as a line: the worked cases of each form, the
// tolerance, the failures and what they withdraw.
#include "construct/intersect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "construct/entry_state.h"
#include "support/core_test.h"

namespace {

class IntersectTest : public CoreTest {
 protected:
  // Nodes 1..n already placed, plus the pending node (counted, not yet written).
  void PlaceNodes(std::initializer_list<Node> nodes) {
    int k = 0;
    for (const Node& n : nodes) Table.nodes[++k] = n;
    Table.nodeCount = k + 1;
  }
  void Pending(PendingStepKind step, double lastAngle = 0) {
    Entry = EntryState{};
    Entry.PendingStep = step;
    Entry.LastAngle = lastAngle;
  }
  // Runs IntersectLine and returns the meeting point (last node + step).
  int Meet(const std::string& text, double& x, double& y) {
    std::string line = text;
    double dx = 0, dy = 0;
    const Node p0 = Table.nodes[Table.nodeCount - 1];
    int status = IntersectLine(line, dx, dy);
    if (status == 0) {
      EXPECT_EQ(line, "");
    }
    x = p0.x + dx;
    y = p0.y + dy;
    return status;
  }
  void ExpectFailure(const std::string& message = "Intersect cannot be calculated") {
    auto boxes = EventsOfKind(PlatformEvent::MessageBox);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, message);
    EXPECT_EQ(boxes.back().caption, "Intersection Error");
    EXPECT_EQ(boxes.back().style, MsgIconError);
  }
};

TEST_F(IntersectTest, UpStepMeetsHorizontalAndSlopedLinesButNotVertical) {
  PlaceNodes({{0, 0}, {4, 4}, {0, 2}});
  double x, y;
  Pending(StepUp);
  EXPECT_EQ(Meet("y=3", x, y), 0);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 3);
  EXPECT_EQ(Entry.PendingStep, StepNone);
  EXPECT_EQ(Entry.LastAngle, 90);  // kept in degrees

  Pending(StepUp);
  EXPECT_EQ(Meet("1-2,0", x, y), 0);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);

  Pending(StepUp);
  const int before = Table.nodeCount;
  EXPECT_EQ(Meet("x=5", x, y), -1);
  ExpectFailure();
  EXPECT_EQ(Table.nodeCount, before - 1);  // the pending node withdrawn
  EXPECT_EQ(Entry.PendingStep, StepNone);
}

TEST_F(IntersectTest, RightStepMeetsVerticalLineOnly) {
  PlaceNodes({{0, 0}});
  double x, y;
  Pending(StepRight);
  EXPECT_EQ(Meet("x=7", x, y), 0);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 0);
  Pending(StepLeft);
  EXPECT_EQ(Meet("y=2", x, y), -1);
  EXPECT_EQ(Entry.LastAngle, 180);
}

TEST_F(IntersectTest, AngledRayMeetsAxisLinesAndSlopedLines) {
  PlaceNodes({{0, 0}});
  double x, y;
  Pending(StepAngle, 45);
  EXPECT_EQ(Meet("x=2", x, y), 0);
  EXPECT_NEAR(x, 2, 1e-12);
  EXPECT_NEAR(y, 2, 1e-12);
  Pending(StepAngle, 45);
  EXPECT_EQ(Meet("y=3", x, y), 0);
  EXPECT_NEAR(x, 3, 1e-12);
  EXPECT_NEAR(y, 3, 1e-12);
  EXPECT_EQ(Entry.LastAngle, 45);

  // Ray at 30 degrees from the origin and the line y = x - 4 through nodes 2 and 3.
  PlaceNodes({{0, 0}, {4, 0}, {5, 1}});
  Table.nodes[4] = Table.nodes[1];  // the step starts from node 4 at the origin
  Table.nodeCount = 5;
  Pending(StepAngle, 30);
  EXPECT_EQ(Meet("2-3,0", x, y), 0);
  const double t = std::tan(30 * DegToRad);
  EXPECT_NEAR(x, 4 / (1 - t), 1e-9);
  EXPECT_NEAR(y, 4 * t / (1 - t), 1e-9);
}

TEST_F(IntersectTest, SidewaysOffsetIsToTheLeftOfMToN) {
  PlaceNodes({{0, 0}, {10, 0}, {5, 5}});
  double x, y;
  Pending(StepDown);
  EXPECT_EQ(Meet("1-2,1", x, y), 0);
  EXPECT_EQ(y, 1);
  Pending(StepDown);
  EXPECT_EQ(Meet("2-1,1", x, y), 0);
  EXPECT_EQ(y, -1);
  // Vertical m-n line: left of upward is -x.
  PlaceNodes({{0, 0}, {0, 10}, {5, 5}});
  Pending(StepRight);
  EXPECT_EQ(Meet("1-2,2", x, y), 0);
  EXPECT_EQ(x, -2);
  EXPECT_EQ(y, 5);
  // A sloped line moves by a perpendicular distance of a.
  PlaceNodes({{0, 0}, {1, 1}, {0, 5}});
  Pending(StepRight);
  EXPECT_EQ(Meet("1-2,1", x, y), 0);
  EXPECT_NEAR(y - x, std::sqrt(2.0), 1e-9);
}

TEST_F(IntersectTest, PlainNumbersAreDistancesAndMinusNamesPoints) {
  PlaceNodes({{0, 0}, {0, 2}});
  Pending(StepUp);
  std::string line = "5";
  double dx = 1, dy = 2;
  EXPECT_EQ(IntersectLine(line, dx, dy), 0);
  EXPECT_EQ(line, "5");  // left to the caller
  EXPECT_EQ(dx, 1);
  EXPECT_EQ(dy, 2);
  EXPECT_EQ(Entry.PendingStep, StepNone);

  // -5 is the line from point 0 (the origin) to point 5, which is not in use.
  Pending(StepUp);
  double x, y;
  EXPECT_EQ(Meet("-5", x, y), -1);
  ExpectFailure("Point 5 does not exist");
}

TEST_F(IntersectTest, ALineMayStartAtTheOrigin) {
  PlaceNodes({{3, 3}, {0, 2}});
  Pending(StepRight);
  double x, y;
  ASSERT_EQ(Meet("-1", x, y), 0);  // y = x through the origin and point 1
  EXPECT_DOUBLE_EQ(x, 2);
  EXPECT_DOUBLE_EQ(y, 2);
}

TEST_F(IntersectTest, ParallelWithinToleranceFails) {
  // Ray at angle a from the origin; line through (0, 1) with a slope that differs
  // from tan(a) by a relative 0.5e-4 (fails) or 2e-4 (meets).
  const double angle = 30;
  const double m = std::tan(angle * DegToRad);
  double x, y;
  for (auto [factor, status] : {std::pair{1 + 0.5e-4, -1}, std::pair{1 + 2e-4, 0}}) {
    PlaceNodes({{0, 1}, {1000, static_cast<float>(1 + 1000 * m * factor)}, {0, 0}});
    Pending(StepAngle, angle);
    EXPECT_EQ(Meet("1-2,0", x, y), status) << factor;
  }
  // A horizontal m-n line never meets a ray at 0 degrees.
  PlaceNodes({{0, 1}, {5, 1}, {0, 0}});
  Pending(StepAngle, 0);
  EXPECT_EQ(Meet("1-2,0", x, y), -1);
  // Two points at one place give no line.
  PlaceNodes({{2, 2}, {2, 2}, {0, 0}});
  Pending(StepAngle, 30);
  EXPECT_EQ(Meet("1-2,0", x, y), -1);
  // A point outside the used slots is refused.
  Pending(StepAngle, 30);
  EXPECT_EQ(Meet("1-7,0", x, y), -1);
  ExpectFailure("Point 7 does not exist");
}

TEST_F(IntersectTest, PhantomEntryStartsFromTheNewestPhantomAndGivesItsSlotBack) {
  PlaceNodes({{0, 0}});
  Table.nodeCount = 1;
  Table.nodes[250] = {3, 3};
  Table.lowestPhantom = 249;  // 249 reserved for the pending point
  Pending(StepUp);
  Entry.PhantomEntry = true;
  std::string line = "y=7";
  double dx = 0, dy = 0;
  EXPECT_EQ(IntersectLine(line, dx, dy), 0);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 4);
  Pending(StepUp);
  Entry.PhantomEntry = true;
  line = "x=7";
  EXPECT_EQ(IntersectLine(line, dx, dy), -1);
  EXPECT_EQ(Table.lowestPhantom, 250);
  EXPECT_EQ(Table.nodeCount, 1);
}

class FixedRadiusTest : public IntersectTest {
 protected:
  void SetUp() override {
    IntersectTest::SetUp();
    PlaceNodes({{0, 0}});  // pending node is slot 2
    Entry.FixedRadius = 5;
    Entry.PendingStep = StepFixedRadius;
  }
  int Circle(const std::string& text, double& x, double& y) {
    std::string line = text;
    return IntersectCircle(line, x, y);
  }
};

TEST_F(FixedRadiusTest, TwoMeetingPointsStoreTheFirstInThePendingSlot) {
  double x = 0, y = 0;
  EXPECT_EQ(Circle("x=3", x, y), 0);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, -4);
  EXPECT_EQ(Table.nodes[2].x, 3);
  EXPECT_EQ(Table.nodes[2].y, 4);
  EXPECT_EQ(Table.nodeCount, 3);
  EXPECT_EQ(Entry.PendingStep, StepNone);
}

TEST_F(FixedRadiusTest, HorizontalLineAndTangent) {
  double x = 0, y = 0;
  EXPECT_EQ(Circle("y=3", x, y), 0);
  EXPECT_EQ(x, -4);
  EXPECT_EQ(y, 3);
  EXPECT_EQ(Table.nodes[2].x, 4);
  EXPECT_EQ(Table.nodes[2].y, 3);

  Table.nodeCount = 2;
  EXPECT_EQ(Circle("x=5", x, y), 0);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(Table.nodeCount, 2);  // a tangent stores nothing
}

TEST_F(FixedRadiusTest, MissingTheCircleFailsAndWithdraws) {
  double x = 0, y = 0;
  EXPECT_EQ(Circle("x=6", x, y), -1);
  EXPECT_EQ(Table.nodeCount, 1);
}

TEST_F(FixedRadiusTest, MeetingPointsBeyondSinglePrecisionAreRefused) {
  Entry.FixedRadius = 4e45;
  double x = 0, y = 0;
  EXPECT_EQ(Circle("x=3", x, y), -1);
  EXPECT_EQ(Table.nodeCount, 1);  // nothing stored, the pending point withdrawn
  for (int k = 1; k <= TopNode; ++k) {
    EXPECT_TRUE(std::isfinite(Table.nodes[k].x));
    EXPECT_TRUE(std::isfinite(Table.nodes[k].y));
  }
}

TEST_F(FixedRadiusTest, SlopedAndVerticalPointLines) {
  // Nodes 1 (0, 0) is the centre; the line through nodes 3 and 4 is y = x.
  PlaceNodes({{0, 0}, {9, 9}, {1, 1}, {2, 2}});  // pending node 5, centre node 4 (2, 2)
  Table.nodes[4] = {0, 0};
  double x = 0, y = 0;
  EXPECT_EQ(Circle("1-3,0", x, y), 0);
  const double h = 5 / std::sqrt(2.0);
  EXPECT_NEAR(x, -h, 1e-6);
  EXPECT_NEAR(y, -h, 1e-6);
  EXPECT_NEAR(Table.nodes[5].x, h, 1e-6);
  EXPECT_NEAR(Table.nodes[5].y, h, 1e-6);

  // A vertical m-n line is x = x_m, without the sideways offset.
  PlaceNodes({{3, -10}, {3, 10}, {0, 0}});
  EXPECT_EQ(Circle("1-2,7", x, y), 0);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, -4);
}

TEST_F(FixedRadiusTest, NotALineLeavesThePointAlone) {
  double x = 1.5, y = 2.5;
  EXPECT_EQ(Circle("12", x, y), 0);
  EXPECT_EQ(x, 1.5);
  EXPECT_EQ(y, 2.5);
  EXPECT_EQ(Table.nodeCount, 2);
}

TEST_F(FixedRadiusTest, NoRoomForTheSecondPointIsRefused) {
  Table.lowestPhantom = 3;  // the pending node 2 is the last free slot
  double x = 0, y = 0;
  EXPECT_EQ(Circle("x=3", x, y), -1);
  EXPECT_EQ(Table.nodeCount, 1);
  EXPECT_EQ(Table.nodes[3].x, 0);
}

}  // namespace
