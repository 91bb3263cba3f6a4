// Reading and writing a full table: 100 sections on 200 node slots, every polygon
// node with a fillet, in memory and through a file in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/program_state.h"
#include "app/main_panel.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

// 50 triangles with a fillet at every corner and 50 single-slot sections.
void FillFullTable() {
  ResetTables();
  for (int p = 0; p < 50; ++p) {
    Section& s = Table.sections[++Table.sectionCount];
    s = Section{0, Complete, Table.nodeCount + 1, Table.nodeCount + 3, 1.0f};
    const float x = 10.0f * static_cast<float>(p);
    const Node corners[3] = {{x, 0}, {x + 8, 0}, {x, 6}};
    for (const Node& n : corners) {
      int k = ++Table.nodeCount;
      Table.nodes[k] = n;
      Table.params[k].c = {1, n.x + 0.5f, n.y + 0.5f, 0.5f, 10, 80, n.x, n.y, n.x + 1, n.y + 1};
    }
  }
  for (int i = 0; i < 50; ++i) {
    int k = ++Table.nodeCount;
    Table.sections[++Table.sectionCount] =
        Section{static_cast<std::uint8_t>(1 + i % 4), Complete, k, k, 1.0f};
    Table.params[k].c = {0, static_cast<float>(i), 20, 2, 5, 60, 1, 0, 0, 0};
  }
}

struct BenchPlatform {
  BenchPlatform() { SetPlatform(&platform); }
  ~BenchPlatform() { SetPlatform(nullptr); }
  HeadlessPlatform platform;
};

void BM_EncodeFullTable(benchmark::State& state) {
  BenchPlatform bp;
  FillFullTable();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeSectionFile());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(EncodeSectionFile().size()));
}
BENCHMARK(BM_EncodeFullTable);

void BM_DecodeFullTable(benchmark::State& state) {
  BenchPlatform bp;
  FillFullTable();
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
  FillFullTable();
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
  FillFullTable();
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
