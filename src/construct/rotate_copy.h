// Whole sections turned in place about a point, or copied with a shift.
#pragma once

#include <string>

// Turns section s about (x0, y0) by angle degrees, counter-clockwise. A polygon
// keeps its fillets (rebuilt from the turned nodes); an arc segment's angles and a
// radial block's angle turn with it, stored as directions in [0, 360) (a chord
// segment's second angle follows its first by their old difference); merge data
// turns its own moments. False, with the table unchanged, when a turned value would
// not be finite in single precision.
bool RotateSection(int s, double x0, double y0, double angle);

// The room check before a copy of section s: "" when it fits, else the message.
std::string CopyRoomProblem(int s);
// Appends a copy of section s moved by (dx, dy), with the same flags and weight.
// Every copy has slots of its own; a polygon's fillets are rebuilt at the new place.
// False, with the table unchanged, when a moved value would not be finite in single
// precision.
bool CopySection(int s, double dx, double dy);
