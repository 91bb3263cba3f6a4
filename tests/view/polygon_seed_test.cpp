// The fill seed of polygons and the winding test behind it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "view/polygon_seed.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

class SeedTest : public ViewFixture {};

TEST_F(SeedTest, InsideAgreesWithRayCastingForBothDirections) {
  int ccw = AddPolygon({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}});
  int cw = AddPolygon({{0, 6}, {2, 6}, {2, 2}, {6, 2}, {6, 0}, {0, 0}});
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> u(-1, 7);
  for (int n = 0; n < 500; ++n) {
    WorldPoint p{u(gen), u(gen)};
    EXPECT_EQ(IsInsidePolygon(ccw, p), RayInside(ccw, p)) << p.x << ", " << p.y;
    EXPECT_EQ(IsInsidePolygon(cw, p), RayInside(cw, p)) << p.x << ", " << p.y;
  }
}

TEST_F(SeedTest, ConcaveOutlinesAreSeededInside) {
  // L-shape whose first candidate (towards the middle of edge 2-3) is inside.
  int l = AddPolygon({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}});
  // U-shape starting at the top of the left arm: the first candidates fall in the gap.
  int u = AddPolygon({{0, 10}, {0, 0}, {10, 0}, {10, 10}, {8, 10}, {8, 2}, {2, 2}, {2, 10}});
  // The same U entered clockwise from the right arm.
  int v = AddPolygon({{10, 10}, {10, 0}, {0, 0}, {0, 10}, {2, 10}, {2, 2}, {8, 2}, {8, 10}});
  for (int s : {l, u, v}) {
    WorldPoint seed = PolygonSeed(s);
    EXPECT_TRUE(RayInside(s, seed)) << "section " << s << " seed " << seed.x << ", " << seed.y;
  }
}

TEST_F(SeedTest, SkipsCandidatesOnTheEdgeLine) {
  // First node (0, 0); the edge from node 2 to 3 lies on the line through it, so
  // its candidate would sit on the outline and is skipped.
  int s = AddPolygon({{0, 0}, {2, 2}, {4, 4}, {4, 0}});
  WorldPoint seed = PolygonSeed(s);
  EXPECT_TRUE(RayInside(s, seed));
  EXPECT_NE(seed.x, 1.5);  // the mid of (0,0) and (3,3) would be on the edge
}

TEST_F(SeedTest, FallbacksOfSmallPolygons) {
  int two = AddPolygon({{0, 0}, {4, 2}});
  EXPECT_EQ(PolygonSeed(two).x, 4);
  EXPECT_EQ(PolygonSeed(two).y, 2);
  int one = AddPolygon({{7, 8}}, false);
  EXPECT_EQ(PolygonSeed(one).x, 7);
  // Collinear triangle: no candidate holds, the last one computed stays.
  int flat = AddPolygon({{0, 0}, {2, 0}, {4, 0}});
  WorldPoint seed = PolygonSeed(flat);
  EXPECT_EQ(seed.y, 0);
}

}  // namespace
}  // namespace viewtest
