// Handlers of the Ok branches and menu commands that the dispatch tables name.
#pragma once

#include "app/dispatch.h"

// Ok branches.
void PolygonBranch(OkCommandState& ok);      // "Polygon Section"
void ViewLogFileBranch(OkCommandState& ok);  // "View Log File"
void IdentifySectionBranch(OkCommandState& ok);  // "Identify Section"

// Menu commands.
void SelectEditDataItem();         // 302
void SelectSectionWeightsItem();   // 303
void LinePropertiesCommand();      // 401
void AboutCentroidCommand();       // 402
void AboutOtherAxesCommand();      // 403
void NormalViewCommand();          // 501
void WithoutNodesCommand();        // 502
void PrincipalAxesCommand();       // 503
void OneSectionCommand();          // 504
void SelectIdentifySectionItem();  // 505
void FillNetSectionCommand();      // 506
void MagnifyCommand();             // 507
void ShowPhantomsCommand();        // 508
void HidePhantomsCommand();        // 509
void LogFileCommand();             // 510
