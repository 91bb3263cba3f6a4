// Where the flood fill of a polygon section starts, and the winding test it uses.
#pragma once

#include "platform/canvas.h"

// True when P lies inside the outline of polygon section s (its node points only,
// closed from the last node back to the first whether the polygon is closed or not).
bool IsInsidePolygon(int s, WorldPoint p);

// An interior point of polygon section s: the first candidate between the first
// node and the mid-point of a later edge that IsInsidePolygon accepts, or else the
// last point the search computed.
WorldPoint PolygonSeed(int s);
