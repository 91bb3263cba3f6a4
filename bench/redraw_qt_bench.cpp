// RedrawView of a full table onto a 1000 x 1000 raster canvas, plain and with
// Fill Net-Section.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/program_state.h"
#include "app/main_panel.h"
#include "headless/headless_platform.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "qt/gui_application.h"
#include "qt/raster_canvas.h"
#include "support/full_table.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

namespace {

int NewSection(SectionKind kind, float weight) {
  int s = ++Table.sectionCount;
  int slot = ++Table.nodeCount;
  Table.sections[s] = {static_cast<std::uint8_t>(kind), Complete, slot, slot, weight};
  return s;
}

void Piece(SectionKind kind, float xc, float yc, float r, float c4, float c5, float c6,
           float weight = 1) {
  int s = NewSection(kind, weight);
  Table.params[Table.sections[s].firstNode].c = {0, xc, yc, r, c4, c5, c6, 0, 0, 0};
}

// A second full table whose pieces cover much of the view, so that the fills
// touch about a third of the million pixels: 100 sections on a 10 x 10 grid of
// cells 100 units wide, 25 filleted polygons of five nodes, then circles (some of
// them holes), ring pieces, circular segments, sectors, radial blocks and merge
// data; 200 node slots and 20 phantom points.
void BuildGridTable() {
  ResetTables();
  int cell = 0;
  auto origin = [&cell](float& x, float& y) {
    x = (cell % 10) * 100.0f;
    y = (cell / 10) * 100.0f;
    ++cell;
  };
  for (int i = 0; i < 25; ++i) {
    float x, y;
    origin(x, y);
    int s = ++Table.sectionCount;
    int first = Table.nodeCount + 1;
    const float shape[5][2] = {{0, 0}, {80, 0}, {80, 40}, {40, 80}, {0, 60}};
    for (const auto& p : shape) Table.nodes[++Table.nodeCount] = {x + 10 + p[0], y + 10 + p[1]};
    Table.sections[s] = {0, Complete, first, Table.nodeCount, 1.0f};
    SetFillet(8, first + 1);
    SetFillet(6, first + 3);
  }
  for (int i = 0; i < 75; ++i) {
    float x, y;
    origin(x, y);
    float xc = x + 50, yc = y + 50;
    switch (i % 6) {
      case 0: Piece(SectionKind::Circle, xc, yc, 40, 0, 0, 0, i % 4 == 0 ? -1.0f : 1.0f); break;
      case 1: Piece(SectionKind::ArcSegment, x + 10, y + 10, 80, 0, 90, 25); break;
      case 2: Piece(SectionKind::ArcSegment, x + 50, y + 10, 80, 60, 120, -1); break;
      case 3: Piece(SectionKind::ArcSegment, x + 10, y + 10, 80, 10, 80, 0); break;
      case 4: Piece(SectionKind::RadialBlock, x + 10, y + 10, 85, 0, 50, 30); break;
      case 5: Piece(SectionKind::MergeData, xc, yc, 100, 10, 10, 0); break;
    }
  }
  for (int k = 0; k < 20; ++k) {
    int slot = --Table.lowestPhantom;
    Table.nodes[slot] = {-20.0f + 55 * k, -30.0f};
  }
}

struct Bench {
  HeadlessPlatform platform;
  RasterCanvas* canvas = nullptr;
  explicit Bench(bool grid) {
    EnsureGuiApplication();
    canvas = new RasterCanvas(1000, 1000);
    SetPlatform(&platform);
    platform.SetViewCanvas(canvas);
    if (grid) {
      BuildGridTable();
    } else {
      BuildFullTable(20);
    }
    RedrawView();
  }
  ~Bench() {
    platform.SetViewCanvas(nullptr);
    delete canvas;
  }
};

// Argument 0: the shared full table; 1: the grid table with large fills.
void BM_RedrawPlain(benchmark::State& state) {
  Bench bench(state.range(0) != 0);
  for (auto _ : state) {
    RedrawView();
    benchmark::DoNotOptimize(bench.canvas->Image().constBits());
  }
}
BENCHMARK(BM_RedrawPlain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RedrawFillNetSection(benchmark::State& state) {
  Bench bench(state.range(0) != 0);
  for (auto _ : state) {
    View.highlight = -1;
    RedrawView();
    benchmark::DoNotOptimize(bench.canvas->Image().constBits());
  }
}
BENCHMARK(BM_RedrawFillNetSection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
