#include "support/table_builder.h"

#include <cmath>

#include "app/main_panel.h"
#include "app/program_state.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "util/numeric.h"

namespace {

int NewSection(SectionKind kind, float weight) {
  int s = ++Table.sectionCount;
  Table.sections[s] = {static_cast<std::uint8_t>(kind), 0, 0, 0, weight};
  Table.CurrentSection = s;
  Shared.ResultsCurrent = false;
  return s;
}

int OneSlotSection(SectionKind kind, float weight, ParamRow row) {
  int s = NewSection(kind, weight);
  int slot = ++Table.nodeCount;
  Table.sections[s].firstNode = slot;
  Table.sections[s].lastNode = slot;
  Table.sections[s].flags = Complete;
  Table.params[slot] = row;
  return s;
}

float F(double v) { return static_cast<float>(v); }

}  // namespace

int AddPolygon(const std::vector<std::pair<double, double>>& corners, float weight,
               bool closed) {
  int s = NewSection(SectionKind::Polygon, weight);
  Table.sections[s].firstNode = Table.nodeCount + 1;
  for (auto [x, y] : corners) Table.nodes[++Table.nodeCount] = {F(x), F(y)};
  Table.sections[s].lastNode = Table.nodeCount;
  Table.sections[s].flags = closed ? Complete : 0;
  return s;
}

int AddRolledISection(double h, double b, double tw, double tf, double r) {
  const int s = AddPolygon({{-b / 2, 0}, {b / 2, 0}, {b / 2, tf}, {tw / 2, tf}, {tw / 2, h - tf},
                            {b / 2, h - tf}, {b / 2, h}, {-b / 2, h}, {-b / 2, h - tf},
                            {-tw / 2, h - tf}, {-tw / 2, tf}, {-b / 2, tf}});
  for (int k : {3, 4, 9, 10}) SetFillet(r, Table.sections[s].firstNode + k);
  return s;
}

int AddCircle(double xc, double yc, double r, float weight) {
  return OneSlotSection(SectionKind::Circle, weight, {{0, F(xc), F(yc), F(r), 0, 0, 0, 0, 0, 0}});
}

int AddArcSegment(double xc, double yc, double r, double a1, double a2, double t, float weight) {
  float sign = t < 0 ? F(Sign(a2 - a1)) : 0.0f;
  return OneSlotSection(SectionKind::ArcSegment, weight,
                        {{sign, F(xc), F(yc), F(r), F(a1), F(a2), F(t), 0, 0, 0}});
}

int AddRadialBlock(double xc, double yc, double r, double angle, double w, double t,
                   float weight) {
  return OneSlotSection(SectionKind::RadialBlock, weight,
                        {{0, F(xc), F(yc), F(r), F(angle), F(w), F(t), 0, 0, 0}});
}

int AddMergeData(double xc, double yc, double a, double ixx, double iyy, double ixy,
                 float weight) {
  return OneSlotSection(SectionKind::MergeData, weight,
                        {{0, F(xc), F(yc), F(a), F(ixx), F(iyy), F(ixy), 0, 0, 0}});
}

void BuildFullTable(int phantomPoints) {
  ResetTables();
  // 20 hexagons with a fillet at every other corner: 120 nodes.
  for (int k = 0; k < 20; ++k) {
    double cx = (k % 5) * 30, cy = (k / 5) * 30;
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < 6; ++i) {
      double a = i * Pi / 3;
      corners.emplace_back(cx + 10 * std::cos(a), cy + 10 * std::sin(a));
    }
    int s = AddPolygon(corners, k % 4 == 3 ? -1.0f : 1.0f);
    const Section& sec = Table.sections[s];
    for (int n = sec.firstNode; n <= sec.lastNode; n += 2) SetFillet(1.5, n);
  }
  // 80 one-slot sections, 16 of each other kind (the two arc forms share 16).
  for (int k = 0; k < 80; ++k) {
    float x = F(200 + (k % 10) * 25), y = F((k / 10) * 25);
    switch (k % 5) {
      case 0: AddCircle(x, y, 5); break;
      case 1: AddArcSegment(x, y, 8, 10, 100, -1); break;
      case 2: AddArcSegment(x, y, 8, 200, 20, 3); break;
      case 3: AddRadialBlock(x, y, 9, 30, 4, 3); break;
      case 4: AddMergeData(x, y, 40, 90, 80, 5); break;
    }
  }
  for (int i = 0; i < phantomPoints && Table.nodeCount + PhantomGap <= Table.lowestPhantom - 1; ++i)
    Table.nodes[--Table.lowestPhantom] = {F(-20 - i), F(-20 + 3 * i)};
  Table.CurrentSection = Table.sectionCount;
}
