#include "app/main_panel.h"
#include "app/menu_ids.h"

const std::vector<MenuDef>& MainMenus() {
  static const std::vector<MenuDef> menus = {
      {"&File",
       {{MenuOpenFile, "&Open", ""},
        {MenuSave, "&Save", ""},
        {MenuSaveAs, "Save&As", ""},
        {MenuImportDxf, "&Import DXF...", ""},
        {MenuAddProfile, "A&dd Profile...", ""},
        {CommandId{}, "-", ""},
        {MenuPrint, "&Print", ""},
        {MenuPreferences, "P&references", ""},
        {CommandId{}, "-", ""},
        {MenuExit, "E&xit", ""}}},
      {"&Edit",
       {{MenuBeginAgain, "&Begin Again", "F9"},
        {MenuEditData, "&Edit data", ""},
        {MenuSectionWeights, "Section &Weights", ""},
        {MenuDeleteSection, "&Delete Section", ""},
        {MenuRestoreSection, "&Restore Section", ""},
        {MenuXReflection, "&x-reflection", ""},
        {MenuYReflection, "&y-reflection", ""},
        {MenuRemovePhantoms, "Remove &Phantom points", ""}}},
      {"&Calculate",
       {{MenuLineProperties, "&Line Properties", ""},
        {MenuAboutCentroid, "About &Centroid", "F3"},
        {MenuAboutOtherAxes, "About &Other Axes", "Shft + F3"},
        {MenuSectionModuli, "Section &Moduli", ""},
        {MenuTorsion, "&Torsion and Warping", ""}}},
      {"&View",
       {{MenuNormal, "&Normal", ""},
        {MenuWithoutNodes, "&Without Nodes", ""},
        {MenuPrincipalAxes, "&Principal Axes", ""},
        {MenuOneSection, "&One-Section", ""},
        {MenuIdentifySection, "&Identify Section", ""},
        {MenuFillNetSection, "&Fill Net-Section", ""},
        {MenuMagnify, "&Magnify", ""},
        {MenuShowPhantoms, "&Show Phantom Points", ""},
        {MenuHidePhantoms, "&Hide Phantom Points", ""},
        {MenuLogFile, "&Log File", "Ctrl+L"}}},
      {"&Help", {{MenuHelp, "&Help", "F1"}, {MenuAbout, "&About", ""}}},
  };
  return menus;
}

void InitMenuStates() {
  Panel.menu.clear();
  for (const MenuDef& m : MainMenus()) {
    for (const MenuItemDef& item : m.items) {
      if (item.id != 0) Panel.menu[item.id] = MenuItemState{true, false, item.caption};
    }
  }
  EnableMenuItem(MenuAboutCentroid, false);
  EnableMenuItem(MenuAboutOtherAxes, false);
}

std::string MenuCaption(CommandId id) {
  auto it = Panel.menu.find(id);
  if (it != Panel.menu.end() && !it->second.caption.empty()) return it->second.caption;
  for (const MenuDef& m : MainMenus())
    for (const MenuItemDef& item : m.items)
      if (item.id == id) return item.caption;
  return "";
}

void SetMenuCaption(CommandId id, const std::string& caption) { Panel.menu[id].caption = caption; }
