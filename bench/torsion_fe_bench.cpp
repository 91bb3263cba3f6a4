// Speed of the finite-element torsion, warping and shear solve on structured meshes
// of about a thousand curved 6-node elements (what one mesh level of a rolled
// profile gives): element integration, assembly, one factorisation, three solves.
#include <benchmark/benchmark.h>

#include "analysis/torsion_fe.h"
#include "support/structured_mesh.h"

namespace {

void BM_SolveTorsionChannel(benchmark::State& state) {
  const MeshGrid grid{{-0.5, 0.5, 8}, {-9.5, -8.5, 8.5, 9.5}, {4, 30}, {4, 68, 4}};
  const SectionMesh mesh = GridMesh(grid, [](int i, int j) { return i == 0 || j != 1; });
  for (auto _ : state) {
    TorsionResult r = SolveTorsion(mesh, 0.3);
    benchmark::DoNotOptimize(r);
  }
  state.counters["elements"] = static_cast<double>(mesh.elements.size());
}
BENCHMARK(BM_SolveTorsionChannel)->Unit(benchmark::kMillisecond);

void BM_SolveTorsionDisc(benchmark::State& state) {
  const SectionMesh mesh = AnnulusMesh(0, 0, 0, 1, 12, 44);
  for (auto _ : state) {
    TorsionResult r = SolveTorsion(mesh, 0.3);
    benchmark::DoNotOptimize(r);
  }
  state.counters["elements"] = static_cast<double>(mesh.elements.size());
}
BENCHMARK(BM_SolveTorsionDisc)->Unit(benchmark::kMillisecond);

}  // namespace
