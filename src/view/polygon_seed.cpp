#include "view/polygon_seed.h"

#include <cmath>

#include "model/section_table.h"
#include "util/numeric.h"

namespace {

// Direction of (dx, dy): arctan(dy/dx), plus π when dx < 0; ±π/2 (or 0) when dx = 0.
double Direction(double dx, double dy) {
  if (dx == 0) return Sign(dy) * Pi / 2;
  double a = std::atan(dy / dx);
  return dx < 0 ? a + Pi : a;
}

WorldPoint NodePoint(int k) { return {Table.nodes[k].x, Table.nodes[k].y}; }

}  // namespace

bool IsInsidePolygon(int s, WorldPoint p) {
  const Section& sec = Table.sections[s];
  double sum = 0;
  for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
    int j = i < sec.lastNode ? i + 1 : sec.firstNode;
    WorldPoint a = NodePoint(i), b = NodePoint(j);
    double change = Direction(b.x - p.x, b.y - p.y) - Direction(a.x - p.x, a.y - p.y);
    // Bring the change into -π..π; fmod keeps huge values from looping for long.
    if (std::fabs(change) > 4 * TwoPi) change = std::fmod(change, TwoPi);
    while (change > Pi) change -= TwoPi;
    while (change < -Pi) change += TwoPi;
    sum += change;
  }
  return std::fabs(sum) > Pi;
}

WorldPoint PolygonSeed(int s) {
  const Section& sec = Table.sections[s];
  WorldPoint f = NodePoint(sec.firstNode);
  WorldPoint last = NodePoint(sec.lastNode);
  for (int i = sec.firstNode + 1; i <= sec.lastNode - 1; ++i) {
    WorldPoint a = NodePoint(i), b = NodePoint(i + 1);
    WorldPoint m{(a.x + b.x) / 2, (a.y + b.y) / 2};
    last = m;
    // A candidate on the line of the edge itself would sit on the outline.
    if (f.x == m.x) {
      if (b.x == a.x) continue;
    } else if (f.y != m.y && (m.y - f.y) / (m.x - f.x) == (b.y - a.y) / (b.x - a.x)) {
      continue;
    }
    WorldPoint c{(f.x + m.x) / 2, (f.y + m.y) / 2};
    last = c;
    if (IsInsidePolygon(s, c)) return c;
  }
  return last;
}
