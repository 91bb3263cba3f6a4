// Builds section tables for the drawing tests directly through Table, and a
// fixture with the headless platform and a recording canvas.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "app/main_panel.h"
#include "app/program_state.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "util/numeric.h"
#include "view/view_options.h"

namespace viewtest {

inline int AddPolygon(std::initializer_list<Node> nodes, bool closed = true, float weight = 1) {
  int s = ++Table.sectionCount;
  Section& sec = Table.sections[s];
  sec = {static_cast<std::uint8_t>(SectionKind::Polygon), std::uint8_t(closed ? Complete : 0),
         Table.nodeCount + 1, 0, weight};
  for (const Node& n : nodes) Table.nodes[++Table.nodeCount] = n;
  sec.lastNode = Table.nodeCount;
  Table.CurrentSection = s;
  return s;
}

// A non-polygon section in the next slot with its row's columns 1..6.
inline int AddPiece(SectionKind kind, float xc, float yc, float r, float c4 = 0, float c5 = 0,
                    float c6 = 0, float weight = 1) {
  int s = ++Table.sectionCount;
  int slot = ++Table.nodeCount;
  Table.sections[s] = {static_cast<std::uint8_t>(kind), Complete, slot, slot, weight};
  float c0 = 0;
  if (kind == SectionKind::ArcSegment && c6 < 0) c0 = static_cast<float>(Sign(c5 - c4));
  Table.params[slot].c = {c0, xc, yc, r, c4, c5, c6, 0, 0, 0};
  Table.CurrentSection = s;
  return s;
}
inline int AddCircle(float xc, float yc, float r, float weight = 1) {
  return AddPiece(SectionKind::Circle, xc, yc, r, 0, 0, 0, weight);
}
inline int AddArcSegment(float xc, float yc, float r, float a1, float a2, float t) {
  return AddPiece(SectionKind::ArcSegment, xc, yc, r, a1, a2, t);
}
inline int AddRadialBlock(float xc, float yc, float r, float angle, float w, float t) {
  return AddPiece(SectionKind::RadialBlock, xc, yc, r, angle, w, t);
}
inline int AddMergeData(float xc, float yc, float area) {
  return AddPiece(SectionKind::MergeData, xc, yc, area, 1, 1, 0);
}
inline int AddPhantom(float x, float y) {
  int k = --Table.lowestPhantom;
  Table.nodes[k] = {x, y};
  return k;
}

// Even-odd ray casting, independent of the winding sum under test.
inline bool RayInside(int s, WorldPoint p) {
  const Section& sec = Table.sections[s];
  bool inside = false;
  for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
    int j = i < sec.lastNode ? i + 1 : sec.firstNode;
    double xi = Table.nodes[i].x, yi = Table.nodes[i].y;
    double xj = Table.nodes[j].x, yj = Table.nodes[j].y;
    if ((yi > p.y) != (yj > p.y) && p.x < (xj - xi) * (p.y - yi) / (yj - yi) + xi)
      inside = !inside;
  }
  return inside;
}

class ViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    platform.SetViewCanvas(&canvas);
    ResetProgramState();
  }
  void TearDown() override { platform.SetViewCanvas(nullptr); }

  HeadlessPlatform platform;
  RecordingCanvas canvas{1000, 8, 16};
};

}  // namespace viewtest
