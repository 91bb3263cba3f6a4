#include "support/structured_mesh.h"

#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace {

// Nodes keyed by their place on a grid of half cells, made when first named.
struct NodeGrid {
  SectionMesh mesh;
  std::map<std::pair<int, int>, int> ids;
  std::function<MeshNode(int, int)> place;
  // Where two indexes name one node (round a ring, at a centre).
  std::function<std::pair<int, int>(int, int)> same = [](int i, int j) { return std::pair{i, j}; };

  int Node(int i, int j) {
    const auto key = same(i, j);
    auto [it, added] = ids.try_emplace(key, static_cast<int>(mesh.nodes.size()));
    if (added) mesh.nodes.push_back(place(key.first, key.second));
    return it->second;
  }
  // Corners given in half-cell indexes, counter-clockwise; mid-sides halfway.
  void Triangle(std::array<std::pair<int, int>, 3> c) {
    MeshElement e;
    for (int k = 0; k < 3; ++k) {
      const auto [i0, j0] = c[k];
      const auto [i1, j1] = c[(k + 1) % 3];
      e.nodes[k] = Node(i0, j0);
      e.nodes[k + 3] = Node((i0 + i1) / 2, (j0 + j1) / 2);
    }
    mesh.elements.push_back(e);
  }
  // The cell with lower-left corner (i, j) in half-cell indexes, in two triangles.
  void Cell(int i, int j) {
    if ((i / 2 + j / 2) % 2 == 0) {
      Triangle({{{i, j}, {i + 2, j}, {i + 2, j + 2}}});
      Triangle({{{i, j}, {i + 2, j + 2}, {i, j + 2}}});
    } else {
      Triangle({{{i, j}, {i + 2, j}, {i, j + 2}}});
      Triangle({{{i + 2, j}, {i + 2, j + 2}, {i, j + 2}}});
    }
  }
};

// The half-cell coordinates along one direction and where each interval starts.
std::vector<double> HalfSteps(const std::vector<double>& lines, const std::vector<int>& cells,
                              std::vector<int>& starts) {
  std::vector<double> steps;
  for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
    starts.push_back(static_cast<int>(steps.size()));
    for (int h = 0; h < 2 * cells[k]; ++h)
      steps.push_back(lines[k] + (lines[k + 1] - lines[k]) * h / (2 * cells[k]));
  }
  starts.push_back(static_cast<int>(steps.size()));
  steps.push_back(lines.back());
  return steps;
}

}  // namespace

SectionMesh GridMesh(const MeshGrid& grid, const std::function<bool(int, int)>& filled) {
  std::vector<int> xStart, yStart;
  const std::vector<double> xs = HalfSteps(grid.x, grid.xCells, xStart);
  const std::vector<double> ys = HalfSteps(grid.y, grid.yCells, yStart);
  NodeGrid g;
  g.place = [&](int i, int j) { return MeshNode{xs[i], ys[j]}; };
  for (std::size_t bi = 0; bi + 1 < grid.x.size(); ++bi)
    for (std::size_t bj = 0; bj + 1 < grid.y.size(); ++bj)
      if (filled(static_cast<int>(bi), static_cast<int>(bj)))
        for (int i = xStart[bi]; i < xStart[bi + 1]; i += 2)
          for (int j = yStart[bj]; j < yStart[bj + 1]; j += 2) g.Cell(i, j);
  return std::move(g.mesh);
}

SectionMesh RectangleMesh(double x0, double y0, double width, double height, int nx, int ny) {
  return GridMesh({{x0, x0 + width}, {y0, y0 + height}, {nx}, {ny}}, [](int, int) { return true; });
}

SectionMesh AnnulusMesh(double cx, double cy, double inner, double outer, int rings, int sectors) {
  constexpr double kPi = 3.14159265358979323846;
  const bool disc = inner == 0;
  NodeGrid g;
  // i counts half rings outwards, j half sectors round.
  g.place = [&](int i, int j) {
    const double r = inner + (outer - inner) * i / (2 * rings);
    const double t = kPi * j / sectors;
    return MeshNode{cx + r * std::cos(t), cy + r * std::sin(t)};
  };
  g.same = [&](int i, int j) { return std::pair{i, disc && i == 0 ? 0 : j % (2 * sectors)}; };
  for (int ring = 0; ring < rings; ++ring)
    for (int j = 0; j < 2 * sectors; j += 2) {
      if (ring > 0 || !disc) {
        g.Cell(2 * ring, j);
        continue;
      }
      MeshElement e;
      e.nodes = {g.Node(0, 0), g.Node(2, j), g.Node(2, j + 2),
                 g.Node(1, j), g.Node(2, j + 1), g.Node(1, j + 2)};
      g.mesh.elements.push_back(e);
    }
  return std::move(g.mesh);
}
