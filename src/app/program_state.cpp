#include "app/program_state.h"

#include <tuple>
#include <type_traits>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/print_commands.h"
#include "app/program_structs.h"
#include "construct/entry_state.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "view/view_options.h"

void ResetTables() {
  ClearSectionTable();
  Shared.ResultsCurrent = false;
  Shared.FileChanged = false;
  Entry = EntryState{};  // no pending step, no angle or radius remembered
  // No entry waits for a second line and nothing is being edited: the sections
  // they belonged to are gone.
  Dispatch.EntryStep = 0;
  Dispatch.EntrySection = Dispatch.EntrySlot = 0;
  Dispatch.EntryHeading = Heading::Other;
  View.magnification = 0;
  View.highlight = 0;
  View.oneSection = 0;
  View.hideNodeNumbers = false;
  View.showPrincipalAxes = false;
  View.ShowPhantoms = true;
  for (CommandId id : {MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection}) {
    EnableMenuItem(id, true);
    CheckMenuItem(id, false);
  }
  // No reflection is left to undo: the Edit menu offers the reflections again.
  SetMenuCaption(MenuXReflection, "");
  SetMenuCaption(MenuYReflection, "");
}

void ResetProgramState() {
  // Each struct as constructed (no keyboard hook installed); then the two whose
  // start is made by a call: the empty table and the menus as built.
  std::apply([](auto&... state) { ((state = std::remove_cvref_t<decltype(state)>{}), ...); },
             ProgramStructs());
  ClearSectionTable();
  InitMenuStates();
}
