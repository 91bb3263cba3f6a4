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

#include <vector>

#include "model/cut.h"
#include "model/outlines.h"

struct NetMaterial {
  CutModel model;
  CutDirection plane;  // the elements with u = x and v = y, for the weight at a point
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
