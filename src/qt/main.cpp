// kelvarin: until the main window exists, prints the property report of a built-in
// example section (a filleted I-section with a bored hole).
#include <cstdio>

#include "app/program_state.h"
#include "headless/headless_platform.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "model/section_table.h"

namespace {

void AddPolygon(std::initializer_list<Node> nodes) {
  int s = ++Table.sectionCount;
  Section& sec = Table.sections[s];
  sec = {static_cast<std::uint8_t>(SectionKind::Polygon), Complete, Table.nodeCount + 1, 0, 1.0f};
  for (const Node& n : nodes) Table.nodes[++Table.nodeCount] = n;
  sec.lastNode = Table.nodeCount;
  Table.CurrentSection = s;
}

void AddCircle(float xc, float yc, float r, float weight) {
  int s = ++Table.sectionCount;
  int slot = ++Table.nodeCount;
  Table.sections[s] = {static_cast<std::uint8_t>(SectionKind::Circle), Complete, slot, slot, weight};
  Table.params[slot].c = {0, xc, yc, r, 0, 0, 0, 0, 0, 0};
}

}  // namespace

int main() {
  HeadlessPlatform platform;
  platform.SetListener([](const PlatformEvent& e) {
    if (e.kind == PlatformEvent::OutputWindow) {
      std::printf("%s\n", e.caption.c_str());
      for (const std::string& line : e.lines) std::printf("%s\n", line.c_str());
    } else if (!e.text.empty()) {
      std::printf("%s: %s\n", e.caption.c_str(), e.text.c_str());
    }
  });
  SetPlatform(&platform);
  ResetProgramState();

  // I-section 200 wide, 300 deep, flanges 15, web 10, root fillets 12, and a
  // 20-diameter hole bored through the web.
  AddPolygon({{-100, 0}, {100, 0}, {100, 15}, {5, 15}, {5, 285}, {100, 285},
              {100, 300}, {-100, 300}, {-100, 285}, {-5, 285}, {-5, 15}, {-100, 15}});
  for (int n : {4, 5, 10, 11}) SetFillet(12, n);
  AddCircle(0, 150, 4, -1.0f);

  ComputeProperties();
  return 0;
}
