// The View menu's commands and the Identify Section branch of Ok: the view options
// change in view/, the menu marks and the panel here.
#include <cmath>

#include "app/report_window.h"
#include "app/commands.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/view_update.h"
#include "construct/input_text.h"
#include "platform/platform.h"
#include "view/view_control.h"
#include "view/view_options.h"

namespace {

// A dialog's answer as the number it starts with (0 when empty or cancelled).
double AnswerNumber(const std::string& prompt) { return ReadNumber(CleanLine(InputDialog(prompt, ""))); }

}  // namespace

void IdentifySectionBranch(OkCommandState& ok) {
  const int n = IdentifySection(RoundToInt(ReadNumber(ok.line)));
  if (n == 0) return;  // nothing to highlight: the common tail draws the plain view
  RefreshPanel();
  SetStatusText("Section number " + NumberToText(n, 7), 1);
  UpdateView();
  ok.ended = true;  // a second redraw would drop the highlight at once
}

void NormalViewCommand() {
  NormalView();
  for (CommandId id : {MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection}) CheckMenuItem(id, false);
}

void WithoutNodesCommand() { CheckMenuItem(MenuWithoutNodes, ToggleNodeNumbers()); }

// The redraw that follows sets the check mark: it drops the axes when there are no
// current results to draw them from.
void PrincipalAxesCommand() {
  ComputePropertiesSilently();
  TogglePrincipalAxes();
}

void OneSectionCommand() {
  if (ShowOneSection(RoundToInt(AnswerNumber("Section number:")))) {
    EnableMenuItem(MenuAboutCentroid, false);
    EnableMenuItem(MenuAboutOtherAxes, false);
    CheckMenuItem(MenuOneSection, true);
    UpdateView();
  } else {
    CheckMenuItem(MenuOneSection, false);
  }
}

void FillNetSectionCommand() { FillNetSection(); }

void MagnifyCommand() {
  const double factor = AnswerNumber("Magnification factor:");
  if (!std::isfinite(factor)) {
    PlatformMessageBox("Magnification factor must be a finite number", "Magnify", MsgIconWarning);
    return;  // the view stays as it was
  }
  SetMagnification(factor);
  UpdateView();
  RefreshPanel();
}

void ShowPhantomsCommand() { View.ShowPhantoms = true; }
void HidePhantomsCommand() { View.ShowPhantoms = false; }
