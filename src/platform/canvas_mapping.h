// World-to-device arithmetic shared by the canvases: world (x1, y1) lands on the
// top-left corner of a device of width x height units, (x2, y2) on the bottom-right.
#pragma once

#include "platform/canvas.h"

struct DevicePoint {
  double x, y;  // device units from the top-left corner, fractional
};

struct CanvasMapping {
  double x1 = -1, y1 = 1;    // world point at the top-left corner
  double sx = 1, sy = -1;    // device units per world unit (signed)

  void Set(double wx1, double wy1, double wx2, double wy2, double width, double height) {
    x1 = wx1;
    y1 = wy1;
    // A degenerate span keeps the previous scale rather than dividing by zero.
    if (wx2 != wx1) sx = width / (wx2 - wx1);
    if (wy2 != wy1) sy = height / (wy2 - wy1);
  }
  DevicePoint ToDevice(WorldPoint p) const { return {(p.x - x1) * sx, (p.y - y1) * sy}; }
  WorldPoint ToWorld(DevicePoint d) const { return {x1 + d.x / sx, y1 + d.y / sy}; }
  // A device extent (a character cell) in world units, signed so that +width runs
  // to the right of the text on the device and +height upwards on it.
  CellExtent ToWorldCell(double width, double height) const {
    return {width / sx, -height / sy};
  }
};
