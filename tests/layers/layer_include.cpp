// Compiled with the model layer's include root alone: an include of its own or a
// lower layer compiles, an include of a higher layer must not.
#include "model/section_table.h"
#include "util/numeric.h"
#ifdef UPWARD
#include "app/main_panel.h"
#endif
