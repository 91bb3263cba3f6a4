// Exact pieces that make up a section's nine sums.
#pragma once

#include "model/outlines.h"
#include "model/properties.h"
#include "model/section_table.h"

// Adds a piece of area a and centroid (cx, cy) with own moments about its centroid.
inline void AddPiece(SectionProps& p, double a, double cx, double cy, double ixx, double iyy,
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

// Triangle (origin, P1, P2), signed by direction. Inline: a polygon's outline is
// most of the calculation's pieces.
inline void EdgeTerm(SectionProps& p, double x1, double y1, double x2, double y2) {
  double a = (x1 * y2 - x2 * y1) / 2;
  double cx = (x1 + x2) / 3;
  double cy = (y1 + y2) / 3;
  double dx = x2 - x1;
  double dy = y2 - y1;
  AddPiece(p, a, cx, cy, (a / 8) * (cy * cy + dy * dy / 3), (a / 8) * (cx * cx + dx * dx / 3),
           (a / 8) * (cx * cy + dx * dy / 3));
}
// Circular segment of circle (xc, yc, r) between the chord and the arc from a1 to a2
// (radians), added (s = +1) or removed (s = -1). Reports a1 = a2 with r != 0.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1, double a2);
// The same with the arc's shape already worked out.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 const SegmentShape& shape);
// Annular sector of an arc segment with t >= 0; sets the sums.
void AnnulusTerm(SectionProps& p, const ArcSegmentOutline& o);
// Block cut from a ring by two parallel lines; the arcs' shapes from the cache when
// one is given.
void RadialBlockTerm(SectionProps& p, const RadialBlockOutline& k, ShapeCache* cache = nullptr);
// Writes the fillet of radius r at polygon node n into n's row (all zeros for r = 0).
void SetFillet(double r, int n);
