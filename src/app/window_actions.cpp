#include "app/window_actions.h"

#include "app/dispatch.h"
#include "app/main_panel.h"

void ClickBuildPanelItem(PanelItem item) {
  MoveFocus(Focus::BuildPanel);
  SelectBuildPanelItem(item);
  BuildPanelNotify(LbnSelChange);
}

void DoubleClickBuildPanelItem(PanelItem item) {
  ClickBuildPanelItem(item);
  BuildPanelNotify(LbnDblClk);
}

void TypeInInputLine(const std::string& text) {
  MoveFocus(Focus::InputLine);
  Panel.inputLine = text;
  Panel.selectionStart = Panel.selectionEnd = static_cast<int>(text.size());
}

void PressOkButton() { MainWindowCommand(CommandOk); }

bool ChooseMenuItem(CommandId id) {
  if (!Panel.menu[id].enabled) return false;
  MenuPopupOpened();
  MenuLoopEnded();
  MainWindowCommand(id);
  return true;
}

bool CloseMainWindow() { return SystemClose(); }
