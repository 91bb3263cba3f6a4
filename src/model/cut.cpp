#include "model/cut.h"

#include <algorithm>
#include <cmath>

#include "model/outlines.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "util/numeric.h"

namespace {

struct Emitter {
  CutModel& model;
  double m;
  bool positive;
  void Edge(double x0, double y0, double x1, double y1) {
    model.elements.push_back({false, positive, m, x0, y0, x1, y1, 0, 0, 0});
  }
  void Edge(PlanePoint a, PlanePoint b) { Edge(a.x, a.y, b.x, b.y); }
  void Arc(double xc, double yc, double r, double a0, double a1, double sign = 1) {
    model.elements.push_back({true, positive, m * sign, xc, yc, 0, 0, r, a0, a1});
  }
  // The circular segment between the arc from a1 to a2 (taken in ascending order)
  // and its chord, with sign s, as the calculation counts it: nothing when its area
  // factor is 0.
  void Segment(double s, double xc, double yc, double r, double a1, double a2) {
    if (s == 0 || r == 0) return;
    if (a2 < a1) std::swap(a1, a2);
    if (SegmentShapeOf(a1, a2).k1 == 0) return;
    const double rr = std::fabs(r);
    model.elements.push_back({true, positive, m * s, xc, yc, 0, 0, rr, a1, a2});
    model.elements.push_back({false, positive, m * s, xc + rr * std::cos(a2),
                              yc + rr * std::sin(a2), xc + rr * std::cos(a1),
                              yc + rr * std::sin(a1), 0, 0, 0});
  }
};

// The same outline as the calculation: node to node, a filleted corner cut by the
// chord between its tangent points, its segment added or removed by its sign.
void PolygonElements(Emitter& e, const Section& sec) {
  WalkPolygonOutline(
      sec,
      [&](int node, double x1, double y1, double x2, double y2) {
        const FilletView f(Table.params[node]);
        e.Edge(x1, y1, x2, y2);
        const ArcAngles a = f.arcRadians();
        e.Segment(f.sign(), f.centreX(), f.centreY(), f.radius(), a.a1, a.a2);
      },
      [&](double x1, double y1, double x2, double y2) { e.Edge(x1, y1, x2, y2); });
}

void ArcSegmentElements(Emitter& e, const ParamRow& row) {
  const ArcSegmentOutline o = ArcSegmentOutlineOf(row);
  if (o.form == ArcSegmentForm::CircularSegment) {
    e.Segment(o.sign, o.xc, o.yc, o.r, o.a1, o.a2);
    return;
  }
  if (o.form != ArcSegmentForm::AnnularSector) return;
  auto at = [&o](double rad, double a) { return PlanePoint{o.xc + rad * std::cos(a), o.yc + rad * std::sin(a)}; };
  e.Arc(o.xc, o.yc, o.r, o.a1, o.a2);
  if (!o.fullRing) e.Edge(at(o.r, o.a2), at(o.rho, o.a2));
  if (o.rho > 0) e.Arc(o.xc, o.yc, o.rho, o.a2, o.a1);
  if (!o.fullRing) e.Edge(at(o.rho, o.a1), at(o.r, o.a1));
}

// The straight-sided outline with the outer segment added and the inner removed.
void RadialBlockElements(Emitter& e, const ParamRow& row) {
  const RadialBlockOutline k = RadialBlockOutlineOf(row);
  e.Segment(+1, k.xc, k.yc, k.r, k.o1, k.o2);
  e.Segment(-1, k.xc, k.yc, k.rho, k.i1, k.i2);
  if (k.foot && k.w < 0) {
    e.Edge(k.q1, k.f);
    e.Edge(k.f, k.p1);
  } else {
    e.Edge(k.q1, k.p1);
  }
  e.Edge(k.p1, k.p2);
  if (k.foot && k.w > 0) {
    e.Edge(k.p2, k.f);
    e.Edge(k.f, k.q2);
  } else {
    e.Edge(k.p2, k.q2);
  }
  e.Edge(k.q2, k.q1);
}

// Antiderivatives along an arc of centre (uc, vc) and radius r at angle p (from the
// line direction): of -v du, -v^2/2 du, -u v du and -du.
struct ArcTerms {
  double a, sv, su, l;
};
ArcTerms ArcPrimitive(double uc, double vc, double r, double p) {
  const double s = std::sin(p), c = std::cos(p);
  const double s2 = p / 2 - s * c / 2;  // ∫ sin²
  ArcTerms t;
  t.a = r * vc * (-c) + r * r * s2;
  t.sv = (r / 2) * (vc * vc * (-c) + 2 * vc * r * s2 + r * r * (-c + c * c * c / 3));
  t.su = r * (uc * vc * (-c) + uc * r * s2 + r * vc * s * s / 2 + r * r * s * s * s / 3);
  t.l = -r * c;
  return t;
}

// True when the angle range [lo, hi] holds target + 2πk for some k.
bool HoldsAngle(double lo, double hi, double target) {
  const double k = std::ceil((lo - target) / TwoPi);
  return target + k * TwoPi <= hi;
}

void AddEdge(CutPart& out, double m, double u0, double v0, double u1, double v1) {
  const double du = u1 - u0;
  out.A += m * -(v0 + v1) / 2 * du;
  out.Sline += m * -du * (v0 * v0 + v0 * v1 + v1 * v1) / 6;
  out.Sx += m * -du * (2 * u0 * v0 + u0 * v1 + u1 * v0 + 2 * u1 * v1) / 6;  // ∫u dA for now
  out.width += m * -du;
}

}  // namespace

const char* NoShapeReason(const CutModel& model) {
  if (model.shapeless) return "merge data carries no shape";
  if (model.elements.empty()) return "no section with a shape is counted";
  return nullptr;
}

CutModel BuildCutModel() {
  CutModel model;
  for (int s = 1; s <= Table.sectionCount && s <= MaxSections; ++s) {
    const Section& sec = Table.sections[s];
    const float f = Calc.factors[s];
    if (sec.flags & (Off | Deleted) || f == 0) continue;
    if (!(sec.firstNode >= 1 && sec.lastNode >= sec.firstNode && sec.lastNode <= TopNode)) continue;
    Emitter e{model, f, sec.weight > 0};
    const ParamRow& row = Table.params[sec.firstNode];
    switch (KindOf(sec)) {
      case SectionKind::Polygon:
        PolygonElements(e, sec);
        break;
      case SectionKind::Circle: {
        const CircleView c(row);
        if (c.radius() != 0) e.Arc(c.centreX(), c.centreY(), std::fabs(c.radius()), 0, TwoPi);
        break;
      }
      case SectionKind::ArcSegment:
        ArcSegmentElements(e, row);
        break;
      case SectionKind::MergeData:
        model.shapeless = true;
        break;
      case SectionKind::RadialBlock:
        RadialBlockElements(e, row);
        break;
    }
  }
  return model;
}

CutDirection ProjectCut(const CutModel& model, double nx, double ny) {
  CutDirection d;
  const double len = std::hypot(nx, ny);
  d.nx = nx / len;
  d.ny = ny / len;
  const double gamma = std::atan2(-d.nx, d.ny);  // direction of the lines
  d.items.reserve(model.elements.size());
  bool first = true;
  for (const CutElement& e : model.elements) {
    CutDirection::Item it{};
    it.arc = e.arc;
    it.m = e.m;
    if (!e.arc) {
      it.u0 = d.ny * e.x0 - d.nx * e.y0;
      it.v0 = d.nx * e.x0 + d.ny * e.y0;
      it.u1 = d.ny * e.x1 - d.nx * e.y1;
      it.v1 = d.nx * e.x1 + d.ny * e.y1;
      it.vmin = std::min(it.v0, it.v1);
      it.vmax = std::max(it.v0, it.v1);
      CutPart whole;
      AddEdge(whole, 1, it.u0, it.v0, it.u1, it.v1);
      it.i0 = it.u1 - it.u0;
      it.i1 = whole.A;
      it.i2 = whole.Sline;
      it.j = whole.Sx;
      it.k = (it.u1 * it.u1 - it.u0 * it.u0) / 2;
    } else {
      it.u0 = d.ny * e.x0 - d.nx * e.y0;
      it.v0 = d.nx * e.x0 + d.ny * e.y0;
      it.r = e.r;
      it.p0 = e.a0 - gamma;
      it.p1 = e.a1 - gamma;
      const double lo = std::min(it.p0, it.p1), hi = std::max(it.p0, it.p1);
      const double end0 = it.v0 + it.r * std::sin(it.p0), end1 = it.v0 + it.r * std::sin(it.p1);
      it.vmax = HoldsAngle(lo, hi, Pi / 2) ? it.v0 + it.r : std::max(end0, end1);
      it.vmin = HoldsAngle(lo, hi, -Pi / 2) ? it.v0 - it.r : std::min(end0, end1);
      const ArcTerms t0 = ArcPrimitive(it.u0, it.v0, it.r, it.p0);
      const ArcTerms t1 = ArcPrimitive(it.u0, it.v0, it.r, it.p1);
      it.i0 = -(t1.l - t0.l);
      it.i1 = t1.a - t0.a;
      it.i2 = t1.sv - t0.sv;
      it.j = t1.su - t0.su;
      const double ue0 = it.u0 + it.r * std::cos(it.p0), ue1 = it.u0 + it.r * std::cos(it.p1);
      it.k = (ue1 * ue1 - ue0 * ue0) / 2;
    }
    if (first) {
      d.vmin = it.vmin;
      d.vmax = it.vmax;
      first = false;
    } else {
      d.vmin = std::min(d.vmin, it.vmin);
      d.vmax = std::max(d.vmax, it.vmax);
    }
    if (e.positive) {
      if (!d.anyPositive) {
        d.fibreMin = it.vmin;
        d.fibreMax = it.vmax;
        d.anyPositive = true;
      } else {
        d.fibreMin = std::min(d.fibreMin, it.vmin);
        d.fibreMax = std::max(d.fibreMax, it.vmax);
      }
    }
    d.items.push_back(it);
  }
  return d;
}

CutPart CutAt(const CutDirection& d, double c) {
  // Accumulated in the line's own frame: A, ∫u dA (in Sx for now), ∫(v - c) dA.
  CutPart out;
  for (const CutDirection::Item& it : d.items) {
    if (it.vmax <= c) continue;  // wholly on the other side (or along the line)
    if (it.vmin >= c) {
      // Wholly kept: the element's integrals, moved to the line.
      out.A += it.m * (it.i1 + c * it.i0);
      out.Sline += it.m * (it.i2 - c * it.i1 - c * c / 2 * it.i0);
      out.Sx += it.m * (it.j + c * it.k);
      out.width += it.m * -it.i0;
      continue;
    }
    if (!it.arc) {
      const double v0 = it.v0 - c, v1 = it.v1 - c;
      const double t = v0 / (v0 - v1);
      const double um = it.u0 + t * (it.u1 - it.u0);
      if (v0 > 0) {
        AddEdge(out, it.m, it.u0, v0, um, 0);
      } else {
        AddEdge(out, it.m, um, 0, it.u1, v1);
      }
      continue;
    }
    // An arc crossing the line: kept where sin p >= -(vc - c)/r.
    const double vc = it.v0 - c;
    const double b0 = std::asin(std::clamp(-vc / it.r, -1.0, 1.0));
    const double b1 = Pi - b0;
    const double lo = std::min(it.p0, it.p1), hi = std::max(it.p0, it.p1);
    const double dir = it.p1 >= it.p0 ? it.m : -it.m;
    for (double k = std::floor((lo - b1) / TwoPi); b0 + k * TwoPi < hi; k += 1) {
      const double a = std::max(lo, b0 + k * TwoPi), b = std::min(hi, b1 + k * TwoPi);
      if (!(a < b)) continue;
      const ArcTerms ta = ArcPrimitive(it.u0, vc, it.r, a);
      const ArcTerms tb = ArcPrimitive(it.u0, vc, it.r, b);
      out.A += dir * (tb.a - ta.a);
      out.Sline += dir * (tb.sv - ta.sv);
      out.Sx += dir * (tb.su - ta.su);
      out.width += dir * (tb.l - ta.l);
    }
  }
  const double su = out.Sx;
  const double sv = out.Sline + c * out.A;  // ∫v dA
  out.Sx = d.ny * su + d.nx * sv;
  out.Sy = -d.nx * su + d.ny * sv;
  return out;
}

CutPart CutSection(const CutModel& model, double nx, double ny, double c) {
  const double len = std::hypot(nx, ny);
  return CutAt(ProjectCut(model, nx, ny), c / len);
}
