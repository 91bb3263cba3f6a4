// A parameter row, and one view of it per kind that names what the kind keeps in
// its columns.
#pragma once

#include <array>

#include "util/numeric.h"

// Ten single-precision parameters per node slot. Column 3 decides whether the row
// counts (and goes into the file): the fillet radius of a polygon node, r of a
// circle, arc segment or radial block, the area of merge data. Only the section
// file reads and writes the columns by number; everything else goes through a view.
struct ParamRow {
  std::array<float, 10> c;
  friend bool operator==(const ParamRow&, const ParamRow&) = default;
};

// An arc's end angles in radians.
struct ArcAngles {
  double a1, a2;
};

// Each view wraps a row, or a const row to read only. Every accessor is the stored
// float itself, so reading through a view converts exactly as reading the column
// does, and assigning to an accessor stores into the column. Each view's Column
// lists its columns in order.

// A filleted polygon node: the arc from angle1 to angle2 (degrees) about the centre
// between tangent point 1 (on the edge from the previous node) and tangent point 2
// (on the edge to the next one). The circular segment between their chord and the
// arc is added (sign +1) or removed (-1).
template <class Row>
class FilletView {
  enum Column { Sign, CentreX, CentreY, Radius, Angle1, Angle2, Tangent1X, Tangent1Y, Tangent2X, Tangent2Y };

 public:
  explicit FilletView(Row& row) : row_(row) {}
  auto& sign() const { return row_.c[Sign]; }
  auto& centreX() const { return row_.c[CentreX]; }
  auto& centreY() const { return row_.c[CentreY]; }
  auto& radius() const { return row_.c[Radius]; }  // 0: no fillet
  auto& angle1() const { return row_.c[Angle1]; }
  auto& angle2() const { return row_.c[Angle2]; }
  auto& tangent1X() const { return row_.c[Tangent1X]; }
  auto& tangent1Y() const { return row_.c[Tangent1Y]; }
  auto& tangent2X() const { return row_.c[Tangent2X]; }
  auto& tangent2Y() const { return row_.c[Tangent2Y]; }
  // The arc's angles in radians, as every calculation and drawing takes them. A
  // fillet the program sets spans less than half a turn and comes back unchanged; a
  // damaged file's angles lose their whole turns, so that no arc winds round its
  // centre countless times.
  ArcAngles arcRadians() const {
    const DegreePair d = ChordAnglesWithoutWholeTurns(angle1(), angle2());
    return {d.a1 * DegToRad, d.a2 * DegToRad};
  }

 private:
  Row& row_;
};

template <class Row>
class CircleView {
  enum Column { Unused, CentreX, CentreY, Radius };

 public:
  explicit CircleView(Row& row) : row_(row) {}
  auto& centreX() const { return row_.c[CentreX]; }
  auto& centreY() const { return row_.c[CentreY]; }
  auto& radius() const { return row_.c[Radius]; }

 private:
  Row& row_;
};

// An arc segment: with thickness t < 0 the circular segment between the chord and
// the arc from angle1 to angle2 (degrees), added (sign +1) or removed (-1); with
// t >= 0 the annular sector of that thickness.
template <class Row>
class ArcSegmentView {
  enum Column { Sign, CentreX, CentreY, Radius, Angle1, Angle2, Thickness };

 public:
  explicit ArcSegmentView(Row& row) : row_(row) {}
  auto& sign() const { return row_.c[Sign]; }
  auto& centreX() const { return row_.c[CentreX]; }
  auto& centreY() const { return row_.c[CentreY]; }
  auto& radius() const { return row_.c[Radius]; }
  auto& angle1() const { return row_.c[Angle1]; }
  auto& angle2() const { return row_.c[Angle2]; }
  auto& thickness() const { return row_.c[Thickness]; }

 private:
  Row& row_;
};

// A radial block: the ring of the given radius and thickness, cut by the radial line
// at `angle` (degrees) and the line parallel to it at the signed distance `width`.
template <class Row>
class RadialBlockView {
  enum Column { Unused, CentreX, CentreY, Radius, Angle, Width, Thickness };

 public:
  explicit RadialBlockView(Row& row) : row_(row) {}
  auto& centreX() const { return row_.c[CentreX]; }
  auto& centreY() const { return row_.c[CentreY]; }
  auto& radius() const { return row_.c[Radius]; }
  auto& angle() const { return row_.c[Angle]; }
  auto& width() const { return row_.c[Width]; }
  auto& thickness() const { return row_.c[Thickness]; }

 private:
  Row& row_;
};

// Merge data: an area, its centroid and its own moments about axes through the
// centroid parallel to x and y.
template <class Row>
class MergeDataView {
  enum Column { Unused, CentroidX, CentroidY, Area, Ixx, Iyy, Ixy };

 public:
  explicit MergeDataView(Row& row) : row_(row) {}
  auto& centroidX() const { return row_.c[CentroidX]; }
  auto& centroidY() const { return row_.c[CentroidY]; }
  auto& area() const { return row_.c[Area]; }
  auto& ixx() const { return row_.c[Ixx]; }
  auto& iyy() const { return row_.c[Iyy]; }
  auto& ixy() const { return row_.c[Ixy]; }

 private:
  Row& row_;
};

// The row of any kind but a polygon as its two entry lines fill it, whatever the
// kind: the first line (xc, yc, and r or the area) and the second line's three
// fields (a1, a2, t; angle, w, t; or Ixx, Iyy, Ixy). A second line with t < 0 also
// sets the sign column.
template <class Row>
class PieceView {
  enum Column { Sign, CentreX, CentreY, Size, SecondLine };

 public:
  explicit PieceView(Row& row) : row_(row) {}
  auto& sign() const { return row_.c[Sign]; }
  auto& centreX() const { return row_.c[CentreX]; }  // merge data: the centroid
  auto& centreY() const { return row_.c[CentreY]; }
  auto& size() const { return row_.c[Size]; }  // the radius, or merge data's area
  // Field 0, 1 or 2 of the second line.
  auto& second(int field) const { return row_.c[SecondLine + field]; }

 private:
  Row& row_;
};
