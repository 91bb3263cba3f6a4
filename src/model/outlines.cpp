#include "model/outlines.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "util/numeric.h"

SegmentShape SegmentShapeOf(double a1, double a2) {
  SegmentShape g;
  g.m = (a1 + a2) / 2;
  g.alpha = std::fabs(a2 - a1) / 2;
  g.S = std::sin(g.alpha);
  g.C = std::cos(g.alpha);
  // Both factors are held in single precision, as stored results have always been.
  g.k1 = static_cast<float>(g.alpha - g.S * g.C);
  g.k2 = static_cast<float>(2 * g.C * g.S * g.S * g.S);
  return g;
}

double ParallelLineAngle(double w, double rad) {
  if (w == 0) return 0;
  double aw = std::fabs(w);
  if (aw >= rad) return Sign(w) * Pi / 2;
  return Sign(w) * std::atan(aw / std::sqrt(rad * rad - w * w));
}

RadialBlockOutline RadialBlockOutlineOf(const ParamRow& row) {
  RadialBlockOutline k;
  k.xc = row.c[1];
  k.yc = row.c[2];
  k.r = row.c[3];
  k.angle = row.c[4] * DegToRad;
  k.w = row.c[5];
  // A thickness beyond the centre leaves no inner arc.
  k.rho = std::max(k.r - static_cast<double>(row.c[6]), 0.0);
  // Both arcs start on the radial line; their angles are held in single precision,
  // so the radial line's end is the same angle on both arcs.
  const double base = static_cast<float>(k.angle);
  const double outer = static_cast<float>(k.angle + ParallelLineAngle(k.w, k.r));
  const double inner = static_cast<float>(k.angle + ParallelLineAngle(k.w, k.rho));
  const double cb = std::cos(base), sb = std::sin(base);
  const PlanePoint pb{k.xc + k.r * cb, k.yc + k.r * sb};
  const PlanePoint qb{k.xc + k.rho * cb, k.yc + k.rho * sb};
  const PlanePoint po{k.xc + k.r * std::cos(outer), k.yc + k.r * std::sin(outer)};
  const PlanePoint qi{k.xc + k.rho * std::cos(inner), k.yc + k.rho * std::sin(inner)};
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
  k.f = {k.xc, k.yc};
  if (k.foot) {
    double reach = std::min(std::fabs(k.w), k.r) * Sign(k.w);
    k.f = {k.xc - reach * std::sin(k.angle), k.yc + reach * std::cos(k.angle)};
  }
  return k;
}

ArcSegmentOutline ArcSegmentOutlineOf(const ParamRow& row) {
  ArcSegmentOutline o{};
  o.xc = row.c[1];
  o.yc = row.c[2];
  o.r = row.c[3];
  o.a1 = row.c[4] * DegToRad;
  o.a2 = row.c[5] * DegToRad;
  const double t = row.c[6];
  if (row.c[6] < 0) {
    if (o.a2 < o.a1) std::swap(o.a1, o.a2);
    o.sign = row.c[0];
    o.shape = SegmentShapeOf(o.a1, o.a2);
    bool counts = o.shape.k1 != 0 && o.sign != 0 && o.r != 0;
    o.form = counts ? ArcSegmentForm::CircularSegment : ArcSegmentForm::Empty;
    return o;
  }
  if (!(o.r > 0)) {
    o.form = ArcSegmentForm::Empty;  // no radius, no area
    return o;
  }
  o.form = ArcSegmentForm::AnnularSector;
  o.tau = t / o.r;
  if (o.tau == 0) o.tau = 1;  // t = 0: the sector reaches the centre
  // A thickness beyond the centre cannot add material: it is the full sector.
  o.tau = std::clamp(o.tau, 0.0, 1.0);
  o.rho = o.tau < 1 ? o.r - t : 0;
  if (o.a2 == o.a1) {
    o.fullRing = true;
    o.a2 = o.a1 + TwoPi;
  } else if (o.a2 < o.a1) {
    o.a1 -= TwoPi;  // the arc runs counter-clockwise from a1 to a2
  }
  return o;
}
