// The raster canvas on its own and under RedrawView: pixels, fills, arcs, text.
#include "app/program_state.h"
#include "qt/raster_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <cmath>
#include <random>

#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "qt/gui_application.h"
#include "view/redraw_view.h"
#include "view/view_options.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

QRgb At(const RasterCanvas& canvas, int x, int y) { return canvas.Image().pixel(x, y) & 0xffffff; }
QRgb AtWorld(const RasterCanvas& canvas, double x, double y) {
  int px, py;
  EXPECT_TRUE(canvas.PixelOf({x, y}, px, py));
  return At(canvas, px, py);
}
// True when the pixel of world point p or one of its eight neighbours has colour.
bool NearColour(const RasterCanvas& canvas, WorldPoint p, QRgb colour) {
  int px, py;
  if (!canvas.PixelOf(p, px, py)) return false;
  for (int y = py - 1; y <= py + 1; ++y)
    for (int x = px - 1; x <= px + 1; ++x)
      if (x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height() && At(canvas, x, y) == colour)
        return true;
  return false;
}
constexpr QRgb kBlack = 0x000000, kWhite = 0xffffff, kGrey = 0xc0c0c0;

int CountColour(const RasterCanvas& canvas, QRgb colour) {
  int n = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) n += At(canvas, x, y) == colour;
  return n;
}

class RasterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST_F(RasterTest, LinesLeaveOutTheirEndPixelAndWidthTwoIsTwoWide) {
  RasterCanvas canvas(20, 20);
  canvas.SetMapping(0, 20, 20, 0);  // one unit per pixel, y up
  canvas.Clear(White);
  canvas.Line({2.5, 10.5}, {12.5, 10.5}, Black);  // row 9, columns 2..11
  EXPECT_EQ(At(canvas, 2, 9), kBlack);
  EXPECT_EQ(At(canvas, 11, 9), kBlack);
  EXPECT_EQ(At(canvas, 12, 9), kWhite);
  canvas.SetPixel({12.5, 10.5}, Black);
  EXPECT_EQ(At(canvas, 12, 9), kBlack);
  EXPECT_EQ(CountColour(canvas, kBlack), 11);

  canvas.Clear(White);
  canvas.SetLineWidth(2);
  canvas.Line({2.5, 10.5}, {12.5, 10.5}, Black);
  EXPECT_EQ(CountColour(canvas, kBlack), 2 * 11);
  EXPECT_EQ(At(canvas, 5, 10), kBlack);
}

TEST_F(RasterTest, HugeAndInvalidCoordinatesAreClippedOrIgnored) {
  RasterCanvas canvas(100, 100);
  canvas.SetMapping(0, 100, 100, 0);
  canvas.Clear(White);
  canvas.Line({-1e12, 50.5}, {1e12, 50.5}, Black);
  EXPECT_EQ(CountColour(canvas, kBlack), 100);
  canvas.Line({NAN, 0}, {10, 10}, Black);
  canvas.Circle({50, 50}, INFINITY, Black);
  canvas.FloodFill({NAN, NAN}, Black);
  canvas.Text({NAN, 3}, " 1");
  EXPECT_EQ(CountColour(canvas, kBlack), 100);
  // A circle far larger than the view still draws its visible part.
  canvas.Circle({50, -1e6 + 20}, 1e6, Black);
  EXPECT_GT(CountColour(canvas, kBlack), 150);
}

TEST_F(RasterTest, QuarterArcLightsOnlyTheFirstQuadrant) {
  RasterCanvas canvas(400, 400);
  canvas.SetMapping(-1.25, 1.25, 1.25, -1.25);
  canvas.Clear(White);
  canvas.Arc({0, 0}, 1, 0, Pi / 2, Black);
  int cx, cy;
  ASSERT_TRUE(canvas.PixelOf({0, 0}, cx, cy));
  int lit = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      if (At(canvas, x, y) == kBlack) {
        ++lit;
        EXPECT_GE(x, cx) << x << ", " << y;
        EXPECT_LE(y, cy) << x << ", " << y;
      }
  // A quarter of a circle of radius 160 pixels is about 250 pixels long.
  EXPECT_GT(lit, 200);
  EXPECT_TRUE(NearColour(canvas, {1, 0}, kBlack));
  EXPECT_TRUE(NearColour(canvas, {0, 1}, kBlack));

  // From 90 back round to 0 degrees: three quadrants, counter-clockwise.
  canvas.Clear(White);
  canvas.Arc({0, 0}, 1, Pi / 2, 0, Black);
  EXPECT_TRUE(NearColour(canvas, {-1, 0}, kBlack));
  EXPECT_TRUE(NearColour(canvas, {0, -1}, kBlack));
  EXPECT_TRUE(NearColour(canvas, {-std::sqrt(0.5), -std::sqrt(0.5)}, kBlack));
  EXPECT_FALSE(NearColour(canvas, {std::sqrt(0.5), std::sqrt(0.5)}, kBlack));
}

TEST_F(RasterTest, FloodFillStopsAtItsOwnColourOnly) {
  RasterCanvas canvas(50, 50);
  canvas.SetMapping(0, 50, 50, 0);
  canvas.Clear(White);
  // A diagonal line from corner to corner is 8-connected: the 4-connected fill
  // must stay on its side.
  canvas.Line({0.5, 0.5}, {49.5, 49.5}, Black);
  canvas.SetPixel({49.5, 49.5}, Black);
  canvas.FloodFill({40, 10}, Black);
  EXPECT_EQ(At(canvas, 5, 20), kWhite);   // the other side
  EXPECT_EQ(At(canvas, 45, 20), kBlack);  // filled side
  // A grey fill runs over black text or lines of another colour.
  canvas.Clear(White);
  canvas.Line({0.5, 25.5}, {49.5, 25.5}, Black);
  canvas.FloodFill({10, 10}, LightGrey);
  EXPECT_EQ(CountColour(canvas, kGrey), 50 * 50);
  // Starting on a pixel of the fill colour changes nothing.
  canvas.Clear(White);
  canvas.Line({0.5, 25.5}, {49.5, 25.5}, LightGrey);
  canvas.FloodFill({10.5, 25.5}, LightGrey);
  EXPECT_EQ(CountColour(canvas, kGrey), 49);
}

TEST_F(RasterTest, LargeFillIsIterative) {
  RasterCanvas canvas(4000, 4000);
  canvas.SetMapping(0, 4000, 4000, 0);
  canvas.Clear(White);
  // A comb of walls makes a long serpentine region.
  for (int x = 10; x < 4000; x += 20)
    canvas.Line({x + 0.5, (x / 20) % 2 ? 0.5 : 10.5}, {x + 0.5, (x / 20) % 2 ? 3990.5 : 4000.5},
                Black);
  canvas.FloodFill({1, 1}, Blue);
  EXPECT_EQ(canvas.Image().pixel(3995, 3995) & 0xffffff, 0x0000ffu);
  EXPECT_EQ(canvas.Image().pixel(5, 2000) & 0xffffff, 0x0000ffu);
}

TEST_F(RasterTest, TextUsesTheTextColourAndTheCellOfTheFont) {
  // The view's font is found by its family name (tools/install-deps.sh installs it),
  // not replaced by a fallback that would change every picture with text.
  EXPECT_EQ(QFontInfo(ViewFont()).family().toStdString(), "DejaVu Sans Mono");
  RasterCanvas canvas(200, 100);
  canvas.SetMapping(0, 100, 200, 0);
  canvas.Clear(White);
  canvas.SetTextColour(Blue);
  canvas.Text({20, 80}, " 250");
  CellExtent cell = canvas.CellSize();
  EXPECT_GE(cell.width, 5);
  EXPECT_GE(cell.height, 10);
  int blue = 0, minX = 200, maxX = 0, minY = 100, maxY = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      QRgb c = At(canvas, x, y);
      if (c == kWhite) continue;
      EXPECT_EQ(c, 0x0000ffu);  // no anti-aliased shades
      ++blue;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  EXPECT_GT(blue, 20);
  // The leading blank leaves one cell free; three digits fill the next three.
  EXPECT_GE(minX, 20 + int(cell.width) - 1);
  EXPECT_LE(maxX, 20 + int(4 * cell.width) + 1);
  EXPECT_GE(minY, 20);
  EXPECT_LE(maxY, 20 + int(cell.height));
}

class RasterViewTest : public ViewFixture {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void SetUp() override {
    ViewFixture::SetUp();
    platform.SetViewCanvas(&raster);
  }
  RasterCanvas raster{600, 600};
};

TEST_F(RasterViewTest, FillNetSectionGreySolidWhiteHole) {
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  AddPolygon({{3, 3}, {7, 3}, {7, 7}, {3, 7}}, true, -1);
  RedrawView();
  EXPECT_EQ(AtWorld(raster, 1.5, 1.5), kWhite);
  EXPECT_EQ(AtWorld(raster, 10, 5), kBlack);  // outline at x = 10
  View.highlight = -1;
  RedrawView();
  for (auto [x, y] : {std::pair{1.5, 1.5}, {8.5, 5.0}, {5.0, 9.0}, {1.0, 8.5}})
    EXPECT_EQ(AtWorld(raster, x, y), kGrey) << x << ", " << y;
  for (auto [x, y] : {std::pair{5.0, 5.0}, {3.5, 3.5}, {6.5, 6.5}, {-1.0, -1.0}, {11.0, 5.0}})
    EXPECT_EQ(AtWorld(raster, x, y), kWhite) << x << ", " << y;
  // The next redraw is plain again.
  RedrawView();
  EXPECT_EQ(AtWorld(raster, 1.5, 1.5), kWhite);
}

// Distance from P to the segment AB.
double SegmentDistance(WorldPoint p, WorldPoint a, WorldPoint b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

TEST_F(RasterViewTest, FillNeverLeaksFromRotatedLShapes) {
  const WorldPoint shape[] = {{0, 0}, {6, 0}, {6, 1.5}, {1.5, 1.5}, {1.5, 6}, {0, 6}};
  std::mt19937 gen(20261207);
  std::uniform_real_distribution<double> turn(0, TwoPi);
  for (int round = 0; round < 20; ++round) {
    ResetTables();
    double a = turn(gen), c = std::cos(a), s = std::sin(a);
    int sec = ++Table.sectionCount;
    Table.sections[sec] = {0, Complete, 1, 6, 1.0f};
    for (int i = 0; i < 6; ++i)
      Table.nodes[++Table.nodeCount] = {float(shape[i].x * c - shape[i].y * s),
                                        float(shape[i].x * s + shape[i].y * c)};
    RedrawView();
    View.highlight = -1;
    RedrawView();
    // Every pixel whose centre lies clearly outside the outline stays white; those
    // clearly inside are grey.
    double pixel = std::fabs(1 / raster.Mapping().sx);
    int inside = 0;
    for (int y = 0; y < raster.Height(); y += 2)
      for (int x = 0; x < raster.Width(); x += 2) {
        WorldPoint p = raster.Mapping().ToWorld({x + 0.5, y + 0.5});
        double edge = 1e9;
        for (int i = 1; i <= 6; ++i) {
          int j = i < 6 ? i + 1 : 1;
          edge = std::min(edge, SegmentDistance(p, {Table.nodes[i].x, Table.nodes[i].y},
                                                {Table.nodes[j].x, Table.nodes[j].y}));
        }
        if (edge < 3 * pixel) continue;
        bool in = RayInside(sec, p);
        inside += in;
        ASSERT_EQ(At(raster, x, y), in ? kGrey : kWhite)
            << "round " << round << " angle " << a << " pixel " << x << ", " << y;
      }
    EXPECT_GT(inside, 1000);
  }
}

}  // namespace
}  // namespace viewtest
