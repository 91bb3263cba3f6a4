#include "app/main_panel.h"

#include "app/menu_ids.h"
#include "construct/entry_state.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "view/view_options.h"

MainPanel Panel{};
EntryState Entry{};
ViewOptions View{};
ViewExtent Extent{};

void EnableMenuItem(int id, bool enabled) { Panel.menu[id].enabled = enabled; }
void CheckMenuItem(int id, bool checked) { Panel.menu[id].checked = checked; }

void ResetTables() {
  ClearSectionTable();
  Shared.ResultsCurrent = false;
  Shared.FileChanged = false;
  Entry = EntryState{};  // no pending step, no angle or radius remembered
  View.magnification = 0;
  View.highlight = 0;
  View.oneSection = 0;
  View.hideNodeNumbers = false;
  View.showPrincipalAxes = false;
  View.ShowPhantoms = true;
  for (int id : {MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection}) {
    EnableMenuItem(id, true);
    CheckMenuItem(id, false);
  }
}

void SetStatusText(const std::string& text, int part) {
  // The texts pass through a 128-byte buffer.
  auto cut = [](const std::string& s) { return s.substr(0, 127); };
  if (part < 2) {
    Panel.promptLabel = cut(text);
  } else {
    Panel.status2 = cut(text.empty() ? Shared.CurrentFile : text);
  }
}

void StartPolygon() {
  ResetTables();
  Shared.CurrentFile.clear();
  CloseOutputWindow();
  if (Canvas* canvas = GetPlatform().ViewCanvas()) canvas->Clear(White);
  Panel.selectedItem = 3;
  Panel.modeTaken = false;
  Panel.heading = "Polygon Section";
  Panel.modeLabel = "absolute coordinates";
  Panel.inputLine = "0, 0";
  Panel.selectionStart = 0;
  Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
  SetStatusText("x , y", 0);
  SetStatusText("", 2);
  Panel.focus = Focus::InputLine;
}
