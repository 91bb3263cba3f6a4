#include "app/view_update.h"

#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "view/redraw_view.h"

namespace {

// RedrawView; false when the table is empty and nothing was drawn.
bool Redraw() {
  const ViewDrawn drawn = RedrawView();
  if (drawn.emptyTable) return false;
  if (drawn.mappingComputed) CheckMenuItem(MenuPrincipalAxes, drawn.principalAxes);
  return true;
}

}  // namespace

void UpdateView() {
  if (!Redraw()) StartPolygon();  // which clears the view
}

bool RedrawKeepingPanel() {
  if (Redraw()) return true;
  if (Canvas* canvas = GetPlatform().ViewCanvas()) canvas->Clear(White);
  return false;
}
