// The main window as data: control texts, BuildPanel selection, focus and menu
// states. Commands read and write these fields; the Qt window mirrors them.
#pragma once

#include <map>
#include <string>

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
};

extern MainPanel Panel;

// Re-creates the tables empty and resets counters, entry state and view options.
void ResetTables();
// ResetTables, no current file, output window closed, view cleared, entry panel at
// "absolute coordinates" with "0, 0" selected in the InputLine.
void StartPolygon();
// Writes a StatusBar part (0 or 1: the prompt; 2: the second part, which shows
// CurrentFile when the text is empty). Texts are cut to 127 characters.
void SetStatusText(const std::string& text, int part);
// Menu state helpers.
void EnableMenuItem(int id, bool enabled);
void CheckMenuItem(int id, bool checked);
