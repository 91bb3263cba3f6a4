#include "model/properties.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/outlines.h"
#include "model/pieces.h"
#include "model/report.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "util/numeric.h"

CalcState Calc{};

namespace {

bool SlotRangeValid(const Section& sec) {
  return sec.firstNode >= 1 && sec.lastNode >= sec.firstNode && sec.lastNode <= TopNode;
}

// Straight edges of a polygon's outline in the order they are counted, each with
// the node whose fillet segment follows it (0 for none). Their triangles are
// worked out a chunk at a time in one loop, which the compiler runs two edges at a
// time, and then added in order.
struct EdgeChunk {
  static constexpr int Size = 32;
  int count = 0;
  std::array<double, Size> x1, y1, x2, y2;
  std::array<int, Size> segmentAfter;
};

void AddEdgeChunk(SectionProps& p, EdgeChunk& c, ShapeCache& cache) {
  std::array<std::array<double, EdgeChunk::Size>, 9> terms;
  for (int e = 0; e < c.count; ++e) {
    const std::array<double, 9> t = TriangleTerms(c.x1[e], c.y1[e], c.x2[e], c.y2[e]);
    for (int k = 0; k < 9; ++k) terms[k][e] = t[k];
  }
  for (int e = 0; e < c.count; ++e) {
    for (int k = 0; k < 9; ++k) p[SumA + k] += terms[k][e];
    if (int n = c.segmentAfter[e]) {
      const FilletView f(Table.params[n]);
      const ArcAngles a = f.arcRadians();
      SegmentTerm(p, f.sign(), f.centreX(), f.centreY(), f.radius(), CachedArc(cache, a.a1, a.a2, true));
    }
  }
  c.count = 0;
}

void AddEdge(SectionProps& p, EdgeChunk& c, ShapeCache& cache, double x1, double y1, double x2,
             double y2, int segmentAfter) {
  c.x1[c.count] = x1;
  c.y1[c.count] = y1;
  c.x2[c.count] = x2;
  c.y2[c.count] = y2;
  c.segmentAfter[c.count] = segmentAfter;
  if (++c.count == EdgeChunk::Size) AddEdgeChunk(p, c, cache);
}

// The outline runs node to node; a filleted corner is cut by the chord between its
// tangent points and the circular segment between chord and arc goes in by its sign.
void PolygonTerms(SectionProps& p, const Section& sec, ShapeCache& cache) {
  EdgeChunk chunk;
  WalkPolygonOutline(
      sec,
      [&](int node, double x1, double y1, double x2, double y2) {
        AddEdge(p, chunk, cache, x1, y1, x2, y2, node);
      },
      [&](double x1, double y1, double x2, double y2) {
        AddEdge(p, chunk, cache, x1, y1, x2, y2, 0);
      });
  AddEdgeChunk(p, chunk, cache);
}

// The sums of a circle or merge data: area a at (xc, yc) with its own moments.
SectionProps CentredSums(double a, double xc, double yc, double ixx, double iyy, double ixy) {
  SectionProps p{};
  p[SumA] = a;
  p[SumAx] = xc * a;
  p[SumAy] = yc * a;
  p[SumAxx] = xc * xc * a;
  p[SumAyy] = yc * yc * a;
  p[SumAxy] = xc * yc * a;
  p[OwnIxx] = ixx;
  p[OwnIyy] = iyy;
  p[OwnIxy] = ixy;
  return p;
}

void SectionTerms(SectionProps& p, const Section& sec, ShapeCache& cache) {
  if (!SlotRangeValid(sec)) return;
  const ParamRow& row = Table.params[sec.firstNode];
  switch (KindOf(sec)) {
    case SectionKind::Polygon:
      PolygonTerms(p, sec, cache);
      break;
    case SectionKind::Circle: {
      const CircleView c(row);
      double xc = c.centreX(), yc = c.centreY(), r = c.radius();
      double a = Pi * r * r;
      p = CentredSums(a, xc, yc, a * r * r / 4, a * r * r / 4, 0);
      break;
    }
    case SectionKind::ArcSegment: {
      const ArcSegmentOutline o = ArcSegmentOutlineOf(row, &cache);
      if (o.form == ArcSegmentForm::AnnularSector) {
        AnnulusTerm(p, o, &cache);
      } else if (ArcSegmentView(row).thickness() < 0) {
        // Also when it counts nothing: a segment without area is reported.
        SegmentTerm(p, o.sign, o.xc, o.yc, o.r, CachedArc(cache, o.a1, o.a2, true));
      }
      break;
    }
    case SectionKind::MergeData: {
      const MergeDataView m(row);
      double xc = m.centroidX(), yc = m.centroidY(), a = m.area();
      p = CentredSums(a, xc, yc, m.ixx(), m.iyy(), m.ixy());
      break;
    }
    case SectionKind::RadialBlock:
      RadialBlockTerm(p, RadialBlockOutlineOf(row, &cache), &cache);
      break;
  }
}

// Direction of the Imax axis in degrees, between -45 and 135.
double PrincipalAngle(double ixx, double iyy, double ixy, double imax) {
  const double eps = 1e-6f;  // held in single precision: 9.99999997e-7
  double d = ixx - iyy;
  if (imax == 0) {
    // The ratio tests below would divide by zero (possible only with negative
    // weights); decide by exact zeros instead.
    if (ixy == 0) return d < 0 ? 90 : 0;
    if (d == 0) return -45 * Sign(ixy);
  } else if (std::fabs(ixy / imax) < eps) {
    // Against the larger magnitude: with negative totals (holes only, or negative
    // weights that dominate) the larger of the two is the one nearer zero, and
    // dividing by it would turn the test round.
    double larger = std::max(std::fabs(ixx), std::fabs(iyy));
    bool upright = larger != 0 ? d / larger < -eps : d < 0;
    return upright ? 90 : 0;
  } else if (std::fabs(d / imax) < eps) {
    return -45 * Sign(ixy);
  }
  if (d > 0) return -0.5 * std::atan(2 * ixy / d) / DegToRad;
  return 90 - 0.5 * std::atan(2 * ixy / d) / DegToRad;
}

}  // namespace

void ComputePropertySet() {
  SectionProps& t = Calc.totals;
  t = {};
  ShapeCache cache;
  Calc.factors = {};
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (sec.flags & (Off | Deleted)) continue;
    SectionProps p{};
    SectionTerms(p, sec, cache);
    float f = static_cast<float>(Sign(p[SumA])) * sec.weight;
    Calc.factors[s] = f;
    // A section without area (or without weight) adds nothing, not even its own
    // moments: a term that is not a number would turn 0 times it into NaN.
    if (f == 0) continue;
    for (int k = SumA; k <= OwnIxy; ++k) t[k] += p[k] * f;
  }
  PropertySet& r = Calc.props;
  r.A = t[SumA];
  if (r.A != 0) {
    r.xBar = t[SumAx] / r.A;
    r.yBar = t[SumAy] / r.A;
  }
  r.Ixx = t[SumAyy] + t[OwnIxx] - r.yBar * t[SumAy];
  r.Iyy = t[SumAxx] + t[OwnIyy] - r.xBar * t[SumAx];
  r.Ixy = t[SumAxy] + t[OwnIxy] - r.yBar * t[SumAx];
  double root = std::sqrt((r.Ixx - r.Iyy) * (r.Ixx - r.Iyy) + 4 * r.Ixy * r.Ixy);
  r.Imax = (r.Ixx + r.Iyy + root) / 2;
  r.Imin = (r.Ixx + r.Iyy - root) / 2;
  r.angle = PrincipalAngle(r.Ixx, r.Iyy, r.Ixy, r.Imax);
}

bool PrepareReport() {
  if (!(Table.sections[Table.sectionCount].flags & Complete)) return false;
  Calc.totals = {};
  Calc.calcMode = std::max<std::uint8_t>(CalcReport, Calc.calcMode);
  if (!Shared.ResultsCurrent) {
    ComputePropertySet();
    Shared.ResultsCurrent = true;
  }
  BuildReportLines();
  if (Calc.calcMode == CalcSilent) {
    Calc.calcMode = CalcIdle;
    return false;
  }
  return true;
}
