// Exact pieces that make up a section's nine sums.
#pragma once

#include "model/properties.h"
#include "model/section_table.h"

// Angle at the centre between a radial line and the point where the line parallel
// to it at distance |w| meets the circle of radius rad, signed like w. A line that
// misses the circle (|w| >= rad) is taken at a quarter turn, so the radial block
// stays closed and finite. Shared by the calculation and the drawing.
double ParallelLineAngle(double w, double rad);

// Triangle (origin, P1, P2), signed by direction.
void EdgeTerm(SectionProps& p, double x1, double y1, double x2, double y2);
// Circular segment of circle (xc, yc, r) between the chord and the arc from a1 to a2
// (radians), added (s = +1) or removed (s = -1). Reports a1 = a2 with r != 0.
void SegmentTerm(SectionProps& p, double s, double xc, double yc, double r, double a1, double a2);
// Annular sector of an arc segment row with t >= 0; sets the sums.
void AnnulusTerm(SectionProps& p, const ParamRow& row);
// Block cut from a ring by two parallel lines.
void RadialBlockTerm(SectionProps& p, const ParamRow& row);
// Writes the fillet of radius r at polygon node n into n's row (all zeros for r = 0).
void SetFillet(double r, int n);
