// The outlines of the curved pieces, computed once from a section's parameter row.
// The property calculation counts exactly these outlines and the drawing draws
// them, so the picture always shows the piece that was counted.
#pragma once

#include <array>
#include <cstdint>

#include "model/section_table.h"

struct PlanePoint {
  double x, y;
};

// A polygon's outline as the calculation counts it: node to node, a filleted corner
// cut by the chord between its tangent points. For each node in order, a filleted
// node gives chord(node, x1, y1, x2, y2) first; then side(x1, y1, x2, y2) runs to the
// next node (or its first tangent point).
template <class Chord, class Side>
void WalkPolygonOutline(const Section& sec, Chord&& chord, Side&& side) {
  for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
    const FilletView fi(Table.params[i]);
    double sx = Table.nodes[i].x, sy = Table.nodes[i].y;
    if (HasFillet(i)) {
      chord(i, double(fi.tangent1X()), double(fi.tangent1Y()), double(fi.tangent2X()),
            double(fi.tangent2Y()));
      sx = fi.tangent2X();
      sy = fi.tangent2Y();
    }
    const int j = i == sec.lastNode ? sec.firstNode : i + 1;
    double ex = Table.nodes[j].x, ey = Table.nodes[j].y;
    if (HasFillet(j)) {
      const FilletView fj(Table.params[j]);
      ex = fj.tangent1X();
      ey = fj.tangent1Y();
    }
    side(sx, sy, ex, ey);
  }
}

// The arc from a1 to a2 (radians) of a circular segment or an annular sector: its
// symmetry direction m, half angle alpha with its sine S and cosine C, and the
// direction terms of the moments. A circular segment's shape also has the area
// factors k1 = alpha - S*C and k2 = 2*C*S^3 (both held in single precision; k1 = 0
// means the segment has no area and counts nothing) and the radius-free parts of
// its terms: the centroid's distance over r, and the moments about and across the
// symmetry line over r^4 before their divisors.
struct SegmentShape {
  double m, alpha, S, C;
  double cosM, sinM, cos2M, sin2M;
  bool segment;  // the factors below are set
  double k1, k2;
  double centroidOverR, aboutFactor, acrossFactor;
};
// The shape of a circular segment's arc, factors included.
SegmentShape SegmentShapeOf(double a1, double a2);

// Angle at the centre between a radial line and the point where the line parallel
// to it at distance |w| meets the circle of radius rad, signed like w. A line that
// misses the circle (|w| >= rad) is taken at a quarter turn, so the radial block
// stays closed and finite.
double ParallelLineAngle(double w, double rad);

// A radial block about its own centre: the radial line at `angle` (radians), the
// parallel line at distance |w| on w's side, the radii, the arc angles (ascending,
// held in single precision) and the corners as offsets from the centre.
struct RadialBlockForm {
  double angle, w, r, rho;
  double o1, o2, i1, i2;
  PlanePoint p1, p2, q1, q2;
  bool foot;
  PlanePoint f;  // the foot's offset, when foot
};

// A block cut from a ring by the radial line at `angle` and the line parallel to it
// at distance |w| on w's side. Its straight outline runs q1 -> p1 -> p2 -> q2 -> q1;
// the outer segment over p1-p2 is added to it and the inner one over q1-q2 removed.
// When the parallel line misses the inner circle the outline runs along it through
// the foot f of the perpendicular from the centre, between the outer and inner
// corners on w's side (p2 and q2 for w > 0, p1 and q1 for w < 0).
struct RadialBlockOutline {
  double xc, yc;
  double angle;       // the radial line, radians, whole turns taken off
  double w;           // signed distance of the parallel line
  double r, rho;      // outer and inner radius; rho is 0 once t reaches the centre
  double o1, o2;      // outer arc, ascending, both held in single precision
  double i1, i2;      // inner arc, likewise
  PlanePoint p1, p2;  // outer arc ends at o1, o2
  PlanePoint q1, q2;  // inner arc ends at i1, i2
  bool foot;
  PlanePoint f;       // the foot, when foot (else the centre)
};

// What an arc-segment row counts: nothing, the circular segment between its chord
// and its arc (t < 0), or an annular sector (t >= 0; t = 0 and t > r reach the
// centre).
enum class ArcSegmentForm : std::uint8_t { Empty, CircularSegment, AnnularSector };

struct ArcSegmentOutline {
  ArcSegmentForm form;
  double xc, yc, r;
  // Radians. Whole turns in the row's angles make no difference to either form. A
  // circular segment runs between its two angles in ascending order, less than a
  // turn apart (the counted piece does not depend on their order). An annular
  // sector runs counter-clockwise from a1 to a2, 0 < a2 - a1 <= 2π: angles a whole
  // number of turns apart are the full ring, a2 = a1 + 2π.
  double a1, a2;
  bool fullRing;
  double sign;         // circular segment: the row's sign, added (+1) or removed (-1)
  SegmentShape shape;  // of the arc, unless Empty; a sector's without segment factors
  double tau;          // annular sector: thickness over r, in [0, 1]
  double rho;          // annular sector: inner radius, 0 when it reaches the centre
};

// The terms of a circular segment or an annular sector that depend on its shape
// and size but not on its place: its area, the distance of its centroid from the
// circle's centre along the symmetry line, and its moments about its centroid.
struct OwnTerms {
  double a, d, ixx, iyy, ixy;
};

// Shapes already worked out in one calculation, so that sections repeating a shape
// (copies of a section, equal fillets on parallel edges) pay for its trigonometry
// once, and for its terms once per size. What is taken from here has exactly the
// values it would be computed with. Start a fresh one for each calculation. Open
// addressing; once three quarters full, further shapes are worked out in a spare
// entry, which also serves a second look-up of the same arc.
struct ShapeCache {
  static constexpr int ArcSlots = 256;
  static constexpr int BlockSlots = 16;
  enum Sized : std::uint8_t { NoTerms, SegmentTerms, SectorTerms };
  struct ArcEntry {
    double a1, a2;
    SegmentShape shape;
    // The own terms last worked out on this arc and the size they belong to: a
    // circular segment's sign and radius, or a sector's radius and thickness ratio.
    Sized sized;
    double size1, size2;
    OwnTerms terms;
  };
  struct BlockEntry {
    std::array<float, 4> columns;  // r, angle, w, t of the row
    RadialBlockForm form;
  };
  ArcEntry spare;
  bool spareUsed = false;
  int arcCount = 0;
  int blockCount = 0;
  std::array<bool, ArcSlots> arcUsed{};
  std::array<bool, BlockSlots> blockUsed{};
  std::array<ArcEntry, ArcSlots> arcs;
  std::array<BlockEntry, BlockSlots> blocks;
};

// The entry of the arc from a1 to a2, its shape with the segment factors when
// asked for (a sector's arc, a1 <= a2, needs none). The reference stays good until
// the next call.
ShapeCache::ArcEntry& CachedArc(ShapeCache& cache, double a1, double a2, bool segmentFactors);

// The outlines of a row; with a cache, the shapes come from it.
RadialBlockOutline RadialBlockOutlineOf(const ParamRow& row, ShapeCache* cache = nullptr);
// An arc segment with t < 0 is Empty when the calculation counts nothing for it
// (no area factor, sign 0 or radius 0); one with t >= 0 when its radius is not
// positive.
ArcSegmentOutline ArcSegmentOutlineOf(const ParamRow& row, ShapeCache* cache = nullptr);
