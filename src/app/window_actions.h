// What the user does to the main window, as the calls the window makes: the Qt
// window, the scenario player, the tests and the fuzz targets all act through these.
#pragma once

#include <string>

#include "app/keyboard.h"
#include "app/menu_ids.h"
#include "construct/panel_items.h"

// A click on a BuildPanel item: the list takes the focus, then the selection changes.
void ClickBuildPanelItem(PanelItem item);
// A double-click: the click, then the double-click notification (which is Ok).
void DoubleClickBuildPanelItem(PanelItem item);
// Typing into the InputLine: it takes the focus; the text replaces what it held and
// the caret ends after it.
void TypeInInputLine(const std::string& text);
// The Ok button.
void PressOkButton();
// A menu item chosen from the menu bar: the menu opens and closes, then the command
// runs. A greyed item does nothing; the result says whether the command ran.
bool ChooseMenuItem(CommandId id);
// The main window's close box (or Alt+F4): the close protocol; true when the
// window closes.
bool CloseMainWindow();
// A key press goes to the keyboard hook: PressKey (app/keyboard.h).
