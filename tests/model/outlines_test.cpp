// The shape cache of a calculation hands out exactly the shapes computed afresh,
// also once it is full and for keys that meet in one slot.
#include "model/outlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "model/pieces.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameBits(const SegmentShape& a, const SegmentShape& b) {
  for (auto [x, y] : {std::pair{a.m, b.m}, {a.alpha, b.alpha}, {a.S, b.S}, {a.C, b.C},
                      {a.cosM, b.cosM}, {a.sinM, b.sinM}, {a.cos2M, b.cos2M},
                      {a.sin2M, b.sin2M}, {a.k1, b.k1}, {a.k2, b.k2},
                      {a.centroidOverR, b.centroidOverR}, {a.aboutFactor, b.aboutFactor},
                      {a.acrossFactor, b.acrossFactor}})
    if (!SameBits(x, y)) return false;
  return a.segment == b.segment;
}
bool SameBits(PlanePoint a, PlanePoint b) { return SameBits(a.x, b.x) && SameBits(a.y, b.y); }

bool SameBits(const RadialBlockOutline& a, const RadialBlockOutline& b) {
  for (auto [x, y] : {std::pair{a.xc, b.xc}, {a.yc, b.yc}, {a.angle, b.angle}, {a.w, b.w},
                      {a.r, b.r}, {a.rho, b.rho}, {a.o1, b.o1}, {a.o2, b.o2}, {a.i1, b.i1},
                      {a.i2, b.i2}})
    if (!SameBits(x, y)) return false;
  return SameBits(a.p1, b.p1) && SameBits(a.p2, b.p2) && SameBits(a.q1, b.q1) &&
         SameBits(a.q2, b.q2) && a.foot == b.foot && SameBits(a.f, b.f);
}

TEST(ShapeCacheTest, CachedShapesAreTheShapesComputedAfresh) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> turn(-7, 7);
  // More distinct arcs than the cache keeps, some sharing one end, each asked for
  // several times in a shuffled order; both signs of zero are distinct keys.
  std::vector<std::pair<double, double>> arcs = {{0.0, 1.0}, {-0.0, 1.0}, {1.0, 1.0},
                                                 {0.5, 2.0}, {0.5, -2.0}, {3.0, 2.0}};
  while (arcs.size() < 2 * ShapeCache::ArcSlots) arcs.emplace_back(turn(random), turn(random));
  std::vector<std::pair<double, double>> asked;
  for (int round = 0; round < 3; ++round) asked.insert(asked.end(), arcs.begin(), arcs.end());
  std::shuffle(asked.begin(), asked.end(), random);
  ShapeCache cache;
  for (auto [a1, a2] : asked) {
    ASSERT_TRUE(SameBits(CachedArc(cache, a1, a2, true).shape, SegmentShapeOf(a1, a2)))
        << a1 << " " << a2;
  }
  // The full cache asked twice in a row for a new arc, first for a sector.
  CachedArc(cache, 8.5, 9.5, false);
  EXPECT_TRUE(SameBits(CachedArc(cache, 8.5, 9.5, true).shape, SegmentShapeOf(8.5, 9.5)));

  // Radial blocks differing in one column at a time, more than the cache keeps,
  // asked for again in other places: the centre is not part of the shape.
  std::vector<ParamRow> rows;
  for (float r : {10.0f, 6.0f})
    for (float angle : {30.0f, 120.0f})
      for (float w : {-2.0f, 0.0f, 3.0f})
        for (float t : {0.0f, 4.0f, 12.0f}) {
          float x = static_cast<float>(rows.size());
          rows.push_back({{0, x, -2.5f, r, angle, w, t, 0, 0, 0}});
        }
  ASSERT_GT(rows.size(), static_cast<std::size_t>(ShapeCache::BlockSlots));
  ShapeCache blocks;
  for (int round = 0; round < 2; ++round) {
    for (ParamRow row : rows) {
      row.c[1] += 100.0f * static_cast<float>(round);
      RadialBlockOutline cached = RadialBlockOutlineOf(row, &blocks);
      RadialBlockOutline fresh = RadialBlockOutlineOf(row);
      ASSERT_TRUE(SameBits(cached, fresh)) << "row at x = " << row.c[1];
    }
  }
}

// Terms kept on an arc are reused only for the same sign, radius and thickness.
TEST(ShapeCacheTest, TermsAreReusedOnlyForTheSameSize) {
  ShapeCache cache;
  SectionProps cached{}, fresh{};
  const double a1 = 0.25, a2 = 1.75;
  for (auto [s, r] : {std::pair{1.0, 2.0}, {1.0, 2.0}, {-1.0, 2.0}, {-1.0, 3.0}, {1.0, 2.0}}) {
    SegmentTerm(cached, s, 4, -1, r, CachedArc(cache, a1, a2, true));
    SegmentTerm(fresh, s, 4, -1, r, a1, a2);
  }
  EXPECT_EQ(cached, fresh);
  // Sectors on the same arc: sums of each alone, as the calculation takes them.
  for (auto [r, t] : {std::pair{2.0f, 1.0f}, {2.0f, 1.0f}, {2.0f, 0.5f}, {3.0f, 0.5f}}) {
    const ArcSegmentOutline o = ArcSegmentOutlineOf({{0, 1, 1, r, 14.3239448f, 100.267609f, t, 0, 0, 0}});
    ASSERT_EQ(o.form, ArcSegmentForm::AnnularSector);
    AnnulusTerm(cached, o, &cache);
    AnnulusTerm(fresh, o);
    EXPECT_EQ(cached, fresh) << r << " " << t;
  }
}

// The arc angles of a radial block are held in single precision, to the bit: the
// calculation and the drawing both take them from here.
TEST(RadialBlockOutlineTest, ArcAnglesAreHeldInSinglePrecision) {
  const ParamRow row{{0, 1, 2, 10, 33, 3, 2, 0, 0, 0}};
  const RadialBlockOutline k = RadialBlockOutlineOf(row);
  const double angle = 33 * DegToRad;
  EXPECT_EQ(k.o1, static_cast<float>(angle));
  EXPECT_EQ(k.i1, static_cast<float>(angle));
  EXPECT_EQ(k.o2, static_cast<float>(angle + std::asin(0.3)));
  EXPECT_EQ(k.i2, static_cast<float>(angle + std::asin(3.0 / 8)));
  EXPECT_EQ(k.p1.x, 1 + 10 * std::cos(k.o1));
}

}  // namespace
