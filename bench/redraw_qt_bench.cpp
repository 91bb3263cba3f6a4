// RedrawView of a full table onto a 1000 x 1000 raster canvas, plain and with
// Fill Net-Section.
#include <benchmark/benchmark.h>

#include <cmath>
#include <utility>
#include <vector>

#include "app/program_state.h"
#include "app/main_panel.h"
#include "headless/headless_platform.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "qt/gui_application.h"
#include "qt/raster_canvas.h"
#include "support/table_builder.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

namespace {

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
    std::vector<std::pair<double, double>> corners;
    for (auto [px, py] : {std::pair{0, 0}, {80, 0}, {80, 40}, {40, 80}, {0, 60}})
      corners.emplace_back(x + 10 + px, y + 10 + py);
    int first = Table.sections[AddPolygon(corners)].firstNode;
    SetFillet(8, first + 1);
    SetFillet(6, first + 3);
  }
  for (int i = 0; i < 75; ++i) {
    float x, y;
    origin(x, y);
    float xc = x + 50, yc = y + 50;
    switch (i % 6) {
      case 0: AddCircle(xc, yc, 40, i % 4 == 0 ? -1.0f : 1.0f); break;
      case 1: AddArcSegment(x + 10, y + 10, 80, 0, 90, 25); break;
      case 2: AddArcSegment(x + 50, y + 10, 80, 60, 120, -1); break;
      case 3: AddArcSegment(x + 10, y + 10, 80, 10, 80, 0); break;
      case 4: AddRadialBlock(x + 10, y + 10, 85, 0, 50, 30); break;
      case 5: AddMergeData(xc, yc, 100, 10, 10, 0); break;
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
