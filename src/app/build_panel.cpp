#include "app/main_panel.h"

void SelectBuildPanelItem(PanelItem item) {
  Panel.selectedItem = ItemAt(ItemNumber(item));
  Panel.modeTaken = false;
}
