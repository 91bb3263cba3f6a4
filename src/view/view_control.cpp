#include "view/view_control.h"

#include <algorithm>
#include <cmath>

#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "view/view_options.h"

void NormalView() {
  View.hideNodeNumbers = false;
  View.oneSection = 0;
  View.showPrincipalAxes = false;
  View.lastIdentified = 0;
  View.magnification = 0;
  View.highlight = 0;
}

bool ToggleNodeNumbers() { return View.hideNodeNumbers = !View.hideNodeNumbers; }

bool TogglePrincipalAxes() {
  return View.showPrincipalAxes = !View.showPrincipalAxes;
}

bool ShowOneSection(int n) {
  View.oneSection = n != 0 && n <= Table.sectionCount ? n : 0;
  return View.oneSection != 0;
}

void FillNetSection() { View.highlight = -1; }

int IdentifySection(int typed) {
  int n = typed != 0 ? typed : View.lastIdentified + 1;
  while (n >= 1 && n <= Table.sectionCount && (Table.sections[n].flags & Deleted)) ++n;
  const bool found = n >= 1 && n <= Table.sectionCount;
  // After the last section, or a number that names none, the walk starts over.
  View.lastIdentified = found && n < Table.sectionCount ? n : 0;
  if (!found) return 0;
  View.highlight = n;
  return n;
}

double SetMagnification(double factor) {
  if (factor == 0) factor = 1;
  const double size = std::clamp(std::fabs(factor), MinMagnification, MaxMagnification);
  return View.magnification = std::copysign(size, factor);
}

bool PanView(int dx, int dy) {
  if (!(Extent.xmin <= Extent.xmax && Extent.ymin <= Extent.ymax)) return false;
  View.panX += dx * (Extent.xmax - Extent.xmin) / 20;
  View.panY += dy * (Extent.ymax - Extent.ymin) / 20;
  return true;
}
