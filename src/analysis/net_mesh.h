// A conforming mesh of curved 6-node triangles over the net material: every outline
// of the cut model is a constraint, arcs enter as short chords, and the sides on arcs
// are put back on the true arcs (their corners and mid-side nodes).
#pragma once

#include <string>

#include "analysis/section_mesh.h"
#include "model/net_material.h"
#include "util/numeric.h"

struct MeshOutcome {
  bool ok = false;
  std::string reason;  // why there is no mesh, for the user; empty when ok
  SectionMesh mesh;
};

// The longest chord angle of an arc (radians). A curved side through an arc's ends
// and middle misses the arc by r²θ⁵/960 of area: on a whole circle 6e-7 of its area.
inline constexpr double MeshChordAngle = Pi / 24;

// The most elements a mesh may have; a finer one is refused rather than built.
inline constexpr int MeshElementLimit = 400000;

// Meshes the net material of net (BuildNetMaterial of the cut model of the computed
// table) with elements whose sides are at most about maxEdge long; a smaller maxEdge
// gives a finer mesh of the same region. Each element carries the net weight of the
// material under it. Refuses, with the reason, merge data, a negative net weight,
// material in parts not joined along a side, and meshes beyond MeshElementLimit.
// widestChord narrows the chords of the arcs below MeshChordAngle, so that a finer
// mesh also follows the arcs more closely.
MeshOutcome MeshNetMaterial(const NetMaterial& net, double maxEdge,
                            double widestChord = MeshChordAngle);
