#include "files/dxf_outlines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

#include "model/section_table.h"

namespace {

double Sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// A bulge so small that its arc is straight to far better than single precision is
// 0; one so large that its arc is a whole turn to the same precision is held
// there, so that radius and centre stay finite.
double CleanBulge(double b) {
  if (std::fabs(b) < 1e-12) return 0;
  return std::clamp(b, -1e12, 1e12);
}

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
bool Inside(const DxfOutline& o, double px, double py) {
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
std::vector<std::array<double, 2>> SamplePoints(const DxfOutline& o) {
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

// One edge of an outline as a piece of the line or circle that carries it: a
// segment from (x1, y1) to (x2, y2), an arc from angle start through sweep (signed)
// with those ends, or a whole circle (no ends).
struct Piece {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool arc = false, whole = false;
  double xc = 0, yc = 0, r = 0, start = 0, sweep = 0;
  double box[4] = {0, 0, 0, 0};  // xmin, ymin, xmax, ymax: round the circle for an arc
};

Piece EdgePiece(const DxfVertex& a, const DxfVertex& b) {
  Piece p;
  p.x1 = a.x;
  p.y1 = a.y;
  p.x2 = b.x;
  p.y2 = b.y;
  if (a.bulge == 0) {
    p.box[0] = std::min(a.x, b.x);
    p.box[1] = std::min(a.y, b.y);
    p.box[2] = std::max(a.x, b.x);
    p.box[3] = std::max(a.y, b.y);
    return p;
  }
  const EdgeArc arc = ArcOfEdge(a.x, a.y, b.x, b.y, a.bulge);
  p.arc = true;
  p.xc = arc.xc;
  p.yc = arc.yc;
  p.r = arc.r;
  p.start = std::atan2(a.y - arc.yc, a.x - arc.xc);
  p.sweep = arc.sweep;
  p.box[0] = arc.xc - arc.r;
  p.box[1] = arc.yc - arc.r;
  p.box[2] = arc.xc + arc.r;
  p.box[3] = arc.yc + arc.r;
  return p;
}

std::vector<Piece> PiecesOf(const DxfOutline& o) {
  std::vector<Piece> pieces;
  if (o.circle) {
    Piece p;
    p.arc = p.whole = true;
    p.xc = o.xc;
    p.yc = o.yc;
    p.r = o.r;
    p.sweep = TwoPi;
    p.box[0] = o.xc - o.r;
    p.box[1] = o.yc - o.r;
    p.box[2] = o.xc + o.r;
    p.box[3] = o.yc + o.r;
    pieces.push_back(p);
    return pieces;
  }
  const std::size_t n = o.v.size();
  for (std::size_t i = 0; i < n; ++i) pieces.push_back(EdgePiece(o.v[i], o.v[(i + 1) % n]));
  return pieces;
}

bool BoxesApart(const Piece& a, const Piece& b, double tol) {
  return a.box[0] > b.box[2] + tol || b.box[0] > a.box[2] + tol || a.box[1] > b.box[3] + tol ||
         b.box[1] > a.box[3] + tol;
}

// Distance from (px, py) to the piece.
double PieceDistance(const Piece& p, double px, double py) {
  if (!p.arc) return SegmentDistance(px, py, p.x1, p.y1, p.x2, p.y2);
  // Within the arc's angles the nearest point is on the arc, else an end.
  const double at = std::atan2(py - p.yc, px - p.xc);
  const double along = std::fmod((p.sweep > 0 ? at - p.start : p.start - at) + 2 * TwoPi, TwoPi);
  if (p.whole || along <= std::fabs(p.sweep))
    return std::fabs(std::hypot(px - p.xc, py - p.yc) - p.r);
  return std::min(std::hypot(px - p.x1, py - p.y1), std::hypot(px - p.x2, py - p.y2));
}

// Distance from (px, py) to the outline itself.
double BoundaryDistance(const DxfOutline& o, double px, double py) {
  double d = HUGE_VAL;
  for (const Piece& p : PiecesOf(o)) d = std::min(d, PieceDistance(p, px, py));
  return d;
}

// A point where the lines or circles that carry two pieces meet: crossing at an
// angle there, or touching (within tol).
struct Meeting {
  double x, y;
  bool crossing;
};

void LineCircleMeetings(const Piece& line, const Piece& circle, double tol,
                        std::vector<Meeting>& out) {
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double len = std::hypot(dx, dy);
  if (!(len > 0)) return;
  const double ux = dx / len, uy = dy / len;
  const double t = (circle.xc - line.x1) * ux + (circle.yc - line.y1) * uy;
  const double fx = line.x1 + t * ux, fy = line.y1 + t * uy;  // the foot from the centre
  const double d = std::hypot(circle.xc - fx, circle.yc - fy);
  if (d > circle.r + tol) return;
  if (std::fabs(d - circle.r) <= tol) out.push_back({fx, fy, false});
  if (d < circle.r) {
    const double h = std::sqrt((circle.r - d) * (circle.r + d));
    const bool crossing = d < circle.r - tol;
    out.push_back({fx + h * ux, fy + h * uy, crossing});
    out.push_back({fx - h * ux, fy - h * uy, crossing});
  }
}

std::vector<Meeting> Meetings(const Piece& a, const Piece& b, double tol) {
  std::vector<Meeting> out;
  if (!a.arc && !b.arc) {
    const double ux = a.x2 - a.x1, uy = a.y2 - a.y1, wx = b.x2 - b.x1, wy = b.y2 - b.y1;
    const double denom = ux * wy - uy * wx;
    // Parallel lines meet nowhere or all along; an overlap puts an end of one on
    // the other, which the callers look for.
    if (std::fabs(denom) <= 1e-12 * std::hypot(ux, uy) * std::hypot(wx, wy)) return out;
    const double t = ((b.x1 - a.x1) * wy - (b.y1 - a.y1) * wx) / denom;
    out.push_back({a.x1 + t * ux, a.y1 + t * uy, true});
  } else if (!a.arc || !b.arc) {
    LineCircleMeetings(a.arc ? b : a, a.arc ? a : b, tol, out);
  } else {
    const double dx = b.xc - a.xc, dy = b.yc - a.yc, d = std::hypot(dx, dy);
    // Arcs of one circle overlap only where an end of one lies on the other.
    if (d <= 1e-12 * std::max(a.r, b.r)) return out;
    if (d > a.r + b.r + tol || d < std::fabs(a.r - b.r) - tol) return out;
    const double along = (d * d + a.r * a.r - b.r * b.r) / (2 * d);
    const double bx = a.xc + along * dx / d, by = a.yc + along * dy / d;
    if (std::fabs(d - (a.r + b.r)) <= tol || std::fabs(d - std::fabs(a.r - b.r)) <= tol)
      out.push_back({bx, by, false});
    const double h2 = a.r * a.r - along * along;
    if (h2 > 0) {
      const double h = std::sqrt(h2);
      const bool crossing = d < a.r + b.r - tol && d > std::fabs(a.r - b.r) + tol;
      out.push_back({bx - h * dy / d, by + h * dx / d, crossing});
      out.push_back({bx + h * dy / d, by - h * dx / d, crossing});
    }
  }
  return out;
}

// The ends of a piece (none for a whole circle).
std::vector<std::array<double, 2>> EndsOf(const Piece& p) {
  if (p.whole) return {};
  return {{p.x1, p.y1}, {p.x2, p.y2}};
}

bool NearAny(const std::vector<std::array<double, 2>>& points, double x, double y, double tol) {
  for (const auto& [px, py] : points)
    if (std::hypot(x - px, y - py) <= tol) return true;
  return false;
}

// Whether two pieces of one loop meet (within tol) anywhere but at the vertices they
// share; (x, y) is where.
bool PiecesMeet(const Piece& a, const Piece& b, const std::vector<std::array<double, 2>>& shared,
                double tol, double& x, double& y) {
  if (BoxesApart(a, b, tol)) return false;
  for (auto [p, q] : {std::pair{&a, &b}, {&b, &a}}) {
    for (const auto& [ex, ey] : EndsOf(*p)) {
      if (!NearAny(shared, ex, ey, tol) && PieceDistance(*q, ex, ey) <= tol) {
        x = ex;
        y = ey;
        return true;
      }
    }
  }
  for (const Meeting& m : Meetings(a, b, tol)) {
    if (!NearAny(shared, m.x, m.y, tol) && PieceDistance(a, m.x, m.y) <= tol &&
        PieceDistance(b, m.x, m.y) <= tol) {
      x = m.x;
      y = m.y;
      return true;
    }
  }
  return false;
}

// Whether two pieces of different outlines cross each other at an angle, away from
// both pieces' ends (touching is allowed); (x, y) is where.
bool PiecesCross(const Piece& a, const Piece& b, double tol, double& x, double& y) {
  if (BoxesApart(a, b, tol)) return false;
  std::vector<std::array<double, 2>> ends = EndsOf(a);
  for (const auto& e : EndsOf(b)) ends.push_back(e);
  for (const Meeting& m : Meetings(a, b, tol)) {
    if (m.crossing && !NearAny(ends, m.x, m.y, tol) && PieceDistance(a, m.x, m.y) <= tol &&
        PieceDistance(b, m.x, m.y) <= tol) {
      x = m.x;
      y = m.y;
      return true;
    }
  }
  return false;
}

// Whether two edges of the loop cross or touch anywhere but at the vertices they
// share; then i, j are the edges and (x, y) where.
bool CrossesItself(const DxfOutline& o, double tol, std::size_t& i, std::size_t& j, double& x,
                   double& y) {
  const std::vector<Piece> pieces = PiecesOf(o);
  const std::size_t n = pieces.size();
  for (i = 0; i < n; ++i) {
    for (j = i + 1; j < n; ++j) {
      std::vector<std::array<double, 2>> shared;
      if (j == i + 1) shared.push_back({pieces[i].x2, pieces[i].y2});
      if (i == 0 && j == n - 1) shared.push_back({pieces[i].x1, pieces[i].y1});
      if (PiecesMeet(pieces[i], pieces[j], shared, tol, x, y)) return true;
    }
  }
  return false;
}

// Whether every sample point of b lies on a (within tol).
bool LiesOn(const DxfOutline& b, const DxfOutline& a, double tol) {
  for (const auto& [px, py] : SamplePoints(b))
    if (BoundaryDistance(a, px, py) > tol) return false;
  return true;
}

// Whether the loop lies along one line (within tol): it outlines no area.
bool Flat(const std::vector<DxfVertex>& v, double tol) {
  const DxfVertex* far = &v[0];
  double length = 0;
  for (const DxfVertex& p : v) {
    const double d = std::hypot(p.x - v[0].x, p.y - v[0].y);
    if (d > length) {
      length = d;
      far = &p;
    }
  }
  if (length <= tol) return true;
  const std::size_t n = v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const DxfVertex& a = v[i];
    const DxfVertex& b = v[(i + 1) % n];
    const double off =
        std::fabs((far->x - v[0].x) * (a.y - v[0].y) - (far->y - v[0].y) * (a.x - v[0].x)) / length;
    // An arc stands off its chord by its sagitta, bulge times half the chord.
    const double sagitta = std::fabs(a.bulge) * std::hypot(b.x - a.x, b.y - a.y) / 2;
    if (off > tol || sagitta > tol) return false;
  }
  return true;
}

enum class Nesting { Apart, Inside, Crossing };

// Where outline b lies against outline a, judged by b's sample points that are not
// on a (within tol): all inside, all outside, or some of each (then (x, y) is one
// that lies the other way from the first).
Nesting NestingOf(const DxfOutline& b, const DxfOutline& a, double tol, double& x, double& y) {
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

// Drops vertices that coincide with the next one (a repeated closing vertex too),
// with the entities of their edges.
void DropRepeatedVertices(DxfOutline& o, double tol) {
  std::vector<DxfVertex> kept;
  std::vector<int> who;
  for (std::size_t i = 0; i < o.v.size(); ++i) {
    const DxfVertex& a = o.v[i];
    const DxfVertex& b = o.v[(i + 1) % o.v.size()];
    if (std::hypot(b.x - a.x, b.y - a.y) > tol) {
      kept.push_back(a);
      who.push_back(o.who[i]);
    }
  }
  o.v = std::move(kept);
  o.who = std::move(who);
}

// A loop whose edges are all arcs of one circle, turning the same way once round.
bool LoopIsCircle(const std::vector<DxfVertex>& v, double tol, DxfOutline& c) {
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
  int who;
};

// Joins the chain edges into closed loops. False with the reason when an end meets
// no other end, or more than two ends meet.
bool JoinChains(const DxfDrawing& drawing, const std::vector<ChainEdge>& edges, double tol,
                std::vector<DxfOutline>& outlines, std::string& why) {
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
    const std::string at = PointText(drawing, endX(rep[p]), endY(rep[p]));
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
    DxfOutline o;
    o.order = edges[e0].order;
    std::size_t e = e0, from = 0;  // edge and the end it is walked from
    while (!used[e]) {
      used[e] = true;
      const std::size_t start = 2 * e + from, finish = 2 * e + 1 - from;
      const double bulge = from == 0 ? edges[e].bulge : -edges[e].bulge;
      o.v.push_back({endX(rep[point[start]]), endY(rep[point[start]]), bulge});
      o.who.push_back(edges[e].who);
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

}  // namespace

EdgeArc ArcOfEdge(double x1, double y1, double x2, double y2, double b) {
  const double dx = x2 - x1, dy = y2 - y1;
  // The centre lies on the chord's perpendicular bisector, to the left of the
  // chord for 0 < b < 1; the radius follows from the half chord and the sagitta.
  const double h = (1 - b * b) / (4 * b);
  const double chord = std::hypot(dx, dy);
  return {(x1 + x2) / 2 - h * dy, (y1 + y2) / 2 + h * dx, chord * (1 + b * b) / (4 * std::fabs(b)),
          4 * std::atan(b)};
}

std::string PointText(const DxfDrawing& drawing, double x, double y) {
  char text[80];
  std::snprintf(text, sizeof text, "(%.10g, %.10g)", x - drawing.movedX, y - drawing.movedY);
  return text;
}

DxfExtent ExtentOf(const DxfDrawing& drawing) {
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
  if (xmax < xmin) return {};
  return {std::max(xmax - xmin, ymax - ymin),
          std::max({std::fabs(xmin), std::fabs(xmax), std::fabs(ymin), std::fabs(ymax)}), xmin,
          ymin};
}

bool FarFromOrigin(const DxfExtent& extent, double& dx, double& dy) {
  dx = dy = 0;
  if (!(extent.size > 0) || !(extent.magnitude > 0) || !std::isfinite(extent.magnitude))
    return false;
  // Single precision keeps a number to half the spacing of floats at its size.
  const double lost = std::ldexp(1.0, std::ilogb(extent.magnitude) - 24);
  if (lost <= 1e-7 * extent.size) return false;
  // Powers of ten up to 10^22 are exact in double; below 1 the corner is scaled up,
  // floored and scaled back, so that the move is the double nearest a round decimal.
  const int k = static_cast<int>(std::floor(std::log10(extent.size)));
  auto roundDown = [k](double v) {
    if (k >= 0) {
      const double step = std::pow(10.0, k);
      return std::floor(v / step) * step;
    }
    const double scale = std::pow(10.0, -k);
    return std::floor(v * scale) / scale;
  };
  dx = -roundDown(extent.xmin);
  dy = -roundDown(extent.ymin);
  return std::isfinite(dx) && std::isfinite(dy);
}

void MoveDrawing(DxfDrawing& drawing, double dx, double dy) {
  for (DxfPolyline& p : drawing.polylines) {
    for (DxfVertex& v : p.vertices) {
      v.x += dx;
      v.y += dy;
    }
  }
  for (DxfLine& l : drawing.lines) {
    l.x1 += dx;
    l.y1 += dy;
    l.x2 += dx;
    l.y2 += dy;
  }
  for (DxfArc& a : drawing.arcs) {
    a.xc += dx;
    a.yc += dy;
  }
  for (DxfCircle& c : drawing.circles) {
    c.xc += dx;
    c.yc += dy;
  }
  drawing.movedX += dx;
  drawing.movedY += dy;
}

bool FindOutlines(const DxfDrawing& drawing, double tol, int maxPoints,
                  std::vector<DxfOutline>& outlines, int& degenerate, std::string& why) {
  outlines.clear();
  degenerate = 0;
  auto addCircle = [&](double xc, double yc, double r, int order, int who) {
    if (!(r > 0)) {
      ++degenerate;
      return;
    }
    DxfOutline c;
    c.circle = true;
    c.xc = xc;
    c.yc = yc;
    c.r = r;
    c.area = Pi * r * r;
    c.order = order;
    c.who = {who};
    outlines.push_back(std::move(c));
  };
  for (const DxfCircle& c : drawing.circles) addCircle(c.xc, c.yc, c.r, c.order, c.who);

  std::vector<ChainEdge> chain;
  for (const DxfPolyline& p : drawing.polylines) {
    if (p.closed) {
      DxfOutline o;
      o.v = p.vertices;
      for (DxfVertex& v : o.v) v.bulge = CleanBulge(v.bulge);
      o.order = p.order;
      o.who.assign(o.v.size(), p.who);
      outlines.push_back(std::move(o));
      continue;
    }
    for (std::size_t i = 0; i + 1 < p.vertices.size(); ++i) {
      const DxfVertex& a = p.vertices[i];
      const DxfVertex& b = p.vertices[i + 1];
      chain.push_back({{a.x, b.x}, {a.y, b.y}, CleanBulge(a.bulge), true, p.order, p.who});
    }
  }
  for (const DxfLine& l : drawing.lines) {
    chain.push_back({{l.x1, l.x2}, {l.y1, l.y2}, 0, true, l.order, l.who});
  }
  for (const DxfArc& a : drawing.arcs) {
    const double end = a.start + a.sweep;
    const double x1 = a.xc + a.r * std::cos(a.start), y1 = a.yc + a.r * std::sin(a.start);
    const double x2 = a.xc + a.r * std::cos(end), y2 = a.yc + a.r * std::sin(end);
    // An arc whose ends meet is a whole circle, or (when short) no edge at all.
    if (std::fabs(a.sweep) >= TwoPi * (1 - 1e-12) ||
        (std::hypot(x2 - x1, y2 - y1) <= tol && std::fabs(a.sweep) > Pi)) {
      addCircle(a.xc, a.yc, a.r, a.order, a.who);
      continue;
    }
    chain.push_back(
        {{x1, x2}, {y1, y2}, CleanBulge(std::tan(a.sweep / 4)), false, a.order, a.who});
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
  if (edges.size() > 2 * static_cast<std::size_t>(maxPoints)) {
    why = "The drawing has more than " + std::to_string(maxPoints) +
          " points; a section table holds at most " + std::to_string(maxPoints) + ".";
    return false;
  }
  if (!JoinChains(drawing, edges, tol, outlines, why)) return false;

  // Loops: repeated vertices out, whole circles as circles, loops along a line or of
  // no area (none beyond a square of side tol) out, loops that cross or touch
  // themselves refused.
  const double tinyArea = tol * tol;
  std::size_t loopVertices = 0;
  std::vector<DxfOutline> kept;
  for (DxfOutline& o : outlines) {
    if (!o.circle) {
      DropRepeatedVertices(o, tol);
      DxfOutline c;
      if (o.v.size() >= 2 && LoopIsCircle(o.v, tol, c)) {
        o.circle = true;
        o.xc = c.xc;
        o.yc = c.yc;
        o.r = c.r;
        o.area = Pi * c.r * c.r;
        o.v.clear();
        o.who.resize(1);
      } else {
        if (o.v.size() < 2 || Flat(o.v, tol)) {
          ++degenerate;
          continue;
        }
        // As for the chains: more vertices than twice the node slots cannot fit (and
        // the edges are compared in pairs).
        loopVertices += o.v.size();
        if (loopVertices > 2 * static_cast<std::size_t>(maxPoints)) {
          why = "The drawing has more than " + std::to_string(maxPoints) +
                " points; a section table holds at most " + std::to_string(maxPoints) + ".";
          return false;
        }
        std::size_t i = 0, j = 0;
        double x = 0, y = 0;
        if (CrossesItself(o, tol, i, j, x, y)) {
          const std::string& first = drawing.names[o.who[i]];
          why = (o.who[i] == o.who[j] ? "The " + first
                                      : "The outline of " + first + " and " + drawing.names[o.who[j]]) +
                " crosses or touches itself at " + PointText(drawing, x, y) +
                "; an outline must not cross or touch itself.";
          return false;
        }
        o.area = LoopArea(o.v);
        if (!(std::fabs(o.area) > tinyArea)) {
          ++degenerate;
          continue;
        }
      }
    }
    kept.push_back(std::move(o));
  }
  outlines = std::move(kept);
  return true;
}

std::string OutlineName(const DxfDrawing& drawing, const DxfOutline& o) {
  std::vector<int> others(o.who.begin(), o.who.end());
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());
  const std::string& first = drawing.names[o.who[0]];
  if (others.size() == 1) return first;
  return "the chain of " + first + " and " + std::to_string(others.size() - 1) + " other " +
         (others.size() == 2 ? "entity" : "entities");
}

bool NestOutlines(std::vector<DxfOutline>& outlines, const DxfDrawing& drawing, double tol,
                  std::string& why) {
  // Pairs of outlines: one drawn twice, or two crossing where an edge of one passes
  // through an edge of the other.
  std::vector<std::vector<Piece>> pieces;
  for (const DxfOutline& o : outlines) pieces.push_back(PiecesOf(o));
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    for (std::size_t j = i + 1; j < outlines.size(); ++j) {
      const DxfOutline& a = outlines[i];
      const DxfOutline& b = outlines[j];
      if (LiesOn(b, a, tol) && LiesOn(a, b, tol)) {
        why = "The same outline is drawn twice: by " + OutlineName(drawing, a) + " and by " +
              OutlineName(drawing, b) + "; it would count twice. Remove one of them.";
        return false;
      }
      for (std::size_t p = 0; p < pieces[i].size(); ++p) {
        for (std::size_t q = 0; q < pieces[j].size(); ++q) {
          double x = 0, y = 0;
          if (PiecesCross(pieces[i][p], pieces[j][q], tol, x, y)) {
            why = "Two outlines cross near " + PointText(drawing, x, y) + ": " +
                  drawing.names[a.who[p]] + " and " + drawing.names[b.who[q]] +
                  "; an outline may lie inside another, but not across it.";
            return false;
          }
        }
      }
    }
  }
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    outlines[i].depth = 0;
    for (std::size_t j = 0; j < outlines.size(); ++j) {
      if (j == i) continue;
      double x = 0, y = 0;
      const Nesting n = NestingOf(outlines[i], outlines[j], tol, x, y);
      if (n == Nesting::Crossing) {
        why = "Two outlines cross near " + PointText(drawing, x, y) + ": " +
              OutlineName(drawing, outlines[i]) + " and " + OutlineName(drawing, outlines[j]) +
              "; an outline may lie inside another, but not across it.";
        return false;
      }
      if (n == Nesting::Inside) ++outlines[i].depth;
    }
  }
  return true;
}
