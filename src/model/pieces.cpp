#include "model/pieces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/platform.h"
#include "util/bits.h"
#include "util/numeric.h"

namespace {

// A segment's terms: d = (2/3)·S³/k1·r; Is = r⁴·(3·k1 − k2)/12 about the symmetry
// line; Ip = r⁴·(k1 + k2 − (16/9)·S⁶/k1)/4 across it. The shape has area (k1 != 0).
OwnTerms SegmentOwnTerms(double s, double r, const SegmentShape& g) {
  double d = g.centroidOverR * r;
  double r4 = r * r * r * r;
  double is = r4 * g.aboutFactor / 12;
  double ip = r4 * g.acrossFactor / 4;
  if (std::fabs(ip) > std::fabs(is)) std::swap(is, ip);
  double a = s * r * r * g.k1;
  double mean = (is + ip) / 2;
  double diff = (is - ip) / 2;
  return {a, d, s * (mean + diff * g.cos2M), s * (mean - diff * g.cos2M), -s * diff * g.sin2M};
}

OwnTerms SectorOwnTerms(double r, double tau, const SegmentShape& g) {
  const double alpha = g.alpha, S = g.S, C = g.C;
  double d = (2 * r * S / (3 * alpha)) * ((1 - tau) + 1 / (2 - tau));
  double a = r * r * alpha * (2 * tau - tau * tau);
  double f = 1 - 1.5 * tau + tau * tau - tau * tau * tau / 4;
  double r4 = r * r * r * r;
  double is = r4 * tau * f * (alpha - C * S);
  double ip = r4 * tau *
              ((alpha + C * S - 2 * S * S / alpha) * f +
               (tau * S) * (tau * S) * (1 - tau + tau * tau / 6) / (3 * alpha * (2 - tau)));
  double mean = (is + ip) / 2;
  double diff = (is - ip) / 2;
  return {a, d, mean + diff * g.cos2M, mean - diff * g.cos2M, -diff * g.sin2M};
}

// Adds the piece with its centroid at distance d from (xc, yc) along the shape's
// symmetry line.
void AddOwnTerms(SectionProps& p, const OwnTerms& t, double xc, double yc, const SegmentShape& g) {
  AddPiece(p, t.a, xc + t.d * g.cosM, yc + t.d * g.sinM, t.ixx, t.iyy, t.ixy);
}

bool SameBits(double a, double b) {
  return BitCopy<std::uint64_t>(a) == BitCopy<std::uint64_t>(b);
}

// The entry's terms for this size, worked out unless they are the last ones.
const OwnTerms& SizedTerms(ShapeCache::ArcEntry& e, ShapeCache::Sized kind, double size1,
                           double size2) {
  if (e.sized != kind || !SameBits(e.size1, size1) || !SameBits(e.size2, size2)) {
    e.terms = kind == ShapeCache::SegmentTerms ? SegmentOwnTerms(size1, size2, e.shape)
                                               : SectorOwnTerms(size1, size2, e.shape);
    e.sized = kind;
    e.size1 = size1;
    e.size2 = size2;
  }
  return e.terms;
}

bool ReportsNoArea(const SegmentShape& g, double r) {
  if (g.k1 != 0) return false;
  if (r != 0) PlatformMessageBox("Error calculating chord segment", "Chord Segment", MsgIconError);
  return true;
}

}  // namespace

void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1,
                 double a2) {
  SegmentTerm(p, s, xc, yc, r, SegmentShapeOf(a1, a2));
}

void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 const SegmentShape& g) {
  if (ReportsNoArea(g, r)) return;
  AddOwnTerms(p, SegmentOwnTerms(s, r, g), xc, yc, g);
}

void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 ShapeCache::ArcEntry& arc) {
  if (ReportsNoArea(arc.shape, r)) return;
  AddOwnTerms(p, SizedTerms(arc, ShapeCache::SegmentTerms, s, r), xc, yc, arc.shape);
}

void AnnulusTerm(SectionProps& p, const ArcSegmentOutline& o, ShapeCache* cache) {
  if (o.form != ArcSegmentForm::AnnularSector) return;  // no radius, no area
  p = {};
  if (cache) {
    ShapeCache::ArcEntry& arc = CachedArc(*cache, o.a1, o.a2, false);
    AddOwnTerms(p, SizedTerms(arc, ShapeCache::SectorTerms, o.r, o.tau), o.xc, o.yc, arc.shape);
  } else {
    AddOwnTerms(p, SectorOwnTerms(o.r, o.tau, o.shape), o.xc, o.yc, o.shape);
  }
}

void RadialBlockTerm(SectionProps& p, const RadialBlockOutline& k, ShapeCache* cache) {
  if (cache) {
    SegmentTerm(p, +1, k.xc, k.yc, k.r, CachedArc(*cache, k.o1, k.o2, true));
    SegmentTerm(p, -1, k.xc, k.yc, k.rho, CachedArc(*cache, k.i1, k.i2, true));
  } else {
    SegmentTerm(p, +1, k.xc, k.yc, k.r, SegmentShapeOf(k.o1, k.o2));
    SegmentTerm(p, -1, k.xc, k.yc, k.rho, SegmentShapeOf(k.i1, k.i2));
  }
  if (k.foot && k.w < 0) {
    EdgeTerm(p, k.q1.x, k.q1.y, k.f.x, k.f.y);
    EdgeTerm(p, k.f.x, k.f.y, k.p1.x, k.p1.y);
  } else {
    EdgeTerm(p, k.q1.x, k.q1.y, k.p1.x, k.p1.y);
  }
  EdgeTerm(p, k.p1.x, k.p1.y, k.p2.x, k.p2.y);
  if (k.foot && k.w > 0) {
    EdgeTerm(p, k.p2.x, k.p2.y, k.f.x, k.f.y);
    EdgeTerm(p, k.f.x, k.f.y, k.q2.x, k.q2.y);
  } else {
    EdgeTerm(p, k.p2.x, k.p2.y, k.q2.x, k.q2.y);
  }
  EdgeTerm(p, k.q2.x, k.q2.y, k.q1.x, k.q1.y);
}

namespace {

// A polygon node's corner: the node, the edges back to the previous node and on to
// the next one (from the node), and half the angle between them. No fillet is made
// where the edges fold back on each other or run straight on.
struct FilletCorner {
  double px, py, bx, by, fx, fy;
  Polar back, fore;
  double h;
  int backNode, foreNode;
  bool takesFillet;
};

FilletCorner CornerAt(int n, const Section& sec) {
  FilletCorner c;
  c.backNode = n == sec.firstNode ? sec.lastNode : n - 1;
  c.foreNode = n == sec.lastNode ? sec.firstNode : n + 1;
  const Node& pn = Table.nodes[n];
  const Node& bn = Table.nodes[c.backNode];
  const Node& fn = Table.nodes[c.foreNode];
  c.px = pn.x, c.py = pn.y;
  c.bx = bn.x - c.px, c.by = bn.y - c.py;
  c.fx = fn.x - c.px, c.fy = fn.y - c.py;
  c.back = ToPolar(c.bx, c.by);
  c.fore = ToPolar(c.fx, c.fy);
  double theta = std::fabs(c.back.angle - c.fore.angle);
  if (theta > Pi) theta = TwoPi - theta;
  c.h = theta / 2;
  c.takesFillet = !(c.h == 0 || c.h == Pi / 2 || c.back.length == 0 || c.fore.length == 0);
  return c;
}

double TangentLength(double r, const FilletCorner& c) {
  return c.takesFillet ? r / std::tan(c.h) : 0;
}

}  // namespace

double TangentLength(double r, int n) {
  const int s = SectionOfPoint(n);
  if (s == 0 || r == 0) return 0;
  return TangentLength(r, CornerAt(n, Table.sections[s]));
}

bool FilletFits(double r, int n) {
  if (r == 0) return true;
  if (!(r > 0) || !std::isfinite(r)) return false;
  const int s = SectionOfPoint(n);
  if (s == 0) return true;
  const FilletCorner c = CornerAt(n, Table.sections[s]);
  const double q = TangentLength(r, c);
  if (q == 0) return true;
  // Each edge holds this tangent length and that of the fillet at its other end. The
  // slack lets fillets that meet exactly (two quarter circles across a flat end) fit
  // despite rounding.
  auto fitsEdge = [&](int other, double length) {
    const double used = q + std::max(0.0, TangentLength(FilletView(Table.params[other]).radius(), other));
    return used <= length * (1 + 1e-6);
  };
  return fitsEdge(c.backNode, c.back.length) && fitsEdge(c.foreNode, c.fore.length);
}

void SetFillet(double r, int n) {
  ParamRow& row = Table.params[n];
  int s = SectionOfPoint(n);
  if (s == 0) return;
  Table.CurrentSection = s;
  if (r == 0) {
    row.c = {};
    return;
  }
  const FilletCorner c = CornerAt(n, Table.sections[s]);
  if (!c.takesFillet) return;
  const double px = c.px, py = c.py, bx = c.bx, by = c.by, fx = c.fx, fy = c.fy, h = c.h;
  const Polar &back = c.back, &fore = c.fore;
  double q = TangentLength(r, c);
  double t1x = px + (q / back.length) * bx, t1y = py + (q / back.length) * by;
  double t2x = px + (q / fore.length) * fx, t2y = py + (q / fore.length) * fy;
  double k = std::sqrt(1 + (r / q) * (r / q)) / std::cos(h);
  double mx = (t1x + t2x) / 2, my = (t1y + t2y) / 2;
  double cx = px + (mx - px) * k, cy = py + (my - py) * k;
  double psi1 = ToPolar(t1x - cx, t1y - cy).angle;
  double psi2 = ToPolar(t2x - cx, t2y - cy).angle;
  if (psi2 < psi1) std::swap(psi1, psi2);
  if (psi2 - psi1 >= Pi) {
    std::swap(psi1, psi2);
    psi1 -= TwoPi;
  }
  double g = Sign((t2y - t1y) * (t1x - cx) - (t2x - t1x) * (t1y - cy));
  const FilletView f(row);
  f.sign() = static_cast<float>(g);
  f.centreX() = static_cast<float>(cx);
  f.centreY() = static_cast<float>(cy);
  f.radius() = static_cast<float>(r);
  f.angle1() = static_cast<float>(psi1 / DegToRad);
  f.angle2() = static_cast<float>(psi2 / DegToRad);
  f.tangent1X() = static_cast<float>(t1x);
  f.tangent1Y() = static_cast<float>(t1y);
  f.tangent2X() = static_cast<float>(t2x);
  f.tangent2Y() = static_cast<float>(t2y);
}
