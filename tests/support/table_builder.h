// Builds section tables directly, as the entry commands would leave them, for the
// tests and the benchmarks. Standard library and core only: the benchmarks compile
// it too.
#pragma once

#include <utility>
#include <vector>

// Appends a polygon of the given corners; returns its section number.
int AddPolygon(const std::vector<std::pair<double, double>>& corners, float weight = 1.0f,
               bool closed = true);
// A rolled I-section standing on y = 0, centred on x = 0, with root fillets of
// radius r in its four re-entrant corners.
int AddRolledISection(double h, double b, double tw, double tf, double r);
int AddCircle(double xc, double yc, double r, float weight = 1.0f);
// Arc segment: a1, a2 in degrees; t < 0 is the segment between chord and arc.
int AddArcSegment(double xc, double yc, double r, double a1, double a2, double t,
                  float weight = 1.0f);
int AddRadialBlock(double xc, double yc, double r, double angle, double w, double t,
                   float weight = 1.0f);
int AddMergeData(double xc, double yc, double a, double ixx, double iyy, double ixy,
                 float weight = 1.0f);

// Empties the tables and fills them to capacity: 100 sections of every kind on 200
// node slots (the most the phantom-point gap allows), 20 filleted hexagons (every
// fourth a hole) and 80 one-slot sections, then up to phantomPoints phantom points.
// The platform must already be set.
void BuildFullTable(int phantomPoints = 0);
