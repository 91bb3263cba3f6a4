// Exact pieces that make up a section's nine sums.
#pragma once

#include "model/outlines.h"
#include "model/properties.h"
#include "model/section_table.h"

// Triangle (origin, P1, P2), signed by direction.
void EdgeTerm(SectionProps& p, double x1, double y1, double x2, double y2);
// Circular segment of circle (xc, yc, r) between the chord and the arc from a1 to a2
// (radians), added (s = +1) or removed (s = -1). Reports a1 = a2 with r != 0.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1, double a2);
// The same with the arc's shape already worked out.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r,
                 const SegmentShape& shape);
// Annular sector of an arc segment with t >= 0; sets the sums.
void AnnulusTerm(SectionProps& p, const ArcSegmentOutline& o);
// Block cut from a ring by two parallel lines.
void RadialBlockTerm(SectionProps& p, const RadialBlockOutline& k);
// Writes the fillet of radius r at polygon node n into n's row (all zeros for r = 0).
void SetFillet(double r, int n);
