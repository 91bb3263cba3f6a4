#include "app/view_update.h"

#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "view/redraw_view.h"

void UpdateView() {
  const ViewDrawn drawn = RedrawView();
  if (drawn.emptyTable) {
    StartPolygon();
    return;
  }
  if (drawn.mappingComputed) CheckMenuItem(MenuPrincipalAxes, drawn.principalAxes);
}
