#include "analysis/tri6.h"

const std::array<TriangleRulePoint, 12>& Tri6Rule() {
  static const std::array<TriangleRulePoint, 12> rule = [] {
    std::array<TriangleRulePoint, 12> r{};
    int k = 0;
    // Three points on each median (a, a, 1 - 2a), then six at (a, b, 1 - a - b).
    auto median = [&](double a, double w) {
      const double c = 1 - 2 * a;
      r[k++] = {a, a, w};
      r[k++] = {c, a, w};
      r[k++] = {a, c, w};
    };
    median(0.249286745170910, 0.116786275726379);
    median(0.063089014491502, 0.050844906370207);
    const double a = 0.053145049844817, b = 0.310352451033784, c = 1 - a - b;
    const double w = 0.082851075618374;
    for (auto [xi, eta] : {std::pair{a, b}, {b, a}, {a, c}, {c, a}, {b, c}, {c, b}})
      r[k++] = {xi, eta, w};
    return r;
  }();
  return rule;
}

Tri6Point EvaluateTri6(const std::array<MeshNode, 6>& nodes, double xi, double eta) {
  const double l1 = 1 - xi - eta, l2 = xi, l3 = eta;
  Tri6Point p;
  p.n = {l1 * (2 * l1 - 1), l2 * (2 * l2 - 1), l3 * (2 * l3 - 1),
         4 * l1 * l2,       4 * l2 * l3,       4 * l3 * l1};
  const std::array<double, 6> dXi = {1 - 4 * l1, 4 * l2 - 1, 0, 4 * (l1 - l2), 4 * l3, -4 * l3};
  const std::array<double, 6> dEta = {1 - 4 * l1, 0, 4 * l3 - 1, -4 * l2, 4 * l2, 4 * (l1 - l3)};
  double xXi = 0, xEta = 0, yXi = 0, yEta = 0;
  for (int i = 0; i < 6; ++i) {
    p.x += p.n[i] * nodes[i].x;
    p.y += p.n[i] * nodes[i].y;
    xXi += dXi[i] * nodes[i].x;
    xEta += dEta[i] * nodes[i].x;
    yXi += dXi[i] * nodes[i].y;
    yEta += dEta[i] * nodes[i].y;
  }
  p.detJ = xXi * yEta - xEta * yXi;
  if (!(p.detJ > 0)) return p;
  for (int i = 0; i < 6; ++i) {
    p.dx[i] = (yEta * dXi[i] - yXi * dEta[i]) / p.detJ;
    p.dy[i] = (xXi * dEta[i] - xEta * dXi[i]) / p.detJ;
  }
  return p;
}
