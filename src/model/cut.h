// Cutting the section set at a straight line, in closed form.
//
// Every counted piece is described by closed boundary curves made of straight
// edges and circular arcs, the same outlines the calculation sums (polygon with the
// chords of its fillets plus each fillet's segment, circle, circular segment,
// annular sector, radial block). Each curve carries a multiplier: the section's
// factor (sign of its own area times its weight) and, for a segment, the segment's
// sign. The part of the material on one side of a line then follows from Green's
// theorem over the parts of the curves on that side, with integrands that vanish on
// the line itself, so the closing pieces along the line add nothing and need not be
// found.
#pragma once

#include <vector>

struct CutElement {
  bool arc;
  bool positive;  // belongs to a section of positive weight
  double m;       // multiplier of the element's integrals
  // A straight edge from (x0, y0) to (x1, y1); an arc of centre (x0, y0) and radius
  // r from angle a0 to angle a1 (radians; counter-clockwise when a1 > a0).
  double x0, y0, x1, y1;
  double r, a0, a1;
};

struct CutModel {
  std::vector<CutElement> elements;
  // Merge data is counted: it has no shape, so nothing that needs a shape can be
  // worked out.
  bool shapeless = false;
};

// Why nothing that needs the sections' shape can be worked out from the model:
// "merge data carries no shape" or "no section with a shape is counted"; null when
// it can.
const char* NoShapeReason(const CutModel& model);

// The outlines of every counted section of the table, with the factors of the last
// calculation (Calc.factors): call it after the properties have been computed.
CutModel BuildCutModel();

// The elements seen along the line direction: u along the line, v across it.
struct CutDirection {
  double nx, ny;  // unit normal of the lines; material with nx*x + ny*y >= c is kept
  struct Item {
    bool arc;
    double m;
    double vmin, vmax;   // extent across the lines
    double u0, v0, u1, v1;  // edge ends; arc: centre in (u0, v0)
    double r, p0, p1;    // arc: radius and angles from the line direction
    // Integrals over the whole element: of du, -v du, -v^2/2 du, -u v du, u du.
    double i0, i1, i2, j, k;
  };
  std::vector<Item> items;
  double vmin = 0, vmax = 0;  // extent of all elements
  double fibreMin = 0, fibreMax = 0;  // extent of the elements of positive weight
  bool anyPositive = false;
};

// Prepares the model for cuts at lines of normal (nx, ny), which need not be a unit
// vector; CutAt takes c along the unit normal.
CutDirection ProjectCut(const CutModel& model, double nx, double ny);

// The material on the side nx*x + ny*y >= c of the line: its area, its first
// moments about the y and x axes (∫x dA, ∫y dA), its first moment about the line
// itself (∫(v - c) dA), and the length of the line that lies inside the material.
// All with the weights and signs of the calculation.
struct CutPart {
  double A = 0, Sx = 0, Sy = 0, Sline = 0, width = 0;
};
CutPart CutAt(const CutDirection& d, double c);

// One-off cut: ProjectCut then CutAt.
CutPart CutSection(const CutModel& model, double nx, double ny, double c);
