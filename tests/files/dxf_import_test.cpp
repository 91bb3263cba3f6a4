// DXF import: drawings written by ezdxf (tests/data/dxf, made by make_dxf.py) and by
// hand are imported, and their properties compared with the same sections built
// directly and with closed forms; every refusal leaves the program as it was.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/program_state.h"
#include "files/dxf_import.h"
#include "files/section_file.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "support/core_test.h"
#include "support/table_builder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int resets = 0;
void CountedReset() {
  ++resets;
  ResetTables();
}

std::string DataFile(const std::string& name) {
  return std::string(KELVARIN_TEST_DATA) + "/dxf/" + name;
}

std::string FileText(const std::string& name) {
  std::ifstream in(DataFile(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// DXF text from group-code/value pairs, one pair per two lines.
std::string Pairs(std::initializer_list<std::pair<int, std::string>> pairs,
                  const char* newline = "\n") {
  std::string text;
  for (const auto& [code, value] : pairs) text += std::to_string(code) + newline + value + newline;
  return text;
}
std::string Entities(const std::string& body) {
  return Pairs({{0, "SECTION"}, {2, "ENTITIES"}}) + body + Pairs({{0, "ENDSEC"}, {0, "EOF"}});
}
std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}
std::string Line(double x1, double y1, double x2, double y2) {
  return Pairs({{0, "LINE"}, {8, "0"}, {10, Num(x1)}, {20, Num(y1)}, {11, Num(x2)}, {21, Num(y2)}});
}

class DxfImportTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    resets = 0;
  }

  DxfImportResult ImportFile(const std::string& name, const DxfImportOptions& options = {}) {
    DxfImportResult r = ImportDxfFile(DataFile(name), options, CountedReset);
    EXPECT_TRUE(r.imported) << name << ": " << r.refusal;
    return r;
  }

  // The properties of the sections that build() makes on empty tables.
  PropertySet Direct(const std::function<void()>& build) {
    ResetTables();
    build();
    return Compute();
  }

  std::vector<const Section*> SectionsOfKind(SectionKind kind) const {
    std::vector<const Section*> out;
    for (int s = 1; s <= Table.sectionCount; ++s)
      if (KindOf(Table.sections[s]) == kind) out.push_back(&Table.sections[s]);
    return out;
  }

  // The polygon slot whose node is at (x, y), or 0.
  static int NodeAt(double x, double y) {
    for (int k = 1; k <= Table.nodeCount; ++k)
      if (Table.nodes[k].x == static_cast<float>(x) && Table.nodes[k].y == static_cast<float>(y))
        return k;
    return 0;
  }
};

// Every value within a relative 1e-9: the centroid against the section's size, the
// moments against the larger of Ixx and Iyy. The angle only where the principal
// axes are well defined.
void ExpectSameProperties(const PropertySet& got, const PropertySet& want, double rel = 1e-9) {
  const double size = std::sqrt(std::fabs(want.A));
  const double moment = std::max(std::fabs(want.Ixx), std::fabs(want.Iyy));
  EXPECT_NEAR(got.A, want.A, rel * std::fabs(want.A));
  EXPECT_NEAR(got.xBar, want.xBar, rel * size);
  EXPECT_NEAR(got.yBar, want.yBar, rel * size);
  for (auto [g, w] : {std::pair{got.Ixx, want.Ixx}, {got.Iyy, want.Iyy}, {got.Ixy, want.Ixy},
                      {got.Imax, want.Imax}, {got.Imin, want.Imin}}) {
    EXPECT_NEAR(g, w, rel * moment);
  }
  if (std::fabs(want.Imax - want.Imin) > 1e-6 * moment) {
    EXPECT_NEAR(got.angle, want.angle, 1e-6);
  }
}

// A circular segment of radius r and full angle t (radians): area.
double SegmentArea(double r, double t) { return r * r * (t - std::sin(t)) / 2; }

// The calculation holds a segment's area factor in single precision, so a closed
// form for arcs that are not fillets agrees to this fraction of the segments' area.
constexpr double kSegmentRel = 1e-7;

// A closed LWPOLYLINE through (x, y, bulge) vertices, each moved by (dx, dy).
std::string Outline(std::initializer_list<std::array<double, 3>> vertices, double dx = 0,
                    double dy = 0) {
  std::string text = Pairs({{0, "LWPOLYLINE"}, {70, "1"}});
  for (const auto& [x, y, b] : vertices)
    text += Pairs({{10, Num(x + dx)}, {20, Num(y + dy)}, {42, Num(b)}});
  return text;
}

// A rolled I-section 200 wide and 400 deep, flanges 16 thick, web 10, root fillets
// of radius 20, with its lower-left corner at (dx, dy).
std::string ISection(double dx, double dy) {
  const double f = -std::tan(kPi / 8);  // a quarter turn, clockwise
  return Outline({{0, 0, 0}, {200, 0, 0}, {200, 16, 0}, {125, 16, f}, {105, 36, 0},
                  {105, 364, f}, {125, 384, 0}, {200, 384, 0}, {200, 400, 0}, {0, 400, 0},
                  {0, 384, 0}, {75, 384, f}, {95, 364, 0}, {95, 36, f}, {75, 16, 0}, {0, 16, 0}},
                 dx, dy);
}

TEST_F(DxfImportTest, RectangleIsThePolygonOfItsCorners) {
  DxfImportResult r = ImportFile("rectangle.dxf");
  EXPECT_FALSE(r.moved);
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(r.polygons, 1);
  EXPECT_EQ(r.points, 4);
  EXPECT_EQ(r.insUnits, 4);
  EXPECT_EQ(r.units, "millimeters");
  const PropertySet got = Compute();
  EXPECT_DOUBLE_EQ(got.A, 5000);
  EXPECT_DOUBLE_EQ(got.Ixx, 100.0 * 50 * 50 * 50 / 12);
  ExpectSameProperties(got, Direct([] { AddPolygon({{0, 0}, {100, 0}, {100, 50}, {0, 50}}); }));
}

TEST_F(DxfImportTest, CircleInsideTheOutlineIsAHole) {
  // The rectangle is drawn clockwise; the hole counts all the same.
  DxfImportResult r = ImportFile("rectangle_hole.dxf");
  EXPECT_EQ(r.units, "inches");
  EXPECT_EQ(r.holes, 1);
  ASSERT_EQ(SectionsOfKind(SectionKind::Circle).size(), 1u);
  EXPECT_EQ(SectionsOfKind(SectionKind::Circle)[0]->weight, -1.0f);
  const PropertySet got = Compute();
  EXPECT_NEAR(got.A, 5000 - kPi * 100, 1e-9 * 5000);
  ExpectSameProperties(got, Direct([] {
                         AddPolygon({{0, 0}, {100, 0}, {100, 50}, {0, 50}});
                         AddCircle(50, 25, 10, -1.0f);
                       }));
}

TEST_F(DxfImportTest, TangentBulgesBecomeFilletsOfTheCorners) {
  DxfImportResult r = ImportFile("rounded_plate.dxf");
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(r.fillets, 4);
  EXPECT_EQ(r.points, 4);
  // The corners where the straight edges' lines meet, each with its fillet.
  for (auto [x, y] : {std::pair{0, 0}, {120, 0}, {120, 80}, {0, 80}}) {
    const int k = NodeAt(x, y);
    ASSERT_NE(k, 0) << x << ", " << y;
    EXPECT_EQ(Table.params[k].c[3], 10.0f);
  }
  const PropertySet got = Compute();
  EXPECT_NEAR(got.A, 9600 - (4 - kPi) * 100, 1e-9 * 9600);
  ExpectSameProperties(got, Direct([] {
                         AddPolygon({{0, 0}, {120, 0}, {120, 80}, {0, 80}});
                         for (int k = 1; k <= 4; ++k) SetFillet(10, k);
                       }));
}

TEST_F(DxfImportTest, LineAndArcChainWithConvexAndReentrantFillets) {
  // Lines in no order, some backwards, arcs always counter-clockwise in the file.
  DxfImportResult r = ImportFile("chain_l_shape.dxf");
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(r.fillets, 2);
  EXPECT_EQ(r.points, 6);
  EXPECT_EQ(r.insUnits, -1);
  EXPECT_EQ(r.units, "not given");
  EXPECT_EQ(Table.params[NodeAt(80, 0)].c[3], 6.0f);
  EXPECT_EQ(Table.params[NodeAt(20, 20)].c[3], 5.0f);
  const PropertySet got = Compute();
  // The rounded outer corner loses material, the rounded re-entrant corner gains it.
  EXPECT_NEAR(got.A, 2400 - (36 - 25) * (1 - kPi / 4), 1e-9 * 2400);
  ExpectSameProperties(got, Direct([] {
                         AddPolygon({{0, 0}, {80, 0}, {80, 20}, {20, 20}, {20, 60}, {0, 60}});
                         SetFillet(6, 2);
                         SetFillet(5, 4);
                       }));
}

TEST_F(DxfImportTest, OtherArcsBecomeChordsAndSegmentsOutwardAddingInwardTakingAway) {
  DxfImportResult r = ImportFile("bulges.dxf");
  EXPECT_EQ(r.polygons, 1);
  EXPECT_EQ(r.arcSegments, 2);
  EXPECT_EQ(r.fillets, 0);
  EXPECT_EQ(r.points, 6);
  // The half circle on top, out of the outline: +1. The bottom arc of bulge -0.25
  // swells into the outline: -1; its circle has its centre below the chord.
  const double b = 0.25, t = 4 * std::atan(b);
  const double rBottom = 100 * (1 + b * b) / (4 * b), yBottom = -100 * (1 - b * b) / (4 * b);
  std::vector<const Section*> segments = SectionsOfKind(SectionKind::ArcSegment);
  ASSERT_EQ(segments.size(), 2u);
  int out = 0, in = 0;
  for (const Section* s : segments) {
    const auto& c = Table.params[s->firstNode].c;
    EXPECT_LT(c[6], 0);   // between chord and arc
    EXPECT_GT(c[5], c[4]);  // counter-clockwise from a1 to a2
    EXPECT_EQ(c[0], 1.0f);
    if (s->weight > 0) {
      ++out;
      EXPECT_EQ(c[3], 50.0f);
      EXPECT_EQ(c[2], 60.0f);
    } else {
      ++in;
      EXPECT_FLOAT_EQ(c[3], static_cast<float>(rBottom));
      EXPECT_FLOAT_EQ(c[2], static_cast<float>(yBottom));
    }
  }
  EXPECT_EQ(out, 1);
  EXPECT_EQ(in, 1);
  const PropertySet got = Compute();
  EXPECT_NEAR(got.A, 6000 + kPi * 2500 / 2 - SegmentArea(rBottom, t),
              kSegmentRel * (kPi * 2500 / 2 + SegmentArea(rBottom, t)));
  ExpectSameProperties(got, Direct([&] {
                         AddPolygon({{0, 0}, {100, 0}, {100, 60}, {0, 60}});
                         AddArcSegment(50, 60, 50, 0, 180, -1, 1.0f);
                         const double half = t / 2 / (kPi / 180);
                         AddArcSegment(50, yBottom, rBottom, 90 - half, 90 + half, -1, -1.0f);
                       }));
}

// A bulge so large that its arc is a turn but for a sliver: the segment keeps a span
// below a turn, which the calculation counts as the near-whole disc it is (a span
// rounded to a whole turn would count as none and report an error).
TEST_F(DxfImportTest, AnArcOfAlmostAWholeTurnKeepsItsSpan) {
  const DxfImportResult r =
      ImportDxf(Entities(Outline({{0, 0, 0}, {100, 0, 0}, {100, 60, 3e20}, {0, 60, 0}})), {},
                CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  std::vector<const Section*> segments = SectionsOfKind(SectionKind::ArcSegment);
  ASSERT_EQ(segments.size(), 1u);
  const auto& c = Table.params[segments[0]->firstNode].c;
  EXPECT_LT(double(c[5]) - c[4], 360);
  EXPECT_GT(double(c[5]) - c[4], 359.999);
  platform.ClearEvents();
  const PropertySet got = Compute();
  EXPECT_TRUE(platform.Events().empty());
  EXPECT_GT(got.A, kPi * double(c[3]) * c[3] * 0.99);
}

TEST_F(DxfImportTest, NestedOutlinesAlternateTheirWeights) {
  DxfImportResult r = ImportFile("nested.dxf");
  EXPECT_EQ(r.sections, 4);
  EXPECT_EQ(r.holes, 2);
  // Outer outlines first: the plate, then the square hole and the small hole, then
  // the island in the square hole.
  ASSERT_EQ(Table.sectionCount, 4);
  EXPECT_EQ(Table.sections[1].weight, 1.0f);
  EXPECT_EQ(KindOf(Table.sections[2]), SectionKind::Polygon);
  EXPECT_EQ(Table.sections[2].weight, -1.0f);
  EXPECT_EQ(Table.params[Table.sections[3].firstNode].c[3], 4.0f);
  EXPECT_EQ(Table.sections[3].weight, -1.0f);
  EXPECT_EQ(Table.params[Table.sections[4].firstNode].c[3], 10.0f);
  EXPECT_EQ(Table.sections[4].weight, 1.0f);
  ExpectSameProperties(Compute(), Direct([] {
                         AddPolygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
                         AddPolygon({{20, 20}, {80, 20}, {80, 80}, {20, 80}}, -1.0f);
                         AddCircle(50, 50, 10);
                         AddCircle(90, 90, 4, -1.0f);
                       }));
}

TEST_F(DxfImportTest, OldStylePolylineAndACircleSeenFromBelow) {
  // Half circles (bulge 1) are not fillets: chords and segments. The circle's
  // centre is mirrored from its own plane into the drawing's.
  DxfImportResult r = ImportFile("polyline_slot.dxf");
  EXPECT_EQ(r.polygons, 1);
  EXPECT_EQ(r.arcSegments, 2);
  EXPECT_EQ(r.circles, 1);
  const PropertySet got = Compute();
  EXPECT_NEAR(got.A, 1800 + kPi * 225 + kPi * 25, kSegmentRel * kPi * 225);
  ExpectSameProperties(got, Direct([] {
                         AddPolygon({{0, 0}, {60, 0}, {60, 30}, {0, 30}});
                         AddArcSegment(60, 15, 15, 270, 450, -1);
                         AddArcSegment(0, 15, 15, 90, 270, -1);
                         AddCircle(100, 0, 5);
                       }));
}

TEST_F(DxfImportTest, OneLayerAndAScale) {
  DxfImportResult r = ImportFile("layers.dxf", {"section", 2.0});
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(r.leftOut, (std::map<std::string, int>{{"TEXT", 1}}));
  const PropertySet got = Compute();
  EXPECT_DOUBLE_EQ(got.A, 400);
  ExpectSameProperties(got, Direct([] { AddPolygon({{0, 0}, {20, 0}, {20, 20}, {0, 20}}); }));

  // Every layer: the frame holds the square, which becomes its hole.
  r = ImportFile("layers.dxf");
  EXPECT_EQ(r.sections, 2);
  EXPECT_NEAR(Compute().A, kPi * 2500 - 100, 1e-9 * 7800);
}

TEST_F(DxfImportTest, AnImportReplacesTheTablesAsAnUnsavedDrawing) {
  AddPolygon({{0, 0}, {1, 0}, {1, 1}});
  Table.lowestPhantom = TopNode;  // a phantom point
  Table.nodes[TopNode] = {5, 5};
  Shared.CurrentFile = "/somewhere/old.sec";
  Shared.FileChanged = false;
  Compute();
  ASSERT_TRUE(Shared.ResultsCurrent);

  ImportFile("rectangle_hole.dxf");
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(Table.sectionCount, 2);
  EXPECT_EQ(Table.nodeCount, 5);
  EXPECT_EQ(Table.lowestPhantom, TopNode + 1);
  EXPECT_EQ(Table.CurrentSection, 2);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Shared.ResultsCurrent);
  EXPECT_EQ(Shared.CurrentFile, "");
  // The imported tables are written and read back like any others.
  const std::vector<std::uint8_t> bytes = EncodeSectionFile();
  ResetTables();
  ASSERT_EQ(DecodeSectionFile(bytes.data(), bytes.size()), SectionFileError::None);
  EXPECT_NEAR(Compute().A, 5000 - kPi * 100, 1e-9 * 5000);
}

TEST_F(DxfImportTest, ADrawingFarFromTheOriginIsMovedNearItByARoundAmount) {
  // Single precision at 6e6 keeps half a millimetre: the section as drawn there would
  // lose its shape. Moved by whole hundreds it keeps its centroidal values.
  DxfImportResult far = ImportDxf(Entities(ISection(5.4e6, 6.1e6)), {}, CountedReset);
  ASSERT_TRUE(far.imported) << far.refusal;
  EXPECT_TRUE(far.moved);
  EXPECT_EQ(far.movedX, -5.4e6);
  EXPECT_EQ(far.movedY, -6.1e6);
  EXPECT_EQ(far.fillets, 4);
  EXPECT_EQ(DxfImportReport(far).back(), "moved by (-5400000, -6100000) to lie near the origin");
  const PropertySet got = Compute();
  DxfImportResult near = ImportDxf(Entities(ISection(0, 0)), {}, CountedReset);
  ASSERT_TRUE(near.imported) << near.refusal;
  EXPECT_FALSE(near.moved);
  ExpectSameProperties(got, Compute(), 1e-6);

  // 0.4 x 0.8 m at (354000, 5400000) m: moved by whole metres (a tenth is the step
  // of a drawing this size).
  far = ImportDxf(Entities(Outline({{0, 0, 0}, {0.4, 0, 0}, {0.4, 0.8, 0}, {0, 0.8, 0}}, 354000,
                                   5400000)),
                  {}, CountedReset);
  ASSERT_TRUE(far.imported) << far.refusal;
  EXPECT_EQ(far.movedX, -354000);
  EXPECT_EQ(far.movedY, -5400000);
  const PropertySet rect = Compute();
  EXPECT_NEAR(rect.A, 0.32, 1e-6 * 0.32);
  EXPECT_NEAR(rect.Ixx, 0.4 * 0.512 / 12, 1e-6 * 0.4 * 0.512 / 12);
  EXPECT_NEAR(rect.Iyy, 0.8 * 0.064 / 12, 1e-6 * 0.4 * 0.512 / 12);
  EXPECT_NEAR(rect.xBar, 0.2, 1e-7);
  EXPECT_NEAR(rect.yBar, 0.4, 1e-7);

  // The move is reported after the scale; points in messages are the drawing's own.
  far = ImportDxf(Entities(Outline({{0, 0, 0}, {0.4, 0, 0}, {0.4, 0.8, 0}, {0, 0.8, 0}}, 354000,
                                   5400000)),
                  {"", 1000}, CountedReset);
  EXPECT_EQ(far.movedX, -354000000);
  ResetTables();
  far = ImportDxf(Entities(Line(354000, 5400000, 354000.4, 5400000) +
                           Line(354000.4, 5400000, 354000.4, 5400000.8)),
                  {}, nullptr);
  EXPECT_NE(far.refusal.find("ends at (354000, 5400000)"), std::string::npos) << far.refusal;
}

// Each refusal: the reason, and nothing changed (tables, flags, file name, no reset).
class DxfRefusalTest : public DxfImportTest {
 protected:
  void SetUp() override {
    DxfImportTest::SetUp();
    AddPolygon({{0, 0}, {3, 0}, {3, 2}});
    AddCircle(1, 1, 0.5f, -1.0f);
    Shared.CurrentFile = "/somewhere/kept.sec";
    Shared.FileChanged = false;
    before_ = EncodeSectionFile();
  }

  void ExpectRefused(const DxfImportResult& r, const std::string& reason) {
    EXPECT_FALSE(r.imported);
    EXPECT_NE(r.refusal.find(reason), std::string::npos) << r.refusal;
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(EncodeSectionFile(), before_);
    EXPECT_EQ(Table.CurrentSection, 2);
    EXPECT_FALSE(Shared.FileChanged);
    EXPECT_EQ(Shared.CurrentFile, "/somewhere/kept.sec");
  }

  DxfImportResult Text(const std::string& text, const DxfImportOptions& options = {}) {
    return ImportDxf(text, options, CountedReset);
  }

  std::vector<std::uint8_t> before_;
};

TEST_F(DxfRefusalTest, DrawingsThatDoNotFit) {
  ExpectRefused(ImportDxfFile(DataFile("open_chain.dxf"), {}, CountedReset),
                "An outline is open: a line or arc ends at (0, 0)");
  ExpectRefused(ImportDxfFile(DataFile("too_many_points.dxf"), {}, CountedReset),
                "The drawing gives 251 points; a section table holds at most 250.");
  ExpectRefused(ImportDxfFile(DataFile("too_many_sections.dxf"), {}, CountedReset),
                "The drawing gives 101 sections; a section table holds at most 100.");
  ExpectRefused(ImportDxfFile(DataFile("nothing.dxf"), {}, CountedReset),
                "There is nothing to import: the drawing has no closed outline (");
  ExpectRefused(ImportDxfFile(DataFile("nothing.dxf"), {}, CountedReset),
                "Not read: 1 POINT, 1 TEXT.");
  ExpectRefused(ImportDxfFile(DataFile("rectangle.dxf"), {"no such layer"}, CountedReset),
                "no closed outline on layer \"no such layer\"");
  std::string kinds;
  for (const char* kind : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"})
    kinds += Pairs({{0, kind}});
  ExpectRefused(Text(Entities(kinds)), "Not read: 1 A, 1 B, 1 C, 1 D, 1 E, 1 F, 1 G, 1 H and 2 other kinds.");
}

TEST_F(DxfRefusalTest, ExactlyAtTheCapacitiesIsAccepted) {
  // 250 vertices in one outline fill the node slots; 100 circles the sections.
  std::string ring = Pairs({{0, "LWPOLYLINE"}, {70, "1"}});
  for (int k = 0; k < 250; ++k) {
    ring += Pairs({{10, Num(50 * std::cos(2 * kPi * k / 250))},
                   {20, Num(50 * std::sin(2 * kPi * k / 250))}});
  }
  DxfImportResult r = Text(Entities(ring));
  EXPECT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.points, 250);

  std::string circles;
  for (int k = 0; k < 100; ++k) {
    circles += Pairs({{0, "CIRCLE"}, {10, std::to_string(10 * (k % 10))},
                      {20, std::to_string(10 * (k / 10))}, {40, "2"}});
  }
  r = Text(Entities(circles));
  EXPECT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.sections, 100);
}

TEST_F(DxfRefusalTest, TextsThatAreNotDrawingsOrNotFlat) {
  ExpectRefused(Text("hello\nworld\n"), "'hello' is not a group code");
  ExpectRefused(Text(""), "not an ASCII DXF file");
  ExpectRefused(Text(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)), "binary DXF");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {10, "1,5"}}))),
                "line 8: '1,5' is not a number");
  ExpectRefused(Text("0\nSECTION\n2\n"), "ends after the group code on line 3");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {10, "0"}, {20, "0"}, {40, "nan"}}))),
                "'nan' is not a number");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {10, "0"}, {20, "0"}, {40, "1"},
                                     {210, "0.6"}, {220, "0"}, {230, "0.8"}}))),
                "the CIRCLE does not lie in the drawing plane");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {40, "3e38"}})), {"", 10.0}),
                "too large for the section table");
  // A flat arc on a long edge: its radius is beyond single precision.
  ExpectRefused(Text(Entities(Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "0"}, {20, "0"},
                                     {42, "0.1"}, {10, "3e38"}, {20, "0"}, {10, "3e38"},
                                     {20, "3e38"}}))),
                "too large for the section table");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {40, "1"}})), {"", -1.0}),
                "The scale must be a positive number.");
  ExpectRefused(ImportDxfFile(DataFile("no-such-file.dxf"), {}, CountedReset),
                "no-such-file.dxf: No such file or directory");
}

TEST_F(DxfRefusalTest, FilesCutShort) {
  // A plate whose file ends just before its hole's CIRCLE, or before its EOF.
  const std::string plate = FileText("rectangle_hole.dxf");
  const std::size_t circle = plate.find("\n  0\nCIRCLE\n");
  ASSERT_NE(circle, std::string::npos);
  const int circleLine = 1 + static_cast<int>(std::count(plate.begin(), plate.begin() + circle, '\n'));
  ExpectRefused(Text(plate.substr(0, circle + 1)),
                "it ends at line " + std::to_string(circleLine) +
                    " inside its ENTITIES section, before the section's ENDSEC: the file is cut "
                    "short.");
  ExpectRefused(Text(plate.substr(0, plate.rfind("  0\nEOF"))),
                " before the EOF that closes a DXF file");
  // An EOF before the section's end, and one cut short ("EO").
  ExpectRefused(Text(Pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "CIRCLE"}, {40, "1"}, {0, "EOF"}})),
                "line 10: EOF inside the ENTITIES section, before its ENDSEC");
  ExpectRefused(Text(Pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "CIRCLE"}, {40, "1"},
                            {0, "ENDSEC"}, {0, "EO"}})),
                "line 12: 'EO' stands outside any section");
  // Four vertices announced, three given.
  ExpectRefused(Text(Entities(Pairs({{0, "LWPOLYLINE"}, {90, "4"}, {70, "1"}, {10, "0"}, {20, "0"},
                                     {10, "4"}, {20, "0"}, {10, "4"}, {20, "3"}}))),
                "line 6: the LWPOLYLINE lists 3 vertices where its group 90 gives 4");
}

// Each cut of a drawing at the start and in the middle of each of its lines.
TEST_F(DxfImportTest, EveryCutOfADrawingIsRefusedOrImportsAsTheWhole) {
  for (auto [name, layer] : {std::pair{"rectangle_hole.dxf", ""}, {"chain_l_shape.dxf", ""},
                             {"polyline_slot.dxf", ""}, {"block_section.dxf", "Section"}}) {
    const std::string text = FileText(name);
    const DxfImportOptions options{layer};
    ASSERT_TRUE(ImportDxf(text, options, nullptr).imported) << name;
    const std::vector<std::uint8_t> whole = EncodeSectionFile();
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
      cuts.push_back(at);
      const std::size_t end = text.find('\n', at);
      if (end == std::string::npos) break;
      cuts.push_back((at + end) / 2);
    }
    cuts.push_back(text.size() - 1);  // without the last line's end: the whole file
    int accepted = 0;
    for (std::size_t cut : cuts) {
      ResetTables();
      const DxfImportResult r = ImportDxf(std::string_view(text).substr(0, cut), options, nullptr);
      if (!r.imported) {
        // Where the file ends, or that it is no DXF file at all.
        EXPECT_TRUE(r.refusal.find("line ") != std::string::npos ||
                    r.refusal.find("not an ASCII DXF file") != std::string::npos)
            << name << " cut at " << cut << ": " << r.refusal;
        EXPECT_EQ(Table.sectionCount, 0);
        continue;
      }
      ++accepted;
      EXPECT_EQ(EncodeSectionFile(), whole) << name << " cut at " << cut;
    }
    EXPECT_EQ(accepted, 1) << name;
  }
}

TEST_F(DxfRefusalTest, ChainsThatBranch) {
  // A square with a diagonal: three lines meet at two corners.
  ExpectRefused(Text(Entities(Line(0, 0, 1, 0) + Line(1, 0, 1, 1) + Line(1, 1, 0, 1) +
                              Line(0, 1, 0, 0) + Line(0, 0, 1, 1))),
                "3 lines or arcs meet at (");
}

TEST_F(DxfRefusalTest, OutlinesThatCross) {
  // A circle over the corner of a square, and a square whose bulged edge swells out
  // through the side of a square round it although all its corners are inside.
  std::string square = Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "0"}, {20, "0"}, {10, "10"},
                              {20, "0"}, {10, "10"}, {20, "10"}, {10, "0"}, {20, "10"}});
  ExpectRefused(Text(Entities(square + Pairs({{0, "CIRCLE"}, {10, "10"}, {20, "10"}, {40, "2"}}))),
                "Two outlines cross near (");
  std::string swelling = Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "2"}, {20, "2"}, {10, "8"},
                                {20, "2"}, {42, "1"}, {10, "8"}, {20, "8"}, {10, "2"}, {20, "8"}});
  ExpectRefused(Text(Entities(square + swelling)), "Two outlines cross near (10, 7.236067977)");
  // Two bars across each other: no vertex or edge middle of either lies inside the
  // other, but their edges cross.
  ExpectRefused(Text(Entities(Outline({{-10, -1, 0}, {30, -1, 0}, {30, 1, 0}, {-10, 1, 0}}) +
                              Outline({{-1, -10, 0}, {1, -10, 0}, {1, 30, 0}, {-1, 30, 0}}))),
                "Two outlines cross near (");
}

TEST_F(DxfRefusalTest, OutlinesThatCrossOrTouchThemselves) {
  const std::string crossing = "crosses or touches itself at ";
  ExpectRefused(Text(Entities(Pairs({{0, "LWPOLYLINE"}, {5, "2F"}, {8, "Steel"}, {70, "1"},
                                     {10, "0"}, {20, "0"}, {10, "100"}, {20, "100"}, {10, "100"},
                                     {20, "0"}, {10, "0"}, {20, "40"}}))),
                "The LWPOLYLINE (handle 2F, layer \"Steel\") " + crossing +
                    "(28.57142857, 28.57142857); an outline must not cross or touch itself.");
  // Lobes of equal area: no area in sum, but the same fault.
  ExpectRefused(Text(Entities(Outline({{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 10, 0}}))),
                "The LWPOLYLINE (line 6, layer \"0\") " + crossing + "(5, 5)");
  // The same of four lines, named by the two that cross.
  ExpectRefused(Text(Entities(Line(0, 0, 10, 10) + Line(10, 10, 10, 0) + Line(10, 0, 0, 10) +
                              Line(0, 10, 0, 0))),
                "The outline of LINE (line 6, layer \"0\") and LINE (line 30, layer \"0\") " +
                    crossing + "(5, 5)");
  // A vertex on an edge that does not end there.
  ExpectRefused(Text(Entities(Outline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {5, 0, 0}, {0, 10, 0}}))),
                crossing + "(5, 0)");
  // A top edge whose arc (bulge -2.4: 270 degrees) swings down through the bottom
  // edge and the right side (its own neighbour) at (10, 0.08); and a right edge whose
  // arc swings in through the top and bottom edges.
  ExpectRefused(Text(Entities(Outline({{0, 0, 0}, {10, 0, 0}, {10, 10, -2.4}, {0, 10, 0}}))),
                crossing);
  ExpectRefused(Text(Entities(Outline({{0, 0, 0}, {10, 0, -1.5}, {10, 10, 0}, {0, 10, 0}}))),
                crossing);
}

TEST_F(DxfRefusalTest, AnOutlineDrawnTwice) {
  const std::string plate = Outline({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}});
  auto handled = [](std::string text, const char* handle) {
    return text.insert(text.find("\n") + 12, std::string("5\n") + handle + "\n");
  };
  ExpectRefused(Text(Entities(handled(plate, "2A") + handled(plate, "2B"))),
                "The same outline is drawn twice: by LWPOLYLINE (handle 2A, layer \"0\") and by "
                "LWPOLYLINE (handle 2B, layer \"0\"); it would count twice. Remove one of them.");
  // Once as a polyline, once as lines the other way round, starting elsewhere.
  ExpectRefused(Text(Entities(plate + Line(10, 5, 10, 0) + Line(10, 0, 0, 0) + Line(0, 0, 0, 5) +
                              Line(0, 5, 10, 5))),
                "by LWPOLYLINE (line 6, layer \"0\") and by the chain of LINE (line 34, layer "
                "\"0\") and 3 other entities;");
  ExpectRefused(Text(Entities(Pairs({{0, "CIRCLE"}, {40, "2"}, {0, "CIRCLE"}, {40, "2"}}))),
                "The same outline is drawn twice: by CIRCLE (line 6, layer \"0\") and by CIRCLE");
}

TEST_F(DxfImportTest, AHoleMayTouchItsOutline) {
  // A square hole with one side on the plate's left edge, and a circle touching
  // the plate's top from inside: both holes.
  std::string text = Entities(
      Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "0"}, {20, "0"}, {10, "40"}, {20, "0"}, {10, "40"},
             {20, "20"}, {10, "0"}, {20, "20"}}) +
      Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "0"}, {20, "5"}, {10, "5"}, {20, "5"}, {10, "5"},
             {20, "10"}, {10, "0"}, {20, "10"}}) +
      Pairs({{0, "CIRCLE"}, {10, "30"}, {20, "17"}, {40, "3"}}));
  DxfImportResult r = ImportDxf(text, {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.holes, 2);
  EXPECT_NEAR(Compute().A, 800 - 25 - kPi * 9, 1e-9 * 800);
}

// Details of the reader and of the geometry, on drawings written by hand.
TEST_F(DxfImportTest, HandWrittenHeaderUnitsLineEndingsAndChainsThatJustMiss) {
  // Carriage returns, padded codes, a header with microns; four lines whose ends
  // miss each other by far less than a millionth of the drawing.
  std::string text = Pairs({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"},
                            {9, "$INSUNITS"}, {70, "    13"}, {0, "ENDSEC"}},
                           "\r\n") +
                     "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + Line(0, 0, 10, 0) +
                     Line(10.0000000001, 0, 10, 5) + Line(10, 5, 0, 5) + Line(0, 5, 0, 1e-10) +
                     "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  DxfImportResult r = ImportDxf(text, {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.units, "microns");
  EXPECT_EQ(r.points, 4);
  EXPECT_DOUBLE_EQ(Compute().A, 50);

  r = ImportDxf(Pairs({{0, "SECTION"}, {2, "HEADER"}, {9, "$INSUNITS"}, {70, "99"},
                       {0, "ENDSEC"}}) +
                    Entities(Pairs({{0, "CIRCLE"}, {40, "1"}})),
                {}, CountedReset);
  EXPECT_EQ(r.units, "unknown code 99");
}

TEST_F(DxfImportTest, ArcSeenFromBelowClosesAHalfDisc) {
  // In its own plane (extrusion 0, 0, -1) the arc runs from 0 to 180 degrees about
  // the origin; in the drawing it runs from (-10, 0) over (0, 10) to (10, 0).
  std::string arc = Pairs({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "10"}, {50, "0"}, {51, "180"},
                           {210, "0"}, {220, "0"}, {230, "-1"}});
  DxfImportResult r = ImportDxf(Entities(Line(10, 0, -10, 0) + arc), {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.arcSegments, 1);
  const PropertySet got = Compute();
  EXPECT_NEAR(got.A, kPi * 50, kSegmentRel * kPi * 50);
  EXPECT_NEAR(got.xBar, 0, 1e-9);
  EXPECT_NEAR(got.yBar, 40 / (3 * kPi), 1e-6);  // single-precision angles
  EXPECT_NEAR(got.Iyy, kPi * 10000 / 8, 1e-6 * 4000);
}

TEST_F(DxfImportTest, AnArcThatIsNotTangentStaysAnArc) {
  // A quarter circle about (0, 0) joins (10, 0) to (0, 10) between two lines that
  // meet it at right angles, not tangentially: chord and segment, no fillet.
  std::string text = Entities(
      Line(0, 0, 10, 0) + Pairs({{0, "ARC"}, {40, "10"}, {50, "0"}, {51, "90"}}) + Line(0, 10, 0, 0));
  DxfImportResult r = ImportDxf(text, {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.fillets, 0);
  EXPECT_EQ(r.arcSegments, 1);
  EXPECT_EQ(r.points, 4);
  EXPECT_NEAR(Compute().A, kPi * 25, kSegmentRel * (kPi * 25 - 50));
}

TEST_F(DxfImportTest, AnArcTooFlatForSinglePrecisionIsItsChord) {
  // A bulge of 1e-9 turns the edge by 4e-9 radians: both ends of its arc would be
  // stored at the same angle, and its segment would have no area to the calculation.
  std::string text = Entities(Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "0"}, {20, "0"},
                                     {42, "1e-9"}, {10, "10"}, {20, "0"}, {10, "10"}, {20, "10"},
                                     {10, "0"}, {20, "10"}}));
  DxfImportResult r = ImportDxf(text, {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(r.arcSegments, 0);
  EXPECT_DOUBLE_EQ(Compute().A, 100);
  EXPECT_TRUE(EventsOfKind(PlatformEvent::MessageBox).empty());
}

TEST_F(DxfImportTest, TwoHalfCircleBulgesAreACircleAndAnOpenPolylineMayCloseItself) {
  // The common way to draw a circle as a polyline: two vertices, bulge 1 on each.
  std::string circle = Pairs({{0, "LWPOLYLINE"}, {70, "1"}, {10, "-3"}, {20, "2"}, {42, "1"},
                              {10, "5"}, {20, "2"}, {42, "1"}});
  // A triangle left open but ending where it began.
  std::string triangle = Pairs({{0, "LWPOLYLINE"}, {70, "0"}, {10, "20"}, {20, "0"}, {10, "26"},
                                {20, "0"}, {10, "20"}, {20, "8"}, {10, "20"}, {20, "0"}});
  DxfImportResult r = ImportDxf(Entities(circle + triangle), {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.circles, 1);
  EXPECT_EQ(r.polygons, 1);
  ASSERT_EQ(SectionsOfKind(SectionKind::Circle).size(), 1u);
  const auto& c = Table.params[SectionsOfKind(SectionKind::Circle)[0]->firstNode].c;
  EXPECT_FLOAT_EQ(c[1], 1);
  EXPECT_FLOAT_EQ(c[2], 2);
  EXPECT_FLOAT_EQ(c[3], 4);
  EXPECT_NEAR(Compute().A, kPi * 16 + 24, 1e-9 * 100);
}

TEST_F(DxfImportTest, PolylineVerticesThatAreNotOnTheOutline) {
  // A fitted polyline's frame control point (vertex flag 16) is not on its outline;
  // a 3D polyline's bulges mean nothing; a mesh outlines no section.
  auto vertex = [](const char* x, const char* y, const char* flags, const char* bulge = "0") {
    return Pairs({{0, "VERTEX"}, {10, x}, {20, y}, {42, bulge}, {70, flags}});
  };
  std::string fitted = Pairs({{0, "POLYLINE"}, {66, "1"}, {70, "5"}}) + vertex("0", "0", "8") +
                       vertex("50", "-50", "16") + vertex("4", "0", "8") + vertex("4", "3", "8") +
                       Pairs({{0, "SEQEND"}});
  std::string spatial = Pairs({{0, "POLYLINE"}, {66, "1"}, {70, "9"}}) +
                        vertex("10", "0", "32", "1") + vertex("12", "0", "32", "1") +
                        vertex("12", "2", "32", "1") + Pairs({{0, "SEQEND"}});
  std::string mesh = Pairs({{0, "POLYLINE"}, {66, "1"}, {70, "64"}}) + vertex("0", "0", "192") +
                     vertex("9", "0", "192") + vertex("9", "9", "192") + Pairs({{0, "SEQEND"}});
  DxfImportResult r = ImportDxf(Entities(fitted + spatial + mesh), {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.polygons, 2);
  EXPECT_EQ(r.arcSegments, 0);
  EXPECT_EQ(r.leftOut, (std::map<std::string, int>{{"POLYLINE mesh", 1}}));
  EXPECT_DOUBLE_EQ(Compute().A, 6 + 2);
}

TEST_F(DxfImportTest, PaperSpaceAndOtherKindsAreNotRead) {
  std::string text =
      Entities(Pairs({{0, "CIRCLE"}, {67, "1"}, {40, "9"}}) + Pairs({{0, "CIRCLE"}, {40, "2"}}) +
               Pairs({{0, "SPLINE"}, {8, "0"}}) + Pairs({{0, "INSERT"}, {2, "B"}}));
  DxfImportResult r = ImportDxf(text, {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.sections, 1);
  EXPECT_EQ(Table.params[Table.sections[1].firstNode].c[3], 2.0f);
  EXPECT_EQ(r.leftOut,
            (std::map<std::string, int>{{"INSERT (block not in the file)", 1}, {"SPLINE", 1}}));
}

// Blocks: (name, base point, entities) as the BLOCKS section holds them, and an
// INSERT of one.
std::string Blocks(std::initializer_list<std::tuple<std::string, double, double, std::string>> list) {
  std::string text = Pairs({{0, "SECTION"}, {2, "BLOCKS"}});
  for (const auto& [name, bx, by, body] : list) {
    text += Pairs({{0, "BLOCK"}, {8, "0"}, {2, name}, {70, "0"}, {10, Num(bx)}, {20, Num(by)}}) +
            body + Pairs({{0, "ENDBLK"}, {8, "0"}});
  }
  return text + Pairs({{0, "ENDSEC"}});
}
std::string Insert(const std::string& block, double x, double y, double angle = 0, double sx = 1,
                   double sy = 1, const std::string& layer = "0") {
  return Pairs({{0, "INSERT"}, {8, layer}, {2, block}, {10, Num(x)}, {20, Num(y)}, {41, Num(sx)},
                {42, Num(sy)}, {50, Num(angle)}});
}
std::string Arc(double xc, double yc, double r, double a1, double a2) {
  return Pairs({{0, "ARC"}, {10, Num(xc)}, {20, Num(yc)}, {40, Num(r)}, {50, Num(a1)}, {51, Num(a2)}});
}

TEST_F(DxfImportTest, BlocksArePlacedMovedTurnedScaledMirroredAndNested) {
  // A 100 x 50 plate with a hole of radius 10, drawn about the base point (10, 10);
  // placed at (500, 200), turned a quarter and doubled.
  const std::string plate =
      Blocks({{"PLATE", 10, 10,
               Outline({{10, 10, 0}, {110, 10, 0}, {110, 60, 0}, {10, 60, 0}}) +
                   Pairs({{0, "CIRCLE"}, {10, "60"}, {20, "35"}, {40, "10"}})}});
  DxfImportResult r = ImportDxf(plate + Entities(Insert("PLATE", 500, 200, 90, 2, 2)), {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.holes, 1);
  EXPECT_TRUE(r.leftOut.empty());
  ExpectSameProperties(Compute(), Direct([] {
                         AddPolygon({{400, 200}, {500, 200}, {500, 400}, {400, 400}});
                         AddCircle(450, 300, 20, -1.0f);
                       }));

  // A quarter disc of lines and an arc, once mirrored (the arc then runs clockwise)
  // and once not, in a block of its own, placed doubled at (0, 100): discs of
  // radius 20 at (0, 100) into -x and at (60, 100) into +x.
  const std::string quarter = Line(0, 0, 10, 0) + Arc(0, 0, 10, 0, 90) + Line(0, 10, 0, 0);
  const std::string nested =
      Blocks({{"Q", 0, 0, quarter},
              {"PAIR", 0, 0, Insert("q", 0, 0, 0, -1, 1) + Insert("Q", 30, 0)}});
  r = ImportDxf(nested + Entities(Insert("PAIR", 0, 100, 0, 2, 2)), {}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.polygons, 2);
  EXPECT_EQ(r.arcSegments, 2);
  const PropertySet got = Compute();
  const double c = 80 / (3 * kPi);  // the quarter disc's centroid from its corner
  EXPECT_NEAR(got.A, 200 * kPi, kSegmentRel * 200 * kPi);
  EXPECT_NEAR(got.xBar, 30, 1e-5);
  EXPECT_NEAR(got.yBar, 100 + c, 1e-5);
}

TEST_F(DxfImportTest, EntitiesOfABlockOnLayerZeroTakeTheLayerOfTheirInsert) {
  // A square and a note on layer 0 in the block, its dimension line on "Dims"; the
  // block placed on "Section", another dimension line and a note beside it.
  const std::string text =
      Blocks({{"SEC", 0, 0,
               Outline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}) +
                   Pairs({{0, "LINE"}, {8, "Dims"}, {10, "0"}, {20, "-5"}, {11, "10"}, {21, "-5"}}) +
                   Pairs({{0, "TEXT"}, {8, "0"}})}}) +
      Entities(Insert("SEC", 0, 0, 0, 1, 1, "Section") +
               Pairs({{0, "LINE"}, {8, "DIMS"}, {10, "-5"}, {20, "0"}, {11, "-5"}, {21, "10"}}) +
               Pairs({{0, "TEXT"}, {8, "Notes"}}));
  std::string refusal;
  const std::vector<DxfLayerCount> layers = DxfLayers(text, refusal);
  ASSERT_EQ(layers.size(), 3u) << refusal;
  EXPECT_EQ(layers[0].name, "Section");
  EXPECT_EQ(layers[0].outlines, 1);
  EXPECT_EQ(layers[0].others, 1);
  EXPECT_EQ(layers[1].name, "Dims");
  EXPECT_EQ(layers[1].outlines, 2);
  EXPECT_EQ(layers[2].name, "Notes");
  EXPECT_EQ(layers[2].others, 1);

  DxfImportResult r = ImportDxf(text, {"section"}, CountedReset);
  ASSERT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.polygons, 1);
  EXPECT_EQ(r.leftOut, (std::map<std::string, int>{{"TEXT", 1}}));
  EXPECT_FALSE(ImportDxf(text, {}, CountedReset).imported);  // the dimension lines are open
}

TEST_F(DxfRefusalTest, InsertsThatCannotPlaceTheirOutlines) {
  const std::string blocks =
      Blocks({{"SQ", 0, 0, Outline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}})},
              {"NOTE", 0, 0, Pairs({{0, "TEXT"}, {8, "0"}})},
              {"LOOP", 0, 0, Insert("OUTER", 0, 0)},
              {"OUTER", 0, 0, Insert("loop", 5, 5)}});
  ExpectRefused(Text(blocks + Entities(Insert("SQ", 0, 0, 0, 2, 1))),
                "layer \"0\") scales it by (2, 1); only a scale that is the same across and up, "
                "and not 0, keeps its outlines");
  ExpectRefused(Text(blocks + Entities(Insert("SQ", 0, 0) + Pairs({{70, "3"}, {71, "2"}}))),
                "is an array of 3 columns and 2 rows (MINSERT); arrays of blocks are not read");
  ExpectRefused(Text(blocks + Entities(Insert("OUTER", 0, 0))),
                "the block \"OUTER\" inserts itself");
  // On a layer of its own, an uneven block does not keep the window from listing
  // the layers, nor another layer from importing.
  const std::string beside =
      blocks + Entities(Insert("SQ", 0, 0, 0, 2, 1, "Title") +
                        Outline({{20, 0, 0}, {30, 0, 0}, {30, 10, 0}, {20, 10, 0}}));
  std::string refusal;
  EXPECT_EQ(DxfLayers(beside, refusal).size(), 2u) << refusal;
  EXPECT_TRUE(Text(beside, {"0"}).imported);
  // A note may be scaled as it likes.
  DxfImportResult r = Text(blocks + Entities(Insert("NOTE", 0, 0, 0, 2, 1) +
                                             Pairs({{0, "CIRCLE"}, {40, "1"}})));
  EXPECT_TRUE(r.imported) << r.refusal;
  EXPECT_EQ(r.leftOut, (std::map<std::string, int>{{"TEXT", 1}}));
}

TEST_F(DxfRefusalTest, ABlockPlacedTwiceOnItself) {
  const std::string blocks =
      Blocks({{"SQ", 0, 0, Pairs({{0, "LWPOLYLINE"}, {5, "2F"}, {70, "1"}, {10, "0"}, {20, "0"},
                                  {10, "1"}, {20, "0"}, {10, "1"}, {20, "1"}})}});
  ExpectRefused(Text(blocks + Entities(Insert("SQ", 3, 3) + Pairs({{5, "40"}}) +
                                       Insert("SQ", 3, 3) + Pairs({{5, "41"}}))),
                "by LWPOLYLINE (handle 2F, layer \"0\") in block \"SQ\" (INSERT handle 40) and by "
                "LWPOLYLINE (handle 2F, layer \"0\") in block \"SQ\" (INSERT handle 41);");
}

}  // namespace
