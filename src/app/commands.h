// Handlers of the Ok branches and menu commands that the dispatch tables name.
#pragma once

#include "app/dispatch.h"

// Ok branches.
void PolygonBranch(OkCommandState& ok);      // "Polygon Section"
void ViewLogFileBranch(OkCommandState& ok);  // "View Log File"

// Menu commands.
void SelectEditDataItem();         // 302
void SelectSectionWeightsItem();   // 303
void LinePropertiesCommand();      // 401
void AboutCentroidCommand();       // 402
void AboutOtherAxesCommand();      // 403
void SelectIdentifySectionItem();  // 505
void LogFileCommand();             // 510
