// Speed of a full recomputation of the properties.
#include <benchmark/benchmark.h>

#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "support/table_builder.h"

static void BM_ComputePropertiesFullTable(benchmark::State& state) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  BuildFullTable();
  for (auto _ : state) {
    Shared.ResultsCurrent = false;
    Calc.calcMode = CalcSilent;
    ComputeProperties();
    benchmark::DoNotOptimize(Calc.props);
  }
  if (!platform.Events().empty()) state.SkipWithError("the table raised a message");
  SetPlatform(nullptr);
}
BENCHMARK(BM_ComputePropertiesFullTable);
