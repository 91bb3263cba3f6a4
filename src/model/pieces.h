// Exact pieces that make up a section's nine sums.
#pragma once

#include <array>

#include "model/outlines.h"
#include "model/properties.h"
#include "model/section_table.h"

// Adds a piece of area a and centroid (cx, cy) with own moments about its centroid.
inline void AddPiece(SectionProps& p, double a, double cx, double cy, double ixx, double iyy,
                     double ixy) {
  p[SumA] += a;
  p[SumAx] += a * cx;
  p[SumAy] += a * cy;
  p[SumAxx] += a * cx * cx;
  p[SumAyy] += a * cy * cy;
  p[SumAxy] += a * cx * cy;
  p[OwnIxx] += ixx;
  p[OwnIyy] += iyy;
  p[OwnIxy] += ixy;
}

// The nine terms of the triangle (origin, P1, P2), signed by direction, in the
// order of the sums.
inline std::array<double, 9> TriangleTerms(double x1, double y1, double x2, double y2) {
  double a = (x1 * y2 - x2 * y1) / 2;
  double cx = (x1 + x2) / 3;
  double cy = (y1 + y2) / 3;
  double dx = x2 - x1;
  double dy = y2 - y1;
  return {a,
          a * cx,
          a * cy,
          a * cx * cx,
          a * cy * cy,
          a * cx * cy,
          (a / 8) * (cy * cy + dy * dy / 3),
          (a / 8) * (cx * cx + dx * dx / 3),
          (a / 8) * (cx * cy + dx * dy / 3)};
}

// Triangle (origin, P1, P2), signed by direction.
inline void EdgeTerm(SectionProps& p, double x1, double y1, double x2, double y2) {
  const std::array<double, 9> t = TriangleTerms(x1, y1, x2, y2);
  for (int k = 0; k < 9; ++k) p[SumA + k] += t[k];
}

// Circular segment of circle (xc, yc, r) between the chord and the arc from a1 to a2
// (radians), added (s = +1) or removed (s = -1). Reports a1 = a2 with r != 0.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1, double a2);
// The same with the arc's shape already worked out.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 const SegmentShape& shape);
// The same with the arc from the calculation's cache, whose terms it reuses for the
// same sign and radius.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 ShapeCache::ArcEntry& arc);
// Annular sector of an arc segment with t >= 0; sets the sums. With a cache, its
// terms are reused for the same arc, radius and thickness.
void AnnulusTerm(SectionProps& p, const ArcSegmentOutline& o, ShapeCache* cache = nullptr);
// Block cut from a ring by two parallel lines; the arcs from the cache when one is
// given.
void RadialBlockTerm(SectionProps& p, const RadialBlockOutline& k, ShapeCache* cache = nullptr);
// Writes the fillet of radius r at polygon node n into n's row (all zeros for r = 0).
void SetFillet(double r, int n);
// Distance from polygon node n to each tangent point of a fillet of radius r there,
// r / tan(θ/2) for the corner angle θ; 0 where SetFillet makes no fillet.
double TangentLength(double r, int n);
// True when a fillet of radius r at polygon node n leaves room on both edges for
// the fillets already at their other ends. A radius of 0 always fits; a negative or
// infinite one never does.
bool FilletFits(double r, int n);
