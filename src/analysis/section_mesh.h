// A mesh of curved 6-node triangles over the net material of the section: what the
// torsion, warping and shear analysis integrates over.
#pragma once

#include <array>
#include <vector>

struct MeshNode {
  double x = 0, y = 0;
};

struct MeshElement {
  // Corners 0, 1, 2 counter-clockwise, then the mid-side nodes of the sides 0-1, 1-2
  // and 2-0. A side on an arc of the section has its mid-side node on the true arc.
  std::array<int, 6> nodes{};
  // The net weight of the material the element covers: its modular ratio.
  double weight = 1;
};

struct SectionMesh {
  std::vector<MeshNode> nodes;
  std::vector<MeshElement> elements;
};
