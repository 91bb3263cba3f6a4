// Every process-wide struct of the program in one list. ResetProgramState walks it,
// and so does the test that checks the reset: a struct that joins the program
// joins this list.
#pragma once

#include <tuple>

#include "app/dispatch.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/print_commands.h"
#include "construct/entry_state.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "view/view_options.h"

inline auto ProgramStructs() {
  return std::tie(Table, Shared, Calc, Panel, Dispatch, Entry, View, Extent, Output, Printing,
                  Keyboard);
}
