#include "files/dxf_import.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "files/atomic_file.h"
#include "files/dxf_outlines.h"
#include "files/dxf_reader.h"
#include "files/table_invariants.h"
#include "model/outlines.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

// Angles within this of each other count as the same direction when an arc is
// tested for tangency with its neighbouring edges.
constexpr double TangentTolerance = 1e-8;
// Ends of lines and arcs closer than this fraction of the drawing's size meet.
constexpr double MeetTolerance = 1e-6;

double Sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// A value as the tables hold it; beyond single precision's range, an infinity
// (which the checks refuse) rather than an undefined conversion.
float Single(double v) {
  if (v > FLT_MAX) return HUGE_VALF;
  if (v < -FLT_MAX) return -HUGE_VALF;
  return static_cast<float>(v);
}

// An arc segment row for the circular segment between chord and arc (thickness -1),
// added (sign +1) or removed (-1).
void StoreChordSegment(ParamRow& row, float sign, float xc, float yc, float r, float a1,
                       float a2) {
  const ArcSegmentView arc(row);
  arc.sign() = sign;
  arc.centreX() = xc;
  arc.centreY() = yc;
  arc.radius() = r;
  arc.angle1() = a1;
  arc.angle2() = a2;
  arc.thickness() = -1;
}

// The difference of two directions, in [0, π].
double AngleBetween(double a, double b) {
  double d = std::fmod(std::fabs(a - b), TwoPi);
  return d > Pi ? TwoPi - d : d;
}

// ---------------------------------------------------------------------------
// The sections planned for the outlines.

struct PlannedNode {
  double x, y;
  double fillet = 0;  // radius of the fillet at this corner, 0 for none
  // The drawn arc of the fillet: its centre and tangent points, to check SetFillet's.
  double cx = 0, cy = 0, t1x = 0, t1y = 0, t2x = 0, t2y = 0;
  int outline = -1, edge = -1;
};

struct PlannedSection {
  SectionKind kind;
  float weight;
  std::vector<PlannedNode> nodes;    // polygon
  double xc = 0, yc = 0, r = 0;      // circle, arc segment
  double a1 = 0, a2 = 0;             // arc segment, degrees, counter-clockwise
};

using EdgeKey = std::pair<int, int>;  // outline, edge

// Whether edge i of loop v is an arc between two straight edges and tangent to
// both; then corner gets the point where the two edges' lines meet.
bool FilletArc(const std::vector<DxfVertex>& v, std::size_t i, double& cornerX, double& cornerY) {
  const std::size_t n = v.size();
  if (n < 3) return false;
  const DxfVertex& p0 = v[(i + n - 1) % n];
  const DxfVertex& t1 = v[i];
  const DxfVertex& t2 = v[(i + 1) % n];
  const DxfVertex& p3 = v[(i + 2) % n];
  if (t1.bulge == 0 || p0.bulge != 0 || t2.bulge != 0) return false;
  const double sweep = 4 * std::atan(t1.bulge);
  if (std::fabs(sweep) >= Pi) return false;  // the edges' lines would not meet ahead
  const double chord = std::atan2(t2.y - t1.y, t2.x - t1.x);
  const double in = std::atan2(t1.y - p0.y, t1.x - p0.x);
  const double out = std::atan2(p3.y - t2.y, p3.x - t2.x);
  // The arc leaves t1 at half its sweep before the chord's direction and reaches t2
  // at half its sweep after it.
  if (AngleBetween(in, chord - sweep / 2) > TangentTolerance ||
      AngleBetween(out, chord + sweep / 2) > TangentTolerance) {
    return false;
  }
  const double ux = t1.x - p0.x, uy = t1.y - p0.y;
  const double wx = p3.x - t2.x, wy = p3.y - t2.y;
  const double denom = ux * wy - uy * wx;
  if (denom == 0) return false;
  const double s = ((t2.x - t1.x) * wy - (t2.y - t1.y) * wx) / denom;
  cornerX = t1.x + s * ux;
  cornerY = t1.y + s * uy;
  return std::isfinite(cornerX) && std::isfinite(cornerY);
}

// The arc-segment section of edge i of loop v (not a fillet), or false when the arc
// is too flat for single precision to tell its ends apart.
bool SegmentOfEdge(const std::vector<DxfVertex>& v, std::size_t i, double scale, float weight,
                   PlannedSection& seg) {
  const DxfVertex& a = v[i];
  const DxfVertex& b = v[(i + 1) % v.size()];
  EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
  // Stored counter-clockwise from a1 to a2, as the drawing runs an arc.
  const DxfVertex& from = a.bulge > 0 ? a : b;
  double a1 = std::atan2(from.y - arc.yc, from.x - arc.xc) / DegToRad;
  if (a1 < 0) a1 += 360;
  double a2 = a1 + std::fabs(arc.sweep) / DegToRad;
  // An arc of all but a sliver of a turn must not round to a whole turn, which the
  // calculation takes as no span at all: it keeps the largest span single precision
  // holds below a turn.
  const float f1 = Single(a1);
  float f2 = Single(a2);
  const bool wholeTurn = static_cast<double>(f2) - f1 >= 360;
  while (static_cast<double>(f2) - f1 >= 360) f2 = std::nextafter(f2, -HUGE_VALF);
  if (wholeTurn) a2 = f2;
  seg = {SectionKind::ArcSegment, weight, {}, arc.xc * scale, arc.yc * scale, arc.r * scale, a1, a2};
  if (!(Single(seg.r) > 0)) return false;
  // A radius beyond single precision is kept, for the checks to refuse.
  if (!std::isfinite(Single(seg.r))) return true;
  // Whether the calculation counts the segment as stored.
  ParamRow row{};
  StoreChordSegment(row, 1, Single(seg.xc), Single(seg.yc), Single(seg.r), f1, f2);
  return ArcSegmentOutlineOf(row).form != ArcSegmentForm::Empty;
}

struct Plan {
  std::vector<PlannedSection> sections;
  int points = 0;
  int fillets = 0;
  int arcSegments = 0;
  int polygons = 0;
  int circles = 0;
  int holes = 0;
};

Plan PlanSections(const std::vector<DxfOutline>& outlines, const std::vector<int>& order,
                  double scale, const std::set<EdgeKey>& noFillet) {
  Plan plan;
  for (int k : order) {
    const DxfOutline& o = outlines[k];
    const float weight = o.depth % 2 == 0 ? 1.0f : -1.0f;
    if (weight < 0) ++plan.holes;
    if (o.circle) {
      plan.sections.push_back(
          {SectionKind::Circle, weight, {}, o.xc * scale, o.yc * scale, o.r * scale});
      ++plan.circles;
      ++plan.points;
      continue;
    }
    const std::vector<DxfVertex>& v = o.v;
    const std::size_t n = v.size();
    std::vector<bool> fillet(n, false);
    std::vector<PlannedNode> corner(n);
    for (std::size_t i = 0; i < n; ++i) {
      double px, py;
      if (noFillet.count({k, static_cast<int>(i)}) || !FilletArc(v, i, px, py)) continue;
      const DxfVertex& t1 = v[i];
      const DxfVertex& t2 = v[(i + 1) % n];
      EdgeArc arc = ArcOfEdge(t1.x, t1.y, t2.x, t2.y, t1.bulge);
      const float r = Single(arc.r * scale);
      if (!(r > 0) || !std::isfinite(r)) continue;
      fillet[i] = true;
      corner[i] = {px * scale,     py * scale,     arc.r * scale, arc.xc * scale, arc.yc * scale,
                   t1.x * scale,   t1.y * scale,   t2.x * scale,  t2.y * scale,   k,
                   static_cast<int>(i)};
    }
    PlannedSection polygon{SectionKind::Polygon, weight, {}};
    std::vector<PlannedSection> segments;
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t before = (i + n - 1) % n;
      if (fillet[i]) {
        polygon.nodes.push_back(corner[i]);
        ++plan.fillets;
      } else if (!fillet[before]) {
        polygon.nodes.push_back({v[i].x * scale, v[i].y * scale});
      }
      if (v[i].bulge != 0 && !fillet[i]) {
        // Out of the outline adds, into it takes away; a hole's segments the other way.
        const float side = Sgn(v[i].bulge) == Sgn(o.area) ? 1.0f : -1.0f;
        PlannedSection seg;
        if (SegmentOfEdge(v, i, scale, weight * side, seg)) segments.push_back(seg);
      }
    }
    plan.points += static_cast<int>(polygon.nodes.size());
    plan.sections.push_back(std::move(polygon));
    ++plan.polygons;
    for (PlannedSection& seg : segments) {
      plan.sections.push_back(std::move(seg));
      ++plan.arcSegments;
      ++plan.points;
    }
  }
  return plan;
}

bool Finite(float v) { return std::isfinite(v); }

// SetFillet keeps its centre and tangent points in single precision. Whether those
// of the fillet of radius r at slot n, with the nodes as stored, stay well inside
// that range (a corner that the stored nodes fold almost flat puts them far out).
// A fillet not made is found missing by the check that follows.
bool FilletInRange(double r, int n, const Section& sec) {
  const Node& p = Table.nodes[n];
  const Node& b = Table.nodes[n == sec.firstNode ? sec.lastNode : n - 1];
  const Node& f = Table.nodes[n == sec.lastNode ? sec.firstNode : n + 1];
  const Polar back = ToPolar(b.x - p.x, b.y - p.y), fore = ToPolar(f.x - p.x, f.y - p.y);
  double theta = std::fabs(back.angle - fore.angle);
  if (theta > Pi) theta = TwoPi - theta;
  const double h = theta / 2;
  if (h == 0 || h == Pi / 2 || back.length == 0 || fore.length == 0) return true;  // no fillet
  const double q = r / std::tan(h);
  const double k = std::sqrt(1 + (r / q) * (r / q)) / std::cos(h);
  const double reach = std::max(std::fabs(p.x), std::fabs(p.y)) + q * (1 + k);
  return reach < FLT_MAX / 4;
}

// Fills the (emptied) tables with the plan. Fillets are made by SetFillet as the
// Fillets command makes them.
void FillTables(const Plan& plan) {
  for (const PlannedSection& p : plan.sections) {
    const int s = ++Table.sectionCount;
    Section& sec = Table.sections[s];
    sec = {static_cast<std::uint8_t>(p.kind), Complete, Table.nodeCount + 1, 0, p.weight};
    if (p.kind == SectionKind::Polygon) {
      for (const PlannedNode& node : p.nodes) {
        Table.nodes[++Table.nodeCount] = {Single(node.x), Single(node.y)};
      }
      sec.lastNode = Table.nodeCount;
      for (int k = sec.firstNode; k <= sec.lastNode; ++k) {
        const double r = p.nodes[k - sec.firstNode].fillet;
        if (r > 0 && FilletInRange(r, k, sec)) SetFillet(r, k);
      }
      continue;
    }
    const int slot = ++Table.nodeCount;
    sec.lastNode = slot;
    const float xc = Single(p.xc), yc = Single(p.yc), r = Single(p.r);
    ParamRow& row = Table.params[slot];
    row = ParamRow{};
    if (p.kind == SectionKind::Circle) {
      const CircleView c(row);
      c.centreX() = xc;
      c.centreY() = yc;
      c.radius() = r;
    } else {
      const float a1 = Single(p.a1), a2 = Single(p.a2);
      // The sign of a2 - a1 adds the segment or takes it away.
      StoreChordSegment(row, static_cast<float>(Sgn(a2 - a1)), xc, yc, r, a1, a2);
    }
  }
  Table.CurrentSection = Table.sectionCount;
}

enum class TableCheck { Sound, Unsound, FilletsMissed };

// Checks the filled tables: every number finite in single precision, the table's
// invariants, and each fillet where the drawing has its arc (within tol). The
// fillets that SetFillet did not make as drawn are added to noFillet.
TableCheck CheckTables(const Plan& plan, double tol, std::set<EdgeKey>& noFillet,
                       std::string& why) {
  for (int k = 1; k <= Table.nodeCount; ++k) {
    bool finite = Finite(Table.nodes[k].x) && Finite(Table.nodes[k].y);
    for (float c : Table.params[k].c) finite = finite && Finite(c);
    if (!finite) {
      why = "The drawing's coordinates are too large for the section table.";
      return TableCheck::Unsound;
    }
  }
  if (const char* fault = TableInvariantFault()) {
    why = std::string("The imported sections are not sound: ") + fault + ".";
    return TableCheck::Unsound;
  }
  bool allMade = true;
  int s = 0;
  for (const PlannedSection& p : plan.sections) {
    const Section& sec = Table.sections[++s];
    if (p.kind != SectionKind::Polygon) continue;
    for (std::size_t i = 0; i < p.nodes.size(); ++i) {
      const PlannedNode& node = p.nodes[i];
      if (node.fillet == 0) continue;
      const FilletView f(Table.params[sec.firstNode + static_cast<int>(i)]);
      auto near = [&](double x, double y, float fx, float fy) {
        return std::hypot(x - fx, y - fy) <= tol;
      };
      bool asDrawn = f.radius() != 0 && near(node.cx, node.cy, f.centreX(), f.centreY()) &&
                     near(node.t1x, node.t1y, f.tangent1X(), f.tangent1Y()) &&
                     near(node.t2x, node.t2y, f.tangent2X(), f.tangent2Y());
      if (!asDrawn) {
        noFillet.insert({node.outline, node.edge});
        allMade = false;
      }
    }
  }
  return allMade ? TableCheck::Sound : TableCheck::FilletsMissed;
}

DxfImportResult Refuse(DxfImportResult result, std::string why) {
  result.imported = false;
  result.refusal = std::move(why);
  return result;
}

}  // namespace

DxfImportResult ImportDxf(std::string_view text, const DxfImportOptions& options,
                          void (*resetTables)()) {
  DxfImportResult result;
  result.units = "not given";
  const double scale = options.scale;
  if (!(scale > 0) || !std::isfinite(scale)) {
    return Refuse(result, "The scale must be a positive number.");
  }

  DxfDrawing drawing;
  std::string error;
  if (!ReadDxf(text, options.layer, drawing, error)) {
    return Refuse(result, "The file cannot be imported: " + error + ".");
  }
  result.insUnits = drawing.insUnits;
  result.leftOut = drawing.leftOut;
  if (drawing.insUnits >= 0) {
    const char* name = DxfUnitName(drawing.insUnits);
    result.units = *name ? name : "unknown code " + std::to_string(drawing.insUnits);
  }

  // The drawing's size sets the distance within which ends meet.
  DxfExtent extent = ExtentOf(drawing);
  const std::string tooLarge = "The drawing's coordinates are too large for the section table.";
  // Far beyond single precision, and far enough below the double range that
  // squares and moments stay finite.
  if (!(extent.magnitude <= 1e150)) return Refuse(result, tooLarge);
  // Moved in double before anything is held in single precision.
  double dx = 0, dy = 0;
  if (FarFromOrigin(extent, dx, dy)) {
    MoveDrawing(drawing, dx, dy);
    extent = ExtentOf(drawing);
    result.moved = true;
    result.movedX = dx * scale;
    result.movedY = dy * scale;
  }
  if (!(extent.magnitude * scale <= FLT_MAX)) return Refuse(result, tooLarge);
  const double tol = MeetTolerance * extent.size;

  std::vector<DxfOutline> outlines;
  int degenerate = 0;
  if (!FindOutlines(drawing, tol, TopNode, outlines, degenerate, error)) {
    return Refuse(result, error);
  }
  if (degenerate > 0) result.leftOut["outlines of no area"] += degenerate;
  if (outlines.empty()) {
    std::string where = options.layer.empty() ? "" : " on layer \"" + options.layer + "\"";
    return Refuse(result, "There is nothing to import: the drawing has no closed outline" + where +
                              " (a closed LWPOLYLINE or POLYLINE, a CIRCLE, or a closed chain "
                              "of LINE and ARC)." +
                              (result.leftOut.empty()
                                   ? ""
                                   : " Not read: " + DxfLeftOutList(result.leftOut) + "."));
  }

  // The sections before any nesting is worked out: their number does not depend on it.
  const std::vector<int> fileOrder = [&] {
    std::vector<int> o(outlines.size());
    for (std::size_t i = 0; i < o.size(); ++i) o[i] = static_cast<int>(i);
    return o;
  }();
  std::set<EdgeKey> noFillet;
  {
    Plan plan = PlanSections(outlines, fileOrder, scale, noFillet);
    if (plan.sections.size() > static_cast<std::size_t>(MaxSections)) {
      return Refuse(result, "The drawing gives " + std::to_string(plan.sections.size()) +
                                " sections; a section table holds at most " +
                                std::to_string(MaxSections) + ".");
    }
    if (plan.points > TopNode) {
      return Refuse(result, "The drawing gives " + std::to_string(plan.points) +
                                " points; a section table holds at most " +
                                std::to_string(TopNode) + ".");
    }
  }

  if (!NestOutlines(outlines, drawing, tol, error)) return Refuse(result, error);
  std::vector<int> order = fileOrder;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (outlines[a].depth != outlines[b].depth) return outlines[a].depth < outlines[b].depth;
    return outlines[a].order < outlines[b].order;
  });

  // Built in the tables themselves, which are put back as they were afterwards: the
  // fillets are made by SetFillet on the table. A fillet that SetFillet does not
  // make as drawn (single precision, a corner far out) becomes chord and segment,
  // which may add sections and points, so the counts are checked on every round.
  // Single precision moves every stored point by up to a few parts in 10^8 of the
  // coordinates' size.
  const double checkTol = scale * std::max(tol, 1e-6 * extent.magnitude);
  const SectionTable saved = Table;
  Plan plan;
  SectionTable built;
  std::string why;
  for (;;) {
    plan = PlanSections(outlines, order, scale, noFillet);
    if (plan.sections.size() > static_cast<std::size_t>(MaxSections) || plan.points > TopNode) {
      why = "The drawing's fillets do not fit the section table as fillets, and as chords and "
            "segments they give more than " + std::to_string(MaxSections) + " sections or " +
            std::to_string(TopNode) + " points.";
      break;
    }
    ClearSectionTable();
    FillTables(plan);
    if (CheckTables(plan, checkTol, noFillet, why) != TableCheck::FilletsMissed) break;
  }
  built = Table;
  Table = saved;
  if (!why.empty()) return Refuse(result, why);

  if (resetTables != nullptr) {
    resetTables();
  } else {
    ClearSectionTable();
  }
  Table = built;
  Shared.ResultsCurrent = false;
  Shared.FileChanged = true;
  Shared.CurrentFile.clear();

  result.imported = true;
  result.sections = static_cast<int>(plan.sections.size());
  result.polygons = plan.polygons;
  result.circles = plan.circles;
  result.arcSegments = plan.arcSegments;
  result.fillets = plan.fillets;
  result.holes = plan.holes;
  result.points = plan.points;
  return result;
}

bool ReadDxfFileText(const std::string& path, std::string& text, std::string& refusal) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > MaxDxfFileSize) {
    refusal = "The file is larger than " + std::to_string(MaxDxfFileSize >> 20) +
              " MB; it is not read.";
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // When its size is unknown, the read says why (missing, not a regular file...).
  if (!ReadFilePrefix(path, ec ? 0 : static_cast<std::size_t>(size), bytes, reason)) {
    refusal = "Cannot read the file " + path + ": " + reason + ".";
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  return true;
}

DxfImportResult ImportDxfFile(const std::string& path, const DxfImportOptions& options,
                              void (*resetTables)()) {
  std::string text;
  DxfImportResult result;
  if (!ReadDxfFileText(path, text, result.refusal)) return result;
  return ImportDxf(text, options, resetTables);
}

std::vector<DxfLayerCount> DxfLayers(std::string_view text, std::string& refusal) {
  std::vector<DxfLayerCount> layers;
  std::string error;
  if (!ReadDxfLayers(text, layers, error)) {
    refusal = "The file cannot be imported: " + error + ".";
    return {};
  }
  refusal.clear();
  return layers;
}

std::string DxfLeftOutList(const std::map<std::string, int>& leftOut) {
  constexpr std::size_t Shown = 8;
  std::string text;
  std::size_t listed = 0;
  for (const auto& [kind, count] : leftOut) {
    if (listed++ == Shown) {
      text += " and " + std::to_string(leftOut.size() - Shown) + " other kinds";
      break;
    }
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
  }
  return text;
}

namespace {
std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

std::vector<std::string> DxfImportReport(const DxfImportResult& r) {
  std::vector<std::string> lines;
  lines.push_back(Count(r.sections, "section", "sections") + " (" +
                  Count(r.polygons, "polygon", "polygons") + ", " +
                  Count(r.circles, "circle", "circles") + ", " +
                  Count(r.arcSegments, "arc segment", "arc segments") + "), " +
                  Count(r.fillets, "fillet", "fillets") + ", " + Count(r.holes, "hole", "holes") +
                  ", " + Count(r.points, "point", "points"));
  lines.push_back(r.insUnits >= 0
                      ? "units: " + r.units + " ($INSUNITS " + std::to_string(r.insUnits) + ")"
                      : "units: not given");
  if (!r.leftOut.empty()) lines.push_back("not read: " + DxfLeftOutList(r.leftOut));
  if (r.moved) {
    char text[100];
    std::snprintf(text, sizeof text, "moved by (%.10g, %.10g) to lie near the origin", r.movedX,
                  r.movedY);
    lines.push_back(text);
  }
  return lines;
}
