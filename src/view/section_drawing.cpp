#include "view/section_drawing.h"

#include <algorithm>
#include <cmath>

#include "model/pieces.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "util/numeric.h"
#include "view/polygon_seed.h"

namespace {

struct Centre {
  double xc, yc;
  WorldPoint At(double rho, double theta) const {
    return {xc + rho * std::cos(theta), yc + rho * std::sin(theta)};
  }
};

Centre CentreOf(const ParamRow& row) { return {row.c[1], row.c[2]}; }
WorldPoint NodePoint(int k) { return {Table.nodes[k].x, Table.nodes[k].y}; }

// Counter-clockwise span from a1 to a2 as the canvas draws it, in (0, 2π]; equal
// angles are the whole circle.
double DrawnSpan(double a1, double a2) {
  double span = std::fmod(a2 - a1, TwoPi);
  if (span <= 0) span += TwoPi;
  return span;
}

void Label(Canvas& canvas, const SectionStyle& style, WorldPoint p, int number) {
  if (style.numbers) canvas.Text(p, NumberText(number));
}

WorldPoint DrawPolygon(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const bool closed = (sec.flags & Complete) != 0;
  const bool edges = sec.lastNode > sec.firstNode;
  for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
    const ParamRow& row = Table.params[i];
    WorldPoint p = NodePoint(i);
    int next = i < sec.lastNode ? i + 1 : (closed ? sec.firstNode : 0);
    if (row.c[3] != 0) {
      p = {row.c[8], row.c[9]};
      canvas.Arc({row.c[1], row.c[2]}, row.c[3], row.c[4] * DegToRad, row.c[5] * DegToRad,
                 style.colour);
    }
    if (next != 0 && edges) {
      const ParamRow& qrow = Table.params[next];
      WorldPoint q = qrow.c[3] != 0 ? WorldPoint{qrow.c[6], qrow.c[7]} : NodePoint(next);
      canvas.Line(p, q, style.colour);
      canvas.SetPixel(q, style.colour);
    }
    Label(canvas, style, NodePoint(i), i);
  }
  return PolygonSeed(s);
}

WorldPoint DrawCircle(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const ParamRow& row = Table.params[sec.firstNode];
  Centre o = CentreOf(row);
  double r = row.c[3];
  canvas.Circle({o.xc, o.yc}, r, style.colour);
  Label(canvas, style, {o.xc + r, o.yc}, sec.firstNode);
  return {o.xc, o.yc};
}

void DrawMergeData(Canvas& canvas, int s, const SectionStyle& style, const ViewExtent& e) {
  const Section& sec = Table.sections[s];
  const ParamRow& row = Table.params[sec.firstNode];
  Centre o = CentreOf(row);
  double rho = std::max(e.xmax - e.xmin, e.ymax - e.ymin) / 40;
  canvas.Circle({o.xc, o.yc}, rho, Black);
  if (style.numbers) {
    CellExtent cell = canvas.CellSize();
    canvas.Text({o.xc - 2 * cell.width, o.yc + cell.height / 2}, NumberText(sec.firstNode));
  }
}

// The corners of a radial block: the block lies between the radial line at angle
// alpha and the line parallel to it at distance |w| (on w's side), and between the
// circles of radius r and rho2. When the parallel line misses the inner circle the
// outline runs along it to the foot of the perpendicular from the centre, as the
// property calculation takes it.
struct RadialCorners {
  Centre o;
  double alpha, w, r, rho2;
  double lo, hi, lo2, hi2;  // outer and inner arc angles, ascending
  WorldPoint a1, b1, a2, b2;
  bool foot;
  WorldPoint f;
};

RadialCorners RadialBlockCorners(const ParamRow& row) {
  RadialCorners k;
  k.o = CentreOf(row);
  k.r = row.c[3];
  k.alpha = row.c[4] * DegToRad;
  k.w = row.c[5];
  k.rho2 = std::max(k.r - static_cast<double>(row.c[6]), 0.0);
  double b = k.alpha + ParallelLineAngle(k.w, k.r);
  k.lo = std::min(k.alpha, b);
  k.hi = std::max(k.alpha, b);
  k.a1 = k.o.At(k.r, k.lo);
  k.b1 = k.o.At(k.r, k.hi);
  double b2 = k.alpha + ParallelLineAngle(k.w, k.rho2);
  k.lo2 = std::min(k.alpha, b2);
  k.hi2 = std::max(k.alpha, b2);
  k.a2 = k.o.At(k.rho2, k.lo2);
  k.b2 = k.o.At(k.rho2, k.hi2);
  k.foot = std::fabs(k.w) > k.rho2;
  double reach = std::min(std::fabs(k.w), k.r) * Sign(k.w);
  k.f = {k.o.xc - reach * std::sin(k.alpha), k.o.yc + reach * std::cos(k.alpha)};
  return k;
}

WorldPoint DrawRadialBlock(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  RadialCorners k = RadialBlockCorners(Table.params[sec.firstNode]);
  WorldPoint centre{k.o.xc, k.o.yc};
  // A block of width 0 has no arc (equal angles would draw the whole circle).
  if (k.hi > k.lo) canvas.Arc(centre, k.r, k.lo, k.hi, style.colour);
  if (k.hi2 > k.lo2) canvas.Arc(centre, k.rho2, k.lo2, k.hi2, style.colour);
  auto side = [&](WorldPoint inner, WorldPoint outer, bool viaFoot) {
    if (viaFoot) {
      canvas.Line(inner, k.f, style.colour);
      canvas.Line(k.f, outer, style.colour);
    } else {
      canvas.Line(inner, outer, style.colour);
    }
  };
  side(k.a2, k.a1, k.foot && k.w < 0);
  side(k.b2, k.b1, k.foot && k.w > 0);
  canvas.SetPixel(k.a1, style.colour);
  canvas.SetPixel(k.b1, style.colour);
  Label(canvas, style, k.a2, sec.firstNode);
  // Seed half-way through the ring's thickness and half-way across the width,
  // which is inside the block whatever its proportions.
  double rho = k.rho2 + (k.r - k.rho2) / 2;
  double across = rho > 0 ? std::min(1.0, std::fabs(k.w) / 2 / rho) : 0;
  return k.o.At(rho, k.alpha + Sign(k.w) * std::asin(across));
}

WorldPoint DrawArcSegment(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const ParamRow& row = Table.params[sec.firstNode];
  Centre o = CentreOf(row);
  double r = row.c[3], a1 = row.c[4] * DegToRad, a2 = row.c[5] * DegToRad, t = row.c[6];
  // The seed lies half-way round the arc as drawn (counter-clockwise from a1 to a2),
  // so that a1 > a2 still seeds inside the piece.
  double span = DrawnSpan(a1, a2);

  WorldPoint A1 = o.At(r, a1), B1 = o.At(r, a2);
  canvas.Arc({o.xc, o.yc}, r, a1, a2, style.colour);
  double seedRadius;
  if (t < 0) {
    canvas.Line(A1, B1, style.colour);
    canvas.SetPixel(B1, style.colour);
    double rise = r * (1 - std::cos(span / 2));
    seedRadius = r - rise / 2;
    // A circular segment is numbered at the start of its chord.
    Label(canvas, style, A1, sec.firstNode);
  } else {
    WorldPoint A2{o.xc, o.yc}, B2{o.xc, o.yc};
    if (t > 0) {
      double rho2 = r - t;
      canvas.Arc({o.xc, o.yc}, rho2, a1, a2, style.colour);
      A2 = o.At(rho2, a1);
      B2 = o.At(rho2, a2);
      seedRadius = rho2 + t / 2;
    } else {
      seedRadius = r / 2;
    }
    Label(canvas, style, A2, sec.firstNode);
    canvas.Line(A2, A1, style.colour);
    canvas.Line(B2, B1, style.colour);
    canvas.SetPixel(A1, style.colour);
    canvas.SetPixel(B1, style.colour);
  }
  return o.At(seedRadius, a1 + span / 2);
}

}  // namespace

std::string NumberText(int n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

void ExtendByPoint(ViewExtent& e, double x, double y) {
  // Comparisons leave out points that are not numbers (a radial block whose cut
  // line misses its inner circle).
  if (x < e.xmin) e.xmin = x;
  if (x > e.xmax) e.xmax = x;
  if (y < e.ymin) e.ymin = y;
  if (y > e.ymax) e.ymax = y;
}

void ExtendBySection(ViewExtent& e, int s) {
  const Section& sec = Table.sections[s];
  const ParamRow& row = Table.params[sec.firstNode];
  Centre o = CentreOf(row);
  auto add = [&e](WorldPoint p) { ExtendByPoint(e, p.x, p.y); };
  auto square = [&](double r) {
    ExtendByPoint(e, o.xc - r, o.yc - r);
    ExtendByPoint(e, o.xc + r, o.yc + r);
  };
  switch (KindOf(sec)) {
    case SectionKind::Polygon:
      for (int k = sec.firstNode; k <= sec.lastNode; ++k) add(NodePoint(k));
      break;
    case SectionKind::Circle:
      square(row.c[3]);
      break;
    case SectionKind::ArcSegment: {
      double r = row.c[3], a1 = row.c[4] * DegToRad, a2 = row.c[5] * DegToRad, t = row.c[6];
      double ri = (t > 0 && t <= r) ? r - t : (t == 0 ? 0 : r);
      if (a1 < a2 && a2 < a1 + Pi) {
        add(o.At(r, a1));
        add(o.At(r, a2));
        add(o.At(ri, a1));
        add(o.At(ri, a2));
      } else {
        square(r);
      }
      break;
    }
    case SectionKind::RadialBlock: {
      RadialCorners k = RadialBlockCorners(row);
      for (WorldPoint p : {k.a1, k.b1, k.a2, k.b2}) add(p);
      if (k.foot) add(k.f);
      break;
    }
    case SectionKind::MergeData:
      break;
  }
}

bool DrawSection(Canvas& canvas, int s, const SectionStyle& style, const ViewExtent& extent,
                 WorldPoint& seed) {
  switch (KindOf(Table.sections[s])) {
    case SectionKind::Polygon: seed = DrawPolygon(canvas, s, style); break;
    case SectionKind::Circle: seed = DrawCircle(canvas, s, style); break;
    case SectionKind::ArcSegment: seed = DrawArcSegment(canvas, s, style); break;
    case SectionKind::RadialBlock: seed = DrawRadialBlock(canvas, s, style); break;
    case SectionKind::MergeData: DrawMergeData(canvas, s, style, extent); return false;
    default: return false;  // an unknown kind from a damaged file draws nothing
  }
  if (style.filled) canvas.FloodFill(seed, style.colour);
  return true;
}

void DrawPrincipalAxes(Canvas& canvas, const ViewExtent& e) {
  double d = std::max(e.xmax - e.xmin, e.ymax - e.ymin) / 10;
  const PropertySet& p = Calc.props;
  double theta = p.angle * DegToRad;
  for (int axis = 0; axis < 2; ++axis, theta += Pi / 2) {
    double ex = d * std::cos(theta), ey = d * std::sin(theta);
    WorldPoint plus{p.xBar + ex, p.yBar + ey}, minus{p.xBar - ex, p.yBar - ey};
    canvas.Line(minus, plus, Black);
    if (axis == 0) {
      canvas.Text(plus, "p");
      canvas.Text(minus, "p");
    }
  }
}
