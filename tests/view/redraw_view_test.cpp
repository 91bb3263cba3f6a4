// RedrawView against a recording canvas: mapping, passes, colours, kinds, numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "app/report_window.h"
#include "app/program_state.h"
#include "app/menu_ids.h"
#include "app/view_update.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "view/polygon_seed.h"
#include "view/redraw_view.h"
#include "view/view_tables.h"

namespace viewtest {
namespace {

using Op = CanvasCall::Op;

void ExpectMapping(const CanvasCall& c, double x1, double y1, double x2, double y2) {
  ASSERT_EQ(c.op, CanvasCall::SetMapping);
  EXPECT_NEAR(c.p.x, x1, 1e-9);
  EXPECT_NEAR(c.p.y, y1, 1e-9);
  EXPECT_NEAR(c.q.x, x2, 1e-9);
  EXPECT_NEAR(c.q.y, y2, 1e-9);
}

class RedrawTest : public ViewFixture {
 protected:
  // A closed 10 x 5 rectangle.
  int Rectangle() { return AddPolygon({{0, 0}, {10, 0}, {10, 5}, {0, 5}}); }
};

TEST_F(RedrawTest, RectangleMappingPlainMagnifiedAndPanned) {
  Rectangle();
  RedrawView();
  ASSERT_EQ(canvas.CallsOf(Op::SetMapping).size(), 1u);
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], -1.25, 8.75, 11.25, -3.75);
  EXPECT_EQ(Extent.xmin, 0);
  EXPECT_EQ(Extent.xmax, 10);
  EXPECT_EQ(Extent.ymin, 0);
  EXPECT_EQ(Extent.ymax, 5);

  // Magnify 2, then one step to the right: (xmax - xmin) / 20 = 0.5.
  View.magnification = 2;
  View.panX += (Extent.xmax - Extent.xmin) / 20;
  canvas.ClearCalls();
  RedrawView();
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], 5.5 - 3.125, 2.5 + 3.125, 5.5 + 3.125,
                2.5 - 3.125);

  // A negative factor turns the picture: the corners swap.
  View.magnification = -1;
  View.panX = 0;
  canvas.ClearCalls();
  RedrawView();
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], 11.25, -3.75, -1.25, 8.75);
}

TEST_F(RedrawTest, ClosedRectangleDrawsFourEdgesWithEndPixelsAndNumbers) {
  Rectangle();
  RedrawView();
  const auto& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls[1].op, Op::Clear);
  EXPECT_EQ(calls[1].colour, White);
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 4u);
  // The last edge runs from node 4 back to node 1.
  EXPECT_EQ(lines[3].p.x, 0);
  EXPECT_EQ(lines[3].p.y, 5);
  EXPECT_EQ(lines[3].q.x, 0);
  EXPECT_EQ(lines[3].q.y, 0);
  auto pixels = canvas.CallsOf(Op::SetPixel);
  ASSERT_EQ(pixels.size(), 4u);
  EXPECT_EQ(pixels[0].p.x, 10);  // end of the first edge
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{" 1", " 2", " 3", " 4"}));
  for (const CanvasCall& c : canvas.CallsOf(Op::Line)) {
    EXPECT_EQ(c.colour, Black);
    EXPECT_EQ(c.width, 1);
  }
  EXPECT_TRUE(canvas.CallsOf(Op::FloodFill).empty());
}

TEST_F(RedrawTest, OnePointAndOpenPolygons) {
  AddPolygon({{3, 4}}, false);
  RedrawView();
  EXPECT_TRUE(canvas.CallsOf(Op::Line).empty());
  EXPECT_TRUE(canvas.CallsOf(Op::SetPixel).empty());
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{" 1"});
  // A single point gets the half-size 0.5: a 1.25 square around it... scaled by 0.625.
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], 2.5, 4.5, 3.5, 3.5);

  ResetTables();
  AddPolygon({{0, 0}, {4, 0}, {4, 3}}, false);
  canvas.ClearCalls();
  RedrawView();
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 2u);  // no edge from node 3 back to node 1
  EXPECT_EQ(lines[1].q.x, 4);
  EXPECT_EQ(lines[1].q.y, 3);
}

TEST_F(RedrawTest, LoneMergeDataShowsTwoByTwoWithSmallMarker) {
  AddMergeData(3, -2, 50);
  RedrawView();
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], 3 - 1.25, -2 + 1.25, 3 + 1.25, -2 - 1.25);
  auto circles = canvas.CallsOf(Op::Circle);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_NEAR(circles[0].radius, 0.05, 1e-12);
  EXPECT_EQ(circles[0].colour, Black);
  auto texts = canvas.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, " 1");
  // Cell 8 x 16 pixels at 1000 pixels for 2.5 units: 0.02 x 0.04 units.
  EXPECT_NEAR(texts[0].p.x, 3 - 2 * 0.02, 1e-12);
  EXPECT_NEAR(texts[0].p.y, -2 + 0.04 / 2, 1e-12);
  EXPECT_TRUE(canvas.CallsOf(Op::FloodFill).empty());
}

TEST_F(RedrawTest, MergeDataBesideOtherSectionsAddsNothingToTheExtent) {
  Rectangle();
  AddMergeData(100, 100, 5);
  RedrawView();
  EXPECT_EQ(Extent.xmax, 10);
  EXPECT_EQ(Extent.ymax, 5);
  // Marker radius: the larger side of the extent / 40.
  EXPECT_NEAR(canvas.CallsOf(Op::Circle)[0].radius, 10.0 / 40, 1e-12);
}

TEST_F(RedrawTest, QuarterDiscSectorView) {
  AddArcSegment(0, 0, 1, 0, 90, 0);
  RedrawView();
  ExpectMapping(canvas.CallsOf(Op::SetMapping)[0], -0.125, 1.125, 1.125, -0.125);
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].a2, Pi / 2, 1e-12);
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 2u);  // both radii start at the centre
  EXPECT_EQ(lines[0].p.x, 0);
  EXPECT_EQ(lines[0].p.y, 0);
  EXPECT_NEAR(lines[1].q.y, 1, 1e-7);
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{" 1"});
  EXPECT_EQ(canvas.CallsOf(Op::Text)[0].p.x, 0);  // a sector is numbered at its centre
}

TEST_F(RedrawTest, ArcSegmentFormsAndTheirSeeds) {
  AddArcSegment(0, 0, 2, 0, 90, 0.5);   // ring piece
  AddArcSegment(10, 0, 2, 0, 90, -1);   // circular segment
  AddArcSegment(20, 0, 2, 300, 30, 0);  // sector across 0 degrees
  View.highlight = -1;
  View.magnification = 1;  // keeps numbers and marks the seeds with "x"
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 4u);
  EXPECT_NEAR(arcs[1].radius, 1.5, 1e-12);  // inner arc of the ring piece
  auto fills = canvas.CallsOf(Op::FloodFill);
  ASSERT_EQ(fills.size(), 3u);
  // Ring piece: radius 1.5 + 0.25 at 45 degrees.
  EXPECT_NEAR(fills[0].p.x, 1.75 * std::cos(Pi / 4), 1e-6);
  EXPECT_NEAR(fills[0].p.y, 1.75 * std::sin(Pi / 4), 1e-6);
  // Segment: between the chord and the arc.
  double rise = 2 * (1 - std::cos(Pi / 4));
  EXPECT_NEAR(std::hypot(fills[1].p.x - 10, fills[1].p.y), 2 - rise / 2, 1e-6);
  double chordDistance = 2 * std::cos(Pi / 4);
  EXPECT_GT(std::hypot(fills[1].p.x - 10, fills[1].p.y), chordDistance);
  // Sector from 300 to 30 degrees: seeded at 345 degrees, inside the piece.
  double angle = std::atan2(fills[2].p.y, fills[2].p.x - 20) / DegToRad;
  EXPECT_NEAR(angle, -15, 1e-6);
  // The segment's chord and both pieces' radii.
  EXPECT_EQ(canvas.CallsOf(Op::Line).size(), 2u + 1u + 2u);
  auto texts = canvas.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "x"), 3);
}

TEST_F(RedrawTest, RadialBlockGeometry) {
  // Ring of radius 10 and thickness 2 between the radial line at 90 degrees and
  // the line parallel to it at distance 3 on the positive side (x = -3).
  AddRadialBlock(0, 0, 10, 90, 3, 2);
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  // The arc angles are the calculation's, held in single precision.
  double phiOuter = std::asin(0.3), phiInner = std::asin(3.0 / 8);
  EXPECT_NEAR(arcs[0].a1, Pi / 2, 1e-7);
  EXPECT_NEAR(arcs[0].a2, Pi / 2 + phiOuter, 1e-7);
  EXPECT_NEAR(arcs[1].radius, 8, 1e-12);
  EXPECT_NEAR(arcs[1].a2, Pi / 2 + phiInner, 1e-7);
  // The far side lies on the parallel line.
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR(lines[1].p.x, -3, 1e-6);
  EXPECT_NEAR(lines[1].q.x, -3, 1e-6);
  // Extent: the four corners.
  EXPECT_NEAR(Extent.xmin, -3, 1e-6);
  EXPECT_NEAR(Extent.xmax, 0, 1e-6);
  EXPECT_NEAR(Extent.ymax, 10, 1e-6);
  EXPECT_NEAR(Extent.ymin, std::sqrt(64.0 - 9), 1e-6);
  // Numbered at the inner end at the smaller angle.
  EXPECT_NEAR(canvas.CallsOf(Op::Text)[0].p.y, 8, 1e-6);
  // The seed lies inside: between the radii and between the two lines.
  View.highlight = -1;
  canvas.ClearCalls();
  RedrawView();
  WorldPoint seed = canvas.CallsOf(Op::FloodFill).at(0).p;
  EXPECT_GT(std::hypot(seed.x, seed.y), 8);
  EXPECT_LT(std::hypot(seed.x, seed.y), 10);
  EXPECT_LT(seed.x, 0);
  EXPECT_GT(seed.x, -3);
}

TEST_F(RedrawTest, RadialBlockWhoseParallelLineMissesTheInnerCircle) {
  // Inner radius 4, parallel line y = -5 below the radial line along +x.
  AddRadialBlock(0, 0, 10, 0, -5, 6);
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_NEAR(arcs[0].a1, -Pi / 6, 1e-7);
  EXPECT_NEAR(arcs[1].a1, -Pi / 2, 1e-7);  // a quarter of the inner circle
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  // Inner end, down to the foot (0, -5), along the parallel line to the outer end.
  EXPECT_NEAR(lines[0].p.y, -4, 1e-9);
  EXPECT_NEAR(lines[0].q.x, 0, 1e-9);
  EXPECT_NEAR(lines[0].q.y, -5, 1e-9);
  EXPECT_NEAR(lines[1].q.x, std::sqrt(75.0), 1e-6);
  EXPECT_NEAR(lines[1].q.y, -5, 1e-6);
  EXPECT_NEAR(Extent.ymin, -5, 1e-6);
}

// The area a radial block's picture encloses, from the recorded calls alone: the
// straight outline through the ends of its lines, plus the segment of the outer arc,
// minus the segment of the inner arc.
double RadialBlockPictureArea(const RecordingCanvas& canvas, WorldPoint centre) {
  auto arcs = canvas.CallsOf(CanvasCall::Arc);
  auto lines = canvas.CallsOf(CanvasCall::Line);
  EXPECT_EQ(arcs.size(), 2u);
  EXPECT_EQ(lines.size(), 2u);
  if (arcs.size() != 2 || lines.size() != 2) return 0;
  // Each side runs from the inner arc to the outer one; the first side is at the
  // smaller angles.
  const WorldPoint outline[] = {lines[0].p, lines[0].q, lines[1].q, lines[1].p};
  double twice = 0;
  for (int i = 0; i < 4; ++i) {
    const WorldPoint& a = outline[i];
    const WorldPoint& b = outline[(i + 1) % 4];
    twice += (a.x - centre.x) * (b.y - centre.y) - (b.x - centre.x) * (a.y - centre.y);
  }
  auto segment = [](const CanvasCall& arc) {
    double turn = arc.a2 - arc.a1;
    return arc.radius * arc.radius / 2 * (turn - std::sin(turn));
  };
  return twice / 2 + segment(arcs[0]) - segment(arcs[1]);
}

TEST_F(RedrawTest, RadialBlockPictureEnclosesTheCountedArea) {
  // Thick blocks with thin arc segments, so that the picture's corners, not the
  // segments, decide its area; the radial lines lie at angles a float cannot hold.
  for (float angle : {90.0f, 33.0f, -140.0f}) {
    ResetTables();
    canvas.ClearCalls();
    AddRadialBlock(4, -3, 10, angle, angle < 0 ? -1.0f : 1.0f, 8);
    Shared.ResultsCurrent = false;
    ComputePropertiesSilently();
    RedrawView();
    EXPECT_NEAR(RadialBlockPictureArea(canvas, {4, -3}), Calc.props.A, 1e-9 * Calc.props.A)
        << "at " << angle << " degrees";
  }
}

// Arc segments typed with whole turns: the area their picture's arcs enclose (a
// sector's outer less its inner, a chord segment's arc over its chord) is the area
// counted.
TEST_F(RedrawTest, ArcAnglesWithWholeTurnsAreDrawnAsCounted) {
  for (Node a : {Node{720, 90}, Node{-90, 450}, Node{0, 720}, Node{0, -360}, Node{730, 770}}) {
    for (float t : {1.0f, 0.0f, -1.0f}) {
      SCOPED_TRACE(testing::Message() << a.x << ", " << a.y << ", " << t);
      ResetTables();
      AddArcSegment(1, 2, 3, a.x, a.y, t);
      Shared.ResultsCurrent = false;
      ComputePropertiesSilently();
      canvas.ClearCalls();
      RedrawView();
      double drawn = 0, sign = 1;
      for (const CanvasCall& arc : canvas.CallsOf(Op::Arc)) {
        double span = std::fmod(arc.a2 - arc.a1, TwoPi);
        if (span <= 0) span += TwoPi;  // as the canvas draws it
        drawn += sign * arc.radius * arc.radius / 2 * (t < 0 ? span - std::sin(span) : span);
        sign = -1;
      }
      // A chord segment's area factor is held in single precision.
      EXPECT_NEAR(drawn, Calc.props.A, (t < 0 ? 1e-6 : 1e-9) * Calc.props.A);
    }
  }
}

TEST_F(RedrawTest, ArcSegmentThickerThanItsRadiusIsDrawnAsTheFullSector) {
  AddArcSegment(1, 1, 2, 0, 90, 3);
  ComputePropertiesSilently();
  EXPECT_NEAR(Calc.props.A, Pi, 1e-6);  // counted as the quarter disc
  View.highlight = -1;
  View.magnification = 1;
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 1u);  // no inner arc of negative radius
  EXPECT_EQ(arcs[0].radius, 2);
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 2u);
  for (const CanvasCall& line : lines) {
    EXPECT_EQ(line.p.x, 1);  // both radii start at the centre
    EXPECT_EQ(line.p.y, 1);
  }
  WorldPoint seed = canvas.CallsOf(Op::FloodFill).at(0).p;
  EXPECT_NEAR(std::hypot(seed.x - 1, seed.y - 1), 1, 1e-9);
  EXPECT_NEAR(std::atan2(seed.y - 1, seed.x - 1), Pi / 4, 1e-9);
  EXPECT_EQ(Extent.xmin, 1);  // the centre is in view
  EXPECT_EQ(Extent.ymin, 1);
}

TEST_F(RedrawTest, ChordSegmentsAreDrawnAsCounted) {
  // Angles typed downwards count the segment between them all the same.
  AddArcSegment(0, 0, 2, 90, 0, -1);
  ComputePropertiesSilently();
  EXPECT_NEAR(Calc.props.A, 4 * (Pi / 4 - 0.5), 1e-6);
  View.highlight = -1;
  View.magnification = 1;
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].a1, 0, 1e-12);
  EXPECT_NEAR(arcs[0].a2, Pi / 2, 1e-7);
  WorldPoint seed = canvas.CallsOf(Op::FloodFill).at(0).p;
  EXPECT_GT(seed.x + seed.y, 2);  // beyond the chord x + y = 2
  EXPECT_LT(std::hypot(seed.x, seed.y), 2);

  // Equal angles count nothing and draw nothing: no disc, no fill; the number
  // still shows where the section is.
  ResetTables();
  AddArcSegment(0, 0, 2, 45, 45, -1);
  AddCircle(10, 0, 1);
  Shared.ResultsCurrent = false;
  ComputePropertiesSilently();
  EXPECT_NEAR(Calc.props.A, Pi, 1e-6);
  canvas.ClearCalls();
  View.highlight = -1;
  View.magnification = 1;
  RedrawView();
  EXPECT_TRUE(canvas.CallsOf(Op::Arc).empty());
  EXPECT_TRUE(canvas.CallsOf(Op::Line).empty());
  EXPECT_TRUE(canvas.CallsOf(Op::SetPixel).empty());
  auto fills = canvas.CallsOf(Op::FloodFill);
  ASSERT_EQ(fills.size(), 1u);  // the circle's
  EXPECT_EQ(fills[0].p.x, 10);
  auto texts = canvas.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), " 1"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "x"), 1);
}

TEST_F(RedrawTest, CircleExtentLabelAndFill) {
  AddCircle(1, 2, 3);
  RedrawView();
  EXPECT_EQ(Extent.xmin, -2);
  EXPECT_EQ(Extent.ymax, 5);
  auto texts = canvas.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].p.x, 4);
  EXPECT_EQ(texts[0].p.y, 2);
}

TEST_F(RedrawTest, PassesByWeight) {
  AddCircle(0, 0, 1, 1);    // 1
  AddCircle(0, 0, 2, -1);   // 2: negative, second pass only
  AddCircle(0, 0, 3, 0);    // 3: zero, both passes
  AddCircle(0, 0, 4, 2.5);  // 4
  RedrawView();
  std::vector<double> radii;
  for (const CanvasCall& c : canvas.CallsOf(Op::Circle)) radii.push_back(c.radius);
  EXPECT_EQ(radii, (std::vector<double>{1, 3, 4, 2, 3}));
}

TEST_F(RedrawTest, SkipsDeletedOffAndOtherSectionsInOneSectionMode) {
  AddCircle(0, 0, 1);
  AddCircle(50, 0, 1);
  AddCircle(100, 0, 1);
  AddPhantom(-10, -10);
  Table.sections[1].flags |= Deleted;
  Table.sections[3].flags |= Off;
  RedrawView();
  ASSERT_EQ(canvas.CallsOf(Op::Circle).size(), 1u);
  EXPECT_EQ(canvas.CallsOf(Op::Circle)[0].p.x, 50);
  EXPECT_EQ(Extent.xmin, -10);  // the phantom point widens the extent
  EXPECT_EQ(Extent.xmax, 51);

  Table.sections[1].flags = Complete;
  View.oneSection = 1;
  canvas.ClearCalls();
  RedrawView();
  ASSERT_EQ(canvas.CallsOf(Op::Circle).size(), 1u);
  EXPECT_EQ(canvas.CallsOf(Op::Circle)[0].p.x, 0);
  EXPECT_EQ(Extent.xmax, 1);
  EXPECT_EQ(Extent.ymin, -10);
}

TEST_F(RedrawTest, FillNetSectionThenNormalAgain) {
  Rectangle();
  AddCircle(5, 2.5, 1, -1);
  RedrawView();
  View.highlight = -1;
  canvas.ClearCalls();
  RedrawView();
  EXPECT_EQ(View.highlight, 0);
  EXPECT_TRUE(canvas.CallsOf(Op::SetMapping).empty());  // the previous mapping stays
  EXPECT_TRUE(canvas.Texts().empty());                  // and no numbers
  auto fills = canvas.CallsOf(Op::FloodFill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].colour, LightGrey);
  EXPECT_EQ(fills[0].width, 2);
  EXPECT_EQ(fills[1].colour, White);
  EXPECT_EQ(fills[1].p.x, 5);
  for (const CanvasCall& c : canvas.CallsOf(Op::Line)) EXPECT_EQ(c.colour, LightGrey);

  canvas.ClearCalls();
  RedrawView();
  EXPECT_TRUE(canvas.CallsOf(Op::FloodFill).empty());
  EXPECT_EQ(canvas.Texts().size(), 5u);
}

TEST_F(RedrawTest, IdentifyUnmagnifiedAndMagnified) {
  Rectangle();
  AddCircle(20, 0, 1);
  RedrawView();
  View.highlight = 2;
  canvas.ClearCalls();
  RedrawView();
  EXPECT_TRUE(canvas.CallsOf(Op::SetMapping).empty());
  EXPECT_TRUE(canvas.Texts().empty());
  auto circle = canvas.CallsOf(Op::Circle);
  ASSERT_EQ(circle.size(), 1u);
  EXPECT_EQ(circle[0].colour, LightGrey);
  EXPECT_EQ(circle[0].width, 2);
  for (const CanvasCall& c : canvas.CallsOf(Op::Line)) {
    EXPECT_EQ(c.colour, Black);
    EXPECT_EQ(c.width, 1);
  }
  ASSERT_EQ(canvas.CallsOf(Op::FloodFill).size(), 1u);

  View.magnification = 2;
  View.highlight = 2;
  canvas.ClearCalls();
  RedrawView();
  EXPECT_EQ(canvas.CallsOf(Op::SetMapping).size(), 1u);
  auto texts = canvas.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 6u);  // four node numbers, the circle's number, its "x"
  EXPECT_EQ(texts[5].text, "x");
  EXPECT_EQ(texts[5].p.x, 20);
  EXPECT_EQ(texts[5].p.y, 0);
  EXPECT_EQ(View.highlight, 0);
}

TEST_F(RedrawTest, EmptyTableStartsANewPolygon) {
  View.highlight = 0;
  Panel.heading = "Circle section";
  EXPECT_TRUE(RedrawView().emptyTable);
  EXPECT_TRUE(canvas.Calls().empty());
  UpdateView();
  EXPECT_EQ(Panel.heading, "Polygon Section");
  EXPECT_EQ(Panel.inputLine, "0, 0");
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].op, Op::Clear);
}

TEST_F(RedrawTest, NothingShownOnlyClears) {
  AddCircle(0, 0, 1);
  Table.sections[1].flags |= Off;
  Shared.ResultsCurrent = true;
  View.showPrincipalAxes = true;
  RedrawView();
  EXPECT_TRUE(canvas.CallsOf(Op::Circle).empty());
  EXPECT_TRUE(canvas.CallsOf(Op::Line).empty());
  EXPECT_TRUE(canvas.Texts().empty());
  EXPECT_EQ(canvas.CallsOf(Op::Clear).size(), 1u);
}

TEST_F(RedrawTest, PhantomNumbersInBlueUnlessNumbersAreHidden) {
  Rectangle();
  int a = AddPhantom(20, 20);
  int b = AddPhantom(-5, 0);
  ASSERT_EQ(a, 250);
  ASSERT_EQ(b, 249);
  RedrawView();
  auto texts = canvas.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[4].text, " 250");
  EXPECT_EQ(texts[4].colour, Blue);
  EXPECT_EQ(texts[5].text, " 249");
  EXPECT_EQ(texts[5].p.x, -5);
  EXPECT_EQ(canvas.Calls().back().op, Op::SetTextColour);
  EXPECT_EQ(canvas.Calls().back().colour, Black);

  View.ShowPhantoms = false;
  canvas.ClearCalls();
  RedrawView();
  EXPECT_EQ(canvas.Texts().size(), 4u);
  EXPECT_EQ(Extent.xmin, -5);  // hidden phantom points still size the view

  View.ShowPhantoms = true;
  View.hideNodeNumbers = true;
  canvas.ClearCalls();
  RedrawView();
  EXPECT_TRUE(canvas.Texts().empty());
}

TEST_F(RedrawTest, PrincipalAxesOnlyWhileResultsAreCurrent) {
  Rectangle();
  Calc.props = {};
  Calc.props.xBar = 5;
  Calc.props.yBar = 2.5;
  Calc.props.angle = 90;
  Shared.ResultsCurrent = true;
  View.showPrincipalAxes = true;
  UpdateView();
  EXPECT_TRUE(Panel.menu[MenuPrincipalAxes].checked);
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 6u);
  // d = 10 / 10 along 90 degrees, then along 180 degrees.
  EXPECT_NEAR(lines[4].p.x, 5, 1e-12);
  EXPECT_NEAR(lines[4].p.y, 1.5, 1e-12);
  EXPECT_NEAR(lines[4].q.y, 3.5, 1e-12);
  EXPECT_NEAR(lines[5].p.x, 6, 1e-12);
  EXPECT_NEAR(lines[5].q.x, 4, 1e-12);
  auto texts = canvas.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[4].text, "p");
  EXPECT_NEAR(texts[4].p.y, 3.5, 1e-12);
  EXPECT_EQ(texts[5].text, "p");
  EXPECT_NEAR(texts[5].p.y, 1.5, 1e-12);

  Shared.ResultsCurrent = false;
  canvas.ClearCalls();
  UpdateView();
  EXPECT_FALSE(View.showPrincipalAxes);
  EXPECT_FALSE(Panel.menu[MenuPrincipalAxes].checked);
  EXPECT_EQ(canvas.CallsOf(Op::Line).size(), 4u);
}

TEST_F(RedrawTest, FilletArcsAndTangentPoints) {
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  SetFillet(2, 2);
  SetFillet(3, 4);
  RedrawView();
  auto arcs = canvas.CallsOf(Op::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_NEAR(arcs[0].p.x, 8, 1e-6);
  EXPECT_NEAR(arcs[0].p.y, 2, 1e-6);
  EXPECT_NEAR(arcs[0].a1, -Pi / 2, 1e-6);
  EXPECT_NEAR(arcs[0].a2, 0, 1e-6);
  auto lines = canvas.CallsOf(Op::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NEAR(lines[0].q.x, 8, 1e-6);   // edge 1-2 stops at the fillet
  EXPECT_NEAR(lines[1].p.y, 2, 1e-6);   // edge 2-3 starts after it
  EXPECT_NEAR(lines[2].q.x, 3, 1e-6);   // edge 3-4 stops at node 4's fillet
  EXPECT_NEAR(lines[3].p.y, 7, 1e-6);   // closing edge 4-1 starts after it
  // The numbers stay at the corners.
  EXPECT_EQ(canvas.CallsOf(Op::Text)[1].p.x, 10);
  EXPECT_EQ(canvas.CallsOf(Op::Text)[1].p.y, 0);
}

TEST_F(RedrawTest, WithoutACanvasTheStateStillChanges) {
  platform.SetViewCanvas(nullptr);
  Rectangle();
  View.highlight = -1;
  View.magnification = 1;
  View.showPrincipalAxes = true;
  RedrawView();
  EXPECT_EQ(View.highlight, 0);
  EXPECT_FALSE(View.showPrincipalAxes);
  EXPECT_EQ(Extent.xmax, 10);
}

}  // namespace
}  // namespace viewtest
