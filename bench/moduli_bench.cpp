// Speed of the section moduli on the full table: the whole set (radii, extreme
// fibres, elastic moduli, four plastic neutral axes by root search on the cut
// engine, plastic moduli, perimeter) from current properties. The full table counts
// merge data, which has no shape; the second benchmark switches those sections off
// so that every value is worked out.
#include <benchmark/benchmark.h>

#include <cmath>

#include "headless/headless_platform.h"
#include "model/moduli.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "support/table_builder.h"

namespace {

struct ModuliBench {
  HeadlessPlatform platform;
  explicit ModuliBench(bool mergeDataOff) {
    SetPlatform(&platform);
    BuildFullTable();
    if (mergeDataOff)
      for (int s = 1; s <= Table.sectionCount; ++s)
        if (KindOf(Table.sections[s]) == SectionKind::MergeData) Table.sections[s].flags |= Off;
    ComputePropertySet();
  }
  ~ModuliBench() { SetPlatform(nullptr); }
};

void BM_ModuliFullTable(benchmark::State& state) {
  ModuliBench bench(false);
  for (auto _ : state) {
    ModuliSet m = ComputeModuli();
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_ModuliFullTable)->Unit(benchmark::kMicrosecond);

void BM_ModuliFullTableWithShapes(benchmark::State& state) {
  ModuliBench bench(true);
  if (std::isnan(ComputeModuli().Wplu)) state.SkipWithError("the moduli were not worked out");
  for (auto _ : state) {
    ModuliSet m = ComputeModuli();
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_ModuliFullTableWithShapes)->Unit(benchmark::kMicrosecond);

}  // namespace
