// The main window as data: control texts, BuildPanel selection, focus and menu
// states. Commands read and write these fields; the Qt window mirrors them.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/menu_ids.h"
#include "construct/panel_items.h"

// Where the keyboard focus is: a control of the main window, the output window, or
// a modal dialog (the command that opened it is still running).
enum class Focus { InputLine, BuildPanel, OkButton, GraphicView, OutputWindow, Dialog };

struct MenuItemState {
  bool enabled = true;
  bool checked = false;
  std::string caption;  // "" = the caption the menu was built with
  friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

struct MainPanel {
  PanelItem selectedItem = PanelItem::AbsoluteCoordinates;
  std::string heading;   // PanelHeading
  std::string modeLabel; // ModeLabel
  std::string inputLine;
  int selectionStart = 0, selectionEnd = 0;  // InputLine selection
  std::string promptLabel;  // first StatusBar part
  std::string status2;      // second StatusBar part as shown
  Focus focus = Focus::InputLine;
  std::map<CommandId, MenuItemState> menu;
  // A placed node has used the chosen sub-item's mode: ModeLabel and the prompt stay
  // empty, and each line is read by its own form, until an item is chosen again.
  bool modeTaken = false;
  int referencePoint = 0;  // shown in the second status part when not 0
  friend bool operator==(const MainPanel&, const MainPanel&) = default;
};

// The menu bar as built: titles, items (id 0 is a separator) and shortcut labels.
struct MenuItemDef {
  CommandId id;  // 0 for a separator
  const char* caption;
  const char* shortcut;  // the label after the tab, or ""
};
struct MenuDef {
  const char* title;
  std::vector<MenuItemDef> items;
};
const std::vector<MenuDef>& MainMenus();
// Every menu item with its caption and start state (402 and 403 greyed).
void InitMenuStates();
// The caption a menu item shows now.
std::string MenuCaption(CommandId id);

extern MainPanel Panel;

// ResetTables, no current file, output window closed, view cleared, entry panel at
// "absolute coordinates" with "0, 0" selected in the InputLine.
void StartPolygon();
// Writes a StatusBar part (0 or 1: the prompt; 2: the second part, which shows
// CurrentFile when the text is empty). Texts are cut to 127 characters.
void SetStatusText(const std::string& text, int part);
// Selects a BuildPanel item as a click or a command would; RefreshPanel shows it.
void SelectBuildPanelItem(PanelItem item);
// Rewrites PanelHeading, ModeLabel, the prompt and the second status part for the
// selected item and the pending step, re-enables About Centroid / Other Axes when
// the last section is complete, empties the InputLine and focuses it.
void RefreshPanel();
// Moves the keyboard focus; the BuildPanel notices getting and losing it.
void MoveFocus(Focus focus);
// Menu state helpers.
void EnableMenuItem(CommandId id, bool enabled);
void CheckMenuItem(CommandId id, bool checked);
void SetMenuCaption(CommandId id, const std::string& caption);
