#include "model/pieces.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/platform.h"
#include "util/numeric.h"

namespace {

// Adds a piece of area a and centroid (cx, cy) with own moments about its centroid.
void AddPiece(SectionProps& p, double a, double cx, double cy, double ixx, double iyy,
              double ixy) {
  p[1] += a;
  p[2] += a * cx;
  p[3] += a * cy;
  p[4] += a * cx * cx;
  p[5] += a * cy * cy;
  p[6] += a * cx * cy;
  p[7] += ixx;
  p[8] += iyy;
  p[9] += ixy;
}

}  // namespace

double ParallelLineAngle(double w, double rad) {
  if (w == 0) return 0;
  double aw = std::fabs(w);
  if (aw >= rad) return Sign(w) * Pi / 2;
  return Sign(w) * std::atan(aw / std::sqrt(rad * rad - w * w));
}

void EdgeTerm(SectionProps& p, double x1, double y1, double x2, double y2) {
  double a = (x1 * y2 - x2 * y1) / 2;
  double cx = (x1 + x2) / 3;
  double cy = (y1 + y2) / 3;
  double dx = x2 - x1;
  double dy = y2 - y1;
  AddPiece(p, a, cx, cy, (a / 8) * (cy * cy + dy * dy / 3), (a / 8) * (cx * cx + dx * dx / 3),
           (a / 8) * (cx * cy + dx * dy / 3));
}

void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1,
                 double a2) {
  double m = (a1 + a2) / 2;
  double alpha = std::fabs(a2 - a1) / 2;
  double S = std::sin(alpha);
  double C = std::cos(alpha);
  // Both factors are held in single precision, as stored results have always been.
  double k1 = static_cast<float>(alpha - S * C);
  double k2 = static_cast<float>(2 * C * S * S * S);
  if (k1 == 0) {
    if (r != 0) PlatformMessageBox("Error calculating chord segment", "Chord Segment", MsgIconError);
    return;
  }
  double d = (2.0 / 3.0) * S * S * S / k1 * r;
  double cx = xc + d * std::cos(m);
  double cy = yc + d * std::sin(m);
  double r4 = r * r * r * r;
  double is = r4 * (3 * k1 - k2) / 12;
  double ip = r4 * (k1 + k2 - (16.0 / 9.0) * std::pow(S, 6) / k1) / 4;
  if (std::fabs(ip) > std::fabs(is)) std::swap(is, ip);
  double a = s * r * r * k1;
  double mean = (is + ip) / 2;
  double diff = (is - ip) / 2;
  AddPiece(p, a, cx, cy, s * (mean + diff * std::cos(2 * m)), s * (mean - diff * std::cos(2 * m)),
           -s * diff * std::sin(2 * m));
}

void AnnulusTerm(SectionProps& p, const ParamRow& row) {
  double xc = row.c[1], yc = row.c[2], r = row.c[3];
  double a1 = row.c[4] * DegToRad, a2 = row.c[5] * DegToRad, t = row.c[6];
  if (!(r > 0)) return;  // no radius, no area
  double tau = t / r;
  if (tau == 0) tau = 1;  // t = 0: the sector reaches the centre
  // A thickness beyond the centre cannot add material: it is the full sector.
  tau = std::clamp(tau, 0.0, 1.0);
  if (a2 == a1) {
    a2 = a1 + TwoPi;  // a full ring
  } else if (a2 < a1) {
    a1 -= TwoPi;  // the arc runs counter-clockwise from a1 to a2
  }
  double alpha = (a2 - a1) / 2;
  double m = (a1 + a2) / 2;
  double S = std::sin(alpha);
  double C = std::cos(alpha);
  double d = (2 * r * S / (3 * alpha)) * ((1 - tau) + 1 / (2 - tau));
  double cx = xc + d * std::cos(m);
  double cy = yc + d * std::sin(m);
  double a = r * r * alpha * (2 * tau - tau * tau);
  double f = 1 - 1.5 * tau + tau * tau - tau * tau * tau / 4;
  double r4 = r * r * r * r;
  double is = r4 * tau * f * (alpha - C * S);
  double ip = r4 * tau *
              ((alpha + C * S - 2 * S * S / alpha) * f +
               (tau * S) * (tau * S) * (1 - tau + tau * tau / 6) / (3 * alpha * (2 - tau)));
  double mean = (is + ip) / 2;
  double diff = (is - ip) / 2;
  p = {};
  AddPiece(p, a, cx, cy, mean + diff * std::cos(2 * m), mean - diff * std::cos(2 * m),
           -diff * std::sin(2 * m));
}

void RadialBlockTerm(SectionProps& p, const ParamRow& row) {
  double xc = row.c[1], yc = row.c[2], r = row.c[3];
  double b = row.c[4] * DegToRad, w = row.c[5], t = row.c[6];
  // Outer arc, its end angles held in single precision.
  double o1 = static_cast<float>(b);
  double o2 = static_cast<float>(b + ParallelLineAngle(w, r));
  if (o2 < o1) std::swap(o1, o2);
  double p1x = xc + r * std::cos(o1), p1y = yc + r * std::sin(o1);
  double p2x = xc + r * std::cos(o2), p2y = yc + r * std::sin(o2);
  SegmentTerm(p, +1, xc, yc, r, o1, o2);
  // Inner arc; a thickness beyond the centre leaves no inner arc.
  double rho = std::max(r - t, 0.0);
  double i1 = static_cast<float>(b);
  double i2 = static_cast<float>(b + ParallelLineAngle(w, rho));
  if (i2 < i1) std::swap(i1, i2);
  double q1x = xc + rho * std::cos(i1), q1y = yc + rho * std::sin(i1);
  double q2x = xc + rho * std::cos(i2), q2y = yc + rho * std::sin(i2);
  SegmentTerm(p, -1, xc, yc, rho, i1, i2);
  // Outline Q1 -> P1 -> P2 -> Q2 -> Q1. When the parallel line passes outside the
  // inner circle, the block runs along it down to the foot F of the perpendicular
  // from the centre (the inner arc is then a quarter turn); F joins the outline
  // between the outer and inner points on w's side (P2, Q2 for w > 0; after the
  // exchange of angles, Q1, P1 for w < 0).
  bool foot = std::fabs(w) > rho;
  double reach = std::min(std::fabs(w), r) * Sign(w);
  double fx = xc - reach * std::sin(b), fy = yc + reach * std::cos(b);
  if (foot && w < 0) {
    EdgeTerm(p, q1x, q1y, fx, fy);
    EdgeTerm(p, fx, fy, p1x, p1y);
  } else {
    EdgeTerm(p, q1x, q1y, p1x, p1y);
  }
  EdgeTerm(p, p1x, p1y, p2x, p2y);
  if (foot && w > 0) {
    EdgeTerm(p, p2x, p2y, fx, fy);
    EdgeTerm(p, fx, fy, q2x, q2y);
  } else {
    EdgeTerm(p, p2x, p2y, q2x, q2y);
  }
  EdgeTerm(p, q2x, q2y, q1x, q1y);
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
  const Section& sec = Table.sections[s];
  const Node& pn = Table.nodes[n];
  const Node& bn = Table.nodes[n == sec.firstNode ? sec.lastNode : n - 1];
  const Node& fn = Table.nodes[n == sec.lastNode ? sec.firstNode : n + 1];
  double px = pn.x, py = pn.y;
  double bx = bn.x - px, by = bn.y - py;
  double fx = fn.x - px, fy = fn.y - py;
  Polar back = ToPolar(bx, by);
  Polar fore = ToPolar(fx, fy);
  double theta = std::fabs(back.angle - fore.angle);
  if (theta > Pi) theta = TwoPi - theta;
  double h = theta / 2;
  // Edges folding back on each other or running straight on: no fillet.
  if (h == 0 || h == Pi / 2 || back.length == 0 || fore.length == 0) return;
  double q = r / std::tan(h);
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
  row.c = {static_cast<float>(g),          static_cast<float>(cx),
           static_cast<float>(cy),         static_cast<float>(r),
           static_cast<float>(psi1 / DegToRad), static_cast<float>(psi2 / DegToRad),
           static_cast<float>(t1x),        static_cast<float>(t1y),
           static_cast<float>(t2x),        static_cast<float>(t2y)};
}
