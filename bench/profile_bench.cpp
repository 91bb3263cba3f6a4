// Speed of the profile library: reading every installed table (what the first
// File / Add Profile of a session pays before its dialog opens), and one profile
// added to empty tables and its properties computed (the work after Ok).
#include <benchmark/benchmark.h>

#include <string>

#include "files/installed_data.h"
#include "files/profile_catalogue.h"
#include "files/profile_sections.h"
#include "app/program_state.h"
#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/section_table.h"

namespace {

bool ReadTables(ProfileCatalogue& catalogue, std::string& problem) {
  const std::string folder = FindProfileFolder(RunningProgramFolder());
  if (folder.empty()) {
    problem = "no share/kelvarin/profiles beside the benchmark";
    return false;
  }
  return ReadProfileCatalogue(folder, catalogue, problem);
}

void BM_ReadProfileCatalogue(benchmark::State& state) {
  std::size_t sizes = 0;
  for (auto _ : state) {
    ProfileCatalogue catalogue;
    std::string problem;
    if (!ReadTables(catalogue, problem)) {
      state.SkipWithError(problem.c_str());
      return;
    }
    sizes = 0;
    for (const ProfileFamily& family : catalogue.families) sizes += family.sizes.size();
    benchmark::DoNotOptimize(catalogue);
  }
  state.counters["sizes"] = static_cast<double>(sizes);
}
BENCHMARK(BM_ReadProfileCatalogue)->Unit(benchmark::kMillisecond);

void BM_AddHeb300AndCompute(benchmark::State& state) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ProfileCatalogue catalogue;
  std::string problem;
  const ProfileMatch heb = ReadTables(catalogue, problem) ? FindProfile(catalogue, "HEB 300")
                                                          : ProfileMatch{};
  if (heb.size == nullptr) state.SkipWithError(problem.empty() ? "no HEB 300" : problem.c_str());
  for (auto _ : state) {
    ResetTables();
    if (!AddProfile(*heb.family, *heb.size, {}).empty()) state.SkipWithError("refused");
    ComputePropertySet();
    benchmark::DoNotOptimize(Calc.props);
  }
  SetPlatform(nullptr);
}
BENCHMARK(BM_AddHeb300AndCompute)->Unit(benchmark::kMicrosecond);

}  // namespace
