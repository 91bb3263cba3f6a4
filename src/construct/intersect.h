// The second half of a pending step given as a straight line: the new point is
// where the step's ray from the last point (or the fixed-radius circle around it)
// meets that line.
#pragma once

#include <string>

// Line forms: "x=X", "y=Y", "m-n,a" (through points m and n, moved a to the left of
// m->n); anything else is a plain distance. Status 0: go on (line unchanged for a
// distance; otherwise line is emptied and (dx, dy) is the step to the meeting
// point). Status -1: failed; the message was shown and the pending point withdrawn.
int IntersectLine(std::string& line, double& dx, double& dy);

// Fixed-radius step: status 0 with (x, y) the absolute meeting point; a second
// meeting point, if any, has been stored in the pending slot and counted. Status -1
// as above.
int IntersectCircle(std::string& line, double& x, double& y);

// The intersection tolerance for parallel and axis-parallel tests.
inline constexpr float IntersectTolerance = 0.0001f;
