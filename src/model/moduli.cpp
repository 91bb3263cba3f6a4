#include "model/moduli.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "model/net_material.h"
#include "model/report.h"
#include "util/numeric.h"

namespace {

constexpr double Unavailable = std::numeric_limits<double>::quiet_NaN();

double Radius(double i, double a) { return a > 0 && i >= 0 ? std::sqrt(i / a) : Unavailable; }

// The plastic modulus about the line at level c: the first moments of the parts on
// both sides about it, each taken as a magnitude. The whole section's moment is
// taken from its lowest level, so that no offset larger than the section enters.
double PlasticModulus(const CutDirection& d, double c) {
  if (std::isnan(c)) return Unavailable;
  const CutPart all = CutAt(d, d.vmin);
  const CutPart kept = CutAt(d, c);
  const double whole = all.Sline + (d.vmin - c) * all.A;  // ∫(v - c) dA
  return std::fabs(kept.Sline) + std::fabs(whole - kept.Sline);
}

// Distance from the centroid's level to the farther extreme fibre.
double FarFibre(const NetExtent& e, double centre) { return std::max(e.hi - centre, centre - e.lo); }

// v, or 0 where it is within rounding of zero at the given scale.
double ZeroWithin(double v, double scale) { return std::fabs(v) <= 1e-12 * scale ? 0 : v; }

}  // namespace

double EqualAreaLevel(const CutDirection& d, double totalArea) {
  if (!(totalArea > 0) || d.items.empty()) return Unavailable;
  const double half = totalArea / 2;
  auto f = [&](double c) { return CutAt(d, c).A - half; };
  // Brent's method on [vmin, vmax], where the part kept runs from all to nothing.
  double a = d.vmin, b = d.vmax;
  double fa = f(a), fb = f(b);
  // Signs, not a product, which would vanish for tiny sections.
  if ((fa > 0 && fb > 0) || (fa < 0 && fb < 0)) return Unavailable;  // holes outweigh material
  const double span = d.vmax - d.vmin;
  double c = a, fc = fa, step = b - a, last = step;
  for (int iter = 0; iter < 200; ++iter) {
    if ((fb > 0) == (fc > 0) && fb != 0) {
      c = a;
      fc = fa;
      step = last = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b, b = c, c = a;
      fa = fb, fb = fc, fc = fa;
    }
    const double tol = 2 * DBL_EPSILON * std::fabs(b) + 2 * DBL_EPSILON * span;
    const double m = (c - b) / 2;
    if (std::fabs(m) <= tol || fb == 0) return b;
    if (std::fabs(last) >= tol && std::fabs(fa) > std::fabs(fb)) {
      double s = fb / fa, p, q;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        double qa = fa / fc, r = fb / fc;
        p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
        q = (qa - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q;
      else p = -p;
      if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(last * q))) {
        last = step;
        step = p / q;
      } else {
        step = last = m;
      }
    } else {
      step = last = m;
    }
    a = b;
    fa = fb;
    b += std::fabs(step) > tol ? step : (m > 0 ? tol : -tol);
    fb = f(b);
  }
  return b;
}

ModuliSet ComputeModuli() {
  const PropertySet& p = Calc.props;
  ModuliSet m;
  m.rx = Radius(p.Ixx, p.A);
  m.ry = Radius(p.Iyy, p.A);
  m.rmax = Radius(p.Imax, p.A);
  m.rmin = Radius(p.Imin, p.A);
  m.angle = p.angle;
  m.yTop = m.yBottom = m.xLeft = m.xRight = m.uFibre = m.vFibre = Unavailable;
  m.WelxTop = m.WelxBottom = m.WelyLeft = m.WelyRight = m.Welu = m.Welv = Unavailable;
  m.Wplx = m.Wply = m.Wplu = m.Wplv = m.xPNA = m.yPNA = m.perimeter = Unavailable;

  const CutModel model = BuildCutModel();
  if (const char* reason = NoShapeReason(model)) {
    m.unavailable = reason;
    return m;
  }
  const NetMaterial net = BuildNetMaterial(model);
  m.perimeter = NetBoundaryLength(net);

  const double a = p.angle * DegToRad;
  const CutDirection& dx = net.plane;                // cuts parallel to x
  const CutDirection dy = ProjectCut(model, 1, 0);   // cuts parallel to y
  const CutDirection du = ProjectCut(model, -std::sin(a), std::cos(a));  // parallel to u
  const CutDirection dv = ProjectCut(model, std::cos(a), std::sin(a));   // parallel to v
  if (!dx.anyPositive) {
    m.unavailable = "no section of positive weight is counted";
  } else {
    const NetExtent ex = NetMaterialExtent(net, dx), ey = NetMaterialExtent(net, dy);
    const NetExtent eu = NetMaterialExtent(net, du), ev = NetMaterialExtent(net, dv);
    // Without net material the area below says why.
    if (ex.any && ey.any && eu.any && ev.any) {
      m.yTop = ex.hi - p.yBar;
      m.yBottom = p.yBar - ex.lo;
      m.xRight = ey.hi - p.xBar;
      m.xLeft = p.xBar - ey.lo;
      m.uFibre = FarFibre(eu, du.nx * p.xBar + du.ny * p.yBar);
      m.vFibre = FarFibre(ev, dv.nx * p.xBar + dv.ny * p.yBar);
      m.WelxTop = p.Ixx / m.yTop;
      m.WelxBottom = p.Ixx / m.yBottom;
      m.WelyLeft = p.Iyy / m.xLeft;
      m.WelyRight = p.Iyy / m.xRight;
      m.Welu = p.Imax / m.uFibre;
      m.Welv = p.Imin / m.vFibre;
    }
  }

  // Every counted piece; an area within rounding of zero at the section's size and
  // place is none.
  const double area = CutAt(dx, dx.vmin).A;
  if (!(area > 1e-12 * net.size * std::max(net.size, net.reach))) {
    if (m.unavailable.empty()) m.unavailable = "the net area is not positive";
    return m;
  }
  m.yPNA = EqualAreaLevel(dx, area);
  m.xPNA = EqualAreaLevel(dy, area);
  m.Wplx = PlasticModulus(dx, m.yPNA);
  m.Wply = PlasticModulus(dy, m.xPNA);
  m.Wplu = PlasticModulus(du, EqualAreaLevel(du, area));
  m.Wplv = PlasticModulus(dv, EqualAreaLevel(dv, area));
  if (std::isnan(m.yPNA) || std::isnan(m.xPNA))
    if (m.unavailable.empty()) m.unavailable = "holes outweigh the material along a cut";
  return m;
}

ShearPoint ShearAt(const CutDirection& d, const PropertySet& p, ShearAxis axis, double level) {
  const CutPart k = CutAt(d, level);
  const bool x = axis == ShearAxis::X;
  const double centre = x ? p.yBar : p.xBar;
  const double depth = std::max({d.vmax - d.vmin, std::fabs(d.vmin), std::fabs(d.vmax)});
  ShearPoint s;
  s.level = level;
  s.width = ZeroWithin(k.width, depth);
  // About the centroidal axis: ∫(v - centre) dA = ∫(v - level) dA + (level - centre) A.
  s.Q = ZeroWithin(k.Sline + (level - centre) * k.A, std::fabs(p.A) * depth);
  const double i = x ? p.Ixx : p.Iyy;
  s.tauPerV = s.width > 0 && i != 0 ? s.Q / (i * s.width) : Unavailable;
  return s;
}

std::vector<ShearPoint> ShearProfile(const CutModel& model, const PropertySet& p, ShearAxis axis,
                                     int steps) {
  std::vector<ShearPoint> profile;
  if (NoShapeReason(model) || steps < 1) return profile;
  const bool x = axis == ShearAxis::X;
  const double nx = x ? 0 : 1, ny = x ? 1 : 0;
  const CutDirection d = ProjectCut(model, nx, ny);
  const NetExtent e = NetMaterialExtent(BuildNetMaterial(model), d);
  if (!e.any) return profile;
  const double i = x ? p.Ixx : p.Iyy;
  // At an extreme fibre: Q = 0, and the width of the face from the material's side
  // (the cut from above at the lowest level, from below at the highest).
  auto fibre = [&](double level, double width) {
    ShearPoint s{level, ZeroWithin(width, e.hi - e.lo), 0, Unavailable};
    if (s.width > 0 && i != 0) s.tauPerV = 0;
    return s;
  };
  profile.push_back(fibre(ZeroWithin(e.lo, e.hi - e.lo), CutAt(d, e.lo).width));
  for (int k = 1; k < steps; ++k) {
    const double level = ZeroWithin(e.lo + (e.hi - e.lo) * k / steps, e.hi - e.lo);
    profile.push_back(ShearAt(d, p, axis, level));
  }
  profile.push_back(fibre(ZeroWithin(e.hi, e.hi - e.lo), CutSection(model, -nx, -ny, -e.hi).width));
  return profile;
}

std::vector<std::string> ModuliReportLines(const ModuliSet& m, int digits) {
  const std::string mask = ValueMask(digits);
  std::vector<std::string> lines;
  auto value = [&](const char* label, double v) {
    lines.push_back(std::string(label) + "\t=   " +
                    (std::isnan(v) ? std::string("unavailable") : FormatValue(v, mask)));
  };
  lines.push_back(" Radii of Gyration");
  lines.push_back("");
  value(" rx   ", m.rx);
  value(" ry   ", m.ry);
  value(" rmax ", m.rmax);
  value(" rmin ", m.rmin);
  lines.push_back("");
  lines.push_back(" Principal Axes");
  lines.push_back("");
  value(" Angle ", m.angle);
  lines.back() += "  Degrs";
  lines.push_back(" u: the Imax axis, at the angle from x");
  lines.push_back(" v: the Imin axis, at right angles to u");
  lines.push_back("");
  lines.push_back(" Elastic Moduli");
  lines.push_back("");
  value(" Welx top    ", m.WelxTop);
  value(" Welx bottom ", m.WelxBottom);
  value(" Wely left   ", m.WelyLeft);
  value(" Wely right  ", m.WelyRight);
  value(" Welu        ", m.Welu);
  value(" Welv        ", m.Welv);
  lines.push_back("");
  lines.push_back(" Plastic Moduli");
  lines.push_back("");
  value(" Wplx ", m.Wplx);
  value(" Wply ", m.Wply);
  value(" Wplu ", m.Wplu);
  value(" Wplv ", m.Wplv);
  value(" yPNA ", m.yPNA);
  value(" xPNA ", m.xPNA);
  lines.push_back(" Wplx is about the line y = yPNA,");
  lines.push_back(" Wply about the line x = xPNA.");
  lines.push_back("");
  value(" Perimeter ", m.perimeter);
  if (!m.unavailable.empty()) {
    lines.push_back("");
    lines.push_back(" Unavailable: " + m.unavailable);
  }
  return lines;
}
