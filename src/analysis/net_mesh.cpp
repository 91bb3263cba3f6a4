// The mesher, the only place that sees CGAL: the outlines of the cut model go into a
// constrained Delaunay triangulation (exact predicates, so crossing outlines are
// fine) as straight edges and arc chords, the faces between them get their net
// weights, and Delaunay refinement fills the material with well-shaped triangles.
#include "analysis/net_mesh.h"

// CGAL's own checks stay on in every build: a configuration too degenerate for its
// constructions then ends in an exception, caught and refused, not in a corrupt
// triangulation.
#define CGAL_DEBUG 1

#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Delaunay_mesh_face_base_2.h>
#include <CGAL/Delaunay_mesh_size_criteria_2.h>
#include <CGAL/Delaunay_mesher_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_face_base_with_info_2.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>

#include <algorithm>
#include <limits>
#include <cmath>
#include <cstdint>
#include <exception>
#include <map>
#include <numeric>
#include <queue>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

struct VertexInfo {
  int node = -1;       // its number in the mesh, once it is a corner of an element
  bool input = false;  // a point of the outlines, not one the triangulation added
};
struct FaceInfo {
  int region = -1;  // faces joined without crossing a constraint share a region
};

using K = CGAL::Exact_predicates_inexact_constructions_kernel;
using Vb = CGAL::Triangulation_vertex_base_with_info_2<VertexInfo, K>;
using Fb = CGAL::Delaunay_mesh_face_base_2<
    K, CGAL::Constrained_Delaunay_triangulation_face_base_2<
           K, CGAL::Constrained_triangulation_face_base_2<
                  K, CGAL::Triangulation_face_base_with_info_2<FaceInfo, K>>>>;
using Tds = CGAL::Triangulation_data_structure_2<Vb, Fb>;
using CDT = CGAL::Constrained_Delaunay_triangulation_2<K, Tds, CGAL::Exact_predicates_tag>;
using Point = K::Point_2;
using SizeCriteria = CGAL::Delaunay_mesh_size_criteria_2<CDT>;

// Element sizes graded towards the corners of the outlines: a re-entrant corner makes
// the warping function singular there, and small elements near it buy far more
// accuracy than small elements everywhere. The size bound at a point is
// min(maxEdge, nearest + Grade * distance to the nearest corner).
struct Grading {
  std::vector<Point> corners;
  double nearest = 0, grade = 0.25;
  double SizeAt(double x, double y) const {
    double d2 = std::numeric_limits<double>::infinity();
    for (const Point& c : corners) {
      const double dx = c.x() - x, dy = c.y() - y;
      d2 = std::min(d2, dx * dx + dy * dy);
    }
    return nearest + grade * std::sqrt(d2);
  }
};

class Criteria : public SizeCriteria {
 public:
  Criteria(double shape, double size, const Grading* grading)
      : SizeCriteria(shape, size), grading_(grading) {}

  class Is_bad : public SizeCriteria::Is_bad {
   public:
    Is_bad(double shape, double size, const Geom_traits& traits, const Grading* grading)
        : SizeCriteria::Is_bad(shape, size, traits), size_(size), grading_(grading) {}
    using SizeCriteria::Is_bad::operator();
    CGAL::Mesh_2::Face_badness operator()(const CDT::Face_handle& f, Quality& q) const {
      double size = size_;
      if (grading_ != nullptr && !grading_->corners.empty()) {
        const double x = (f->vertex(0)->point().x() + f->vertex(1)->point().x() +
                          f->vertex(2)->point().x()) / 3;
        const double y = (f->vertex(0)->point().y() + f->vertex(1)->point().y() +
                          f->vertex(2)->point().y()) / 3;
        size = std::min(size, grading_->SizeAt(x, y));
      }
      return SizeCriteria::Is_bad(this->B, size, this->traits)(f, q);
    }

   private:
    double size_;
    const Grading* grading_;
  };
  Is_bad is_bad_object() const {
    return Is_bad(this->bound(), size_bound(), this->traits, grading_);
  }

 private:
  const Grading* grading_;
};
using Mesher = CGAL::Delaunay_mesher_2<CDT, Criteria>;
using VH = CDT::Vertex_handle;
using FH = CDT::Face_handle;

// The shape bound of the refinement: no angle below about 20.7 degrees, away from
// sharper corners of the outlines themselves.
constexpr double ShapeBound = 0.125;

struct Circle {
  double xc, yc, r;
};

// One straight piece of an outline between two merged points, with the multiplier
// of its outline; a chord of an arc names its circle and the angle of its middle.
struct Segment {
  int a, b;
  double m;
  int circle;  // -1 for a straight edge
  double mid;
};

// The grid cell of a coordinate for cells of the given size; coordinates beyond 2^60
// cells share the outermost ones (casting a larger value is undefined).
std::int64_t CellIndex(double v, double cell) {
  constexpr double Far = 1152921504606846976.0;  // 2^60
  const double c = std::floor(v / cell);
  return static_cast<std::int64_t>(c > Far ? Far : c < -Far ? -Far : c == c ? c : 0.0);
}

// Merges points closer than tol: each point is looked for among those already kept
// in the cells around it.
class PointMerger {
 public:
  explicit PointMerger(double tol) : tol_(tol) {}
  std::int64_t Cell(double v) const { return CellIndex(v, tol_); }
  int Add(PlanePoint p) {
    const std::int64_t cx = Cell(p.x), cy = Cell(p.y);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        const auto cell = cells_.find(Key(cx + dx, cy + dy));
        if (cell == cells_.end()) continue;
        for (int id : cell->second)
          if (std::hypot(points[id].x - p.x, points[id].y - p.y) <= tol_) return id;
      }
    points.push_back(p);
    cells_[Key(cx, cy)].push_back(static_cast<int>(points.size()) - 1);
    return static_cast<int>(points.size()) - 1;
  }
  std::vector<PlanePoint> points;

 private:
  static std::uint64_t Key(std::int64_t x, std::int64_t y) {
    return static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(y);
  }
  double tol_;
  std::unordered_map<std::uint64_t, std::vector<int>> cells_;
};

// The outlines as merged points and segments.
struct Outlines {
  std::vector<PlanePoint> points;
  std::vector<Segment> segments;
  std::vector<Circle> circles;
};

// The number of chords for the part of an arc from angle u to v.
double ChordCount(double r, double u, double v, double chordAngle, double maxEdge) {
  return std::max(1.0, std::ceil(std::max((v - u) / chordAngle, r * (v - u) / maxEdge)));
}

// Every element split where the others meet it, arcs further into chords no longer
// than maxEdge and no wider than chordAngle. False when that would take more than
// `limit` points.
bool BuildOutlines(const NetMaterial& net, double maxEdge, double chordAngle, std::size_t limit,
                   Outlines& out) {
  const double tol = net.tolerance;
  PointMerger merger(tol);
  std::vector<double> at;
  std::vector<int> ids;
  const std::vector<CutElement>& elements = net.model.elements;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const CutElement& e = elements[i];
    at.clear();
    ids.clear();
    int circle = -1;
    if (!e.arc) {
      const double len = std::hypot(e.x1 - e.x0, e.y1 - e.y0);
      if (!(len > tol)) continue;
      at.push_back(0);
      for (double t : net.splits[i]) at.push_back(std::clamp(t, 0.0, 1.0));
      at.push_back(1);
      std::sort(at.begin(), at.end());
      for (double t : at)
        ids.push_back(merger.Add(t == 0   ? PlanePoint{e.x0, e.y0}
                                 : t == 1 ? PlanePoint{e.x1, e.y1}
                                          : PlanePoint{e.x0 + t * (e.x1 - e.x0),
                                                       e.y0 + t * (e.y1 - e.y0)}));
    } else {
      const double lo = std::min(e.a0, e.a1), hi = std::max(e.a0, e.a1);
      if (!(e.r > 0) || !(e.r * (hi - lo) > tol)) continue;
      std::vector<double> cuts{lo};
      for (double t : net.splits[i]) cuts.push_back(std::clamp(t, lo, hi));
      cuts.push_back(hi);
      std::sort(cuts.begin(), cuts.end());
      double count = 0;
      for (std::size_t k = 1; k < cuts.size(); ++k)
        count += ChordCount(e.r, cuts[k - 1], cuts[k], chordAngle, maxEdge);
      if (!(count + merger.points.size() < double(limit))) return false;
      at.push_back(lo);
      for (std::size_t k = 1; k < cuts.size(); ++k) {
        const double u = cuts[k - 1], v = cuts[k];
        if (!(e.r * (v - u) > tol)) continue;
        const int n = static_cast<int>(ChordCount(e.r, u, v, chordAngle, maxEdge));
        for (int j = 1; j < n; ++j) at.push_back(u + (v - u) * j / n);
        at.push_back(v);
      }
      if (e.a1 < e.a0) std::reverse(at.begin(), at.end());
      for (double t : at)
        ids.push_back(merger.Add({e.x0 + e.r * std::cos(t), e.y0 + e.r * std::sin(t)}));
      circle = static_cast<int>(out.circles.size());
      out.circles.push_back({e.x0, e.y0, e.r});
    }
    for (std::size_t k = 1; k < ids.size(); ++k) {
      if (ids[k] == ids[k - 1]) continue;
      const double mid = circle >= 0 ? (at[k - 1] + at[k]) / 2 : 0;
      out.segments.push_back({ids[k - 1], ids[k], e.m, circle, mid});
    }
    if (merger.points.size() > limit) return false;
  }
  out.points = std::move(merger.points);
  return true;
}

// Splits every segment at the points that lie within tol of it: a point left beside
// a constraint, closer than the triangulation's constructions can resolve, would
// leave it a triangle it cannot refine.
void SplitAtNearPoints(Outlines& o, double tol, double cell) {
  std::unordered_map<std::uint64_t, std::vector<int>> grid;
  auto key = [](std::int64_t x, std::int64_t y) {
    return static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(y);
  };
  auto index = [&](double v) { return CellIndex(v, cell); };
  for (std::size_t i = 0; i < o.points.size(); ++i)
    grid[key(index(o.points[i].x), index(o.points[i].y))].push_back(static_cast<int>(i));
  std::vector<Segment> split;
  split.reserve(o.segments.size());
  std::vector<std::pair<double, int>> hits;
  for (const Segment& s : o.segments) {
    const PlanePoint a = o.points[s.a], b = o.points[s.b];
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    hits.clear();
    auto test = [&](int id) {
      if (id == s.a || id == s.b) return;
      const double px = o.points[id].x - a.x, py = o.points[id].y - a.y;
      const double t = (px * dx + py * dy) / len2;
      if (t > 0 && t < 1 && std::fabs(px * dy - py * dx) <= tol * std::sqrt(len2))
        hits.push_back({t, id});
    };
    const std::int64_t x0 = index(std::min(a.x, b.x) - tol), x1 = index(std::max(a.x, b.x) + tol);
    const std::int64_t y0 = index(std::min(a.y, b.y) - tol), y1 = index(std::max(a.y, b.y) + tol);
    if (double(x1 - x0 + 1) * double(y1 - y0 + 1) > double(o.points.size())) {
      for (std::size_t id = 0; id < o.points.size(); ++id) test(static_cast<int>(id));
    } else {
      for (std::int64_t x = x0; x <= x1; ++x)
        for (std::int64_t y = y0; y <= y1; ++y) {
          const auto c = grid.find(key(x, y));
          if (c != grid.end())
            for (int id : c->second) test(id);
        }
    }
    std::sort(hits.begin(), hits.end());
    int from = s.a;
    for (const auto& [t, id] : hits) {
      if (id == from) continue;
      split.push_back({from, id, s.m, s.circle, s.mid});
      from = id;
    }
    split.push_back({from, s.b, s.m, s.circle, s.mid});
  }
  o.segments = std::move(split);
}

// The net weight at q of the outlines as chords: the multipliers times the winding
// numbers of their closed polylines. Constant over each region of the
// triangulation, whose constraints are exactly these segments.
double ChordedWeight(const Outlines& o, PlanePoint q) {
  double w = 0;
  for (const Segment& s : o.segments) {
    const PlanePoint a = o.points[s.a], b = o.points[s.b];
    const double side = (b.x - a.x) * (q.y - a.y) - (q.x - a.x) * (b.y - a.y);
    if (a.y <= q.y) {
      if (b.y > q.y && side > 0) w += s.m;
    } else if (b.y <= q.y && side < 0) {
      w -= s.m;
    }
  }
  return w;
}

// The regions of the triangulation with their net weights. Region 0 holds the
// infinite faces and weighs nothing. The weight of any other region is taken at
// the centre of its widest triangle. A region thinner than 16 tol, a strip the
// rounding of the nodes leaves between outlines meant to meet (as the net material
// counts it too), takes the weight of the neighbour it shares the longest side with.
std::vector<double> RegionWeights(CDT& cdt, const Outlines& o, double tol) {
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f) f->info().region = -1;
  int regions = 0;
  std::queue<FH> queue;
  auto flood = [&](FH start) {
    start->info().region = regions;
    queue.push(start);
    while (!queue.empty()) {
      const FH f = queue.front();
      queue.pop();
      for (int i = 0; i < 3; ++i) {
        const FH g = f->neighbor(i);
        if (f->is_constrained(i) || g->info().region >= 0) continue;
        g->info().region = regions;
        queue.push(g);
      }
    }
    ++regions;
  };
  flood(cdt.infinite_face());
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f)
    if (f->info().region < 0) flood(f);

  std::vector<double> inradius(regions, -1);
  std::vector<PlanePoint> centre(regions);
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    const Point& a = f->vertex(0)->point();
    const Point& b = f->vertex(1)->point();
    const Point& c = f->vertex(2)->point();
    const double la = std::sqrt(CGAL::squared_distance(b, c));
    const double lb = std::sqrt(CGAL::squared_distance(c, a));
    const double lc = std::sqrt(CGAL::squared_distance(a, b));
    const double perimeter = la + lb + lc;
    const double area = std::fabs(CGAL::area(a, b, c));
    if (!(perimeter > 0)) continue;
    const double rho = 2 * area / perimeter;
    const int r = f->info().region;
    if (rho <= inradius[r]) continue;
    inradius[r] = rho;
    centre[r] = {(la * a.x() + lb * b.x() + lc * c.x()) / perimeter,
                 (la * a.y() + lb * b.y() + lc * c.y()) / perimeter};
  }
  std::vector<double> weight(regions, 0);
  for (int r = 1; r < regions; ++r) weight[r] = ChordedWeight(o, centre[r]);

  // Slivers take a neighbour's weight.
  const double thin = 16 * tol;
  std::vector<std::map<int, double>> shared(regions);
  bool anySliver = false;
  for (int r = 1; r < regions; ++r) anySliver = anySliver || 2 * inradius[r] < thin;
  if (!anySliver) return weight;
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    const int r = f->info().region;
    if (!(2 * inradius[r] < thin)) continue;
    for (int i = 0; i < 3; ++i) {
      const int n = f->neighbor(i)->info().region;
      if (n == r) continue;
      shared[r][n] += std::sqrt(CGAL::squared_distance(f->vertex(CDT::cw(i))->point(),
                                                      f->vertex(CDT::ccw(i))->point()));
    }
  }
  for (int r = 1; r < regions; ++r) {
    if (shared[r].empty()) continue;
    const auto best = std::max_element(shared[r].begin(), shared[r].end(),
                                       [](const auto& p, const auto& q) { return p.second < q.second; });
    weight[r] = weight[best->first];
  }
  return weight;
}

// The vertices from a to b along the constrained edges that run on the straight
// line between them, in order; false when there is no such path.
bool ChainAlong(const CDT& cdt, VH a, VH b, double tol, std::vector<VH>& chain) {
  chain.assign(1, a);
  const Point pa = a->point(), pb = b->point();
  const double dx = pb.x() - pa.x(), dy = pb.y() - pa.y(), len2 = dx * dx + dy * dy;
  if (!(len2 > 0)) return false;
  const double len = std::sqrt(len2);
  double progress = 0;
  VH current = a;
  for (std::size_t guard = 0; guard <= cdt.number_of_vertices(); ++guard) {
    if (current == b) return true;
    VH next;
    double nextAt = 2;
    CDT::Edge_circulator e = cdt.incident_edges(current), done = e;
    if (e == nullptr) return false;
    do {
      if (cdt.is_infinite(e) || !cdt.is_constrained(*e)) continue;
      const VH w = e->first->vertex(CDT::cw(e->second)) == current
                       ? e->first->vertex(CDT::ccw(e->second))
                       : e->first->vertex(CDT::cw(e->second));
      const double wx = w->point().x() - pa.x(), wy = w->point().y() - pa.y();
      const double s = (wx * dx + wy * dy) / len2;
      if (std::fabs(wx * dy - wy * dx) / len > tol || !(s > progress) || s > nextAt) continue;
      next = w;
      nextAt = s;
    } while (++e != done);
    if (next == VH() || nextAt > 1 + tol / len) return false;
    chain.push_back(next);
    current = next;
    progress = nextAt;
  }
  return false;
}

// Points that crossings of the outlines may add before the outlines count as a
// tangle: each crossing is a point, and a region between them; weighing every region
// against every segment would take minutes.
constexpr std::size_t MostCrossings = 20000;
constexpr const char* Tangle = "the outlines cross one another too often";

// A triangulation with the given segments of o as constraints and the points at
// their ends; vertex[i] is point i's vertex. False when it has no area; `tangled`
// when the crossings of the segments passed MostCrossings.
bool Triangulate(CDT& cdt, const Outlines& o, const std::vector<Segment>& segments,
                 std::vector<VH>& vertex, bool& tangled) {
  tangled = false;
  vertex.assign(o.points.size(), VH());
  for (const Segment& s : segments)
    for (int id : {s.a, s.b}) {
      if (vertex[id] != VH()) continue;
      vertex[id] = cdt.insert(Point(o.points[id].x, o.points[id].y));
      vertex[id]->info().input = true;
    }
  const std::size_t mostPoints = cdt.number_of_vertices() + MostCrossings;
  for (const Segment& s : segments) {
    if (vertex[s.a] != vertex[s.b]) cdt.insert_constraint(vertex[s.a], vertex[s.b]);
    if (cdt.number_of_vertices() > mostPoints) {
      tangled = true;
      return false;
    }
  }
  return cdt.dimension() == 2;
}

// The constrained pieces of the arc chords: their ends and the arc they lie on.
struct ArcSide {
  VH a, b;
  int circle;
  double mid;
};

// The value at the six nodes of the Jacobian determinant of a curved 6-node
// triangle, which is quadratic over it: positive where its coefficients in the
// Bernstein basis all are (a sufficient test).
bool JacobianPositive(const SectionMesh& mesh, const MeshElement& e) {
  double x[6], y[6];
  for (int k = 0; k < 6; ++k) {
    x[k] = mesh.nodes[e.nodes[k]].x;
    y[k] = mesh.nodes[e.nodes[k]].y;
  }
  auto det = [&](double s, double t) {
    const double l = 1 - s - t;
    const double ds[6] = {-(4 * l - 1), 4 * s - 1, 0, 4 * (l - s), 4 * t, -4 * t};
    const double dt[6] = {-(4 * l - 1), 0, 4 * t - 1, -4 * s, 4 * s, 4 * (l - t)};
    double xs = 0, xt = 0, ys = 0, yt = 0;
    for (int k = 0; k < 6; ++k) {
      xs += ds[k] * x[k], xt += dt[k] * x[k];
      ys += ds[k] * y[k], yt += dt[k] * y[k];
    }
    return xs * yt - xt * ys;
  };
  const double c0 = det(0, 0), c1 = det(1, 0), c2 = det(0, 1);
  const double m01 = det(0.5, 0), m12 = det(0.5, 0.5), m20 = det(0, 0.5);
  return c0 > 0 && c1 > 0 && c2 > 0 && 2 * m01 - (c0 + c1) / 2 > 0 &&
         2 * m12 - (c1 + c2) / 2 > 0 && 2 * m20 - (c2 + c0) / 2 > 0;
}

MeshOutcome Refuse(const char* reason) {
  MeshOutcome out;
  out.reason = reason;
  return out;
}

constexpr const char* TooFine =
    "the mesh would need too many elements (a hairline gap or sliver, or too small an "
    "element size)";

// One try at a given chord angle. `curved` is false when a side put back on its arc
// left an element turned inside out.
MeshOutcome MeshOnce(const NetMaterial& net, double maxEdge, double chordAngle, bool& curved) {
  curved = true;
  const double tol = net.tolerance;
  const double wtol = net.weightTolerance;
  const std::size_t limit = MeshElementLimit;
  Outlines o;
  if (!BuildOutlines(net, maxEdge, chordAngle, limit, o)) return Refuse(TooFine);
  if (o.segments.empty()) return Refuse("there is no net material");
  SplitAtNearPoints(o, tol, std::max(maxEdge, net.size / 1024));

  // A first triangulation of every outline tells which segments bound anything:
  // those between regions of the same weight are left out of the second, so that
  // abutting pieces mesh as one and no point is left beside a boundary.
  std::vector<char> bounds(o.segments.size(), 0);
  std::vector<VH> vertex, chain;
  {
    CDT all;
    bool tangled = false;
    if (!Triangulate(all, o, o.segments, vertex, tangled))
      return Refuse(tangled ? Tangle : "there is no net material");
    const std::vector<double> weight = RegionWeights(all, o, tol);
    for (std::size_t k = 0; k < o.segments.size(); ++k) {
      const Segment& s = o.segments[k];
      if (!ChainAlong(all, vertex[s.a], vertex[s.b], tol, chain)) {
        bounds[k] = 1;  // kept when in doubt
        continue;
      }
      for (std::size_t c = 1; c < chain.size() && !bounds[k]; ++c) {
        FH f;
        int i;
        if (!all.is_edge(chain[c - 1], chain[c], f, i)) continue;
        const int r = f->info().region, n = f->neighbor(i)->info().region;
        bounds[k] = std::fabs(weight[r] - weight[n]) > wtol;
      }
    }
  }
  std::vector<Segment> boundaries;
  for (std::size_t k = 0; k < o.segments.size(); ++k)
    if (bounds[k]) boundaries.push_back(o.segments[k]);
  CDT cdt;
  bool tangled = false;
  if (!Triangulate(cdt, o, boundaries, vertex, tangled))
    return Refuse(tangled ? Tangle : "there is no net material");

  // The chords as the triangulation holds them, split where other outlines cross.
  std::vector<ArcSide> arcSides;
  for (const Segment& s : boundaries) {
    if (s.circle < 0 || !ChainAlong(cdt, vertex[s.a], vertex[s.b], tol, chain)) continue;
    for (std::size_t k = 1; k < chain.size(); ++k)
      arcSides.push_back({chain[k - 1], chain[k], s.circle, s.mid});
  }

  std::vector<double> weight = RegionWeights(cdt, o, tol);
  const int regions = static_cast<int>(weight.size());
  for (int r = 1; r < regions; ++r)
    if (weight[r] < -wtol) return Refuse("a region has a negative net weight");
  auto material = [&](int r) { return r > 0 && std::fabs(weight[r]) > wtol; };

  // The material must hang together along sides: regions joined across constraints.
  std::vector<int> parent(regions);
  std::iota(parent.begin(), parent.end(), 0);
  auto root = [&](int r) {
    while (parent[r] != r) r = parent[r] = parent[parent[r]];
    return r;
  };
  double area = 0;
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    const int r = f->info().region;
    f->set_in_domain(material(r));
    if (!material(r)) continue;
    area += CGAL::area(f->vertex(0)->point(), f->vertex(1)->point(), f->vertex(2)->point());
    for (int i = 0; i < 3; ++i) {
      const int n = f->neighbor(i)->info().region;
      if (material(n)) parent[root(n)] = root(r);
    }
  }
  int parts = 0;
  for (int r = 1; r < regions; ++r) parts += material(r) && root(r) == r;
  if (parts == 0) return Refuse("there is no net material");
  if (parts > 1) return Refuse("the material falls apart into parts not joined along a side");
  // About five elements to a square of the element size. Small features of the
  // outlines need more, but not twenty times more: beyond that the refinement is
  // chasing a hairline gap or a sliver, and stops.
  const double expected = 5 * area / (maxEdge * maxEdge);
  if (!(expected < double(limit))) return Refuse(TooFine);
  const std::size_t allowed =
      std::min(limit, std::max<std::size_t>(20000, static_cast<std::size_t>(20 * expected)));

  // The corners: ends of straight edges of the outlines, each once.
  Grading grading;
  grading.nearest = maxEdge / 16;
  for (const CutElement& e : net.model.elements) {
    if (e.arc) continue;
    for (const Point p : {Point(e.x0, e.y0), Point(e.x1, e.y1)}) {
      const bool known = std::any_of(grading.corners.begin(), grading.corners.end(),
                                     [&](const Point& c) { return CGAL::squared_distance(c, p) <= tol * tol; });
      if (!known) grading.corners.push_back(p);
    }
  }
  Mesher mesher(cdt, Criteria(ShapeBound, maxEdge, &grading));
  mesher.init(true);
  // Each point the refinement adds makes two triangles more; the triangulation counts
  // its points at once but its faces only by walking them all.
  const std::size_t pointLimit = cdt.number_of_vertices() + allowed;
  for (std::size_t steps = 0; !mesher.is_refinement_done(); ++steps) {
    mesher.step_by_step_refine_mesh();
    if (steps > 4 * allowed || cdt.number_of_vertices() > pointLimit) return Refuse(TooFine);
  }

  // The chords' vertices onto their arcs, and the arcs' points at the middle of
  // each side for the mid-side nodes.
  weight = RegionWeights(cdt, o, tol);
  std::vector<std::pair<std::vector<VH>, const ArcSide*>> chains;
  for (const ArcSide& s : arcSides)
    if (ChainAlong(cdt, s.a, s.b, tol, chain)) chains.push_back({chain, &s});
  std::map<std::pair<VH, VH>, PlanePoint> arcMiddle;
  for (const auto& chainAndSide : chains) {
    // Named, not bound: clang 14 cannot capture a structured binding in a lambda.
    const std::vector<VH>& vs = chainAndSide.first;
    const ArcSide* side = chainAndSide.second;
    const Circle& c = o.circles[side->circle];
    auto angle = [&](VH v) {
      const double a = std::atan2(v->point().y() - c.yc, v->point().x() - c.xc);
      return side->mid + std::remainder(a - side->mid, TwoPi);
    };
    for (std::size_t k = 1; k + 1 < vs.size(); ++k) {
      if (vs[k]->info().input) continue;
      const double a = angle(vs[k]);
      vs[k]->set_point(Point(c.xc + c.r * std::cos(a), c.yc + c.r * std::sin(a)));
    }
    for (std::size_t k = 1; k < vs.size(); ++k) {
      const double a = (angle(vs[k - 1]) + angle(vs[k])) / 2;
      const PlanePoint p{c.xc + c.r * std::cos(a), c.yc + c.r * std::sin(a)};
      arcMiddle[std::minmax(vs[k - 1], vs[k])] = p;
    }
  }

  MeshOutcome out;
  SectionMesh& mesh = out.mesh;
  std::unordered_map<std::uint64_t, int> middles;
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    const int r = f->info().region;
    if (!material(r)) continue;
    MeshElement e;
    e.weight = weight[r];
    for (int k = 0; k < 3; ++k) {
      const VH v = f->vertex(k);
      if (v->info().node < 0) {
        v->info().node = static_cast<int>(mesh.nodes.size());
        mesh.nodes.push_back({v->point().x(), v->point().y()});
      }
      e.nodes[k] = v->info().node;
    }
    for (int k = 0; k < 3; ++k) {
      const VH a = f->vertex(k), b = f->vertex((k + 1) % 3);
      const int na = a->info().node, nb = b->info().node;
      const std::uint64_t key = (std::uint64_t(std::min(na, nb)) << 32) | std::uint64_t(std::max(na, nb));
      auto [it, added] = middles.try_emplace(key, static_cast<int>(mesh.nodes.size()));
      if (added) {
        const auto arc = arcMiddle.find(std::minmax(a, b));
        mesh.nodes.push_back(arc != arcMiddle.end()
                                 ? MeshNode{arc->second.x, arc->second.y}
                                 : MeshNode{(a->point().x() + b->point().x()) / 2,
                                            (a->point().y() + b->point().y()) / 2});
      }
      e.nodes[3 + k] = it->second;
    }
    mesh.elements.push_back(e);
    if (!JacobianPositive(mesh, e)) {
      curved = false;
      return Refuse("the mesh cannot follow the arcs at this element size");
    }
  }
  if (mesh.elements.size() > limit) return Refuse(TooFine);
  out.ok = true;
  return out;
}

}  // namespace

MeshOutcome MeshNetMaterial(const NetMaterial& net, double maxEdge, double widestChord) {
  if (const char* reason = NoShapeReason(net.model)) return Refuse(reason);
  if (!(maxEdge > 0) || !std::isfinite(maxEdge)) return Refuse("the element size is not positive");
  for (const CutElement& e : net.model.elements)
    for (double v : {e.m, e.x0, e.y0, e.x1, e.y1, e.r, e.a0, e.a1})
      if (!std::isfinite(v)) return Refuse("an outline has a coordinate that is not finite");
  if (!(net.size > 0) || !(net.tolerance > 0)) return Refuse("there is no net material");
  // A side put back on its arc can turn a small element inside out; finer chords
  // bring the sides closer to their arcs.
  MeshOutcome out;
  double chordAngle = std::min(widestChord, MeshChordAngle);
  if (!(chordAngle > 0)) return Refuse("the chord angle is not positive");
  for (int attempt = 0; attempt < 3; ++attempt, chordAngle /= 2) {
    bool curved = true;
    try {
      out = MeshOnce(net, maxEdge, chordAngle, curved);
    } catch (const std::exception&) {
      return Refuse("the mesh generator failed on this geometry");
    }
    if (curved) break;
  }
  return out;
}
