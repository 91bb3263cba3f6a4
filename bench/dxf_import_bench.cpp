// Importing DXF drawings of 250 points, the most the section table holds: a plain
// outline of 250 vertices, an outline whose 125 corners are rounded by bulges (250
// vertices, 125 fillets), the same outline as 250 LINE and ARC entities to be
// chained, and the plain outline read from a file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/dxf_import.h"
#include "headless/headless_platform.h"
#include "platform/platform.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Pair(int code, const std::string& value) {
  return std::to_string(code) + "\n" + value + "\n";
}
std::string Pair(int code, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return Pair(code, std::string(text));
}
std::string Drawing(const std::string& entities) {
  return Pair(0, "SECTION") + Pair(2, "HEADER") + Pair(9, "$INSUNITS") + Pair(70, "4") +
         Pair(0, "ENDSEC") + Pair(0, "SECTION") + Pair(2, "ENTITIES") + entities +
         Pair(0, "ENDSEC") + Pair(0, "EOF");
}

// A closed LWPOLYLINE of n vertices round a circle of radius 100.
std::string PlainOutline(int n) {
  std::string e = Pair(0, "LWPOLYLINE") + Pair(8, "0") + Pair(90, std::to_string(n)) + Pair(70, "1");
  for (int k = 0; k < n; ++k) {
    const double a = 2 * kPi * k / n;
    // Every other vertex a little inside, so that no edge runs straight on.
    const double r = k % 2 == 0 ? 100 : 98;
    e += Pair(10, r * std::cos(a)) + Pair(20, r * std::sin(a));
  }
  return Drawing(e);
}

// The corners of a regular polygon of n corners (circumradius 100), each rounded
// by an arc of radius 2: its tangent points and the arc's turn.
struct RoundedCorner {
  double t1x, t1y, t2x, t2y, xc, yc, r, turn;
};
RoundedCorner Corner(int n, int k) {
  const double turn = 2 * kPi / n, r = 2;
  const double a = 2 * kPi * k / n;
  const double px = 100 * std::cos(a), py = 100 * std::sin(a);
  // The edges run towards the corner at angle a + pi/2 + turn/2 - turn and leave it
  // at a + pi/2 + turn/2.
  const double in = a + kPi / 2 - turn / 2, out = a + kPi / 2 + turn / 2;
  const double q = r * std::tan(turn / 2);
  RoundedCorner c{px - q * std::cos(in), py - q * std::sin(in), px + q * std::cos(out),
                  py + q * std::sin(out), 0, 0, r, turn};
  // The centre lies inside, at r from both edges.
  c.xc = c.t1x - r * std::sin(in);
  c.yc = c.t1y + r * std::cos(in);
  return c;
}

std::string RoundedOutline(int corners) {
  std::string e = Pair(0, "LWPOLYLINE") + Pair(8, "0") + Pair(90, std::to_string(2 * corners)) +
                  Pair(70, "1");
  for (int k = 0; k < corners; ++k) {
    const RoundedCorner c = Corner(corners, k);
    e += Pair(10, c.t1x) + Pair(20, c.t1y) + Pair(42, std::tan(c.turn / 4));
    e += Pair(10, c.t2x) + Pair(20, c.t2y);
  }
  return Drawing(e);
}

std::string RoundedChain(int corners) {
  // The arcs first, then the lines from the last to the first, so that the
  // chaining has to search.
  std::string arcs, lines;
  for (int k = 0; k < corners; ++k) {
    const RoundedCorner c = Corner(corners, k);
    const double a1 = std::atan2(c.t1y - c.yc, c.t1x - c.xc) * 180 / kPi;
    const double a2 = std::atan2(c.t2y - c.yc, c.t2x - c.xc) * 180 / kPi;
    arcs += Pair(0, "ARC") + Pair(8, "0") + Pair(10, c.xc) + Pair(20, c.yc) + Pair(40, c.r) +
            Pair(50, a1) + Pair(51, a2);
    const RoundedCorner next = Corner(corners, (k + 1) % corners);
    lines = Pair(0, "LINE") + Pair(8, "0") + Pair(10, c.t2x) + Pair(20, c.t2y) +
            Pair(11, next.t1x) + Pair(21, next.t1y) + lines;
  }
  return Drawing(arcs + lines);
}

struct BenchPlatform {
  BenchPlatform() { SetPlatform(&platform); }
  ~BenchPlatform() { SetPlatform(nullptr); }
  HeadlessPlatform platform;
};

void RunImport(benchmark::State& state, const std::string& text, int points, int fillets) {
  BenchPlatform bp;
  for (auto _ : state) {
    const DxfImportResult r = ImportDxf(text, {});
    if (!r.imported || r.points != points || r.fillets != fillets) {
      state.SkipWithError(r.imported ? "unexpected sections" : r.refusal.c_str());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_ImportDxf250Vertices(benchmark::State& state) {
  RunImport(state, PlainOutline(250), 250, 0);
}
BENCHMARK(BM_ImportDxf250Vertices)->Unit(benchmark::kMicrosecond);

void BM_ImportDxf125RoundedCorners(benchmark::State& state) {
  RunImport(state, RoundedOutline(125), 125, 125);
}
BENCHMARK(BM_ImportDxf125RoundedCorners)->Unit(benchmark::kMicrosecond);

void BM_ImportDxf250LinesAndArcs(benchmark::State& state) {
  RunImport(state, RoundedChain(125), 125, 125);
}
BENCHMARK(BM_ImportDxf250LinesAndArcs)->Unit(benchmark::kMicrosecond);

// The whole import of a file: reading it, then as above.
void BM_ImportDxfFile250Vertices(benchmark::State& state) {
  BenchPlatform bp;
  const auto folder = std::filesystem::temp_directory_path() / "kelvarin-dxf-bench";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "outline.dxf").string();
  std::ofstream(path, std::ios::binary) << PlainOutline(250);
  for (auto _ : state) {
    const DxfImportResult r = ImportDxfFile(path, {});
    if (!r.imported) {
      state.SkipWithError(r.refusal.c_str());
      break;
    }
  }
}
BENCHMARK(BM_ImportDxfFile250Vertices)->Unit(benchmark::kMicrosecond);

}  // namespace
