#include "model/outlines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "util/bits.h"
#include "util/numeric.h"

namespace {

// First slot to try for a key in a cache of 2^bits slots.
int SlotOf(std::uint64_t a, std::uint64_t b, int bits) {
  std::uint64_t h = (a * 0x9E3779B97F4A7C15ull) ^ (b * 0xC2B2AE3D27D4EB4Full);
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return static_cast<int>(h >> (64 - bits));
}

// Looks the key up by linear probing over at most 8 slots: the entry holding it,
// or the free slot where it goes (nullptr when there is no room for it).
template <typename Entry, std::size_t N, typename Same>
Entry* Probe(std::array<Entry, N>& entries, std::array<bool, N>& used, int& count,
             int first, Same same, bool& found) {
  found = false;
  std::size_t i = static_cast<std::size_t>(first);
  for (int probe = 0; probe < 8; ++probe, i = (i + 1) % N) {
    if (!used[i]) {
      if (4 * (count + 1) > 3 * static_cast<int>(N)) return nullptr;
      used[i] = true;
      ++count;
      return &entries[i];
    }
    if (same(entries[i])) {
      found = true;
      return &entries[i];
    }
  }
  return nullptr;
}

// The shape of the arc from a1 to a2 with the given half angle, without the
// segment factors; written in place, since shapes go straight into the cache.
void SetArcShape(SegmentShape& g, double a1, double a2, double alpha) {
  g.m = (a1 + a2) / 2;
  g.alpha = alpha;
  g.S = std::sin(g.alpha);
  g.C = std::cos(g.alpha);
  g.cosM = std::cos(g.m);
  g.sinM = std::sin(g.m);
  g.cos2M = std::cos(2 * g.m);
  g.sin2M = std::sin(2 * g.m);
  g.segment = false;
  g.k1 = g.k2 = g.centroidOverR = g.aboutFactor = g.acrossFactor = 0;
}

SegmentShape ArcShapeOf(double a1, double a2, double alpha) {
  SegmentShape g;
  SetArcShape(g, a1, a2, alpha);
  return g;
}

void AddSegmentFactors(SegmentShape& g) {
  g.segment = true;
  // Both factors are held in single precision, as stored results have always been.
  g.k1 = SinglePrecision(g.alpha - g.S * g.C);
  g.k2 = SinglePrecision(2 * g.C * g.S * g.S * g.S);
  if (g.k1 == 0) return;  // a segment without area has no terms
  g.centroidOverR = (2.0 / 3.0) * g.S * g.S * g.S / g.k1;
  g.aboutFactor = 3 * g.k1 - g.k2;
  g.acrossFactor = g.k1 + g.k2 - (16.0 / 9.0) * std::pow(g.S, 6) / g.k1;
}

RadialBlockForm RadialBlockFormOf(const ParamRow& row) {
  const RadialBlockView b(row);
  RadialBlockForm k;
  k.r = b.radius();
  k.angle = WithoutWholeTurns(b.angle()) * DegToRad;
  k.w = b.width();
  // A thickness beyond the centre leaves no inner arc.
  k.rho = std::max(k.r - static_cast<double>(b.thickness()), 0.0);
  // Both arcs start on the radial line; their angles are held in single precision,
  // so the radial line's end is the same angle on both arcs.
  const double base = SinglePrecision(k.angle);
  const double outer = SinglePrecision(k.angle + ParallelLineAngle(k.w, k.r));
  const double inner = SinglePrecision(k.angle + ParallelLineAngle(k.w, k.rho));
  const double cb = std::cos(base), sb = std::sin(base);
  const PlanePoint pb{k.r * cb, k.r * sb};
  const PlanePoint qb{k.rho * cb, k.rho * sb};
  const PlanePoint po{k.r * std::cos(outer), k.r * std::sin(outer)};
  const PlanePoint qi{k.rho * std::cos(inner), k.rho * std::sin(inner)};
  if (outer < base) {
    k.o1 = outer, k.o2 = base, k.p1 = po, k.p2 = pb;
  } else {
    k.o1 = base, k.o2 = outer, k.p1 = pb, k.p2 = po;
  }
  if (inner < base) {
    k.i1 = inner, k.i2 = base, k.q1 = qi, k.q2 = qb;
  } else {
    k.i1 = base, k.i2 = inner, k.q1 = qb, k.q2 = qi;
  }
  k.foot = std::fabs(k.w) > k.rho;
  k.f = {0, 0};
  if (k.foot) {
    double reach = std::min(std::fabs(k.w), k.r) * Sign(k.w);
    k.f = {-(reach * std::sin(k.angle)), reach * std::cos(k.angle)};
  }
  return k;
}

RadialBlockForm CachedRadialBlockForm(ShapeCache& cache, const ParamRow& row) {
  const RadialBlockView b(row);
  const std::array<float, 4> key{b.radius(), b.angle(), b.width(), b.thickness()};
  using Bits = std::array<std::uint64_t, 2>;
  const Bits bits = BitCopy<Bits>(key);
  static_assert(ShapeCache::BlockSlots == 1 << 4);
  bool found;
  ShapeCache::BlockEntry* e = Probe(
      cache.blocks, cache.blockUsed, cache.blockCount, SlotOf(bits[0], bits[1], 4),
      [&bits](const ShapeCache::BlockEntry& x) { return BitCopy<Bits>(x.columns) == bits; },
      found);
  if (found) return e->form;
  RadialBlockForm form = RadialBlockFormOf(row);
  if (e) *e = {key, form};
  return form;
}

}  // namespace

SegmentShape SegmentShapeOf(double a1, double a2) {
  SegmentShape g = ArcShapeOf(a1, a2, std::fabs(a2 - a1) / 2);
  AddSegmentFactors(g);
  return g;
}

ShapeCache::ArcEntry& CachedArc(ShapeCache& cache, double a1, double a2, bool segmentFactors) {
  const auto k1 = BitCopy<std::uint64_t>(a1), k2 = BitCopy<std::uint64_t>(a2);
  static_assert(ShapeCache::ArcSlots == 1 << 8);
  auto same = [k1, k2](const ShapeCache::ArcEntry& x) {
    return BitCopy<std::uint64_t>(x.a1) == k1 && BitCopy<std::uint64_t>(x.a2) == k2;
  };
  bool found;
  ShapeCache::ArcEntry* e =
      Probe(cache.arcs, cache.arcUsed, cache.arcCount, SlotOf(k1, k2, 8), same, found);
  if (!e) {
    e = &cache.spare;
    found = cache.spareUsed && same(cache.spare);
    cache.spareUsed = true;
  }
  if (!found) {
    e->a1 = a1;
    e->a2 = a2;
    SetArcShape(e->shape, a1, a2, std::fabs(a2 - a1) / 2);
    e->sized = ShapeCache::NoTerms;
  }
  if (segmentFactors && !e->shape.segment) AddSegmentFactors(e->shape);
  return *e;
}

double ParallelLineAngle(double w, double rad) {
  if (w == 0) return 0;
  double aw = std::fabs(w);
  if (aw >= rad) return Sign(w) * Pi / 2;
  return Sign(w) * std::atan(aw / std::sqrt(rad * rad - w * w));
}

RadialBlockOutline RadialBlockOutlineOf(const ParamRow& row, ShapeCache* cache) {
  const RadialBlockForm form = cache ? CachedRadialBlockForm(*cache, row) : RadialBlockFormOf(row);
  const RadialBlockView b(row);
  RadialBlockOutline k;
  k.xc = b.centreX();
  k.yc = b.centreY();
  k.angle = form.angle;
  k.w = form.w;
  k.r = form.r;
  k.rho = form.rho;
  k.o1 = form.o1;
  k.o2 = form.o2;
  k.i1 = form.i1;
  k.i2 = form.i2;
  auto at = [&k](PlanePoint d) { return PlanePoint{k.xc + d.x, k.yc + d.y}; };
  k.p1 = at(form.p1);
  k.p2 = at(form.p2);
  k.q1 = at(form.q1);
  k.q2 = at(form.q2);
  k.foot = form.foot;
  k.f = k.foot ? at(form.f) : PlanePoint{k.xc, k.yc};
  return k;
}

ArcSegmentOutline ArcSegmentOutlineOf(const ParamRow& row, ShapeCache* cache) {
  const ArcSegmentView v(row);
  ArcSegmentOutline o;
  o.fullRing = false;
  o.sign = o.tau = o.rho = 0;
  o.xc = v.centreX();
  o.yc = v.centreY();
  o.r = v.radius();
  const double t = v.thickness();
  if (v.thickness() < 0) {
    // The typed order decides the arc; whole turns in either angle do not.
    const DegreePair d = ChordAnglesWithoutWholeTurns(v.angle1(), v.angle2());
    o.a1 = d.a1 * DegToRad;
    o.a2 = d.a2 * DegToRad;
    if (o.a2 < o.a1) std::swap(o.a1, o.a2);
    o.sign = v.sign();
    o.shape = cache ? CachedArc(*cache, o.a1, o.a2, true).shape : SegmentShapeOf(o.a1, o.a2);
    bool counts = o.shape.k1 != 0 && o.sign != 0 && o.r != 0;
    o.form = counts ? ArcSegmentForm::CircularSegment : ArcSegmentForm::Empty;
    return o;
  }
  if (!(o.r > 0)) {
    o.form = ArcSegmentForm::Empty;  // no radius, no area
    o.shape = {};
    return o;
  }
  o.form = ArcSegmentForm::AnnularSector;
  o.tau = t / o.r;
  if (o.tau == 0) o.tau = 1;  // t = 0: the sector reaches the centre
  // A thickness beyond the centre cannot add material: it is the full sector.
  o.tau = std::clamp(o.tau, 0.0, 1.0);
  o.rho = o.tau < 1 ? o.r - t : 0;
  // The angles are directions. Within a turn of each other and of 0 they are taken
  // as they are; otherwise a1 becomes a direction in [0, 360) and a2 lies the span
  // from a1 to a2, whole turns taken off, ahead of it.
  double d1 = v.angle1(), d2 = v.angle2();
  if (!(std::fabs(d1) < 360 && std::fabs(d2) < 360 && std::fabs(d2 - d1) < 360)) {
    const double span = DirectionDegrees(WithoutWholeTurns(d2) - WithoutWholeTurns(d1));
    d1 = DirectionDegrees(d1);
    d2 = d1 + span;
  }
  o.a1 = d1 * DegToRad;
  o.a2 = d2 * DegToRad;
  if (o.a2 == o.a1) {
    o.fullRing = true;
    o.a2 = o.a1 + TwoPi;
  } else if (o.a2 < o.a1) {
    o.a1 -= TwoPi;  // the arc runs counter-clockwise from a1 to a2
  }
  o.shape = cache ? CachedArc(*cache, o.a1, o.a2, false).shape
                  : ArcShapeOf(o.a1, o.a2, (o.a2 - o.a1) / 2);
  return o;
}
