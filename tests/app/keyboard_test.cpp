// The keyboard hook's rules that a scenario cannot reach: keys while a menu, a file
// dialog or a modal dialog is open, keys whose focus is not the InputLine, and the
// modifiers.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "model/section_table.h"
#include "output/output_window.h"
#include "support/entry_fixture.h"

namespace {

class KeyboardTest : public EntryTest {
 protected:
  // An open triangle: C would close it, the arrows would step from its last node.
  void OpenPolygon() { Nodes({{0, 0}, {4, 0}, {4, 3}}); }
};

TEST_F(KeyboardTest, SilentWhileAMenuAFileDialogOrAModalDialogIsOpen) {
  OpenPolygon();
  for (int round = 0; round < 3; ++round) {
    Dispatch.MenuOpen = round == 0;
    Dispatch.FileDialogOpen = round == 1;
    const Focus focus = round == 2 ? Focus::Dialog : Focus::InputLine;
    for (Key key : {Key::C, Key::Right, Key::F9, Key::P}) {
      const KeyResult result = KeyboardHook({key, false, false, focus});
      EXPECT_TRUE(result.actions.empty()) << round;
      EXPECT_FALSE(result.swallow) << round;
    }
  }
  EXPECT_EQ(Table.sections[1].flags, 0);
  EXPECT_EQ(Table.nodeCount, 3);
}

TEST_F(KeyboardTest, EnterAndTheSelectionKeysActOnlyFromTheInputLine) {
  Panel.inputLine = "2, 2";
  for (Focus focus : {Focus::BuildPanel, Focus::OkButton, Focus::OutputWindow}) {
    KeyboardHook({Key::Enter, false, false, focus});
    KeyboardHook({Key::Down, false, false, focus});
  }
  EXPECT_EQ(Table.nodeCount, 0);
  EXPECT_EQ(Panel.selectedItem, PanelItem::AbsoluteCoordinates);
  KeyboardHook({Key::Enter, false, false, Focus::InputLine});
  EXPECT_EQ(Table.nodeCount, 1);
}

TEST_F(KeyboardTest, ModifiersKeepTheFirstTableAndSkipTheSecond) {
  OpenPolygon();
  // Ctrl+Right still steps (only Up and Down look at Ctrl); Shift+Down steps too.
  KeyboardHook({Key::Right, false, true, Focus::InputLine});
  EXPECT_EQ(Panel.heading, "How far right...");
  Ok("1");
  KeyboardHook({Key::Down, true, false, Focus::InputLine});
  Ok("2");
  EXPECT_EQ(Table.nodeCount, 5);
  EXPECT_EQ(Table.nodes[5].y, 1);
  // Shift+F is the InputLine's; Shift+U and Ctrl+C act and are swallowed.
  EXPECT_FALSE(KeyboardHook({Key::F, true, false, Focus::InputLine}).swallow);
  EXPECT_EQ(Panel.selectedItem, PanelItem::AbsoluteCoordinates);
  EXPECT_TRUE(KeyboardHook({Key::U, true, false, Focus::InputLine}).swallow);
  EXPECT_EQ(Panel.selectedItem, PanelItem::UndoLastNode);
  EXPECT_TRUE(KeyboardHook({Key::C, false, true, Focus::InputLine}).swallow);
  EXPECT_EQ(Table.sections[1].flags, Complete);
}

TEST_F(KeyboardTest, EscClosesAnOpenOutputWindow) {
  // The headless window closes at once; the desktop's stays open.
  AppendOutputLine("a line");
  Output.open = true;
  KeyboardHook({Key::Esc, false, false, Focus::OutputWindow});
  EXPECT_FALSE(Output.open);
  EXPECT_TRUE(Output.lines.empty());
}

}  // namespace
