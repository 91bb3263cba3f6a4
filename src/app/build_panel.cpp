#include "app/main_panel.h"

const std::array<const char*, BuildPanelCount + 1> BuildPanelItems = {
    "",
    "Polygon Section",
    "   defined point",
    "   absolute coordinates",
    "   relative coordinates",
    "   directional keys",
    "   angle",
    "   right angle turn",
    "   undo last node",
    "   close polygon",
    "Fillets",
    "Circle section",
    "Arc segment",
    "Radial block",
    "Merge data",
    "Edit data",
    "Identify Section",
    "Build",
    "   x-reflection",
    "   y-reflection",
    "   rotate section",
    "   copy section",
    "   section weights",
    "   toggle on/off state",
    "Phantom Points",
    "   reference point",
    "   absolute point",
    "   relative point",
    "   up, down, left, right",
    "   angle",
    "   rt angle turn",
    "   fixed radius",
    "   undo point",
    "   show phantom points",
    "   hide phantom points",
    "View Log File",
};

// Item 28 shows the down and right arrows of the OEM character set (codes 25, 26).
const std::array<std::string, BuildPanelCount + 1> PromptSlots = {
    "a | x=a | y=a | m-n,a",
    "",
    "# point",
    "x , y",
    "x ; y",
    "units [arrow key]",
    "units [/] angle",
    "units [/]",
    "click Ok to undo",
    "click Ok to close",
    "r, node [,node]...",
    "xc , yc , r",
    "xc , yc , ro",
    "xc , yc , ro",
    "xc , yc , area",
    "node, section",
    "sect",
    "",
    "click Ok to reflect",
    "click Ok to reflect",
    "sect, point , angle",
    "sect , x , y",
    "sect , wt",
    "sect number",
    "",
    "# point",
    "x , y",
    "x ; y",
    "units u | d | \u2193 | \u2192",
    "units / angle",
    "units /",
    "units \\",
    "un | un point",
    "click Ok to show",
    "click Ok to hide",
    "click Ok to view",
};

std::string GroupHeadingOf(int item) {
  if (item < 1) item = 1;
  if (item > BuildPanelCount) item = BuildPanelCount;
  while (item > 1 && BuildPanelItems[item][0] == ' ') --item;
  return BuildPanelItems[item];
}

void SelectBuildPanelItem(int item) {
  if (item < 1) item = 1;
  if (item > BuildPanelCount) item = BuildPanelCount;
  Panel.selectedItem = item;
  Panel.modeTaken = false;
}
