// Second moments about other axes, and the length and direction of a line.
#pragma once

struct AxesMoments {
  double Iu, Iv, Iuv;
};

// Parallel-axis step to (x0, y0) and rotation by angle degrees, from the stored
// centroidal results.
AxesMoments MomentsAboutAxes(double x0, double y0, double angleDeg);

// Shows the "Property Calculations" result from the stored results (the caller
// computes them first).
void OtherAxes(double x0, double y0, double angleDeg);

struct LineProps {
  double length;
  double angleDeg;  // [0, 360)
};
// From node m to node n.
LineProps LineProperties(int m, int n);
