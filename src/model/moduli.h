// Engineering properties of the section set: radii of gyration, extreme fibres and
// elastic moduli, plastic neutral axes and plastic moduli, perimeter; and the shear
// flow across cuts parallel to an axis. All in the file's own units.
#pragma once

#include <string>
#include <vector>

#include "model/cut.h"
#include "model/properties.h"

// A value that cannot be worked out is NaN (null in JSON, "unavailable" in text).
struct ModuliSet {
  double rx, ry, rmax, rmin;
  double angle;  // of the principal axis u (the Imax axis) from x, degrees; v is the Imin axis
  // Distances from the centroid to the extreme fibres of the net material (where
  // the net weight is not zero, within the extent of the pieces of positive weight):
  // above and below the x axis, left and right of the y axis, and the farther side
  // of each principal axis.
  double yTop, yBottom, xLeft, xRight, uFibre, vFibre;
  double WelxTop, WelxBottom, WelyLeft, WelyRight, Welu, Welv;
  double Wplx, Wply, Wplu, Wplv;
  // The plastic neutral axes: x = xPNA, parallel to y, is the axis of Wply;
  // y = yPNA, parallel to x, the axis of Wplx.
  double xPNA, yPNA;
  double perimeter;  // of the net material: where it borders on no material
  std::string unavailable;  // why the values that need a shape are missing, "" if none
};

// The moduli of the stored results and the table; the properties must be current
// (ComputePropertiesSilently). Does not change the tables or the results.
ModuliSet ComputeModuli();

// Along each unit normal n: the level c at which the material with n·p >= c holds
// half the area, found by a bracketing root search on the cut engine's area.
double EqualAreaLevel(const CutDirection& d, double totalArea);

// The shear flow at a cut parallel to an axis: the part beyond the cut (above it for
// cuts parallel to x, right of it for cuts parallel to y).
enum class ShearAxis { X, Y };
struct ShearPoint {
  double level;  // y of a cut parallel to x, x of one parallel to y
  double width;  // length of the cut inside the material
  double Q;      // first moment of the part beyond, about the centroidal axis
  double tauPerV;  // Q / (I t); NaN where the cut has no width
};
// steps + 1 cuts evenly from the lowest to the highest level of the net material.
// At those two extreme fibres Q is 0 (nothing lies beyond the one, the whole
// section beyond the other) and the width is that of the material's face there.
// Empty when the model has no shape or no net material.
std::vector<ShearPoint> ShearProfile(const CutModel& model, const PropertySet& p, ShearAxis axis,
                                     int steps);
// One cut; Q and the width are 0 where they vanish up to rounding.
ShearPoint ShearAt(const CutDirection& d, const PropertySet& p, ShearAxis axis, double level);

// The report lines of the moduli with the given decimals.
std::vector<std::string> ModuliReportLines(const ModuliSet& m, int digits);
