#include "model/net_material.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "util/numeric.h"

namespace {

// An element in the plane with its box.
struct Piece {
  bool arc;
  double x0, y0, x1, y1;  // edge: its ends; arc: its centre in (x0, y0)
  double r, lo, hi;       // arc: radius and angle range, lo <= hi
  double len;             // edge: its length
  PlanePoint start, end;  // its ends; an arc's at lo and hi
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
    p.len = std::hypot(p.x1 - p.x0, p.y1 - p.y0);
    p.start = {p.x0, p.y0};
    p.end = {p.x1, p.y1};
    p.bx0 = std::min(p.x0, p.x1), p.bx1 = std::max(p.x0, p.x1);
    p.by0 = std::min(p.y0, p.y1), p.by1 = std::max(p.y0, p.y1);
    return p;
  }
  p.r = e.r;
  p.lo = std::min(e.a0, e.a1);
  p.hi = std::max(e.a0, e.a1);
  p.start = ArcPoint(p, p.lo);
  p.end = ArcPoint(p, p.hi);
  const PlanePoint a = p.start, b = p.end;
  p.bx0 = HoldsAngle(p.lo, p.hi, Pi) ? p.x0 - p.r : std::min(a.x, b.x);
  p.bx1 = HoldsAngle(p.lo, p.hi, 0) ? p.x0 + p.r : std::max(a.x, b.x);
  p.by0 = HoldsAngle(p.lo, p.hi, -Pi / 2) ? p.y0 - p.r : std::min(a.y, b.y);
  p.by1 = HoldsAngle(p.lo, p.hi, Pi / 2) ? p.y0 + p.r : std::max(a.y, b.y);
  return p;
}

// A range of levels [lo, hi] of one element.
struct Range {
  double lo, hi;
};

// The band that level v falls in; NaN gives the list of every element. Never
// decreases as v grows, which is what makes the bands complete.
std::size_t BandOf(const Bands& b, double v) {
  if (std::isnan(v)) return b.count;
  if (!(b.scale > 0)) return 0;
  const double k = std::floor((v - b.base) * b.scale);
  if (!(k > 0)) return 0;
  return k < static_cast<double>(b.count - 1) ? static_cast<std::size_t>(k) : b.count - 1;
}

// As many bands as elements over the finite ranges. An element listed from the band
// of its lo to that of its hi is, since BandOf never decreases, in the band of every
// level its range holds.
Bands MakeBands(const std::vector<Range>& ranges) {
  Bands b;
  const std::size_t n = ranges.size();
  b.count = std::max<std::size_t>(n, 1);
  bool any = false;
  double lo = 0, hi = 0;
  for (const Range& r : ranges) {
    if (!std::isfinite(r.lo) || !std::isfinite(r.hi)) continue;
    lo = any ? std::min(lo, r.lo) : r.lo;
    hi = any ? std::max(hi, r.hi) : r.hi;
    any = true;
  }
  b.base = lo;
  b.scale = static_cast<double>(b.count) / (hi - lo);
  if (!std::isfinite(b.scale) || !(b.scale > 0)) b.scale = 0;
  // The bands [from, to) each element is listed in; count each band's elements, then
  // place them in ascending order.
  std::vector<std::pair<std::size_t, std::size_t>> spans(n);
  b.first.assign(b.count + 2, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const Range& r = ranges[i];
    if (std::isfinite(r.lo) && std::isfinite(r.hi)) {
      spans[i] = {BandOf(b, r.lo), BandOf(b, r.hi) + 1};
    } else {
      spans[i] = {0, b.count};
    }
    for (std::size_t k = spans[i].first; k < spans[i].second; ++k) ++b.first[k + 1];
  }
  b.first[b.count + 1] = n;
  for (std::size_t k = 0; k <= b.count; ++k) b.first[k + 1] += b.first[k];
  b.items.resize(b.first.back());
  std::vector<std::size_t> next(b.first.begin(), b.first.end() - 1);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = spans[i].first; k < spans[i].second; ++k) b.items[next[k]++] = i;
    b.items[next[b.count]++] = i;
  }
  return b;
}

// A piece's box on its own, for sweeping.
struct Box {
  double x0, y0, x1, y1;
};

bool BoxesMeet(const Box& a, const Box& b, double tol) {
  return a.x0 <= b.x1 + tol && b.x0 <= a.x1 + tol && a.y0 <= b.y1 + tol && b.y0 <= a.y1 + tol;
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
  if (std::hypot(q.x - p.start.x, q.y - p.start.y) <= tol) {
    at = p.lo;
    return true;
  }
  if (std::hypot(q.x - p.end.x, q.y - p.end.y) <= tol) {
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
    if (std::fabs(denom) <= 1e-12 * a.len * b.len) return 0;
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

// The runs of an arc of d, appended to out: from the lower of its angles to the
// higher, split where v turns back (at π/2 + kπ).
void AppendArcRuns(const CutDirection::Item& it, std::vector<ArcRun>& out) {
  const double lo = std::min(it.p0, it.p1), hi = std::max(it.p0, it.p1);
  // A whole circle ends where it starts: the same level at both ends, so that its
  // two crossings always pair up.
  const bool closed = std::fabs(hi - lo - TwoPi) <= 1e-12;
  auto level = [&](double a) { return it.v0 + it.r * std::sin(closed && a == hi ? lo : a); };
  double k = std::floor((lo - Pi / 2) / Pi) + 1;  // the first turn, π/2 + kπ, past lo
  double va = level(lo);  // the level at a, carried from one run to the next
  for (double a = lo; a < hi; k += 1) {
    const double b = std::min(Pi / 2 + Pi * k, hi);
    if (b <= a) continue;
    const double vb = level(b);
    const double mid = (a + b) / 2;
    out.push_back({a, b, va, vb, mid, std::cos(mid) > 0});
    a = b;
    va = vb;
  }
}

// The crossings of one element, appended to out; an arc's runs are runs[0, count).
// Unless `placed`, only their weights are worked out and u is left at +∞: for an
// element all of whose crossings lie right of the point in question.
void ElementCrossings(const CutDirection::Item& it, const ArcRun* runs, std::size_t count, double c,
                      bool placed, std::vector<LineCrossing>& out) {
  constexpr double far = std::numeric_limits<double>::infinity();
  if (!it.arc) {
    if ((it.v0 > c) == (it.v1 > c)) return;
    const double u = placed ? it.u0 + (c - it.v0) / (it.v1 - it.v0) * (it.u1 - it.u0) : far;
    out.push_back({u, it.v1 > it.v0 ? it.m : -it.m});
    return;
  }
  const bool forward = it.p1 >= it.p0;
  const double s = placed ? std::asin(std::clamp((c - it.v0) / it.r, -1.0, 1.0)) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const ArcRun& run = runs[i];
    if ((run.va > c) == (run.vb > c)) continue;
    const bool rises = (run.vb > run.va) == forward;
    double u = far;
    if (placed) {
      const double base = run.right ? s : Pi - s;
      const double turn = TwoPi * std::round((run.mid - base) / TwoPi);
      u = it.u0 + it.r * std::cos(std::clamp(base + turn, run.a, run.b));
    }
    out.push_back({u, rises ? it.m : -it.m});
  }
}

// The crossings of one element, appended to out.
void ItemCrossings(const CutDirection::Item& it, double c, std::vector<LineCrossing>& out) {
  if (it.vmax <= c || it.vmin > c) return;
  thread_local std::vector<ArcRun> runs;
  runs.clear();
  if (it.arc) AppendArcRuns(it, runs);
  ElementCrossings(it, runs.data(), runs.size(), c, true, out);
}

// The largest u a crossing of the element can have as ElementCrossings computes it:
// an edge's u0 + t (u1 - u0) with t in [0, 1] rounds to no more than the larger of
// u0 and u0 + (u1 - u0), an arc's u0 + r cos t to no more than u0 + |r|. (A crossing
// that is NaN counts nowhere.)
double RightmostCrossing(const CutDirection::Item& it) {
  if (it.arc) return it.u0 + std::fabs(it.r);
  return std::max(it.u0, it.u0 + (it.u1 - it.u0));
}

// The smallest u, likewise: no less than the smaller of u0 and u0 + (u1 - u0), or
// than u0 - |r|. NaN, which rules nothing out, for an element with a number that is
// not finite or so large that a step could overflow and give a NaN crossing.
double LeftmostCrossing(const CutDirection::Item& it) {
  for (double v : {it.u0, it.v0, it.u1, it.v1, it.r, it.p0, it.p1})
    if (!(std::fabs(v) < 1e300)) return std::numeric_limits<double>::quiet_NaN();
  if (it.arc) return it.u0 - std::fabs(it.r);
  return std::min(it.u0, it.u0 + (it.u1 - it.u0));
}

void CrossingsAt(const CutDirection& d, double c, std::vector<LineCrossing>& out) {
  out.clear();
  for (const CutDirection::Item& it : d.items) ItemCrossings(it, c, out);
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
  std::vector<Range> levels;
  levels.reserve(net.plane.items.size());
  net.planeLeft.reserve(net.plane.items.size());
  net.planeRight.reserve(net.plane.items.size());
  net.planeRunFirst.reserve(net.plane.items.size() + 1);
  for (const CutDirection::Item& it : net.plane.items) {
    levels.push_back({it.vmin, it.vmax});
    net.planeLeft.push_back(LeftmostCrossing(it));
    net.planeRight.push_back(RightmostCrossing(it));
    net.planeRunFirst.push_back(net.planeRuns.size());
    if (it.arc) AppendArcRuns(it, net.planeRuns);
  }
  net.planeRunFirst.push_back(net.planeRuns.size());
  net.planeBands = MakeBands(levels);
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
  // The boxes in the order of the sweep, side by side.
  std::vector<Box> boxes(n);
  for (std::size_t k = 0; k < n; ++k) {
    const Piece& p = pieces[order[k]];
    boxes[k] = {p.bx0, p.by0, p.bx1, p.by1};
  }
  // Each cut as (piece, where), in the order found; handed to the pieces at the end,
  // each piece's in that order.
  std::vector<std::pair<std::size_t, double>> cuts;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = order[k];
    const Piece& a = pieces[i];
    for (std::size_t l = k + 1; l < n && boxes[l].x0 <= boxes[k].x1 + tol; ++l) {
      if (!BoxesMeet(boxes[k], boxes[l], tol)) continue;
      const std::size_t j = order[l];
      const Piece& b = pieces[j];
      double at = 0, bt = 0;
      // An end of one lying on the other cuts the other there.
      for (const PlanePoint& q : {a.start, a.end})
        if (OnPiece(b, q, tol, bt)) cuts.push_back({j, bt});
      for (const PlanePoint& q : {b.start, b.end})
        if (OnPiece(a, q, tol, at)) cuts.push_back({i, at});
      PlanePoint cross[2];
      const int count = Crossings(a, b, tol, cross);
      for (int c = 0; c < count; ++c) {
        if (!OnPiece(a, cross[c], tol, at) || !OnPiece(b, cross[c], tol, bt)) continue;
        cuts.push_back({i, at});
        cuts.push_back({j, bt});
        net.meetings.push_back(cross[c]);
      }
    }
  }
  std::vector<std::size_t> count(n, 0);
  for (const auto& [piece, where] : cuts) ++count[piece];
  for (std::size_t i = 0; i < n; ++i) net.splits[i].reserve(count[i]);
  for (const auto& [piece, where] : cuts) net.splits[piece].push_back(where);
  return net;
}

double NetWeightAt(const NetMaterial& net, double x, double y) {
  // Only the elements in the band of y can cross the line through it, and only
  // crossings right of x count: an element wholly left of x is passed over, and one
  // wholly right of it needs only its weights.
  thread_local std::vector<LineCrossing> crossings;
  crossings.clear();
  const Bands& bands = net.planeBands;
  const std::size_t band = BandOf(bands, y);
  for (std::size_t k = bands.first[band]; k < bands.first[band + 1]; ++k) {
    const std::size_t i = bands.items[k];
    const CutDirection::Item& it = net.plane.items[i];
    if (it.vmax <= y || it.vmin > y || net.planeRight[i] <= x) continue;
    const std::size_t run = net.planeRunFirst[i];
    const bool placed = !(net.planeLeft[i] > x);
    ElementCrossings(it, net.planeRuns.data() + run, net.planeRunFirst[i + 1] - run, y, placed,
                     crossings);
  }
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
// Hands the levels to step in order from one end (the lowest first, or the highest)
// until step says the search has ended; true when it has. Each pass begins with
// begin(), which starts the step's grouping afresh. Sorting every level costs
// more than the rest, and the search mostly ends near the extremes: it runs first
// over the levels within a window of that end, the window widening until the search
// ends inside it, at last over every level. The levels up to a bound, in order,
// begin the order of them all, so a search that ends among them ends as over them
// all. With NaN levels, or no width to widen, the search runs over every level.
template <class Begin, class Step>
bool SearchFromEnd(const std::vector<double>& levels, bool fromBottom, Begin&& begin,
                   Step&& step) {
  double bottom = levels[0], top = levels[0];
  bool nan = false;
  for (double v : levels) {
    bottom = std::min(bottom, v);
    top = std::max(top, v);
    nan = nan || std::isnan(v);
  }
  std::vector<double> part;
  for (double window = (top - bottom) / 64;; window *= 8) {
    const double bound = fromBottom ? bottom + window : top - window;
    const bool all = nan || !(window > 0) || !(fromBottom ? bound < top : bound > bottom);
    part.clear();
    for (double v : levels)
      if (all || (fromBottom ? v <= bound : v >= bound)) part.push_back(v);
    std::sort(part.begin(), part.end());
    begin();
    bool found = false;
    if (fromBottom) {
      for (std::size_t i = 0; i < part.size() && !found; ++i) found = step(part[i]);
    } else {
      for (std::size_t i = part.size(); i-- > 0 && !found;) found = step(part[i]);
    }
    if (found || all) return found;
  }
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
  // Levels within tol of one another are one group [first, last], within the extent
  // of the positive material. Between two groups the faces do not change: the middle
  // line tells whether the band holds net material. Strips thinner than a rounding of
  // the nodes are not material.
  const double lowest = d.fibreMin - tol, highest = d.fibreMax + tol;
  const double minimum = 16 * tol;
  auto holds = [&](double below, double above) {
    return NetLengthAt(net, d, (below + above) / 2) > minimum;
  };
  bool started = false;
  double first = 0, last = 0;
  // From the bottom up: the group is complete when a level beyond tol of its last
  // one starts the next. True once the lowest fibre is found.
  auto rise = [&](double v) {
    if (v < lowest || v > highest) return false;
    if (started && v - last <= tol) {
      last = v;
      return false;
    }
    if (started && holds(last, v)) {
      extent.any = true;
      extent.lo = std::max(first, d.fibreMin);
      return true;
    }
    first = last = v;
    started = true;
    return false;
  };
  auto begin = [&] { started = false; };
  if (!SearchFromEnd(levels, /*fromBottom=*/true, begin, rise)) return extent;
  // From the top down, the same groups.
  auto fall = [&](double v) {
    if (v < lowest || v > highest) return false;
    if (started && first - v <= tol) {
      first = v;
      return false;
    }
    if (started && holds(v, first)) {
      extent.hi = std::min(last, d.fibreMax);
      return true;
    }
    first = last = v;
    started = true;
    return false;
  };
  SearchFromEnd(levels, /*fromBottom=*/false, begin, fall);
  return extent;
}

double NetBoundaryLength(const NetMaterial& net) {
  const std::vector<CutElement>& elements = net.model.elements;
  const double tol = net.tolerance;
  if (!(net.size > 0)) return 0;
  std::vector<Piece> pieces;
  pieces.reserve(elements.size());
  for (const CutElement& e : elements) pieces.push_back(PieceOf(e));
  // The pieces by their extent in y widened by tol, the reach of OnPiece.
  std::vector<Range> spans;
  spans.reserve(pieces.size());
  for (const Piece& p : pieces) spans.push_back({p.by0 - tol, p.by1 + tol});
  const Bands near = MakeBands(spans);
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
    const double scale = p.arc ? p.r : p.len;
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
      const std::size_t band = BandOf(near, m.y);
      for (std::size_t k = near.first[band]; k < near.first[band + 1] && !earlier; ++k) {
        const std::size_t i = near.items[k];
        if (i >= j) break;
        earlier = OnPiece(pieces[i], m, tol, at);
      }
      if (earlier) continue;
      const bool left = material({m.x + reach * normal.x, m.y + reach * normal.y});
      const bool right = material({m.x - reach * normal.x, m.y - reach * normal.y});
      if (left != right) length += part;
    }
  }
  return length;
}
