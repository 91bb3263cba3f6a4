// A standard profile as the program's own sections: polygons with exact fillets
// (root and toe radii, sloped flange faces where the standard has them), hollow
// sections as an outer outline and an inner one of weight -1, round ones as circles.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/profile_catalogue.h"

// Where and how a profile goes: the centre of its bounding box at (x, y), turned
// counter-clockwise by turn degrees (0, 90, 180 or 270), in units (the family's own
// when unitsGiven is false). x and y are in those units.
struct ProfilePlacement {
  double x = 0, y = 0;
  int turn = 0;
  bool unitsGiven = false;
  LengthUnit units = LengthUnit::Mm;
};

// Reads an insertion point "X,Y", blanks around either number allowed: false unless
// both are finite numbers.
bool ReadProfilePoint(std::string_view text, double& x, double& y);

// One planned section: a polygon (corners with the fillet radius of each) or a circle.
struct ProfileOutline {
  bool circle = false;
  std::vector<std::pair<double, double>> corners;  // polygon, counter-clockwise
  std::vector<double> fillets;                     // one a corner, 0 for none
  double xc = 0, yc = 0, r = 0;                    // circle
  float weight = 1.0f;
};

// The outlines of a size at turn 0 in the family's units, centred on its bounding
// box. At turn 0 an I-section's web is vertical, a channel opens towards +x and an
// angle's legs run along +x (b) and +y (h, the longer) from its corner.
std::vector<ProfileOutline> ProfileOutlines(const ProfileFamily& family, const ProfileSize& size);

// Adds the size's sections to the end of the tables at the placement. Returns ""
// when added (ResultsCurrent cleared, FileChanged set, the last new section
// current), or the reason it was refused, with the tables unchanged: a turn that is
// not a multiple of 90°, a polygon still open, no room for the sections or their
// points, a fillet that does not fit, coordinates beyond single precision.
std::string AddProfile(const ProfileFamily& family, const ProfileSize& size,
                       const ProfilePlacement& placement);
