#include "app/main_panel.h"

#include "app/menu_ids.h"
#include "app/program_state.h"
#include "construct/entry_state.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "util/text.h"
#include "view/view_options.h"

MainPanel Panel{};

void EnableMenuItem(CommandId id, bool enabled) { Panel.menu[id].enabled = enabled; }
void CheckMenuItem(CommandId id, bool checked) { Panel.menu[id].checked = checked; }

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
  Panel.selectedItem = PanelItem::AbsoluteCoordinates;
  Panel.modeTaken = false;
  Panel.heading = HeadingText(Heading::PolygonSection);
  Panel.modeLabel = TrimBlanks(ItemText(PanelItem::AbsoluteCoordinates));
  Panel.inputLine = "0, 0";
  Panel.selectionStart = 0;
  Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
  SetStatusText("x , y", 0);
  SetStatusText("", 2);
  Panel.focus = Focus::InputLine;
}
