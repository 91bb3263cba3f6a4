// Reading DXF text: the group-code/value pairs of an ASCII DXF file, the drawing
// units from the header, and the model-space entities that can outline a section,
// in world coordinates of the drawing plane.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// One polyline vertex; bulge = tan(sweep/4) of the edge to the next vertex
// (positive: the edge turns counter-clockwise; 0: straight).
struct DxfVertex {
  double x, y, bulge;
};

struct DxfPolyline {
  std::vector<DxfVertex> vertices;
  bool closed;
  int order;  // position of the entity in the file
};

struct DxfLine {
  double x1, y1, x2, y2;
  int order;
};

// An arc from angle start through sweep (radians; positive counter-clockwise,
// negative for an arc seen from below the plane). |sweep| = 2π is a whole circle.
struct DxfArc {
  double xc, yc, r, start, sweep;
  int order;
};

struct DxfCircle {
  double xc, yc, r;
  int order;
};

struct DxfDrawing {
  int insUnits = -1;  // $INSUNITS of the header, -1 when the header does not give it
  std::vector<DxfPolyline> polylines;
  std::vector<DxfLine> lines;
  std::vector<DxfArc> arcs;
  std::vector<DxfCircle> circles;
  std::map<std::string, int> leftOut;  // entity kinds on the layer that are not read, with counts
  // What MoveDrawing added to every coordinate; points in messages take it off again.
  double movedX = 0, movedY = 0;
};

// Reads the header's $INSUNITS and the model-space LINE, ARC, CIRCLE, LWPOLYLINE and
// POLYLINE entities on layer (any layer when empty; DXF compares layer names without
// regard to case). Entities of paper space and blocks are not read. False, with a
// reason for the user in error, when the text is not an ASCII DXF file, a number
// that is read is malformed, or an entity does not lie in the drawing plane.
bool ReadDxf(std::string_view text, const std::string& layer, DxfDrawing& drawing,
             std::string& error);

// The name of a $INSUNITS code ("millimeters", "unitless", ...), "" for a code
// that has none.
const char* DxfUnitName(int insUnits);
