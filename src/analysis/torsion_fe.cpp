// Three Neumann problems on one stiffness K = sum w * grad N . grad N:
//  - warping: K omega = integral w (y dN/dx - x dN/dy), the weak form of
//    laplace(omega) = 0 with d omega/dn = y nx - x ny;
//  - shear functions for a unit shear force along x and along y:
//    div(w (grad Psi - g)) = -w (alpha x + beta y) with no traction on the boundary,
//    where alpha x + beta y is the gradient of the bending stress along the bar and
//    g = (0, nu/(1+nu) (alpha x y - beta x^2/2)) carries Poisson's ratio (its curl is
//    what compatibility asks for, zero at the centroid); the shear stress is
//    tau = w (grad Psi - g).
// All coordinates are taken about the centroid. The constant null mode is removed by
// pinning one node; one LDLT factorisation serves the three right-hand sides.
#include "analysis/torsion_fe.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>
#include <array>
#include <cmath>
#include <numeric>

#include "analysis/tri6.h"

namespace {

// One quadrature point of one element, with its weighted area.
struct Sample {
  int element;
  double wdA;
  Tri6Point p;
};

std::string MeshFault(const SectionMesh& mesh) {
  if (mesh.elements.empty()) return "the mesh has no elements";
  const int count = static_cast<int>(mesh.nodes.size());
  for (const MeshNode& node : mesh.nodes)
    if (!std::isfinite(node.x) || !std::isfinite(node.y)) return "a mesh node is not finite";
  for (const MeshElement& e : mesh.elements) {
    for (int n : e.nodes)
      if (n < 0 || n >= count) return "a mesh element names a node that does not exist";
    if (!(e.weight > 0) || !std::isfinite(e.weight)) return "a mesh element has no positive weight";
  }
  return {};
}

// Whether the elements form one connected piece (sharing nodes): with several pieces
// the shear problem has no solution and one pinned node would not fix the warping.
bool Connected(const SectionMesh& mesh) {
  std::vector<int> parent(mesh.nodes.size());
  std::iota(parent.begin(), parent.end(), 0);
  auto root = [&](int n) {
    while (parent[n] != n) n = parent[n] = parent[parent[n]];
    return n;
  };
  for (const MeshElement& e : mesh.elements)
    for (int n : e.nodes) parent[root(n)] = root(e.nodes[0]);
  const int first = root(mesh.elements[0].nodes[0]);
  for (const MeshElement& e : mesh.elements)
    if (root(e.nodes[0]) != first) return false;
  return true;
}

std::array<MeshNode, 6> ElementNodes(const std::vector<MeshNode>& nodes, const MeshElement& e) {
  std::array<MeshNode, 6> out;
  for (int i = 0; i < 6; ++i) out[i] = nodes[e.nodes[i]];
  return out;
}

double Interpolate(const Sample& s, const MeshElement& e, const Eigen::VectorXd& field) {
  double v = 0;
  for (int i = 0; i < 6; ++i) v += s.p.n[i] * field[e.nodes[i]];
  return v;
}

std::array<double, 2> Gradient(const Sample& s, const MeshElement& e, const Eigen::VectorXd& field) {
  double gx = 0, gy = 0;
  for (int i = 0; i < 6; ++i) {
    gx += s.p.dx[i] * field[e.nodes[i]];
    gy += s.p.dy[i] * field[e.nodes[i]];
  }
  return {gx, gy};
}

// The shear stress of one load case, integrated: its shear area (1 / the weighted
// strain energy of a unit force) and its moment about the centroid.
struct ShearCase {
  double area = 0, moment = 0;
};

ShearCase IntegrateShear(const SectionMesh& mesh, const std::vector<Sample>& samples,
                         const Eigen::VectorXd& psi, double alpha, double beta, double k) {
  double energy = 0, moment = 0;
  for (const Sample& s : samples) {
    const MeshElement& e = mesh.elements[s.element];
    const auto [px, py] = Gradient(s, e, psi);
    const double x = s.p.x, y = s.p.y;
    const double tx = px, ty = py - k * (alpha * x * y - beta * x * x / 2);
    energy += s.wdA * (tx * tx + ty * ty);
    moment += s.wdA * (x * ty - y * tx);
  }
  return {1 / energy, moment};
}

}  // namespace

TorsionResult SolveTorsion(const SectionMesh& mesh, double poisson) {
  TorsionResult r;
  r.reason = MeshFault(mesh);
  if (!r.reason.empty()) return r;
  if (!Connected(mesh)) {
    r.reason = "the net material is in separate pieces";
    return r;
  }

  std::vector<Sample> samples;
  samples.reserve(mesh.elements.size() * Tri6Rule().size());
  for (int e = 0; e < static_cast<int>(mesh.elements.size()); ++e) {
    const auto nodes = ElementNodes(mesh.nodes, mesh.elements[e]);
    for (const TriangleRulePoint& q : Tri6Rule()) {
      Sample s{e, 0, EvaluateTri6(nodes, q.xi, q.eta)};
      if (!(s.p.detJ > 0) || !std::isfinite(s.p.detJ)) {
        r.reason = "a mesh element is folded or not counter-clockwise";
        return r;
      }
      s.wdA = mesh.elements[e].weight * q.weight * s.p.detJ / 2;
      samples.push_back(s);
    }
  }

  double sx = 0, sy = 0;
  for (const Sample& s : samples) {
    r.A += s.wdA;
    sx += s.wdA * s.p.x;
    sy += s.wdA * s.p.y;
  }
  r.xBar = sx / r.A;
  r.yBar = sy / r.A;
  for (Sample& s : samples) {
    s.p.x -= r.xBar;
    s.p.y -= r.yBar;
    r.Ixx += s.wdA * s.p.y * s.p.y;
    r.Iyy += s.wdA * s.p.x * s.p.x;
    r.Ixy += s.wdA * s.p.x * s.p.y;
  }
  const double det = r.Ixx * r.Iyy - r.Ixy * r.Ixy;
  if (!(det > 1e-12 * (r.Ixx + r.Iyy) * (r.Ixx + r.Iyy))) {
    r.reason = "the section has no second moment about some axis";
    return r;
  }

  // Unknowns: every node an element uses, except the pinned first one.
  const int nodeCount = static_cast<int>(mesh.nodes.size());
  const int pinned = mesh.elements[0].nodes[0];
  std::vector<char> used(nodeCount, 0);
  for (const MeshElement& e : mesh.elements)
    for (int n : e.nodes) used[n] = 1;
  std::vector<int> dof(nodeCount, -1);
  int unknowns = 0;
  for (int n = 0; n < nodeCount; ++n)
    if (used[n] && n != pinned) dof[n] = unknowns++;
  if (unknowns == 0) {
    r.reason = "the mesh has no free node";
    return r;
  }

  // Right-hand sides: warping, then the shear loads' parts in alpha and in beta.
  const double k = poisson / (1 + poisson);
  Eigen::MatrixXd rhs = Eigen::MatrixXd::Zero(unknowns, 3);
  std::vector<Eigen::Triplet<double>> triplets;
  triplets.reserve(mesh.elements.size() * 21);
  for (std::size_t first = 0; first < samples.size(); first += Tri6Rule().size()) {
    const MeshElement& e = mesh.elements[samples[first].element];
    std::array<std::array<double, 6>, 6> ke{};
    for (std::size_t q = first; q < first + Tri6Rule().size(); ++q) {
      const Sample& s = samples[q];
      const double x = s.p.x, y = s.p.y, w = s.wdA;
      for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j) ke[i][j] += w * (s.p.dx[i] * s.p.dx[j] + s.p.dy[i] * s.p.dy[j]);
        const int d = dof[e.nodes[i]];
        if (d < 0) continue;
        rhs(d, 0) += w * (y * s.p.dx[i] - x * s.p.dy[i]);
        rhs(d, 1) += w * (k * x * y * s.p.dy[i] + x * s.p.n[i]);
        rhs(d, 2) += w * (-k * x * x / 2 * s.p.dy[i] + y * s.p.n[i]);
      }
    }
    // The factorisation reads the lower triangle only.
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) {
        const int di = dof[e.nodes[i]], dj = dof[e.nodes[j]];
        if (di >= dj && dj >= 0) triplets.emplace_back(di, dj, ke[i][j]);
      }
  }
  Eigen::SparseMatrix<double> stiffness(unknowns, unknowns);
  stiffness.setFromTriplets(triplets.begin(), triplets.end());

  Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(stiffness);
  if (ldlt.info() != Eigen::Success || !(ldlt.vectorD().minCoeff() > 0)) {
    r.reason = "the stiffness matrix could not be factorised";
    return r;
  }
  const Eigen::MatrixXd solved = ldlt.solve(rhs);

  // Nodal fields, 0 at the pinned node and at nodes no element uses.
  Eigen::MatrixXd fields = Eigen::MatrixXd::Zero(nodeCount, 3);
  for (int n = 0; n < nodeCount; ++n)
    if (dof[n] >= 0) fields.row(n) = solved.row(dof[n]);
  Eigen::VectorXd omega = fields.col(0);

  r.J = r.Ixx + r.Iyy - rhs.col(0).dot(solved.col(0));

  // Trefftz's shear centre: the pole about which the warping function has no
  // product with x or y. Moving the pole to (xp, yp) adds -yp x + xp y to omega,
  // which leaves its mean alone (x and y are centroidal).
  double mean = 0, iwx = 0, iwy = 0;
  for (const Sample& s : samples) {
    const double w = s.wdA * Interpolate(s, mesh.elements[s.element], omega);
    mean += w;
    iwx += w * s.p.x;
    iwy += w * s.p.y;
  }
  mean /= r.A;
  const double xp = (r.Ixy * iwx - r.Iyy * iwy) / det;
  const double yp = (r.Ixx * iwx - r.Ixy * iwy) / det;
  r.xsT = r.xBar + xp;
  r.ysT = r.yBar + yp;
  for (int n = 0; n < nodeCount; ++n)
    if (used[n])
      omega[n] += -yp * (mesh.nodes[n].x - r.xBar) + xp * (mesh.nodes[n].y - r.yBar) - mean;
  for (const Sample& s : samples) {
    const double v = Interpolate(s, mesh.elements[s.element], omega);
    r.Iw += s.wdA * v * v;
  }
  r.warping.assign(omega.data(), omega.data() + nodeCount);

  // Unit shear force along x, then along y: alpha, beta from
  // [Iyy Ixy; Ixy Ixx] (alpha, beta) = (Vx, Vy), so that the shear stress sums to V.
  const double ax = r.Ixx / det, bx = -r.Ixy / det;
  const double ay = -r.Ixy / det, by = r.Iyy / det;
  const Eigen::VectorXd psiX = ax * fields.col(1) + bx * fields.col(2);
  const Eigen::VectorXd psiY = ay * fields.col(1) + by * fields.col(2);
  const ShearCase alongX = IntegrateShear(mesh, samples, psiX, ax, bx, k);
  const ShearCase alongY = IntegrateShear(mesh, samples, psiY, ay, by, k);
  r.Asx = alongX.area;
  r.Asy = alongY.area;
  // A unit force along y at x = xs has the moment xs; one along x at y = ys, -ys.
  r.xs = r.xBar + alongY.moment;
  r.ys = r.yBar - alongX.moment;

  for (double v : {r.J, r.Iw, r.xs, r.ys, r.xsT, r.ysT, r.Asx, r.Asy})
    if (!std::isfinite(v)) {
      r.reason = "the solution is not finite";
      r.warping.clear();
      return r;
    }
  r.ok = true;
  return r;
}
