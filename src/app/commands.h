// Handlers of the Ok branches and menu commands that the dispatch tables name.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "platform/platform.h"

// A refused line: the message, and the command ends with the typed line kept for
// correction.
void RefuseLine(OkCommandState& ok, const std::string& message,
                const char* caption = "Input Error", MessageStyle icon = MsgIconWarning);
// True when every value fits the single-precision store; otherwise the line is
// refused with "Values out of range".
bool StorableValues(OkCommandState& ok, std::initializer_list<double> values);
// "node 4" or "nodes 2, 4", for messages that name nodes.
std::string NodesText(const std::vector<int>& nodes);

// Two-line entries (circle excepted) wait for their second line after the first.
bool EntryWaiting();
// The prompt of the second line the waiting entry asks for.
const char* WaitingEntryPrompt();
// The user turned to something else while an entry waited for its second line: the
// section its first line made was never finished, so it is removed (when nothing
// was added after it) and the view redrawn. Nothing happens when no entry waits.
void LeaveUnfinishedEntry();
// Whether a menu command leaves a waiting entry first: everything but the view,
// help and preferences commands, which neither count nor change the sections.
bool MenuLeavesEntry(CommandId id);

// Ok branches.
void PolygonBranch(OkCommandState& ok);       // "Polygon Section"
void FilletsBranch(OkCommandState& ok);       // "Fillets"
void EnterSectionBranch(OkCommandState& ok);  // circle, arc segment, merge data, radial block
void EditDataBranch(OkCommandState& ok);      // "Edit data"
void ChangeValuesBranch(OkCommandState& ok);  // "Change values"
void BuildBranch(OkCommandState& ok);         // "Build", by mode
void PhantomBranch(OkCommandState& ok);       // "Phantom Points"
void ViewLogFileBranch(OkCommandState& ok);   // "View Log File"
void IdentifySectionBranch(OkCommandState& ok);  // "Identify Section"

// With the polygon being drawn still open: says "Must close polygon first" and
// returns true.
bool RefusedWhilePolygonOpen();

// Menu commands.
void OpenFileCommand();            // 201
void SaveCommand();                // 202
void SaveAsCommand();              // 203
void ImportDxfCommand();           // 207
void AddProfileMenuCommand();      // 208
void PreferencesCommand();         // 205
void ExitCommand();                // 206: the close protocol
void BeginAgainCommand();          // 301
void SelectEditDataItem();         // 302
void SelectSectionWeightsItem();   // 303
void DeleteSectionCommand();       // 304
void RestoreSectionCommand();      // 305
void XReflectionMenuCommand();     // 306
void YReflectionMenuCommand();     // 307
void RemovePhantomsCommand();      // 308
void LinePropertiesCommand();      // 401
void AboutCentroidCommand();       // 402
void AboutOtherAxesCommand();      // 403
void SectionModuliCommand();       // 404
void TorsionCommand();             // 405
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
void HelpCommand();                // 601
void AboutCommand();               // 602
