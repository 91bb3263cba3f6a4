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
#include "files/dxf_reader.h"
#include "files/table_invariants.h"
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

// The difference of two directions, in [0, π].
double AngleBetween(double a, double b) {
  double d = std::fmod(std::fabs(a - b), TwoPi);
  return d > Pi ? TwoPi - d : d;
}

std::string Coordinates(double x, double y) {
  char text[80];
  std::snprintf(text, sizeof text, "(%.10g, %.10g)", x, y);
  return text;
}

// A bulge so small that its arc is straight to far better than single precision is
// 0; one so large that its arc is a whole turn to the same precision is held
// there, so that radius and centre stay finite.
double CleanBulge(double b) {
  if (std::fabs(b) < 1e-12) return 0;
  return std::clamp(b, -1e12, 1e12);
}

// The circle of an edge with bulge b != 0 from (x1, y1) to (x2, y2).
struct EdgeArc {
  double xc, yc, r;
  double sweep;  // signed, counter-clockwise positive; |sweep| < 2π
};

EdgeArc ArcOfEdge(double x1, double y1, double x2, double y2, double b) {
  const double dx = x2 - x1, dy = y2 - y1;
  // The centre lies on the chord's perpendicular bisector, to the left of the
  // chord for 0 < b < 1; the radius follows from the half chord and the sagitta.
  const double h = (1 - b * b) / (4 * b);
  const double chord = std::hypot(dx, dy);
  return {(x1 + x2) / 2 - h * dy, (y1 + y2) / 2 + h * dx, chord * (1 + b * b) / (4 * std::fabs(b)),
          4 * std::atan(b)};
}

// One closed outline: a loop of vertices with the bulges of the edges that leave
// them, or a circle.
struct Outline {
  bool circle = false;
  double xc = 0, yc = 0, r = 0;
  std::vector<DxfVertex> v;
  double area = 0;  // signed, counter-clockwise positive (circles positive)
  int order = 0;
  int depth = 0;
};

double LoopArea(const std::vector<DxfVertex>& v) {
  double chords = 0, segments = 0;
  const std::size_t n = v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = v[i];
    const DxfVertex& b = v[(i + 1) % n];
    chords += a.x * b.y - b.x * a.y;
    if (a.bulge != 0) {
      // A positive bulge swells to the right of the edge: out of a
      // counter-clockwise outline, into a clockwise one.
      EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
      double t = std::fabs(arc.sweep);
      segments += Sgn(a.bulge) * arc.r * arc.r * (t - std::sin(t)) / 2;
    }
  }
  return chords / 2 + segments;
}

// Whether (px, py) lies inside the outline: the parity of crossings with the chords,
// toggled by each circular segment between a chord and its arc that holds the point.
bool Inside(const Outline& o, double px, double py) {
  if (o.circle) return std::hypot(px - o.xc, py - o.yc) < o.r;
  bool in = false;
  const std::size_t n = o.v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = o.v[i];
    const DxfVertex& b = o.v[(i + 1) % n];
    if ((a.y > py) != (b.y > py)) {
      double x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
      if (px < x) in = !in;
    }
    if (a.bulge != 0) {
      EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
      double side = (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
      bool arcSide = a.bulge > 0 ? side < 0 : side > 0;
      if (arcSide && std::hypot(px - arc.xc, py - arc.yc) < arc.r) in = !in;
    }
  }
  return in;
}

// Points of the outline to place it against others: its vertices and the middle of
// every edge (on the arc where it bulges); four points round a circle.
std::vector<std::array<double, 2>> SamplePoints(const Outline& o) {
  std::vector<std::array<double, 2>> points;
  if (o.circle) {
    for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}})
      points.push_back({o.xc + dx * o.r, o.yc + dy * o.r});
    return points;
  }
  const std::size_t n = o.v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = o.v[i];
    const DxfVertex& b = o.v[(i + 1) % n];
    points.push_back({a.x, a.y});
    // The arc's middle lies off the chord's middle by the sagitta, b times half
    // the chord, to the right for a positive bulge.
    const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    const double k = a.bulge / 2;
    points.push_back({mx + k * (b.y - a.y), my - k * (b.x - a.x)});
  }
  return points;
}

double SegmentDistance(double px, double py, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

// Distance from (px, py) to the outline itself.
double BoundaryDistance(const Outline& o, double px, double py) {
  if (o.circle) return std::fabs(std::hypot(px - o.xc, py - o.yc) - o.r);
  double d = HUGE_VAL;
  const std::size_t n = o.v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = o.v[i];
    const DxfVertex& b = o.v[(i + 1) % n];
    if (a.bulge == 0) {
      d = std::min(d, SegmentDistance(px, py, a.x, a.y, b.x, b.y));
      continue;
    }
    EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
    // Within the arc's angles the nearest point is on the arc, else an end.
    const double start = std::atan2(a.y - arc.yc, a.x - arc.xc);
    const double at = std::atan2(py - arc.yc, px - arc.xc);
    double along = std::fmod((arc.sweep > 0 ? at - start : start - at) + 2 * TwoPi, TwoPi);
    if (along <= std::fabs(arc.sweep)) {
      d = std::min(d, std::fabs(std::hypot(px - arc.xc, py - arc.yc) - arc.r));
    } else {
      d = std::min({d, std::hypot(px - a.x, py - a.y), std::hypot(px - b.x, py - b.y)});
    }
  }
  return d;
}

enum class Nesting { Apart, Inside, Crossing };

// Where outline b lies against outline a, judged by b's sample points that are not
// on a (within tol): all inside, all outside, or some of each (then (x, y) is one
// that lies the other way from the first).
Nesting NestingOf(const Outline& b, const Outline& a, double tol, double& x, double& y) {
  int sides = 0;  // 1 inside, 2 outside, 3 both
  int first = 0;
  for (const auto& [px, py] : SamplePoints(b)) {
    if (BoundaryDistance(a, px, py) <= tol) continue;
    const int side = Inside(a, px, py) ? 1 : 2;
    if (first == 0) first = side;
    if (side != first) {
      x = px;
      y = py;
    }
    sides |= side;
  }
  return sides == 3 ? Nesting::Crossing : sides == 1 ? Nesting::Inside : Nesting::Apart;
}

// Drops vertices that coincide with the next one (a repeated closing vertex too).
void DropRepeatedVertices(std::vector<DxfVertex>& v, double tol) {
  std::vector<DxfVertex> out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const DxfVertex& a = v[i];
    const DxfVertex& b = v[(i + 1) % v.size()];
    if (std::hypot(b.x - a.x, b.y - a.y) > tol) out.push_back(a);
  }
  v = std::move(out);
}

// A loop whose edges are all arcs of one circle, turning the same way once round.
bool LoopIsCircle(const std::vector<DxfVertex>& v, double tol, Outline& c) {
  double turn = 0;
  const std::size_t n = v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = v[i];
    const DxfVertex& b = v[(i + 1) % n];
    if (a.bulge == 0 || Sgn(a.bulge) != Sgn(v[0].bulge)) return false;
    EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
    if (i == 0) {
      c.xc = arc.xc;
      c.yc = arc.yc;
      c.r = arc.r;
    } else if (std::hypot(arc.xc - c.xc, arc.yc - c.yc) > tol || std::fabs(arc.r - c.r) > tol) {
      return false;
    }
    turn += std::fabs(arc.sweep);
  }
  return std::fabs(turn - TwoPi) < 1e-9;
}

// A piece of a chain: a line, an arc, or an edge of an open polyline.
struct ChainEdge {
  double x[2], y[2];
  double bulge;
  bool exactEnds;  // ends given in the file (lines, polylines), not computed (arcs)
  int order;
};

// Joins the chain edges into closed loops. False with the reason when an end meets
// no other end, or more than two ends meet.
bool JoinChains(const std::vector<ChainEdge>& edges, double tol, std::vector<Outline>& outlines,
                std::string& why) {
  const std::size_t m = edges.size() * 2;
  // Ends closer than tol are one point: union-find over the ends, the pairs found
  // by a sweep along x.
  std::vector<std::size_t> root(m), byX(m);
  for (std::size_t i = 0; i < m; ++i) root[i] = byX[i] = i;
  auto find = [&](std::size_t i) {
    while (root[i] != i) i = root[i] = root[root[i]];
    return i;
  };
  auto endX = [&](std::size_t i) { return edges[i / 2].x[i % 2]; };
  auto endY = [&](std::size_t i) { return edges[i / 2].y[i % 2]; };
  std::sort(byX.begin(), byX.end(), [&](std::size_t a, std::size_t b) { return endX(a) < endX(b); });
  for (std::size_t a = 0; a < m; ++a) {
    const std::size_t i = byX[a];
    for (std::size_t b = a + 1; b < m && endX(byX[b]) - endX(i) <= tol; ++b) {
      const std::size_t j = byX[b];
      const double dx = endX(j) - endX(i), dy = endY(j) - endY(i);
      if (dx * dx + dy * dy <= tol * tol) root[find(j)] = find(i);
    }
  }

  // Each point takes the coordinates of an end given in the file where it has one.
  std::vector<std::size_t> point(m), rep(m, m);
  std::vector<std::vector<std::size_t>> ends(m);
  for (std::size_t i = 0; i < m; ++i) {
    std::size_t p = find(i);
    point[i] = p;
    ends[p].push_back(i);
    if (rep[p] == m || (edges[i / 2].exactEnds && !edges[rep[p] / 2].exactEnds)) rep[p] = i;
  }
  for (std::size_t p = 0; p < m; ++p) {
    if (ends[p].empty()) continue;
    const std::string at = Coordinates(endX(rep[p]), endY(rep[p]));
    if (ends[p].size() == 1) {
      why = "An outline is open: a line or arc ends at " + at +
            " and meets nothing there. Only closed outlines can be imported.";
      return false;
    }
    if (ends[p].size() > 2) {
      why = std::to_string(ends[p].size()) + " lines or arcs meet at " + at +
            "; an outline must not branch.";
      return false;
    }
  }

  std::vector<bool> used(edges.size(), false);
  for (std::size_t e0 = 0; e0 < edges.size(); ++e0) {
    if (used[e0]) continue;
    Outline o;
    o.order = edges[e0].order;
    std::size_t e = e0, from = 0;  // edge and the end it is walked from
    while (!used[e]) {
      used[e] = true;
      const std::size_t start = 2 * e + from, finish = 2 * e + 1 - from;
      const double bulge = from == 0 ? edges[e].bulge : -edges[e].bulge;
      o.v.push_back({endX(rep[point[start]]), endY(rep[point[start]]), bulge});
      o.order = std::min(o.order, edges[e].order);
      const std::vector<std::size_t>& there = ends[point[finish]];
      const std::size_t next = there[0] == finish ? there[1] : there[0];
      e = next / 2;
      from = next % 2;
    }
    outlines.push_back(std::move(o));
  }
  return true;
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
  const double a2 = a1 + std::fabs(arc.sweep) / DegToRad;
  seg = {SectionKind::ArcSegment, weight, {}, arc.xc * scale, arc.yc * scale, arc.r * scale, a1, a2};
  // The calculation's test for a segment it cannot compute, on the stored values.
  const float f1 = Single(a1), f2 = Single(a2);
  const double alpha = std::fabs(static_cast<double>(f2) - f1) * DegToRad / 2;
  const double k1 = static_cast<float>(alpha - std::sin(alpha) * std::cos(alpha));
  // A radius beyond single precision is kept, for the checks to refuse.
  return k1 != 0 && Single(seg.r) > 0;
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

Plan PlanSections(const std::vector<Outline>& outlines, const std::vector<int>& order,
                  double scale, const std::set<EdgeKey>& noFillet) {
  Plan plan;
  for (int k : order) {
    const Outline& o = outlines[k];
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
    if (p.kind == SectionKind::Circle) {
      Table.params[slot].c = {0, xc, yc, r, 0, 0, 0, 0, 0, 0};
    } else {
      const float a1 = Single(p.a1), a2 = Single(p.a2);
      // t < 0: the segment between chord and arc; column 0 is the sign of a2 - a1.
      Table.params[slot].c = {static_cast<float>(Sgn(a2 - a1)), xc, yc, r, a1, a2, -1, 0, 0, 0};
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
      const auto& c = Table.params[sec.firstNode + static_cast<int>(i)].c;
      auto near = [&](double x, double y, float fx, float fy) {
        return std::hypot(x - fx, y - fy) <= tol;
      };
      bool asDrawn = c[3] != 0 && near(node.cx, node.cy, c[1], c[2]) &&
                     near(node.t1x, node.t1y, c[6], c[7]) && near(node.t2x, node.t2y, c[8], c[9]);
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
  double xmin = HUGE_VAL, xmax = -HUGE_VAL, ymin = HUGE_VAL, ymax = -HUGE_VAL;
  auto extend = [&](double x, double y) {
    xmin = std::min(xmin, x);
    xmax = std::max(xmax, x);
    ymin = std::min(ymin, y);
    ymax = std::max(ymax, y);
  };
  for (const DxfPolyline& p : drawing.polylines)
    for (const DxfVertex& v : p.vertices) extend(v.x, v.y);
  for (const DxfLine& l : drawing.lines) {
    extend(l.x1, l.y1);
    extend(l.x2, l.y2);
  }
  for (const DxfArc& a : drawing.arcs) {
    extend(a.xc - a.r, a.yc - a.r);
    extend(a.xc + a.r, a.yc + a.r);
  }
  for (const DxfCircle& c : drawing.circles) {
    extend(c.xc - c.r, c.yc - c.r);
    extend(c.xc + c.r, c.yc + c.r);
  }
  const double size = xmax >= xmin ? std::max(xmax - xmin, ymax - ymin) : 0.0;
  const double magnitude =
      xmax >= xmin ? std::max({std::fabs(xmin), std::fabs(xmax), std::fabs(ymin), std::fabs(ymax)})
                   : 0.0;
  // Far beyond single precision, and far enough below the double range that
  // squares and moments stay finite.
  if (!(magnitude <= 1e150) || !(magnitude * scale <= FLT_MAX)) {
    return Refuse(result, "The drawing's coordinates are too large for the section table.");
  }
  const double tol = MeetTolerance * size;

  std::vector<Outline> outlines;
  int degenerate = 0;
  auto addCircle = [&](double xc, double yc, double r, int order) {
    if (!(r > 0)) {
      ++degenerate;
      return;
    }
    Outline c;
    c.circle = true;
    c.xc = xc;
    c.yc = yc;
    c.r = r;
    c.area = Pi * r * r;
    c.order = order;
    outlines.push_back(std::move(c));
  };
  for (const DxfCircle& c : drawing.circles) addCircle(c.xc, c.yc, c.r, c.order);

  std::vector<ChainEdge> chain;
  for (const DxfPolyline& p : drawing.polylines) {
    if (p.closed) {
      Outline o;
      o.v = p.vertices;
      for (DxfVertex& v : o.v) v.bulge = CleanBulge(v.bulge);
      o.order = p.order;
      outlines.push_back(std::move(o));
      continue;
    }
    for (std::size_t i = 0; i + 1 < p.vertices.size(); ++i) {
      const DxfVertex& a = p.vertices[i];
      const DxfVertex& b = p.vertices[i + 1];
      chain.push_back({{a.x, b.x}, {a.y, b.y}, CleanBulge(a.bulge), true, p.order});
    }
  }
  for (const DxfLine& l : drawing.lines) chain.push_back({{l.x1, l.x2}, {l.y1, l.y2}, 0, true, l.order});
  for (const DxfArc& a : drawing.arcs) {
    const double end = a.start + a.sweep;
    const double x1 = a.xc + a.r * std::cos(a.start), y1 = a.yc + a.r * std::sin(a.start);
    const double x2 = a.xc + a.r * std::cos(end), y2 = a.yc + a.r * std::sin(end);
    // An arc whose ends meet is a whole circle, or (when short) no edge at all.
    if (std::fabs(a.sweep) >= TwoPi * (1 - 1e-12) ||
        (std::hypot(x2 - x1, y2 - y1) <= tol && std::fabs(a.sweep) > Pi)) {
      addCircle(a.xc, a.yc, a.r, a.order);
      continue;
    }
    chain.push_back({{x1, x2}, {y1, y2}, CleanBulge(std::tan(a.sweep / 4)), false, a.order});
  }
  // A line or edge of no length is no edge.
  std::vector<ChainEdge> edges;
  for (const ChainEdge& e : chain) {
    if (std::hypot(e.x[1] - e.x[0], e.y[1] - e.y[0]) > tol) {
      edges.push_back(e);
    } else {
      ++degenerate;
    }
  }
  // Every edge of a closed chain gives a vertex, and at most every other vertex of
  // an outline shares a node with its neighbour (a fillet's two ends): more edges
  // than twice the node slots cannot fit.
  if (edges.size() > 2 * static_cast<std::size_t>(TopNode)) {
    return Refuse(result, "The drawing has more than " + std::to_string(TopNode) +
                              " points; a section table holds at most " +
                              std::to_string(TopNode) + ".");
  }
  if (!JoinChains(edges, tol, outlines, error)) return Refuse(result, error);

  // Loops: repeated vertices out, whole circles as circles, loops of no area out.
  const double tinyArea = 1e-12 * size * size;
  std::vector<Outline> kept;
  for (Outline& o : outlines) {
    if (!o.circle) {
      DropRepeatedVertices(o.v, tol);
      Outline c;
      if (o.v.size() >= 2 && LoopIsCircle(o.v, tol, c)) {
        o.circle = true;
        o.xc = c.xc;
        o.yc = c.yc;
        o.r = c.r;
        o.area = Pi * c.r * c.r;
        o.v.clear();
      } else {
        o.area = o.v.size() >= 2 ? LoopArea(o.v) : 0.0;
        if (!(std::fabs(o.area) > tinyArea)) {
          ++degenerate;
          continue;
        }
      }
    }
    kept.push_back(std::move(o));
  }
  outlines = std::move(kept);
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

  // Depth: how many other outlines hold the outline.
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    for (std::size_t j = 0; j < outlines.size(); ++j) {
      if (j == i) continue;
      double x = 0, y = 0;
      const Nesting n = NestingOf(outlines[i], outlines[j], tol, x, y);
      if (n == Nesting::Crossing) {
        return Refuse(result, "Two outlines cross near " + Coordinates(x, y) +
                                  "; an outline may lie inside another, but not across it.");
      }
      if (n == Nesting::Inside) ++outlines[i].depth;
    }
  }
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
  const double checkTol = scale * std::max(tol, 1e-6 * magnitude);
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

DxfImportResult ImportDxfFile(const std::string& path, const DxfImportOptions& options,
                              void (*resetTables)()) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > MaxDxfFileSize) {
    DxfImportResult result;
    result.refusal = "The file is larger than " + std::to_string(MaxDxfFileSize >> 20) +
                     " MB; it is not read.";
    return result;
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // One byte past the size found, so that a file that grew since is still whole.
  if (!ReadFilePrefix(path, ec ? 1 : static_cast<std::size_t>(size) + 1, bytes, reason)) {
    DxfImportResult result;
    result.refusal = "Cannot read the file " + path + ": " + reason + ".";
    return result;
  }
  return ImportDxf(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                   options, resetTables);
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
