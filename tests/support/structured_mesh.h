// Structured meshes of 6-node triangles for the analysis tests and benchmarks:
// rectangular blocks on grid lines, and rings or discs through a polar map (every
// node, mid-side ones included, on the map, so sides on arcs are truly curved).
#pragma once

#include <functional>
#include <vector>

#include "analysis/section_mesh.h"

// Grid lines x and y (increasing) and the number of cells along each interval.
struct MeshGrid {
  std::vector<double> x, y;
  std::vector<int> xCells, yCells;
};

// The blocks (i, j) of the grid for which filled(i, j) holds; each cell is cut into
// two triangles, the diagonals alternating so that a symmetric grid with even
// numbers of cells gives a symmetric mesh.
SectionMesh GridMesh(const MeshGrid& grid, const std::function<bool(int, int)>& filled);
SectionMesh RectangleMesh(double x0, double y0, double width, double height, int nx, int ny);

// A ring about (cx, cy); inner radius 0 gives a disc (one triangle per sector at the
// centre).
SectionMesh AnnulusMesh(double cx, double cy, double inner, double outer, int rings, int sectors);
