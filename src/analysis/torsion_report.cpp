#include <cstdio>
#include <string>
#include <vector>

#include "analysis/torsion_analysis.h"
#include "model/report.h"

std::vector<std::string> TorsionReportLines(const TorsionAnalysis& r, int digits) {
  std::vector<std::string> lines;
  if (!r.ok) {
    lines.push_back(" Torsion and Warping");
    lines.push_back("");
    lines.push_back(" Unavailable: " + r.reason);
    return lines;
  }
  const std::string mask = ValueMask(digits);
  auto value = [&](const char* label, double v) {
    lines.push_back(std::string(label) + "\t=   " + FormatValue(v, mask));
    return lines.size() - 1;
  };
  char error[32];
  std::snprintf(error, sizeof error, "%.1e", r.Jerr);
  lines.push_back(" Torsion");
  lines.push_back("");
  value(" J    ", r.J);
  lines.push_back(" Jerr \t=   " + std::string(error) + "  (estimated relative error of J)");
  lines.push_back("");
  lines.push_back(" Warping");
  lines.push_back("");
  value(" Iw   ", r.Iw);
  lines.push_back(" Iw is about the shear centre.");
  lines.push_back("");
  lines.push_back(" Shear Centre");
  lines.push_back("");
  value(" xs   ", r.xs);
  value(" ys   ", r.ys);
  value(" xsT  ", r.xsT);
  value(" ysT  ", r.ysT);
  char poisson[32];
  std::snprintf(poisson, sizeof poisson, "%g", r.poisson);
  lines.push_back(" xs, ys elastic (Poisson's ratio " + std::string(poisson) + "),");
  lines.push_back(" xsT, ysT Trefftz's.");
  lines.push_back("");
  lines.push_back(" Shear Areas");
  lines.push_back("");
  lines[value(" Asx  ", r.Asx)] += "   A/Asx =  " + FormatValue(r.A / r.Asx, mask);
  lines[value(" Asy  ", r.Asy)] += "   A/Asy =  " + FormatValue(r.A / r.Asy, mask);
  lines.push_back("");
  lines.push_back(" " + std::to_string(r.elements) + " elements of 6 nodes");
  return lines;
}
