#include "view/section_drawing.h"

#include <algorithm>
#include <cmath>

#include "model/properties.h"
#include "model/section_table.h"
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

double Sign(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

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

WorldPoint DrawRadialBlock(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const ParamRow& row = Table.params[sec.firstNode];
  Centre o = CentreOf(row);
  double r = row.c[3], alpha = row.c[4] * DegToRad, w = row.c[5], t = row.c[6];

  double b = alpha + RadialBlockSpan(r, w);
  double lo = std::min(alpha, b), hi = std::max(alpha, b);
  WorldPoint a1 = o.At(r, lo), b1 = o.At(r, hi);
  canvas.Arc({o.xc, o.yc}, r, lo, hi, style.colour);

  double rho2 = r - t;
  double b2 = alpha + RadialBlockSpan(rho2, w);
  double lo2 = std::min(alpha, b2), hi2 = std::max(alpha, b2);
  WorldPoint a2 = o.At(rho2, lo2), b2p = o.At(rho2, hi2);
  canvas.Arc({o.xc, o.yc}, rho2, lo2, hi2, style.colour);

  canvas.Line(a2, a1, style.colour);
  canvas.Line(b2p, b1, style.colour);
  canvas.SetPixel(a1, style.colour);
  canvas.SetPixel(b1, style.colour);
  Label(canvas, style, a2, sec.firstNode);
  return o.At(rho2 + t / 2, (lo2 + hi2) / 2);
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

double RadialBlockSpan(double rho, double w) {
  return Sign(w) * std::atan(std::sqrt(rho * rho - w * w) / std::fabs(w));
}

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
      double r = row.c[3], alpha = row.c[4] * DegToRad, w = row.c[5], t = row.c[6];
      add(o.At(r, alpha));
      add(o.At(r, alpha + RadialBlockSpan(r, w)));
      add(o.At(r - t, alpha));
      add(o.At(r - t, alpha + RadialBlockSpan(r - t, w)));
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
