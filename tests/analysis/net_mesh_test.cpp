// The mesh of the net material: its curved elements cover exactly the section (area
// and first moments by quadrature over the 6-node geometry), none is turned inside
// out, and what cannot be meshed is refused with its reason.
#include "analysis/net_mesh.h"

#include <algorithm>
#include <cmath>

#include "app/program_state.h"
#include "model/cut.h"
#include "model/pieces.h"
#include "support/core_test.h"
#include "util/numeric.h"

namespace {

// Weighted area and first moments of a mesh, and the smallest Jacobian determinant
// at the quadrature points relative to the element's own scale.
struct MeshSums {
  double A = 0, Sx = 0, Sy = 0, minJacobian = 1e300;
};

MeshSums Integrate(const SectionMesh& mesh) {
  // Six-point rule, exact for polynomials of degree 4 (x det J is of degree 3).
  static const double wa = 0.223381589678011, a1 = 0.445948490915965, a2 = 0.108103018168070;
  static const double wb = 0.109951743655322, b1 = 0.091576213509771, b2 = 0.816847572980459;
  const double rule[6][3] = {{a1, a1, wa}, {a1, a2, wa}, {a2, a1, wa},
                             {b1, b1, wb}, {b1, b2, wb}, {b2, b1, wb}};
  MeshSums sums;
  for (const MeshElement& e : mesh.elements) {
    double x[6], y[6];
    for (int k = 0; k < 6; ++k) x[k] = mesh.nodes[e.nodes[k]].x, y[k] = mesh.nodes[e.nodes[k]].y;
    const double scale = std::fabs((x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]));
    for (const auto& q : rule) {
      const double s = q[0], t = q[1], l = 1 - s - t;
      const double n[6] = {l * (2 * l - 1), s * (2 * s - 1), t * (2 * t - 1), 4 * l * s, 4 * s * t, 4 * t * l};
      const double ds[6] = {1 - 4 * l, 4 * s - 1, 0, 4 * (l - s), 4 * t, -4 * t};
      const double dt[6] = {1 - 4 * l, 0, 4 * t - 1, -4 * s, 4 * s, 4 * (l - t)};
      double px = 0, py = 0, xs = 0, xt = 0, ys = 0, yt = 0;
      for (int k = 0; k < 6; ++k) {
        px += n[k] * x[k], py += n[k] * y[k];
        xs += ds[k] * x[k], xt += dt[k] * x[k], ys += ds[k] * y[k], yt += dt[k] * y[k];
      }
      const double j = xs * yt - xt * ys;
      sums.minJacobian = std::min(sums.minJacobian, j / scale);
      const double w = q[2] / 2 * j * e.weight;
      sums.A += w, sums.Sx += w * px, sums.Sy += w * py;
    }
  }
  return sums;
}

class NetMeshTest : public CoreTest {
 protected:
  MeshOutcome Mesh(double maxEdge) {
    Compute();
    return MeshNetMaterial(BuildNetMaterial(BuildCutModel()), maxEdge);
  }
  // Meshes at maxEdge and checks the sums against the calculation's exact area, to
  // rel, and centroid, to rel of the section's size; returns the number of elements.
  std::size_t ExpectCovers(double maxEdge, double rel) {
    const MeshOutcome m = Mesh(maxEdge);
    EXPECT_TRUE(m.ok) << m.reason;
    const MeshSums s = Integrate(m.mesh);
    const PropertySet& p = Calc.props;
    const double size = BuildNetMaterial(BuildCutModel()).size;
    EXPECT_NEAR(s.A, p.A, rel * p.A);
    EXPECT_NEAR(s.Sx / s.A, p.xBar, rel * size);
    EXPECT_NEAR(s.Sy / s.A, p.yBar, rel * size);
    EXPECT_GT(s.minJacobian, 0);
    return m.mesh.elements.size();
  }
};

// Sides on arcs follow the arcs: a curved side through an arc's ends and middle
// misses r²θ⁵/960 of area against r²θ³/12 for a straight chord, so a circle comes
// within 1e-6 where chords alone would miss by 3e-3, and the fillets within a few
// 1e-7 where chords would miss by 1e-3.
TEST_F(NetMeshTest, CurvedOutlinesAreCoveredExactly) {
  AddCircle(1, 1, 2.5);
  const std::size_t coarse = ExpectCovers(0.8, 1e-6);
  const std::size_t fine = ExpectCovers(0.4, 1e-6);
  EXPECT_GT(fine, 3 * coarse);
  EXPECT_NEAR(Calc.props.A, Pi * 2.5 * 2.5, 1e-12);

  AddCircle(1.5, 1, 1.25, -1.0f);  // an eccentric hole makes a ring
  ExpectCovers(0.5, 1e-6);

  ResetTables();
  const int s = AddPolygon({{0, 0}, {8, 0}, {8, 5}, {0, 5}});
  for (int k = 0; k < 4; ++k) SetFillet(1 + 0.5 * k, Table.sections[s].firstNode + k);
  ExpectCovers(1.0, 3e-7);

  // A rolled I-section: root fillets in the re-entrant corners.
  ResetTables();
  AddRolledISection(300, 150, 7.1, 10.7, 15);
  ExpectCovers(10, 2e-7);
}

// Each element carries the weight of its material: a plate of weight 2 on a plate
// of weight 1, overlapping it in part, covers 1, 2 and 3.
TEST_F(NetMeshTest, CompositeElementsCarryTheirWeights) {
  AddPolygon({{0, 0}, {10, 0}, {10, 2}, {0, 2}});
  AddPolygon({{3, 1}, {7, 1}, {7, 3}, {3, 3}}, 2.0f);
  ExpectCovers(0.7, 1e-12);
  const MeshOutcome m = Mesh(0.7);
  std::vector<double> weights;
  for (const MeshElement& e : m.mesh.elements) weights.push_back(e.weight);
  std::sort(weights.begin(), weights.end());
  weights.erase(std::unique(weights.begin(), weights.end()), weights.end());
  EXPECT_EQ(weights, (std::vector<double>{1, 2, 3}));
}

// Where meshers fail: a slot 1e-5 wide, an abutting piece a few roundings askew
// (slivers thinner than the nodes' rounding), a hole touching its disc from inside.
TEST_F(NetMeshTest, HairlineGapsAndNearlyCoincidentOutlinesMesh) {
  AddPolygon({{0, 0}, {10, 0}, {10, 1}, {0, 1}});
  AddPolygon({{0, 1 + 1e-5}, {10, 1 + 1e-5}, {10, 2}, {0, 2}});
  AddPolygon({{10, 0}, {11, 0}, {11, 2}, {10, 2}});
  ExpectCovers(0.5, 1e-12);

  ResetTables();
  AddPolygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  AddPolygon({{0.999999, 0.2}, {2, 0.2}, {2, 0.8}, {1.0000001, 0.8}});
  ExpectCovers(0.2, 1e-6);

  ResetTables();
  AddCircle(0, 0, 1);
  AddCircle(0.5, 0, 0.5, -1.0f);
  ExpectCovers(0.2, 1e-4);
}

TEST_F(NetMeshTest, RefusesWhatHasNoConnectedShape) {
  AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddMergeData(5, 5, 4, 1, 1, 0);
  EXPECT_EQ(Mesh(0.5).reason, "merge data carries no shape");

  ResetTables();
  AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddPolygon({{3, 0}, {5, 0}, {5, 2}, {3, 2}});
  EXPECT_EQ(Mesh(0.5).reason, "the material falls apart into parts not joined along a side");

  ResetTables();  // touching at a corner only
  AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddPolygon({{2, 2}, {4, 2}, {4, 4}, {2, 4}});
  EXPECT_EQ(Mesh(0.5).reason, "the material falls apart into parts not joined along a side");

  ResetTables();  // a hole reaching beyond its plate
  AddPolygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  AddCircle(4, 2, 1, -1.0f);
  EXPECT_EQ(Mesh(0.5).reason, "a region has a negative net weight");
}

}  // namespace
