// The Ok command's routing and common tail, BuildPanel notifications, and the menu
// table.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/window_actions.h"
#include "construct/entry_state.h"
#include "model/properties.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "headless/headless_platform.h"
#include "support/entry_fixture.h"

namespace {

using DispatchTest = EntryTest;

TEST_F(DispatchTest, EmptyLineIsIgnoredWhereAValueIsNeeded) {
  Click(11);  // Circle section
  Ok("");
  EXPECT_TRUE(platform.Events().empty());
  EXPECT_EQ(Panel.heading, "Circle section");
  Click(3);
  Ok("   ");
  EXPECT_EQ(Table.nodeCount, 0);
  EXPECT_FALSE(Dispatch.AcceptsEmptyLine);
}

TEST_F(DispatchTest, EmptyLineReachesCommandsThatNeedNoValue) {
  for (int item : {8, 9, 18, 23, 33, 34}) {
    Click(item);
    Ok("");
    EXPECT_TRUE(Dispatch.AcceptsEmptyLine) << item;
  }
  Click(35);
  Ok("");
  EXPECT_TRUE(Dispatch.AcceptsEmptyLine);
}

TEST_F(DispatchTest, MissingValuesKeepTheTypedLine) {
  Panel.inputLine = "1,2";
  Dispatch.RequiredCount = 3;
  OkCommandState ok{Heading::Build, ReadEntryMode("rotate section"), "1,2", "1,2"};
  OkCommonTail(ok);
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, PlatformEvent::MessageBox);
  EXPECT_EQ(messages[0].text, "Must input 3 parameters");
  EXPECT_EQ(messages[0].caption, "Input Error");
  EXPECT_EQ(messages[0].style, MsgIconWarning);
  EXPECT_EQ(Panel.inputLine, "1,2");
}

TEST_F(DispatchTest, CommonTailMarksChangedEditsAndOffersTheNextNode) {
  Nodes({{0, 0}, {1, 0}, {1, 1}});
  Shared.FileChanged = false;
  Dispatch.EditOriginal = " 1, 0, 0";
  Dispatch.EditResult = " 1, 0, 0";
  OkCommonTail({Heading::EditData, {}, "", ""});
  EXPECT_FALSE(Shared.FileChanged);
  Dispatch.EditOriginal = " 1, 0, 0";
  Dispatch.EditResult = "1,0,0";  // the same numbers written differently
  Dispatch.EditNode = 2;
  Table.CurrentSection = 1;
  OkCommonTail({Heading::ChangeValues, {}, "", ""});
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_EQ(Dispatch.EditOriginal, "");
  EXPECT_EQ(Dispatch.EditResult, "");
  EXPECT_EQ(Panel.inputLine, " 3");
  EXPECT_EQ(Panel.selectionEnd, 2);
  Dispatch.EditNode = 3;
  OkCommonTail({Heading::ChangeValues, {}, "", ""});
  EXPECT_EQ(Panel.inputLine, "");
}

TEST_F(DispatchTest, DoubleClickActsAsOk) {
  Nodes({{0, 0}, {1, 0}, {1, 1}});
  DoubleClickBuildPanelItem(PanelItem::ClosePolygon);
  EXPECT_EQ(Table.sections[1].flags, Complete);
}

TEST_F(DispatchTest, SelectionAfterFocusRefreshesOnce) {
  MoveFocus(Focus::BuildPanel);
  EXPECT_TRUE(Dispatch.PanelClickPending);
  SelectBuildPanelItem(PanelItem::ArcSegment);
  BuildPanelNotify(LbnSelChange);
  EXPECT_FALSE(Dispatch.PanelClickPending);
  EXPECT_EQ(Panel.heading, "Arc segment");
  EXPECT_EQ(Panel.focus, Focus::InputLine);
  // Without a fresh focus a selection change does not refresh.
  SelectBuildPanelItem(PanelItem::RadialBlock);
  BuildPanelNotify(LbnSelChange);
  EXPECT_EQ(Panel.heading, "Arc segment");
}

TEST_F(DispatchTest, ViewLogFileShowsTheListingAndMovesToRelativeCoordinates) {
  Nodes({{0, 0}, {1, 0}});
  Click(35);
  Ok("");
  EXPECT_EQ(OutputWindows().size(), 1u);
  EXPECT_EQ(Panel.selectedItem, PanelItem::RelativeCoordinates);
  EXPECT_EQ(Panel.modeLabel, "   relative coordinates");
}

TEST_F(DispatchTest, MenuTableRoutesEveryCommand) {
  for (const MenuDef& menu : MainMenus())
    for (const MenuItemDef& item : menu.items)
      if (item.id != 0) {
        EXPECT_NE(FindMenuCommand(item.id), nullptr) << item.id;
      }
  EXPECT_EQ(FindMenuCommand(static_cast<CommandId>(999)), nullptr);
  EXPECT_NE(FindOkBranch(ReadHeading("Polygon Section")), nullptr);
  EXPECT_EQ(ReadHeading("Polygon Sectio"), Heading::Other);
  // Only the heading's first 31 characters are read.
  EXPECT_EQ(ReadHeading(std::string("Polygon Section") + std::string(40, ' ')), Heading::Other);
  EXPECT_EQ(FindOkBranch(Heading::Other), nullptr);
}

TEST_F(DispatchTest, MenusThatSelectItems) {
  MainWindowCommand(MenuEditData);
  EXPECT_EQ(Panel.selectedItem, PanelItem::EditData);
  EXPECT_EQ(Panel.heading, "Edit data");
  MainWindowCommand(MenuSectionWeights);
  EXPECT_EQ(Panel.modeLabel, "   section weights");
  MainWindowCommand(MenuIdentifySection);
  EXPECT_EQ(Panel.heading, "Identify Section");
}

TEST_F(DispatchTest, AboutCentroidReportsAndLinePropertiesAsks) {
  Nodes({{0, 0}, {3, 0}, {3, 4}});
  Click(9);
  Ok("");
  MainWindowCommand(MenuAboutCentroid);
  EXPECT_TRUE(Shared.ResultsCurrent);
  EXPECT_DOUBLE_EQ(Calc.props.A, 6);
  EXPECT_EQ(OutputWindows().size(), 1u);

  platform.ClearEvents();
  platform.QueueAnswer({DialogAnswer::Text, "2-3"});
  MainWindowCommand(MenuLineProperties);
  auto dialogs = EventsOfKind(PlatformEvent::MessageDialog);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].text, "Length:  4.000\r\nAngle:    90.000");
  EXPECT_EQ(dialogs[0].caption, "Line Properties");
  EXPECT_EQ(dialogs[0].style, MsgIconInformation);

  platform.ClearEvents();
  MainWindowCommand(MenuLineProperties);  // cancelled: nothing follows
  EXPECT_EQ(platform.Events().size(), 1u);

  platform.QueueAnswer({DialogAnswer::Text, "0, 0, 90"});
  MainWindowCommand(MenuAboutOtherAxes);
  auto results = EventsOfKind(PlatformEvent::ResultDialog);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].caption, "Property Calculations");
}

TEST_F(DispatchTest, MenuLoopFlags) {
  MenuPopupOpened();
  EXPECT_TRUE(Dispatch.MenuOpen);
  MenuLoopEnded();
  EXPECT_FALSE(Dispatch.MenuOpen);
}

}  // namespace

namespace {

// Calculate / Section Moduli: the moduli in the output window with the chosen
// decimals; nothing while there is no section or a polygon is open.
TEST_F(DispatchTest, SectionModuliShowsTheModuliOfTheClosedSections) {
  MainWindowCommand(MenuSectionModuli);
  EXPECT_TRUE(OutputWindows().empty());
  Nodes({{0, 0}, {4, 0}, {4, 6}, {0, 6}});
  Click(9);
  Ok("");
  Shared.SigDigits = 2;
  MainWindowCommand(MenuSectionModuli);
  const auto windows = OutputWindows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].caption, "Section Moduli");
  const auto& lines = windows[0].lines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), " Welx top    \t=   24.00"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), " Wplx \t=   36.00"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), " Perimeter \t=   20.00"), lines.end());
  // The principal axes and the axes of the plastic moduli are named.
  const auto angle = std::find(lines.begin(), lines.end(), " Angle \t=   .00  Degrs");
  ASSERT_NE(angle, lines.end());
  ASSERT_LT(angle + 2, lines.end());
  EXPECT_EQ(angle[1], " u: the Imax axis, at the angle from x");
  EXPECT_EQ(angle[2], " v: the Imin axis, at right angles to u");
  const auto pna = std::find(lines.begin(), lines.end(), " yPNA \t=   3.00");
  ASSERT_NE(pna, lines.end());
  ASSERT_LT(pna + 3, lines.end());
  EXPECT_EQ(pna[1], " xPNA \t=   2.00");
  EXPECT_EQ(pna[2], " Wplx is about the line y = yPNA,");
  EXPECT_EQ(pna[3], " Wply about the line x = xPNA.");

  platform.ClearEvents();
  Ok("10, 10");  // a new polygon, still open
  MainWindowCommand(MenuSectionModuli);
  EXPECT_TRUE(OutputWindows().empty());
}

}  // namespace

namespace {

// Keeps background work and its result for the test to run when it chooses, as the
// window's worker thread would deliver them later.
class DeferringPlatform : public HeadlessPlatform {
 public:
  void RunInBackground(const std::string&, std::function<void()> work,
                       std::function<void()> done) override {
    work_ = std::move(work);
    done_ = std::move(done);
  }
  // Runs the work, then its result; the number of output windows that showed.
  int Finish() {
    ClearEvents();
    work_();
    done_();
    int windows = 0;
    for (const PlatformEvent& e : Events()) windows += e.kind == PlatformEvent::OutputWindow;
    return windows;
  }
  std::function<void()> work_, done_;
};

// Calculate / Torsion and Warping: its result is shown when it arrives, unless the
// tables have changed meanwhile.
TEST_F(DispatchTest, TorsionResultOfAnEditedSectionIsDropped) {
  DeferringPlatform deferring;
  SetPlatform(&deferring);
  Nodes({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  Click(9);
  Ok("");
  MainWindowCommand(MenuTorsion);
  ASSERT_TRUE(deferring.done_);
  EXPECT_EQ(deferring.Finish(), 1);
  EXPECT_EQ(Output.title, "Torsion and Warping");

  MainWindowCommand(MenuTorsion);
  Click(2);  // absolute coordinates: a new polygon's first node, while it runs
  Ok("10, 10");
  EXPECT_EQ(deferring.Finish(), 0) << "a result for the section as it was";
  SetPlatform(&platform);
}

}  // namespace
