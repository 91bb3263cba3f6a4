// The closed outlines of a DXF drawing and how they nest: closed polylines, chains
// of lines, arcs and open polylines joined end to end, and circles.
#pragma once

#include <string>
#include <vector>

#include "files/dxf_reader.h"

// The circle of an edge with bulge b != 0 from (x1, y1) to (x2, y2).
struct EdgeArc {
  double xc, yc, r;
  double sweep;  // signed, counter-clockwise positive; |sweep| < 2π
};
EdgeArc ArcOfEdge(double x1, double y1, double x2, double y2, double b);

// One closed outline: a loop of vertices, each with the bulge of the edge that
// leaves it, or a circle.
struct DxfOutline {
  bool circle = false;
  double xc = 0, yc = 0, r = 0;  // circle
  std::vector<DxfVertex> v;      // loop: at least two vertices, none repeated
  std::vector<int> who;          // the entity of each edge (DxfDrawing::names); a circle's
  double area = 0;  // signed, counter-clockwise positive (circles positive)
  int order = 0;    // position in the file of its first entity
  int depth = 0;    // how many other outlines hold it (NestOutlines)
};

// The drawing's extent: the larger side of the box round its entities, the
// largest coordinate, and the box's lower-left corner.
struct DxfExtent {
  double size = 0;
  double magnitude = 0;
  double xmin = 0, ymin = 0;
};
DxfExtent ExtentOf(const DxfDrawing& drawing);

// Whether the drawing lies so far from the origin for its size that single
// precision would lose more than 1e-7 of its size; then (dx, dy) is a round move
// that brings its lower-left corner near the origin: the corner rounded down to a
// multiple of the power of ten just below the size, negated.
bool FarFromOrigin(const DxfExtent& extent, double& dx, double& dy);

// Adds (dx, dy) to every point and centre of the drawing, and to its movedX/Y.
void MoveDrawing(DxfDrawing& drawing, double dx, double dy);

// The closed outlines of the drawing, in the order of the file; ends meet within
// tol. Bulges too small or too large to make a difference in single precision are
// taken as 0 or as a whole turn. A loop whose arcs are one circle becomes the
// circle; degenerate is the count of outlines of no area (along a line), lines of
// no length and circles of no radius, left out. False with the reason for the user
// when an end meets no other (an open outline), more than two ends meet, two edges
// of a loop cross or touch (within tol) other than at the vertex they share, or
// there are more edges than maxPoints node slots could hold.
bool FindOutlines(const DxfDrawing& drawing, double tol, int maxPoints,
                  std::vector<DxfOutline>& outlines, int& degenerate, std::string& why);

// Sets each outline's depth. Outlines may touch (within tol); false with the reason
// when one is drawn twice (each lies on the other), or two cross: an edge of one
// crosses an edge of the other away from their ends, or the vertices and edge
// middles of one lie on both sides of the other.
bool NestOutlines(std::vector<DxfOutline>& outlines, const DxfDrawing& drawing, double tol,
                  std::string& why);

// The entity that draws the outline, or 'the chain of LINE (...) and 3 other
// entities'.
std::string OutlineName(const DxfDrawing& drawing, const DxfOutline& o);

// "(x, y)" for messages: a point of the drawing where the file has it (before any
// MoveDrawing).
std::string PointText(const DxfDrawing& drawing, double x, double y);
