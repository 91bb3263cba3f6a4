// Where the net material lies. Every closed outline of the cut model carries a
// multiplier; the net weight at a point is the sum of the multipliers times the
// outlines' winding numbers there, the weight the calculation counts. The net
// material is where that weight is not zero: a hole that removes a plate's edge
// leaves nothing there, and two abutting plates are one piece of material.
//
// The outline elements cut one another into parts; between consecutive levels at
// which parts end, meet or turn, the faces they bound do not change, so one test in
// each band tells whether the band holds net material.
#pragma once

#include <cstddef>
#include <vector>

#include "model/cut.h"
#include "model/outlines.h"

// Elements listed by horizontal band, so that a level is tested only against the few
// elements that can reach it. Band k covers the levels v with (v - base) scale in
// [k, k + 1), the first and last bands reaching on to -∞ and +∞. Each element is
// listed, in ascending order, in every band its range [lo, hi] meets; one whose
// range is not finite in every band. The list past the last band holds every
// element: the answer for a NaN level.
struct Bands {
  double base = 0, scale = 0;
  std::size_t count = 1;
  std::vector<std::size_t> first;  // band k lists items[first[k] .. first[k + 1])
  std::vector<std::size_t> items;
};

// Part of an arc along which v only rises or only falls: angles a < b, the levels
// va, vb there, the middle angle and whether it faces +u.
struct ArcRun {
  double a, b, va, vb, mid;
  bool right;
};

struct NetMaterial {
  CutModel model;
  CutDirection plane;  // the elements with u = x and v = y, for the weight at a point
  Bands planeBands;    // the elements of plane by their extent in v
  // For each element of plane, bounds on the u of its crossings with a line v = c,
  // as they are computed: none lies left of planeLeft or right of planeRight.
  std::vector<double> planeLeft, planeRight;
  // The runs of each arc of plane: those of element i are
  // planeRuns[planeRunFirst[i] .. planeRunFirst[i + 1]).
  std::vector<ArcRun> planeRuns;
  std::vector<std::size_t> planeRunFirst;
  double size = 0;     // the larger side of the box around all elements
  double reach = 0;    // the largest coordinate, in magnitude, of that box
  // Points closer than this count as meeting: 1e-9 of the size, or more where the
  // nodes' single precision puts a corner typed on another piece's edge beside it.
  double tolerance = 0;
  double weightTolerance = 0;  // net weights this close to zero are zero
  // Where two elements cross or touch away from their ends.
  std::vector<PlanePoint> meetings;
  // For each element, where the others meet it: along an edge from 0 at its start
  // to 1 at its end, along an arc the angle in radians.
  std::vector<std::vector<double>> splits;
};

// The arrangement of the model's elements: sizes, tolerances and meeting points.
NetMaterial BuildNetMaterial(const CutModel& model);

// The net weight at (x, y).
double NetWeightAt(const NetMaterial& net, double x, double y);

// The length of the line v = c across d that lies in net material.
double NetLengthAt(const NetMaterial& net, const CutDirection& d, double c);

// The lowest and highest levels across d (a projection of net.model) of the net
// material, found within the extent of the pieces of positive weight: no fibre
// lies beyond all positive material. `any` is false where there is none.
struct NetExtent {
  bool any = false;
  double lo = 0, hi = 0;
};
NetExtent NetMaterialExtent(const NetMaterial& net, const CutDirection& d);

// The length of the boundary between net material and none: the parts of the
// elements with net material on one side only. A face between two materials, or
// between two abutting pieces, is no boundary; arcs count their exact length.
double NetBoundaryLength(const NetMaterial& net);
