#include "model/section_table.h"

#include <cmath>

#include "util/numeric.h"

SectionTable Table{};

void ClearSectionTable() {
  Table.sections = {};
  Table.nodes = {};
  Table.params = {};
  Table.sectionCount = 0;
  Table.nodeCount = 0;
  Table.lowestPhantom = TopNode + 1;
  Table.CurrentSection = 0;
  Table.xReflected = false;
  Table.yReflected = false;
}

int SectionOfPoint(int k) {
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (KindOf(sec) == SectionKind::Polygon) {
      if (sec.firstNode <= k && k <= sec.lastNode) return s;
    } else if (sec.firstNode == k) {
      return s;
    }
  }
  return 0;
}

Polar ToPolar(double dx, double dy) {
  double angle;
  if (dx > 0) {
    angle = std::atan(dy / dx);
  } else if (dx < 0) {
    angle = std::atan(dy / dx) + Pi;
  } else {
    angle = Sign(dy) * Pi / 2;
  }
  if (angle < 0) angle += TwoPi;
  return {std::sqrt(dx * dx + dy * dy), angle};
}
