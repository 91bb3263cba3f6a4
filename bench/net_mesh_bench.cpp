// Speed of the mesher on a rolled I-section (h 300, b 150, tw 7.1, tf 10.7, root
// fillets r 15, in mm) at an element size that gives about a thousand elements.
#include <benchmark/benchmark.h>

#include "analysis/net_mesh.h"
#include "app/program_state.h"
#include "headless/headless_platform.h"
#include "model/cut.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "support/table_builder.h"

namespace {

void BM_MeshRolledISection(benchmark::State& state) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ResetTables();
  AddRolledISection(300, 150, 7.1, 10.7, 15);
  ComputePropertySet();
  const NetMaterial net = BuildNetMaterial(BuildCutModel());
  const double maxEdge = static_cast<double>(state.range(0));
  std::size_t elements = 0;
  for (auto _ : state) {
    MeshOutcome m = MeshNetMaterial(net, maxEdge);
    if (!m.ok) state.SkipWithError(m.reason.c_str());
    elements = m.mesh.elements.size();
    benchmark::DoNotOptimize(m);
  }
  state.counters["elements"] = static_cast<double>(elements);
  SetPlatform(nullptr);
}
BENCHMARK(BM_MeshRolledISection)->Arg(8)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
