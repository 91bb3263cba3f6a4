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

// Each entity read has its position in the file (order: an entity of a block
// reference takes the INSERT's) and its name for messages (who: an index into
// DxfDrawing::names).
struct DxfPolyline {
  std::vector<DxfVertex> vertices;
  bool closed;
  int order;
  int who;
};

struct DxfLine {
  double x1, y1, x2, y2;
  int order;
  int who;
};

// An arc from angle start through sweep (radians; positive counter-clockwise,
// negative for an arc seen from below the plane). |sweep| = 2π is a whole circle.
struct DxfArc {
  double xc, yc, r, start, sweep;
  int order;
  int who;
};

struct DxfCircle {
  double xc, yc, r;
  int order;
  int who;
};

// A layer of model space (block references included) and how many entities it
// holds: those that can outline a section (LINE, ARC, CIRCLE, LWPOLYLINE, POLYLINE)
// and the others.
struct DxfLayerCount {
  std::string name;  // as the file first spells it
  int outlines = 0;
  int others = 0;
};

struct DxfDrawing {
  int insUnits = -1;  // $INSUNITS of the header, -1 when the header does not give it
  std::vector<DxfPolyline> polylines;
  std::vector<DxfLine> lines;
  std::vector<DxfArc> arcs;
  std::vector<DxfCircle> circles;
  std::map<std::string, int> leftOut;  // entity kinds on the layer that are not read, with counts
  // 'LWPOLYLINE (handle 2F, layer "0")', '... in block "B" (INSERT handle 40)': the
  // entities read, by their who.
  std::vector<std::string> names;
  std::vector<DxfLayerCount> layers;  // every layer, whatever layer was asked for
  // What MoveDrawing added to every coordinate; points in messages take it off again.
  double movedX = 0, movedY = 0;
};

// Reads the header's $INSUNITS and the model-space LINE, ARC, CIRCLE, LWPOLYLINE and
// POLYLINE entities on layer (any layer when empty; DXF compares layer names without
// regard to case), with those of the blocks that INSERT entities place: moved,
// turned and scaled as the INSERT says, nested blocks too. An entity of a block on
// layer "0" is on the layer of the INSERT that places it. Entities of paper space
// are not read.
//
// False, with a reason for the user in error, when the text is not an ASCII DXF
// file or is cut short (no EOF, a section without its ENDSEC, an LWPOLYLINE with
// fewer vertices than its count), a number that is read is malformed, an entity
// does not lie in the drawing plane, a block inserts itself, or an INSERT that
// places outlines scales them unevenly or is an array (MINSERT).
bool ReadDxf(std::string_view text, const std::string& layer, DxfDrawing& drawing,
             std::string& error);

// The layers of the drawing, counted as ReadDxf counts them, without reading any
// entity: false, with the reason, only when the file itself is faulty (not a DXF
// file, cut short, a malformed number in a block reference, a block inserting
// itself), not for the entities of some layer.
bool ReadDxfLayers(std::string_view text, std::vector<DxfLayerCount>& layers, std::string& error);

// The name of a $INSUNITS code ("millimeters", "unitless", ...), "" for a code
// that has none.
const char* DxfUnitName(int insUnits);
