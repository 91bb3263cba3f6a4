// Polygon node input through Ok: the line forms, the pending steps, undo, close and
// the capacity refusals, checked on the section table.
#include <gtest/gtest.h>

#include <cmath>

#include "app/window_actions.h"
#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "construct/entry_state.h"
#include "construct/node_input.h"
#include "model/shared_state.h"
#include "support/entry_fixture.h"

namespace {

using NodeInputTest = EntryTest;

void ExpectNode(int k, float x, float y) {
  EXPECT_FLOAT_EQ(Table.nodes[k].x, x) << "node " << k;
  EXPECT_FLOAT_EQ(Table.nodes[k].y, y) << "node " << k;
}

TEST_F(NodeInputTest, StartLineGivesFirstNodeAtOriginAndOpensSection) {
  Panel.inputLine = "0, 0";  // as StartPolygon leaves it
  PressOkButton();
  ASSERT_EQ(Table.nodeCount, 1);
  ASSERT_EQ(Table.sectionCount, 1);
  const Section& s = Table.sections[1];
  EXPECT_EQ(KindOf(s), SectionKind::Polygon);
  EXPECT_EQ(s.flags, 0);
  EXPECT_EQ(s.firstNode, 1);
  EXPECT_EQ(s.lastNode, 1);
  EXPECT_EQ(s.weight, 1.0f);
  EXPECT_EQ(Table.CurrentSection, 1);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_FALSE(Panel.menu[MenuAboutCentroid].enabled);
  // The mode was used: the next line is read by its own form.
  EXPECT_EQ(Panel.modeLabel, "");
  EXPECT_EQ(Panel.promptLabel, "");
  EXPECT_EQ(Panel.inputLine, "");
}

TEST_F(NodeInputTest, FirstRelativeNodeIsMeasuredFromTheOrigin) {
  Ok("3;4");
  ExpectNode(1, 3, 4);
}

TEST_F(NodeInputTest, LineFormsAfterAFirstNode) {
  Ok("1, 1");
  Ok("3,4");    // absolute
  ExpectNode(2, 3, 4);
  Ok("3;4");    // relative
  ExpectNode(3, 6, 8);
  Ok("3");      // bare number: +3 in x
  ExpectNode(4, 9, 8);
  Ok("5u");
  ExpectNode(5, 9, 13);
  Ok("2d");
  ExpectNode(6, 9, 11);
  Ok("2l");
  ExpectNode(7, 7, 11);
  Ok("1r");
  ExpectNode(8, 8, 11);
  Ok("5/30");
  EXPECT_EQ(Entry.LastAngle, 30);
  EXPECT_EQ(Entry.PendingStep, StepNone);
  ExpectNode(9, static_cast<float>(8 + 5 * std::cos(30 * DegToRad)),
             static_cast<float>(11 + 5 * std::sin(30 * DegToRad)));
  Ok("5/0");    // along the x axis
  EXPECT_EQ(Entry.LastAngle, 0);
  ExpectNode(10, Table.nodes[9].x + 5, Table.nodes[9].y);
  Ok("#2");
  ExpectNode(11, 3, 4);
  EXPECT_EQ(Table.nodeCount, 11);
  EXPECT_EQ(Table.sections[1].lastNode, 11);
}

TEST_F(NodeInputTest, PendingStepsAskForTheDistance) {
  Ok("0, 0");
  Ok("u");
  EXPECT_EQ(Entry.PendingStep, StepUp);
  EXPECT_EQ(Panel.heading, "How far up...");
  EXPECT_EQ(Panel.modeLabel, "units or intersecting line");
  EXPECT_EQ(Panel.promptLabel, "a | x=a | y=a | m-n,a");
  EXPECT_EQ(Table.nodeCount, 1);
  Ok("4");
  ExpectNode(2, 0, 4);
  EXPECT_EQ(Entry.PendingStep, StepNone);
  EXPECT_EQ(Panel.heading, "Polygon Section");

  Ok("/30");
  EXPECT_EQ(Entry.PendingStep, StepAngle);
  EXPECT_EQ(Panel.heading, "How far at 30 degrees...");
  Ok("2");
  ExpectNode(3, static_cast<float>(2 * std::cos(30 * DegToRad)),
             static_cast<float>(4 + 2 * std::sin(30 * DegToRad)));
  EXPECT_EQ(Entry.LastAngle, 30);  // still degrees after the distance

  Ok("0/45");  // a zero distance asks too
  EXPECT_EQ(Entry.PendingStep, StepAngle);
  EXPECT_EQ(Entry.LastAngle, 45);
  Ok("/");  // the second half: a lone slash is read as a line, not a new step
  EXPECT_EQ(Entry.PendingStep, StepNone);

  Ok("/");
  EXPECT_EQ(Entry.PendingStep, StepRightAngle);
  EXPECT_EQ(Panel.heading, "How far at right angle...");

  Ok("3");  // answers the right-angle question
  EXPECT_EQ(Entry.PendingStep, StepNone);

  Ok("0\\");  // a zero radius is no fixed-radius step
  EXPECT_EQ(Entry.PendingStep, StepNone);
  Ok("5\\");
  EXPECT_EQ(Entry.PendingStep, StepFixedRadius);
  EXPECT_EQ(Entry.FixedRadius, 5);
  EXPECT_EQ(Panel.heading, "How far ...");
  EXPECT_EQ(Panel.modeLabel, "intersecting line");
  EXPECT_EQ(Panel.promptLabel, "x=a | y=a | m-n,a");
}

TEST_F(NodeInputTest, LongAngleHeadingIsCutTo31Characters) {
  Ok("0, 0");
  Ok("/123.456789012345");
  EXPECT_EQ(Panel.heading, std::string("How far at 123.456789012345 degrees...").substr(0, 31));
  EXPECT_EQ(Panel.heading.size(), 31u);
}

TEST_F(NodeInputTest, RightAngleTurnUsesTheLastTwoNodes) {
  Ok("5/");  // no nodes: ignored
  EXPECT_EQ(Table.nodeCount, 0);
  EXPECT_EQ(Table.sectionCount, 0);
  Ok("0, 0");
  Ok("5/");  // one node: ignored
  EXPECT_EQ(Table.nodeCount, 1);
  EXPECT_EQ(Table.sections[1].lastNode, 1);
  Ok("4, 0");
  Entry.LastAngle = 123;  // whatever LastAngle holds
  Ok("3/");
  ExpectNode(3, 4, 3);  // left of the edge going +x
  EXPECT_DOUBLE_EQ(Entry.LastAngle, 90);  // the direction of the new edge
  Ok("-2/");            // a negative distance turns right: edge goes +y, right is +x
  ExpectNode(4, 6, 3);
}

TEST_F(NodeInputTest, ModesReadBareNumbers) {
  Ok("0, 0");
  Click(6);  // angle
  Entry.LastAngle = 90;
  Ok("2");
  ExpectNode(2, static_cast<float>(2 * std::cos(90 * DegToRad)), 2);
  Ok("2");   // the mode was used: relative x step now
  ExpectNode(3, Table.nodes[2].x + 2, 2);
  Click(7);  // "right angle turn" contains "right": a bare number steps right
  Ok("3");
  ExpectNode(4, Table.nodes[3].x + 3, 2);
  Click(2);  // defined point
  Ok("1");
  ExpectNode(5, 0, 0);
}

TEST_F(NodeInputTest, CloseAndItsSeparatorRule) {
  Nodes({{0, 0}, {4, 0}, {4, 4}});
  Click(9);
  Ok("1,4");  // a separator: appended, not closed
  ExpectNode(4, 1, 4);
  EXPECT_EQ(Table.sections[1].flags, 0);
  Click(9);
  Shared.FileChanged = false;
  Ok("");
  EXPECT_EQ(Table.sections[1].flags, Complete);
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_EQ(Panel.selectedItem, PanelItem::PolygonSection);
  EXPECT_TRUE(Panel.menu[MenuAboutCentroid].enabled);
  EXPECT_TRUE(Panel.menu[MenuAboutOtherAxes].enabled);
  // A new node opens section 2 and greys the calculation again.
  Ok("9, 9");
  EXPECT_EQ(Table.sectionCount, 2);
  EXPECT_EQ(Table.sections[2].firstNode, 5);
  EXPECT_FALSE(Panel.menu[MenuAboutCentroid].enabled);
}

TEST_F(NodeInputTest, CloseKeepsTheOffAndDeletedBitsOfAClosedPolygon) {
  Nodes({{0, 0}, {4, 0}, {4, 4}});
  Click(9);
  Ok("");
  Table.sections[1].flags |= Off;
  Click(9);
  Ok("");
  EXPECT_EQ(Table.sections[1].flags, Complete | Off);
}

TEST_F(NodeInputTest, UndoSteps) {
  Nodes({{0, 0}, {4, 0}, {4, 4}});
  Click(9);
  Ok("");
  Click(8);
  Ok("");  // reopens, removes nothing
  EXPECT_EQ(Table.sections[1].flags, 0);
  EXPECT_EQ(Table.nodeCount, 3);
  Ok("");
  EXPECT_EQ(Table.nodeCount, 2);
  EXPECT_EQ(Table.sections[1].lastNode, 2);
  EXPECT_EQ(Panel.modeLabel, "   undo last node");  // each Ok undoes one more
  Ok("un");
  Ok("un");
  EXPECT_EQ(Table.nodeCount, 0);
  EXPECT_EQ(Table.sectionCount, 0);
  // The view then starts a new polygon.
  EXPECT_EQ(Panel.inputLine, "0, 0");
  Ok("un");  // nothing left: nothing happens
  EXPECT_EQ(Table.nodeCount, 0);
}

TEST_F(NodeInputTest, UndoOnAFilletedPolygonAsksFirst) {
  Nodes({{0, 0}, {4, 0}, {4, 4}});
  Click(9);
  Ok("");
  Table.params[2].c = {1, 3, 1, 1, 90, 180, 3, 0, 4, 1};
  Shared.FileChanged = false;
  platform.QueueAnswer({DialogAnswer::No, ""});
  Ok("un");
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, PlatformEvent::MessageDialog);
  EXPECT_EQ(messages[0].text, "Fillets must be removed... ok to continue?");
  EXPECT_EQ(messages[0].caption, "Undo Nodes");
  EXPECT_EQ(messages[0].style, MsgYesNo | MsgIconQuestion);
  EXPECT_EQ(Table.sections[1].flags, Complete);
  EXPECT_EQ(Table.params[2].c[3], 1);
  EXPECT_FALSE(Shared.FileChanged);

  platform.QueueAnswer({DialogAnswer::Yes, ""});
  Ok("un");
  EXPECT_EQ(Table.sections[1].flags, 0);
  EXPECT_EQ(Table.nodeCount, 3);
  for (float c : Table.params[2].c) EXPECT_EQ(c, 0);
  EXPECT_TRUE(Shared.FileChanged);
}

TEST_F(NodeInputTest, UndoRefusedWhenTheLastSectionIsNotAPolygon) {
  Nodes({{0, 0}, {4, 0}, {4, 4}});
  Click(9);
  Ok("");
  AddCircle(0, 0, 1);
  Shared.FileChanged = false;
  Ok("un");
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Last section is not a polygon");
  EXPECT_EQ(messages[0].caption, "Undo Nodes");
  EXPECT_EQ(messages[0].style, MsgIconInformation);
  EXPECT_EQ(Table.sectionCount, 2);
  EXPECT_EQ(Table.nodeCount, 4);
  EXPECT_FALSE(Shared.FileChanged);
}

TEST_F(NodeInputTest, FailedIntersectionWithdrawsTheNodeAndClearsTheLine) {
  Nodes({{0, 0}, {0, 2}});
  Ok("u");
  Ok("x=5");
  EXPECT_EQ(Table.nodeCount, 2);
  EXPECT_EQ(Table.sections[1].lastNode, 2);
  EXPECT_EQ(Entry.PendingStep, StepNone);
  EXPECT_EQ(Panel.heading, "Polygon Section");
  EXPECT_EQ(Panel.inputLine, "");
}

TEST_F(NodeInputTest, FailedIntersectionOnTheFirstNodeOfANewSectionOpensNothing) {
  Nodes({{0, 0}, {0, 2}, {2, 2}});
  Click(9);
  Ok("");
  Ok("u");
  Ok("x=5");
  EXPECT_EQ(Table.sectionCount, 1);
  EXPECT_EQ(Table.nodeCount, 3);
}

TEST_F(NodeInputTest, ClickingTheBuildPanelDropsAPendingQuestion) {
  Ok("0, 0");
  Ok("r");
  ASSERT_EQ(Entry.PendingStep, StepRight);
  Click(3);
  EXPECT_EQ(Entry.PendingStep, StepNone);
  EXPECT_EQ(Panel.heading, "Polygon Section");
  EXPECT_EQ(Panel.modeLabel, "   absolute coordinates");
}

class CapacityTest : public NodeInputTest {
 protected:
  void ExpectRefused(const std::string& message, const std::string& typed) {
    auto messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, message);
    EXPECT_EQ(messages.back().caption, "Data Error");
    EXPECT_EQ(messages.back().style, MsgIconWarning);
    EXPECT_EQ(Panel.inputLine, typed);  // kept for correction
  }
};

TEST_F(CapacityTest, Node251IsRefused) {
  std::vector<std::pair<double, double>> pts;
  for (int k = 0; k < TopNode; ++k) {
    Panel.inputLine = std::to_string(k) + ", 0";
    OkCommand();
  }
  ASSERT_EQ(Table.nodeCount, 250);
  Ok("1, 1");
  ExpectRefused("Cannot add more nodes: all 250 point slots are in use", "1, 1");
  EXPECT_EQ(Table.nodeCount, 250);
  EXPECT_EQ(Table.sections[1].lastNode, 250);
  ExpectNode(250, 249, 0);
}

TEST_F(CapacityTest, NodesStopBelowThePhantomPoints) {
  Nodes({{0, 0}, {1, 0}});
  Table.lowestPhantom = 3;
  Table.nodes[3] = {7, 7};
  Ok("2, 2");
  ExpectRefused("Cannot add more nodes: the next point slot holds a phantom point", "2, 2");
  EXPECT_EQ(Table.nodeCount, 2);
  ExpectNode(3, 7, 7);
}

TEST_F(CapacityTest, A101stSectionIsRefused) {
  for (int s = 0; s < MaxSections; ++s) AddCircle(s, 0, 1);
  Ok("0, 0");
  ExpectRefused("Cannot add more sections: the limit is 100", "0, 0");
  EXPECT_EQ(Table.sectionCount, 100);
  EXPECT_EQ(Table.nodeCount, 100);
}

TEST_F(CapacityTest, CoordinatesBeyondSinglePrecisionAreRefused) {
  Ok("0, 0");
  platform.ClearEvents();
  Ok("1e39, 0");
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Coordinates out of range");
  EXPECT_EQ(Table.nodeCount, 1);
}

TEST_F(CapacityTest, UnknownDefinedPointIsRefused) {
  Ok("0, 0");
  Ok("#9");
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Point 9 does not exist");
  EXPECT_EQ(Table.nodeCount, 1);
  EXPECT_EQ(Panel.inputLine, "#9");
}

}  // namespace
