// The main panel as data: BuildPanel and prompt tables, status texts, RefreshPanel,
// ResetTables and StartPolygon, the menu states.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/program_state.h"
#include "construct/entry_state.h"
#include "model/shared_state.h"
#include "support/entry_fixture.h"
#include "view/view_options.h"

namespace {

using PanelTest = EntryTest;

TEST(BuildPanelTables, HeadingsSubItemsAndPrompts) {
  int headings = 0;
  for (int i = 1; i <= BuildPanelCount; ++i) {
    const std::string text = ItemText(ItemAt(i));
    const bool heading = text[0] != ' ';
    headings += heading;
    if (!heading) {
      EXPECT_EQ(text.substr(0, 3), "   ") << i;
      EXPECT_NE(text[3], ' ') << i;
    }
  }
  EXPECT_EQ(headings, 11);  // 1, 10-17, 24, 35
  EXPECT_EQ(HeadingText(HeadingOf(GroupOf(PanelItem::ClosePolygon))), "Polygon Section");
  EXPECT_EQ(HeadingText(HeadingOf(GroupOf(PanelItem::ToggleOnOff))), "Build");
  EXPECT_EQ(HeadingText(HeadingOf(GroupOf(PanelItem::RtAngleTurn))), "Phantom Points");
  EXPECT_EQ(HeadingText(HeadingOf(GroupOf(PanelItem::ViewLogFile))), "View Log File");
  EXPECT_EQ(PendingPrompt, "a | x=a | y=a | m-n,a");
  EXPECT_EQ(ItemPrompt(PanelItem::UpDownLeftRight), "units u | d | \u2193 | \u2192");
  EXPECT_EQ(ItemPrompt(PanelItem::FixedRadius), "units \\");
  EXPECT_EQ(ItemPrompt(PanelItem::UndoPoint), "un | un point");
}

// The entry rules test the words a mode's text holds; the ids must keep them.
TEST(BuildPanelTables, ModesHoldTheWordsOfTheirTexts) {
  const EntryMode rightAngle = ReadEntryMode("   Right Angle Turn ");
  EXPECT_EQ(rightAngle.item, PanelItem::RightAngleTurn);
  EXPECT_TRUE(ModeHas(rightAngle, ModeWord::Right));  // a bare number steps right
  EXPECT_TRUE(ModeHas(rightAngle, ModeWord::Angle));
  EXPECT_FALSE(ModeHas(rightAngle, ModeWord::RtAngle));
  const EntryMode phantomTurn = ReadEntryMode("rt angle turn");
  EXPECT_TRUE(ModeHas(phantomTurn, ModeWord::RtAngle) && ModeHas(phantomTurn, ModeWord::Angle));
  EXPECT_EQ(ReadEntryMode("angle").item, PanelItem::Angle);  // items 6 and 29 read alike
  const EntryMode arrows = ReadEntryMode("up, down, left, right");
  for (ModeWord w : {ModeWord::Up, ModeWord::Down, ModeWord::Left, ModeWord::Right})
    EXPECT_TRUE(ModeHas(arrows, w));
  EXPECT_EQ(ReadEntryMode("node 7, section 2").item, PanelItem::None);
  EXPECT_FALSE(ModeTakesEmptyLine(ReadEntryMode("absolute coordinates")));
  for (const char* text : {"close polygon", "undo point", "x-reflection", "hide phantom points",
                           "show phantom points", "toggle on/off state"})
    EXPECT_TRUE(ModeTakesEmptyLine(ReadEntryMode(text))) << text;
  // The second half of a pending step reads by the step's word, whatever ModeLabel says.
  EXPECT_TRUE(ModeHas(EntryMode{PanelItem::Angle, StepRightAngle}, ModeWord::RtAngle));
  EXPECT_FALSE(ModeHas(EntryMode{PanelItem::UpDownLeftRight, StepDown}, ModeWord::Up));
}

TEST_F(PanelTest, StartPolygonLeavesTheEntryPanelReady) {
  EXPECT_EQ(Panel.selectedItem, PanelItem::AbsoluteCoordinates);
  EXPECT_EQ(Panel.heading, "Polygon Section");
  EXPECT_EQ(Panel.modeLabel, "absolute coordinates");
  EXPECT_EQ(Panel.inputLine, "0, 0");
  EXPECT_EQ(Panel.selectionStart, 0);
  EXPECT_EQ(Panel.selectionEnd, 4);
  EXPECT_EQ(Panel.promptLabel, "x , y");
  EXPECT_FALSE(Panel.menu[MenuAboutCentroid].enabled);
  EXPECT_FALSE(Panel.menu[MenuAboutOtherAxes].enabled);
  EXPECT_EQ(MenuCaption(MenuXReflection), "&x-reflection");
  EXPECT_EQ(MenuCaption(MenuYReflection), "&y-reflection");
}

TEST_F(PanelTest, ResetTablesClearsEntryAndViewStateButNotTheSettings) {
  Entry = {StepAngle, 30, 5, true};
  View.magnification = 2;
  View.oneSection = 1;
  View.highlight = 3;
  View.hideNodeNumbers = true;
  View.ShowPhantoms = false;
  CheckMenuItem(MenuWithoutNodes, true);
  EnableMenuItem(MenuOneSection, false);
  Shared.SigDigits = 5;
  Shared.CurrentFile = "/tmp/a.sec";
  Shared.FileChanged = true;
  Dispatch.EntryStep = 1;
  ResetTables();
  EXPECT_EQ(Entry.PendingStep, StepNone);
  EXPECT_EQ(Entry.LastAngle, 0);
  EXPECT_EQ(Entry.FixedRadius, 0);
  EXPECT_FALSE(Entry.PhantomEntry);
  EXPECT_EQ(View.magnification, 0);
  EXPECT_EQ(View.oneSection, 0);
  EXPECT_EQ(View.highlight, 0);
  EXPECT_FALSE(View.hideNodeNumbers);
  EXPECT_TRUE(View.ShowPhantoms);
  EXPECT_FALSE(Panel.menu[MenuWithoutNodes].checked);
  EXPECT_TRUE(Panel.menu[MenuOneSection].enabled);
  EXPECT_FALSE(Shared.FileChanged);
  EXPECT_EQ(Shared.SigDigits, 5);
  EXPECT_EQ(Shared.CurrentFile, "/tmp/a.sec");
  EXPECT_EQ(Dispatch.EntryStep, 0);  // an entry or edit of the old tables is over
  StartPolygon();
  EXPECT_EQ(Shared.CurrentFile, "");
}

TEST_F(PanelTest, StatusTextsAreCutTo127Characters) {
  SetStatusText(std::string(200, 'p'), 0);
  EXPECT_EQ(Panel.promptLabel.size(), 127u);
  Shared.CurrentFile = "/data/" + std::string(150, 'f');
  SetStatusText("", 2);
  EXPECT_EQ(Panel.status2, Shared.CurrentFile.substr(0, 127));
  SetStatusText("shown", 2);
  EXPECT_EQ(Panel.status2, "shown");
}

TEST_F(PanelTest, SecondStatusPartShowsZoomOrReferencePointOrFile) {
  Shared.CurrentFile = "/data/beam.sec";
  View.magnification = 2.5;
  RefreshPanel();
  EXPECT_EQ(Panel.status2, "Zoom factor:  2.5  ... pan graphic window with arrow keys");
  View.magnification = 0;
  Panel.referencePoint = 7;
  RefreshPanel();
  EXPECT_EQ(Panel.status2, "Reference point:  7");
  Panel.referencePoint = 0;
  RefreshPanel();
  EXPECT_EQ(Panel.status2, "/data/beam.sec");
}

TEST_F(PanelTest, RefreshPanelShowsTheItemAndEmptiesTheLine) {
  SelectBuildPanelItem(PanelItem::RotateSection);
  Panel.inputLine = "typed";
  Panel.focus = Focus::OkButton;
  RefreshPanel();
  EXPECT_EQ(Panel.heading, "Build");
  EXPECT_EQ(Panel.modeLabel, "   rotate section");
  EXPECT_EQ(Panel.promptLabel, "sect, point , angle");
  EXPECT_EQ(Panel.inputLine, "");
  EXPECT_EQ(Panel.focus, Focus::InputLine);
  SelectBuildPanelItem(PanelItem::Build);
  RefreshPanel();
  EXPECT_EQ(Panel.modeLabel, "");
  EXPECT_EQ(Panel.promptLabel, "");
}

TEST_F(PanelTest, ItemsTenToTwentyTwoNeedTheLastPolygonClosed) {
  Ok("0, 0");
  for (int item : {10, 16, 22}) {
    platform.ClearEvents();
    Click(item);
    auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u) << item;
    EXPECT_EQ(messages[0].kind, PlatformEvent::MessageDialog);
    EXPECT_EQ(messages[0].text, "Must close polygon first");
    EXPECT_EQ(messages[0].caption, "Data Error");
    EXPECT_EQ(messages[0].style, MsgIconError);
    EXPECT_EQ(Panel.selectedItem, PanelItem::AbsoluteCoordinates);
    EXPECT_EQ(Panel.heading, "Polygon Section");
    EXPECT_EQ(Panel.modeLabel, "absolute coordinates");
  }
  platform.ClearEvents();
  Click(23);  // toggle on/off lies outside the range
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Panel.heading, "Build");
}

TEST_F(PanelTest, AboutCentroidIsEnabledOnlyForACompleteLastSectionInFullView) {
  Nodes({{0, 0}, {1, 0}, {1, 1}});
  Click(9);
  View.oneSection = 1;
  Ok("");
  EXPECT_FALSE(Panel.menu[MenuAboutCentroid].enabled);
  View.oneSection = 0;
  RefreshPanel();
  EXPECT_TRUE(Panel.menu[MenuAboutCentroid].enabled);
  EXPECT_TRUE(Panel.menu[MenuAboutOtherAxes].enabled);
}

}  // namespace

namespace {

TEST_F(PanelTest, SectionOfPointFindsTheFirstOwner) {
  AddPolygon({{0, 0}, {1, 0}, {1, 1}});  // slots 1-3
  const int circle = AddCircle(0, 0, 1);  // slot 4
  AddPolygon({{5, 5}, {6, 5}, {6, 6}});  // slots 5-7
  Table.sections[circle].flags |= Deleted;  // deleted sections still own their slot
  EXPECT_EQ(SectionOfPoint(1), 1);
  EXPECT_EQ(SectionOfPoint(3), 1);
  EXPECT_EQ(SectionOfPoint(4), circle);
  EXPECT_EQ(SectionOfPoint(6), 3);
  EXPECT_EQ(SectionOfPoint(8), 0);
  EXPECT_EQ(SectionOfPoint(0), 0);
}

}  // namespace
