// The views of a parameter row name the columns in the order the section file
// holds them, and a value stored through a view lands in its own column only.
#include "model/param_row.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Columns = std::array<float, 10>;

// A row whose column k holds k.
ParamRow Numbered() {
  ParamRow row;
  for (int k = 0; k < 10; ++k) row.c[k] = static_cast<float>(k);
  return row;
}

TEST(ParamRowViews, ReadTheColumnsOfTheFileLayout) {
  const ParamRow row = Numbered();
  const FilletView f(row);
  EXPECT_EQ((Columns{f.sign(), f.centreX(), f.centreY(), f.radius(), f.angle1(), f.angle2(),
                     f.tangent1X(), f.tangent1Y(), f.tangent2X(), f.tangent2Y()}),
            row.c);
  const ArcSegmentView a(row);
  EXPECT_EQ((std::array{a.sign(), a.centreX(), a.centreY(), a.radius(), a.angle1(), a.angle2(),
                        a.thickness()}),
            (std::array{0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f}));
  const CircleView c(row);
  EXPECT_EQ((std::array{c.centreX(), c.centreY(), c.radius()}), (std::array{1.0f, 2.0f, 3.0f}));
  const RadialBlockView b(row);
  EXPECT_EQ((std::array{b.centreX(), b.centreY(), b.radius(), b.angle(), b.width(), b.thickness()}),
            (std::array{1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f}));
  const MergeDataView m(row);
  EXPECT_EQ((std::array{m.centroidX(), m.centroidY(), m.area(), m.ixx(), m.iyy(), m.ixy()}),
            (std::array{1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f}));
  const PieceView p(row);
  EXPECT_EQ((std::array{p.sign(), p.centreX(), p.centreY(), p.size(), p.second(0), p.second(1),
                        p.second(2)}),
            (std::array{0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f}));
}

TEST(ParamRowViews, StoreIntoTheirOwnColumn) {
  ParamRow row = Numbered();
  MergeDataView(row).ixy() = -6;
  FilletView(row).tangent2X() = -8;
  RadialBlockView(row).width() = -5;
  PieceView(row).second(0) = -4;
  EXPECT_EQ(row.c, (Columns{0, 1, 2, 3, -4, -5, -6, 7, -8, 9}));
}

}  // namespace
