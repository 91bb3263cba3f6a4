#include "view/section_drawing.h"

#include <algorithm>
#include <cmath>

#include "model/outlines.h"
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

Centre CentreOf(const ParamRow& row) {
  const PieceView piece(row);
  return {piece.centreX(), piece.centreY()};
}
WorldPoint NodePoint(int k) { return {Table.nodes[k].x, Table.nodes[k].y}; }

void Label(Canvas& canvas, const SectionStyle& style, WorldPoint p, int number) {
  if (style.numbers) canvas.Text(p, NumberText(number));
}

WorldPoint DrawPolygon(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const bool closed = (sec.flags & Complete) != 0;
  const bool edges = sec.lastNode > sec.firstNode;
  for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
    WorldPoint p = NodePoint(i);
    int next = i < sec.lastNode ? i + 1 : (closed ? sec.firstNode : 0);
    const FilletView f(Table.params[i]);
    if (f.radius() != 0) {
      p = {f.tangent2X(), f.tangent2Y()};
      const ArcAngles a = f.arcRadians();
      canvas.Arc({f.centreX(), f.centreY()}, f.radius(), a.a1, a.a2, style.colour);
    }
    if (next != 0 && edges) {
      const FilletView nf(Table.params[next]);
      WorldPoint q = nf.radius() != 0 ? WorldPoint{nf.tangent1X(), nf.tangent1Y()} : NodePoint(next);
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
  double r = CircleView(row).radius();
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

WorldPoint ToWorld(PlanePoint p) { return {p.x, p.y}; }

// The block as the calculation counts it: the outer arc, the inner arc and the two
// sides, the one on w's side bent at the foot when the parallel line misses the
// inner circle.
WorldPoint DrawRadialBlock(Canvas& canvas, int s, const SectionStyle& style) {
  const Section& sec = Table.sections[s];
  const RadialBlockOutline k = RadialBlockOutlineOf(Table.params[sec.firstNode]);
  const Centre o{k.xc, k.yc};
  const WorldPoint centre{k.xc, k.yc};
  // A block of width 0 has no arc (equal angles would draw the whole circle).
  if (k.o2 > k.o1) canvas.Arc(centre, k.r, k.o1, k.o2, style.colour);
  if (k.i2 > k.i1) canvas.Arc(centre, k.rho, k.i1, k.i2, style.colour);
  auto side = [&](PlanePoint inner, PlanePoint outer, bool viaFoot) {
    if (viaFoot) {
      canvas.Line(ToWorld(inner), ToWorld(k.f), style.colour);
      canvas.Line(ToWorld(k.f), ToWorld(outer), style.colour);
    } else {
      canvas.Line(ToWorld(inner), ToWorld(outer), style.colour);
    }
  };
  side(k.q1, k.p1, k.foot && k.w < 0);
  side(k.q2, k.p2, k.foot && k.w > 0);
  canvas.SetPixel(ToWorld(k.p1), style.colour);
  canvas.SetPixel(ToWorld(k.p2), style.colour);
  Label(canvas, style, ToWorld(k.q1), sec.firstNode);
  // Seed half-way through the ring's thickness and half-way across the width,
  // which is inside the block whatever its proportions.
  double rho = k.rho + (k.r - k.rho) / 2;
  double across = rho > 0 ? std::min(1.0, std::fabs(k.w) / 2 / rho) : 0;
  return o.At(rho, k.angle + Sign(k.w) * std::asin(across));
}

// Draws the piece the calculation counts for an arc segment; false when that is
// nothing (only the number is written, at the arc's start).
bool DrawArcSegment(Canvas& canvas, int s, const SectionStyle& style, WorldPoint& seed) {
  const Section& sec = Table.sections[s];
  const ArcSegmentOutline a = ArcSegmentOutlineOf(Table.params[sec.firstNode]);
  const Centre o{a.xc, a.yc};
  const WorldPoint centre{a.xc, a.yc};
  const WorldPoint A1 = o.At(a.r, a.a1), B1 = o.At(a.r, a.a2);
  switch (a.form) {
    case ArcSegmentForm::Empty:
      Label(canvas, style, A1, sec.firstNode);
      return false;
    case ArcSegmentForm::CircularSegment: {
      canvas.Arc(centre, a.r, a.a1, a.a2, style.colour);
      canvas.Line(A1, B1, style.colour);
      canvas.SetPixel(B1, style.colour);
      // Half-way through the rise of the arc over its chord.
      double rise = a.r * (1 - a.shape.C);
      seed = o.At(a.r - rise / 2, a.shape.m);
      // A circular segment is numbered at the start of its chord.
      Label(canvas, style, A1, sec.firstNode);
      return true;
    }
    case ArcSegmentForm::AnnularSector: {
      // The canvas draws the whole circle for equal angles.
      const double end = a.fullRing ? a.a1 : a.a2;
      canvas.Arc(centre, a.r, a.a1, end, style.colour);
      WorldPoint A2 = centre, B2 = centre;
      if (a.rho > 0) {
        canvas.Arc(centre, a.rho, a.a1, end, style.colour);
        A2 = o.At(a.rho, a.a1);
        B2 = o.At(a.rho, a.a2);
      }
      Label(canvas, style, A2, sec.firstNode);
      canvas.Line(A2, A1, style.colour);
      canvas.Line(B2, B1, style.colour);
      canvas.SetPixel(A1, style.colour);
      canvas.SetPixel(B1, style.colour);
      seed = o.At(a.rho + (a.r - a.rho) / 2, (a.a1 + a.a2) / 2);
      return true;
    }
  }
  return false;
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
      square(CircleView(row).radius());
      break;
    case SectionKind::ArcSegment: {
      // The corners of the piece the drawing shows; the square when its arc spans
      // half a turn or more (or, for a sector, runs across angle 0).
      const ArcSegmentOutline a = ArcSegmentOutlineOf(row);
      double r = a.r, a1 = a.a1, a2 = a.a2;
      if (a.form == ArcSegmentForm::Empty) {
        add(o.At(r, a1));  // only the number is written there
        break;
      }
      double ri = a.form == ArcSegmentForm::CircularSegment ? r : a.rho;
      bool acrossZero = a.form == ArcSegmentForm::AnnularSector &&
                        WithoutWholeTurns(ArcSegmentView(row).angle2()) <
                            WithoutWholeTurns(ArcSegmentView(row).angle1());
      if (!acrossZero && !a.fullRing && a2 < a1 + Pi) {
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
      const RadialBlockOutline k = RadialBlockOutlineOf(row);
      for (PlanePoint p : {k.p1, k.p2, k.q1, k.q2}) add(ToWorld(p));
      if (k.foot) add(ToWorld(k.f));
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
    case SectionKind::ArcSegment:
      if (!DrawArcSegment(canvas, s, style, seed)) return false;
      break;
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
