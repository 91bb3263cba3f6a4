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
// both sides about it, each taken as a magnitude.
double PlasticModulus(const CutDirection& d, const CutPart& all, double c) {
  if (std::isnan(c)) return Unavailable;
  const CutPart kept = CutAt(d, c);
  const double whole = d.nx * all.Sx + d.ny * all.Sy - c * all.A;  // ∫(v - c) dA
  return std::fabs(kept.Sline) + std::fabs(whole - kept.Sline);
}

// Distance from the centroid's level to the farther extreme fibre.
double FarFibre(const NetExtent& e, double centre) { return std::max(e.hi - centre, centre - e.lo); }

}  // namespace

double EqualAreaLevel(const CutDirection& d, double totalArea) {
  if (!(totalArea > 0) || d.items.empty()) return Unavailable;
  const double half = totalArea / 2;
  auto f = [&](double c) { return CutAt(d, c).A - half; };
  // Brent's method on [vmin, vmax], where the part kept runs from all to nothing.
  double a = d.vmin, b = d.vmax;
  double fa = f(a), fb = f(b);
  if (fa * fb > 0) return Unavailable;  // holes outweigh material somewhere
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
  m.yTop = m.yBottom = m.xLeft = m.xRight = m.uFibre = m.vFibre = Unavailable;
  m.WelxTop = m.WelxBottom = m.WelyLeft = m.WelyRight = m.Welu = m.Welv = Unavailable;
  m.Wplx = m.Wply = m.Wplu = m.Wplv = m.xPNA = m.yPNA = m.perimeter = Unavailable;

  const CutModel model = BuildCutModel();
  if (model.shapeless) {
    m.unavailable = "merge data carries no shape";
    return m;
  }
  if (model.elements.empty()) {
    m.unavailable = "no section with a shape is counted";
    return m;
  }
  const NetMaterial net = BuildNetMaterial(model);
  m.perimeter = NetBoundaryLength(net);

  const double a = p.angle * DegToRad;
  const CutDirection dx = ProjectCut(model, 0, 1);   // cuts parallel to x
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

  const CutPart all = CutAt(dx, dx.vmin - 1);  // every counted piece
  if (!(all.A > 0)) {
    if (m.unavailable.empty()) m.unavailable = "the net area is not positive";
    return m;
  }
  m.yPNA = EqualAreaLevel(dx, all.A);
  m.xPNA = EqualAreaLevel(dy, all.A);
  m.Wplx = PlasticModulus(dx, all, m.yPNA);
  m.Wply = PlasticModulus(dy, all, m.xPNA);
  m.Wplu = PlasticModulus(du, all, EqualAreaLevel(du, all.A));
  m.Wplv = PlasticModulus(dv, all, EqualAreaLevel(dv, all.A));
  if (std::isnan(m.yPNA) || std::isnan(m.xPNA))
    if (m.unavailable.empty()) m.unavailable = "holes outweigh the material along a cut";
  return m;
}

ShearPoint ShearAt(const CutDirection& d, const PropertySet& p, ShearAxis axis, double level) {
  const CutPart k = CutAt(d, level);
  const bool x = axis == ShearAxis::X;
  ShearPoint s;
  s.level = level;
  s.width = k.width;
  // About the centroidal axis: ∫(v - centre) dA = ∫(v - level) dA + (level - centre) A.
  s.Q = k.Sline + (level - (x ? p.yBar : p.xBar)) * k.A;
  const double i = x ? p.Ixx : p.Iyy;
  s.tauPerV = k.width > 0 && i != 0 ? s.Q / (i * k.width) : Unavailable;
  return s;
}

std::vector<ShearPoint> ShearProfile(const CutModel& model, const PropertySet& p, ShearAxis axis,
                                     int steps) {
  std::vector<ShearPoint> profile;
  if (model.shapeless || model.elements.empty() || steps < 1) return profile;
  const CutDirection d =
      axis == ShearAxis::X ? ProjectCut(model, 0, 1) : ProjectCut(model, 1, 0);
  const NetExtent e = NetMaterialExtent(BuildNetMaterial(model), d);
  if (!e.any) return profile;
  for (int i = 0; i <= steps; ++i) {
    const double level = i == steps ? e.hi : e.lo + (e.hi - e.lo) * i / steps;
    profile.push_back(ShearAt(d, p, axis, level));
  }
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
  value(" xPNA ", m.xPNA);
  value(" yPNA ", m.yPNA);
  lines.push_back("");
  value(" Perimeter ", m.perimeter);
  if (!m.unavailable.empty()) {
    lines.push_back("");
    lines.push_back(" Unavailable: " + m.unavailable);
  }
  return lines;
}
