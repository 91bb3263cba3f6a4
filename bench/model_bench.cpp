// Speed of the property calculation on the full table: the whole silent
// ComputeProperties with its 13 report lines, the calculation alone, and the
// report lines alone.
#include <benchmark/benchmark.h>

#include "app/report_window.h"
#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/report.h"
#include "model/shared_state.h"
#include "support/table_builder.h"

namespace {

struct FullTableBench {
  HeadlessPlatform platform;
  FullTableBench() {
    SetPlatform(&platform);
    BuildFullTable();
  }
  ~FullTableBench() { SetPlatform(nullptr); }
  bool Quiet() const { return platform.Events().empty(); }
};

void BM_ComputePropertiesFullTable(benchmark::State& state) {
  FullTableBench bench;
  for (auto _ : state) {
    Shared.ResultsCurrent = false;
    Calc.calcMode = CalcSilent;
    ComputeProperties();
    benchmark::DoNotOptimize(Calc.props);
    benchmark::DoNotOptimize(Calc.reportLines);
  }
  if (!bench.Quiet()) state.SkipWithError("the table raised a message");
}
BENCHMARK(BM_ComputePropertiesFullTable);

void BM_PropertyCalculationFullTable(benchmark::State& state) {
  FullTableBench bench;
  for (auto _ : state) {
    ComputePropertySet();
    benchmark::DoNotOptimize(Calc.props);
  }
  if (!bench.Quiet()) state.SkipWithError("the table raised a message");
}
BENCHMARK(BM_PropertyCalculationFullTable);

void BM_ReportLinesFullTable(benchmark::State& state) {
  FullTableBench bench;
  ComputePropertySet();
  for (auto _ : state) {
    BuildReportLines();
    benchmark::DoNotOptimize(Calc.reportLines);
  }
}
BENCHMARK(BM_ReportLinesFullTable);

}  // namespace
