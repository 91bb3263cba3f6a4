#include "app/program_state.h"
#include "support/full_table.h"

#include <cmath>

#include "app/main_panel.h"
#include "model/pieces.h"
#include "model/section_table.h"

namespace {

float F(double v) { return static_cast<float>(v); }

int OneSlot(SectionKind kind, ParamRow row, float weight) {
  int s = ++Table.sectionCount;
  int slot = ++Table.nodeCount;
  Table.sections[s] = {static_cast<std::uint8_t>(kind), Complete, slot, slot, weight};
  Table.params[slot] = row;
  return s;
}

}  // namespace

void BuildFullTable(int phantomPoints) {
  ResetTables();
  // 20 hexagons with a fillet at every other corner: 120 nodes.
  for (int k = 0; k < 20; ++k) {
    double cx = (k % 5) * 30, cy = (k / 5) * 30;
    int s = ++Table.sectionCount;
    int first = Table.nodeCount + 1;
    for (int i = 0; i < 6; ++i) {
      double a = i * Pi / 3;
      Table.nodes[++Table.nodeCount] = {F(cx + 10 * std::cos(a)), F(cy + 10 * std::sin(a))};
    }
    Table.sections[s] = {static_cast<std::uint8_t>(SectionKind::Polygon), Complete, first,
                         Table.nodeCount, k % 4 == 3 ? -1.0f : 1.0f};
    for (int n = first; n <= Table.nodeCount; n += 2) SetFillet(1.5, n);
  }
  // 80 one-slot sections, 16 of each other kind (the two arc forms share 16).
  for (int k = 0; k < 80; ++k) {
    float x = F(200 + (k % 10) * 25), y = F((k / 10) * 25);
    switch (k % 5) {
      case 0: OneSlot(SectionKind::Circle, {{0, x, y, 5, 0, 0, 0, 0, 0, 0}}, 1); break;
      case 1: OneSlot(SectionKind::ArcSegment, {{1, x, y, 8, 10, 100, -1, 0, 0, 0}}, 1); break;
      case 2: OneSlot(SectionKind::ArcSegment, {{0, x, y, 8, 200, 20, 3, 0, 0, 0}}, 1); break;
      case 3: OneSlot(SectionKind::RadialBlock, {{0, x, y, 9, 30, 4, 3, 0, 0, 0}}, 1); break;
      case 4: OneSlot(SectionKind::MergeData, {{0, x, y, 40, 90, 80, 5, 0, 0, 0}}, 1); break;
    }
  }
  for (int i = 0; i < phantomPoints && Table.nodeCount + PhantomGap <= Table.lowestPhantom - 1; ++i)
    Table.nodes[--Table.lowestPhantom] = {F(-20 - i), F(-20 + 3 * i)};
  Table.CurrentSection = Table.sectionCount;
}
