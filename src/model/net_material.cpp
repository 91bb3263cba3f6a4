#include "model/net_material.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numeric>

#include "util/numeric.h"

namespace {

// An element in the plane with its box.
struct Piece {
  bool arc;
  double x0, y0, x1, y1;  // edge: its ends; arc: its centre in (x0, y0)
  double r, lo, hi;       // arc: radius and angle range, lo <= hi
  double bx0, by0, bx1, by1;
};

// True when the angle range [lo, hi] holds target + 2πk for some k.
bool HoldsAngle(double lo, double hi, double target) {
  const double k = std::ceil((lo - target) / TwoPi);
  return target + k * TwoPi <= hi;
}

PlanePoint ArcPoint(const Piece& p, double a) {
  return {p.x0 + p.r * std::cos(a), p.y0 + p.r * std::sin(a)};
}

Piece PieceOf(const CutElement& e) {
  Piece p{};
  p.arc = e.arc;
  p.x0 = e.x0;
  p.y0 = e.y0;
  if (!e.arc) {
    p.x1 = e.x1;
    p.y1 = e.y1;
    p.bx0 = std::min(p.x0, p.x1), p.bx1 = std::max(p.x0, p.x1);
    p.by0 = std::min(p.y0, p.y1), p.by1 = std::max(p.y0, p.y1);
    return p;
  }
  p.r = e.r;
  p.lo = std::min(e.a0, e.a1);
  p.hi = std::max(e.a0, e.a1);
  const PlanePoint a = ArcPoint(p, p.lo), b = ArcPoint(p, p.hi);
  p.bx0 = HoldsAngle(p.lo, p.hi, Pi) ? p.x0 - p.r : std::min(a.x, b.x);
  p.bx1 = HoldsAngle(p.lo, p.hi, 0) ? p.x0 + p.r : std::max(a.x, b.x);
  p.by0 = HoldsAngle(p.lo, p.hi, -Pi / 2) ? p.y0 - p.r : std::min(a.y, b.y);
  p.by1 = HoldsAngle(p.lo, p.hi, Pi / 2) ? p.y0 + p.r : std::max(a.y, b.y);
  return p;
}

bool BoxesMeet(const Piece& a, const Piece& b, double tol) {
  return a.bx0 <= b.bx1 + tol && b.bx0 <= a.bx1 + tol && a.by0 <= b.by1 + tol &&
         b.by0 <= a.by1 + tol;
}

// Whether q lies on the piece within tol, and where: the parameter along an edge
// (0 to 1) or the angle on an arc.
bool OnPiece(const Piece& p, PlanePoint q, double tol, double& at) {
  if (q.x < p.bx0 - tol || q.x > p.bx1 + tol || q.y < p.by0 - tol || q.y > p.by1 + tol)
    return false;
  if (!p.arc) {
    const double dx = p.x1 - p.x0, dy = p.y1 - p.y0, len2 = dx * dx + dy * dy;
    if (!(len2 > 0)) return false;
    const double t = std::clamp(((q.x - p.x0) * dx + (q.y - p.y0) * dy) / len2, 0.0, 1.0);
    if (std::hypot(q.x - (p.x0 + t * dx), q.y - (p.y0 + t * dy)) > tol) return false;
    at = t;
    return true;
  }
  if (!(p.r > 0) || std::fabs(std::hypot(q.x - p.x0, q.y - p.y0) - p.r) > tol) return false;
  const double a = std::atan2(q.y - p.y0, q.x - p.x0);
  const double shifted = a + TwoPi * std::ceil((p.lo - a) / TwoPi);  // the first turn at or past lo
  if (shifted <= p.hi) {
    at = shifted;
    return true;
  }
  // Beyond the arc's angles, but perhaps within tol of one of its ends.
  const PlanePoint s = ArcPoint(p, p.lo), e = ArcPoint(p, p.hi);
  if (std::hypot(q.x - s.x, q.y - s.y) <= tol) {
    at = p.lo;
    return true;
  }
  if (std::hypot(q.x - e.x, q.y - e.y) <= tol) {
    at = p.hi;
    return true;
  }
  return false;
}

// The points where the circles or lines of two pieces cross (a touching pair
// gives its point of contact); not yet checked against the pieces' extents.
int Crossings(const Piece& a, const Piece& b, double tol, PlanePoint out[2]) {
  if (!a.arc && !b.arc) {
    const double dx = a.x1 - a.x0, dy = a.y1 - a.y0, ex = b.x1 - b.x0, ey = b.y1 - b.y0;
    const double denom = dx * ey - dy * ex;
    // Parallel edges meet only where an end of one lies on the other.
    if (std::fabs(denom) <= 1e-12 * std::hypot(dx, dy) * std::hypot(ex, ey)) return 0;
    const double t = ((b.x0 - a.x0) * ey - (b.y0 - a.y0) * ex) / denom;
    out[0] = {a.x0 + t * dx, a.y0 + t * dy};
    return 1;
  }
  if (a.arc && b.arc) {
    const double dx = b.x0 - a.x0, dy = b.y0 - a.y0, d = std::hypot(dx, dy);
    // The same circle meets the other arc only at ends; concentric ones never.
    if (d <= tol) return 0;
    if (d > a.r + b.r + tol || d < std::fabs(a.r - b.r) - tol) return 0;
    const double along = (d * d + a.r * a.r - b.r * b.r) / (2 * d);
    const double h = std::sqrt(std::max(a.r * a.r - along * along, 0.0));
    const double bx = a.x0 + along * dx / d, by = a.y0 + along * dy / d;
    out[0] = {bx - h * dy / d, by + h * dx / d};
    out[1] = {bx + h * dy / d, by - h * dx / d};
    return h > 0 ? 2 : 1;
  }
  const Piece& e = a.arc ? b : a;
  const Piece& c = a.arc ? a : b;
  const double dx = e.x1 - e.x0, dy = e.y1 - e.y0, len2 = dx * dx + dy * dy;
  if (!(len2 > 0)) return 0;
  const double t0 = ((c.x0 - e.x0) * dx + (c.y0 - e.y0) * dy) / len2;
  const double fx = e.x0 + t0 * dx, fy = e.y0 + t0 * dy;  // foot of the perpendicular
  const double h = std::hypot(c.x0 - fx, c.y0 - fy);
  if (h > c.r + tol) return 0;
  const double half = std::sqrt(std::max(c.r * c.r - h * h, 0.0) / len2);
  out[0] = {fx - half * dx, fy - half * dy};
  out[1] = {fx + half * dx, fy + half * dy};
  return half > 0 ? 2 : 1;
}

// Where the line v = c crosses the elements of d, and by how much the net weight to
// the left of each crossing exceeds that to its right: a ray towards +u crossing
// an element that rises counts its multiplier, one that falls minus it. An end
// counts on the element that rises from it or falls to it from above.
struct LineCrossing {
  double u, w;
};

void CrossingsAt(const CutDirection& d, double c, std::vector<LineCrossing>& out) {
  out.clear();
  for (const CutDirection::Item& it : d.items) {
    if (it.vmax <= c || it.vmin > c) continue;
    if (!it.arc) {
      if ((it.v0 > c) == (it.v1 > c)) continue;
      const double u = it.u0 + (c - it.v0) / (it.v1 - it.v0) * (it.u1 - it.u0);
      out.push_back({u, it.v1 > it.v0 ? it.m : -it.m});
      continue;
    }
    // Along pieces of the arc on which v only rises or only falls.
    const double lo = std::min(it.p0, it.p1), hi = std::max(it.p0, it.p1);
    const bool forward = it.p1 >= it.p0;
    const double s = std::asin(std::clamp((c - it.v0) / it.r, -1.0, 1.0));
    // A whole circle ends where it starts: the same level at both ends, so that its
    // two crossings always pair up.
    const bool closed = std::fabs(hi - lo - TwoPi) <= 1e-12;
    auto level = [&](double a) { return it.v0 + it.r * std::sin(closed && a == hi ? lo : a); };
    double k = std::floor((lo - Pi / 2) / Pi) + 1;  // the first turn, π/2 + kπ, past lo
    for (double a = lo; a < hi; k += 1) {
      const double b = std::min(Pi / 2 + Pi * k, hi);
      if (b <= a) continue;
      const double va = level(a), vb = level(b);
      if ((va > c) != (vb > c)) {
        const double mid = (a + b) / 2;
        const double base = std::cos(mid) > 0 ? s : Pi - s;
        const double t = std::clamp(base + TwoPi * std::round((mid - base) / TwoPi), a, b);
        const bool rises = (vb > va) == forward;
        out.push_back({it.u0 + it.r * std::cos(t), rises ? it.m : -it.m});
      }
      a = b;
    }
  }
}

// The length of the line v = c in net material, from its crossings.
double LengthInMaterial(std::vector<LineCrossing>& crossings, double weightTol) {
  std::sort(crossings.begin(), crossings.end(),
            [](const LineCrossing& a, const LineCrossing& b) { return a.u < b.u; });
  double weight = 0, length = 0;
  for (std::size_t i = crossings.size(); i-- > 1;) {
    weight += crossings[i].w;
    if (std::fabs(weight) > weightTol) length += crossings[i].u - crossings[i - 1].u;
  }
  return length;
}

}  // namespace

NetMaterial BuildNetMaterial(const CutModel& model) {
  NetMaterial net;
  net.model = model;
  net.plane = ProjectCut(model, 0, 1);
  const std::size_t n = model.elements.size();
  net.splits.assign(n, {});
  if (n == 0) return net;

  std::vector<Piece> pieces;
  pieces.reserve(n);
  double bx0 = 0, by0 = 0, bx1 = 0, by1 = 0, weight = 0;
  for (const CutElement& e : model.elements) {
    pieces.push_back(PieceOf(e));
    const Piece& p = pieces.back();
    if (pieces.size() == 1) {
      bx0 = p.bx0, by0 = p.by0, bx1 = p.bx1, by1 = p.by1;
    } else {
      bx0 = std::min(bx0, p.bx0), by0 = std::min(by0, p.by0);
      bx1 = std::max(bx1, p.bx1), by1 = std::max(by1, p.by1);
    }
    weight = std::max(weight, std::fabs(e.m));
  }
  net.size = std::max(bx1 - bx0, by1 - by0);
  net.reach = std::max({std::fabs(bx0), std::fabs(bx1), std::fabs(by0), std::fabs(by1)});
  net.tolerance = std::clamp(4 * FLT_EPSILON * net.reach, 1e-9 * net.size, 1e-6 * net.size);
  // Weights are held in single precision; their sums cancel to within that.
  net.weightTolerance = 1e-6 * weight;
  const double tol = net.tolerance;

  // Pairs whose boxes meet, found by sweeping the boxes from left to right.
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return pieces[a].bx0 < pieces[b].bx0; });
  auto ends = [](const Piece& p, PlanePoint out[2]) {
    if (!p.arc) {
      out[0] = {p.x0, p.y0};
      out[1] = {p.x1, p.y1};
    } else {
      out[0] = ArcPoint(p, p.lo);
      out[1] = ArcPoint(p, p.hi);
    }
  };
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = order[k];
    const Piece& a = pieces[i];
    for (std::size_t l = k + 1; l < n && pieces[order[l]].bx0 <= a.bx1 + tol; ++l) {
      const std::size_t j = order[l];
      const Piece& b = pieces[j];
      if (!BoxesMeet(a, b, tol)) continue;
      double at = 0, bt = 0;
      // An end of one lying on the other cuts the other there.
      PlanePoint e[2];
      ends(a, e);
      for (const PlanePoint& q : e)
        if (OnPiece(b, q, tol, bt)) net.splits[j].push_back(bt);
      ends(b, e);
      for (const PlanePoint& q : e)
        if (OnPiece(a, q, tol, at)) net.splits[i].push_back(at);
      PlanePoint cross[2];
      const int count = Crossings(a, b, tol, cross);
      for (int c = 0; c < count; ++c) {
        if (!OnPiece(a, cross[c], tol, at) || !OnPiece(b, cross[c], tol, bt)) continue;
        net.splits[i].push_back(at);
        net.splits[j].push_back(bt);
        net.meetings.push_back(cross[c]);
      }
    }
  }
  return net;
}

double NetWeightAt(const NetMaterial& net, double x, double y) {
  thread_local std::vector<LineCrossing> crossings;
  CrossingsAt(net.plane, y, crossings);
  double weight = 0;
  for (const LineCrossing& c : crossings)
    if (c.u > x) weight += c.w;
  return weight;
}

double NetLengthAt(const NetMaterial& net, const CutDirection& d, double c) {
  thread_local std::vector<LineCrossing> crossings;
  CrossingsAt(d, c, crossings);
  return LengthInMaterial(crossings, net.weightTolerance);
}

NetExtent NetMaterialExtent(const NetMaterial& net, const CutDirection& d) {
  NetExtent extent;
  if (!d.anyPositive || d.items.empty()) return extent;
  const double tol = net.tolerance;
  // Every level at which an element ends, turns back or meets another.
  std::vector<double> levels;
  levels.reserve(4 * d.items.size() + net.meetings.size());
  for (const CutDirection::Item& it : d.items) {
    levels.push_back(it.vmin);
    levels.push_back(it.vmax);
    if (it.arc) {
      levels.push_back(it.v0 + it.r * std::sin(it.p0));
      levels.push_back(it.v0 + it.r * std::sin(it.p1));
    }
  }
  for (const PlanePoint& p : net.meetings) levels.push_back(d.nx * p.x + d.ny * p.y);
  std::sort(levels.begin(), levels.end());
  // Levels within tol of one another are one: [first, last] of each group, within
  // the extent of the positive material.
  struct Group {
    double first, last;
  };
  std::vector<Group> groups;
  for (double v : levels) {
    if (v < d.fibreMin - tol || v > d.fibreMax + tol) continue;
    if (!groups.empty() && v - groups.back().last <= tol) {
      groups.back().last = v;
    } else {
      groups.push_back({v, v});
    }
  }
  // Between two groups the faces do not change: the middle line tells whether the
  // band holds net material. Strips thinner than a rounding of the nodes are not
  // material.
  const double minimum = 16 * tol;
  auto holds = [&](std::size_t k) {
    return NetLengthAt(net, d, (groups[k].last + groups[k + 1].first) / 2) > minimum;
  };
  for (std::size_t k = 0; k + 1 < groups.size(); ++k) {
    if (holds(k)) {
      extent.any = true;
      extent.lo = std::max(groups[k].first, d.fibreMin);
      break;
    }
  }
  if (!extent.any) return extent;
  for (std::size_t k = groups.size() - 1; k-- > 0;) {
    if (holds(k)) {
      extent.hi = std::min(groups[k + 1].last, d.fibreMax);
      break;
    }
  }
  return extent;
}

double NetBoundaryLength(const NetMaterial& net) {
  const std::vector<CutElement>& elements = net.model.elements;
  const double tol = net.tolerance;
  if (!(net.size > 0)) return 0;
  std::vector<Piece> pieces;
  pieces.reserve(elements.size());
  for (const CutElement& e : elements) pieces.push_back(PieceOf(e));
  // Each side of a part is tested this far from it: beyond the slivers that the
  // nodes' rounding leaves between edges typed to coincide.
  const double offset = 16 * tol;
  auto material = [&](PlanePoint q) {
    return std::fabs(NetWeightAt(net, q.x, q.y)) > net.weightTolerance;
  };
  double length = 0;
  std::vector<double> cuts;
  for (std::size_t j = 0; j < pieces.size(); ++j) {
    const Piece& p = pieces[j];
    const double scale = p.arc ? p.r : std::hypot(p.x1 - p.x0, p.y1 - p.y0);
    if (!(scale > 0)) continue;
    cuts = net.splits[j];
    cuts.push_back(p.arc ? p.lo : 0);
    cuts.push_back(p.arc ? p.hi : 1);
    std::sort(cuts.begin(), cuts.end());
    const double step = tol / scale;  // parameters closer than this meet
    double start = cuts.front();
    for (std::size_t k = 1; k < cuts.size(); ++k) {
      const double end = cuts[k];
      if (end - start <= step) continue;
      const double part = (end - start) * scale;
      const double mid = (start + end) / 2;
      start = end;
      PlanePoint m, normal;
      double reach = offset;
      if (p.arc) {
        normal = {std::cos(mid), std::sin(mid)};
        m = {p.x0 + p.r * normal.x, p.y0 + p.r * normal.y};
        reach = std::min(offset, p.r / 2);
      } else {
        m = {p.x0 + mid * (p.x1 - p.x0), p.y0 + mid * (p.y1 - p.y0)};
        normal = {-(p.y1 - p.y0) / scale, (p.x1 - p.x0) / scale};
      }
      // A part along an earlier element is that element's part too: count it once.
      bool earlier = false;
      double at;
      for (std::size_t i = 0; i < j && !earlier; ++i) earlier = OnPiece(pieces[i], m, tol, at);
      if (earlier) continue;
      const bool left = material({m.x + reach * normal.x, m.y + reach * normal.y});
      const bool right = material({m.x - reach * normal.x, m.y - reach * normal.y});
      if (left != right) length += part;
    }
  }
  return length;
}
