#include "model/other_axes.h"

#include <cmath>
#include <string>
#include <vector>

#include "model/properties.h"
#include "model/report.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"

AxesMoments MomentsAboutAxes(double x0, double y0, double angleDeg) {
  const PropertySet& p = Calc.props;
  double dx = p.xBar - x0;
  double dy = p.yBar - y0;
  double ixx = p.Ixx + p.A * dy * dy;
  double iyy = p.Iyy + p.A * dx * dx;
  double ixy = p.Ixy + p.A * dx * dy;
  double phi = angleDeg * DegToRad;
  double c = std::cos(phi), s = std::sin(phi);
  return {c * c * ixx - 2 * s * c * ixy + s * s * iyy,
          s * s * ixx + 2 * s * c * ixy + c * c * iyy,
          (c * c - s * s) * ixy + s * c * (ixx - iyy)};
}

void OtherAxes(double x0, double y0, double angleDeg) {
  AxesMoments m = MomentsAboutAxes(x0, y0, angleDeg);
  const std::string mask = "#.000";
  GetPlatform().ShowResultDialog("Property Calculations",
                                 {"Ixx \t=   " + FormatValue(m.Iu, mask),
                                  "Iyy \t=   " + FormatValue(m.Iv, mask),
                                  "Ixy \t=   " + FormatValue(m.Iuv, mask)});
}

LineProps LineProperties(int m, int n) {
  double dx = static_cast<double>(Table.nodes[n].x) - Table.nodes[m].x;
  double dy = static_cast<double>(Table.nodes[n].y) - Table.nodes[m].y;
  Polar p = ToPolar(dx, dy);
  return {p.length, p.angle / DegToRad};
}
