// The main window as data: control texts, BuildPanel selection, focus and menu
// states. Commands read and write these fields; the Qt window mirrors them.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

enum class Focus { InputLine, BuildPanel, OkButton, GraphicView };

struct MenuItemState {
  bool enabled = true;
  bool checked = false;
  std::string caption;  // "" = the caption the menu was built with
};

struct MainPanel {
  int selectedItem = 3;  // BuildPanel item, 1..35
  std::string heading;   // PanelHeading
  std::string modeLabel; // ModeLabel
  std::string inputLine;
  int selectionStart = 0, selectionEnd = 0;  // InputLine selection
  std::string promptLabel;  // first StatusBar part
  std::string status2;      // second StatusBar part as shown
  Focus focus = Focus::InputLine;
  std::map<int, MenuItemState> menu;  // by menu command id
  // A placed node has used the chosen sub-item's mode: ModeLabel and the prompt stay
  // empty, and each line is read by its own form, until an item is chosen again.
  bool modeTaken = false;
  int referencePoint = 0;  // shown in the second status part when not 0
};

constexpr int BuildPanelCount = 35;
// BuildPanel texts 1..35 (sub-items indented by three blanks); index 0 is unused.
extern const std::array<const char*, BuildPanelCount + 1> BuildPanelItems;
// Prompt slots 0..35: slot i is item i's prompt; slot 0 is the second half of a
// pending step.
extern const std::array<std::string, BuildPanelCount + 1> PromptSlots;

// The menu bar as built: titles, items (id 0 is a separator) and shortcut labels.
struct MenuItemDef {
  int id;
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
std::string MenuCaption(int id);

extern MainPanel Panel;

// Re-creates the tables empty and resets counters, entry state and view options.
void ResetTables();
// ResetTables, no current file, output window closed, view cleared, entry panel at
// "absolute coordinates" with "0, 0" selected in the InputLine.
void StartPolygon();
// Writes a StatusBar part (0 or 1: the prompt; 2: the second part, which shows
// CurrentFile when the text is empty). Texts are cut to 127 characters.
void SetStatusText(const std::string& text, int part);
// Selects BuildPanel item (1..35) as a click or a command would; RefreshPanel
// shows it.
void SelectBuildPanelItem(int item);
// The group heading an item belongs to (its own text for a heading).
std::string GroupHeadingOf(int item);
// Rewrites PanelHeading, ModeLabel, the prompt and the second status part for the
// selected item and the pending step, re-enables About Centroid / Other Axes when
// the last section is complete, empties the InputLine and focuses it.
void RefreshPanel();
// Moves the keyboard focus; the BuildPanel notices getting and losing it.
void MoveFocus(Focus focus);
// Menu state helpers.
void EnableMenuItem(int id, bool enabled);
void CheckMenuItem(int id, bool checked);
void SetMenuCaption(int id, const std::string& caption);
