// Polygon nodes and phantom points read their steps by the same rules: the same
// lines typed after the same two points give the same new point either way.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/main_panel.h"
#include "app/program_state.h"
#include "construct/panel_items.h"
#include "model/section_table.h"
#include "support/entry_fixture.h"

namespace {

class StepResolverTest : public EntryTest {
 protected:
  void Restart() {
    ResetProgramState();
    StartPolygon();
  }
  // Node 3 after nodes (0, 0) and (2, 3).
  Node AsNode(const std::vector<std::string>& lines) {
    Restart();
    Nodes({{0, 0}, {2, 3}});
    for (const std::string& line : lines) Ok(line);
    EXPECT_EQ(Table.nodeCount, 3);
    return Table.nodes[3];
  }
  // The third phantom point after phantom points (0, 0) and (2, 3).
  Node AsPhantom(const std::vector<std::string>& lines) {
    Restart();
    Click(ItemNumber(PanelItem::AbsolutePoint));
    Ok("0, 0");
    Ok("2, 3");
    Click(ItemNumber(PanelItem::RelativePoint));
    for (const std::string& line : lines) Ok(line);
    EXPECT_EQ(Table.lowestPhantom, TopNode - 2);
    return Table.nodes[TopNode - 2];
  }
};

TEST_F(StepResolverTest, SameStepGivesSamePointForNodesAndPhantomPoints) {
  const double r13 = std::sqrt(13.0), c30 = std::cos(Pi / 6), s30 = std::sin(Pi / 6);
  const struct {
    std::vector<std::string> lines;
    double x, y;
  } cases[] = {
      {{"3,4"}, 3, 4},
      {{"3;4"}, 5, 7},
      {{"3"}, 5, 3},
      {{"5u"}, 2, 8},
      {{"1.5l"}, 0.5, 3},
      {{"5/30"}, 2 + 5 * c30, 3 + 5 * s30},
      {{"/30", "2"}, 2 + 2 * c30, 3 + 2 * s30},
      {{"5/"}, 2 - 15 / r13, 3 + 10 / r13},  // a left turn from the edge (0,0)-(2,3)
      {{"d", "4"}, 2, -1},
      {{"r", "x=5"}, 5, 3},
      {{"2\\", "x=4"}, 4, 3},  // the circle of radius 2 touches x = 4 once
  };
  for (const auto& c : cases) {
    const std::string name = c.lines.front() + (c.lines.size() > 1 ? " then " + c.lines[1] : "");
    const Node node = AsNode(c.lines);
    const Node phantom = AsPhantom(c.lines);
    EXPECT_NEAR(node.x, c.x, 1e-5) << name;
    EXPECT_NEAR(node.y, c.y, 1e-5) << name;
    EXPECT_EQ(phantom.x, node.x) << name;
    EXPECT_EQ(phantom.y, node.y) << name;
  }
}

}  // namespace
