#include "support/table_builder.h"

#include "app/main_panel.h"
#include "app/program_state.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "output/output_window.h"

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

float Sgn(double v) { return v > 0 ? 1.0f : v < 0 ? -1.0f : 0.0f; }
float F(double v) { return static_cast<float>(v); }

}  // namespace

int AddPolygon(std::initializer_list<std::pair<double, double>> corners, float weight,
               bool closed) {
  int s = NewSection(SectionKind::Polygon, weight);
  Table.sections[s].firstNode = Table.nodeCount + 1;
  for (auto [x, y] : corners) Table.nodes[++Table.nodeCount] = {F(x), F(y)};
  Table.sections[s].lastNode = Table.nodeCount;
  Table.sections[s].flags = closed ? Complete : 0;
  return s;
}

int AddCircle(double xc, double yc, double r, float weight) {
  return OneSlotSection(SectionKind::Circle, weight, {{0, F(xc), F(yc), F(r), 0, 0, 0, 0, 0, 0}});
}

int AddArcSegment(double xc, double yc, double r, double a1, double a2, double t, float weight) {
  float sign = t < 0 ? Sgn(a2 - a1) : 0.0f;
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

void CoreTest::SetUp() {
  SetPlatform(&platform);
  ResetProgramState();
}

void CoreTest::TearDown() { SetPlatform(nullptr); }

std::vector<PlatformEvent> CoreTest::EventsOfKind(PlatformEvent::Kind kind) const {
  std::vector<PlatformEvent> out;
  for (const PlatformEvent& e : platform.Events())
    if (e.kind == kind) out.push_back(e);
  return out;
}

std::vector<PlatformEvent> CoreTest::OutputWindows() const {
  return EventsOfKind(PlatformEvent::OutputWindow);
}

const PropertySet& CoreTest::Compute() {
  Shared.ResultsCurrent = false;
  Calc.calcMode = CalcSilent;
  ComputeProperties();
  return Calc.props;
}
