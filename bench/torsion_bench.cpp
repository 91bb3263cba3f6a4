// The whole torsion and warping analysis of rolled I-sections as the command runs it:
// meshing twice or more, solving, J to the default accuracy with its estimate.
#include <benchmark/benchmark.h>

#include "analysis/torsion_analysis.h"
#include "app/program_state.h"
#include "headless/headless_platform.h"
#include "model/cut.h"
#include "model/properties.h"
#include "support/table_builder.h"

namespace {

void Analyse(benchmark::State& state, double h, double b, double tw, double tf, double r) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ResetTables();
  AddRolledISection(h, b, tw, tf, r);
  ComputePropertySet();
  const CutModel model = BuildCutModel();
  TorsionAnalysis t;
  for (auto _ : state) {
    t = AnalyseTorsion(model, DefaultPoisson, DefaultTorsionAccuracy);
    if (!t.ok) state.SkipWithError(t.reason.c_str());
  }
  state.counters["elements"] = t.elements;
  state.counters["J_cm4"] = t.J / 1e4;
  state.counters["Iw_1e3cm6"] = t.Iw / 1e9;
  state.counters["Jerr"] = t.Jerr;
  SetPlatform(nullptr);
}

void BM_TorsionIpe300(benchmark::State& state) { Analyse(state, 300, 150, 7.1, 10.7, 15); }
void BM_TorsionHeb300(benchmark::State& state) { Analyse(state, 300, 300, 11, 19, 27); }
BENCHMARK(BM_TorsionIpe300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TorsionHeb300)->Unit(benchmark::kMillisecond);

}  // namespace
