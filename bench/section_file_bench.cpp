// Reading and writing the full table (100 sections of every kind on 200 node slots,
// with fillets), in memory and through a file in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/program_state.h"
#include "app/main_panel.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "support/table_builder.h"

namespace {

struct BenchPlatform {
  BenchPlatform() { SetPlatform(&platform); }
  ~BenchPlatform() { SetPlatform(nullptr); }
  HeadlessPlatform platform;
};

void BM_EncodeFullTable(benchmark::State& state) {
  BenchPlatform bp;
  BuildFullTable();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeSectionFile());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(EncodeSectionFile().size()));
}
BENCHMARK(BM_EncodeFullTable);

void BM_DecodeFullTable(benchmark::State& state) {
  BenchPlatform bp;
  BuildFullTable();
  const std::vector<std::uint8_t> bytes = EncodeSectionFile();
  for (auto _ : state) {
    if (DecodeSectionFile(bytes.data(), bytes.size()) != SectionFileError::None) {
      state.SkipWithError("the full table was refused");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeFullTable);

std::string TempFile() {
  auto folder = std::filesystem::temp_directory_path() / "kelvarin-section-bench";
  std::filesystem::create_directories(folder);
  return (folder / "full.sec").string();
}

// The whole Save: temporary file, flush to disk, rename.
void BM_SaveFullTableToFile(benchmark::State& state) {
  BenchPlatform bp;
  BuildFullTable();
  Shared.CurrentFile = TempFile();
  for (auto _ : state) {
    Shared.FileChanged = true;
    if (!WriteSectionFile()) {
      state.SkipWithError("the save failed");
      break;
    }
  }
}
BENCHMARK(BM_SaveFullTableToFile)->Unit(benchmark::kMicrosecond);

// The whole Open: empty the tables, read and check the file, fill the tables.
void BM_OpenFullTableFromFile(benchmark::State& state) {
  BenchPlatform bp;
  BuildFullTable();
  Shared.CurrentFile = TempFile();
  Shared.FileChanged = true;
  WriteSectionFile();
  for (auto _ : state) {
    ResetTables();
    if (!ReadSectionFile()) {
      state.SkipWithError("the read failed");
      break;
    }
  }
}
BENCHMARK(BM_OpenFullTableFromFile)->Unit(benchmark::kMicrosecond);

}  // namespace
